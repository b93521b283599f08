#include "core/equipotentials.h"

#include "core/plotgeometry.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <optional>

// How the curves are made: the potential is sampled on a grid of 3-pixel
// cells and each level is contoured by marching squares, every crossing found
// exactly on its cell edge. That polyline fixes the topology of the level
// (which crossings join, where a curve leaves the plot, which curves close)
// and serves as a guide: the delivered vertices are placed along it at a
// spacing set by the curve's own curvature and pushed onto the level by
// Newton steps along the gradient. Near a charge the potential varies too
// fast for the grid, so the disk under the charge's dot is left out; the
// levels are chosen so that the rings around a charge stay well outside it.

namespace {

// The plot in user coordinates, in double precision for the arithmetic here.
constexpr double kPlotLeft = Plot::kLeft;
constexpr double kPlotRight = Plot::kRight;
constexpr double kPlotBottom = Plot::kBottom;
constexpr double kPlotTop = Plot::kTop;

struct Point
{
    double x = 0;
    double y = 0;
};

// The length of (x, y). Lengths here are of the plot's size, far from
// overflow, and std::hypot costs several times as much.
double norm(double x, double y)
{
    return std::sqrt(x * x + y * y);
}

Point lerp(Point a, Point b, double t)
{
    return {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t};
}

double distance(Point a, Point b)
{
    return norm(b.x - a.x, b.y - a.y);
}

bool finite(Point p)
{
    return std::isfinite(p.x) && std::isfinite(p.y);
}

struct Derivatives
{
    double v = 0;
    double gx = 0;  // ∂V/∂x
    double gy = 0;
    double hxx = 0;  // ∂²V/∂x²
    double hxy = 0;
    double hyy = 0;
};

// The potential of point charges whose amounts have been divided by the
// largest magnitude, so that every value here is of order one whatever the
// amounts are.
class Field
{
public:
    struct Charge
    {
        Point at;
        double q = 0;
    };

    explicit Field(std::vector<Charge> charges)
        : charges_(std::move(charges))
    {
    }

    const std::vector<Charge> &charges() const { return charges_; }

    double value(Point p) const
    {
        double v = 0;
        for (const Charge &c : charges_)
            v += c.q / norm(p.x - c.at.x, p.y - c.at.y);
        return v;
    }

    Derivatives derivatives(Point p) const
    {
        Derivatives d;
        for (const Charge &c : charges_) {
            const double dx = p.x - c.at.x;
            const double dy = p.y - c.at.y;
            const double r2 = dx * dx + dy * dy;
            const double r = std::sqrt(r2);
            const double qr3 = c.q / (r2 * r);
            const double qr5 = qr3 / r2;
            d.v += c.q / r;
            d.gx -= qr3 * dx;
            d.gy -= qr3 * dy;
            d.hxx += qr5 * (3 * dx * dx - r2);
            d.hxy += qr5 * 3 * dx * dy;
            d.hyy += qr5 * (3 * dy * dy - r2);
        }
        return d;
    }

private:
    std::vector<Charge> charges_;
};

constexpr double kTwoPi = 6.283185307179586;
constexpr double kCellPx = 3;       // marching-squares cell
constexpr double kMaxSegmentPx = 6;  // longest segment of a delivered curve
constexpr double kMinSegmentPx = 0.01;
constexpr double kTurn = 0.08;  // radians a curve may turn per segment (4.6°)
// Deviation of a segment's midpoint from the level, relative to the level,
// and absolute (relative to the largest amount) for levels near 0.
constexpr double kRelativeTolerance = 1e-3;
constexpr double kAbsoluteTolerance = 5e-8;
constexpr double kShortestCurvePx = 3;
constexpr int kMinLevels = 8;
constexpr int kMaxLevels = 12;
constexpr double kDotMarginPx = 3;  // between a dot and a label's box
constexpr std::size_t kMaxVertices = 100000;  // per curve; plot-sized curves stay far below

// The charges and the plot's scale, checked and with the amounts normalised.
struct Problem
{
    Field field{{}};
    double scale = 0;         // largest |q|; normalised potential × scale = V
    std::vector<Point> dots;  // every charge's place, amount 0 included
    double pxPerUnitX = 0;
    double pxPerUnitY = 0;
    double unitsPerPx = 0;  // the finer of the two directions
    double labelCharPx = 0;
    double labelHeightPx = 0;
    double dotRadiusPx = 0;
    double cellDiagonalPx = 0;
    int cellsX = 0;
    int cellsY = 0;

    double pxDistance(Point a, Point b) const { return std::sqrt(pxDistanceSquared(a, b)); }

    double pxDistanceSquared(Point a, Point b) const
    {
        const double dx = (a.x - b.x) * pxPerUnitX, dy = (a.y - b.y) * pxPerUnitY;
        return dx * dx + dy * dy;
    }

    // Grid nodes this close to a charge are left out of the contouring: the
    // cell holding the charge always is, and what is cut off lies under the
    // dot.
    double cutRadiusPx() const
    {
        return std::max(cellDiagonalPx + 0.25, dotRadiusPx - cellDiagonalPx - 0.25);
    }

    // The levels are chosen from the potential outside this radius: the
    // innermost ring around a charge keeps room for a label between itself
    // and the dot.
    double innerRadiusPx() const
    {
        return std::max(dotRadiusPx + kDotMarginPx + 0.5 * labelHeightPx + 1, cutRadiusPx() + 2 * cellDiagonalPx);
    }
};

std::optional<Problem> makeProblem(const std::vector<PointCharge> &charges,
                                   const EquipotentialOptions &options)
{
    Problem problem;
    for (const PointCharge &c : charges) {
        if (!std::isfinite(c.x) || !std::isfinite(c.y) || !std::isfinite(c.q))
            return std::nullopt;
        problem.scale = std::max(problem.scale, std::fabs(c.q));
        problem.dots.push_back({c.x, c.y});
    }
    if (!(problem.scale > 0) || !std::isfinite(problem.scale))
        return std::nullopt;

    std::vector<Field::Charge> normalised;
    for (const PointCharge &c : charges) {
        if (c.q != 0)
            normalised.push_back({{c.x, c.y}, c.q / problem.scale});
    }
    problem.field = Field(std::move(normalised));

    const int width = std::clamp(options.widthPx, 16, 8000);
    const int height = std::clamp(options.heightPx, 16, 8000);
    problem.pxPerUnitX = width / (kPlotRight - kPlotLeft);
    problem.pxPerUnitY = height / (kPlotTop - kPlotBottom);
    problem.unitsPerPx = 1 / std::max(problem.pxPerUnitX, problem.pxPerUnitY);
    auto sized = [](double v, double fallback) { return std::isfinite(v) && v >= 0 ? v : fallback; };
    problem.labelCharPx = sized(options.labelCharPx, 6);
    problem.labelHeightPx = sized(options.labelHeightPx, 11);
    problem.dotRadiusPx = std::min(sized(options.dotRadiusPx, 10), 100.0);
    problem.cellsX = std::max(4, static_cast<int>(std::lround(width / kCellPx)));
    problem.cellsY = std::max(4, static_cast<int>(std::lround(height / kCellPx)));
    problem.cellDiagonalPx = norm(double(width) / problem.cellsX, double(height) / problem.cellsY);
    return problem;
}

// The potential at the nodes of the marching-squares grid, which spans the
// plot exactly: its outer nodes lie on the border.
class Grid
{
public:
    explicit Grid(const Problem &problem)
        : nx_(problem.cellsX)
        , ny_(problem.cellsY)
    {
        const std::size_t nodes = std::size_t(nx_ + 1) * std::size_t(ny_ + 1);
        value_.resize(nodes);
        valid_.resize(nodes);
        seen_.resize(nodes);
        open_.resize(nodes);
        const double cut = problem.cutRadiusPx() * problem.cutRadiusPx();
        const double dot = (problem.dotRadiusPx + 1) * (problem.dotRadiusPx + 1);
        const double inner = problem.innerRadiusPx() * problem.innerRadiusPx() * (1 - 1e-9);
        for (int j = 0; j <= ny_; ++j) {
            for (int i = 0; i <= nx_; ++i) {
                const Point p = node(i, j);
                bool valid = true, seen = true, open = true;
                for (const Field::Charge &c : problem.field.charges()) {
                    const double d2 = problem.pxDistanceSquared(p, c.at);
                    valid = valid && d2 >= cut;
                    seen = seen && d2 >= dot;
                    open = open && d2 >= inner;
                }
                const int n = nodeIndex(i, j);
                valid_[n] = valid;
                seen_[n] = seen;
                open_[n] = open;
                value_[n] = valid ? problem.field.value(p) : 0;
            }
        }
    }

    int cellsX() const { return nx_; }
    int cellsY() const { return ny_; }
    int nodeIndex(int i, int j) const { return j * (nx_ + 1) + i; }
    Point node(int i, int j) const
    {
        return {kPlotLeft + (kPlotRight - kPlotLeft) * i / nx_,
                kPlotBottom + (kPlotTop - kPlotBottom) * j / ny_};
    }
    Point node(int n) const { return node(n % (nx_ + 1), n / (nx_ + 1)); }
    int nodeCount() const { return int(value_.size()); }
    double value(int n) const { return value_[n]; }
    bool valid(int n) const { return valid_[n] != 0; }
    // Outside every charge's dot.
    bool seen(int n) const { return seen_[n] != 0; }
    // Outside the inner radius of every charge (Problem::innerRadiusPx).
    bool open(int n) const { return open_[n] != 0; }

private:
    int nx_ = 0;
    int ny_ = 0;
    std::vector<double> value_;
    std::vector<unsigned char> valid_;
    std::vector<unsigned char> seen_;
    std::vector<unsigned char> open_;
};

// Levels k · step for k from kMin to kMax; step = mantissa · 10^exponent.
struct LevelPlan
{
    long long mantissa = 1;  // 1, 2, 5, or 25 with the exponent one lower
    int exponent = 0;
    int kMin = 0;
    int kMax = -1;

    int count() const { return kMax - kMin + 1; }

    double actual(int k) const
    {
        const double n = double(k * mantissa);
        return exponent >= 0 ? n * std::pow(10.0, exponent) : n / std::pow(10.0, -exponent);
    }
};

// Levels at equal steps; see equipotentialLevels() for the rule.
LevelPlan chooseLevels(const Problem &problem, const Grid &grid)
{
    const double inner = problem.innerRadiusPx();
    const double innerSquared = inner * inner * (1 - 1e-9);
    double low = std::numeric_limits<double>::infinity();
    double high = -low;
    auto take = [&](double v) {
        low = std::min(low, v);
        high = std::max(high, v);
    };
    auto outside = [&](Point p) {
        for (const Field::Charge &c : problem.field.charges()) {
            if (problem.pxDistanceSquared(p, c.at) < innerSquared)
                return false;
        }
        return true;
    };
    bool negative = false, positive = false;
    for (int n = 0; n < grid.nodeCount(); ++n) {
        if (grid.open(n))
            take(grid.value(n));
        if (grid.seen(n)) {
            negative = negative || grid.value(n) < 0;
            positive = positive || grid.value(n) > 0;
        }
    }
    // V has no extremum in the plane away from the charges, so beside the
    // grid only the rings at the inner radius need sampling.
    for (const Field::Charge &c : problem.field.charges()) {
        for (int a = 0; a < 128; ++a) {
            const double angle = a * (kTwoPi / 128);
            const Point p{c.at.x + inner / problem.pxPerUnitX * std::cos(angle),
                          c.at.y + inner / problem.pxPerUnitY * std::sin(angle)};
            if (Plot::contains(p.x, p.y) && outside(p))
                take(problem.field.value(p));
        }
    }
    LevelPlan plan;
    const double span = (high - low) * problem.scale;
    if (!(high > low) || !std::isfinite(span) || !(span > 0))
        return plan;

    const int top = static_cast<int>(std::floor(std::log10(span / kMinLevels))) + 1;
    const std::array<std::pair<long long, int>, 4> mantissas{{{5, 0}, {25, -1}, {2, 0}, {1, 0}}};
    for (int exponent = top; exponent >= top - 3; --exponent) {
        for (const auto &[mantissa, shift] : mantissas) {
            LevelPlan candidate;
            candidate.mantissa = mantissa;
            candidate.exponent = exponent + shift;
            const double step = candidate.actual(1) / problem.scale;
            if (!(step > 0) || !std::isfinite(step))
                continue;
            const double kMin = std::ceil(low / step - 1e-9);
            const double kMax = std::floor(high / step + 1e-9);
            if (kMax - kMin + 1 >= kMinLevels && kMax - kMin < 1e6) {
                candidate.kMin = int(kMin);
                candidate.kMax = int(kMax);
                // V = 0 is drawn wherever it shows, even when it is only a
                // ring close around a weak charge.
                if (negative && positive) {
                    candidate.kMin = std::min(candidate.kMin, 0);
                    candidate.kMax = std::max(candidate.kMax, 0);
                }
                // The levels of largest magnitude are the rings crowding a
                // charge: those go first.
                while (candidate.count() > kMaxLevels) {
                    const int above = candidate.kMax, below = -candidate.kMin;
                    if (above >= below)
                        --candidate.kMax;
                    if (below >= above)
                        ++candidate.kMin;
                }
                return candidate;
            }
        }
    }
    return plan;
}

// The text of level k · mantissa · 10^exponent, formatted from the integers
// so that it is exact and does not depend on the locale: like %g with 3
// significant digits (more only where a level needs them), the exponent
// without '+' or leading zeros.
std::string levelText(const LevelPlan &plan, int k)
{
    long long n = k * plan.mantissa;
    int exponent = plan.exponent;
    if (n == 0)
        return "V=0";
    const bool negative = n < 0;
    n = std::llabs(n);
    while (n % 10 == 0) {
        n /= 10;
        ++exponent;
    }
    const std::string digits = std::to_string(n);
    const int count = int(digits.size());
    const int lead = exponent + count - 1;  // decimal exponent of the first digit
    std::string text = negative ? "V=-" : "V=";
    if (lead < -4 || lead >= std::max(3, count)) {
        text += digits[0];
        if (count > 1)
            text += "." + digits.substr(1);
        text += "e" + std::to_string(lead);
    } else if (exponent >= 0) {
        text += digits + std::string(exponent, '0');
    } else if (lead >= 0) {
        text += digits.substr(0, lead + 1) + "." + digits.substr(lead + 1);
    } else {
        text += "0." + std::string(-lead - 1, '0') + digits;
    }
    return text;
}

// Makes one delivered curve from a marching-squares polyline of a level.
class CurveRefiner
{
public:
    CurveRefiner(const Problem &problem, double level)
        : field_(problem.field)
        , level_(level)
        , tolerance_(std::max(kRelativeTolerance * std::fabs(level), kAbsoluteTolerance))
        , maxSegment_(kMaxSegmentPx * problem.unitsPerPx)
        , minSegment_(kMinSegmentPx * problem.unitsPerPx)
        , maxMove_(problem.cellDiagonalPx * problem.unitsPerPx)
    {
    }

    // The guide's points lie on the level; its ends are kept exactly. Along
    // it, the vertices are spaced evenly in the measure ∫ ds / h(s), h the
    // segment length the curve wants where it is (segmentLength()), so that
    // neighbouring segments differ little in length; each is then put onto
    // the level.
    std::vector<Point> refine(std::vector<Point> guide, bool closed) const
    {
        std::vector<Point> path;
        for (const Point &p : guide) {
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
                const Point p = lerp(path[i - 1], path[i], done / length);
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

        std::vector<Point> vertices{path.front()};
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
            const Point p = lerp(path[piece], path[piece + 1], ds > 0 ? std::clamp((s - arc[piece]) / ds, 0.0, 1.0) : 0);
            vertices.push_back(project(p));
        }
        vertices.push_back(path.back());

        std::vector<Point> refined{vertices.front()};
        for (std::size_t i = 1; i < vertices.size(); ++i)
            subdivide(refined, vertices[i], 0);

        // Where the level passes (nearly) through a saddle and the guide
        // crosses it, neighbouring points can land on different branches of
        // the level; a vertex at which the curve would double back is left
        // out.
        std::vector<Point> result;
        for (const Point &p : refined) {
            while (result.size() >= 2) {
                const Point &a = result[result.size() - 2], &b = result.back();
                if ((b.x - a.x) * (p.x - b.x) + (b.y - a.y) * (p.y - b.y) >= 0)
                    break;
                result.pop_back();
            }
            result.push_back(p);
        }
        return result;
    }

private:
    // The segment length wanted at p: short enough that the curve turns by
    // at most kTurn per segment, that a segment's midpoint stays within the
    // tolerance of the level (its sagitta h²κ/8 times |∇V|), and a fraction
    // of the distance to where the field vanishes (a saddle, where the level
    // through it crosses itself).
    double segmentLength(Point p) const
    {
        const Derivatives d = field_.derivatives(p);
        const double g = norm(d.gx, d.gy);
        double h = maxSegment_;
        if (!(g > 0) || !std::isfinite(g))
            return minSegment_;
        const double bend = d.gy * d.gy * d.hxx - 2 * d.gx * d.gy * d.hxy + d.gx * d.gx * d.hyy;
        const double curvature = std::fabs(bend) / (g * g * g);
        if (curvature > 0) {
            h = std::min(h, kTurn / curvature);
            h = std::min(h, std::sqrt(8 * tolerance_ / (g * curvature)));
        }
        const double mean = 0.5 * (d.hxx + d.hyy);
        const double spread = norm(0.5 * (d.hxx - d.hyy), d.hxy);
        const double hessian = std::fabs(mean) + spread;
        if (hessian > 0)
            h = std::min(h, 0.25 * g / hessian);
        return std::isfinite(h) ? std::clamp(h, minSegment_, maxSegment_) : minSegment_;
    }

    // Newton steps along the gradient onto the level. A point that would
    // move farther than a grid cell (only near a saddle, where the gradient
    // vanishes) stays where it was.
    Point project(Point start) const
    {
        Point p = start;
        for (int iteration = 0; iteration < 8; ++iteration) {
            const Derivatives d = field_.derivatives(p);
            const double g2 = d.gx * d.gx + d.gy * d.gy;
            if (!(g2 > 0) || !std::isfinite(g2) || !std::isfinite(d.v))
                break;
            const double f = d.v - level_;
            const Point next{p.x - f * d.gx / g2, p.y - f * d.gy / g2};
            if (!finite(next) || distance(next, start) > maxMove_)
                return clampToPlot(start);
            const double step = distance(p, next);
            p = next;
            if (step < 1e-12)
                break;
        }
        return clampToPlot(p);
    }

    static Point clampToPlot(Point p)
    {
        return {std::clamp(p.x, kPlotLeft, kPlotRight), std::clamp(p.y, kPlotBottom, kPlotTop)};
    }

    // Appends b after out.back(), with vertices between them where the
    // segment's midpoint is off the level by more than the tolerance.
    void subdivide(std::vector<Point> &out, Point b, int depth) const
    {
        const Point a = out.back();
        const Point middle = lerp(a, b, 0.5);
        if (depth < 6 && out.size() < kMaxVertices
            && std::fabs(field_.value(middle) - level_) > tolerance_) {
            const Point m = project(middle);
            if (distance(m, a) > 1e-9 && distance(m, b) > 1e-9) {
                subdivide(out, m, depth + 1);
                subdivide(out, b, depth + 1);
                return;
            }
        }
        out.push_back(b);
    }

    const Field &field_;
    double level_ = 0;
    double tolerance_ = 0;
    double maxSegment_ = 0;
    double minSegment_ = 0;
    double maxMove_ = 0;
};

// Marching squares over the grid, one level at a time. Edges are numbered
// horizontal first (between nodes (i, j) and (i + 1, j)), then vertical
// (between (i, j) and (i, j + 1)); cells by their lower left node.
class Contourer
{
public:
    Contourer(const Problem &problem, const Grid &grid, const LevelPlan &plan)
        : problem_(problem)
        , grid_(grid)
        , plan_(plan)
        , nx_(grid.cellsX())
        , ny_(grid.cellsY())
        , horizontal_(nx_ * (ny_ + 1))
    {
        for (int k = plan.kMin; k <= plan.kMax; ++k)
            levels_.push_back(plan.actual(k) / problem.scale);

        // band_ = how many levels lie at or below the node's potential, so a
        // node is above level index m exactly when band_ > m.
        band_.resize(grid.nodeCount());
        for (int n = 0; n < grid.nodeCount(); ++n)
            band_[n] = int(std::upper_bound(levels_.begin(), levels_.end(), grid.value(n)) - levels_.begin());

        cellValid_.resize(std::size_t(nx_) * ny_);
        for (int j = 0; j < ny_; ++j) {
            for (int i = 0; i < nx_; ++i) {
                cellValid_[j * nx_ + i] = grid.valid(grid.nodeIndex(i, j)) && grid.valid(grid.nodeIndex(i + 1, j))
                                          && grid.valid(grid.nodeIndex(i, j + 1))
                                          && grid.valid(grid.nodeIndex(i + 1, j + 1));
            }
        }

        crossings_.resize(levels_.size());
        visited_.assign(horizontal_ + (nx_ + 1) * ny_, -1);
        auto addCrossings = [&](int e, int a, int b) {
            if (grid.valid(a) && grid.valid(b)) {
                for (int m = std::min(band_[a], band_[b]); m < std::max(band_[a], band_[b]); ++m)
                    crossings_[m].push_back(e);
            }
        };
        for (int j = 0; j <= ny_; ++j) {
            for (int i = 0; i < nx_; ++i)
                addCrossings(j * nx_ + i, grid.nodeIndex(i, j), grid.nodeIndex(i + 1, j));
        }
        for (int j = 0; j < ny_; ++j) {
            for (int i = 0; i <= nx_; ++i)
                addCrossings(horizontal_ + j * (nx_ + 1) + i, grid.nodeIndex(i, j), grid.nodeIndex(i, j + 1));
        }
    }

    void trace(int index, std::vector<EquipotentialCurve> &out)
    {
        const CurveRefiner refiner(problem_, levels_[index]);
        auto deliver = [&](const std::vector<Point> &guide, bool closed) {
            const std::vector<Point> points = refiner.refine(guide, closed);
            if (points.size() < 2)
                return;
            EquipotentialCurve curve;
            curve.level = plan_.actual(plan_.kMin + index);
            curve.closed = closed;
            curve.label.text = levelText(plan_, plan_.kMin + index);
            curve.points.reserve(points.size());
            for (const Point &p : points)
                curve.points.emplace_back(p.x, p.y);
            out.push_back(std::move(curve));
        };

        // First the curves that end (on the border, or at a cell left out
        // near a charge), each from whichever end comes first; every crossing
        // left over lies on a closed curve.
        for (int e : crossings_[index]) {
            const auto cells = validCells(e);
            if (visited_[e] != index && (cells[0] < 0) != (cells[1] < 0)) {
                bool closed = false;
                const auto guide = walk(index, e, std::max(cells[0], cells[1]), closed);
                deliver(guide, false);
            }
        }
        for (int e : crossings_[index]) {
            const auto cells = validCells(e);
            if (visited_[e] != index && cells[0] >= 0 && cells[1] >= 0) {
                bool closed = false;
                const auto guide = walk(index, e, cells[1], closed);
                deliver(guide, closed);
            }
        }
    }

private:
    std::array<int, 2> edgeNodes(int e) const
    {
        if (e < horizontal_) {
            const int j = e / nx_, i = e % nx_;
            return {grid_.nodeIndex(i, j), grid_.nodeIndex(i + 1, j)};
        }
        const int v = e - horizontal_;
        const int j = v / (nx_ + 1), i = v % (nx_ + 1);
        return {grid_.nodeIndex(i, j), grid_.nodeIndex(i, j + 1)};
    }

    // The contoured cells on either side of an edge, -1 for none.
    std::array<int, 2> validCells(int e) const
    {
        std::array<int, 2> cells{-1, -1};
        if (e < horizontal_) {
            const int j = e / nx_, i = e % nx_;
            if (j > 0)
                cells[0] = (j - 1) * nx_ + i;
            if (j < ny_)
                cells[1] = j * nx_ + i;
        } else {
            const int v = e - horizontal_;
            const int j = v / (nx_ + 1), i = v % (nx_ + 1);
            if (i > 0)
                cells[0] = j * nx_ + i - 1;
            if (i < nx_)
                cells[1] = j * nx_ + i;
        }
        for (int &c : cells) {
            if (c >= 0 && !cellValid_[c])
                c = -1;
        }
        return cells;
    }

    // Corners counterclockwise from the lower left; edge m joins corners m
    // and m + 1: bottom, right, top, left.
    std::array<int, 4> cellNodes(int c) const
    {
        const int j = c / nx_, i = c % nx_;
        return {grid_.nodeIndex(i, j), grid_.nodeIndex(i + 1, j), grid_.nodeIndex(i + 1, j + 1),
                grid_.nodeIndex(i, j + 1)};
    }

    std::array<int, 4> cellEdges(int c) const
    {
        const int j = c / nx_, i = c % nx_;
        const int left = horizontal_ + j * (nx_ + 1) + i;
        return {j * nx_ + i, left + 1, (j + 1) * nx_ + i, left};
    }

    // The edge through which the level leaves cell c after entering through
    // `entry`, -1 if it does not cross there. In a cell whose corners
    // alternate above and below the level, the potential at the centre
    // decides: the corners on the other side of it than the centre are cut
    // off.
    int exitEdge(int index, int c, int entry) const
    {
        const auto nodes = cellNodes(c);
        const auto edges = cellEdges(c);
        std::array<bool, 4> above{};
        for (int m = 0; m < 4; ++m)
            above[m] = band_[nodes[m]] > index;
        int me = -1;
        int crossing = 0;
        for (int m = 0; m < 4; ++m) {
            if (above[m] != above[(m + 1) % 4]) {
                ++crossing;
                if (edges[m] == entry)
                    me = m;
            }
        }
        if (me < 0)
            return -1;
        if (crossing == 2) {
            for (int m = 0; m < 4; ++m) {
                if (m != me && above[m] != above[(m + 1) % 4])
                    return edges[m];
            }
        }
        const Point centre = lerp(grid_.node(nodes[0]), grid_.node(nodes[2]), 0.5);
        const bool centreAbove = problem_.field.value(centre) >= levels_[index];
        return above[me] != centreAbove ? edges[(me + 3) % 4] : edges[(me + 1) % 4];
    }

    // Where the level crosses edge e: regula falsi with the Illinois
    // modification, between nodes on either side of the level.
    Point crossingPoint(int index, int e) const
    {
        const auto [n0, n1] = edgeNodes(e);
        const Point p0 = grid_.node(n0), p1 = grid_.node(n1);
        const double level = levels_[index];
        double a = 0, b = 1;
        double fa = grid_.value(n0) - level, fb = grid_.value(n1) - level;
        if (fa == 0)
            return p0;
        if (fb == 0)
            return p1;
        int side = 0;
        double t = 0.5;
        for (int iteration = 0; iteration < 60; ++iteration) {
            const double next = (a * fb - b * fa) / (fb - fa);
            if (!std::isfinite(next))
                break;
            const bool converged = std::fabs(next - t) < 1e-12;
            t = next;
            const double ft = problem_.field.value(lerp(p0, p1, t)) - level;
            if (ft == 0 || converged)
                break;
            if ((ft > 0) == (fb > 0)) {
                b = t;
                fb = ft;
                if (side == -1)
                    fa *= 0.5;
                side = -1;
            } else {
                a = t;
                fa = ft;
                if (side == 1)
                    fb *= 0.5;
                side = 1;
            }
        }
        return lerp(p0, p1, std::clamp(t, 0.0, 1.0));
    }

    // Follows the level from edge `start` into cell c until it leaves the
    // valid cells or comes back to `start`.
    std::vector<Point> walk(int index, int start, int c, bool &closed)
    {
        std::vector<Point> points{crossingPoint(index, start)};
        visited_[start] = index;
        int entry = start;
        for (std::size_t guard = 0; guard < visited_.size(); ++guard) {
            const int exit = exitEdge(index, c, entry);
            if (exit == start) {
                closed = true;
                break;
            }
            if (exit < 0 || visited_[exit] == index)
                break;
            visited_[exit] = index;
            points.push_back(crossingPoint(index, exit));
            const auto cells = validCells(exit);
            const int next = cells[0] == c ? cells[1] : cells[0];
            if (next < 0)
                break;
            c = next;
            entry = exit;
        }
        return points;
    }

    const Problem &problem_;
    const Grid &grid_;
    const LevelPlan &plan_;
    int nx_ = 0;
    int ny_ = 0;
    int horizontal_ = 0;
    std::vector<double> levels_;  // normalised
    std::vector<int> band_;
    std::vector<unsigned char> cellValid_;
    std::vector<std::vector<int>> crossings_;  // per level, the edges it crosses
    std::vector<int> visited_;                 // level index that last passed each edge
};

double pxLength(const Problem &problem, const EquipotentialCurve &curve)
{
    double length = 0;
    for (std::size_t i = 1; i < curve.points.size(); ++i) {
        length += problem.pxDistance({curve.points[i - 1].first, curve.points[i - 1].second},
                                     {curve.points[i].first, curve.points[i].second});
    }
    return length;
}

bool underDots(const Problem &problem, const EquipotentialCurve &curve)
{
    for (const auto &[x, y] : curve.points) {
        bool covered = false;
        for (const Point &dot : problem.dots)
            covered = covered || problem.pxDistance({x, y}, dot) < problem.dotRadiusPx;
        if (!covered)
            return false;
    }
    return true;
}

struct Box
{
    double left = 0, bottom = 0, right = 0, top = 0;
};

// Places one label per curve: the box is centred on a vertex of its curve,
// inside the plot, clear of every dot and of the labels already placed, and
// over as few other curves as can be. Short curves choose first, having the
// fewest places.
class LabelPlacer
{
public:
    explicit LabelPlacer(const Problem &problem)
        : problem_(problem)
        , columns_(int(std::ceil((kPlotRight - kPlotLeft) * problem.pxPerUnitX / kCoverPx)) + 1)
        , rows_(int(std::ceil((kPlotTop - kPlotBottom) * problem.pxPerUnitY / kCoverPx)) + 1)
        , cover_(std::size_t(columns_) * rows_, 0)
    {
    }

    void place(std::vector<EquipotentialCurve> &curves, const std::vector<std::array<float, 4>> *avoid)
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
            lengths[c] = pxLength(problem_, curves[c]);
        }
        std::stable_sort(order.begin(), order.end(),
                         [&](std::size_t a, std::size_t b) { return lengths[a] < lengths[b]; });
        for (std::size_t c : order)
            placeOne(curves[c], bit(c));
    }

private:
    static constexpr double kCoverPx = 4;  // cell of the map of where curves run
    static constexpr double kCandidatePx = 3;
    static constexpr double kLabelGapPx = 2;
    static constexpr double kBorderMarginPx = 1;
    static constexpr double kBorderRoomPx = 40;  // nearer the border than this counts against a place

    static std::uint64_t bit(std::size_t curve) { return std::uint64_t(1) << (curve % 64); }

    int column(double x) const
    {
        return std::clamp(int((x - kPlotLeft) * problem_.pxPerUnitX / kCoverPx), 0, columns_ - 1);
    }
    int row(double y) const
    {
        return std::clamp(int((y - kPlotBottom) * problem_.pxPerUnitY / kCoverPx), 0, rows_ - 1);
    }

    void mark(const EquipotentialCurve &curve, std::uint64_t owner)
    {
        for (std::size_t i = 0; i < curve.points.size(); ++i) {
            const Point b{curve.points[i].first, curve.points[i].second};
            const Point a = i > 0 ? Point{curve.points[i - 1].first, curve.points[i - 1].second} : b;
            const int steps = int(std::ceil(problem_.pxDistance(a, b) / (0.5 * kCoverPx)));
            for (int s = 0; s <= steps; ++s) {
                const Point p = steps > 0 ? lerp(a, b, double(s) / steps) : b;
                cover_[std::size_t(row(p.y)) * columns_ + column(p.x)] |= owner;
            }
        }
    }

    // A line of the picture to keep the labels clear of; only what lies on
    // the plot counts.
    void markAvoided(Point a, Point b)
    {
        if (!finite(a) || !finite(b) || Plot::besidePlot(a.x, a.y, b.x, b.y))
            return;
        const int steps = std::min(4096, int(std::ceil(problem_.pxDistance(a, b) / (0.5 * kCoverPx))));
        for (int s = 0; s <= steps; ++s) {
            const Point p = steps > 0 ? lerp(a, b, double(s) / steps) : b;
            if (Plot::contains(p.x, p.y))
                avoid_[std::size_t(row(p.y)) * columns_ + column(p.x)] = 1;
        }
    }

    Box boxAt(Point p, const std::string &text) const
    {
        const double halfWidth = 0.5 * problem_.labelCharPx * double(text.size()) / problem_.pxPerUnitX;
        const double halfHeight = 0.5 * problem_.labelHeightPx / problem_.pxPerUnitY;
        return {p.x - halfWidth, p.y - halfHeight, p.x + halfWidth, p.y + halfHeight};
    }

    bool fits(const Box &box) const
    {
        const double mx = kBorderMarginPx / problem_.pxPerUnitX, my = kBorderMarginPx / problem_.pxPerUnitY;
        if (box.left < kPlotLeft + mx || box.right > kPlotRight - mx || box.bottom < kPlotBottom + my
            || box.top > kPlotTop - my)
            return false;
        for (const Point &dot : problem_.dots) {
            const Point nearest{std::clamp(dot.x, box.left, box.right), std::clamp(dot.y, box.bottom, box.top)};
            if (problem_.pxDistance(nearest, dot) < problem_.dotRadiusPx + kDotMarginPx)
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

    // Cells of the map under the box that other curves, or lines to keep
    // clear of, run through.
    int crowding(const Box &box, std::uint64_t owner) const
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

    // Among the places over the fewest other curves, one where the curve
    // runs level (so it reads along the text) and away from the border.
    void placeOne(EquipotentialCurve &curve, std::uint64_t owner)
    {
        const auto &points = curve.points;
        const std::size_t n = points.size();
        auto at = [&](std::size_t i) { return Point{points[i].first, points[i].second}; };
        const double gx = kLabelGapPx / problem_.pxPerUnitX, gy = kLabelGapPx / problem_.pxPerUnitY;
        double best = std::numeric_limits<double>::infinity();
        Point bestAt;
        double sinceCandidate = kCandidatePx;
        for (std::size_t i = 0; i < n; ++i) {
            const Point p = at(i);
            if (i > 0)
                sinceCandidate += problem_.pxDistance(at(i - 1), p);
            if (sinceCandidate < kCandidatePx)
                continue;
            sinceCandidate = 0;
            const Box box = boxAt(p, curve.label.text);
            if (!fits(box))
                continue;
            const Box around{box.left - gx, box.bottom - gy, box.right + gx, box.top + gy};
            const Point before = at(i > 0 ? i - 1 : (curve.closed ? n - 2 : 0));
            const Point after = at(i + 1 < n ? i + 1 : (curve.closed ? 1 : n - 1));
            const double tx = (after.x - before.x) * problem_.pxPerUnitX, ty = (after.y - before.y) * problem_.pxPerUnitY;
            const double steep = norm(tx, ty) > 0 ? std::fabs(ty) / norm(tx, ty) : 1;
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

    const Problem &problem_;
    int columns_ = 0;
    int rows_ = 0;
    std::vector<std::uint64_t> cover_;  // per cell, a bit for each curve (modulo 64) through it
    std::vector<std::uint8_t> avoid_;   // per cell, whether a line to keep clear of runs through it
    std::vector<Box> placed_;
};

}  // namespace

double potentialAt(const std::vector<PointCharge> &charges, double x, double y)
{
    double v = 0;
    for (const PointCharge &c : charges) {
        if (c.q != 0)
            v += c.q / norm(x - c.x, y - c.y);
    }
    return v;
}

// The levels are k · step, step one of 1, 2, 2.5, 5 × 10^n, over the range of
// the potential in the plot outside a ring around each charge that leaves room
// for a label between it and the dot: the largest such step that gives at
// least 8 levels, and of those at most 12, leaving out the largest magnitudes
// (the rings nearest a charge) first, both signs alike when they tie. V = 0
// is among them wherever the potential changes sign outside the dots.
std::vector<double> equipotentialLevels(const std::vector<PointCharge> &charges, const EquipotentialOptions &options)
{
    const auto problem = makeProblem(charges, options);
    if (!problem)
        return {};
    const LevelPlan plan = chooseLevels(*problem, Grid(*problem));
    std::vector<double> levels;
    for (int k = plan.kMin; k <= plan.kMax; ++k)
        levels.push_back(plan.actual(k));
    return levels;
}

std::vector<EquipotentialCurve> equipotentials(const std::vector<PointCharge> &charges,
                                               const EquipotentialOptions &options)
{
    const auto problem = makeProblem(charges, options);
    if (!problem)
        return {};
    const Grid grid(*problem);
    const LevelPlan plan = chooseLevels(*problem, grid);
    std::vector<EquipotentialCurve> curves;
    if (plan.count() <= 0)
        return curves;
    Contourer contourer(*problem, grid, plan);
    for (int index = 0; index < plan.count(); ++index)
        contourer.trace(index, curves);

    // Pieces a few pixels long, or hidden under the dots, are left out.
    curves.erase(std::remove_if(curves.begin(), curves.end(),
                                [&](const EquipotentialCurve &curve) {
                                    return pxLength(*problem, curve) < kShortestCurvePx
                                           || underDots(*problem, curve);
                                }),
                 curves.end());
    LabelPlacer(*problem).place(curves, options.avoid);
    return curves;
}
