#include "core/fieldevaluation.h"

#include "core/drawingstate.h"
#include "core/float32.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

namespace {

double square(double v)
{
    return v * v;
}

}  // namespace

bool evaluateField(DrawingState &s, float x, float y, double m1, double m2)
{
    // Distances first, then each charge's contribution along the unit vector
    // from the charge to the point; every result is rounded to 32 bits as it
    // is stored, and the next one is computed from the stored value.
    s.r2 = f32(std::sqrt(square(double(y) - s.y2) + square(double(x) - s.x2)));
    s.r1 = f32(std::sqrt(square(double(y) - s.y1) + square(double(x) - s.x1)));

    s.e1 = f32(m1 / square(s.r1));
    s.cos1 = f32((double(x) - s.x1) / s.r1);
    s.sin1 = f32((double(y) - s.y1) / s.r1);
    s.e1x = f32(double(s.cos1) * s.e1);
    s.e1y = f32(double(s.sin1) * s.e1);

    s.e2 = f32(m2 / square(s.r2));
    s.cos2 = f32((double(x) - s.x2) / s.r2);
    s.sin2 = f32((double(y) - s.y2) / s.r2);
    s.e2x = f32(double(s.cos2) * s.e2);
    s.e2y = f32(double(s.sin2) * s.e2);

    s.ex = f32(double(s.e2x) + s.e1x);
    s.ey = f32(double(s.e2y) + s.e1y);
    s.e = f32(std::sqrt(square(s.ey) + square(s.ex)));
    s.sinT = f32(double(s.ey) / s.e);
    s.cosT = f32(double(s.ex) / s.e);

    // On a charge, at a point of zero field, or where a value overflowed,
    // the field has no direction to follow. With both distances finite and
    // not 0 the unit vectors are finite; an infinity or NaN in any later
    // value then runs through the sums into e, so the distances, the two
    // contributions and e are all that need checking. This test runs at
    // every step of every line: it is kept to these five values.
    return s.r1 != 0 && s.r2 != 0 && s.e != 0 && std::isfinite(s.r1) && std::isfinite(s.r2)
        && std::isfinite(s.e1) && std::isfinite(s.e2) && std::isfinite(s.e);
}

double fieldSlopeAngle(const DrawingState &s)
{
    if (s.ex == 0) {
        const double infinity = std::numeric_limits<double>::infinity();
        return std::atan(s.ey > 0 ? infinity : -infinity);
    }
    return std::atan(double(s.ey) / s.ex);
}

bool pointsExactlyLeft(float theta)
{
    std::uint32_t bits = 0;
    std::memcpy(&bits, &theta, sizeof bits);
    return bits == 0x40490FDA;
}
