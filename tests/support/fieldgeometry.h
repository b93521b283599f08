#pragma once

#include "core/plotpoint.h"
#include "core/pointfield.h"

#include <algorithm>
#include <cmath>
#include <vector>

// Geometry the tests measure drawn and traced lines with, in double
// precision, apart from the code under test.

// The distance from p to the segment from a to b.
inline double distanceToSegment(PlotPoint p, PlotPoint a, PlotPoint b)
{
    const double dx = b.x - a.x, dy = b.y - a.y, l2 = dx * dx + dy * dy;
    const double t = l2 > 0 ? std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / l2, 0.0, 1.0) : 0;
    return std::hypot(p.x - a.x - t * dx, p.y - a.y - t * dy);
}

// The distance from p to the nearest segment of a polyline.
inline double distanceToPolyline(PlotPoint p, const std::vector<PlotPoint> &line)
{
    double nearest = INFINITY;
    for (std::size_t i = 1; i < line.size(); ++i)
        nearest = std::min(nearest, distanceToSegment(p, line[i - 1], line[i]));
    return nearest;
}

// One step of length h along a field line by the classical Runge–Kutta
// method on dr/ds = sense · E/|E|: with the field (sense 1) or against it
// (−1). The reference the traced lines and the paths are held against.
inline PlotPoint rungeKuttaStep(const PointField &field, PlotPoint p, double h, double sense)
{
    const auto slope = [&](PlotPoint q) {
        const FieldVector e = field.field(q.x, q.y);
        const double n = sense / std::hypot(e.x, e.y);
        return PlotPoint{e.x * n, e.y * n};
    };
    const PlotPoint k1 = slope(p), k2 = slope({p.x + h / 2 * k1.x, p.y + h / 2 * k1.y});
    const PlotPoint k3 = slope({p.x + h / 2 * k2.x, p.y + h / 2 * k2.y}), k4 = slope({p.x + h * k3.x, p.y + h * k3.y});
    return {p.x + h / 6 * (k1.x + 2 * k2.x + 2 * k3.x + k4.x), p.y + h / 6 * (k1.y + 2 * k2.y + 2 * k3.y + k4.y)};
}
