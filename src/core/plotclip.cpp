#include "core/plotclip.h"

#include "core/plotgeometry.h"

ClipRange clipRange(const PlotPoint &a, const PlotPoint &b, double minX, double minY, double maxX, double maxY)
{
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    ClipRange range;
    // Each edge as p · t ≤ q for the points a + t (b − a) on its inner side.
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x - minX, maxX - a.x, a.y - minY, maxY - a.y};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0)
                return {1, 0};  // parallel to this edge and outside it
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0) {
            if (t > range.t0)
                range.t0 = t;
        } else if (t < range.t1) {
            range.t1 = t;
        }
        if (range.t0 > range.t1)
            break;
    }
    return range;
}

void cutTo(const ClipRange &range, PlotPoint &a, PlotPoint &b)
{
    const PlotPoint from = a;
    const double dx = b.x - from.x;
    const double dy = b.y - from.y;
    if (range.t0 > 0)
        a = {from.x + range.t0 * dx, from.y + range.t0 * dy};
    if (range.t1 < 1)
        b = {from.x + range.t1 * dx, from.y + range.t1 * dy};
}

bool clipToPlot(PlotPoint &a, PlotPoint &b)
{
    const ClipRange range = clipRange(a, b, Plot::kLeft, Plot::kBottom, Plot::kRight, Plot::kTop);
    if (!(range.t0 < range.t1))
        return false;
    cutTo(range, a, b);
    return true;
}
