// What a test charge's path and a dashed field line issue to the plot: a
// purple line that grows without shifting and keeps to the path, the ring
// with its sign, and dashes even along a bent line.

#include "core/displaylist.h"
#include "core/recordingsurface.h"
#include "core/testchargedrawing.h"
#include "core/testchargepath.h"
#include "support/chargesets.h"
#include "support/fieldgeometry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace {

using Operation = RecordingSurface::Operation;

const Charges kDipole = ChargeSets::dipole();
constexpr double kPixel = 90.0 / 693;

// What is drawn at time t: the path's lines (before the white inside of the
// ring), then the ring's dot and lines.
struct Drawn
{
    std::vector<Operation> path;
    std::vector<Operation> ring;
};

Drawn drawn(const TestChargePath &path, double t)
{
    RecordingSurface surface;
    drawTestChargePath(surface, path, t);
    EXPECT_EQ(surface.penWidth(), 20);
    const std::vector<Operation> ops = surface.drawing();
    const auto dot = std::find_if(ops.begin(), ops.end(), [](const Operation &op) { return op.colour == Colour::White; });
    return {{ops.begin(), dot}, {dot, ops.end()}};
}

// The path is one purple line of width 2 from the release; the ring round
// the charge's place at t is 24 chords of 7 pixels' radius, white inside,
// and a + has two strokes through its centre, a − one. Cut at successive
// times, each line is the start of the next, so the path grows without
// shifting, and stays within half a pixel of the path (this one swings
// tightly round the negative charge). After the end it stays drawn whole.
TEST(TestChargeDrawing, PathGrowsAsOneLineToTheRingWithItsSign)
{
    for (bool positive : {true, false}) {
        SCOPED_TRACE(positive ? "positive" : "negative");
        const TestChargePath path(kDipole, {0, 5, 0, 0, positive});
        const Drawn whole = drawn(path, INFINITY);
        EXPECT_EQ(drawn(path, path.endTime() + 100).path.size(), whole.path.size());
        for (double t : {0.0, 3.3, 41.7, 250.0}) {
            SCOPED_TRACE(t);
            const Drawn cut = drawn(path, t);
            const PathSample now = path.at(t);
            ASSERT_EQ(cut.ring.size(), 1 + 24 + (positive ? 2 : 1));
            EXPECT_TRUE(cut.ring[0].x1 == float(now.x) && cut.ring[0].y1 == float(now.y) && cut.ring[0].width == 12);
            for (std::size_t i = 1; i < cut.ring.size(); ++i) {
                const Operation &op = cut.ring[i];
                EXPECT_TRUE(op.colour == Colour::Purple && op.width == 2);
                const double fromCentre = i <= 24 ? std::hypot(op.x1 - now.x, op.y1 - now.y)
                                                  : std::hypot((op.x1 + op.x2) / 2 - now.x, (op.y1 + op.y2) / 2 - now.y);
                EXPECT_NEAR(fromCentre, i <= 24 ? 7 * kPixel : 0, 1e-5);
            }
            if (cut.path.empty())
                continue;
            EXPECT_EQ(cut.path.front().x1, float(path.release().x));
            EXPECT_TRUE(cut.path.back().x2 == float(now.x) && cut.path.back().y2 == float(now.y));
            ASSERT_LE(cut.path.size(), whole.path.size());
            for (std::size_t i = 0; i < cut.path.size(); ++i) {
                const Operation &op = cut.path[i];
                ASSERT_TRUE(op.colour == Colour::Purple && op.width == 2);
                ASSERT_TRUE(i == 0 || (op.x1 == cut.path[i - 1].x2 && op.y1 == cut.path[i - 1].y2));
                ASSERT_TRUE(i + 1 == cut.path.size() || (op.x2 == whole.path[i].x2 && op.y2 == whole.path[i].y2));
            }
        }
    }
    const TestChargePath path(kDipole, {0, 5, 0, 0, true});
    const std::vector<Operation> early = drawn(path, 60).path;
    for (double t = 0; t < 60; t += 0.05) {
        const PathSample p = path.at(t);
        double nearest = INFINITY;
        for (const Operation &s : early)
            nearest = std::min(nearest, distanceToSegment({p.x, p.y}, {s.x1, s.y1}, {s.x2, s.y2}));
        ASSERT_LE(nearest, kPixel / 2) << "at t = " << t;
    }
}

// A test charge is painted with the bodies, over the field lines and the
// charges' dots, its white inside under its ring; its field line with the
// field lines.
TEST(TestChargeDrawing, LayersOfTheChargeAndItsFieldLine)
{
    DisplayList list;
    list.setLayers(Layer::FieldLines, Layer::Dots);
    list.PSet(15, 0, Colour::Red);
    drawDashedFieldLine(list, {{-10, 3}, {10, 3}});
    drawTestChargePath(list, TestChargePath(kDipole, {0, 5, 0, 0, true}), 20);
    const auto &runs = list.runs();
    ASSERT_GE(runs.size(), 4u);
    for (std::size_t i = 1; i < runs.size(); ++i)
        EXPECT_EQ(runs[i].layer, runs[i].rgb == 0x0000FF ? Layer::FieldLines : Layer::Dots) << "run " << i;
}

// Dashes of 1 and gaps of 0.7, measured along the line: a dash that turns a
// corner is 1 long all the same, and short segments do not shorten it.
TEST(TestChargeDrawing, DashesAreEvenAlongABentLine)
{
    const struct
    {
        const char *name;
        std::vector<PlotPoint> line;
        std::size_t bentGap;  // the gap turning the corner, not measured straight
    } rows[] = {
        {"straight in uneven pieces", {{0, 0}, {0.35, 0}, {1.9, 0}, {2.0, 0}, {2.05, 0}, {7.3, 0}}, SIZE_MAX},
        {"corner inside the first dash", {{0, 0}, {0.5, 0}, {0.5, 5}}, SIZE_MAX},
        {"corner inside a gap", {{-3, 1}, {-1.5, 1}, {-1.5, -4}}, 0},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        RecordingSurface surface;
        drawDashedFieldLine(surface, row.line);
        EXPECT_EQ(surface.penWidth(), 20);
        // The pieces issued end to start make one dash.
        std::vector<Operation> dashes;
        std::vector<double> lengths;
        for (const Operation &op : surface.drawing()) {
            ASSERT_TRUE(op.colour == Colour::Blue && op.width == 1);
            const double piece = std::hypot(op.x2 - op.x1, op.y2 - op.y1);
            if (!dashes.empty() && dashes.back().x2 == op.x1 && dashes.back().y2 == op.y1) {
                dashes.back().x2 = op.x2;
                dashes.back().y2 = op.y2;
                lengths.back() += piece;
            } else {
                dashes.push_back(op);
                lengths.push_back(piece);
            }
        }
        double total = 0;
        for (std::size_t i = 1; i < row.line.size(); ++i)
            total += std::hypot(row.line[i].x - row.line[i - 1].x, row.line[i].y - row.line[i - 1].y);
        ASSERT_EQ(dashes.size(), std::size_t(std::ceil(total / 1.7)));
        EXPECT_EQ(dashes.front().x1, float(row.line.front().x));
        for (std::size_t i = 0; i + 1 < dashes.size(); ++i) {
            EXPECT_NEAR(lengths[i], 1, 1e-5) << "dash " << i;
            if (i != row.bentGap) {
                EXPECT_NEAR(std::hypot(dashes[i + 1].x1 - dashes[i].x2, dashes[i + 1].y1 - dashes[i].y2), 0.7, 1e-5);
            }
        }
    }
}

}  // namespace
