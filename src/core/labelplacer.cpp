#include "core/labelplacer.h"

#include "core/equipotentialproblem.h"
#include "core/plotgeometry.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kPlotLeft = Plot::kLeft;
constexpr double kPlotRight = Plot::kRight;
constexpr double kPlotBottom = Plot::kBottom;
constexpr double kPlotTop = Plot::kTop;

constexpr double kCoverPx = 4;      // cell of the map of where curves run
constexpr double kCandidatePx = 3;  // between the places tried along a curve
constexpr double kLabelGapPx = 2;
constexpr double kBorderMarginPx = 1;
constexpr double kBorderRoomPx = 40;  // nearer the border than this counts against a place
// Steps of rearrange()'s search. Over 280 random configurations, ten times
// as many steps labelled one curve more out of some 2,900; proving that no
// arrangement labels more, where the labels round a charge cannot all fit,
// can take a thousand times as many, which a drag cannot wait for.
constexpr long kSearchSteps = 2000;

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

    candidates_.clear();
    for (std::size_t c = 0; c < curves.size(); ++c) {
        candidates_.push_back(candidates(curves[c], bit(c), kCandidatePx));
        // A short piece may have room only between the places tried.
        if (candidates_.back().empty())
            candidates_.back() = candidates(curves[c], bit(c), 0);
    }
    chosen_.assign(curves.size(), -1);
    reach_.clear();
    for (const std::vector<Candidate> &own : candidates_)
        reach_.push_back(reach(own));

    std::vector<std::size_t> order(curves.size());
    for (std::size_t c = 0; c < curves.size(); ++c)
        order[c] = c;
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return candidates_[a].size() < candidates_[b].size();
    });
    for (std::size_t c : order)
        chosen_[c] = firstFree(c);
    for (std::size_t c : order) {
        if (chosen_[c] < 0 && !candidates_[c].empty())
            rearrange(c);
    }

    for (std::size_t c = 0; c < curves.size(); ++c) {
        curves[c].labelled = chosen_[c] >= 0;
        if (curves[c].labelled) {
            const PlotPoint at = candidates_[c][std::size_t(chosen_[c])].at;
            curves[c].label.x = at.x;
            curves[c].label.y = at.y;
        }
    }
}

// The box round every place of a curve.
LabelPlacer::Box LabelPlacer::reach(const std::vector<Candidate> &places)
{
    if (places.empty())
        return {};
    Box box = places.front().box;
    for (const Candidate &place : places) {
        box.left = std::min(box.left, place.box.left);
        box.bottom = std::min(box.bottom, place.box.bottom);
        box.right = std::max(box.right, place.box.right);
        box.top = std::max(box.top, place.box.top);
    }
    return box;
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
    const double halfWidth = 0.5 * problem_.options.labelWidthPx(text) / problem_.pxPerUnitX;
    const double halfHeight = 0.5 * problem_.options.labelHeightPx() / problem_.pxPerUnitY;
    return {p.x - halfWidth, p.y - halfHeight, p.x + halfWidth, p.y + halfHeight};
}

// Inside the plot and clear of every dot.
bool LabelPlacer::fitsPlot(const Box &box) const
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
    return true;
}

// Nearer each other than the gap between labels.
bool LabelPlacer::overlaps(const Box &a, const Box &b) const
{
    const double gx = kLabelGapPx / problem_.pxPerUnitX, gy = kLabelGapPx / problem_.pxPerUnitY;
    return a.left < b.right + gx && b.left < a.right + gx && a.bottom < b.top + gy && b.bottom < a.top + gy;
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

// The vertices, at least spacingPx apart along the curve, where the label
// fits the plot, best first: over the fewest other curves, then where the
// curve runs level and away from the border.
std::vector<LabelPlacer::Candidate> LabelPlacer::candidates(const EquipotentialCurve &curve, std::uint64_t owner,
                                                            double spacingPx) const
{
    const auto &points = curve.points;
    const std::size_t n = points.size();
    auto at = [&](std::size_t i) { return PlotPoint{points[i].first, points[i].second}; };
    const double gx = kLabelGapPx / problem_.pxPerUnitX, gy = kLabelGapPx / problem_.pxPerUnitY;
    std::vector<Candidate> result;
    double sinceCandidate = spacingPx;
    for (std::size_t i = 0; i < n; ++i) {
        const PlotPoint p = at(i);
        if (i > 0)
            sinceCandidate += problem_.pxDistance(at(i - 1), p);
        if (sinceCandidate < spacingPx)
            continue;
        sinceCandidate = 0;
        const Box box = boxAt(p, curve.label.text);
        if (!fitsPlot(box))
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
        result.push_back({p, box, crowding(around, owner) + 0.5 * steep + 0.4 * nearBorder});
    }
    std::stable_sort(result.begin(), result.end(),
                     [](const Candidate &a, const Candidate &b) { return a.score < b.score; });
    return result;
}

// Clear of the labels of every other curve.
bool LabelPlacer::isFree(std::size_t curve, const Box &box) const
{
    for (std::size_t other = 0; other < chosen_.size(); ++other) {
        if (other != curve && chosen_[other] >= 0
            && overlaps(box, candidates_[other][std::size_t(chosen_[other])].box))
            return false;
    }
    return true;
}

// The curve's best place clear of the other labels, -1 if there is none.
int LabelPlacer::firstFree(std::size_t curve) const
{
    const std::vector<Candidate> &own = candidates_[curve];
    for (std::size_t k = 0; k < own.size(); ++k) {
        if (isFree(curve, own[k].box))
            return int(k);
    }
    return -1;
}

// Looks for an arrangement of the labels of this curve and of every curve
// whose places can meet its places (the group) that labels more of them than
// now, the labels outside the group staying where they are: a depth-first
// search over the group's curves, fewest places first, each curve's places
// in order of preference and last no label, cut where even labelling all the
// rest would not beat the best so far.
void LabelPlacer::rearrange(std::size_t curve)
{
    std::vector<std::size_t> members;
    for (std::size_t other = 0; other < chosen_.size(); ++other) {
        if (!candidates_[other].empty() && (other == curve || overlaps(reach_[curve], reach_[other])))
            members.push_back(other);
    }
    std::vector<int> was;
    for (std::size_t c : members) {
        was.push_back(chosen_[c]);
        chosen_[c] = -1;
    }
    std::vector<std::vector<int>> open(members.size());
    for (std::size_t m = 0; m < members.size(); ++m) {
        const std::vector<Candidate> &own = candidates_[members[m]];
        for (std::size_t k = 0; k < own.size(); ++k) {
            if (isFree(members[m], own[k].box))
                open[m].push_back(int(k));
        }
    }
    std::vector<std::size_t> order(members.size());
    for (std::size_t m = 0; m < members.size(); ++m)
        order[m] = m;
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return open[a].size() < open[b].size(); });
    group_.clear();
    open_.clear();
    best_.clear();
    bestCount_ = 0;
    for (std::size_t m : order) {
        group_.push_back(members[m]);
        open_.push_back(std::move(open[m]));
        best_.push_back(was[m]);
        bestCount_ += was[m] >= 0;
    }
    steps_ = 0;
    search(0, 0);
    for (std::size_t g = 0; g < group_.size(); ++g)
        chosen_[group_[g]] = best_[g];
}

void LabelPlacer::search(std::size_t i, int placed)
{
    if (++steps_ > kSearchSteps || placed + int(group_.size() - i) <= bestCount_)
        return;
    if (i == group_.size()) {
        bestCount_ = placed;
        for (std::size_t g = 0; g < group_.size(); ++g)
            best_[g] = chosen_[group_[g]];
        return;
    }
    const std::size_t curve = group_[i];
    for (int k : open_[i]) {
        const Box &box = candidates_[curve][std::size_t(k)].box;
        bool clear = true;
        for (std::size_t g = 0; g < i && clear; ++g) {
            const int other = chosen_[group_[g]];
            clear = other < 0 || !overlaps(box, candidates_[group_[g]][std::size_t(other)].box);
        }
        if (!clear)
            continue;
        chosen_[curve] = k;
        search(i + 1, placed + 1);
        chosen_[curve] = -1;
    }
    search(i + 1, placed);
}
