#pragma once

// pi as the drawing has always used it, for every conversion of degrees and
// for every half turn added to an arctangent. The pictures depend on this
// exact value (the axis is found by comparing an angle to it bit for bit).
constexpr double kPi = 3.1415926;

// Degrees to radians, multiplication first.
inline double radians(double degrees)
{
    return degrees * kPi / 180;
}
