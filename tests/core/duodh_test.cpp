#include "support/namedrows.h"
#include "support/rig.h"

#include <gtest/gtest.h>

namespace {

// Which tracer runs shows in the step count left behind: the like-charge
// tracer leaves angle2 at 180, the unlike one angle at 375. (A zero charge
// has no lines of its own, so with charge 2 zero the like-charge tracer
// leaves angle2 untouched and angle at 360.)
struct DispatchCase
{
    const char *name;
    const char *q1;
    const char *q2;
    bool like;
};

LIST_ROWS_BY_NAME(DispatchCase)

class Dispatch : public ::testing::TestWithParam<DispatchCase>
{
};

TEST_P(Dispatch, ChoosesTheTracerBySignOfTheExactProduct)
{
    Rig rig;
    rig.setCharges("-15", "0", GetParam().q1, "15", "0", GetParam().q2);
    const auto ops = rig.excite();
    EXPECT_TRUE(rig.messenger.messages.empty());
    if (GetParam().like) {
        EXPECT_TRUE(rig.state.angle2 == 180 || rig.state.angle == 360);
        EXPECT_NE(rig.state.angle, 375);
    } else {
        EXPECT_EQ(rig.state.angle, 375);
    }
    // The dots come last, green then red, over the lines.
    const auto dots = dotsOf(ops);
    ASSERT_EQ(dots.size(), 2u);
    EXPECT_EQ(dots[0].colour, Colour::Green);
    EXPECT_EQ(dots[0].x1, -15.0f);
    EXPECT_EQ(dots[1].colour, Colour::Red);
    EXPECT_EQ(dots[1].x1, 15.0f);
    EXPECT_EQ(dots[1].width, 20);
    EXPECT_EQ(ops.back().op, Op::PSet);
}

INSTANTIATE_TEST_SUITE_P(
    D2, Dispatch,
    ::testing::Values(DispatchCase{"PositivePositive", "10", "10", true},
                      DispatchCase{"NegativeNegative", "-10", "-10", true},
                      DispatchCase{"PositiveNegative", "10", "-10", false},
                      DispatchCase{"NegativePositive", "-10", "10", false},
                      DispatchCase{"ZeroAny", "0", "-10", true},
                      DispatchCase{"AnyZero", "7", "0", true},
                      // The product of these is far below the smallest float,
                      // yet its sign is plainly negative.
                      DispatchCase{"TinyOppositeSigns", "1e-30", "-1e-30", false},
                      // The product overflows a float, not a double.
                      DispatchCase{"HugeLikeAmounts", "1e20", "1e20", true},
                      DispatchCase{"HugeUnlikeAmounts", "1e20", "-1e20", false}),
    [](const auto &info) { return info.param.name; });

TEST(DuoDH, ChargeTwoLeftOfChargeOneIsRefusedAndTheProgramGoesOn)
{
    Rig rig;
    rig.setCharges("15", "0", "10", "-15", "0", "-10");
    const auto refused = rig.excite();
    EXPECT_TRUE(refused.empty());
    ASSERT_EQ(rig.messenger.messages.size(), 1u);
    EXPECT_EQ(rig.messenger.messages[0].prompt, "Q1必须在Q2的左边");
    EXPECT_EQ(rig.messenger.messages[0].title, "提示");

    // D1: the user corrects the boxes and excites again.
    rig.setCharges("-15", "0", "10", "15", "0", "-10");
    const auto drawn = rig.excite();
    EXPECT_EQ(rig.messenger.messages.size(), 1u);
    EXPECT_EQ(dotsOf(drawn).size(), 2u);
    EXPECT_GT(linesOf(drawn).size(), 100u);
}

TEST(DuoDH, ChargesOneAboveTheOtherAreAccepted)
{
    Rig rig;
    rig.setCharges("0", "-10", "10", "0", "10", "10");
    const auto ops = rig.excite();
    EXPECT_TRUE(rig.messenger.messages.empty());
    EXPECT_EQ(dotsOf(ops).size(), 2u);
}

}  // namespace
