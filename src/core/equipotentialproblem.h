#pragma once

#include "core/equipotentials.h"
#include "core/plotpoint.h"
#include "core/pointfield.h"

#include <cmath>
#include <optional>
#include <utility>
#include <vector>

// What every step of making the equipotentials works from: the charges,
// checked, with their amounts divided by the largest magnitude so that every
// potential here is of order one whatever the amounts are, and the plot's
// scale in pixels with the sizes of what is drawn over the curves.
struct EquipotentialProblem
{
    // Between a dot and a label's box, in pixels.
    static constexpr double kDotMarginPx = 3;

    PointField field;             // the normalised amounts; charges of 0 left out
    double scale = 0;             // largest |q|; normalised potential × scale = V
    std::vector<PlotPoint> dots;  // every charge's place, amount 0 included
    EquipotentialOptions options;  // as given, sizes out of range replaced
    double pxPerUnitX = 0;
    double pxPerUnitY = 0;
    double unitsPerPx = 0;  // the finer of the two directions
    double cellDiagonalPx = 0;
    int cellsX = 0;  // marching-squares cells across the plot
    int cellsY = 0;

    // Nothing when every amount is 0 or a value is not finite.
    static std::optional<EquipotentialProblem> make(const Charges &charges, const EquipotentialOptions &options);

    double pxDistance(PlotPoint a, PlotPoint b) const { return std::sqrt(pxDistanceSquared(a, b)); }
    double pxDistanceSquared(PlotPoint a, PlotPoint b) const
    {
        const double dx = (a.x - b.x) * pxPerUnitX, dy = (a.y - b.y) * pxPerUnitY;
        return dx * dx + dy * dy;
    }
    // The length on screen of a polyline in user coordinates.
    double pxLength(const std::vector<std::pair<double, double>> &points) const;
    // Whether every point of the polyline lies under a dot.
    bool underDots(const std::vector<std::pair<double, double>> &points) const;

    // Grid nodes this close to a charge are left out of the contouring: the
    // cell holding the charge always is, and what is cut off lies under the
    // dot.
    double cutRadiusPx() const;
    // The levels are chosen from the potential outside this radius: the
    // innermost ring around a charge keeps room for a label between itself
    // and the dot.
    double innerRadiusPx() const;
};
