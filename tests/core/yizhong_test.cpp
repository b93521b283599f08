#include "support/rig.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

class UnlikeCharges : public ::testing::Test
{
protected:
    std::vector<Operation> draw(const char *x1, const char *y1, const char *q1, const char *x2, const char *y2,
                                const char *q2)
    {
        rig.setCharges(x1, y1, q1, x2, y2, q2);
        return rig.excite();
    }
    Rig rig;
};

// Lines of length 90: the axis lines of the scan round charge 2.
std::vector<Operation> axisLines(const std::vector<Operation> &ops)
{
    std::vector<Operation> result;
    for (const Operation &o : linesOf(ops)) {
        if (std::fabs(std::hypot(double(o.x2) - o.x1, double(o.y2) - o.y1) - 90) < 1e-3)
            result.push_back(o);
    }
    return result;
}

enum class End { Charge2, Top, Bottom, Left, Right, Other };

End endOf(const Chain &chain, Point2 charge2)
{
    const Point2 lastStart = chain[chain.size() - 2];
    const Point2 end = chain.back();
    if (distance(lastStart, charge2) <= 1.1)
        return End::Charge2;
    if (end.y >= 25)
        return End::Top;
    if (end.y <= -25)
        return End::Bottom;
    if (end.x < -45)
        return End::Left;
    if (end.x > 45)
        return End::Right;
    return End::Other;
}

TEST_F(UnlikeCharges, DefaultLinesRunFromChargeOneToChargeTwo)
{
    const auto ops = draw("-15", "0", "10", "15", "0", "-10");
    const auto chains = unitChains(ops);
    ASSERT_EQ(chains.size(), 25u);
    for (std::size_t i = 0; i < chains.size(); ++i) {
        EXPECT_NEAR(distance(chains[i].front(), {-15, 0}), 1, 1e-5) << i;
        if (i == 12)
            continue;  // 180 degrees: the axis, handed to the scan
        EXPECT_EQ(endOf(chains[i], {15, 0}), End::Charge2) << "line at " << 15 * i << " degrees";
    }
    // The 0-degree line runs straight along the axis.
    for (const Point2 &p : chains[0])
        EXPECT_NEAR(p.y, 0, 1e-4);
    // The 180-degree line ends after its first step, with the values the scan left.
    EXPECT_EQ(chains[12].size(), 2u);
    EXPECT_EQ(chains[12][0].x, -16.0);
}

TEST_F(UnlikeCharges, DefaultLongestLinesComeOutUnchangedByTheStepCap)
{
    const auto chains = unitChains(draw("-15", "0", "10", "15", "0", "-10"));
    ASSERT_EQ(chains.size(), 25u);
    for (std::size_t i : {11u, 13u}) {  // 165 and 195 degrees
        double farthest = 0;
        for (const Point2 &p : chains[i])
            farthest = std::max(farthest, std::fabs(p.y));
        EXPECT_GT(chains[i].size(), 2000u);
        EXPECT_LT(chains[i].size(), 3000u);
        EXPECT_NEAR(farthest, 920, 40);
        EXPECT_EQ(endOf(chains[i], {15, 0}), End::Charge2);
    }
}

TEST_F(UnlikeCharges, DefaultAxisLinesAndTheirArrowheads)
{
    const auto ops = draw("-15", "0", "10", "15", "0", "-10");
    const auto axis = axisLines(ops);
    // The 0- and 360-degree scan points both lie on the axis beyond charge 2.
    ASSERT_EQ(axis.size(), 4u);
    for (std::size_t i = 0; i < 4; i += 2) {
        EXPECT_FLOAT_EQ(axis[i].x1, 16);
        EXPECT_NEAR(axis[i].y1, 0, 1e-6);
        EXPECT_FLOAT_EQ(axis[i].x2, 106);
        EXPECT_FLOAT_EQ(axis[i + 1].x1, 16);  // the second line starts at the scan point too
        EXPECT_FLOAT_EQ(axis[i + 1].x2, -74);
    }
    // Arrowhead beyond charge 1, away from it; beyond charge 2, toward it.
    bool left = false;
    bool right = false;
    for (const DrawnArrowhead &head : arrowheadsOf(ops)) {
        if (std::fabs(head.tip.x + 29.8) < 1e-4) {
            left = true;
            EXPECT_NEAR(head.wing1.x, -27.952, 1e-3);
            EXPECT_NEAR(head.wing1.y, 0.765, 1e-3);
            EXPECT_NEAR(head.wing2.y, -0.765, 1e-3);
        }
        if (std::fabs(head.tip.x - 27.3) < 1e-4 && head.tip.y == 0) {
            right = true;
            EXPECT_NEAR(head.wing1.x, 29.148, 1e-3);
        }
    }
    EXPECT_TRUE(left);
    EXPECT_TRUE(right);
}

TEST_F(UnlikeCharges, DefaultArrowheadsSitNearThirteenAndAHalfAndPointToTheNegativeCharge)
{
    const auto ops = draw("-15", "0", "10", "15", "0", "-10");
    int nearOne = 0;
    int nearTwo = 0;
    for (const DrawnArrowhead &head : arrowheadsOf(ops)) {
        if (head.tip.y == 0 || std::fabs(head.tip.y) < 1e-6)
            continue;  // the axis arrowheads
        const double r1 = distance(head.tip, {-15, 0});
        const double r2 = distance(head.tip, {15, 0});
        EXPECT_TRUE(std::fabs(r1 - 13.5) < 1.6 || std::fabs(r2 - 13.5) < 1.6) << head.tip.x << ", " << head.tip.y;
        nearOne += std::fabs(r1 - 13.5) < 1.6;
        nearTwo += std::fabs(r2 - 13.5) < 1.6;
    }
    EXPECT_GE(nearOne, 20);
    EXPECT_GE(nearTwo, 20);
}

// Variant A, 10 and -5: which start directions end where.
TEST_F(UnlikeCharges, WeakerChargeTwoLinesEndAtChargeTwoOrABorder)
{
    const auto ops = draw("-15", "0", "10", "15", "0", "-5");
    const auto chains = unitChains(ops);
    ASSERT_EQ(chains.size(), 25u);
    for (int i = 0; i < 25; ++i) {
        const int degrees = 15 * i;
        const End end = endOf(chains[i], {15, 0});
        if (degrees == 180)
            continue;  // handed to the axis scan
        const End expected = degrees <= 60 || degrees >= 300    ? End::Charge2
                             : degrees >= 75 && degrees <= 135  ? End::Top
                             : degrees >= 225 && degrees <= 285 ? End::Bottom
                                                                : End::Left;
        EXPECT_EQ(end, expected) << degrees;
    }
    EXPECT_EQ(chains[12].size(), 2u);
    EXPECT_EQ(rig.state.q1, 10.0f);
    EXPECT_EQ(rig.state.q2, -5.0f);
}

// Variant C, 5 and -10: the mirror image of what variant A traces for -10
// and 5, with the amounts left exchanged.
TEST_F(UnlikeCharges, StrongerChargeTwoDrawsTheMirrorOfTheExchangedTrace)
{
    const auto exchanged = unitChains(draw("-15", "0", "5", "15", "0", "-10"));
    EXPECT_EQ(rig.state.q1, -10.0f);
    EXPECT_EQ(rig.state.q2, 5.0f);
    Rig entered;
    entered.setCharges("-15", "0", "-10", "15", "0", "5");
    const auto direct = unitChains(entered.excite());
    ASSERT_EQ(exchanged.size(), direct.size());
    for (std::size_t i = 0; i < direct.size(); ++i) {
        ASSERT_EQ(exchanged[i].size(), direct[i].size()) << i;
        for (std::size_t j = 0; j < direct[i].size(); ++j) {
            EXPECT_EQ(exchanged[i][j].x, -direct[i][j].x);
            EXPECT_EQ(exchanged[i][j].y, direct[i][j].y);
        }
    }
}

TEST_F(UnlikeCharges, StrongerChargeTwoAxisLinesAndItsOneArrowhead)
{
    const auto ops = draw("-15", "0", "5", "15", "0", "-10");
    const auto axis = axisLines(ops);
    ASSERT_EQ(axis.size(), 2u);  // only the 180-degree scan point
    EXPECT_FLOAT_EQ(axis[0].x1, -14);
    EXPECT_FLOAT_EQ(axis[0].x2, -104);
    EXPECT_FLOAT_EQ(axis[1].x1, -14);
    EXPECT_FLOAT_EQ(axis[1].x2, 76);
    int onAxis = 0;
    for (const DrawnArrowhead &head : arrowheadsOf(ops)) {
        if (std::fabs(head.tip.y) > 1e-6 || std::fabs(head.tip.x) < 15)
            continue;  // not on the axis beyond the charges
        ++onAxis;
        EXPECT_FLOAT_EQ(head.tip.x, 29.5);
        EXPECT_NEAR(head.wing1.x, 31.348, 1e-3);
        EXPECT_LT(head.pointing().x, -0.99);  // toward the negative charge 2
    }
    EXPECT_EQ(onAxis, 1);
}

TEST_F(UnlikeCharges, PositiveChargeTwoAxisRunsThroughItAndTheLastStepGoesDown)
{
    const auto ops = draw("-15", "0", "-10", "15", "0", "10");
    const auto axis = axisLines(ops);
    ASSERT_EQ(axis.size(), 2u);
    EXPECT_FLOAT_EQ(axis[0].x1, 14);
    EXPECT_FLOAT_EQ(axis[0].x2, 104);
    EXPECT_FLOAT_EQ(axis[1].x2, -76);
    for (const DrawnArrowhead &head : arrowheadsOf(ops)) {
        if (std::fabs(head.tip.y) > 1e-6 || std::fabs(std::fabs(head.tip.x) - 28.5) > 1.5)
            continue;
        EXPECT_GT(head.pointing().x, 0.99);  // both toward +x
    }
    // The scan left theta at about 3 pi / 2: the axis step runs straight down.
    const auto chains = unitChains(ops);
    ASSERT_EQ(chains.size(), 25u);
    ASSERT_EQ(chains[12].size(), 2u);
    EXPECT_NEAR(chains[12][1].x, -16, 2e-3);
    EXPECT_NEAR(chains[12][1].y, -1, 1e-3);
}

// The placement where 20/9 puts the band round charge 1 at distance 1 and
// the scan is never called: one charge above the other.
TEST_F(UnlikeCharges, BandAtDistanceOneMarksEveryFirstSegment)
{
    const auto ops = draw("0", "0", "10", "0", "2.2222222", "-5");
    const auto heads = arrowheadsOf(ops);
    const auto chains = unitChains(ops);
    ASSERT_EQ(chains.size(), 25u);
    for (const Chain &chain : chains) {
        bool marked = false;
        for (const DrawnArrowhead &head : heads)
            marked = marked || distance(head.tip, chain[1]) < 1e-6;
        EXPECT_TRUE(marked) << chain[1].x << ", " << chain[1].y;
    }
}

// D18: one above the other, charge 1 stronger. The line leaving charge 1
// straight away from charge 2 is the axis, handed to the scan, as a
// horizontal pair's is; a line leaving through a side border ends there, on
// either side. (Traced in the plot's own frame, the downward line stepped on
// to the bottom border and the 345-degree line ran on right of the plot.)
TEST_F(UnlikeCharges, OneAboveTheOtherIsTracedAsAHorizontalPairTurned)
{
    const auto ops = draw("0", "-10", "10", "0", "10", "-5");
    const auto chains = unitChains(ops);
    ASSERT_EQ(chains.size(), 25u);
    const auto startingAt = [&chains](double degrees) {
        const double a = degrees * 3.14159265358979 / 180;
        for (const Chain &chain : chains) {
            if (distance(chain[0], {std::cos(a), -10 + std::sin(a)}) < 1e-4)
                return chain;
        }
        return Chain{};
    };
    EXPECT_EQ(startingAt(270).size(), 2u);
    const auto axis = axisLines(ops);
    ASSERT_FALSE(axis.empty());
    for (const Operation &line : axis) {
        EXPECT_NEAR(line.x1, 0, 1e-6);
        EXPECT_NEAR(line.x2, 0, 1e-6);
    }
    EXPECT_EQ(endOf(startingAt(345), {0, 10}), End::Right);
    EXPECT_EQ(endOf(startingAt(195), {0, 10}), End::Left);
}

// D4: a traced point on a charge or in a zero field ends its line quietly.
TEST_F(UnlikeCharges, ChargesOneUnitApartDrawTheLinesThatExist)
{
    const auto ops = draw("0", "0", "10", "1", "0", "-5");
    EXPECT_TRUE(rig.messenger.messages.empty());
    const auto chains = unitChains(ops);
    EXPECT_EQ(chains.size(), 24u);  // the 0-degree line starts on charge 2
    EXPECT_EQ(dotsOf(ops).size(), 2u);
}

// D5: equal amounts on a diagonal at 45 degrees: the line leaving charge 1
// straight away from charge 2 never meets a stop rule and ends at the step
// cap. (Charges one above the other did so too until they were traced as a
// horizontal pair turned, D18, whose axis the scan draws.)
TEST_F(UnlikeCharges, RunawayLineStopsAtTheStepCap)
{
    const auto chains = unitChains(draw("-10", "-10", "10", "10", "10", "-10"));
    std::size_t longest = 0;
    for (const Chain &chain : chains)
        longest = std::max(longest, chain.size() - 1);
    EXPECT_EQ(longest, std::size_t(FieldLines::kMaxStepsPerLine));
    EXPECT_EQ(rig.state.angle, 375);
}

// D6: off the x axis the axis lines stay on the charges' own horizontal.
TEST_F(UnlikeCharges, AxisLinesFollowTheChargesHeight)
{
    const auto ops = draw("-15", "5", "10", "15", "5", "-5");
    const auto axis = axisLines(ops);
    ASSERT_FALSE(axis.empty());
    for (const Operation &line : axis) {
        EXPECT_FLOAT_EQ(line.y1, 5);
        EXPECT_FLOAT_EQ(line.y2, 5);
        EXPECT_FLOAT_EQ(line.x1, 16);
    }
    EXPECT_FLOAT_EQ(axis[0].x2, 106);
    for (const DrawnArrowhead &head : arrowheadsOf(ops)) {
        if (std::fabs(head.tip.x + 29.8) < 1e-3 || std::fabs(head.tip.x - 27.3) < 1e-3) {
            EXPECT_NEAR(head.tip.y, 5, 1e-5);
        }
    }
}

// D7: with a stronger charge 2 anywhere, the lines leave the red dot and run
// to the green one.
TEST_F(UnlikeCharges, StrongerChargeTwoLinesMeetTheDotsForAnyPlacement)
{
    const auto ops = draw("-20", "0", "5", "10", "0", "-10");
    const auto chains = unitChains(ops);
    ASSERT_EQ(chains.size(), 25u);
    int reachedGreen = 0;
    for (const Chain &chain : chains) {
        EXPECT_NEAR(distance(chain.front(), {10, 0}), 1, 1e-4);
        reachedGreen += distance(chain[chain.size() - 2], {-20, 0}) <= 1.1;
    }
    EXPECT_GE(reachedGreen, 8);
    const auto axis = axisLines(ops);
    ASSERT_EQ(axis.size(), 2u);
    // The axis through the weaker green charge, from 1 right of it leftward.
    EXPECT_FLOAT_EQ(axis[0].x1, -19);
    EXPECT_FLOAT_EQ(axis[0].x2, -109);
}

TEST_F(UnlikeCharges, WeakChargeTwoLeavesTheAxisToTheTracer)
{
    const auto ops = draw("-15", "0", "10", "15", "0", "-0.001");
    EXPECT_TRUE(axisLines(ops).empty());
    int axisHeads = 0;
    for (const DrawnArrowhead &head : arrowheadsOf(ops))
        axisHeads += std::fabs(head.tip.x + 29.8) < 1e-3 || std::fabs(head.tip.x - 27.3) < 1e-3;
    EXPECT_EQ(axisHeads, 2);
    EXPECT_EQ(unitChains(ops)[12].size(), 2u);
}

TEST_F(UnlikeCharges, TwoExcitesLeaveTheSameStateAndPicture)
{
    const auto first = draw("-15", "0", "5", "15", "0", "-10");
    const DrawingState state = rig.state;
    const auto second = rig.excite();
    EXPECT_TRUE(sameState(state, rig.state));
    ASSERT_EQ(first.size(), second.size());
    for (std::size_t i = 0; i < first.size(); ++i)
        EXPECT_EQ(first[i].x2, second[i].x2);
}

// The scan on its own, with the state the tracer hands it on the default.
TEST(AxisScan, LeavesTheValuesThatEndTheTracersLine)
{
    Rig rig;
    DrawingState &s = rig.state;
    s.q1 = 10;
    s.x1 = -15;
    s.q2 = -10;
    s.x2 = 15;
    s.px = -16;
    s.py = 5.4e-8f;
    s.theta = 3.1415925f;
    s.angle = 180;
    rig.lines.TeshuChuli();
    EXPECT_EQ(s.theta, 3.1415925f);
    EXPECT_FLOAT_EQ(s.r2, 1);
    EXPECT_FLOAT_EQ(s.r1, 31);
    EXPECT_EQ(s.angle2, 375);
    EXPECT_EQ(s.angle, 180);
    EXPECT_EQ(s.px, -16.0f);
    // The charge-2 arrowhead is what stays in the arrowhead fields.
    EXPECT_FLOAT_EQ(s.tipX, 27.3f);
}

TEST(AxisScan, PositiveChargeTwoTurnsTheLastStepDownward)
{
    Rig rig;
    DrawingState &s = rig.state;
    // Entered 5 and -10, held exchanged as the tracer holds them.
    s.x1 = -15;
    s.x2 = 15;
    s.q1 = -10;
    s.q2 = 5;
    s.px = -16;
    s.theta = 3.1415925f;
    rig.panel.setText(3, "5");
    rig.panel.setText(6, "-10");
    rig.lines.TeshuChuli2();
    EXPECT_NEAR(s.theta, 4.710, 2e-3);
    EXPECT_FLOAT_EQ(s.tipX, -29.5f);
    EXPECT_NEAR(s.wing1X, -31.348, 1e-3);
    EXPECT_EQ(s.q1, -10.0f);
}

TEST(AxisScan, ChargeTwoNotRightOfChargeOneDrawsOnlyArrowheads)
{
    Rig rig;
    DrawingState &s = rig.state;
    s.q1 = 10;
    s.x1 = 15;
    s.q2 = -10;
    s.x2 = 15;
    s.y2 = 5;
    s.px = 14;
    rig.lines.TeshuChuli();
    const auto ops = rig.surface.operations();
    EXPECT_EQ(ops.size(), 4u);  // two arrowheads, no axis lines
}

}  // namespace

namespace {

// D14: every line that crosses a circle of arrowheads (0.45 of the charge
// distance about either charge) shows its direction there. With the charges
// 30 apart the axis line steps from 13 to 14 away from charge 1 and never
// starts inside the band; at ±15.5 many lines jump over both bands.
TEST(UnlikeChargeArrowheads, EveryLineCrossingACircleShowsItsDirection)
{
    struct Row
    {
        double x;
        const char *q2;
    };
    for (const Row row : {Row{15, "-10"}, Row{15, "-5"}, Row{15.5, "-10"}, Row{15.5, "-5"}, Row{15.6, "-7"}}) {
        SCOPED_TRACE(std::to_string(row.x) + " " + row.q2);
        Rig rig;
        rig.setCharges(std::to_string(-row.x), "0", "10", std::to_string(row.x), "0", row.q2);
        const auto ops = rig.excite();
        const auto heads = arrowheadsOf(ops);
        const double middle = 0.45 * 2 * row.x;
        int crossings = 0;
        for (const Chain &chain : unitChains(ops)) {
            for (const Point2 charge : {Point2{-row.x, 0}, Point2{row.x, 0}}) {
                bool crosses = false;
                for (std::size_t i = 1; i < chain.size(); ++i)
                    crosses |= (distance(chain[i - 1], charge) - middle) * (distance(chain[i], charge) - middle) < 0;
                if (!crosses)
                    continue;
                ++crossings;
                bool shown = false;
                for (const DrawnArrowhead &head : heads) {
                    if (std::fabs(distance(head.tip, charge) - middle) > 2.1)
                        continue;
                    for (const Point2 &p : chain)
                        shown |= distance(head.tip, p) < 1e-6;
                }
                EXPECT_TRUE(shown) << "line from (" << chain.front().x << ", " << chain.front().y << ") about ("
                                   << charge.x << ", 0)";
            }
        }
        EXPECT_GT(crossings, 20);
    }
}

}  // namespace
