#pragma once

#include <cmath>

// A point in the plot's user coordinates, in double precision.
struct PlotPoint
{
    double x = 0;
    double y = 0;
};

// The point the fraction t of the way from a to b.
inline PlotPoint interpolate(PlotPoint a, PlotPoint b, double t)
{
    return {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t};
}

// Lengths on the plot are far from overflow, so sqrt serves where std::hypot
// would cost several times as much.
inline double distance(PlotPoint a, PlotPoint b)
{
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    return std::sqrt(dx * dx + dy * dy);
}

inline bool isFinite(PlotPoint p)
{
    return std::isfinite(p.x) && std::isfinite(p.y);
}
