#pragma once

#include "core/pointcharge.h"
#include "support/namedrows.h"

#include <cmath>
#include <vector>

// The configurations the tests and benchmarks draw: many charges for the
// accurate tracer, each with a symmetry to check against, and one or two
// whose equipotentials have something to get right.
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

// A configuration with its name, a row of a table-driven test.
struct Named
{
    const char *name;
    Charges charges;
};

LIST_ROWS_BY_NAME(Named)

// One charge or two: like and unlike, amounts tiny to huge and far apart,
// on the corners and close together.
inline const std::vector<Named> kEquipotentialPictures = {
    {"single", {{0, 0, 10}}},
    {"like", {{-15, 0, 10}, {15, 0, 10}}},
    {"unlike_default", {{-15, 0, 10}, {15, 0, -10}}},
    {"unlike_10_5", {{-15, 0, 10}, {15, 0, -5}}},
    {"unlike_5_10", {{-15, 0, 5}, {15, 0, -10}}},
    {"one_above_other", {{0, -10, 10}, {0, 10, -5}}},
    {"zero_beside_other", {{-15, 0, 0}, {15, 0, -10}}},
    // V = 0 is only a ring just outside the weak charge's dot.
    {"weak_beside_strong", {{-15, 0, 10}, {15, 0, -0.5}}},
    {"tiny", {{-15, 0, 1e-20}, {15, 0, -1e-20}}},
    {"huge", {{-15, 0, 1e37}, {15, 0, -1e37}}},
    // The saddle between the charges has V = 2, one of the levels: that
    // level is a figure eight.
    {"saddle_on_level", {{-10, 0, 10}, {10, 0, 10}}},
    {"extreme_ratio", {{-15, 0, 1e38}, {15, 0, -1.2e-38}}},
    {"on_corners", {{-45, 25, 10}, {45, -25, -3}}},
    {"close_pair", {{0, 0, 10}, {0.5, 0, -10}}},
};

}  // namespace ChargeSets
