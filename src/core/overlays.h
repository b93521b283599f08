#pragma once

#include "core/pointcharge.h"

class PlotSurface;

// What a picture may show besides the field lines, each switched on by the
// user: drawn over a finished picture, after every operation of the field
// lines.
struct Overlays
{
    bool zeroField = false;  // the points where the field vanishes
};

// Draws the overlays switched on for the picture of these charges (the
// charges the excite drew; nothing when it refused its input).
void drawOverlays(PlotSurface &surface, const Charges &charges, const Overlays &overlays);
