// D18: two charges on one vertical line are traced as a horizontal pair in
// the plot turned by 90 degrees, so their picture is its own mirror image
// about the vertical through them.

#include "support/rig.h"

#include "core/plotgeometry.h"

#include <gtest/gtest.h>

#include <array>
#include <charconv>
#include <cmath>
#include <random>
#include <string>

namespace {

#ifdef FIELDLINES_SANITIZE
constexpr int kPairs = 60;
#else
constexpr int kPairs = 300;
#endif

// The two halves start from angles that mirror each other only to their
// rounding, and every step rounds to 32 bits.
constexpr double kTolerance = 0.02;

std::string text(double v)
{
    char buffer[32];
    return std::string(buffer, std::to_chars(buffer, buffer + sizeof buffer, v).ptr);
}

bool inside(Point2 p)
{
    return p.x > Plot::kLeft && p.x < Plot::kRight && p.y > Plot::kBottom && p.y < Plot::kTop;
}

// Every traced line has an image that starts at the mirror image of its start
// and stays so, step for step, while both are inside the plot (past a border
// one may end while the other has room), with its arrowheads; a line that
// stays inside ends with its image, give or take the one step that a start
// just inside or outside 1.1 from a charge decides. An arrowhead may sit a
// step off its image where a step starts on the edge of its ring.
void expectOwnMirrorImage(const std::vector<Operation> &ops, double x0)
{
    const auto mirror = [x0](Point2 p) { return Point2{2 * x0 - p.x, p.y}; };
    const auto heads = arrowheadsOf(ops);
    const auto chains = unitChains(ops);
    ASSERT_FALSE(chains.empty());
    for (const Chain &line : chains) {
        // The step after the axis scan runs where the scan's last pass left
        // it, across the axis for a positive sink: a horizontal pair's does.
        // Far off the plot a 32-bit step is no longer 1 long and a line falls
        // apart into pieces that start there; its start on the plot counts.
        if ((line.size() == 2 && std::fabs(line[0].x - x0) < 1e-4) || !inside(line[0]))
            continue;
        const Chain *image = nullptr;
        for (const Chain &other : chains) {
            if (distance(other[0], mirror(line[0])) < kTolerance && distance(other[1], mirror(line[1])) < kTolerance)
                image = &other;
        }
        ASSERT_NE(image, nullptr) << "no image of the line from " << line[0].x << ", " << line[0].y;
        const std::size_t common = std::min(line.size(), image->size());
        std::size_t j = 0;
        for (; j < common && inside(line[j]) && inside((*image)[j]); ++j) {
            ASSERT_LT(distance(line[j], mirror((*image)[j])), kTolerance) << line[0].x << ", " << line[0].y;
            for (const DrawnArrowhead &head : heads) {
                if (distance(head.tip, line[j]) > 1e-6)
                    continue;
                bool imaged = false;
                for (const DrawnArrowhead &other : heads) {
                    const Point2 p = other.pointing();
                    const Point2 q = head.pointing();
                    const bool mirrored = std::fabs(p.x + q.x) < 0.5 && std::fabs(p.y - q.y) < 0.5;
                    for (std::size_t k = j == 0 ? 0 : j - 1; k <= j + 1 && k < image->size(); ++k)
                        imaged = imaged || (mirrored && distance(other.tip, (*image)[k]) < kTolerance);
                }
                EXPECT_TRUE(imaged) << "arrowhead at " << head.tip.x << ", " << head.tip.y;
            }
        }
        if (j == common) {
            EXPECT_LE(std::max(line.size(), image->size()) - common, 1u) << line[0].x << ", " << line[0].y;
        }
    }
}

TEST(VerticalPairs, DrawTheirOwnMirrorImage)
{
    std::mt19937 random(20251118);
    const auto unit = [&random] { return random() / 4294967296.0; };
    // Places anywhere, not on a grid: a ring's edge on a whole distance from
    // its charge puts the steps of a straight line on that edge, where the
    // rounding decides, by a horizontal pair's rules too. Amounts tiny to
    // huge, within 10^22 of each other: far beyond, the like tracer's cosT
    // can round to -0 and turn a step back, turned or not.
    const auto amount = [&](double scale) {
        const double own = unit() < 0.25 ? std::pow(10.0, 20 * unit() - 10) : 1;
        return (unit() < 0.5 ? -scale : scale) * own * (0.1 + 20 * unit());
    };
    int unlike = 0;
    for (int i = 0; i < kPairs; ++i) {
        const double x = 90 * unit() - 45;
        const double y1 = 50 * unit() - 25;
        const double y2 = 50 * unit() - 25;
        const double scale = unit() < 0.25 ? std::pow(10.0, 50 * unit() - 25) : 1;
        const double q1 = amount(scale);
        const double choice = unit();
        const double q2 = choice < 0.25 ? -q1 : choice < 0.5 ? q1 : amount(scale);  // equal unlike, equal like, any
        SCOPED_TRACE(text(x) + " " + text(y1) + " " + text(q1) + " " + text(y2) + " " + text(q2));
        Rig rig;
        rig.setCharges(text(x), text(y1), text(q1), text(x), text(y2), text(q2));
        expectOwnMirrorImage(rig.excite(), float(x));
        ASSERT_TRUE(rig.messenger.messages.empty());
        if (HasFatalFailure())
            return;
        unlike += q1 * q2 < 0;
    }
    EXPECT_GT(unlike, kPairs / 4);
    EXPECT_LT(unlike, kPairs * 3 / 4);
}

// The horizontal pair a vertical pair becomes, traced on the plot, turned
// back: exactly its picture, as a quarter turn only exchanges and negates
// 32-bit values. Equal unlike amounts, whose lines no side border ends, so
// that the plot's borders and the turned plot's draw the same lines.
TEST(VerticalPairs, DrawTheHorizontalPairsPictureTurned)
{
    struct Row
    {
        std::array<const char *, 6> vertical, horizontal;
        // 1: charge 1 above, a plot point (x, y) traced at (-y, x), a traced
        // one drawn at (y, -x); -1: charge 1 below, the other way round.
        double turn;
    };
    for (const Row &row : {Row{{"0", "10", "10", "0", "-10", "-10"}, {"-10", "0", "10", "10", "0", "-10"}, 1},
                           Row{{"5", "-10", "-3", "5", "12", "3"}, {"-10", "-5", "-3", "12", "-5", "3"}, -1}}) {
        Rig vertical;
        Rig horizontal;
        vertical.setCharges(row.vertical[0], row.vertical[1], row.vertical[2], row.vertical[3], row.vertical[4],
                            row.vertical[5]);
        horizontal.setCharges(row.horizontal[0], row.horizontal[1], row.horizontal[2], row.horizontal[3],
                              row.horizontal[4], row.horizontal[5]);
        const auto v = linesOf(vertical.excite());
        const auto h = linesOf(horizontal.excite());
        ASSERT_EQ(v.size(), h.size());
        for (std::size_t i = 0; i < v.size(); ++i) {
            ASSERT_TRUE(v[i].x1 == row.turn * h[i].y1 && v[i].y1 == -row.turn * h[i].x1
                        && v[i].x2 == row.turn * h[i].y2 && v[i].y2 == -row.turn * h[i].x2)
                << row.vertical[1] << ": " << i;
        }
    }
}

}  // namespace
