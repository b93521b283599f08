#pragma once

struct DrawingState;
class PlotSurface;

// The arrowhead procedures of the two tracers. Each takes its tip and
// direction from the tracer's current point in the drawing state, stores the
// arrowhead there and draws its two wings in blue with the current pen.
class Arrowheads
{
public:
    Arrowheads(DrawingState &state, PlotSurface &surface);

    // Like charges: on a line of charge 1 at (px, py) along theta, and on a
    // line of charge 2 at (qx, qy) along theta2. A positive charge points
    // along the traced (outward) direction, a negative one against it. A zero
    // charge has no lines of its own and so no arrowheads.
    void ToHuaJT1();
    void ToHuaJT2();

    // Unlike charges: at (px, py) along theta. When the tracer has exchanged
    // the amounts it says so first (setExchanged), and the arrowhead is then
    // drawn reflected like the traced segments.
    void YIHuaJT();
    void YIHuaJT2();
    void setExchanged(bool exchanged) { exchanged_ = exchanged; }

private:
    void drawUnlikeArrowhead();

    DrawingState &s_;
    PlotSurface &surface_;
    bool exchanged_ = false;
};
