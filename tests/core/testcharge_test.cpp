// A test charge released into the field: which releases are refused.

#include "core/messages.h"
#include "core/testcharge.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

const Charges kDipole = {{-15, 0, 10}, {15, 0, -10}};

TEST(ReleaseRefusal, RefusesWhatCannotBeFollowedInOrder)
{
    struct Row
    {
        const char *name;
        Charges charges;
        TestCharges releases;
        const Message *refusal;  // nullptr: followed
    };
    const TestCharge moving{0, 5, 3, -4, true};
    const Row rows[] = {
        {"moving", kDipole, {moving}, nullptr},
        {"on a charge", kDipole, {{15, 0, 0, 0, false}}, &Messages::ReleaseOnCharge},
        {"half a unit from a charge", kDipole, {{-14.5, 0, 0, 0, true}}, &Messages::ReleaseOnCharge},
        // 0.6 · 0.6 rounds alike on both sides of the comparison.
        {"exactly at reach", kDipole, {{-15, 0.6, 0, 0, true}}, nullptr},
        {"beside a charge of 0", {{0, 0, 0}}, {{0.3, 0, 0, 0, true}}, &Messages::ReleaseOnCharge},
        {"right of the plot", kDipole, {{45.01, 0, 0, 0, true}}, &Messages::ReleaseOutOfPlot},
        {"on the corner", kDipole, {{-45, 25, 0, 0, true}}, nullptr},
        {"not a number", kDipole, {{NAN, 0, 0, 0, true}}, &Messages::ReleaseOutOfPlot},
        {"speed 100", kDipole, {{0, 5, 60, -80, true}}, nullptr},
        {"faster than 100", kDipole, {{0, 5, 60, -80.001, true}}, &Messages::ReleaseTooFast},
        {"infinitely fast", kDipole, {{0, 5, INFINITY, 0, true}}, &Messages::ReleaseTooFast},
        {"speed not a number", kDipole, {{0, 5, 0, NAN, true}}, &Messages::ReleaseTooFast},
        {"the place before the speed", {{45, 0, 10}}, {{45.3, 0, 200, 0, true}}, &Messages::ReleaseOnCharge},
        {"the first refused release speaks", kDipole, {moving, {0, 30, 200, 0, true}}, &Messages::ReleaseOutOfPlot},
        {"eight", kDipole, TestCharges(8, moving), nullptr},
        {"nine", kDipole, TestCharges(9, moving), &Messages::TooManyReleases},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(releaseRefusal(row.charges, row.releases), row.refusal);
    }
}

}  // namespace
