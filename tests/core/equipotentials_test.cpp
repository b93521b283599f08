// Samples the delivered curves against the potential and the field of the
// charges, computed here in long double: the level along every curve, the
// curve crossing the field at right angles, smooth rings, closure. The
// levels and the labels have tests of their own (levelplan_test,
// labelplacer_test).

#include "core/equipotentials.h"
#include "core/plotgeometry.h"
#include "support/chargesets.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <string>
#include <vector>

namespace {

using Curves = std::vector<EquipotentialCurve>;
using Pt = std::pair<double, double>;

constexpr long double kDegree = 3.14159265358979323846L / 180;
constexpr double kDotUnits = 10 / 7.7;  // dot radius at the default size

long double potential(const std::vector<PointCharge> &charges, long double x, long double y)
{
    long double v = 0;
    for (const PointCharge &c : charges)
        v += c.q / std::hypot(x - c.x, y - c.y);
    return v;
}

std::pair<long double, long double> field(const std::vector<PointCharge> &charges, long double x, long double y)
{
    long double ex = 0, ey = 0;
    for (const PointCharge &c : charges) {
        const long double r = std::hypot(x - c.x, y - c.y);
        ex += c.q * (x - c.x) / (r * r * r);
        ey += c.q * (y - c.y) / (r * r * r);
    }
    return {ex, ey};
}

// Where the field of two charges vanishes: between like charges, beyond the
// weaker of unlike ones. The level through it crosses itself there.
std::vector<Pt> nullPoints(const std::vector<PointCharge> &charges)
{
    if (charges.size() != 2 || charges[0].q == 0 || charges[1].q == 0)
        return {};
    const bool like = charges[0].q * charges[1].q > 0;
    const double a = std::sqrt(std::fabs(charges[0].q)), b = std::sqrt(std::fabs(charges[1].q));
    if (!like && a == b)
        return {};
    const double t = like ? a / (a + b) : a / (a - b);
    return {{charges[0].x + (charges[1].x - charges[0].x) * t, charges[0].y + (charges[1].y - charges[0].y) * t}};
}

double largestAmount(const std::vector<PointCharge> &charges)
{
    double q = 0;
    for (const PointCharge &c : charges)
        q = std::max(q, std::fabs(c.q));
    return q;
}

double distanceTo(Pt p, Pt q)
{
    return std::hypot(p.first - q.first, p.second - q.second);
}

bool nearAny(Pt p, const std::vector<Pt> &places, double radius)
{
    return std::any_of(places.begin(), places.end(), [&](Pt q) { return distanceTo(p, q) < radius; });
}

std::vector<Pt> places(const std::vector<PointCharge> &charges)
{
    std::vector<Pt> result;
    for (const PointCharge &c : charges)
        result.emplace_back(c.x, c.y);
    return result;
}

// The angle in degrees between two directions, as lines (0 to 90).
long double lineAngle(long double ax, long double ay, long double bx, long double by)
{
    const long double cross = std::fabs(ax * by - ay * bx), dot = std::fabs(ax * bx + ay * by);
    return std::atan2(cross, dot) / kDegree;
}

int winding(const std::vector<Pt> &ring, Pt centre)
{
    long double turned = 0;
    for (std::size_t i = 1; i < ring.size(); ++i) {
        const long double a = std::atan2(ring[i - 1].second - centre.second, ring[i - 1].first - centre.first);
        long double d = std::atan2(ring[i].second - centre.second, ring[i].first - centre.first) - a;
        d = std::remainder(d, 2 * 180 * kDegree);
        turned += d;
    }
    return int(std::lround(turned / (360 * kDegree)));
}

class EquipotentialsTest : public testing::TestWithParam<ChargeSets::Named>
{
};

TEST_P(EquipotentialsTest, CurvesLieOnTheirLevelAndCrossTheFieldAtRightAngles)
{
    const auto &charges = GetParam().charges;
    const Curves curves = equipotentials(charges);
    ASSERT_FALSE(curves.empty());
    const double absolute = 1e-7 * largestAmount(charges);
    const auto dots = places(charges);
    const auto nulls = nullPoints(charges);
    for (const EquipotentialCurve &curve : curves) {
        const auto &p = curve.points;
        ASSERT_GE(p.size(), 2u);
        const double tolerance = std::max(0.005 * std::fabs(curve.level), absolute);
        for (std::size_t i = 0; i < p.size(); ++i) {
            ASSERT_TRUE(std::isfinite(p[i].first) && std::isfinite(p[i].second));
            EXPECT_TRUE(p[i].first >= Plot::kLeft && p[i].first <= Plot::kRight && p[i].second >= Plot::kBottom
                        && p[i].second <= Plot::kTop);
            EXPECT_NEAR(potential(charges, p[i].first, p[i].second), curve.level, tolerance) << curve.label.text;
            if (i > 0) {
                const long double mx = (p[i - 1].first + p[i].first) / 2.0L, my = (p[i - 1].second + p[i].second) / 2.0L;
                EXPECT_NEAR(potential(charges, mx, my), curve.level, tolerance) << curve.label.text << " midpoint";
            }
        }
        // Tangent from the neighbours, and the turn from one segment to the
        // next, at every inner vertex (a closed curve's first one too).
        const std::size_t first = curve.closed ? 0 : 1;
        for (std::size_t i = first; i + 1 < p.size(); ++i) {
            const Pt before = i > 0 ? p[i - 1] : p[p.size() - 2];
            if (nearAny(p[i], nulls, 1.0))
                continue;
            const long double turn = std::atan2(
                (p[i].first - before.first) * (p[i + 1].second - p[i].second) - (p[i].second - before.second) * (p[i + 1].first - p[i].first),
                (p[i].first - before.first) * (p[i + 1].first - p[i].first) + (p[i].second - before.second) * (p[i + 1].second - p[i].second));
            EXPECT_LE(std::fabs(turn) / kDegree, 10) << curve.label.text << " at " << p[i].first << ", " << p[i].second;
            if (nearAny(p[i], dots, 1.5))
                continue;
            const auto [ex, ey] = field(charges, p[i].first, p[i].second);
            EXPECT_GE(lineAngle(p[i + 1].first - before.first, p[i + 1].second - before.second, ex, ey), 88)
                << curve.label.text << " at " << p[i].first << ", " << p[i].second;
        }
    }
}

TEST_P(EquipotentialsTest, CurvesCloseOrEndOnTheBorderOrUnderADot)
{
    const auto &charges = GetParam().charges;
    const Curves curves = equipotentials(charges);
    const auto dots = places(charges);
    auto onBorder = [](Pt p) {
        return std::fabs(p.first - Plot::kLeft) < 1e-9 || std::fabs(p.first - Plot::kRight) < 1e-9
               || std::fabs(p.second - Plot::kBottom) < 1e-9 || std::fabs(p.second - Plot::kTop) < 1e-9;
    };
    std::set<std::size_t> ringed;
    for (const EquipotentialCurve &curve : curves) {
        if (curve.closed) {
            EXPECT_EQ(curve.points.front(), curve.points.back()) << curve.label.text;
            for (std::size_t c = 0; c < charges.size(); ++c) {
                if (charges[c].q != 0 && winding(curve.points, dots[c]) != 0)
                    ringed.insert(c);
            }
        } else {
            for (Pt end : {curve.points.front(), curve.points.back()})
                EXPECT_TRUE(onBorder(end) || nearAny(end, dots, kDotUnits)) << curve.label.text;
        }
    }
    // Every charge well inside the plot and apart from the other has rings
    // around it (near the other, they pass between the two, under the dots).
    for (std::size_t c = 0; c < charges.size(); ++c) {
        const bool inside = std::fabs(charges[c].x) < 40 && std::fabs(charges[c].y) < 20;
        const bool apart = charges.size() == 1 || distanceTo(dots[0], dots[1]) > 5;
        if (charges[c].q != 0 && inside && apart && std::fabs(charges[c].q) > 1e-6 * largestAmount(charges)) {
            EXPECT_TRUE(ringed.count(c)) << "charge " << c;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Configurations, EquipotentialsTest, testing::ValuesIn(ChargeSets::kEquipotentialPictures),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(Equipotentials, DefaultPictureHasEightToTwelveCurvesWithZeroBetweenTheCharges)
{
    const Curves curves = equipotentials({{-15, 0, 10}, {15, 0, -10}});
    EXPECT_GE(curves.size(), 8u);
    EXPECT_LE(curves.size(), 12u);
    const auto zero = std::find_if(curves.begin(), curves.end(), [](const auto &c) { return c.level == 0; });
    ASSERT_NE(zero, curves.end());
    EXPECT_EQ(zero->label.text, "V=0");
    for (const EquipotentialCurve &curve : curves)
        EXPECT_TRUE(curve.labelled) << curve.label.text;
}

// The levels follow the amounts: scaled by a power of ten, they give the same
// curves at scaled levels.
TEST(Equipotentials, AmountsScaledByAPowerOfTenGiveTheSamePicture)
{
    const Curves reference = equipotentials({{-15, 0, 10}, {15, 0, -10}});
    for (double scale : {1e-21, 1e36, 1e-4}) {
        const Curves scaled = equipotentials({{-15, 0, 10 * scale}, {15, 0, -10 * scale}});
        ASSERT_EQ(scaled.size(), reference.size()) << scale;
        for (std::size_t c = 0; c < scaled.size(); ++c) {
            EXPECT_NEAR(scaled[c].level, reference[c].level * scale, 1e-9 * std::fabs(reference[c].level * scale));
            ASSERT_EQ(scaled[c].points.size(), reference[c].points.size());
            for (std::size_t i = 0; i < scaled[c].points.size(); ++i)
                EXPECT_LT(distanceTo(scaled[c].points[i], reference[c].points[i]), 1e-6);
        }
    }
}

TEST(Equipotentials, NothingToDrawGivesNoCurves)
{
    const double nan = std::nan("");
    for (const std::vector<PointCharge> &charges : std::vector<std::vector<PointCharge>>{
             {}, {{-15, 0, 0}, {15, 0, 0}}, {{0, 0, 0}}, {{-15, 0, nan}, {15, 0, 10}}, {{INFINITY, 0, 10}}}) {
        EXPECT_TRUE(equipotentials(charges).empty());
        EXPECT_TRUE(equipotentialLevels(charges).empty());
    }
}

}  // namespace
