// How many lines each charge shows and where they leave it.

#include "core/linestarts.h"
#include "support/chargesets.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

constexpr double kTurn = 2 * 3.14159265358979323846;

TEST(LineShares, InProportionToCharge)
{
    struct Row
    {
        const char *name;
        Charges charges;
        std::vector<int> shares;
    };
    const Row rows[] = {
        {"dipole: 24 for the strongest", ChargeSets::dipole(), {24, 24}},
        {"half the charge, half the lines", {{-15, 0, 10}, {15, 0, -5}}, {24, 12}},
        {"a share that rounds to 0 gets none", {{-15, 0, 10}, {15, 0, 0.2}}, {24, 0}},
        {"a charge of 0 gets none", {{-15, 0, 0}, {15, 0, -3}}, {0, 24}},
        {"only negative charges", {{-15, 0, -10}, {15, 0, -10}}, {24, 24}},
        {"tiny amounts share alike", {{-15, 0, 1e-30}, {15, 0, -1e-30}}, {24, 24}},
        {"no charge at all", {{0, 0, 0}}, {0}},
        // 13 × 24 = 312 lines would be too many: k = 240 / 26.
        {"plate: 240 in all at most", ChargeSets::plate(), std::vector<int>(13, 18)},
        {"capacitor: 240 / 52 per unit", ChargeSets::capacitor(), std::vector<int>(26, 9)},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(lineShares(row.charges), row.shares);
    }
}

TEST(StartDirections, EqualAnglesTurnedAlongTheOthersField)
{
    struct Row
    {
        const char *name;
        Charges charges;
        std::size_t charge;
        int count;
        PlotPoint first;
    };
    const double diagonal = std::sqrt(0.5);
    const Row rows[] = {
        {"dipole: toward the negative charge", ChargeSets::dipole(), 0, 24, {1, 0}},
        {"like pair: away from the other", {{-15, 0, 10}, {15, 0, 10}}, 1, 24, {1, 0}},
        {"quadrupole: along the diagonal it lies on", ChargeSets::quadrupole(), 0, 24, {diagonal, -diagonal}},
        {"triangle: away from the middle", ChargeSets::triangle(), 0, 24, {0, 1}},
        // The others' fields cancel in rounding only: along +x.
        {"middle of the plate", ChargeSets::plate(), 6, 18, {1, 0}},
        {"a single charge", {{5, 5, 3}}, 0, 7, {1, 0}},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        const std::vector<PlotPoint> d = startDirections(row.charges, row.charge, row.count);
        ASSERT_EQ(d.size(), std::size_t(row.count));
        EXPECT_NEAR(d[0].x, row.first.x, 1e-15);
        EXPECT_NEAR(d[0].y, row.first.y, 1e-15);
        for (int k = 0; k < row.count; ++k) {
            const PlotPoint a = d[std::size_t(k)];
            const PlotPoint b = d[std::size_t((k + 1) % row.count)];
            EXPECT_NEAR(std::hypot(a.x, a.y), 1, 1e-15);
            EXPECT_NEAR(std::atan2(a.x * b.y - a.y * b.x, a.x * b.x + a.y * b.y), kTurn / row.count, 1e-14);
        }
    }
}

// The series agrees with the library, the quarter turns are exact, and k
// and n − k are mirror images bit for bit, which keeps mirrored pictures
// mirrored.
TEST(StartDirections, TurnsAreExactWhereTheyCanBe)
{
    for (long n : {1L, 3L, 7L, 8L, 9L, 18L, 24L, 240L}) {
        for (long k = 0; k < n; ++k) {
            const PlotPoint t = unitTurn(k, n);
            EXPECT_NEAR(t.x, std::cos(kTurn * double(k) / double(n)), 1e-15) << k << "/" << n;
            EXPECT_NEAR(t.y, std::sin(kTurn * double(k) / double(n)), 1e-15) << k << "/" << n;
            const PlotPoint back = unitTurn(n - k, n);
            EXPECT_EQ(back.x, t.x);
            EXPECT_EQ(back.y, k == 0 ? t.y : -t.y);
            if (4 * k % n == 0) {
                EXPECT_EQ(std::fabs(t.x) + std::fabs(t.y), 1);
            }
        }
    }
}

TEST(GapDirections, SpreadTheMissingLinesOverTheWidestGaps)
{
    auto at = [](double degrees) {
        return PlotPoint{std::cos(degrees * kTurn / 360), std::sin(degrees * kTurn / 360)};
    };
    struct Row
    {
        const char *name;
        std::vector<double> arrivals;  // degrees
        int missing;
        std::vector<double> expected;  // degrees, counter-clockwise from the first arrival
    };
    std::vector<double> allButOne;
    for (int k = 1; k < 24; ++k)
        allButOne.push_back(15 * k);
    const Row rows[] = {
        {"one arrival: the other side", {30}, 1, {210}},
        {"one arrival: evenly round", {30}, 3, {120, 210, 300}},
        {"the dipole's missing line", allButOne, 1, {0}},
        {"a gap of more than half a turn", {10, 100}, 1, {235}},
        // 270 degrees with two lines leave 90 between them, as wide as the
        // other gap: the wide gap has taken both already.
        {"both into the wide gap", {0, 90}, 2, {180, 270}},
        // Two equal gaps, mirrored in the x axis: both, not one of them.
        {"mirrored gaps together", {0, 60, 180, 300}, 1, {120, 240}},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        std::vector<PlotPoint> arrivals;
        for (double a : row.arrivals)
            arrivals.push_back(at(a));
        const std::vector<PlotPoint> got = gapDirections(arrivals, row.missing);
        ASSERT_EQ(got.size(), row.expected.size());
        for (std::size_t i = 0; i < got.size(); ++i) {
            EXPECT_NEAR(got[i].x, at(row.expected[i]).x, 1e-12);
            EXPECT_NEAR(got[i].y, at(row.expected[i]).y, 1e-12);
        }
    }
}

}  // namespace
