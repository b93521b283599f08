#include "core/fieldlines.h"

#include "core/angles.h"
#include "core/arrowband.h"
#include "core/drawingstate.h"
#include "core/eventpump.h"
#include "core/fieldevaluation.h"
#include "core/float32.h"
#include "core/reflection.h"

#include <cmath>
#include <utility>

// Two charges of opposite signs. Every line starts 1 from charge 1, every 15
// degrees from 0 to 360, and runs in unit steps along the field of a source
// at charge 1 and a sink at charge 2, whatever their signs, until a step
// starts within 1.1 of charge 2 or the line leaves the plot.
//
// The stronger charge decides the variant: A when charge 1 is stronger, B
// when both are equally strong, C when charge 2 is stronger. C exchanges the
// amounts, traces about charge 1 as A does, and draws every point reflected
// so that the lines leave the stronger charge where it really is.
void FieldLines::Yizhong()
{
    const float strength1 = std::fabs(s_.q1);
    const float strength2 = std::fabs(s_.q2);
    const Variant variant = strength2 < strength1 ? Variant::A
                            : strength2 == strength1 ? Variant::B
                                                     : Variant::C;
    if (variant == Variant::C)
        std::swap(s_.q1, s_.q2);
    arrows_.setExchanged(variant == Variant::C);

    s_.px = 0;
    s_.py = 0;
    for (s_.angle = 0; s_.angle <= 360; s_.angle += 15)
        traceUnlikeLine(variant);

    if (variant != Variant::B)
        events_.DoEvents();
}

void FieldLines::traceUnlikeLine(Variant variant)
{
    const double a = radians(s_.angle);
    s_.px = f32(s_.x1 + std::cos(a));
    s_.py = f32(s_.y1 + std::sin(a));

    // The charges do not move while a line is traced. Arrowheads near 0.45
    // of the charge distance from either charge, judged by where each step
    // started.
    const double d = chargeDistance();
    ArrowBand band1(0.45 * d, 0.5);
    ArrowBand band2(0.45 * d, 0.5);
    const Reflection reflection(s_);
    // Variant C reflects the stored points, so that each step starts exactly
    // where the one before ended on the plot too.
    const Reflection *drawn = variant == Variant::C ? &reflection : nullptr;

    for (int step = 1;; ++step) {
        if (!evaluateField(s_, s_.px, s_.py, std::fabs(s_.q1), -std::fabs(s_.q2)))
            return;

        if (std::fabs(s_.cosT) < 0.001) {
            // A nearly vertical field steps straight up or down.
            s_.theta = s_.sinT > 0 ? 1.5707963f : -1.5707963f;
        } else if (s_.cosT < 0) {
            s_.theta = f32(fieldSlopeAngle(s_) + kDrawingPi);
            // On the axis beyond charge 1 the field points exactly in -x: the
            // axis scan draws the outer axis and leaves values that end this
            // line after the step.
            if (pointsExactlyLeft(s_.theta)) {
                if (variant == Variant::C)
                    TeshuChuli2();
                else
                    TeshuChuli();
            }
        } else {
            s_.theta = f32(fieldSlopeAngle(s_));
        }

        stepAlong(s_.px, s_.py, s_.theta, drawn);

        if (band1.wants(s_.r1))
            arrows_.YIHuaJT();
        if (band2.wants(s_.r2))
            arrows_.YIHuaJT2();

        if (s_.r2 <= 1.1 || step >= kMaxStepsPerLine)
            return;
        // The plot's borders as they lie in the traced frame.
        switch (variant) {
        case Variant::A:
            if (s_.py <= frame_.bottom() || s_.py >= frame_.top() || (s_.px < frame_.left() && s_.ex != 0))
                return;
            break;
        case Variant::B:
            // Only a line heading left out of the left border ends there.
            if (s_.px < frame_.left() && std::fabs(s_.theta - kDrawingPi) < 0.01)
                return;
            break;
        case Variant::C: {
            // The borders as they appear on the plot, after the reflection.
            const PlotPoint shown = reflection(s_.px, s_.py);
            if (shown.y <= frame_.bottom() || shown.y >= frame_.top() || (shown.x > frame_.right() && s_.ex != 0))
                return;
            break;
        }
        }
    }
}
