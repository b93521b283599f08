#pragma once

#include <limits>

// Rounds a double to the nearest 32-bit float, as every store into the
// drawing state does. A value beyond the float range becomes an infinity,
// as the hardware conversion gives, but without the undefined behaviour
// that C++ leaves for an out-of-range conversion.
inline float f32(double v)
{
    // FLT_MAX plus half a unit in the last place: from here on the nearest
    // float is an infinity.
    constexpr double kOverflow = 0x1.ffffffp+127;
    if (v >= kOverflow)
        return std::numeric_limits<float>::infinity();
    if (v <= -kOverflow)
        return -std::numeric_limits<float>::infinity();
    return static_cast<float>(v);
}
