#include "core/testchargepath.h"

#include "core/motionintegrator.h"
#include "core/plotgeometry.h"
#include "core/pointfield.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

namespace {

// The energy drifts in proportion to the tolerance, most on long paths
// that pass close to charges many times. At this tolerance the worst of
// 3000 random releases in the dipole, like charges and the quadrupole
// drifts by 3·10⁻⁸ of max(½v², |sV|), a thirtieth of the millionth allowed;
// at a tenfold looser one by 2.8·10⁻⁷, too near it.
constexpr double kTolerance = 1e-11;

constexpr double kReach2 = kTestChargeReach * kTestChargeReach;

// How far a step may take the test charge: surely no further than half the
// distance d to the nearest charge, whatever the field does meanwhile, for
// a step of at most `step`. Inside that disc every charge Q_j is at least
// r_j − d/2 ≥ r_j/2 away, so the acceleration is at most A = 4 Σ |Q_j|/r_j²,
// the speed at most |v| + A t, and the distance covered at most
// |v| t + A t²/2: the step is where that reaches d/2. Near a circle of reach
// the disc reaches into it, so the steps stay finite and a crossing is found
// within one step; and no step can carry the charge past a centre.
struct StepReach
{
    double radius = std::numeric_limits<double>::infinity();
    double step = std::numeric_limits<double>::infinity();
};

StepReach stepReach(const Charges &charges, const MotionState &s)
{
    if (charges.empty())
        return {};
    double nearest2 = std::numeric_limits<double>::infinity();
    double bound = 0;
    for (const PointCharge &c : charges) {
        const double r2 = (s.x - c.x) * (s.x - c.x) + (s.y - c.y) * (s.y - c.y);
        nearest2 = std::min(nearest2, r2);
        bound += std::fabs(c.q) / r2;
    }
    bound *= 4;
    const double radius = std::sqrt(nearest2) / 2;
    const double speed = std::sqrt(s.vx * s.vx + s.vy * s.vy);
    return {radius, 2 * radius / (speed + std::sqrt(speed * speed + 2 * bound * radius))};
}

// A distance to a circle of reach or a border, as a function of the
// fraction θ of a step: ≥ 0 where the path may go.
struct Clearance
{
    double value = 0;
    double slope = 0;  // d value / dθ
};

// The first fraction θ ∈ (0, 1] of a step at which a clearance that is ≥ 0
// at its start falls below 0, or none. The step either ends below 0, or
// dips below and comes back: then the clearance falls at the start and
// rises at the end, and its least value lies where its slope is 0. Steps
// are short against the distances involved, so the clearance has at most
// one such dip within a step.
template <class Along>
std::optional<double> firstCrossing(const Clearance &atStart, const Clearance &atEnd, const Along &clearance)
{
    // Bisection ends when the fraction is known to a few units in the last
    // place of the step.
    constexpr double kResolution = 1e-14;
    double out = 1;
    if (!(atEnd.value < 0)) {
        if (!(atStart.slope < 0 && atEnd.slope > 0))
            return std::nullopt;
        double falling = 0;
        double rising = 1;
        while (rising - falling > kResolution) {
            const double mid = (falling + rising) / 2;
            (clearance(mid).slope < 0 ? falling : rising) = mid;
        }
        if (!(clearance(rising).value < 0))
            return std::nullopt;
        out = rising;
    }
    double in = 0;
    while (out - in > kResolution) {
        const double mid = (in + out) / 2;
        (clearance(mid).value < 0 ? out : in) = mid;
    }
    return out;
}

PathSample sampleOf(double t, const MotionState &s)
{
    return {s, t};
}

// Where within a step the path first meets a circle of reach or the plot's
// border, and which.
struct Ending
{
    double theta = 2;  // beyond the step: none
    PathEnd reason = PathEnd::TimeLimit;
    const PointCharge *charge = nullptr;
    std::optional<double> borderX;
    std::optional<double> borderY;
};

// The clearance of a sample from the circle of reach round c, and from the
// four borders (x − left, right − x, y − bottom, top − y), with slopes for a
// step of length h.
Clearance chargeClearance(const PathSample &p, const PointCharge &c, double h)
{
    const double dx = p.x - c.x;
    const double dy = p.y - c.y;
    return {dx * dx + dy * dy - kReach2, 2 * h * (dx * p.vx + dy * p.vy)};
}

Clearance borderClearance(const PathSample &p, int border, double h)
{
    switch (border) {
    case 0:
        return {p.x - Plot::kLeft, h * p.vx};
    case 1:
        return {Plot::kRight - p.x, -h * p.vx};
    case 2:
        return {p.y - Plot::kBottom, h * p.vy};
    default:
        return {Plot::kTop - p.y, -h * p.vy};
    }
}

// The first end within the step from a to b, which stays within `radius`
// of a: only charges within reach of that disc are looked at.
Ending endingWithin(const Charges &charges, const PathSample &a, const PathSample &b, double radius)
{
    const double h = b.t - a.t;
    Ending ending;
    const double near = radius + kTestChargeReach;
    for (const PointCharge &c : charges) {
        if ((a.x - c.x) * (a.x - c.x) + (a.y - c.y) * (a.y - c.y) > near * near)
            continue;
        const auto theta = firstCrossing(chargeClearance(a, c, h), chargeClearance(b, c, h),
                                         [&](double t) { return chargeClearance(interpolate(a, b, t), c, h); });
        if (theta && *theta < ending.theta)
            ending = {*theta, PathEnd::ReachedCharge, &c, {}, {}};
    }
    constexpr double kBorders[] = {Plot::kLeft, Plot::kRight, Plot::kBottom, Plot::kTop};
    for (int border = 0; border < 4; ++border) {
        const auto theta = firstCrossing(borderClearance(a, border, h), borderClearance(b, border, h),
                                         [&](double t) { return borderClearance(interpolate(a, b, t), border, h); });
        if (!theta || *theta >= ending.theta)
            continue;
        ending = {*theta, PathEnd::LeftPlot, nullptr, {}, {}};
        (border < 2 ? ending.borderX : ending.borderY) = kBorders[border];
    }
    return ending;
}

}  // namespace

TestChargePath::TestChargePath(const Charges &charges, const TestCharge &release)
    : release_(release)
{
    samples_.push_back(sampleOf(0, {release.x, release.y, release.vx, release.vy, 0, 0}));
    if (withinTestChargeReach(charges, release.x, release.y)) {
        end_ = PathEnd::ReachedCharge;
        return;
    }
    if (!Plot::contains(release.x, release.y) || !std::isfinite(release.vx) || !std::isfinite(release.vy)) {
        end_ = PathEnd::LeftPlot;
        return;
    }
    const PointField field(charges);
    MotionIntegrator integrator(field, release.chargeToMass(), kTolerance);
    MotionState state = integrator.state(release.x, release.y, release.vx, release.vy);
    samples_.front() = sampleOf(0, state);
    double t = 0;
    while (samples_.size() <= kMaxSteps) {
        const double remaining = kDuration - t;
        const MotionState before = state;
        const StepReach reach = stepReach(charges, state);
        const double h = integrator.advance(state, std::min(remaining, reach.step));
        const double after = h == remaining ? kDuration : t + h;
        const Ending ending = endingWithin(charges, samples_.back(), sampleOf(after, state), reach.radius);
        if (ending.theta <= 1) {
            // Step again to the crossing, then put the end on the circle or
            // border itself: the two differ by the interpolation's error.
            MotionState end = integrator.step(before, ending.theta * h);
            if (ending.charge) {
                const double dx = end.x - ending.charge->x;
                const double dy = end.y - ending.charge->y;
                const double scale = kTestChargeReach / std::sqrt(dx * dx + dy * dy);
                end.x = ending.charge->x + dx * scale;
                end.y = ending.charge->y + dy * scale;
            }
            if (ending.borderX)
                end.x = *ending.borderX;
            if (ending.borderY)
                end.y = *ending.borderY;
            end = integrator.state(end.x, end.y, end.vx, end.vy);
            samples_.push_back(sampleOf(t + ending.theta * h, end));
            end_ = ending.reason;
            return;
        }
        samples_.push_back(sampleOf(after, state));
        t = after;
        if (t == kDuration) {
            end_ = PathEnd::TimeLimit;
            return;
        }
    }
    end_ = PathEnd::StepLimit;
}

std::size_t TestChargePath::samplesUntil(double t) const
{
    const auto past = std::upper_bound(samples_.begin(), samples_.end(), t,
                                       [](double time, const PathSample &s) { return time < s.t; });
    return std::max<std::size_t>(1, std::size_t(past - samples_.begin()));
}

PathSample TestChargePath::at(double t) const
{
    const std::size_t until = samplesUntil(t);
    if (until >= samples_.size())
        return samples_.back();
    const PathSample &a = samples_[until - 1];
    const PathSample &b = samples_[until];
    return interpolate(a, b, (t - a.t) / (b.t - a.t));
}

PathSample interpolate(const PathSample &a, const PathSample &b, double theta)
{
    const double h = b.t - a.t;
    if (!(theta > 0))
        return a;
    if (!(theta < 1) || !(h > 0))
        return b;
    const double s = theta, s2 = s * s, s3 = s2 * s, s4 = s3 * s, s5 = s4 * s;
    // The quintic Hermite basis, written about the step's start: the chord
    // p1 − p0, the end velocities, the end accelerations.
    const double chord = 10 * s3 - 15 * s4 + 6 * s5;
    const double v0 = s - 6 * s3 + 8 * s4 - 3 * s5;
    const double v1 = -4 * s3 + 7 * s4 - 3 * s5;
    const double a0 = (s2 - 3 * s3 + 3 * s4 - s5) / 2;
    const double a1 = (s3 - 2 * s4 + s5) / 2;
    // And their derivatives with respect to θ.
    const double dChord = 30 * s2 - 60 * s3 + 30 * s4;
    const double dv0 = 1 - 18 * s2 + 32 * s3 - 15 * s4;
    const double dv1 = -12 * s2 + 28 * s3 - 15 * s4;
    const double da0 = s - 4.5 * s2 + 6 * s3 - 2.5 * s4;
    const double da1 = 1.5 * s2 - 4 * s3 + 2.5 * s4;
    PathSample p;
    p.t = a.t + theta * h;
    p.x = a.x + chord * (b.x - a.x) + h * (v0 * a.vx + v1 * b.vx) + h * h * (a0 * a.ax + a1 * b.ax);
    p.y = a.y + chord * (b.y - a.y) + h * (v0 * a.vy + v1 * b.vy) + h * h * (a0 * a.ay + a1 * b.ay);
    p.vx = dChord * (b.x - a.x) / h + dv0 * a.vx + dv1 * b.vx + h * (da0 * a.ax + da1 * b.ax);
    p.vy = dChord * (b.y - a.y) / h + dv0 * a.vy + dv1 * b.vy + h * (da0 * a.ay + da1 * b.ay);
    return p;
}
