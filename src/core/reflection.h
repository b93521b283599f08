#pragma once

#include "core/plotpoint.h"

struct DrawingState;

// The reflection across the perpendicular bisector of the two charge
// positions. The exchanged-order tracing traces about charge 1 with the
// amounts exchanged, so its picture belongs about charge 2: this reflection
// carries it there for every placement. For charges mirror-symmetric about
// x = 0 on one horizontal line it is exactly (-x, y); for charges at one
// place, where there is no bisector, it is (-x, y) as well.
//
// It is fixed by the charge positions when it is made; they do not move
// while a line is traced.
class Reflection
{
public:
    explicit Reflection(const DrawingState &state);

    // p - 2 ((p - m) · n) n, with m the midpoint of the charges and n the
    // unit vector from charge 1 to charge 2, in double precision.
    PlotPoint operator()(double x, double y) const;

private:
    double mx_ = 0;
    double my_ = 0;
    double nx_ = 1;
    double ny_ = 0;
    bool acrossYAxis_ = false;
};
