#include "core/equipotentialproblem.h"

#include "core/plotgeometry.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kCellPx = 3;  // marching-squares cell

}  // namespace

std::optional<EquipotentialProblem> EquipotentialProblem::make(const Charges &charges,
                                                               const EquipotentialOptions &options)
{
    EquipotentialProblem problem;
    for (const PointCharge &c : charges) {
        if (!std::isfinite(c.x) || !std::isfinite(c.y) || !std::isfinite(c.q))
            return std::nullopt;
        problem.scale = std::max(problem.scale, std::fabs(c.q));
        problem.dots.push_back({c.x, c.y});
    }
    if (!(problem.scale > 0) || !std::isfinite(problem.scale))
        return std::nullopt;

    Charges normalised;
    for (const PointCharge &c : charges) {
        if (c.q != 0)
            normalised.push_back({c.x, c.y, c.q / problem.scale});
    }
    problem.field = PointField(std::move(normalised));

    const int width = std::clamp(options.widthPx, 16, 8000);
    const int height = std::clamp(options.heightPx, 16, 8000);
    problem.pxPerUnitX = width / (double(Plot::kRight) - double(Plot::kLeft));
    problem.pxPerUnitY = height / (double(Plot::kTop) - double(Plot::kBottom));
    problem.unitsPerPx = 1 / std::max(problem.pxPerUnitX, problem.pxPerUnitY);
    auto sized = [](double v, double fallback) { return std::isfinite(v) && v >= 0 ? v : fallback; };
    problem.options = options;
    problem.options.widthPx = width;
    problem.options.heightPx = height;
    problem.options.labelFontPx = std::min(sized(options.labelFontPx, 10), 100.0);
    problem.options.dotRadiusPx = std::min(sized(options.dotRadiusPx, 10), 100.0);
    problem.cellsX = std::max(4, static_cast<int>(std::lround(width / kCellPx)));
    problem.cellsY = std::max(4, static_cast<int>(std::lround(height / kCellPx)));
    const double cellWidth = double(width) / problem.cellsX, cellHeight = double(height) / problem.cellsY;
    problem.cellDiagonalPx = std::sqrt(cellWidth * cellWidth + cellHeight * cellHeight);
    return problem;
}

double EquipotentialProblem::pxLength(const std::vector<std::pair<double, double>> &points) const
{
    double length = 0;
    for (std::size_t i = 1; i < points.size(); ++i)
        length += pxDistance({points[i - 1].first, points[i - 1].second}, {points[i].first, points[i].second});
    return length;
}

bool EquipotentialProblem::underDots(const std::vector<std::pair<double, double>> &points) const
{
    for (const auto &[x, y] : points) {
        bool covered = false;
        for (const PlotPoint &dot : dots)
            covered = covered || pxDistance({x, y}, dot) < options.dotRadiusPx;
        if (!covered)
            return false;
    }
    return true;
}

double EquipotentialProblem::cutRadiusPx() const
{
    return std::max(cellDiagonalPx + 0.25, options.dotRadiusPx - cellDiagonalPx - 0.25);
}

double EquipotentialProblem::innerRadiusPx() const
{
    // Half a label's line is 0.56 em (EquipotentialOptions::labelHeightPx);
    // 0.55 em and a pixel cover it.
    return std::max(options.dotRadiusPx + kDotMarginPx + 0.55 * options.labelFontPx + 1,
                    cutRadiusPx() + 2 * cellDiagonalPx);
}
