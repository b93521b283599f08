// Marching squares over the potential grid, on charges of amount 1 (so the
// normalised levels are the potentials themselves) whose levels have a shape
// known in closed form: the circle r = 1 / V round a single charge, the
// perpendicular bisector V = 0 of an equal unlike pair.

#include "core/equipotentialproblem.h"
#include "core/marchingsquares.h"
#include "core/plotgeometry.h"
#include "core/potentialgrid.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

bool onBorder(PlotPoint p)
{
    return std::fabs(p.x - Plot::kLeft) < 1e-9 || std::fabs(p.x - Plot::kRight) < 1e-9
           || std::fabs(p.y - Plot::kBottom) < 1e-9 || std::fabs(p.y - Plot::kTop) < 1e-9;
}

TEST(PotentialGrid, SpansThePlotAndLeavesOutTheNodesUnderADot)
{
    const auto problem = EquipotentialProblem::make({{0, 0, 1}}, {});
    ASSERT_TRUE(problem);
    const PotentialGrid grid(*problem);
    // 693 × 385 px in cells of 3 px.
    ASSERT_EQ(grid.cellsX(), 231);
    ASSERT_EQ(grid.cellsY(), 128);
    EXPECT_EQ(grid.node(0).x, Plot::kLeft);
    EXPECT_EQ(grid.node(0).y, Plot::kBottom);
    EXPECT_EQ(grid.node(grid.nodeCount() - 1).x, Plot::kRight);
    EXPECT_EQ(grid.node(grid.nodeCount() - 1).y, Plot::kTop);
    for (int n = 0; n < grid.nodeCount(); ++n) {
        const PlotPoint p = grid.node(n);
        const double px = std::hypot(p.x, p.y) * 7.7;
        if (px > problem->cutRadiusPx() + 1e-9) {
            ASSERT_TRUE(grid.valid(n)) << px;
            ASSERT_NEAR(grid.value(n), 1 / std::hypot(p.x, p.y), 1e-15 * grid.value(n));
        }
        if (px < problem->cutRadiusPx() - 1e-9) {
            ASSERT_FALSE(grid.valid(n)) << px;
        }
        EXPECT_EQ(grid.seen(n), px >= 11 - 1e-9) << px;  // outside the dot and a pixel
    }
}

TEST(MarchingSquares, PathsOfLevelsKnownInClosedForm)
{
    struct Row
    {
        const char *name;
        std::vector<PointCharge> charges;
        double level;
        int closed, open;
    };
    const Row rows[] = {
        {"ring round a single charge", {{0, 0, 1}}, 0.1, 1, 0},
        // The circle of radius 10 round (40, 0) leaves the plot at x = 45.
        {"ring cut by the border", {{40, 0, 1}}, 0.1, 0, 1},
        // Radius 20 round (0, -40): an arc over the bottom border.
        {"arc of a charge below the plot", {{0, -40, 1}}, 0.05, 0, 1},
        // The saddle midway between the pair has V = 0.2: below it one curve
        // round both, above it one round each.
        {"like pair below the saddle", {{-10, 0, 1}, {10, 0, 1}}, 0.15, 1, 0},
        {"like pair above the saddle", {{-10, 0, 1}, {10, 0, 1}}, 0.3, 2, 0},
        {"equal unlike pair, V = 0", {{-15, 0, 1}, {15, 0, -1}}, 0, 0, 1},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        const auto problem = EquipotentialProblem::make(row.charges, {});
        ASSERT_TRUE(problem);
        const PotentialGrid grid(*problem);
        MarchingSquares squares(*problem, grid, {row.level});
        int closed = 0, open = 0;
        for (const MarchingSquares::Path &path : squares.trace(0)) {
            ASSERT_GE(path.points.size(), 3u);
            (path.closed ? closed : open) += 1;
            for (const PlotPoint &p : path.points)
                EXPECT_NEAR(problem->field.potential(p.x, p.y), row.level, 1e-9);
            if (!path.closed) {
                EXPECT_TRUE(onBorder(path.points.front()));
                EXPECT_TRUE(onBorder(path.points.back()));
            }
        }
        EXPECT_EQ(closed, row.closed);
        EXPECT_EQ(open, row.open);
    }
}

}  // namespace
