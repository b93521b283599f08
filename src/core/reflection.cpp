#include "core/reflection.h"

#include "core/drawingstate.h"

#include <cmath>

Reflection::Reflection(const DrawingState &s)
{
    const double dx = double(s.x2) - s.x1;
    const double dy = double(s.y2) - s.y1;
    const double d = std::sqrt(dx * dx + dy * dy);
    if (d == 0 || !std::isfinite(d)) {
        acrossYAxis_ = true;
        return;
    }
    mx_ = (double(s.x1) + s.x2) / 2;
    my_ = (double(s.y1) + s.y2) / 2;
    nx_ = dx / d;
    ny_ = dy / d;
}

PlotPoint Reflection::operator()(double x, double y) const
{
    if (acrossYAxis_)
        return {-x, y};
    const double along = (x - mx_) * nx_ + (y - my_) * ny_;
    return {x - 2 * along * nx_, y - 2 * along * ny_};
}
