#include "core/fieldlines.h"

#include "core/angles.h"
#include "core/arrowshape.h"
#include "core/drawingstate.h"
#include "core/fieldevaluation.h"
#include "core/float32.h"
#include "core/plotlines.h"
#include "core/reflection.h"

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
    auto drawAxisArrowhead = [this](bool pointsLeft) {
        // A horizontal arrowhead: pointing in -x is pointing along pi.
        const ArrowShape w = arrowWings(s_.tipX, s_.tipY, kDrawingPi, pointsLeft);
        storeWings(s_, w);
        drawArrowhead(tracing_, s_.tipX, s_.tipY, w);
    };
    // Beyond charge 1, left of the tracer's point: away from a positive
    // charge, toward a negative one.
    s_.tipX = f32(s_.px - 0.46 * s);
    s_.tipY = s_.py;
    drawAxisArrowhead(s_.q1 > 0);
    // Beyond charge 2: toward a negative charge, away from a positive one.
    s_.tipX = f32(s_.x2 + 0.41 * s);
    s_.tipY = s_.y2;
    drawAxisArrowhead(s_.q2 < 0);
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
    const ArrowShape w = arrowWings(s_.tipX, s_.tipY, kDrawingPi, s_.q2 < 0);
    storeWings(s_, w);
    const Reflection reflection(s_);
    drawArrowhead(tracing_, s_.tipX, s_.tipY, w, &reflection);
}

// Scans 25 points on the circle of radius 1 round charge 2, with the charges'
// true signs, for points where the field points exactly in -x: there the axis
// runs through. From each such point it draws the axis 90 to the right and
// 90 to the left. theta is written only where the field points leftward.
void FieldLines::axisScan(bool mirrored)
{
    const Reflection reflection(s_);
    const Reflection *drawn = mirrored ? &reflection : nullptr;
    for (s_.angle2 = 0; s_.angle2 <= 360; s_.angle2 += 15) {
        const double a = radians(s_.angle2);
        s_.qx = f32(s_.x2 + std::cos(a));
        s_.qy = f32(s_.y2 + std::sin(a));
        if (!evaluateField(s_, s_.qx, s_.qy, s_.q1, s_.q2))
            continue;
        if (s_.cosT < 0) {
            s_.theta = f32(fieldSlopeAngle(s_) + kDrawingPi);
            if (pointsExactlyLeft(s_.theta) && s_.x2 > s_.x1) {
                drawLine(tracing_, s_.qx, s_.qy, double(s_.qx) + 90, s_.qy, drawn);
                drawLine(tracing_, s_.qx, s_.qy, double(s_.qx) - 90, s_.qy, drawn);
            }
        }
    }
}
