#include "support/rig.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// A single charge at the origin: rays, tips and wings can be checked by hand.
class SingleCharge : public ::testing::Test
{
protected:
    std::vector<Operation> draw(const std::string &x, const std::string &y, const std::string &q)
    {
        rig.setCharges(x, y, q, "15", "0", "-10", false);
        return rig.excite();
    }
    Rig rig;
};

TEST_F(SingleCharge, DrawsTwentyFiveRaysWithArrowheadsThenTheGreenDot)
{
    const auto ops = draw("0", "0", "10");
    ASSERT_EQ(ops.size(), 25u * 3 + 1);
    for (int ray = 0; ray < 25; ++ray) {
        for (int k = 0; k < 3; ++k) {
            EXPECT_EQ(ops[ray * 3 + k].op, Op::Line);
            EXPECT_EQ(ops[ray * 3 + k].colour, Colour::Blue);
            EXPECT_EQ(ops[ray * 3 + k].width, 1);
        }
    }
    const Operation &dot = ops.back();
    EXPECT_EQ(dot.op, Op::PSet);
    EXPECT_EQ(dot.colour, Colour::Green);
    EXPECT_EQ(dot.width, 20);
    EXPECT_EQ(dot.x1, 0.0f);
    EXPECT_EQ(dot.y1, 0.0f);
    EXPECT_EQ(rig.state.angle, 375);
}

TEST_F(SingleCharge, FirstRayOfAPositiveChargePointsAway)
{
    const auto ops = draw("0", "0", "10");
    EXPECT_FLOAT_EQ(ops[0].x1, 1.2f);
    EXPECT_FLOAT_EQ(ops[0].y1, 0);
    EXPECT_FLOAT_EQ(ops[0].x2, 101.2f);
    EXPECT_FLOAT_EQ(ops[0].y2, 0);
    // Tip 16.2 from the charge, wings trailing toward it.
    EXPECT_FLOAT_EQ(ops[1].x1, 16.2f);
    EXPECT_NEAR(ops[1].x2, 14.3522, 1e-4);
    EXPECT_NEAR(ops[1].y2, -0.7654, 1e-4);
    EXPECT_NEAR(ops[2].x2, 14.3522, 1e-4);
    EXPECT_NEAR(ops[2].y2, 0.7654, 1e-4);
}

TEST_F(SingleCharge, NegativeChargeArrowheadsPointToTheCharge)
{
    const auto ops = draw("0", "0", "-10");
    EXPECT_NEAR(ops[1].x2, 18.0478, 1e-4);
    EXPECT_NEAR(ops[1].y2, 0.7654, 1e-4);
    EXPECT_NEAR(ops[2].x2, 18.0478, 1e-4);
    EXPECT_NEAR(ops[2].y2, -0.7654, 1e-4);
}

// D13: a charge of 0 has no field: only its dot.
TEST_F(SingleCharge, ZeroChargeDrawsOnlyItsDot)
{
    const auto ops = draw("3", "4", "0");
    EXPECT_TRUE(linesOf(ops).empty());
    ASSERT_EQ(dotsOf(ops).size(), 1u);
    EXPECT_EQ(ops[0].x1, 3.0f);
}

TEST_F(SingleCharge, RayAtNinetyDegreesIsVertical)
{
    const auto ops = draw("0", "0", "10");
    const Operation &ray = ops[6 * 3];  // 90 degrees is the seventh ray
    EXPECT_NEAR(ray.x1, 0, 1e-6);
    EXPECT_FLOAT_EQ(ray.y1, 1.2f);
    EXPECT_NEAR(ray.x2, 0, 1e-5);
    EXPECT_FLOAT_EQ(ray.y2, 101.2f);
    EXPECT_FLOAT_EQ(ops[6 * 3 + 1].y1, 16.2f);
}

TEST_F(SingleCharge, RaysAtZeroAndThreeSixtyCoincide)
{
    const auto ops = draw("3", "-2", "10");
    for (int k = 0; k < 3; ++k) {
        EXPECT_NEAR(ops[k].x2, ops[24 * 3 + k].x2, 1e-4);
        EXPECT_NEAR(ops[k].y2, ops[24 * 3 + k].y2, 1e-4);
    }
}

TEST_F(SingleCharge, ReadsTheBoxesOfChargeTwoWithoutUsingThem)
{
    rig.setCharges("0", "0", "10", "7", "8", "9", false);
    const auto withNine = rig.excite();
    EXPECT_EQ(rig.state.x2, 7.0f);
    EXPECT_EQ(rig.state.y2, 8.0f);
    EXPECT_EQ(rig.state.q2, 9.0f);
    EXPECT_TRUE(rig.panel.charge2Locked());

    rig.panel.setText(6, "-1000");
    const auto withOther = rig.excite();
    ASSERT_EQ(withNine.size(), withOther.size());
    for (std::size_t i = 0; i < withNine.size(); ++i)
        EXPECT_EQ(withNine[i].x2, withOther[i].x2);
}

}  // namespace
