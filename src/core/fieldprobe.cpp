#include "core/fieldprobe.h"

#include "core/angles.h"

#include <cmath>

FieldSample fieldAt(const Charges &charges, double x, double y)
{
    FieldSample sample;
    for (const PointCharge &charge : charges) {
        const double dx = x - charge.x;
        const double dy = y - charge.y;
        const double r = std::hypot(dx, dy);
        if (r == 0)
            return {};
        // q r̂ / r², written as q (dx, dy) / r³.
        const double k = charge.q / (r * r * r);
        sample.ex += k * dx;
        sample.ey += k * dy;
        sample.potential += charge.q / r;
    }
    sample.strength = std::hypot(sample.ex, sample.ey);
    sample.defined = std::isfinite(sample.strength) && std::isfinite(sample.potential);
    if (!sample.defined)
        return {};
    double degrees = std::atan2(sample.ey, sample.ex) * 180 / kExactPi;
    if (degrees < 0)
        degrees += 360;
    sample.degrees = degrees >= 360 ? 0 : degrees;
    return sample;
}
