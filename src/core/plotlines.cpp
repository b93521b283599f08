#include "core/plotlines.h"

#include "core/plotsurface.h"
#include "core/float32.h"
#include "core/reflection.h"

#include <cmath>

void drawLine(PlotSurface &surface, double x1, double y1, double x2, double y2, const Reflection *reflection)
{
    PlotPoint from{x1, y1};
    PlotPoint to{x2, y2};
    if (reflection) {
        from = (*reflection)(x1, y1);
        to = (*reflection)(x2, y2);
    }
    const float ends[] = {f32(from.x), f32(from.y), f32(to.x), f32(to.y)};
    for (float v : ends) {
        if (!std::isfinite(v))
            return;
    }
    surface.Line(ends[0], ends[1], ends[2], ends[3], Colour::Blue);
}
