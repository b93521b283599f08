#pragma once

// pi as the unit-step tracers use it, for every conversion of degrees and
// for every half turn added to an arctangent. Their pictures depend on this
// exact value (the axis is found by comparing an angle to it bit for bit).
constexpr double kDrawingPi = 3.1415926;

// pi to the precision of a double, for everything else: the probe, the
// accurate tracer, the test charges.
constexpr double kExactPi = 3.14159265358979323846;

// Degrees to radians as the tracers convert them, multiplication first.
inline double radians(double degrees)
{
    return degrees * kDrawingPi / 180;
}
