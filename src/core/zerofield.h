#pragma once

#include "core/plotpoint.h"
#include "core/pointcharge.h"

#include <vector>

class PlotSurface;

// The points where the field of the charges vanishes, in closed form, inside
// the plot. Two charges of one sign: one point between them, where
// √|q1| / r1 = √|q2| / r2. Two unlike charges of different magnitude: one
// point on the line through them, beyond the weaker one. Equal unlike
// charges, a single charge, a zero charge beside another, or charges at one
// place: none.
std::vector<PlotPoint> zeroFieldPoints(const Charges &charges);

// Marks each point of zeroFieldPoints(charges) with drawZeroFieldRings.
void drawZeroFieldMarkers(PlotSurface &surface, const Charges &charges);

// Marks each point with a small hollow orange circle (#ff8c00), 5 pixels in
// radius at the designed size, drawn as a ring of 24 short lines at pen
// width 2. Nothing at all, not even the pen width, for no points.
void drawZeroFieldRings(PlotSurface &surface, const std::vector<PlotPoint> &points);
