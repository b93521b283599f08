#pragma once

#include "core/pointcharge.h"

#include <array>
#include <vector>

class PlotSurface;

// What a picture may show besides the field lines, each switched on by the
// user: drawn over a finished picture, after every operation of the field
// lines.
struct Overlays
{
    bool equipotentials = false;  // labelled lines of equal potential
    bool zeroField = false;       // the points where the field vanishes
};

// The lines of the picture drawn so far, as (x1, y1, x2, y2): the labels of
// the equipotentials keep clear of them where they can.
using PictureLines = std::vector<std::array<float, 4>>;

// Draws the overlays switched on for the picture of these charges (the
// charges the excite drew; nothing when it refused its input): the
// equipotentials first, then the zero-field markers. The pen is left at 20,
// the width of the charge dots, as the drawing left it.
void drawOverlays(PlotSurface &surface, const Charges &charges, const Overlays &overlays,
                  const PictureLines *fieldLines = nullptr);

// The equipotential lines as grey lines at pen width 1, then their labels.
void drawEquipotentials(PlotSurface &surface, const Charges &charges, const PictureLines *fieldLines = nullptr);
