#include "tracing/fieldlines.h"

#include "arrows/arrowshape.h"
#include "plot/plotsurface.h"
#include "tracing/drawingstate.h"
#include "tracing/fieldevaluation.h"
#include "tracing/float32.h"
#include "tracing/reflection.h"

#include <cmath>

// The axis beyond two unlike charges at one height, which the tracer, going
// out from charge 1 only, cannot reach. Called by the tracer when its step
// points exactly in -x, that is on the first step of its 180-degree line.
// Draws the axis lines from the scan round charge 2 and an arrowhead on the
// outer axis on each side, then leaves r2 at about 1, which ends the tracer's
// line after its current step.
void FieldLines::TeshuChuli()
{
    axisScan(false);

    const double s = std::fabs(double(s_.x1) - s_.x2);
    auto drawArrowhead = [this](bool pointsLeft) {
        // A horizontal arrowhead: pointing in -x is pointing along pi.
        const ArrowShape w = arrowWings(s_.tipX, s_.tipY, kPi, pointsLeft);
        s_.wing1X = w.wing1X;
        s_.wing1Y = w.wing1Y;
        s_.wing2X = w.wing2X;
        s_.wing2Y = w.wing2Y;
        surface_.Line(s_.tipX, s_.tipY, s_.wing1X, s_.wing1Y, Colour::Blue);
        surface_.Line(s_.tipX, s_.tipY, s_.wing2X, s_.wing2Y, Colour::Blue);
    };
    // Beyond charge 1, left of the tracer's point: away from a positive
    // charge, toward a negative one.
    s_.tipX = f32(s_.px - 0.46 * s);
    s_.tipY = s_.py;
    drawArrowhead(s_.q1 > 0);
    // Beyond charge 2: toward a negative charge, away from a positive one.
    s_.tipX = f32(s_.x2 + 0.41 * s);
    s_.tipY = s_.y2;
    drawArrowhead(s_.q2 < 0);
}

// The same for the exchanged amounts: everything drawn reflected, and one
// arrowhead, next to the tracer's point, oriented by the charge held as
// charge 2.
void FieldLines::TeshuChuli2()
{
    axisScan(true);

    const double s = std::fabs(double(s_.x1) - s_.x2);
    s_.tipX = f32(s_.px - 0.45 * s);
    s_.tipY = s_.py;
    const ArrowShape w = arrowWings(s_.tipX, s_.tipY, kPi, s_.q2 < 0);
    s_.wing1X = w.wing1X;
    s_.wing1Y = w.wing1Y;
    s_.wing2X = w.wing2X;
    s_.wing2Y = w.wing2Y;
    const PlotPoint tip = reflect(s_, s_.tipX, s_.tipY);
    const PlotPoint wing1 = reflect(s_, s_.wing1X, s_.wing1Y);
    const PlotPoint wing2 = reflect(s_, s_.wing2X, s_.wing2Y);
    surface_.Line(f32(tip.x), f32(tip.y), f32(wing1.x), f32(wing1.y), Colour::Blue);
    surface_.Line(f32(tip.x), f32(tip.y), f32(wing2.x), f32(wing2.y), Colour::Blue);
}

// Scans 25 points on the circle of radius 1 round charge 2, with the charges'
// true signs, for points where the field points exactly in -x: there the axis
// runs through. From each such point it draws the axis 90 to the right and
// 90 to the left. theta is written only where the field points leftward.
void FieldLines::axisScan(bool mirrored)
{
    auto line = [this, mirrored](double x1, double y1, double x2, double y2) {
        if (mirrored) {
            const PlotPoint from = reflect(s_, x1, y1);
            const PlotPoint to = reflect(s_, x2, y2);
            surface_.Line(f32(from.x), f32(from.y), f32(to.x), f32(to.y), Colour::Blue);
        } else {
            surface_.Line(f32(x1), f32(y1), f32(x2), f32(y2), Colour::Blue);
        }
    };

    for (s_.angle2 = 0; s_.angle2 <= 360; s_.angle2 += 15) {
        const double a = radians(s_.angle2);
        s_.qx = f32(s_.x2 + std::cos(a));
        s_.qy = f32(s_.y2 + std::sin(a));
        if (!evaluateField(s_, s_.qx, s_.qy, s_.q1, s_.q2))
            continue;
        if (s_.cosT < 0) {
            s_.theta = f32(fieldSlopeAngle(s_) + kPi);
            if (pointsExactlyLeft(s_.theta) && s_.x2 > s_.x1) {
                line(s_.qx, s_.qy, double(s_.qx) + 90, s_.qy);
                line(s_.qx, s_.qy, double(s_.qx) - 90, s_.qy);
            }
        }
    }
}
