// The refinement of a rough path into a delivered curve, on levels of known
// shape: the circle r = 1 / V round a single charge of amount 1, the line
// x = 0 of an equal unlike pair. The curve keeps the guide's ends, lies on
// the level, turns by at most 4.6° a segment and has no segment over 6 px.

#include "core/angles.h"
#include "core/curverefiner.h"
#include "core/equipotentialproblem.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

constexpr double kPi = kExactPi;
constexpr double kPxPerUnit = 7.7;

// n points of the circle of radius r round the origin, from angle `from` to
// `to`.
std::vector<PlotPoint> arc(double r, double from, double to, int n)
{
    std::vector<PlotPoint> points;
    for (int i = 0; i < n; ++i) {
        const double a = from + (to - from) * i / (n - 1);
        points.push_back({r * std::cos(a), r * std::sin(a)});
    }
    return points;
}

TEST(CurveRefiner, CurvesOnTheLevelWithShortGentleSegments)
{
    struct Row
    {
        const char *name;
        std::vector<PointCharge> charges;
        double level;
        std::vector<PlotPoint> guide;
        bool closed;
    };
    const Row rows[] = {
        // Radius 5, 38.5 px: 2π / 0.08 rad gives about 79 segments.
        {"ring from an octagon", {{0, 0, 1}}, 0.2, arc(5, 0, 2 * kPi * 7 / 8, 8), true},
        {"ring whose guide repeats its first point", {{0, 0, 1}}, 0.2, arc(5, 0, 2 * kPi, 9), true},
        {"half ring, ends kept", {{0, 0, 1}}, 0.2, arc(5, 0, kPi, 5), false},
        {"small ring near the dot", {{0, 0, 1}}, 0.4, arc(2.5, 0, 2 * kPi * 5 / 6, 6), true},
        {"straight V = 0 across the plot", {{-15, 0, 1}, {15, 0, -1}}, 0, {{0, -25}, {0, 25}}, false},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        const auto problem = EquipotentialProblem::make(row.charges, {});
        ASSERT_TRUE(problem);
        const std::vector<PlotPoint> curve = CurveRefiner(*problem, row.level).refine(row.guide, row.closed);
        ASSERT_GE(curve.size(), 10u);
        EXPECT_EQ(curve.front().x, row.guide.front().x);
        EXPECT_EQ(curve.front().y, row.guide.front().y);
        const PlotPoint end = row.closed ? row.guide.front() : row.guide.back();
        EXPECT_EQ(curve.back().x, end.x);
        EXPECT_EQ(curve.back().y, end.y);
        const double tolerance = std::max(1e-3 * std::fabs(row.level), 5e-8);
        for (std::size_t i = 0; i < curve.size(); ++i) {
            EXPECT_NEAR(problem->field.potential(curve[i].x, curve[i].y), row.level, tolerance);
            if (i == 0)
                continue;
            EXPECT_LE(distance(curve[i - 1], curve[i]) * kPxPerUnit, 6 + 1e-9);
            const PlotPoint middle = interpolate(curve[i - 1], curve[i], 0.5);
            EXPECT_NEAR(problem->field.potential(middle.x, middle.y), row.level, tolerance);
            if (i + 1 < curve.size()) {
                const double ax = curve[i].x - curve[i - 1].x, ay = curve[i].y - curve[i - 1].y;
                const double bx = curve[i + 1].x - curve[i].x, by = curve[i + 1].y - curve[i].y;
                EXPECT_LE(std::fabs(std::atan2(ax * by - ay * bx, ax * bx + ay * by)), 0.09);
            }
        }
    }
}

TEST(CurveRefiner, AGuideWithoutLengthGivesNoCurve)
{
    const auto problem = EquipotentialProblem::make({{0, 0, 1}}, {});
    ASSERT_TRUE(problem);
    const CurveRefiner refiner(*problem, 0.2);
    EXPECT_TRUE(refiner.refine({}, false).empty());
    EXPECT_TRUE(refiner.refine({{5, 0}}, false).empty());
    EXPECT_TRUE(refiner.refine({{5, 0}, {5, 0}}, true).empty());
}

}  // namespace
