#include "tracing/reflection.h"

#include "tracing/drawingstate.h"

#include <cmath>

PlotPoint reflect(const DrawingState &s, double x, double y)
{
    const double dx = double(s.x2) - s.x1;
    const double dy = double(s.y2) - s.y1;
    const double d = std::sqrt(dx * dx + dy * dy);
    if (d == 0 || !std::isfinite(d))
        return {-x, y};

    // p - 2 ((p - m) · n) n, with m the midpoint of the charges and n the
    // unit vector from charge 1 to charge 2.
    const double mx = (double(s.x1) + s.x2) / 2;
    const double my = (double(s.y1) + s.y2) / 2;
    const double nx = dx / d;
    const double ny = dy / d;
    const double along = (x - mx) * nx + (y - my) * ny;
    return {x - 2 * along * nx, y - 2 * along * ny};
}
