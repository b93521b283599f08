#include "core/fieldlines.h"

#include "core/angles.h"
#include "core/arrowband.h"
#include "core/drawingstate.h"
#include "core/eventpump.h"
#include "core/fieldevaluation.h"
#include "core/float32.h"

#include <cmath>

// Two charges of the same sign, or one of them zero. The lines are traced
// outward as for two positive charges of the same magnitudes, in unit steps
// along the net field: 23 lines from charge 1 (every 15 degrees but the one
// at 0) and then 23 from charge 2 (all but the one at 180). The signs only
// decide which way the arrowheads point. A charge of 0 has no field of its
// own and so no lines: the other charge's lines are drawn alone.
void FieldLines::Tongzhong()
{
    s_.px = 0;
    s_.py = 0;
    if (s_.q1 != 0) {
        for (s_.angle = 15; s_.angle <= 345; s_.angle += 15)
            traceLikeFamily(false);
    }

    s_.qx = 0;
    s_.qy = 0;
    if (s_.q2 != 0) {
        for (s_.angle2 = -165; s_.angle2 <= 165; s_.angle2 += 15)
            traceLikeFamily(true);
    }

    events_.DoEvents();
}

// One line of the like-charge field: from charge 1 at angle (px, py, theta)
// or from charge 2 at angle2 (qx, qy, theta2).
void FieldLines::traceLikeFamily(bool charge2)
{
    float &x = charge2 ? s_.qx : s_.px;
    float &y = charge2 ? s_.qy : s_.py;
    float &theta = charge2 ? s_.theta2 : s_.theta;
    const float ownX = charge2 ? s_.x2 : s_.x1;
    const float ownY = charge2 ? s_.y2 : s_.y1;

    const double a = radians(charge2 ? s_.angle2 : s_.angle);
    x = f32(ownX + std::cos(a));
    y = f32(ownY + std::sin(a));

    // Arrowheads near the circle of radius d / 2.5 about the line's own
    // charge, judged by where each step started. The charges do not move
    // while a line is traced.
    ArrowBand band(chargeDistance() / 2.5, 0.4);

    // Where the step before the last one started: a line that runs straight
    // at the other charge can swing to and fro across the point of zero
    // field between them, coming back there every second step.

    float beforeLastX = NAN;
    float beforeLastY = NAN;
    float lastX = x;
    float lastY = y;
    for (int step = 1;; ++step) {
        if (!evaluateField(s_, x, y, std::fabs(s_.q1), std::fabs(s_.q2)))
            return;
        const double slope = fieldSlopeAngle(s_);
        theta = f32(s_.cosT >= 0 ? slope : slope + kDrawingPi);
        stepAlong(x, y, theta, nullptr);

        if (band.wants(charge2 ? s_.r2 : s_.r1)) {
            if (charge2)
                arrows_.ToHuaJT2();
            else
                arrows_.ToHuaJT1();
        }

        // The line ends at the other charge (judged by where the step
        // started) or at the border of the plot as it lies in the traced
        // frame (judged by where the step ended).
        const float otherDistance = charge2 ? s_.r1 : s_.r2;
        if (otherDistance <= 1.1 || x <= frame_.left() || x >= frame_.right() || y <= frame_.bottom()
            || y >= frame_.top())
            return;
        if (step >= kMaxStepsPerLine)
            return;
        // hypot is never less than either leg: the cheap test on the legs
        // spares its cost at almost every step and decides the same.
        const double backX = double(x) - beforeLastX;
        const double backY = double(y) - beforeLastY;
        if (std::fabs(backX) < 1e-3 && std::fabs(backY) < 1e-3 && std::hypot(backX, backY) < 1e-3)
            return;
        beforeLastX = lastX;
        beforeLastY = lastY;
        lastX = x;
        lastY = y;
    }
}
