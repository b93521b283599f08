#include "core/fieldlines.h"

#include "core/plotsurface.h"
#include "core/drawingstate.h"
#include "core/float32.h"
#include "core/messages.h"

namespace {

// While a tracer runs, the charge positions in the state are those of the
// traced frame, and the tracers draw through it; afterwards, however the
// tracer ends, the positions are the plot's again and the frame is the
// plot's own. The working values the tracer leaves stay in its frame.
class TracedFrame
{
public:
    TracedFrame(DrawingState &state, TurnedFrame &frame)
        : s_(state)
        , frame_(frame)
        , x1_(state.x1)
        , y1_(state.y1)
        , x2_(state.x2)
        , y2_(state.y2)
    {
        frame_ = TurnedFrame::forCharges(state);
        const PlotPoint charge1 = frame_.toTrace(x1_, y1_);
        const PlotPoint charge2 = frame_.toTrace(x2_, y2_);
        s_.x1 = f32(charge1.x);
        s_.y1 = f32(charge1.y);
        s_.x2 = f32(charge2.x);
        s_.y2 = f32(charge2.y);
    }
    ~TracedFrame()
    {
        s_.x1 = x1_;
        s_.y1 = y1_;
        s_.x2 = x2_;
        s_.y2 = y2_;
        frame_ = TurnedFrame();
    }
    TracedFrame(const TracedFrame &) = delete;
    TracedFrame &operator=(const TracedFrame &) = delete;

private:
    DrawingState &s_;
    TurnedFrame &frame_;
    float x1_;
    float y1_;
    float x2_;
    float y2_;
};

}  // namespace

void FieldLines::DuoDH()
{
    // The tracers assume charge 1 is not right of charge 2. Say so and let
    // the user correct the boxes; the program goes on.
    if (s_.x2 < s_.x1) {
        drawn_.clear();
        messenger_.show(Messages::WrongOrder);
        return;
    }
    {
        // D18: charges on one vertical line are traced as a horizontal pair,
        // in the plot turned by 90 degrees.
        const TracedFrame traced(s_, frame_);
        // The sign of the exact product: no overflow for large amounts, and
        // tiny amounts of opposite sign still count as unlike.
        if (double(s_.q2) * double(s_.q1) >= 0)
            Tongzhong();
        else
            Yizhong();
    }

    surface_.DrawWidth(20);
    surface_.PSet(s_.x1, s_.y1, Colour::Green);
    surface_.PSet(s_.x2, s_.y2, Colour::Red);
}
