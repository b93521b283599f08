#pragma once

#include "core/pointcharge.h"

#include <cstddef>
#include <vector>

struct Message;

// A test charge as it is released into the field of the point charges: its
// place and velocity in plot units (length, and length per unit of time)
// and its sign. Its charge-to-mass ratio is +1 or −1, so its acceleration is
// ±E at its place; its own field is ignored.
struct TestCharge
{
    double x = 0;
    double y = 0;
    double vx = 0;
    double vy = 0;
    bool positive = true;

    // q/m, the factor between the field and the acceleration.
    double chargeToMass() const { return positive ? 1.0 : -1.0; }

    bool operator==(const TestCharge &other) const
    {
        return x == other.x && y == other.y && vx == other.vx && vy == other.vy && positive == other.positive;
    }
    bool operator!=(const TestCharge &other) const { return !(*this == other); }
};

using TestCharges = std::vector<TestCharge>;

// A test charge's body: no path begins or continues within this distance
// of a point charge's centre, where the field grows without bound.
constexpr double kTestChargeReach = 0.6;
// The fastest release allowed, in units of length per unit of time: at the
// animation's pace such a charge crosses the plot in a few frames.
constexpr double kMaxReleaseSpeed = 100;
// The most test charges the picture follows at once.
constexpr std::size_t kMaxTestCharges = 8;
// The animation plays this much of the motion's time each second.
constexpr double kTestTimePerSecond = 25;
// A release dragged out from its point gets this speed for each plot unit
// the pointer is dragged, in the direction of the drag.
constexpr double kReleaseSpeedPerUnit = 0.5;

// True when (x, y) lies within kTestChargeReach of a charge's centre, a
// charge of 0 included.
bool withinTestChargeReach(const Charges &charges, double x, double y);

// What a release of these test charges into the field of these charges is
// refused for, in this order: more than kMaxTestCharges
// (Messages::TooManyReleases); then, for each test charge in turn, a place
// within kTestChargeReach of any charge, a charge of 0 included
// (Messages::ReleaseOnCharge), a place off the plot, its borders allowed
// (Messages::ReleaseOutOfPlot), a speed above kMaxReleaseSpeed
// (Messages::ReleaseTooFast). A number that is not finite is refused as the
// place or speed it stands in. Returns nullptr when every path can be
// followed.
const Message *releaseRefusal(const Charges &charges, const TestCharges &testCharges);
