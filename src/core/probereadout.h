#pragma once

#include "core/plotpoint.h"
#include "core/pointcharge.h"
#include "core/translatable.h"

#include <string>
#include <vector>

// The field probe's readout at a point of the plot, in lines, for every
// front end:
//   x = -12.5   y = 3
//   |E| = 0.0445   方向 12.3°
//   V = 0.123
// Numbers with three significant digits and a full stop, the direction to
// a tenth of a degree counter-clockwise from +x (359.96 reads 0.0). Where
// the field cannot be computed in double precision (at a charge's centre),
// the second line says it is not defined there and there is no third.
// Empty without charges (no picture on show).
std::vector<std::string> probeReadout(const Charges &charges, double x, double y, Translator translate = untranslated);

// Where the readout's box goes: a corner of the plot, inset by margin,
// chosen so that the box covers no dot and not the pointer.
enum class ProbeCorner { TopLeft, TopRight, BottomLeft, BottomRight };

// The first corner, in the order top left, top right, bottom left, bottom
// right, whose box (width × height, in plot units) keeps dotRadius clear
// of every charge and does not hold the pointer; when none does, the one
// that covers the fewest dots.
ProbeCorner probeCorner(const Charges &charges, const PlotPoint &pointer, double width, double height,
                        double margin, double dotRadius);
