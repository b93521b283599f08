// What a test charge's path and a dashed field line issue to the plot: a
// smooth purple line that grows without shifting, the ring with its sign,
// and dashes even along a bent line.

#include "core/recordingsurface.h"
#include "core/testchargedrawing.h"
#include "core/testchargepath.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace {

using Operation = RecordingSurface::Operation;

const Charges kDipole = {{-15, 0, 10}, {15, 0, -10}};
constexpr double kPixel = 90.0 / 693;

std::vector<Operation> drawn(const TestChargePath &path, double t)
{
    RecordingSurface surface;
    drawTestChargePath(surface, path, t);
    EXPECT_EQ(surface.penWidth(), 20);
    return surface.drawing();
}

// The path's lines: the purple lines of width 2 before the white dot.
std::vector<Operation> pathLines(const std::vector<Operation> &ops)
{
    const auto dot = std::find_if(ops.begin(), ops.end(), [](const Operation &op) { return op.colour == Colour::White; });
    return {ops.begin(), dot};
}

double distanceToSegment(double x, double y, const Operation &s)
{
    const double dx = s.x2 - s.x1, dy = s.y2 - s.y1;
    const double u = std::clamp(((x - s.x1) * dx + (y - s.y1) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
    return std::hypot(x - s.x1 - u * dx, y - s.y1 - u * dy);
}

// The whole path is one connected purple line from the release to the end;
// then the ring of 7 pixels' radius round the end, white inside, with a +
// (two strokes) or − (one).
TEST(TestChargeDrawing, PathIsOneLineEndingInTheRingWithItsSign)
{
    for (bool positive : {true, false}) {
        SCOPED_TRACE(positive ? "positive" : "negative");
        const TestChargePath path(kDipole, {-3, 7, 1, 0.5, positive});
        const std::vector<Operation> ops = drawn(path, INFINITY);
        const std::vector<Operation> lines = pathLines(ops);
        ASSERT_FALSE(lines.empty());
        const PathSample &end = path.samples().back();
        EXPECT_EQ(lines.front().x1, float(path.release().x));
        EXPECT_EQ(lines.back().x2, float(end.x));
        EXPECT_EQ(lines.back().y2, float(end.y));
        for (std::size_t i = 0; i < lines.size(); ++i) {
            ASSERT_EQ(lines[i].colour, Colour::Purple);
            ASSERT_EQ(lines[i].width, 2);
            if (i > 0) {
                ASSERT_TRUE(lines[i].x1 == lines[i - 1].x2 && lines[i].y1 == lines[i - 1].y2) << "line " << i;
            }
        }

        const std::vector<Operation> marks(ops.begin() + lines.size(), ops.end());
        ASSERT_EQ(marks.size(), 1 + 24 + (positive ? 2 : 1));
        EXPECT_EQ(marks[0].op, RecordingSurface::Op::PSet);
        EXPECT_EQ(marks[0].width, 12);
        EXPECT_EQ(marks[0].x1, float(end.x));
        for (std::size_t i = 1; i <= 24; ++i) {
            EXPECT_NEAR(std::hypot(marks[i].x1 - end.x, marks[i].y1 - end.y), 7 * kPixel, 1e-5);
            EXPECT_EQ(marks[i].x2, marks[i % 24 + 1].x1);
        }
        for (std::size_t i = 25; i < marks.size(); ++i) {
            EXPECT_NEAR(std::hypot(marks[i].x2 - marks[i].x1, marks[i].y2 - marks[i].y1), 8 * kPixel, 1e-5);
            EXPECT_NEAR((marks[i].x1 + marks[i].x2) / 2, end.x, 1e-5);
            EXPECT_NEAR((marks[i].y1 + marks[i].y2) / 2, end.y, 1e-5);
        }
        for (const Operation &op : marks) {
            if (op.op == RecordingSurface::Op::Line) {
                EXPECT_TRUE(op.colour == Colour::Purple && op.width == 2);
            }
        }
    }
}

// The animation draws the path cut at successive times: each picture's line
// is the start of the next one's, so the path grows without shifting, and
// the ring sits where the charge is at that time. After the end the whole
// path stays drawn. The path swings tightly round the negative charge, and
// the line stays within half a pixel of it.
TEST(TestChargeDrawing, PathCutAtATimeGrowsWithoutShiftingAndFollowsThePath)
{
    const TestChargePath path(kDipole, {0, 5, 0, 0, true});
    const std::vector<Operation> whole = pathLines(drawn(path, INFINITY));
    const std::vector<Operation> early = pathLines(drawn(path, 60));
    for (double t = 0; t < 60; t += 0.05) {
        const PathSample p = path.at(t);
        double nearest = INFINITY;
        for (const Operation &line : early)
            nearest = std::min(nearest, distanceToSegment(p.x, p.y, line));
        ASSERT_LE(nearest, kPixel / 2) << "at t = " << t;
    }
    for (double t : {0.0, 3.3, 41.7, 250.0}) {
        SCOPED_TRACE(t);
        const std::vector<Operation> ops = drawn(path, t);
        const std::vector<Operation> cut = pathLines(ops);
        const PathSample now = path.at(t);
        EXPECT_EQ(ops[cut.size()].x1, float(now.x));
        EXPECT_EQ(ops[cut.size()].y1, float(now.y));
        if (cut.empty())
            continue;
        EXPECT_EQ(cut.back().x2, float(now.x));
        EXPECT_EQ(cut.back().y2, float(now.y));
        ASSERT_LE(cut.size(), whole.size());
        for (std::size_t i = 0; i + 1 < cut.size(); ++i)
            ASSERT_TRUE(cut[i].x2 == whole[i].x2 && cut[i].y2 == whole[i].y2) << "line " << i;
    }
    EXPECT_EQ(drawn(path, path.endTime() + 100).size(), drawn(path, INFINITY).size());
}

// Dashes of 1 and gaps of 0.7, measured along the line: a dash that turns a
// corner is 1 long all the same, and short segments do not shorten it.
TEST(TestChargeDrawing, DashesAreEvenAlongABentLine)
{
    struct Row
    {
        const char *name;
        std::vector<PlotPoint> line;
        std::size_t bentGap;  // the gap turning the corner, not measured straight
    };
    const std::size_t none = SIZE_MAX;
    const Row rows[] = {
        {"straight in uneven pieces", {{0, 0}, {0.35, 0}, {1.9, 0}, {2.0, 0}, {2.05, 0}, {7.3, 0}}, none},
        {"corner inside the first dash", {{0, 0}, {0.5, 0}, {0.5, 5}}, none},
        {"corner inside a gap", {{-3, 1}, {-1.5, 1}, {-1.5, -4}}, 0},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        RecordingSurface surface;
        drawDashedFieldLine(surface, row.line);
        EXPECT_EQ(surface.penWidth(), 20);
        // Join the pieces issued end to start into dashes, with their length
        // along the line.
        struct Dash
        {
            float x1, y1, x2, y2;
            double length;
        };
        std::vector<Dash> dashes;
        for (const Operation &op : surface.drawing()) {
            ASSERT_TRUE(op.colour == Colour::Blue && op.width == 1);
            const double piece = std::hypot(op.x2 - op.x1, op.y2 - op.y1);
            if (!dashes.empty() && dashes.back().x2 == op.x1 && dashes.back().y2 == op.y1) {
                dashes.back().x2 = op.x2;
                dashes.back().y2 = op.y2;
                dashes.back().length += piece;
            } else {
                dashes.push_back({op.x1, op.y1, op.x2, op.y2, piece});
            }
        }
        double total = 0;
        for (std::size_t i = 1; i < row.line.size(); ++i)
            total += std::hypot(row.line[i].x - row.line[i - 1].x, row.line[i].y - row.line[i - 1].y);
        ASSERT_EQ(dashes.size(), std::size_t(std::ceil(total / 1.7)));
        EXPECT_EQ(dashes.front().x1, float(row.line.front().x));
        for (std::size_t i = 0; i + 1 < dashes.size(); ++i) {
            EXPECT_NEAR(dashes[i].length, 1, 1e-5) << "dash " << i;
            const double gap = std::hypot(dashes[i + 1].x1 - dashes[i].x2, dashes[i + 1].y1 - dashes[i].y2);
            if (i != row.bentGap) {
                EXPECT_NEAR(gap, 0.7, 1e-5) << "gap " << i;
            }
        }
    }
}

}  // namespace
