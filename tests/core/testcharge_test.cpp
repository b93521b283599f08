// A test charge released into the field: which releases are refused, and
// its path checked against the laws it obeys: energy is conserved, a charge
// released from rest on a straight field line stays on it, one released
// from rest on a curved field line leaves it, and mirrored releases give
// mirrored paths.

#include "core/messages.h"
#include "core/plotgeometry.h"
#include "core/plotpoint.h"
#include "core/pointfield.h"
#include "core/testcharge.h"
#include "core/testchargepath.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

namespace {

const Charges kDipole = {{-15, 0, 10}, {15, 0, -10}};
const Charges kLike = {{-15, 0, 10}, {15, 0, 10}};
const Charges kQuadrupole = {{-10, 10, 10}, {10, -10, 10}, {10, 10, -10}, {-10, -10, -10}};

double distanceTo(double x, double y, const PointCharge &c)
{
    return std::sqrt((x - c.x) * (x - c.x) + (y - c.y) * (y - c.y));
}

double nearestCharge(const Charges &charges, double x, double y)
{
    double nearest = INFINITY;
    for (const PointCharge &c : charges)
        nearest = std::min(nearest, distanceTo(x, y, c));
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
        {"half a unit from a charge", kDipole, {{-14.5, 0, 0, 0, true}}, &Messages::ReleaseOnCharge},
        // 0.6 · 0.6 rounds alike on both sides of the comparison.
        {"exactly at reach", kDipole, {{-15, 0.6, 0, 0, true}}, nullptr},
        {"beside a charge of 0", {{0, 0, 0}}, {{0.3, 0, 0, 0, true}}, &Messages::ReleaseOnCharge},
        {"right of the plot", kDipole, {{45.01, 0, 0, 0, true}}, &Messages::ReleaseOutOfPlot},
        {"on the corner", kDipole, {{-45, 25, 0, 0, true}}, nullptr},
        {"not a number", kDipole, {{NAN, 0, 0, 0, true}}, &Messages::ReleaseOutOfPlot},
        {"speed 100", kDipole, {{0, 5, 60, -80, true}}, nullptr},
        {"faster than 100", kDipole, {{0, 5, 60, -80.001, true}}, &Messages::ReleaseTooFast},
        {"infinitely fast", kDipole, {{0, 5, INFINITY, 0, true}}, &Messages::ReleaseTooFast},
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

// Releases in the three pictures, at rest or moving: std::mt19937 is the
// same everywhere and the mapping to numbers is done here.
struct Release
{
    Charges charges;
    TestCharge testCharge;
};

std::vector<Release> randomReleases(int perPicture)
{
    std::mt19937 random(20240611);
    const auto between = [&](double low, double high) { return low + (high - low) * (random() / 4294967296.0); };
    std::vector<Release> releases;
    for (const Charges &charges : {kDipole, kLike, kQuadrupole}) {
        for (int i = 0; i < perPicture;) {
            TestCharge t{between(-45, 45), between(-25, 25), 0, 0, random() % 2 == 0};
            if (i % 2 == 1) {
                t.vx = between(-4, 4);
                t.vy = between(-4, 4);
            }
            if (releaseRefusal(charges, {t}))
                continue;
            releases.push_back({charges, t});
            ++i;
        }
    }
    return releases;
}

// Along every path ½v² + sV (s = q/m = ±1) keeps its value within a
// millionth of max(½v², |sV|), checked here to a tenth of that: the margin
// the integrator's tolerance is chosen for. No step covers more than half
// the distance to the nearest charge; the path stays on the plot and out of
// every circle of reach, also between its samples; it ends exactly on a
// circle, on a border, or at time 500.
TEST(TestChargePath, ConservesEnergyAndEndsWhereItShould)
{
    for (const Release &release : randomReleases(150)) {
        const TestCharge &t = release.testCharge;
        SCOPED_TRACE(testing::Message() << "release at " << t.x << ", " << t.y << " moving " << t.vx << ", " << t.vy
                                        << (t.positive ? " positive" : " negative"));
        const PointField field(release.charges);
        const double s = t.chargeToMass();
        const TestChargePath path(release.charges, t);
        const auto &samples = path.samples();
        ASSERT_GE(samples.size(), 2u);
        const double energy = (t.vx * t.vx + t.vy * t.vy) / 2 + s * field.potential(t.x, t.y);
        for (std::size_t i = 0; i < samples.size(); ++i) {
            const PathSample &p = samples[i];
            const double kinetic = (p.vx * p.vx + p.vy * p.vy) / 2;
            const double potential = s * field.potential(p.x, p.y);
            ASSERT_LE(std::fabs(kinetic + potential - energy), 1e-7 * std::max(kinetic, std::fabs(potential)))
                << "at t = " << p.t;
            ASSERT_TRUE(Plot::contains(p.x, p.y)) << "at t = " << p.t;
            if (i == 0)
                continue;
            const PathSample &before = samples[i - 1];
            ASSERT_GT(p.t, before.t);
            ASSERT_LE(std::hypot(p.x - before.x, p.y - before.y), nearestCharge(release.charges, before.x, before.y) / 2)
                << "at t = " << p.t;
            for (double theta : {0.25, 0.5, 0.75, 1.0}) {
                const PathSample q = interpolate(before, p, theta);
                ASSERT_GE(nearestCharge(release.charges, q.x, q.y), kTestChargeReach - 1e-9) << "at t = " << q.t;
            }
        }
        const PathSample &end = samples.back();
        const double nearest = nearestCharge(release.charges, end.x, end.y);
        const bool onBorder = std::fabs(end.x) == Plot::kRight || std::fabs(end.y) == Plot::kTop;
        switch (path.end()) {
        case PathEnd::ReachedCharge:
            EXPECT_NEAR(nearest, kTestChargeReach, 1e-12);
            break;
        case PathEnd::LeftPlot:
            EXPECT_TRUE(onBorder);
            break;
        case PathEnd::TimeLimit:
            EXPECT_EQ(end.t, TestChargePath::kDuration);
            break;
        case PathEnd::StepLimit:
            ADD_FAILURE() << "ran out of steps";
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
    const Charges weak = {{0, 0, 1e-12}};
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        const TestChargePath path(weak, {-30, row.offset, row.speed, 0, true});
        ASSERT_EQ(path.end(), row.end);
        const PathSample &end = path.samples().back();
        const double x = row.end == PathEnd::LeftPlot ? Plot::kRight
                                                      : -std::sqrt(kTestChargeReach * kTestChargeReach - row.offset * row.offset);
        EXPECT_NEAR(end.x, x, 1e-9);
        EXPECT_NEAR(end.y, row.offset, 1e-9);
        EXPECT_NEAR(end.t * row.speed, x + 30, 1e-9);
    }
}

// A field line that is straight: released from rest on it, the charge is
// pushed along it and never across, so its path stays on the line (within
// rounding) until it reaches a charge. The tilted dipole and the
// quadrupole's diagonal are not along an axis, so rounding is at work.
TEST(TestChargePath, FromRestOnAStraightFieldLineStaysOnIt)
{
    struct Row
    {
        const char *name;
        Charges charges;
        TestCharge release;
        double nx, ny;  // unit normal of the line, which passes through the release
        PathEnd end;
    };
    const Charges kTilted = {{-12, -9, 10}, {12, 9, -10}};
    const double kHalfRoot2 = std::sqrt(0.5);
    const Row rows[] = {
        {"dipole axis, positive", kDipole, {0, 0, 0, 0, true}, 0, 1, PathEnd::ReachedCharge},
        {"dipole axis, negative", kDipole, {-5, 0, 0, 0, false}, 0, 1, PathEnd::ReachedCharge},
        {"tilted dipole axis", kTilted, {4, 3, 0, 0, true}, -0.6, 0.8, PathEnd::ReachedCharge},
        {"tilted dipole axis, negative", kTilted, {-8, -6, 0, 0, false}, -0.6, 0.8, PathEnd::ReachedCharge},
        {"quadrupole diagonal", kQuadrupole, {3, 3, 0, 0, true}, -kHalfRoot2, kHalfRoot2, PathEnd::ReachedCharge},
        // Repelled by both negative charges on the diagonal, it swings to
        // and fro between them until the time is up.
        {"quadrupole diagonal, negative", kQuadrupole, {-2, -2, 0, 0, false}, -kHalfRoot2, kHalfRoot2,
         PathEnd::TimeLimit},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        const TestChargePath path(row.charges, row.release);
        EXPECT_EQ(path.end(), row.end);
        for (const PathSample &p : path.samples())
            ASSERT_NEAR((p.x - row.release.x) * row.nx + (p.y - row.release.y) * row.ny, 0, 1e-9) << "at t = " << p.t;
    }
}

// The field line through a point, traced both ways with RK4 on
// dr/ds = E/|E| in steps of 0.02 until it comes within reach of a charge or
// leaves the plot.
std::vector<PlotPoint> referenceFieldLine(const Charges &charges, double x, double y)
{
    const PointField field(charges);
    const auto direction = [&](double px, double py, double sense) {
        const FieldVector e = field.field(px, py);
        const double norm = std::sqrt(e.x * e.x + e.y * e.y);
        return PlotPoint{sense * e.x / norm, sense * e.y / norm};
    };
    std::vector<PlotPoint> line;
    for (double sense : {-1.0, 1.0}) {
        std::vector<PlotPoint> half{{x, y}};
        constexpr double h = 0.02;
        for (int i = 0; i < 20000; ++i) {
            const PlotPoint p = half.back();
            const PlotPoint k1 = direction(p.x, p.y, sense);
            const PlotPoint k2 = direction(p.x + h / 2 * k1.x, p.y + h / 2 * k1.y, sense);
            const PlotPoint k3 = direction(p.x + h / 2 * k2.x, p.y + h / 2 * k2.y, sense);
            const PlotPoint k4 = direction(p.x + h * k3.x, p.y + h * k3.y, sense);
            const PlotPoint next{p.x + h / 6 * (k1.x + 2 * k2.x + 2 * k3.x + k4.x),
                                 p.y + h / 6 * (k1.y + 2 * k2.y + 2 * k3.y + k4.y)};
            if (!Plot::contains(next.x, next.y)
                || std::any_of(charges.begin(), charges.end(),
                               [&](const PointCharge &c) { return distanceTo(next.x, next.y, c) < kTestChargeReach; }))
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

double distanceToLine(const std::vector<PlotPoint> &line, double x, double y)
{
    double nearest = INFINITY;
    for (std::size_t i = 1; i < line.size(); ++i) {
        const PlotPoint &a = line[i - 1];
        const PlotPoint &b = line[i];
        const double dx = b.x - a.x, dy = b.y - a.y;
        const double u = std::clamp(((x - a.x) * dx + (y - a.y) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
        nearest = std::min(nearest, std::hypot(x - a.x - u * dx, y - a.y - u * dy));
    }
    return nearest;
}

// The classic misconception: a charge released from rest does not follow
// the curved field line through its release point. At (0, 5) in the dipole
// the field points along +x and the line bends down to the negative charge;
// the charge, gathering speed, swings wide of it.
TEST(TestChargePath, FromRestOnACurvedFieldLineLeavesIt)
{
    const TestChargePath path(kDipole, {0, 5, 0, 0, true});
    const std::vector<PlotPoint> line = referenceFieldLine(kDipole, 0, 5);
    double departure = 0;
    for (double t = 0; t < path.endTime(); t += 0.5) {
        const PathSample p = path.at(t);
        departure = std::max(departure, distanceToLine(line, p.x, p.y));
    }
    EXPECT_GT(departure, 1);
    // It does set off along the line: the force is along the line at first.
    const PathSample early = path.at(1);
    EXPECT_LT(distanceToLine(line, early.x, early.y), 1e-3);
}

// Mirror images: a release mirrored in a symmetry of the picture follows
// the mirrored path and ends alike. The dipole mirrored left to right is
// the dipole with its signs exchanged, so the test charge's sign changes
// too; the quadrupole is its own mirror image in the diagonal y = x.
TEST(TestChargePath, MirroredReleasesFollowMirroredPaths)
{
    struct Mirror
    {
        const char *name;
        Charges charges;
        TestCharge release;
        TestCharge (*mirror)(const TestCharge &);
    };
    const auto upsideDown = [](const TestCharge &t) { return TestCharge{t.x, -t.y, t.vx, -t.vy, t.positive}; };
    const auto leftRight = [](const TestCharge &t) { return TestCharge{-t.x, t.y, -t.vx, t.vy, t.positive}; };
    const auto leftRightExchanged = [](const TestCharge &t) {
        return TestCharge{-t.x, t.y, -t.vx, t.vy, !t.positive};
    };
    const auto diagonal = [](const TestCharge &t) { return TestCharge{t.y, t.x, t.vy, t.vx, t.positive}; };
    const Mirror rows[] = {
        {"dipole upside down", kDipole, {-3, 7, 1, 0.5, true}, upsideDown},
        {"dipole left to right", kDipole, {-20, 10, 0, 0, false}, leftRightExchanged},
        {"like charges left to right", kLike, {-25, 4, 2, 1, true}, leftRight},
        {"like charges left to right, negative", kLike, {-5, -12, 0, 0, false}, leftRight},
        {"quadrupole diagonal", kQuadrupole, {5, -20, 0, 1, true}, diagonal},
        {"quadrupole diagonal, negative", kQuadrupole, {-20, 2, 0, 0, false}, diagonal},
    };
    for (const Mirror &row : rows) {
        SCOPED_TRACE(row.name);
        const TestChargePath path(row.charges, row.release);
        const TestChargePath mirrored(row.charges, row.mirror(row.release));
        EXPECT_EQ(path.end(), mirrored.end());
        EXPECT_NEAR(path.endTime(), mirrored.endTime(), 1e-6);
        for (double t = 0; t <= path.endTime() + 0.25; t += 0.25) {
            const PathSample p = path.at(t);
            const TestCharge image = row.mirror({p.x, p.y, p.vx, p.vy, true});
            const PathSample q = mirrored.at(t);
            ASSERT_NEAR(q.x, image.x, 1e-6) << "at t = " << t;
            ASSERT_NEAR(q.y, image.y, 1e-6) << "at t = " << t;
        }
    }
}

}  // namespace
