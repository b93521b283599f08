#pragma once

#include "core/pointcharge.h"

// The field and the potential at a point, in the program's own units: the
// field of an amount q at distance r is q / r² and its potential q / r, as
// the tracers compute them (E = Σ q r̂ / r², V = Σ q / r), in double
// (PointField). A charge of 0 adds nothing, even at its own place.
struct FieldSample
{
    bool defined = false;  // false on a charge, where neither is defined
    double ex = 0;
    double ey = 0;
    double strength = 0;   // |E|
    double degrees = 0;    // direction of E, counter-clockwise from +x, in [0, 360)
    double potential = 0;  // V
};

FieldSample fieldAt(const Charges &charges, double x, double y);
