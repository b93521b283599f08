// The points where the field vanishes, found numerically for any number of
// charges: as many as the symmetry of each configuration demands, each to
// a billionth of the field's scale, the same as the closed form for two.

#include "core/pointfield.h"
#include "core/recordingsurface.h"
#include "core/zerofield.h"
#include "core/zerofieldsearch.h"
#include "support/chargesets.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(ZeroFieldSearch, FindsEveryPointOnThePlot)
{
    struct Row
    {
        const char *name;
        Charges charges;
        std::size_t count;
    };
    const Row rows[] = {
        {"dipole: none", ChargeSets::dipole(), 0},
        {"like pair: between them", {{-15, 0, 10}, {15, 0, 10}}, 1},
        {"unlike 10 and -5: beyond the weaker", {{-15, 0, 10}, {15, 0, -5}}, 0},  // at x = 87
        {"unlike 10 and -0.5", {{-15, 0, 10}, {15, 0, -0.5}}, 1},
        {"close like pair", {{0, 0, 10}, {0.01, 0, 10}}, 1},
        {"a charge of 0 has no field", {{-15, 0, 10}, {15, 0, 0}}, 0},
        {"quadrupole: the middle", ChargeSets::quadrupole(), 1},
        // The middle and a saddle towards each side.
        {"triangle", ChargeSets::triangle(), 4},
        {"square of like charges", {{-10, -10, 10}, {10, -10, 10}, {10, 10, 10}, {-10, 10, 10}}, 5},
        {"plate: between neighbours", ChargeSets::plate(), 12},
        {"capacitor: beside each row", ChargeSets::capacitor(), 24},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        const std::vector<PlotPoint> points = findZeroFieldPoints(row.charges);
        EXPECT_EQ(points.size(), row.count);
        for (const PlotPoint &p : points) {
            EXPECT_TRUE(Plot::contains(p.x, p.y));
            double scale = 0;
            for (const PointCharge &c : row.charges)
                scale += std::fabs(c.q) / ((p.x - c.x) * (p.x - c.x) + (p.y - c.y) * (p.y - c.y));
            const FieldVector e = PointField(row.charges).field(p.x, p.y);
            EXPECT_LE(std::hypot(e.x, e.y), 1e-9 * scale);
        }
        if (row.charges.size() == 2) {
            const std::vector<PlotPoint> closed = zeroFieldPoints(row.charges);
            ASSERT_EQ(closed.size(), points.size());
            for (std::size_t i = 0; i < closed.size(); ++i) {
                EXPECT_NEAR(points[i].x, closed[i].x, 1e-9);
                EXPECT_NEAR(points[i].y, closed[i].y, 1e-9);
            }
        }
    }
}

// The rings for a list of points are those the two-charge markers draw.
TEST(ZeroFieldSearch, RingsForAnyPoints)
{
    const Charges like = {{-15, 0, 10}, {15, 0, 10}};
    RecordingSurface markers;
    drawZeroFieldMarkers(markers, like);
    RecordingSurface rings;
    drawZeroFieldRings(rings, findZeroFieldPoints(like));
    ASSERT_EQ(rings.operations().size(), markers.operations().size());
    for (std::size_t i = 0; i < rings.operations().size(); ++i) {
        EXPECT_EQ(rings.operations()[i].op, markers.operations()[i].op);
        EXPECT_NEAR(rings.operations()[i].x1, markers.operations()[i].x1, 1e-6);
        EXPECT_NEAR(rings.operations()[i].y2, markers.operations()[i].y2, 1e-6);
    }
    RecordingSurface none;
    drawZeroFieldRings(none, {});
    EXPECT_TRUE(none.operations().empty());
    RecordingSurface plate;
    drawZeroFieldRings(plate, findZeroFieldPoints(ChargeSets::plate()));
    EXPECT_EQ(plate.drawing().size(), 12u * 24);
}

}  // namespace
