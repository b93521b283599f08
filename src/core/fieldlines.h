#pragma once

#include "core/arrowheads.h"
#include "core/eventpump.h"
#include "core/pointcharge.h"
#include "core/turnedframe.h"
#include "core/turnedsurface.h"

struct DrawingState;
class InputPanel;
class Messenger;
class PlotSurface;
class Reflection;

// The drawing procedures of the main window, from the excite handler down to
// the tracers. They take no arguments: everything goes through the shared
// DrawingState, the plot surface, the input panel, the messenger and the
// event pump, exactly as the window owns them, so the window, the
// command-line renderer and the tests run the very same drawing.
//
// The input panel is read once, at the start of an excite; after that the
// drawing works from the drawing state alone.
class FieldLines
{
public:
    // A traced line ends after this many steps at the latest, so that a line
    // that never meets its stop test (it runs away outside the plot, or
    // swings to and fro across a point of zero field) cannot hang the window.
    static constexpr int kMaxStepsPerLine = 50000;

    FieldLines(DrawingState &state, PlotSurface &surface, InputPanel &panel, Messenger &messenger,
               EventPump &events = noEvents());

    // The click on "激　发": clear and scale the plot, read the six boxes,
    // draw one or two charges. Out-of-range numbers and unexpected failures
    // are reported through the messenger; when a click queued during the
    // drawing ends the program, the drawing stops there. Nothing escapes.
    void excite();

    // The procedures, callable on their own for tests.
    void DanDH();       // single charge: 25 straight rays
    void DuoDH();       // two charges: order check, choice of tracer, dots
    void Tongzhong();   // like charges (or a zero one)
    void Yizhong();     // unlike charges
    void TeshuChuli();  // axis lines, entered order
    void TeshuChuli2(); // axis lines, exchanged order, drawn reflected

    // The charges of the picture the last excite drew, as read from the
    // boxes (one in single-charge mode): empty when it refused its input.
    const Charges &charges() const { return drawn_; }

    // Steps traced since construction, for the benchmarks.
    long long stepsTraced() const { return stepsTraced_; }

private:
    enum class Variant { A, B, C };

    void traceLikeFamily(bool charge2);
    void traceUnlikeLine(Variant variant);
    void axisScan(bool mirrored);
    // The unit step both tracers share, once the direction is chosen.
    void stepAlong(float &x, float &y, float theta, const Reflection *drawn);
    // Distance between the two charge positions, in double precision.
    double chargeDistance() const;

    DrawingState &s_;
    PlotSurface &surface_;
    InputPanel &panel_;
    Messenger &messenger_;
    EventPump &events_;
    // The frame the two-charge tracers trace in, and the surface they draw
    // on, which turns their points back onto the plot.
    TurnedFrame frame_;
    TurnedSurface tracing_{surface_, frame_};
    Arrowheads arrows_;
    Charges drawn_;
    long long stepsTraced_ = 0;
};
