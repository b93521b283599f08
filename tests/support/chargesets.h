#pragma once

#include "core/pointcharge.h"

#include <cmath>

// The configurations of many charges the tests and benchmarks of the
// accurate tracer draw, each with a symmetry to check against.
namespace ChargeSets {

// +10 at (−15, 0), −10 at (15, 0): mirrored in the x axis.
inline Charges dipole()
{
    return {{-15, 0, 10}, {15, 0, -10}};
}

// ±10 at the corners of a square, + on one diagonal: mirrored in both.
inline Charges quadrupole()
{
    return {{-10, 10, 10}, {10, -10, 10}, {10, 10, -10}, {-10, -10, -10}};
}

// +10 at the corners of a triangle round the origin, to five places:
// mirrored in the y axis, turned onto itself by thirds of a turn.
inline Charges triangle()
{
    return {{0, 11.547, 10}, {-10, -5.7735, 10}, {10, -5.7735, 10}};
}

// 13 charges of +2 on y = 0 from x = −18 to 18: mirrored in both axes.
inline Charges plate()
{
    Charges charges;
    for (int i = 0; i < 13; ++i)
        charges.push_back({-18.0 + 3 * i, 0, 2});
    return charges;
}

// The plate at y = 8 and one of −2 at y = −8: mirrored in the y axis.
inline Charges capacitor()
{
    Charges charges;
    for (int i = 0; i < 26; ++i)
        charges.push_back({-18.0 + 3 * (i % 13), i < 13 ? 8.0 : -8.0, i < 13 ? 2.0 : -2.0});
    return charges;
}

// The charges turned about the origin.
inline Charges turned(Charges charges, double degrees)
{
    const double a = degrees * 3.14159265358979323846 / 180;
    for (PointCharge &c : charges)
        c = {std::cos(a) * c.x - std::sin(a) * c.y, std::sin(a) * c.x + std::cos(a) * c.y, c.q};
    return charges;
}

}  // namespace ChargeSets
