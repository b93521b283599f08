#include "core/plotclip.h"

#include "core/plotgeometry.h"

bool clipToPlot(PlotPoint &a, PlotPoint &b)
{
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    double t0 = 0;
    double t1 = 1;
    // Each border as p · t ≤ q for the points a + t (b − a) on its inner side.
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x - Plot::kLeft, Plot::kRight - a.x, a.y - Plot::kBottom, Plot::kTop - a.y};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0)
                return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0) {
            if (t > t0)
                t0 = t;
        } else if (t < t1) {
            t1 = t;
        }
    }
    if (!(t0 < t1))
        return false;
    const PlotPoint from = a;
    if (t0 > 0)
        a = {from.x + t0 * dx, from.y + t0 * dy};
    if (t1 < 1)
        b = {from.x + t1 * dx, from.y + t1 * dy};
    return true;
}
