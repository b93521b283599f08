#pragma once

#include <limits>

static_assert(std::numeric_limits<float>::is_iec559 && std::numeric_limits<double>::is_iec559,
              "the drawing relies on IEEE 754 single and double precision");

// Rounds a double to the nearest 32-bit float, as every store into the
// drawing state does. Under IEEE 754, which the compilers we build with
// follow for floating conversions, a value beyond the float range becomes an
// infinity; the procedures recognise such values and stop the line there.
inline float f32(double v)
{
    return static_cast<float>(v);
}
