// The lines of a whole picture: symmetric configurations give symmetric
// lines and arrowheads, those traced back from negative charges included,
// and every negative charge shows its share.

#include "core/accuratelines.h"
#include "core/fieldlinedrawing.h"
#include "core/linestarts.h"
#include "core/plotgeometry.h"
#include "core/recordingsurface.h"
#include "support/chargesets.h"
#include "support/fieldgeometry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

namespace {

using Map = std::function<PlotPoint(PlotPoint)>;
using Segments = std::vector<std::pair<PlotPoint, PlotPoint>>;

constexpr double kRadian = 3.14159265358979323846 / 180;

Map mirror(double degrees)  // in the line through the origin at that angle
{
    const double c = std::cos(2 * degrees * kRadian), s = std::sin(2 * degrees * kRadian);
    return [=](PlotPoint p) { return PlotPoint{c * p.x + s * p.y, s * p.x - c * p.y}; };
}

Map turn(double degrees)
{
    const double c = std::cos(degrees * kRadian), s = std::sin(degrees * kRadian);
    return [=](PlotPoint p) { return PlotPoint{c * p.x - s * p.y, s * p.x + c * p.y}; };
}

bool near(PlotPoint p, const Segments &segments, double within)
{
    return std::any_of(segments.begin(), segments.end(),
                       [&](const auto &s) { return distanceToSegment(p, s.first, s.second) <= within; });
}

// Where a line crosses the border it has a vertex on its exact curve, which
// a symmetry that does not keep the plot takes onto a chord of the other
// line, a quarter pixel at most from it.
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
        // Taking the plot onto itself, the symmetries take the drawn pieces
        // and their arrowheads onto the drawing too.
        bool keepThePlot;
    };
    const Row rows[] = {
        {"quadrupole: diagonals", ChargeSets::quadrupole(), {mirror(45), mirror(-45)}, false},
        {"quadrupole: half turn", ChargeSets::quadrupole(), {turn(180)}, true},
        {"triangle: mirror", ChargeSets::triangle(), {mirror(90)}, true},
        {"triangle: thirds of a turn", ChargeSets::triangle(), {turn(120), turn(240)}, false},
        {"plate", ChargeSets::plate(), {mirror(0), mirror(90)}, true},
        {"capacitor", ChargeSets::capacitor(), {mirror(90)}, true},
        {"dipole at 37 degrees", ChargeSets::turned(ChargeSets::dipole(), 37), {mirror(37)}, false},
        {"like pair upright", {{0, -15, 10}, {0, 15, 10}}, {mirror(0), mirror(90)}, true},
        {"unlike 2:1 at 150 degrees", ChargeSets::turned({{-15, 0, 10}, {15, 0, -5}}, 150), {mirror(150)}, false},
        {"only negative charges", {{-15, 0, -10}, {15, 0, -10}}, {mirror(0), mirror(90)}, true},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        const std::vector<TracedLine> lines = accurateFieldLines(row.charges);
        Segments traced;
        for (const TracedLine &line : lines) {
            for (std::size_t k = 1; k < line.points.size(); ++k) {
                if (std::hypot(line.points[k].x, line.points[k].y) < 70)
                    traced.push_back({line.points[k - 1], line.points[k]});
            }
        }
        RecordingSurface surface;
        drawFieldLines(surface, lines, row.charges);
        Segments drawn;
        for (const auto &o : surface.drawing())
            drawn.push_back({{o.x1, o.y1}, {o.x2, o.y2}});
        for (const Map &map : row.symmetries) {
            int off = 0;
            for (const auto &[a, b] : traced) {
                if (std::hypot(b.x, b.y) < 60 && !onBorder(b) && !near(map(b), traced, 0.01))
                    ++off;
            }
            // The drawing, in 32-bit coordinates, where they keep the plot.
            for (const auto &[a, b] : row.keepThePlot ? drawn : Segments{}) {
                if (!near(map(a), drawn, 0.01 + 1e-5) || !near(map(b), drawn, 0.01 + 1e-5))
                    ++off;
            }
            EXPECT_EQ(off, 0);
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
