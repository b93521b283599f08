#pragma once

struct DrawingState;

struct PlotPoint
{
    double x = 0;
    double y = 0;
};

// The reflection across the perpendicular bisector of the two charge
// positions. The exchanged-order tracing traces about charge 1 with the
// amounts exchanged, so its picture belongs about charge 2: this reflection
// carries it there for every placement. For charges mirror-symmetric about
// x = 0 on one horizontal line it is exactly (-x, y); for charges at one
// place, where there is no bisector, it is (-x, y) as well.
PlotPoint reflect(const DrawingState &state, double x, double y);
