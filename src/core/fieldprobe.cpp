#include "core/fieldprobe.h"

#include "core/angles.h"
#include "core/pointfield.h"

#include <cmath>

FieldSample fieldAt(const Charges &charges, double x, double y)
{
    const PointField pointField(charges);
    const FieldVector e = pointField.field(x, y);
    FieldSample sample;
    sample.ex = e.x;
    sample.ey = e.y;
    sample.potential = pointField.potential(x, y);
    sample.strength = std::hypot(sample.ex, sample.ey);
    // On a charge its own terms divide by a distance of 0 and neither sum is
    // finite.
    sample.defined = std::isfinite(sample.strength) && std::isfinite(sample.potential);
    if (!sample.defined)
        return {};
    double degrees = std::atan2(sample.ey, sample.ex) * 180 / kExactPi;
    if (degrees < 0)
        degrees += 360;
    sample.degrees = degrees >= 360 ? 0 : degrees;
    return sample;
}
