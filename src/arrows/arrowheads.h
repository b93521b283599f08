#pragma once

struct DrawingState;
class InputPanel;
class PlotSurface;

// The arrowhead procedures of the two tracers. Each takes its tip and
// direction from the tracer's current point in the drawing state, stores the
// arrowhead there and draws its two wings in blue with the current pen.
class Arrowheads
{
public:
    Arrowheads(DrawingState &state, PlotSurface &surface, const InputPanel &panel);

    // Like charges: on a line of charge 1 at (px, py) along theta, and on a
    // line of charge 2 at (qx, qy) along theta2. A positive charge points
    // along the traced (outward) direction, a negative one against it; a zero
    // charge takes the orientation of the other charge's field.
    void ToHuaJT1();
    void ToHuaJT2();

    // Unlike charges: at (px, py) along theta. They find out from the amount
    // boxes whether the tracer has exchanged the amounts, and then draw the
    // arrowhead mirrored like the traced segments.
    void YIHuaJT();
    void YIHuaJT2();

private:
    void drawUnlikeArrowhead();

    DrawingState &s_;
    PlotSurface &surface_;
    const InputPanel &panel_;
};
