#include "core/zerofield.h"

#include "core/angles.h"
#include "core/plotgeometry.h"
#include "core/plotsurface.h"

#include <cmath>

std::vector<PlotPoint> zeroFieldPoints(const Charges &charges)
{
    if (charges.size() != 2 || charges[0].q == 0 || charges[1].q == 0)
        return {};
    const PointCharge &c1 = charges[0];
    const PointCharge &c2 = charges[1];
    const double dx = c2.x - c1.x;
    const double dy = c2.y - c1.y;
    if (dx == 0 && dy == 0)
        return {};
    // On the line P = C1 + t (C2 - C1), the two fields cancel where
    // √|q1| / |t| = √|q2| / |1 - t|: between the charges for like ones,
    // beyond the weaker one for unlike ones.
    const double a = std::sqrt(std::fabs(c1.q));
    const double b = std::sqrt(std::fabs(c2.q));
    const bool like = (c1.q > 0) == (c2.q > 0);
    if (!like && a == b)
        return {};
    const double t = like ? a / (a + b) : a / (a - b);
    const PlotPoint p{c1.x + t * dx, c1.y + t * dy};
    if (!Plot::contains(p.x, p.y))
        return {};
    return {p};
}

void drawZeroFieldMarkers(PlotSurface &surface, const Charges &charges)
{
    drawZeroFieldRings(surface, zeroFieldPoints(charges));
}

void drawZeroFieldRings(PlotSurface &surface, const std::vector<PlotPoint> &points)
{
    // A circle of 5 pixels' radius at the designed size, as 24 chords.
    constexpr double kRadius = 5.0 * (Plot::kRight - Plot::kLeft) / Plot::kDesignWidth;
    constexpr int kChords = 24;
    if (points.empty())
        return;
    surface.DrawWidth(2);
    for (const PlotPoint &p : points) {
        for (int i = 0; i < kChords; ++i) {
            const double a0 = 2 * kDrawingPi * i / kChords;
            const double a1 = 2 * kDrawingPi * (i + 1) / kChords;
            surface.Line(float(p.x + kRadius * std::cos(a0)), float(p.y + kRadius * std::sin(a0)),
                         float(p.x + kRadius * std::cos(a1)), float(p.y + kRadius * std::sin(a1)), Colour::Orange);
        }
    }
}
