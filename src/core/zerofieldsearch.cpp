#include "core/zerofieldsearch.h"

#include "core/plotgeometry.h"
#include "core/pointfield.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

constexpr double kAccuracy = 1e-9;
// The grid reaches a little beyond the plot, so that a zero or a charge on
// the border lies inside a cell, and its spacing (about 0.94 units) is no
// round number, so that charges typed at round places seldom sit on a
// corner.
constexpr double kMargin = 0.37;
constexpr int kColumns = 97;
constexpr int kRows = 55;
// A cell is split at most this often, down to about 6e-5 units.
constexpr int kDeepest = 14;
constexpr double kSamePoint = 1e-7;

double cross(const FieldVector &a, const FieldVector &b)
{
    return a.x * b.y - a.y * b.x;
}

class Search
{
public:
    explicit Search(const Charges &charges)
    {
        for (const PointCharge &c : charges) {
            if (c.q != 0 && std::isfinite(c.q))
                charges_.push_back(c);
        }
        field_ = PointField(charges_);
    }

    std::vector<PlotPoint> run()
    {
        if (charges_.size() < 2)
            return {};
        const double left = Plot::kLeft - kMargin;
        const double bottom = Plot::kBottom - kMargin;
        const double width = (Plot::kRight - Plot::kLeft + 2 * kMargin) / kColumns;
        const double height = (Plot::kTop - Plot::kBottom + 2 * kMargin) / kRows;
        std::vector<FieldVector> nodes;
        nodes.reserve(std::size_t((kColumns + 1) * (kRows + 1)));
        for (int j = 0; j <= kRows; ++j) {
            for (int i = 0; i <= kColumns; ++i)
                nodes.push_back(direction(left + i * width, bottom + j * height, width));
        }
        auto node = [&](int i, int j) { return nodes[std::size_t(j * (kColumns + 1) + i)]; };
        for (int j = 0; j < kRows; ++j) {
            for (int i = 0; i < kColumns; ++i) {
                const double x0 = left + i * width;
                const double y0 = bottom + j * height;
                examine(x0, y0, x0 + width, y0 + height, {node(i, j), node(i + 1, j), node(i + 1, j + 1), node(i, j + 1)},
                        0);
            }
        }
        std::sort(found_.begin(), found_.end(),
                  [](const PlotPoint &a, const PlotPoint &b) { return a.x < b.x || (a.x == b.x && a.y < b.y); });
        std::vector<PlotPoint> points;
        for (const PlotPoint &p : found_) {
            const bool seen = std::any_of(points.begin(), points.end(), [&](const PlotPoint &q) {
                return std::fabs(p.x - q.x) <= kSamePoint && std::fabs(p.y - q.y) <= kSamePoint;
            });
            if (!seen)
                points.push_back(p);
        }
        return points;
    }

private:
    // E at a corner; on a charge, E a hair's breadth away, which puts the
    // charge on one side of the cell's edge.
    FieldVector direction(double x, double y, double cell) const
    {
        FieldVector e = field_.field(x, y);
        if (!std::isfinite(e.x) || !std::isfinite(e.y))
            e = field_.field(x + 1e-9 * cell, y + 1.7e-9 * cell);
        return e;
    }

    // The winding of E round the corners, counter-clockwise, taking each
    // edge as the smaller turn; unsure where a turn exceeds 120 degrees or
    // E vanishes at a corner.
    static int winding(const std::array<FieldVector, 4> &v, bool &unsure)
    {
        int w = 0;
        for (std::size_t i = 0; i < 4; ++i) {
            const FieldVector &a = v[i];
            const FieldVector &b = v[(i + 1) % 4];
            const double along = a.x * b.x + a.y * b.y;
            const double a2 = a.x * a.x + a.y * a.y;
            const double b2 = b.x * b.x + b.y * b.y;
            if (a2 == 0 || b2 == 0 || (along < 0 && along * along > 0.25 * a2 * b2))
                unsure = true;
            if (a.y <= 0) {
                if (b.y > 0 && cross(a, b) > 0)
                    ++w;
            } else if (b.y <= 0 && cross(a, b) < 0) {
                --w;
            }
        }
        return w;
    }

    int chargesIn(double x0, double y0, double x1, double y1) const
    {
        int n = 0;
        for (const PointCharge &c : charges_) {
            if (c.x >= x0 && c.x < x1 && c.y >= y0 && c.y < y1)
                ++n;
        }
        return n;
    }

    void examine(double x0, double y0, double x1, double y1, const std::array<FieldVector, 4> &corners, int depth)
    {
        bool unsure = false;
        const int w = winding(corners, unsure);
        const int n = chargesIn(x0, y0, x1, y1);
        if (!unsure && w == n)
            return;
        const double size = std::max(x1 - x0, y1 - y0);
        const PlotPoint centre{0.5 * (x0 + x1), 0.5 * (y0 + y1)};
        if (n == 0 && !unsure && newton(centre, size, x0, y0, x1, y1))
            return;
        if (depth >= kDeepest) {
            newton(centre, size, -HUGE_VAL, -HUGE_VAL, HUGE_VAL, HUGE_VAL);
            return;
        }
        const double xm = centre.x;
        const double ym = centre.y;
        const FieldVector bottom = direction(xm, y0, size);
        const FieldVector right = direction(x1, ym, size);
        const FieldVector top = direction(xm, y1, size);
        const FieldVector left = direction(x0, ym, size);
        const FieldVector middle = direction(xm, ym, size);
        examine(x0, y0, xm, ym, {corners[0], bottom, middle, left}, depth + 1);
        examine(xm, y0, x1, ym, {bottom, corners[1], right, middle}, depth + 1);
        examine(xm, ym, x1, y1, {middle, right, corners[2], top}, depth + 1);
        examine(x0, ym, xm, y1, {left, middle, top, corners[3]}, depth + 1);
    }

    // Σ|qᵢ|/rᵢ², the field the charges would make at p all pulling one way.
    double scale(PlotPoint p) const
    {
        double s = 0;
        for (const PointCharge &c : charges_)
            s += std::fabs(c.q) / ((p.x - c.x) * (p.x - c.x) + (p.y - c.y) * (p.y - c.y));
        return s;
    }

    // Newton's method on ∇V = 0 (E = −∇V) from p, each step at most a
    // cell long. Keeps the point it converges to when that lies within the
    // bounds given, to the accuracy promised, and on the plot.
    bool newton(PlotPoint p, double cell, double x0, double y0, double x1, double y1)
    {
        for (int i = 0; i < 200; ++i) {
            const FieldDerivatives d = field_.derivatives(p.x, p.y);
            const double det = d.hxx * d.hyy - d.hxy * d.hxy;
            if (!std::isfinite(det))
                return false;
            if (det == 0 || (d.gx == 0 && d.gy == 0))
                break;
            double dx = -(d.hyy * d.gx - d.hxy * d.gy) / det;
            double dy = -(d.hxx * d.gy - d.hxy * d.gx) / det;
            const double length = std::sqrt(dx * dx + dy * dy);
            if (length > cell) {
                dx *= cell / length;
                dy *= cell / length;
            }
            p = {p.x + dx, p.y + dy};
            if (length <= 1e-15 * (std::fabs(p.x) + std::fabs(p.y) + cell))
                break;
        }
        const FieldDerivatives d = field_.derivatives(p.x, p.y);
        const bool converged = std::sqrt(d.gx * d.gx + d.gy * d.gy) <= kAccuracy * scale(p);
        if (!converged || p.x < x0 || p.x > x1 || p.y < y0 || p.y > y1)
            return false;
        if (Plot::contains(p.x, p.y))
            found_.push_back(p);
        return true;
    }

    Charges charges_;
    PointField field_;
    std::vector<PlotPoint> found_;
};

}  // namespace

std::vector<PlotPoint> findZeroFieldPoints(const Charges &charges)
{
    return Search(charges).run();
}
