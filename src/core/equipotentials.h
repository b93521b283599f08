#pragma once

// Equipotential lines of point charges, for drawing over the field lines.
// Plain C++17, standard library only.
//
// The potential of an amount q at distance r is q / r, with no physical
// constant, so that the field the field lines follow, E = Σ q (p − c) / r³,
// is −∇V.

#include "core/pointcharge.h"

#include <array>
#include <string>
#include <utility>
#include <vector>

// A label is drawn as a box centred on (x, y), which lies on its curve.
struct EquipotentialLabel
{
    double x = 0;
    double y = 0;
    std::string text;  // "V=2.5", "V=0", "V=-1e-21"
};

struct EquipotentialCurve
{
    double level = 0;  // the potential all along the curve
    // In user coordinates, inside the plot. A closed curve repeats its first
    // point at the end; an open one ends on the border of the plot or under
    // a charge's dot.
    std::vector<std::pair<double, double>> points;
    bool closed = false;
    bool labelled = false;  // see equipotentials()
    EquipotentialLabel label;
};

// The plot's size on screen, which sets how finely the curves are resolved,
// and the sizes of what is drawn over them, all in pixels.
struct EquipotentialOptions
{
    int widthPx = 693;
    int heightPx = 385;
    // The pixel size of the labels' font: 10 on the picture as drawn, 15 in
    // projector mode. The painter draws a label in Liberation Sans on a box
    // its text's advance + 2 px wide and one line high, centred on the
    // label's point; labelWidthPx() and labelHeightPx() give that box, a
    // hair larger where the advances are rounded up.
    double labelFontPx = 10;
    double dotRadiusPx = 10;  // the dot drawn on each charge: 10, 15 in projector mode
    // Lines already in the picture (the field lines) that the labels keep
    // clear of where they can, as (x1, y1, x2, y2) in user coordinates.
    const std::vector<std::array<float, 4>> *avoid = nullptr;

    double labelWidthPx(const std::string &text) const;
    double labelHeightPx() const;
};

// The levels equipotentials() draws, ascending: equal steps of 1, 2, 2.5 or
// 5 times a power of ten, 8 to 12 of them. Empty when every amount is 0 or a
// value is not finite.
std::vector<double> equipotentialLevels(const std::vector<PointCharge> &charges,
                                        const EquipotentialOptions &options = {});

// The equipotential curves at those levels, clipped to the plot, each with
// its label. A label's box (EquipotentialOptions) is centred on a vertex of
// its curve, lies 1 px inside the plot, 3 px clear of every dot and 2 px
// clear of the other labels. A curve is left unlabelled where no vertex
// leaves room for the box inside the plot and clear of the dots (a short
// piece in a corner or beside a dot), or where the labels round it cannot
// all fit: rings crowding a charge have room for only a few labels above
// and below its dot. Empty when every amount is 0 or a value is not finite.
std::vector<EquipotentialCurve> equipotentials(const std::vector<PointCharge> &charges,
                                               const EquipotentialOptions &options = {});
