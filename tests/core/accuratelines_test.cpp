// The lines of a whole picture: symmetric configurations give symmetric
// lines and arrowheads, and every negative charge shows its share.

#include "core/accuratelines.h"
#include "core/fieldlinedrawing.h"
#include "core/linestarts.h"
#include "core/plotgeometry.h"
#include "core/recordingsurface.h"
#include "support/chargesets.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

namespace {

constexpr double kPi = 3.14159265358979323846;

using Map = std::function<PlotPoint(PlotPoint)>;

// The mirror in the line through the origin at the given angle.
Map mirror(double degrees)
{
    const double c = std::cos(2 * degrees * kPi / 180), s = std::sin(2 * degrees * kPi / 180);
    return [=](PlotPoint p) { return PlotPoint{c * p.x + s * p.y, s * p.x - c * p.y}; };
}

Map turn(double degrees)
{
    const double c = std::cos(degrees * kPi / 180), s = std::sin(degrees * kPi / 180);
    return [=](PlotPoint p) { return PlotPoint{c * p.x - s * p.y, s * p.x + c * p.y}; };
}

Charges mapped(Charges charges, const Map &map)
{
    for (PointCharge &c : charges) {
        const PlotPoint p = map({c.x, c.y});
        c.x = p.x;
        c.y = p.y;
    }
    return charges;
}

// Segments sorted into cells of one unit round the plot, for the distance
// from a point to the nearest of them.
class SegmentIndex
{
public:
    void add(PlotPoint a, PlotPoint b)
    {
        const int x0 = cell(std::min(a.x, b.x) - kNear), x1 = cell(std::max(a.x, b.x) + kNear);
        const int y0 = cell(std::min(a.y, b.y) - kNear), y1 = cell(std::max(a.y, b.y) + kNear);
        if (x1 < 0 || y1 < 0 || x0 >= kCells || y0 >= kCells)
            return;
        for (int i = std::max(x0, 0); i <= std::min(x1, kCells - 1); ++i) {
            for (int j = std::max(y0, 0); j <= std::min(y1, kCells - 1); ++j)
                cells_[std::size_t(i * kCells + j)].push_back({a, b});
        }
    }

    // Within kNear of some segment?
    bool near(PlotPoint p) const
    {
        const int i = cell(p.x), j = cell(p.y);
        if (i < 0 || j < 0 || i >= kCells || j >= kCells)
            return false;
        for (const auto &[a, b] : cells_[std::size_t(i * kCells + j)]) {
            const double dx = b.x - a.x, dy = b.y - a.y, l2 = dx * dx + dy * dy;
            const double t = l2 > 0 ? std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / l2, 0.0, 1.0) : 0;
            if (std::hypot(p.x - a.x - t * dx, p.y - a.y - t * dy) <= kNear)
                return true;
        }
        return false;
    }

    static constexpr double kNear = 0.01;

private:
    static constexpr int kCells = 140;  // −70 … 70
    static int cell(double v) { return int(std::floor(v + kCells / 2)); }
    std::vector<std::vector<std::pair<PlotPoint, PlotPoint>>> cells_ =
        std::vector<std::vector<std::pair<PlotPoint, PlotPoint>>>(std::size_t(kCells * kCells));
};

// Where a line crosses the border it has a vertex on its exact curve, which
// a symmetry that does not keep the plot takes to a chord of the other line.
bool onBorder(PlotPoint p)
{
    return std::fabs(p.x) == Plot::kRight || std::fabs(p.y) == Plot::kTop;
}

TEST(AccurateFieldLines, SymmetricConfigurationsGiveSymmetricPictures)
{
    struct Row
    {
        const char *name;
        Charges charges;
        std::vector<Map> symmetries;
        // The plot onto itself: the drawn pieces and their arrowheads map
        // onto the drawing too, not only the lines.
        bool keepsThePlot;
    };
    const Row rows[] = {
        {"quadrupole: diagonals", ChargeSets::quadrupole(), {mirror(45), mirror(-45)}, false},
        {"quadrupole: half turn", ChargeSets::quadrupole(), {turn(180)}, true},
        {"triangle: mirror", ChargeSets::triangle(), {mirror(90)}, true},
        {"triangle: thirds of a turn", ChargeSets::triangle(), {turn(120), turn(240)}, false},
        {"plate", ChargeSets::plate(), {mirror(0), mirror(90)}, true},
        {"capacitor", ChargeSets::capacitor(), {mirror(90)}, true},
        {"dipole at 37 degrees", mapped(ChargeSets::dipole(), turn(37)), {mirror(37)}, false},
        {"like pair upright", {{0, -15, 10}, {0, 15, 10}}, {mirror(0), mirror(90)}, true},
        {"unlike 2:1 at 150 degrees", mapped({{-15, 0, 10}, {15, 0, -5}}, turn(150)), {mirror(150)}, false},
        {"only negative charges", {{-15, 0, -10}, {15, 0, -10}}, {mirror(0), mirror(90)}, true},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        const std::vector<TracedLine> lines = accurateFieldLines(row.charges);
        SegmentIndex traced;
        for (const TracedLine &line : lines) {
            for (std::size_t k = 1; k < line.points.size(); ++k)
                traced.add(line.points[k - 1], line.points[k]);
        }
        RecordingSurface surface;
        drawFieldLines(surface, lines, row.charges);
        SegmentIndex drawn;
        for (const auto &o : surface.drawing())
            drawn.add({o.x1, o.y1}, {o.x2, o.y2});
        for (const Map &map : row.symmetries) {
            int off = 0;
            for (const TracedLine &line : lines) {
                for (const PlotPoint &p : line.points) {
                    if (std::hypot(p.x, p.y) < 60 && !onBorder(p) && !traced.near(map(p)))
                        ++off;
                }
            }
            EXPECT_EQ(off, 0);
            if (!row.keepsThePlot)
                continue;
            // Drawn in float: a little more room.
            int offDrawn = 0;
            for (const auto &o : surface.drawing()) {
                for (PlotPoint p : {PlotPoint{o.x1, o.y1}, PlotPoint{o.x2, o.y2}}) {
                    const PlotPoint q = map(p);
                    if (!drawn.near(q) && !drawn.near({q.x + 1e-5, q.y}) && !drawn.near({q.x - 1e-5, q.y}))
                        ++offDrawn;
                }
            }
            EXPECT_EQ(offDrawn, 0);
        }
    }
}

TEST(AccurateFieldLines, EveryNegativeChargeShowsItsShare)
{
    const std::pair<const char *, Charges> rows[] = {
        {"dipole", ChargeSets::dipole()},
        {"unlike 1:2", {{-15, 0, 5}, {15, 0, -10}}},
        {"unlike 2:1", {{-15, 0, 10}, {15, 0, -5}}},
        {"quadrupole", ChargeSets::quadrupole()},
        {"capacitor", ChargeSets::capacitor()},
        {"only negative charges", {{-15, 0, -10}, {15, 0, -10}}},
    };
    for (const auto &[name, charges] : rows) {
        SCOPED_TRACE(name);
        const std::vector<int> shares = lineShares(charges);
        std::vector<int> shown(charges.size(), 0);
        for (const TracedLine &line : accurateFieldLines(charges)) {
            if (line.end.how == LineEnd::Charge)
                ++shown[std::size_t(line.end.charge)];
            if (!line.alongField)
                ++shown[std::size_t(line.start.charge)];
        }
        for (std::size_t j = 0; j < charges.size(); ++j) {
            if (charges[j].q < 0) {
                EXPECT_NEAR(shown[j], shares[j], 1) << "charge " << j;
            }
        }
    }
}

}  // namespace
