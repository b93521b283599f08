#include "support/namedrows.h"
#include "support/rig.h"

#include "core/messages.h"

#include <gtest/gtest.h>

#include <array>

namespace {

// What the excite refuses, and what it draws although it looks unusual.
// Refused input draws nothing and shows one notice; the window goes on.
struct InputCase
{
    const char *name;
    std::array<const char *, 6> texts;
    bool twoCharges;
    const Message *refusal;  // nullptr: drawn
};

LIST_ROWS_BY_NAME(InputCase)

class InputCheck : public ::testing::TestWithParam<InputCase>
{
};

TEST_P(InputCheck, RefusesWhatCannotBeDrawnAndDrawsTheRest)
{
    const InputCase &c = GetParam();
    Rig rig;
    const auto &t = c.texts;
    rig.setCharges(t[0], t[1], t[2], t[3], t[4], t[5], c.twoCharges);
    const auto ops = rig.excite();
    if (c.refusal) {
        ASSERT_EQ(rig.messenger.messages.size(), 1u);
        EXPECT_EQ(rig.messenger.messages[0], *c.refusal);
        EXPECT_EQ(rig.messenger.messages[0].title, "提示");
        EXPECT_TRUE(ops.empty());
        // The corrected input draws on the same window.
        rig.setCharges("-15", "0", "10", "15", "0", "-10");
        EXPECT_EQ(dotsOf(rig.excite()).size(), 2u);
    } else {
        EXPECT_TRUE(rig.messenger.messages.empty());
        EXPECT_EQ(dotsOf(ops).size(), c.twoCharges ? 2u : 1u);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Decisions, InputCheck,
    ::testing::Values(
        // D11: positions off the plot; its borders belong to it.
        InputCase{"UnlikeChargeRightOfThePlot", {"-15", "0", "5", "50", "0", "-10"}, true, &Messages::OutOfPlot},
        InputCase{"ChargeLeftOfThePlot", {"-100", "0", "10", "15", "0", "-5"}, true, &Messages::OutOfPlot},
        InputCase{"ChargeAboveThePlot", {"0", "30", "10", "0", "0", "-5"}, true, &Messages::OutOfPlot},
        InputCase{"JustBelowThePlot", {"0", "0", "10", "5", "-25.001", "-5"}, true, &Messages::OutOfPlot},
        InputCase{"ChargesOnTheCorners", {"-45", "-25", "10", "45", "25", "-10"}, true, nullptr},
        InputCase{"SingleChargeOffThePlot", {"0", "26", "10", "15", "0", "-10"}, false, &Messages::OutOfPlot},
        // D12: two charges at one place, like or unlike.
        InputCase{"LikeChargesAtOnePlace", {"0", "0", "10", "0", "0", "10"}, true, &Messages::SamePlace},
        InputCase{"UnlikeChargesAtOnePlace", {"3", "4", "10", "3", "4", "-5"}, true, &Messages::SamePlace},
        InputCase{"OneUnitApart", {"0", "0", "10", "1", "0", "-5"}, true, nullptr},
        // D15: amounts other than 0 below the smallest normal 32-bit value.
        InputCase{"AmountTooSmall", {"-15", "0", "1e-42", "15", "0", "-10"}, true, &Messages::OutOfRange},
        InputCase{"AmountBelowTheFloats", {"-15", "0", "10", "15", "0", "-1e-46"}, true, &Messages::OutOfRange},
        InputCase{"SmallestNormalAmount", {"-15", "0", "1.17549435e-38", "15", "0", "-10"}, true, nullptr},
        InputCase{"ZeroAmount", {"-15", "0", "0", "15", "0", "-10"}, true, nullptr},
        // D16: single-charge mode judges charge 1 only.
        InputCase{"SingleIgnoresAHugeLockedBox", {"0", "0", "10", "1e39", "0", "-10"}, false, nullptr},
        InputCase{"SingleIgnoresATinyLockedAmount", {"0", "0", "10", "15", "0", "1e-45"}, false, nullptr},
        InputCase{"SingleIgnoresChargeTwoOffThePlot", {"0", "0", "10", "99", "99", "1"}, false, nullptr},
        InputCase{"SingleStillJudgesChargeOne", {"0", "0", "1e39", "15", "0", "-10"}, false, &Messages::OutOfRange},
        // The order of the judgements: range, then plot, then place, then order.
        InputCase{"RangeBeforePlot", {"-100", "0", "1e39", "15", "0", "-10"}, true, &Messages::OutOfRange},
        InputCase{"PlotBeforeOrder", {"15", "0", "10", "-50", "0", "-10"}, true, &Messages::OutOfPlot},
        InputCase{"OrderLast", {"15", "0", "10", "-15", "0", "-10"}, true, &Messages::WrongOrder}),
    [](const auto &info) { return info.param.name; });

}  // namespace
