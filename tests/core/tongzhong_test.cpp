#include "support/rig.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>

namespace {

// Two equal charges at (-15, 0) and (15, 0): the picture is symmetric about
// x = 0, and d / 2.5 = 12 is where the arrowheads sit.
class LikeCharges : public ::testing::Test
{
protected:
    std::vector<Operation> draw(const char *q1, const char *q2, const char *x1 = "-15", const char *x2 = "15")
    {
        rig.setCharges(x1, "0", q1, x2, "0", q2);
        return rig.excite();
    }
    Rig rig;
};

TEST_F(LikeCharges, TwentyThreeLinesFromEachChargeLeaveThroughTheBorder)
{
    const auto chains = unitChains(draw("10", "10"));
    ASSERT_EQ(chains.size(), 46u);
    for (std::size_t i = 0; i < chains.size(); ++i) {
        const Point2 start = chains[i].front();
        const Point2 end = chains[i].back();
        const Point2 own = i < 23 ? Point2{-15, 0} : Point2{15, 0};
        EXPECT_NEAR(distance(start, own), 1, 1e-5) << i;
        const bool outside = end.x <= -45 || end.x >= 45 || end.y <= -25 || end.y >= 25;
        EXPECT_TRUE(outside) << "line " << i << " ends at " << end.x << ", " << end.y;
        // None runs along the axis between the charges.
        EXPECT_FALSE(std::fabs(chains[i][1].y) < 1e-6 && std::fabs(chains[i][1].x) < 14) << i;
    }
}

TEST_F(LikeCharges, EqualChargesGiveAMirrorSymmetricPicture)
{
    const auto chains = unitChains(draw("10", "10"));
    ASSERT_EQ(chains.size(), 46u);
    // Line k of charge 1 starts at 15(k+1) degrees; its mirror image is the
    // line of charge 2 at 180 - 15(k+1) degrees, which is line 22 - k.
    for (std::size_t k = 0; k < 23; ++k) {
        const Chain &left = chains[k];
        const Chain &right = chains[23 + (22 - k)];
        ASSERT_EQ(left.size(), right.size()) << k;
        for (std::size_t j = 0; j < left.size(); ++j) {
            EXPECT_NEAR(left[j].x, -right[j].x, 1e-3) << k << ':' << j;
            EXPECT_NEAR(left[j].y, right[j].y, 1e-3) << k << ':' << j;
        }
    }
}

TEST_F(LikeCharges, PositiveArrowheadsPointOutwardNearTwelve)
{
    const auto heads = arrowheadsOf(draw("10", "10"));
    ASSERT_GE(heads.size(), 40u);
    for (const DrawnArrowhead &head : heads) {
        const Point2 own = head.tip.x < 0 ? Point2{-15, 0} : Point2{15, 0};
        EXPECT_NEAR(distance(head.tip, own), 12, 1.5);
        const Point2 out{(head.tip.x - own.x) / distance(head.tip, own), (head.tip.y - own.y) / distance(head.tip, own)};
        EXPECT_GT(head.pointing().x * out.x + head.pointing().y * out.y, 0.7);
    }
}

TEST_F(LikeCharges, NegativeChargesTraceTheSameLinesWithArrowheadsInward)
{
    const auto positive = draw("10", "10");
    const auto negative = draw("-10", "-10");
    EXPECT_EQ(unitChains(positive).size(), unitChains(negative).size());
    const auto heads = arrowheadsOf(negative);
    ASSERT_EQ(heads.size(), arrowheadsOf(positive).size());
    for (const DrawnArrowhead &head : heads) {
        const Point2 own = head.tip.x < 0 ? Point2{-15, 0} : Point2{15, 0};
        const Point2 out{(head.tip.x - own.x) / distance(head.tip, own), (head.tip.y - own.y) / distance(head.tip, own)};
        EXPECT_LT(head.pointing().x * out.x + head.pointing().y * out.y, -0.7);
    }
}

// The boxes refuse a charge off the plot; the tracer itself still ends
// every line of such a charge after its first step.
TEST_F(LikeCharges, ChargeBeyondTheBorderDrawsOneSegmentPerLine)
{
    rig.state.x1 = -50;
    rig.state.x2 = 15;
    rig.state.q1 = 10;
    rig.state.q2 = 10;
    rig.lines.Tongzhong();
    const auto chains = unitChains(rig.surface.drawing());
    ASSERT_GE(chains.size(), 23u);
    for (std::size_t i = 0; i < 23; ++i)
        EXPECT_EQ(chains[i].size(), 2u) << i;
}

TEST_F(LikeCharges, LineEndsAfterTheStepThatStartsNearTheOtherCharge)
{
    // A weak charge 2 close by: lines of charge 1 run into it and must stop
    // after the first step that starts within 1.1 of it.
    const auto chains = unitChains(draw("10", "1", "0", "3"));
    ASSERT_EQ(chains.size(), 46u);
    int endedAtCharge2 = 0;
    for (std::size_t i = 0; i < 23; ++i) {
        const Chain &chain = chains[i];
        for (std::size_t j = 0; j + 2 < chain.size(); ++j)
            EXPECT_GT(distance(chain[j], {3, 0}), 1.1) << "a step started near charge 2 and the line went on";
        endedAtCharge2 += distance(chain[chain.size() - 2], {3, 0}) <= 1.1;
    }
    EXPECT_GT(endedAtCharge2, 0);
}

TEST_F(LikeCharges, ChargesTwoAndAHalfApartPutAnArrowheadOnEveryFirstSegment)
{
    const auto ops = draw("10", "10", "0", "2.5");
    const auto heads = arrowheadsOf(ops);
    const auto chains = unitChains(ops);
    ASSERT_EQ(chains.size(), 46u);
    for (const Chain &chain : chains) {
        bool found = false;
        for (const DrawnArrowhead &head : heads)
            found = found || distance(head.tip, chain[1]) < 1e-6;
        EXPECT_TRUE(found) << chain[1].x << ", " << chain[1].y;
    }
}

// D3: a vertical field is followed straight up or down instead of failing.
TEST_F(LikeCharges, ChargesOneAboveTheOtherDrawInFull)
{
    rig.setCharges("0", "-10", "10", "0", "10", "10");
    const auto chains = unitChains(rig.excite());
    EXPECT_EQ(chains.size(), 46u);
    EXPECT_EQ(rig.state.angle2, 180);
}

TEST_F(LikeCharges, VerticalStartStepsStraightUp)
{
    // x1 = -15: the 90-degree line starts exactly above the charge, where the
    // field of a lone charge has ex = 0. Charge 2 is 0: no lines of its own.
    const auto chains = unitChains(draw("10", "0"));
    ASSERT_EQ(chains.size(), 23u);
    const Chain &up = chains[5];  // 90 degrees
    ASSERT_EQ(up.size(), 25u);      // from y = 1 to y = 25
    for (const Point2 &p : up)
        EXPECT_EQ(p.x, -15.0);
    EXPECT_EQ(up.back().y, 25.0);
}

// D4: both charges zero have no field anywhere: only the dots.
TEST_F(LikeCharges, BothZeroDrawsOnlyTheDots)
{
    const auto ops = draw("0", "0");
    EXPECT_TRUE(linesOf(ops).empty());
    EXPECT_EQ(dotsOf(ops).size(), 2u);
    EXPECT_TRUE(rig.messenger.messages.empty());
}

// D5: with charges of 10 at (-10, 10) and (10, -10) the 315-degree line heads
// straight for the point of zero field between them and swings across it.
TEST_F(LikeCharges, LineIntoTheZeroFieldPointEnds)
{
    rig.setCharges("-10", "10", "10", "10", "-10", "10");
    const auto started = std::chrono::steady_clock::now();
    const auto ops = rig.excite();
    const auto elapsed = std::chrono::steady_clock::now() - started;
    EXPECT_LT(std::chrono::duration_cast<std::chrono::seconds>(elapsed).count(), 5);
    const auto chains = unitChains(ops);
    for (const Chain &chain : chains)
        EXPECT_LT(chain.size(), 200u);
    EXPECT_EQ(dotsOf(ops).size(), 2u);
}

// D13: a zero charge has no lines and no arrowheads of its own; the other
// charge's lines are drawn as before, and both dots.
TEST_F(LikeCharges, ZeroChargeHasNoLinesOfItsOwn)
{
    for (const char *other : {"10", "-10"}) {
        SCOPED_TRACE(other);
        const auto ops = draw("0", other);
        const auto chains = unitChains(ops);
        ASSERT_EQ(chains.size(), 23u);
        for (const Chain &chain : chains)
            EXPECT_NEAR(distance(chain.front(), {15, 0}), 1, 1e-5);
        for (const DrawnArrowhead &head : arrowheadsOf(ops))
            EXPECT_NEAR(distance(head.tip, {15, 0}), 12, 1.5);
        EXPECT_EQ(dotsOf(ops).size(), 2u);
    }
}

// A step count cap must not change lines that end by the rules: the oscillation
// test and the cap never fire for the ordinary picture.
TEST_F(LikeCharges, OrdinaryLinesEndByTheirStopTest)
{
    const auto chains = unitChains(draw("10", "5"));
    for (const Chain &chain : chains) {
        const Point2 end = chain.back();
        const bool border = end.x <= -45 || end.x >= 45 || end.y <= -25 || end.y >= 25;
        const bool atCharge = distance(chain[chain.size() - 2], {15, 0}) <= 1.1 ||
                              distance(chain[chain.size() - 2], {-15, 0}) <= 1.1;
        EXPECT_TRUE(border || atCharge) << end.x << ", " << end.y;
    }
}

}  // namespace

namespace {

// D14: every line that crosses the circle of its arrowheads (d / 2.5 about
// its own charge) shows its direction, whatever the spacing. At ±15.5 and
// ±15.6 the unit steps jump over the band; at ±15 and ±16 they land in it.
TEST(LikeChargeArrowheads, EveryLineCrossingItsCircleShowsItsDirection)
{
    for (double x : {15.0, 15.5, 15.6, 15.7, 16.0}) {
        SCOPED_TRACE(x);
        Rig rig;
        rig.setCharges(std::to_string(-x), "0", "10", std::to_string(x), "0", "10");
        const auto ops = rig.excite();
        const auto heads = arrowheadsOf(ops);
        const double middle = 2 * x / 2.5;
        int crossing = 0;
        for (const Chain &chain : unitChains(ops)) {
            const Point2 own = chain.front().x < 0 ? Point2{-x, 0} : Point2{x, 0};
            bool crosses = false;
            for (std::size_t i = 1; i < chain.size(); ++i)
                crosses |= (distance(chain[i - 1], own) - middle) * (distance(chain[i], own) - middle) < 0;
            if (!crosses)
                continue;
            ++crossing;
            bool shown = false;
            for (const DrawnArrowhead &head : heads) {
                for (const Point2 &p : chain)
                    shown |= distance(head.tip, p) < 1e-6;
            }
            EXPECT_TRUE(shown) << "line from (" << chain.front().x << ", " << chain.front().y << ")";
        }
        EXPECT_GE(crossing, 40);
        EXPECT_GE(heads.size(), std::size_t(crossing));
    }
}

}  // namespace
