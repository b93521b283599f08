// The levels of the equipotentials: their texts, steps one can work out by
// hand for simple charges, and the rule's properties over configurations.

#include "core/equipotentials.h"
#include "core/levelplan.h"
#include "support/chargesets.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace {

TEST(LevelPlan, TextsAreExactAtEveryScale)
{
    struct Row
    {
        const char *name;
        long long mantissa;
        int exponent;
        int k;
        const char *text;
    };
    const Row rows[] = {
        {"zero", 5, -1, 0, "V=0"},
        {"a quarter step", 25, -1, 1, "V=2.5"},
        {"negative", 2, 0, -1, "V=-2"},
        {"two decimals", 25, -2, 7, "V=1.75"},
        {"below one", 25, -3, 7, "V=0.175"},
        {"smallest without an exponent", 25, -5, 1, "V=0.00025"},
        {"below 1e-4: exponent", 5, -5, 1, "V=5e-5"},
        {"hundreds in full", 1, 2, 1, "V=100"},
        {"thousands: exponent", 1, 3, 1, "V=1e3"},
        {"thousands with a decimal", 25, 2, 3, "V=7.5e3"},
        {"digits a level needs are kept", 1, 0, 1234, "V=1234"},
        {"trailing zeros go into the exponent", 25, 36, 4, "V=1e38"},
        {"tiny and negative", 1, -21, -1, "V=-1e-21"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        LevelPlan plan;
        plan.mantissa = row.mantissa;
        plan.exponent = row.exponent;
        EXPECT_EQ(plan.text(row.k), row.text);
        const double level = plan.actual(row.k);
        EXPECT_NEAR(level, std::stod(std::string(row.text).substr(2)), 1e-12 * std::fabs(level));
    }
}

// The inner radius round a charge is the dot, 3 px and room for half a
// label: 10 + 3 + 5.5 + 1 = 19.5 px, 2.53 units at 7.7 px a unit; in
// projector mode 15 + 3 + 8.25 + 1 = 27.25 px, 3.54 units.
TEST(LevelPlan, StepsWorkedOutByHand)
{
    struct Row
    {
        const char *name;
        std::vector<PointCharge> charges;
        double fontPx;
        double first, step, last;
    };
    const Row rows[] = {
        // V runs from 10 / 51.5 = 0.19 at a corner to 10 / 2.53 = 3.95: steps
        // of 0.5 give 7 levels, 0.25 give 15, of which the 3 largest go.
        {"single charge", {{0, 0, 10}}, 10, 0.25, 0.25, 3},
        // Up to 10 / 3.54 = 2.83: 11 levels of 0.25.
        {"single charge, projector sizes", {{0, 0, 10}}, 15, 0.25, 0.25, 2.75},
        // ±3.59 beside the dots: 0.5 gives 15 levels, trimmed from both ends.
        {"default dipole", {{-15, 0, 10}, {15, 0, -10}}, 10, -2.5, 0.5, 2.5},
        // 0.41 at the far corners to 4.31 between the charges: 8 of 0.5.
        {"like pair", {{-15, 0, 10}, {15, 0, 10}}, 10, 0.5, 0.5, 4},
        // V is negative only in a thin ring round the weak charge; 0 is drawn.
        {"weak beside strong", {{-15, 0, 10}, {15, 0, -0.5}}, 10, 0, 0.25, 2.75},
        {"tiny negative charge", {{0, 0, -1e-20}}, 10, -3e-21, 0.25e-21, -0.25e-21},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        EquipotentialOptions options;
        options.labelFontPx = row.fontPx;
        options.dotRadiusPx = row.fontPx;
        const std::vector<double> levels = equipotentialLevels(row.charges, options);
        ASSERT_FALSE(levels.empty());
        const double scale = std::fabs(row.step);
        EXPECT_NEAR(levels.front(), row.first, 1e-9 * scale);
        EXPECT_NEAR(levels.back(), row.last, 1e-9 * scale);
        EXPECT_EQ(levels.size(), std::size_t(std::lround((row.last - row.first) / row.step)) + 1);
    }
}

TEST(LevelPlan, EightToTwelveEqualNiceStepsWithZeroBetweenUnlikeCharges)
{
    for (const ChargeSets::Named &config : ChargeSets::kEquipotentialPictures) {
        SCOPED_TRACE(config.name);
        const auto &charges = config.charges;
        const std::vector<double> levels = equipotentialLevels(charges);
        ASSERT_GE(levels.size(), 8u);
        ASSERT_LE(levels.size(), 12u);
        const double step = levels[1] - levels[0];
        for (std::size_t i = 1; i < levels.size(); ++i)
            EXPECT_NEAR(levels[i] - levels[i - 1], step, 1e-9 * step);
        const double mantissa = step / std::pow(10.0, std::floor(std::log10(step) + 1e-9));
        EXPECT_TRUE(std::fabs(mantissa - 1) < 1e-6 || std::fabs(mantissa - 2) < 1e-6
                    || std::fabs(mantissa - 2.5) < 1e-6 || std::fabs(mantissa - 5) < 1e-6)
            << mantissa;
        const bool unlike = charges.size() == 2 && charges[0].q * charges[1].q < 0
                            && std::fabs(charges[0].q * 1e-3) < std::fabs(charges[1].q)
                            && std::fabs(charges[1].q * 1e-3) < std::fabs(charges[0].q);
        if (unlike) {
            EXPECT_TRUE(std::count(levels.begin(), levels.end(), 0.0)) << "V=0 missing";
        }
        for (const EquipotentialCurve &curve : equipotentials(charges))
            EXPECT_TRUE(std::count(levels.begin(), levels.end(), curve.level)) << curve.level;
    }
}

}  // namespace
