#include "core/fieldlines.h"

#include "core/drawingstate.h"
#include "core/eventpump.h"
#include "core/float32.h"
#include "core/inputcheck.h"
#include "core/inputpanel.h"
#include "core/messages.h"
#include "core/numberreading.h"
#include "core/plotgeometry.h"
#include "core/plotsurface.h"

#include <array>
#include <cmath>
#include <exception>
#include <new>

FieldLines::FieldLines(DrawingState &state, PlotSurface &surface, InputPanel &panel, Messenger &messenger,
                       EventPump &events)
    : s_(state)
    , surface_(surface)
    , panel_(panel)
    , messenger_(messenger)
    , events_(events)
    , arrows_(state, tracing_)
{
}

void FieldLines::excite()
{
    surface_.Cls();
    drawn_.clear();
    // Keep the plot at the 9:5 shape of its user coordinates.
    surface_.Width(f32(double(surface_.Height()) * 90 / 50));
    surface_.Scale(Plot::kLeft, Plot::kTop, Plot::kRight, Plot::kBottom);
    surface_.AutoRedraw(true);

    // Read all six boxes before drawing anything. Input that cannot be
    // drawn is refused with a message, and the drawing state stays as it
    // was.
    std::array<double, 6> values{};
    for (int box = 1; box <= 6; ++box)
        values[box - 1] = readNumber(panel_.text(box));
    const bool twoCharges = panel_.twoChargeMode();
    Charges judged = {{values[0], values[1], values[2]}};
    if (twoCharges)
        judged.push_back({values[3], values[4], values[5]});
    if (const Message *refusal = inputRefusal(judged)) {
        messenger_.show(*refusal);
        return;
    }
    s_.x1 = f32(values[0]);
    s_.y1 = f32(values[1]);
    s_.q1 = f32(values[2]);
    s_.x2 = f32(values[3]);
    s_.y2 = f32(values[4]);
    s_.q2 = f32(values[5]);
    drawn_.push_back({s_.x1, s_.y1, s_.q1});
    if (twoCharges)
        drawn_.push_back({s_.x2, s_.y2, s_.q2});

    try {
        if (twoCharges) {
            DuoDH();
        } else {
            panel_.lockCharge2Boxes();
            DanDH();
        }
    } catch (const ProgramEnding &) {
        // A click queued during the drawing ended the program: stop at once.
    } catch (const std::bad_alloc &) {
        messenger_.show(Messages::OutOfMemory);
    } catch (const std::exception &) {
        messenger_.show(Messages::UnexpectedFailure);
    }
}

double FieldLines::chargeDistance() const
{
    const double dx = double(s_.x1) - s_.x2;
    const double dy = double(s_.y1) - s_.y2;
    return std::sqrt(dy * dy + dx * dx);
}
