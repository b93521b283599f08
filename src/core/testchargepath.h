#pragma once

#include "core/motionstate.h"
#include "core/pointcharge.h"
#include "core/testcharge.h"

#include <cstddef>
#include <vector>

// A moment of a test charge's motion: its state (position, velocity and
// acceleration, in plot units) at time t.
struct PathSample : MotionState
{
    double t = 0;
};

// Why a path ends.
enum class PathEnd {
    ReachedCharge,  // on the circle of kTestChargeReach round a charge's centre
    LeftPlot,       // on the plot's border, on its way out
    TimeLimit,      // at TestChargePath::kDuration
    StepLimit,      // after kMaxSteps steps, before any of the above
};

// The path of a test charge released into the field of point charges:
// m d²r/dt² = q E(r), with q/m = ±1 and E = Σ Q (r − c)/|r − c|³, its own
// field ignored. Integrated with error control (MotionIntegrator) tightly
// enough that the energy ½v² + (q/m)V stays within a millionth of
// max(½v², |(q/m)V|) of its value at the release.
//
// The path ends where it first comes within kTestChargeReach of a charge (a
// charge of 0 included), where it leaves the plot, or at time kDuration;
// the end sample lies exactly on that circle or border. No step passes
// through a charge's circle: each is short enough that the charge cannot
// have moved more than half its distance to the nearest charge, and a step
// that enters a circle, or touches it and leaves again, is cut where it
// first meets it.
//
// The samples are the steps' ends, starting with the release at t = 0. Any
// moment between two samples follows from their positions, velocities and
// accelerations by quintic Hermite interpolation, as accurate as the steps.
class TestChargePath
{
public:
    static constexpr double kDuration = 500;
    // Bounds the work and memory of one path. Ordinary amounts never come
    // near it; a test charge circling an amount like 10³⁰ in time 500 would.
    static constexpr std::size_t kMaxSteps = 100000;

    TestChargePath() = default;
    // Follows the test charge from its release. A release releaseRefusal
    // refuses ends at once where it stands: within reach of a charge as
    // ReachedCharge, off the plot, or with a velocity that is not finite, as
    // LeftPlot.
    TestChargePath(const Charges &charges, const TestCharge &release);

    const TestCharge &release() const { return release_; }
    const std::vector<PathSample> &samples() const { return samples_; }
    PathEnd end() const { return end_; }
    double endTime() const { return samples_.empty() ? 0 : samples_.back().t; }

    // The moment t, clamped to [0, endTime()]: the charge stays where its
    // path ended.
    PathSample at(double t) const;
    // The number of samples at or before time t (at least 1).
    std::size_t samplesUntil(double t) const;

private:
    TestCharge release_;
    std::vector<PathSample> samples_;
    PathEnd end_ = PathEnd::TimeLimit;
};

// The moment at fraction θ ∈ [0, 1] of the step from a to b, by the quintic
// that matches position, velocity and acceleration at both ends; its
// acceleration is left 0.
PathSample interpolate(const PathSample &a, const PathSample &b, double theta);
