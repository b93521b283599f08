// A test charge released into the field: which releases are refused, and
// its path checked against the laws it obeys: energy is conserved, a charge
// released from rest on a straight field line stays on it, one released
// from rest on a curved field line leaves it, mirrored releases give
// mirrored paths.

#include "core/messages.h"
#include "core/plotgeometry.h"
#include "core/plotpoint.h"
#include "core/pointfield.h"
#include "core/testcharge.h"
#include "core/testchargepath.h"
#include "support/chargesets.h"
#include "support/fieldgeometry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

namespace {

const Charges kDipole = ChargeSets::dipole();
const Charges kLike = {{-15, 0, 10}, {15, 0, 10}};
const Charges kQuadrupole = ChargeSets::quadrupole();

double nearestCharge(const Charges &charges, double x, double y)
{
    double nearest = INFINITY;
    for (const PointCharge &c : charges)
        nearest = std::min(nearest, std::hypot(x - c.x, y - c.y));
    return nearest;
}

TEST(ReleaseRefusal, RefusesWhatCannotBeFollowedInOrder)
{
    struct Row
    {
        const char *name;
        Charges charges;
        TestCharges releases;
        const Message *refusal;  // nullptr: followed
    };
    const TestCharge moving{0, 5, 3, -4, true};
    const Row rows[] = {
        {"moving", kDipole, {moving}, nullptr},
        {"on a charge", kDipole, {{15, 0, 0, 0, false}}, &Messages::ReleaseOnCharge},
        // 0.6 · 0.6 rounds alike on both sides of the comparison.
        {"exactly at reach", kDipole, {{-15, 0.6, 0, 0, true}}, nullptr},
        {"beside a charge of 0", {{0, 0, 0}}, {{0.3, 0, 0, 0, true}}, &Messages::ReleaseOnCharge},
        {"right of the plot", kDipole, {{45.01, 0, 0, 0, true}}, &Messages::ReleaseOutOfPlot},
        {"on the corner", kDipole, {{-45, 25, 0, 0, true}}, nullptr},
        {"not a number", kDipole, {{NAN, 0, 0, 0, true}}, &Messages::ReleaseOutOfPlot},
        {"speed 100", kDipole, {{0, 5, 60, -80, true}}, nullptr},
        {"faster than 100", kDipole, {{0, 5, 60, -80.001, true}}, &Messages::ReleaseTooFast},
        {"speed not a number", kDipole, {{0, 5, 0, NAN, true}}, &Messages::ReleaseTooFast},
        {"the place before the speed", {{45, 0, 10}}, {{45.3, 0, 200, 0, true}}, &Messages::ReleaseOnCharge},
        {"the first refused release speaks", kDipole, {moving, {0, 30, 200, 0, true}}, &Messages::ReleaseOutOfPlot},
        {"eight", kDipole, TestCharges(8, moving), nullptr},
        {"nine", kDipole, TestCharges(9, moving), &Messages::TooManyReleases},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(releaseRefusal(row.charges, row.releases), row.refusal);
    }
}

// Random releases, at rest or moving, in three pictures (std::mt19937 is the
// same everywhere; the mapping to numbers is done here). Along every path
// ½v² + sV (s = q/m) keeps its value within a tenth of the millionth of
// max(½v², |sV|) asked for: the margin the integrator's tolerance is chosen
// for. No step covers more than half the distance to the nearest charge,
// and the path ends exactly on a circle of reach, on a border, or at 500.
TEST(TestChargePath, ConservesEnergyAndEndsWhereItShould)
{
    std::mt19937 random(20240611);
    const auto between = [&](double low, double high) { return low + (high - low) * (random() / 4294967296.0); };
    for (const Charges &charges : {kDipole, kLike, kQuadrupole}) {
        const PointField field(charges);
        for (int i = 0; i < 150;) {
            TestCharge t{between(-45, 45), between(-25, 25), 0, 0, random() % 2 == 0};
            if (i % 2 == 1)
                t = {t.x, t.y, between(-4, 4), between(-4, 4), t.positive};
            if (releaseRefusal(charges, {t}))
                continue;
            ++i;
            SCOPED_TRACE(testing::Message() << "release " << t.x << ", " << t.y << ", " << t.vx << ", " << t.vy << ", "
                                            << t.positive);
            const TestChargePath path(charges, t);
            const auto &samples = path.samples();
            const double s = t.chargeToMass();
            const double energy = (t.vx * t.vx + t.vy * t.vy) / 2 + s * field.potential(t.x, t.y);
            for (std::size_t k = 1; k < samples.size(); ++k) {
                const PathSample &p = samples[k];
                const PathSample &before = samples[k - 1];
                const double kinetic = (p.vx * p.vx + p.vy * p.vy) / 2;
                const double potential = s * field.potential(p.x, p.y);
                ASSERT_LE(std::fabs(kinetic + potential - energy), 1e-7 * std::max(kinetic, std::fabs(potential)))
                    << "at t = " << p.t;
                ASSERT_GT(p.t, before.t);
                ASSERT_LE(std::hypot(p.x - before.x, p.y - before.y), nearestCharge(charges, before.x, before.y) / 2);
            }
            const PathSample &end = samples.back();
            const bool onCircle = std::fabs(nearestCharge(charges, end.x, end.y) - kTestChargeReach) < 1e-12;
            const bool onBorder = std::fabs(end.x) == Plot::kRight || std::fabs(end.y) == Plot::kTop;
            EXPECT_TRUE(path.end() == PathEnd::ReachedCharge ? onCircle
                        : path.end() == PathEnd::LeftPlot    ? onBorder && Plot::contains(end.x, end.y)
                                                             : end.t == TestChargePath::kDuration);
        }
    }
}

// A weak charge barely bends the path, so where a path aimed past it first
// meets its circle of reach follows from geometry: the crossing must be
// found even when the path only dips into the circle within one step.
TEST(TestChargePath, EndsWhereItFirstMeetsACircleOfReach)
{
    struct Row
    {
        const char *name;
        double offset;  // of the straight path from the charge's centre
        double speed;
        PathEnd end;
    };
    const Row rows[] = {
        {"straight at it", 0, 100, PathEnd::ReachedCharge},
        {"half a radius off", 0.3, 100, PathEnd::ReachedCharge},
        {"grazing", 0.599, 100, PathEnd::ReachedCharge},
        {"grazing slowly", 0.599, 0.2, PathEnd::ReachedCharge},
        {"just missing", 0.605, 100, PathEnd::LeftPlot},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        const TestChargePath path({{0, 0, 1e-12}}, {-30, row.offset, row.speed, 0, true});
        ASSERT_EQ(path.end(), row.end);
        const PathSample &end = path.samples().back();
        const double x = row.end == PathEnd::LeftPlot ? Plot::kRight
                                                      : -std::sqrt(kTestChargeReach * kTestChargeReach - row.offset * row.offset);
        EXPECT_NEAR(end.x, x, 1e-9);
        EXPECT_NEAR(end.y, row.offset, 1e-9);
        EXPECT_NEAR(end.t * row.speed, x + 30, 1e-9);
    }
}

// A straight field line: released from rest on it, the charge is pushed
// along it and never across, so it stays on the line (within rounding). The
// tilted dipole and the quadrupole's diagonal are off the axes, so rounding
// is at work.
TEST(TestChargePath, FromRestOnAStraightFieldLineStaysOnIt)
{
    struct Row
    {
        const char *name;
        Charges charges;
        TestCharge release;
        double nx, ny;  // unit normal of the line through the release
        PathEnd end;
    };
    const Charges tilted = {{-12, -9, 10}, {12, 9, -10}};
    const double r = std::sqrt(0.5);
    const Row rows[] = {
        {"dipole axis", kDipole, {0, 0, 0, 0, true}, 0, 1, PathEnd::ReachedCharge},
        {"dipole axis, negative", kDipole, {-5, 0, 0, 0, false}, 0, 1, PathEnd::ReachedCharge},
        {"tilted dipole axis", tilted, {4, 3, 0, 0, true}, -0.6, 0.8, PathEnd::ReachedCharge},
        {"tilted dipole axis, negative", tilted, {-8, -6, 0, 0, false}, -0.6, 0.8, PathEnd::ReachedCharge},
        {"quadrupole diagonal", kQuadrupole, {3, 3, 0, 0, true}, -r, r, PathEnd::ReachedCharge},
        // Repelled by both negative charges on the diagonal, it swings to
        // and fro between them until the time is up.
        {"quadrupole diagonal, negative", kQuadrupole, {-2, -2, 0, 0, false}, -r, r, PathEnd::TimeLimit},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        const TestChargePath path(row.charges, row.release);
        EXPECT_EQ(path.end(), row.end);
        for (const PathSample &p : path.samples())
            ASSERT_NEAR((p.x - row.release.x) * row.nx + (p.y - row.release.y) * row.ny, 0, 1e-9) << "at t = " << p.t;
    }
}

// The field line through a point, traced both ways by RK4 on dr/ds = E/|E|
// in steps of 0.02 until it comes within reach of a charge or leaves the
// plot.
std::vector<PlotPoint> fieldLineThrough(const Charges &charges, PlotPoint from)
{
    const PointField field(charges);
    std::vector<PlotPoint> line;
    for (double sense : {-1.0, 1.0}) {
        std::vector<PlotPoint> half{from};
        while (half.size() < 20000) {
            const PlotPoint next = rungeKuttaStep(field, half.back(), 0.02, sense);
            if (!Plot::contains(next.x, next.y) || nearestCharge(charges, next.x, next.y) < kTestChargeReach)
                break;
            half.push_back(next);
        }
        if (sense < 0)
            line.assign(half.rbegin(), half.rend());
        else
            line.insert(line.end(), half.begin() + 1, half.end());
    }
    return line;
}

// The classic misconception: a charge released from rest does not follow
// the curved field line through its release point. At (0, 5) in the dipole
// the field points along +x and the line bends down to the negative charge;
// the charge sets off along it, gathers speed and swings wide of it.
TEST(TestChargePath, FromRestOnACurvedFieldLineLeavesIt)
{
    const TestChargePath path(kDipole, {0, 5, 0, 0, true});
    const std::vector<PlotPoint> line = fieldLineThrough(kDipole, {0, 5});
    double departure = 0;
    for (double t = 0; t < path.endTime(); t += 0.5)
        departure = std::max(departure, distanceToPolyline({path.at(t).x, path.at(t).y}, line));
    EXPECT_GT(departure, 1);
    EXPECT_LT(distanceToPolyline({path.at(1).x, path.at(1).y}, line), 1e-3);
}

// A release mirrored in a symmetry of the picture follows the mirrored path
// and ends alike. The dipole mirrored left to right is the dipole with its
// signs exchanged, so the test charge's sign changes too; the quadrupole is
// its own mirror image in the diagonal y = x.
TEST(TestChargePath, MirroredReleasesFollowMirroredPaths)
{
    using Mirror = TestCharge (*)(const TestCharge &);
    const Mirror upsideDown = [](const TestCharge &t) { return TestCharge{t.x, -t.y, t.vx, -t.vy, t.positive}; };
    const Mirror leftRight = [](const TestCharge &t) { return TestCharge{-t.x, t.y, -t.vx, t.vy, t.positive}; };
    const Mirror exchanged = [](const TestCharge &t) { return TestCharge{-t.x, t.y, -t.vx, t.vy, !t.positive}; };
    const Mirror diagonal = [](const TestCharge &t) { return TestCharge{t.y, t.x, t.vy, t.vx, t.positive}; };
    const struct
    {
        const char *name;
        Charges charges;
        TestCharge release;
        Mirror mirror;
    } rows[] = {
        {"dipole upside down", kDipole, {-3, 7, 1, 0.5, true}, upsideDown},
        {"dipole left to right", kDipole, {-20, 10, 0, 0, false}, exchanged},
        {"like charges left to right", kLike, {-25, 4, 2, 1, true}, leftRight},
        {"like charges left to right, negative", kLike, {-5, -12, 0, 0, false}, leftRight},
        {"quadrupole diagonal", kQuadrupole, {5, -20, 0, 1, true}, diagonal},
        {"quadrupole diagonal, negative", kQuadrupole, {-20, 2, 0, 0, false}, diagonal},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        const TestChargePath path(row.charges, row.release);
        const TestChargePath mirrored(row.charges, row.mirror(row.release));
        EXPECT_EQ(path.end(), mirrored.end());
        EXPECT_NEAR(path.endTime(), mirrored.endTime(), 1e-6);
        for (double t = 0; t <= path.endTime() + 0.25; t += 0.25) {
            const PathSample p = path.at(t);
            const TestCharge image = row.mirror({p.x, p.y, p.vx, p.vy, true});
            ASSERT_NEAR(mirrored.at(t).x, image.x, 1e-6) << "at t = " << t;
            ASSERT_NEAR(mirrored.at(t).y, image.y, 1e-6) << "at t = " << t;
        }
    }
}

}  // namespace
