#pragma once

#include "core/plotpoint.h"

// Cuts the segment from a to b down to its part on the plot, borders
// included (Liang–Barsky). False when no part of it, or only a single
// point, lies on the plot; a and b are then left as they were.
bool clipToPlot(PlotPoint &a, PlotPoint &b);
