#pragma once

#include "core/plotpoint.h"

// The part of the segment from a to b inside a rectangle, as the fractions
// t0 … t1 of the way from a to b (Liang–Barsky); t0 > t1 when no part of it
// is inside. The rectangle is given by its least and greatest x and y.
struct ClipRange
{
    double t0 = 0;
    double t1 = 1;
};
ClipRange clipRange(const PlotPoint &a, const PlotPoint &b, double minX, double minY, double maxX, double maxY);

// Cuts the segment from a to b down to the range, which is not empty.
void cutTo(const ClipRange &range, PlotPoint &a, PlotPoint &b);

// Cuts the segment from a to b down to its part on the plot, borders
// included. False when no part of it, or only a single point, lies on the
// plot; a and b are then left as they were.
bool clipToPlot(PlotPoint &a, PlotPoint &b);
