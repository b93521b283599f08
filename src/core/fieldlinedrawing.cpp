#include "core/fieldlinedrawing.h"

#include "core/plotclip.h"
#include "core/plotsurface.h"
#include "core/pointfield.h"

#include <algorithm>
#include <cmath>
#include <utility>

using namespace FieldLineDrawing;

namespace {

// cos and sin of π/8, the half opening of an arrowhead.
constexpr double kCosEighth = 0.92387953251128675613;
constexpr double kSinEighth = 0.38268343236508977173;

using Interval = std::pair<double, double>;

// The arc lengths along the piece (cumulative, from 0) where a tip would
// come nearer a charge than the clearance.
std::vector<Interval> crowded(const std::vector<PlotPoint> &piece, const std::vector<double> &at,
                              const Charges &charges)
{
    const double reach = kDotRadius + kDotClearance + kWing;
    std::vector<Interval> near;
    for (std::size_t k = 1; k < piece.size(); ++k) {
        const PlotPoint a = piece[k - 1];
        const PlotPoint b = piece[k];
        const double length = at[k] - at[k - 1];
        if (length <= 0)
            continue;
        const double ux = (b.x - a.x) / length;
        const double uy = (b.y - a.y) / length;
        for (const PointCharge &c : charges) {
            // |a + s u − c|² ≤ reach² for 0 ≤ s ≤ length.
            const double px = a.x - c.x;
            const double py = a.y - c.y;
            const double half = px * ux + py * uy;
            const double discriminant = half * half - (px * px + py * py - reach * reach);
            if (discriminant <= 0)
                continue;
            const double root = std::sqrt(discriminant);
            const double from = std::max(0.0, -half - root);
            const double to = std::min(length, -half + root);
            if (from < to)
                near.push_back({at[k - 1] + from, at[k - 1] + to});
        }
    }
    std::sort(near.begin(), near.end());
    std::vector<Interval> merged;
    for (const Interval &i : near) {
        if (!merged.empty() && i.first <= merged.back().second)
            merged.back().second = std::max(merged.back().second, i.second);
        else
            merged.push_back(i);
    }
    return merged;
}

PlotPoint pointAt(const std::vector<PlotPoint> &piece, const std::vector<double> &at, double s, PlotPoint &chord)
{
    std::size_t k = std::size_t(std::upper_bound(at.begin(), at.end(), s) - at.begin());
    k = std::clamp<std::size_t>(k, 1, piece.size() - 1);
    while (k > 1 && at[k] == at[k - 1])
        --k;
    const PlotPoint a = piece[k - 1];
    const PlotPoint b = piece[k];
    const double length = at[k] - at[k - 1];
    const double t = length > 0 ? (s - at[k - 1]) / length : 0;
    chord = length > 0 ? PlotPoint{(b.x - a.x) / length, (b.y - a.y) / length} : PlotPoint{1, 0};
    return {a.x + t * (b.x - a.x), a.y + t * (b.y - a.y)};
}

void drawClipped(PlotSurface &surface, PlotPoint a, PlotPoint b)
{
    if (clipToPlot(a, b))
        surface.Line(float(a.x), float(a.y), float(b.x), float(b.y), Colour::Blue);
}

}  // namespace

std::vector<std::vector<PlotPoint>> visiblePieces(const TracedLine &line)
{
    std::vector<std::vector<PlotPoint>> pieces;
    for (std::size_t k = 1; k < line.points.size(); ++k) {
        PlotPoint a = line.points[k - 1];
        PlotPoint b = line.points[k];
        if (!clipToPlot(a, b))
            continue;
        // A segment that starts where the piece ended goes on with it.
        if (!pieces.empty() && pieces.back().back().x == a.x && pieces.back().back().y == a.y)
            pieces.back().push_back(b);
        else
            pieces.push_back({a, b});
    }
    return pieces;
}

std::vector<Arrowhead> arrowheads(const std::vector<PlotPoint> &piece, bool alongField, const Charges &charges)
{
    std::vector<double> at(piece.size(), 0);
    for (std::size_t k = 1; k < piece.size(); ++k)
        at[k] = at[k - 1] + distance(piece[k - 1], piece[k]);
    if (piece.size() < 2 || at.back() < kShortestPiece)
        return {};
    const double length = at.back();

    // The parts of the piece where a tip may sit, and their total length.
    std::vector<Interval> free;
    double from = 0;
    for (const Interval &near : crowded(piece, at, charges)) {
        if (near.first > from)
            free.push_back({from, near.first});
        from = std::max(from, near.second);
    }
    if (from < length)
        free.push_back({from, length});
    double room = 0;
    for (const Interval &i : free)
        room += i.second - i.first;

    std::vector<double> places;
    if (room <= 0) {
        places.push_back(0.5 * length);
    } else {
        const long count = std::max(1L, std::lround(room / kArrowSpacing));
        for (long j = 0; j < count; ++j) {
            double left = (double(j) + 0.5) * room / double(count);
            for (const Interval &i : free) {
                if (left <= i.second - i.first) {
                    places.push_back(i.first + left);
                    break;
                }
                left -= i.second - i.first;
            }
        }
    }

    const PointField field(charges);
    std::vector<Arrowhead> heads;
    for (const double s : places) {
        PlotPoint chord;
        const PlotPoint tip = pointAt(piece, at, s, chord);
        // Along E at the tip; where E has no direction, along the piece.
        const FieldVector e = field.field(tip.x, tip.y);
        const double strength = std::sqrt(e.x * e.x + e.y * e.y);
        PlotPoint u = alongField ? chord : PlotPoint{-chord.x, -chord.y};
        if (strength > 0 && std::isfinite(strength))
            u = {e.x / strength, e.y / strength};
        // The wings turned ±π/8 from u, trailing behind the tip.
        const PlotPoint plus{kCosEighth * u.x - kSinEighth * u.y, kSinEighth * u.x + kCosEighth * u.y};
        const PlotPoint minus{kCosEighth * u.x + kSinEighth * u.y, -kSinEighth * u.x + kCosEighth * u.y};
        heads.push_back({tip, {tip.x - kWing * plus.x, tip.y - kWing * plus.y},
                         {tip.x - kWing * minus.x, tip.y - kWing * minus.y}});
    }
    return heads;
}

void drawFieldLines(PlotSurface &surface, const std::vector<TracedLine> &lines, const Charges &charges)
{
    surface.DrawWidth(1);
    for (const TracedLine &line : lines) {
        for (const std::vector<PlotPoint> &piece : visiblePieces(line)) {
            for (std::size_t k = 1; k < piece.size(); ++k)
                drawClipped(surface, piece[k - 1], piece[k]);
            for (const Arrowhead &head : arrowheads(piece, line.alongField, charges)) {
                drawClipped(surface, head.tip, head.wing1);
                drawClipped(surface, head.tip, head.wing2);
            }
        }
    }
}
