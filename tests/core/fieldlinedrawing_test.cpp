// What the accurate picture draws: arrowheads spaced evenly along each
// visible piece, clear of the dots, pointing along the field; only what
// lies on the plot; the dots with their signs.

#include "core/accuratelines.h"
#include "core/chargedots.h"
#include "core/fieldlinedrawing.h"
#include "core/plotgeometry.h"
#include "core/pointfield.h"
#include "core/recordingsurface.h"
#include "support/chargesets.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using namespace FieldLineDrawing;

constexpr double kClear = kDotRadius + kDotClearance + kWing;

TEST(FieldLineDrawing, ArrowheadsAtEvenArcLengthsClearOfTheDots)
{
    struct Row
    {
        const char *name;
        std::vector<PlotPoint> piece;
        Charges charges;
        std::vector<double> tipsX;
        bool roomy = true;  // long enough to keep clear of the dots
    };
    // Passing a dot 3 units away, a piece has 80 − 2 b units of room.
    const double b = std::sqrt(kClear * kClear - 9), room = (80 - 2 * b) / 4;
    const Row rows[] = {
        {"one per 20 units", {{-40, 20}, {0, 20}, {40, 20}}, {{0, -1000, 10}}, {-30, -10, 10, 30}},
        {"at least one", {{0, 20}, {5, 20}}, {{0, -1000, 10}}, {2.5}},
        {"kept off the dot it leaves", {{0, 0}, {30, 0}}, {{0, 0, 10}}, {kClear + (30 - kClear) / 2}},
        {"no room: in the middle", {{0, 0}, {8, 0}}, {{0, 0, 10}, {8, 0, -10}}, {4}, false},
        {"spaced as if the room were joined", {{-40, 3}, {40, 3}}, {{0, 0, 10}},
         {-40 + room / 2, -40 + 1.5 * room, 40 - 1.5 * room, 40 - room / 2}},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        const std::vector<Arrowhead> heads = arrowheads(row.piece, true, row.charges);
        ASSERT_EQ(heads.size(), row.tipsX.size());
        const PointField field(row.charges);
        for (std::size_t i = 0; i < heads.size(); ++i) {
            const Arrowhead &h = heads[i];
            EXPECT_NEAR(h.tip.x, row.tipsX[i], 1e-12);
            // Wings of length 2 at ±22.5 degrees behind the tip, along E.
            const FieldVector e = field.field(h.tip.x, h.tip.y);
            for (const PlotPoint &w : {h.wing1, h.wing2}) {
                const double dx = h.tip.x - w.x, dy = h.tip.y - w.y;
                EXPECT_NEAR(std::hypot(dx, dy), kWing, 1e-12);
                EXPECT_NEAR((dx * e.x + dy * e.y) / (kWing * std::hypot(e.x, e.y)), std::cos(3.14159265358979 / 8), 1e-12);
            }
            for (const PointCharge &c : row.roomy ? row.charges : Charges{})
                EXPECT_GE(std::hypot(h.tip.x - c.x, h.tip.y - c.y), kClear - 1e-12);
        }
    }
}

// The dipole drawn: only blue lines at pen width 1, all on the plot, and on
// every visible piece at least one arrowhead.
TEST(FieldLineDrawing, DrawsOnlyWhatLiesOnThePlot)
{
    const Charges dipole = ChargeSets::dipole();
    const std::vector<TracedLine> lines = accurateFieldLines(dipole);
    RecordingSurface surface;
    drawFieldLines(surface, lines, dipole);
    ASSERT_FALSE(surface.drawing().empty());
    for (const auto &o : surface.drawing()) {
        EXPECT_EQ(o.op, RecordingSurface::Op::Line);
        EXPECT_EQ(o.colour, Colour::Blue);
        EXPECT_EQ(o.width, 1);
        EXPECT_TRUE(Plot::contains(o.x1, o.y1) && Plot::contains(o.x2, o.y2));
    }
    std::size_t pieces = 0;
    for (const TracedLine &line : lines) {
        for (const std::vector<PlotPoint> &piece : visiblePieces(line)) {
            EXPECT_FALSE(arrowheads(piece, line.alongField, dipole).empty());
            ++pieces;
        }
    }
    EXPECT_GT(pieces, lines.size());  // lines leave the plot and come back
}

TEST(ChargeDots, ShowTheSign)
{
    struct Row
    {
        const char *name;
        double q;
        std::uint32_t colour;
        std::size_t marks;
    };
    const Row rows[] = {
        {"positive: red with +", 10, Colour::Red, 2},
        {"negative: green with -", -1e-30, Colour::Green, 1},
        {"zero: grey, unmarked", 0, Colour::Grey, 0},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        RecordingSurface surface;
        drawSignedChargeDots(surface, {{-15, 5, row.q}});
        const auto drawing = surface.drawing();
        ASSERT_EQ(drawing.size(), 1 + row.marks);
        EXPECT_EQ(drawing[0].op, RecordingSurface::Op::PSet);
        EXPECT_EQ(drawing[0].colour, row.colour);
        EXPECT_EQ(drawing[0].width, 20);
        for (std::size_t i = 1; i < drawing.size(); ++i) {
            EXPECT_EQ(drawing[i].colour, 0xFFFFFFu);
            EXPECT_EQ(drawing[i].width, 2);
            // 12 pixels at the designed size, centred on the dot.
            EXPECT_NEAR(std::hypot(drawing[i].x2 - drawing[i].x1, drawing[i].y2 - drawing[i].y1), 12 * 90.0 / 693, 1e-5);
            EXPECT_NEAR((drawing[i].x1 + drawing[i].x2) / 2, -15, 1e-5);
            EXPECT_NEAR((drawing[i].y1 + drawing[i].y2) / 2, 5, 1e-5);
        }
    }
}

}  // namespace
