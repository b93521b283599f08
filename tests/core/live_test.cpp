#include "core/drag.h"
#include "core/fieldprobe.h"
#include "core/zerofield.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>

namespace {

// Dragging: rounded to halves, kept on the plot and in order; a place on the
// other charge is skipped.
TEST(Drag, TargetFollowsTheRules)
{
    struct Row
    {
        const char *name;
        double x, y;
        int charge;
        PlotPoint other;
        bool twoCharges;
        std::optional<PlotPoint> expected;
    };
    const PlotPoint c1{-15, 0};
    const PlotPoint c2{15, 0};
    const Row rows[] = {
        {"rounded to halves", -12.26, 3.74, 1, c2, true, PlotPoint{-12.5, 3.5}},
        {"halves round away from zero", 0.25, -0.25, 2, c1, true, PlotPoint{0.5, -0.5}},
        {"kept inside the plot", 60, -30, 2, c1, true, PlotPoint{45, -25}},
        {"charge 2 not left of charge 1", -20, 4, 2, c1, true, PlotPoint{-15, 4}},
        {"charge 1 not right of charge 2", 20, -4, 1, c2, true, PlotPoint{15, -4}},
        {"one above the other is fine", 15.2, 10.1, 1, c2, true, PlotPoint{15, 10}},
        {"onto the other charge is skipped", 14.9, 0.1, 1, c2, true, std::nullopt},
        {"clamped onto the other charge is skipped", -30, 0.2, 2, c1, true, std::nullopt},
        {"a single charge goes anywhere on the plot", 30, 0, 1, c2, false, PlotPoint{30, 0}},
        {"not a number", NAN, 0, 1, c2, true, std::nullopt},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        const std::optional<PlotPoint> got = dragTarget(row.x, row.y, row.charge, row.other, row.twoCharges);
        ASSERT_EQ(got.has_value(), row.expected.has_value());
        if (got) {
            EXPECT_EQ(got->x, row.expected->x);
            EXPECT_EQ(got->y, row.expected->y);
        }
    }
}

TEST(Drag, CoordinatesReadAloud)
{
    const std::pair<double, const char *> rows[] = {
        {-12.5, "-12.5"}, {15, "15"}, {0, "0"}, {-0.0, "0"}, {-0.5, "-0.5"}, {45, "45"}, {-7.3f, "-7.3"},
    };
    for (const auto &[value, text] : rows)
        EXPECT_EQ(coordinateText(value), text) << value;
}

// The zero-field point, checked numerically: |E| there is a millionth of
// the field's scale midway between the charges or less.
TEST(ZeroField, PointsWhereTheFieldVanishes)
{
    struct Row
    {
        const char *name;
        Charges charges;
        std::size_t count;
        PlotPoint expected;  // when count is 1
    };
    const Row rows[] = {
        {"equal like charges: midway", {{-15, 0, 10}, {15, 0, 10}}, 1, {0, 0}},
        {"like 4:1, nearer the weaker", {{-15, 0, 4}, {15, 0, 1}}, 1, {5, 0}},
        {"negative pair", {{-15, 0, -1}, {15, 0, -4}}, 1, {-5, 0}},
        {"unlike, charge 2 weaker: beyond charge 2", {{-15, 0, 4}, {0, 0, -1}}, 1, {15, 0}},
        {"unlike, charge 1 weaker: beyond charge 1", {{0, 0, -1}, {15, 0, 4}}, 1, {-15, 0}},
        {"one above the other", {{0, -10, 10}, {0, 10, 10}}, 1, {0, 0}},
        {"on a slant", {{-10, -5, 1}, {10, 5, 9}}, 1, {-5, -2.5}},
        {"beyond the plot: none", {{-15, 0, 10}, {15, 0, -9.9}}, 0, {}},
        {"equal unlike: none", {{-15, 0, 10}, {15, 0, -10}}, 0, {}},
        {"a zero charge: none", {{-15, 0, 0}, {15, 0, 10}}, 0, {}},
        {"a single charge: none", {{0, 0, 10}}, 0, {}},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        const std::vector<PlotPoint> points = zeroFieldPoints(row.charges);
        ASSERT_EQ(points.size(), row.count);
        if (row.count == 0)
            continue;
        EXPECT_NEAR(points[0].x, row.expected.x, 1e-9);
        EXPECT_NEAR(points[0].y, row.expected.y, 1e-9);
        const PointCharge &a = row.charges[0];
        const PointCharge &b = row.charges[1];
        // The scale of the field midway: the sum of the two contributions
        // there (their difference, the field itself, is 0 for equal like
        // charges).
        const double halfDistance = std::hypot(b.x - a.x, b.y - a.y) / 2;
        const double midway = (std::fabs(a.q) + std::fabs(b.q)) / (halfDistance * halfDistance);
        EXPECT_LT(fieldAt(row.charges, points[0].x, points[0].y).strength, 1e-6 * midway);
    }
}

// The probe at points one can check by hand: E = Σ q r̂ / r², V = Σ q / r.
TEST(Probe, FieldAndPotentialAtHandCheckedPoints)
{
    struct Row
    {
        const char *name;
        Charges charges;
        double x, y;
        bool defined;
        double strength, degrees, potential;
    };
    const Charges dipole = {{-15, 0, 10}, {15, 0, -10}};
    const Row rows[] = {
        // 10 at distance 2: 10/4 pointing away, potential 10/2.
        {"single charge, right of it", {{0, 0, 10}}, 2, 0, true, 2.5, 0, 5},
        {"single negative charge, above it", {{0, 0, -10}}, 0, 5, true, 0.4, 270, -2},
        // Midway in the dipole both fields point toward charge 2: 2 · 10/225.
        {"dipole midway", dipole, 0, 0, true, 20.0 / 225, 0, 0},
        // Above the middle at (0, 20): r = 25, each field 10/625, the x parts add.
        {"dipole above the middle", dipole, 0, 20, true, 2 * 10.0 / 625 * 15 / 25, 0, 0},
        {"on a charge", dipole, -15, 0, false, 0, 0, 0},
        // A charge of 0 is nothing: on it, only the other's 10/900 toward -x.
        {"on a charge of 0", {{-15, 0, 0}, {15, 0, 10}}, -15, 0, true, 10.0 / 900, 180, 10.0 / 30},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        const FieldSample s = fieldAt(row.charges, row.x, row.y);
        ASSERT_EQ(s.defined, row.defined);
        EXPECT_NEAR(s.strength, row.strength, 1e-12);
        EXPECT_NEAR(s.degrees, row.degrees, 1e-9);
        EXPECT_NEAR(s.potential, row.potential, 1e-12);
    }
}

}  // namespace
