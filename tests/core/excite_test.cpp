#include "support/namedrows.h"
#include "support/rig.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

TEST(Excite, PreparesThePlotBeforeDrawing)
{
    Rig rig;
    rig.excite();
    const auto &ops = rig.surface.operations();
    ASSERT_GE(ops.size(), 4u);
    EXPECT_EQ(ops[0].op, Op::Cls);
    EXPECT_EQ(ops[1].op, Op::Width);
    EXPECT_FLOAT_EQ(ops[1].x1, 10395);  // 5775 × 90 / 50: the designed size already
    EXPECT_EQ(ops[2].op, Op::Scale);
    EXPECT_EQ(ops[2].x1, -45);
    EXPECT_EQ(ops[2].y1, 25);
    EXPECT_EQ(ops[2].x2, 45);
    EXPECT_EQ(ops[2].y2, -25);
    EXPECT_EQ(ops[3].op, Op::AutoRedraw);
    EXPECT_TRUE(rig.surface.autoRedraw());
}

TEST(Excite, LoadsTheSixBoxesRoundedTo32Bits)
{
    Rig rig;
    rig.setCharges(" -1 5", "0.1", "abc", "1,5", "2.5e1", "", false);
    rig.excite();
    EXPECT_EQ(rig.state.x1, -15.0f);
    EXPECT_EQ(rig.state.y1, 0.1f);
    EXPECT_EQ(rig.state.q1, 0.0f);
    EXPECT_EQ(rig.state.x2, 1.0f);
    EXPECT_EQ(rig.state.y2, 25.0f);
    EXPECT_EQ(rig.state.q2, 0.0f);
}

TEST(Excite, TwiceShowsOnePictureAndLeavesTheSameState)
{
    Rig rig;
    const auto first = rig.excite();
    const DrawingState afterFirst = rig.state;
    const auto second = rig.excite();
    EXPECT_EQ(first.size(), second.size());
    EXPECT_TRUE(sameState(afterFirst, rig.state));
    for (std::size_t i = 0; i < first.size() && i < second.size(); ++i) {
        EXPECT_EQ(first[i].x1, second[i].x1);
        EXPECT_EQ(first[i].y2, second[i].y2);
    }
}

TEST(Excite, SecondExciteStartsWithTheDotsPenWidth)
{
    Rig rig;
    rig.excite();
    rig.excite();
    // The Cls of the second excite still has the width the dots left.
    EXPECT_EQ(rig.surface.operations().front().op, Op::Cls);
    EXPECT_EQ(rig.surface.operations().front().width, 20);
}

TEST(Excite, StateIsAllZeroBeforeTheFirstExcite)
{
    EXPECT_TRUE(sameState(DrawingState{}, DrawingState{}));
    DrawingState s;
    EXPECT_EQ(s.q1, 0.0f);
    EXPECT_EQ(s.wing4Y, 0.0f);
    EXPECT_EQ(s.angle, 0);
    EXPECT_EQ(s.angle2, 0);
}

// Numbers beyond the 32-bit range are refused before anything is drawn, and
// the state keeps the last good values.
struct OutOfRangeCase
{
    const char *name;
    int box;
    const char *text;
};

LIST_ROWS_BY_NAME(OutOfRangeCase)

class OutOfRange : public ::testing::TestWithParam<OutOfRangeCase>
{
};

TEST_P(OutOfRange, ShowsTheMessageAndDrawsNothing)
{
    Rig rig;
    rig.excite();
    const DrawingState before = rig.state;
    rig.panel.setText(GetParam().box, GetParam().text);
    const auto ops = rig.excite();
    EXPECT_TRUE(ops.empty());
    ASSERT_EQ(rig.messenger.messages.size(), 1u);
    EXPECT_EQ(rig.messenger.messages[0].prompt, "输入的数值超出范围");
    EXPECT_EQ(rig.messenger.messages[0].title, "提示");
    EXPECT_TRUE(sameState(before, rig.state));
    // The plot was cleared: the old picture does not linger.
    EXPECT_EQ(rig.surface.operations().front().op, Op::Cls);
}

INSTANTIATE_TEST_SUITE_P(D9, OutOfRange,
                         ::testing::Values(OutOfRangeCase{"HugeAmount", 3, "1e39"},
                                           OutOfRangeCase{"HugeNegativePosition", 1, "-1e39"},
                                           OutOfRangeCase{"BeyondDouble", 5, "1e400"},
                                           OutOfRangeCase{"LastBox", 6, "-4e38"}),
                         [](const auto &info) { return info.param.name; });

TEST(Excite, LargestFloatIsStillDrawn)
{
    Rig rig;
    rig.setCharges("0", "0", "3.4028234e38", "15", "0", "1", false);
    rig.excite();
    EXPECT_TRUE(rig.messenger.messages.empty());
    EXPECT_EQ(rig.state.q1, 3.4028234e38f);
}

// A surface that fails like an unexpected fault in the middle of a drawing.
class FailingSurface : public RecordingSurface
{
public:
    void Line(float x1, float y1, float x2, float y2, std::uint32_t colour) override
    {
        if (failAfter-- == 0)
            throw std::runtime_error("plot failed");
        RecordingSurface::Line(x1, y1, x2, y2, colour);
    }
    int failAfter = 30;
};

// D10: an unexpected failure is reported, keeps what was drawn, and the next
// excite works.
TEST(Excite, UnexpectedFailureIsReportedAndTheWindowGoesOn)
{
    DrawingState state;
    FailingSurface surface;
    TextPanel panel;
    RecordingMessenger messenger;
    FieldLines lines{state, surface, panel, messenger};

    lines.excite();
    ASSERT_EQ(messenger.messages.size(), 1u);
    EXPECT_EQ(messenger.messages[0].title, "运行时错误");
    EXPECT_EQ(linesOf(surface.drawing()).size(), 30u);

    surface.failAfter = -1;
    lines.excite();
    EXPECT_EQ(messenger.messages.size(), 1u);
    EXPECT_EQ(dotsOf(surface.drawing()).size(), 2u);
}

}  // namespace
