#include "core/curverefiner.h"

#include "core/equipotentialproblem.h"
#include "core/plotgeometry.h"
#include "core/pointfield.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace {

constexpr double kMaxSegmentPx = 6;  // longest segment of a delivered curve
constexpr double kMinSegmentPx = 0.01;
constexpr double kTurn = 0.08;  // radians a curve may turn per segment (4.6°)
// Deviation of a segment's midpoint from the level, relative to the level,
// and absolute (relative to the largest amount) for levels near 0.
constexpr double kRelativeTolerance = 1e-3;
constexpr double kAbsoluteTolerance = 5e-8;
constexpr std::size_t kMaxVertices = 100000;  // per curve; plot-sized curves stay far below

double length(double x, double y)
{
    return std::sqrt(x * x + y * y);
}

PlotPoint clampToPlot(PlotPoint p)
{
    return {std::clamp(p.x, double(Plot::kLeft), double(Plot::kRight)),
            std::clamp(p.y, double(Plot::kBottom), double(Plot::kTop))};
}

}  // namespace

CurveRefiner::CurveRefiner(const EquipotentialProblem &problem, double level)
    : field_(problem.field)
    , level_(level)
    , tolerance_(std::max(kRelativeTolerance * std::fabs(level), kAbsoluteTolerance))
    , maxSegment_(kMaxSegmentPx * problem.unitsPerPx)
    , minSegment_(kMinSegmentPx * problem.unitsPerPx)
    , maxMove_(problem.cellDiagonalPx * problem.unitsPerPx)
{
}

std::vector<PlotPoint> CurveRefiner::refine(std::vector<PlotPoint> guide, bool closed) const
{
    std::vector<PlotPoint> path;
    for (const PlotPoint &p : guide) {
        if (path.empty() || distance(path.back(), p) > 1e-9)
            path.push_back(p);
    }
    if (closed && path.size() > 1 && distance(path.back(), path.front()) <= 1e-9)
        path.pop_back();
    if (path.size() < 2)
        return {};
    if (closed)
        path.push_back(path.front());

    std::vector<double> arc{0};  // arc length at each path point
    std::vector<double> tableS{0};
    std::vector<double> tableU{0};
    for (std::size_t i = 1; i < path.size(); ++i) {
        const double length = distance(path[i - 1], path[i]);
        double done = 0;
        while (done < length) {
            const PlotPoint p = interpolate(path[i - 1], path[i], done / length);
            const double h = segmentLength(p);
            const double piece = std::min(0.5 * h, length - done);
            done += piece;
            tableS.push_back(arc.back() + done);
            tableU.push_back(tableU.back() + piece / h);
        }
        arc.push_back(arc.back() + length);
    }
    const double total = tableU.back();
    const std::size_t segments = std::clamp<std::size_t>(
        std::size_t(std::ceil(total - 1e-9)), closed ? 3 : 1, kMaxVertices);

    std::vector<PlotPoint> vertices{path.front()};
    std::size_t row = 0;
    std::size_t piece = 0;
    for (std::size_t n = 1; n < segments; ++n) {
        const double u = total * double(n) / double(segments);
        while (row + 2 < tableU.size() && tableU[row + 1] < u)
            ++row;
        const double du = tableU[row + 1] - tableU[row];
        const double t = du > 0 ? std::clamp((u - tableU[row]) / du, 0.0, 1.0) : 0;
        const double s = tableS[row] + (tableS[row + 1] - tableS[row]) * t;
        while (piece + 2 < arc.size() && arc[piece + 1] < s)
            ++piece;
        const double ds = arc[piece + 1] - arc[piece];
        const PlotPoint p = interpolate(path[piece], path[piece + 1],
                                        ds > 0 ? std::clamp((s - arc[piece]) / ds, 0.0, 1.0) : 0);
        vertices.push_back(project(p));
    }
    vertices.push_back(path.back());

    std::vector<PlotPoint> refined{vertices.front()};
    for (std::size_t i = 1; i < vertices.size(); ++i)
        subdivide(refined, vertices[i], 0);

    // Where the level passes (nearly) through a saddle and the guide crosses
    // it, neighbouring points can land on different branches of the level; a
    // vertex at which the curve would double back is left out.
    std::vector<PlotPoint> result;
    for (const PlotPoint &p : refined) {
        while (result.size() >= 2) {
            const PlotPoint &a = result[result.size() - 2], &b = result.back();
            if ((b.x - a.x) * (p.x - b.x) + (b.y - a.y) * (p.y - b.y) >= 0)
                break;
            result.pop_back();
        }
        result.push_back(p);
    }
    return result;
}

// The segment length wanted at p: short enough that the curve turns by at
// most kTurn per segment, that a segment's midpoint stays within the
// tolerance of the level (its sagitta h²κ/8 times |∇V|), and a fraction of
// the distance to where the field vanishes (a saddle, where the level through
// it crosses itself).
double CurveRefiner::segmentLength(PlotPoint p) const
{
    const FieldDerivatives d = field_.derivatives(p.x, p.y);
    const double g = length(d.gx, d.gy);
    double h = maxSegment_;
    if (!(g > 0) || !std::isfinite(g))
        return minSegment_;
    // The curvature of the level set, |∇V⊥ · H ∇V⊥| / |∇V|³.
    const double bend = d.gy * d.gy * d.hxx - 2 * d.gx * d.gy * d.hxy + d.gx * d.gx * d.hyy;
    const double curvature = std::fabs(bend) / (g * g * g);
    if (curvature > 0) {
        h = std::min(h, kTurn / curvature);
        h = std::min(h, std::sqrt(8 * tolerance_ / (g * curvature)));
    }
    // The Hessian's largest eigenvalue in magnitude: |∇V| changes by about
    // that much per unit, so |∇V| / it is the distance to a zero of the field.
    const double mean = 0.5 * (d.hxx + d.hyy);
    const double spread = length(0.5 * (d.hxx - d.hyy), d.hxy);
    const double hessian = std::fabs(mean) + spread;
    if (hessian > 0)
        h = std::min(h, 0.25 * g / hessian);
    return std::isfinite(h) ? std::clamp(h, minSegment_, maxSegment_) : minSegment_;
}

// Newton steps along the gradient onto the level. A point that would move
// farther than a grid cell (only near a saddle, where the gradient vanishes)
// stays where it was.
PlotPoint CurveRefiner::project(PlotPoint start) const
{
    PlotPoint p = start;
    for (int iteration = 0; iteration < 8; ++iteration) {
        const FieldDerivatives d = field_.derivatives(p.x, p.y);
        const double g2 = d.gx * d.gx + d.gy * d.gy;
        if (!(g2 > 0) || !std::isfinite(g2) || !std::isfinite(d.v))
            break;
        const double f = d.v - level_;
        const PlotPoint next{p.x - f * d.gx / g2, p.y - f * d.gy / g2};
        if (!isFinite(next) || distance(next, start) > maxMove_)
            return clampToPlot(start);
        const double step = distance(p, next);
        p = next;
        if (step < 1e-12)
            break;
    }
    return clampToPlot(p);
}

// Appends b after out.back(), with vertices between them where the segment's
// midpoint is off the level by more than the tolerance.
void CurveRefiner::subdivide(std::vector<PlotPoint> &out, PlotPoint b, int depth) const
{
    const PlotPoint a = out.back();
    const PlotPoint middle = interpolate(a, b, 0.5);
    if (depth < 6 && out.size() < kMaxVertices
        && std::fabs(field_.potential(middle.x, middle.y) - level_) > tolerance_) {
        const PlotPoint m = project(middle);
        if (distance(m, a) > 1e-9 && distance(m, b) > 1e-9) {
            subdivide(out, m, depth + 1);
            subdivide(out, b, depth + 1);
            return;
        }
    }
    out.push_back(b);
}
