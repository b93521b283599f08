#include "support/namedrows.h"
#include "support/rig.h"

#include "core/arrowheads.h"

#include <gtest/gtest.h>

namespace {

// The arrowhead procedures on their own, with hand-checkable tips at simple
// points and directions along the axes.
class ArrowheadsTest : public ::testing::Test
{
protected:
    Arrowheads arrows{rig.state, rig.surface};
    Rig rig;
    DrawingState &s = rig.state;

    void expectWings(const Operation &first, const Operation &second, double x1, double y1, double x2, double y2)
    {
        EXPECT_NEAR(first.x2, x1, 1e-4);
        EXPECT_NEAR(first.y2, y1, 1e-4);
        EXPECT_NEAR(second.x2, x2, 1e-4);
        EXPECT_NEAR(second.y2, y2, 1e-4);
    }
};

struct LikeCase
{
    const char *name;
    float q1;
    float q2;
    double wing1X, wing1Y, wing2X, wing2Y;
};

LIST_ROWS_BY_NAME(LikeCase)

class ToHuaJT1Test : public ::testing::TestWithParam<LikeCase>
{
};

TEST_P(ToHuaJT1Test, OrientsByTheSignOfChargeOne)
{
    Rig rig;
    Arrowheads arrows{rig.state, rig.surface};
    rig.state.q1 = GetParam().q1;
    rig.state.q2 = GetParam().q2;
    rig.state.theta = 0;
    arrows.ToHuaJT1();
    const auto &ops = rig.surface.operations();
    ASSERT_EQ(ops.size(), 2u);
    EXPECT_EQ(ops[0].x1, 0.0f);
    EXPECT_EQ(ops[0].colour, Colour::Blue);
    EXPECT_NEAR(rig.state.wing1X, GetParam().wing1X, 1e-4);
    EXPECT_NEAR(rig.state.wing1Y, GetParam().wing1Y, 1e-4);
    EXPECT_NEAR(rig.state.wing2X, GetParam().wing2X, 1e-4);
    EXPECT_NEAR(rig.state.wing2Y, GetParam().wing2Y, 1e-4);
    EXPECT_EQ(ops[0].x2, rig.state.wing1X);
    EXPECT_EQ(ops[1].y2, rig.state.wing2Y);
}

INSTANTIATE_TEST_SUITE_P(
    Wings, ToHuaJT1Test,
    ::testing::Values(LikeCase{"PositivePointsAlong", 10, 10, -1.8478, -0.7654, -1.8478, 0.7654},
                      LikeCase{"NegativePointsAgainst", -10, -10, 1.8478, 0.7654, 1.8478, -0.7654},
                      // Only a positive charge points along; the tracer draws
                      // no lines of a zero charge.
                      LikeCase{"ZeroPointsAgainst", 0, 10, 1.8478, 0.7654, 1.8478, -0.7654}),
    [](const auto &info) { return info.param.name; });

TEST_F(ArrowheadsTest, ToHuaJT2UsesTheValuesOfChargeTwo)
{
    s.q2 = 10;
    s.qx = 5;
    s.qy = 5;
    s.theta2 = 1.5707963f;
    arrows.ToHuaJT2();
    EXPECT_NEAR(s.wing3X, 5.7654, 1e-4);
    EXPECT_NEAR(s.wing3Y, 3.1522, 1e-4);
    EXPECT_NEAR(s.wing4X, 4.2346, 1e-4);
    EXPECT_NEAR(s.wing4Y, 3.1522, 1e-4);
    EXPECT_EQ(s.tip2X, 5.0f);
    EXPECT_EQ(s.arrowAngle2, 1.5707963f);
    // The arrowhead of charge 1 is left alone.
    EXPECT_EQ(s.wing1X, 0.0f);
}

TEST_F(ArrowheadsTest, UnlikeArrowheadsInEnteredOrder)
{
    s.q1 = 10;
    s.q2 = -10;
    s.theta = 0;
    s.px = -1.5f;
    arrows.YIHuaJT();
    s.px = 1.5f;
    arrows.YIHuaJT2();
    const auto &ops = rig.surface.operations();
    ASSERT_EQ(ops.size(), 4u);
    expectWings(ops[0], ops[1], -3.3478, -0.7654, -3.3478, 0.7654);
    expectWings(ops[2], ops[3], -0.3478, -0.7654, -0.3478, 0.7654);
}

TEST_F(ArrowheadsTest, NegativeChargeOneArrowheadPointsAgainstTheTrace)
{
    s.q1 = -10;
    s.q2 = 10;
    s.px = -1.5f;
    arrows.YIHuaJT();
    const auto &ops = rig.surface.operations();
    ASSERT_EQ(ops.size(), 2u);
    expectWings(ops[0], ops[1], 0.3478, 0.7654, 0.3478, -0.7654);
}

TEST_F(ArrowheadsTest, ExchangedOrderDrawsReflectedAndKeepsTheComputedWings)
{
    // 5 and -10 at the symmetric default places; the tracer exchanged them.
    s.x1 = -15;
    s.x2 = 15;
    s.q1 = -10;
    s.q2 = 5;
    arrows.setExchanged(true);
    s.px = 3;
    s.py = 2;
    arrows.YIHuaJT2();
    EXPECT_NEAR(s.wing1X, 4.8478, 1e-4);
    EXPECT_NEAR(s.wing1Y, 2.7654, 1e-4);
    EXPECT_NEAR(s.wing2X, 4.8478, 1e-4);
    EXPECT_NEAR(s.wing2Y, 1.2346, 1e-4);
    const auto &ops = rig.surface.operations();
    ASSERT_EQ(ops.size(), 2u);
    EXPECT_EQ(ops[0].x1, -3.0f);
    EXPECT_EQ(ops[0].y1, 2.0f);
    expectWings(ops[0], ops[1], -4.8478, 2.7654, -4.8478, 1.2346);
}

}  // namespace
