#include "core/testcharge.h"

#include "core/messages.h"
#include "core/plotgeometry.h"

namespace {

const Message *refusal(const Charges &charges, const TestCharge &t)
{
    if (withinTestChargeReach(charges, t.x, t.y))
        return &Messages::ReleaseOnCharge;
    // Plot::contains is false for a coordinate that is not a number.
    if (!Plot::contains(t.x, t.y))
        return &Messages::ReleaseOutOfPlot;
    // Written so that a speed that is not a number is refused too.
    if (!(t.vx * t.vx + t.vy * t.vy <= kMaxReleaseSpeed * kMaxReleaseSpeed))
        return &Messages::ReleaseTooFast;
    return nullptr;
}

}  // namespace

bool withinTestChargeReach(const Charges &charges, double x, double y)
{
    for (const PointCharge &c : charges) {
        const double dx = x - c.x;
        const double dy = y - c.y;
        if (dx * dx + dy * dy < kTestChargeReach * kTestChargeReach)
            return true;
    }
    return false;
}

const Message *releaseRefusal(const Charges &charges, const TestCharges &testCharges)
{
    if (testCharges.size() > kMaxTestCharges)
        return &Messages::TooManyReleases;
    for (const TestCharge &t : testCharges) {
        if (const Message *message = refusal(charges, t))
            return message;
    }
    return nullptr;
}
