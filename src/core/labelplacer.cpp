#include "core/labelplacer.h"

#include "core/equipotentialproblem.h"
#include "core/plotgeometry.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr double kPlotLeft = Plot::kLeft;
constexpr double kPlotRight = Plot::kRight;
constexpr double kPlotBottom = Plot::kBottom;
constexpr double kPlotTop = Plot::kTop;

constexpr double kCoverPx = 4;  // cell of the map of where curves run
constexpr double kCandidatePx = 3;
constexpr double kLabelGapPx = 2;
constexpr double kBorderMarginPx = 1;
constexpr double kBorderRoomPx = 40;  // nearer the border than this counts against a place

std::uint64_t bit(std::size_t curve)
{
    return std::uint64_t(1) << (curve % 64);
}

}  // namespace

LabelPlacer::LabelPlacer(const EquipotentialProblem &problem)
    : problem_(problem)
    , columns_(int(std::ceil((kPlotRight - kPlotLeft) * problem.pxPerUnitX / kCoverPx)) + 1)
    , rows_(int(std::ceil((kPlotTop - kPlotBottom) * problem.pxPerUnitY / kCoverPx)) + 1)
    , cover_(std::size_t(columns_) * rows_, 0)
{
}

void LabelPlacer::place(std::vector<EquipotentialCurve> &curves, const std::vector<std::array<float, 4>> *avoid)
{
    for (std::size_t c = 0; c < curves.size(); ++c)
        mark(curves[c], bit(c));
    if (avoid) {
        avoid_.assign(cover_.size(), 0);
        for (const std::array<float, 4> &line : *avoid)
            markAvoided({line[0], line[1]}, {line[2], line[3]});
    }

    std::vector<std::size_t> order(curves.size());
    std::vector<double> lengths(curves.size());
    for (std::size_t c = 0; c < curves.size(); ++c) {
        order[c] = c;
        lengths[c] = problem_.pxLength(curves[c].points);
    }
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return lengths[a] < lengths[b]; });
    for (std::size_t c : order)
        placeOne(curves[c], bit(c));
}

int LabelPlacer::column(double x) const
{
    return std::clamp(int((x - kPlotLeft) * problem_.pxPerUnitX / kCoverPx), 0, columns_ - 1);
}

int LabelPlacer::row(double y) const
{
    return std::clamp(int((y - kPlotBottom) * problem_.pxPerUnitY / kCoverPx), 0, rows_ - 1);
}

void LabelPlacer::mark(const EquipotentialCurve &curve, std::uint64_t owner)
{
    for (std::size_t i = 0; i < curve.points.size(); ++i) {
        const PlotPoint b{curve.points[i].first, curve.points[i].second};
        const PlotPoint a = i > 0 ? PlotPoint{curve.points[i - 1].first, curve.points[i - 1].second} : b;
        const int steps = int(std::ceil(problem_.pxDistance(a, b) / (0.5 * kCoverPx)));
        for (int s = 0; s <= steps; ++s) {
            const PlotPoint p = steps > 0 ? interpolate(a, b, double(s) / steps) : b;
            cover_[std::size_t(row(p.y)) * columns_ + column(p.x)] |= owner;
        }
    }
}

// A line of the picture to keep the labels clear of; only what lies on the
// plot counts.
void LabelPlacer::markAvoided(PlotPoint a, PlotPoint b)
{
    if (!isFinite(a) || !isFinite(b) || Plot::besidePlot(a.x, a.y, b.x, b.y))
        return;
    const int steps = std::min(4096, int(std::ceil(problem_.pxDistance(a, b) / (0.5 * kCoverPx))));
    for (int s = 0; s <= steps; ++s) {
        const PlotPoint p = steps > 0 ? interpolate(a, b, double(s) / steps) : b;
        if (Plot::contains(p.x, p.y))
            avoid_[std::size_t(row(p.y)) * columns_ + column(p.x)] = 1;
    }
}

LabelPlacer::Box LabelPlacer::boxAt(PlotPoint p, const std::string &text) const
{
    const double halfWidth = 0.5 * problem_.options.labelCharPx * double(text.size()) / problem_.pxPerUnitX;
    const double halfHeight = 0.5 * problem_.options.labelHeightPx / problem_.pxPerUnitY;
    return {p.x - halfWidth, p.y - halfHeight, p.x + halfWidth, p.y + halfHeight};
}

bool LabelPlacer::fits(const Box &box) const
{
    const double mx = kBorderMarginPx / problem_.pxPerUnitX, my = kBorderMarginPx / problem_.pxPerUnitY;
    if (box.left < kPlotLeft + mx || box.right > kPlotRight - mx || box.bottom < kPlotBottom + my
        || box.top > kPlotTop - my)
        return false;
    for (const PlotPoint &dot : problem_.dots) {
        const PlotPoint nearest{std::clamp(dot.x, box.left, box.right), std::clamp(dot.y, box.bottom, box.top)};
        if (problem_.pxDistance(nearest, dot) < problem_.options.dotRadiusPx + EquipotentialProblem::kDotMarginPx)
            return false;
    }
    const double gx = kLabelGapPx / problem_.pxPerUnitX, gy = kLabelGapPx / problem_.pxPerUnitY;
    for (const Box &other : placed_) {
        if (box.left < other.right + gx && other.left < box.right + gx && box.bottom < other.top + gy
            && other.bottom < box.top + gy)
            return false;
    }
    return true;
}

// Cells of the map under the box that other curves, or lines to keep clear
// of, run through.
int LabelPlacer::crowding(const Box &box, std::uint64_t owner) const
{
    int count = 0;
    for (int r = row(box.bottom); r <= row(box.top); ++r) {
        for (int c = column(box.left); c <= column(box.right); ++c) {
            const std::size_t cell = std::size_t(r) * columns_ + c;
            count += (cover_[cell] & ~owner) != 0;
            count += !avoid_.empty() && avoid_[cell];
        }
    }
    return count;
}

// Among the places over the fewest other curves, one where the curve runs
// level (so it reads along the text) and away from the border.
void LabelPlacer::placeOne(EquipotentialCurve &curve, std::uint64_t owner)
{
    const auto &points = curve.points;
    const std::size_t n = points.size();
    auto at = [&](std::size_t i) { return PlotPoint{points[i].first, points[i].second}; };
    const double gx = kLabelGapPx / problem_.pxPerUnitX, gy = kLabelGapPx / problem_.pxPerUnitY;
    double best = std::numeric_limits<double>::infinity();
    PlotPoint bestAt;
    double sinceCandidate = kCandidatePx;
    for (std::size_t i = 0; i < n; ++i) {
        const PlotPoint p = at(i);
        if (i > 0)
            sinceCandidate += problem_.pxDistance(at(i - 1), p);
        if (sinceCandidate < kCandidatePx)
            continue;
        sinceCandidate = 0;
        const Box box = boxAt(p, curve.label.text);
        if (!fits(box))
            continue;
        const Box around{box.left - gx, box.bottom - gy, box.right + gx, box.top + gy};
        const PlotPoint before = at(i > 0 ? i - 1 : (curve.closed ? n - 2 : 0));
        const PlotPoint after = at(i + 1 < n ? i + 1 : (curve.closed ? 1 : n - 1));
        const double tx = (after.x - before.x) * problem_.pxPerUnitX, ty = (after.y - before.y) * problem_.pxPerUnitY;
        const double tangent = std::sqrt(tx * tx + ty * ty);
        const double steep = tangent > 0 ? std::fabs(ty) / tangent : 1;
        const double border = std::min(box.left - kPlotLeft, kPlotRight - box.right) * problem_.pxPerUnitX;
        const double borderY = std::min(box.bottom - kPlotBottom, kPlotTop - box.top) * problem_.pxPerUnitY;
        const double nearBorder = std::max(0.0, 1 - std::min(border, borderY) / kBorderRoomPx);
        const double score = crowding(around, owner) + 0.5 * steep + 0.4 * nearBorder;
        if (score < best) {
            best = score;
            bestAt = p;
        }
    }
    if (!std::isfinite(best))
        return;
    curve.labelled = true;
    curve.label.x = bestAt.x;
    curve.label.y = bestAt.y;
    placed_.push_back(boxAt(bestAt, curve.label.text));
}
