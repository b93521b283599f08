#pragma once

class PlotSurface;
class Reflection;
struct DrawingState;

// The arrowhead shape used throughout: a tip on the line and two straight
// wings of length 2 at +pi/8 and -pi/8 from the line's direction. An arrowhead
// that points along the direction has its wings trailing behind the tip; one
// that points against it has them ahead of the tip.
struct ArrowShape
{
    float wing1X = 0;  // end of the wing at direction + pi/8
    float wing1Y = 0;
    float wing2X = 0;  // end of the wing at direction - pi/8
    float wing2Y = 0;
};

// Wing ends for a tip at (tipX, tipY) on a line of the given direction
// (radians), each rounded to 32 bits as the drawing state stores it.
ArrowShape arrowWings(float tipX, float tipY, double direction, bool pointsAlong);

// Keeps the wings as the arrowhead of a line of charge 1 (or of the
// unlike-charge tracer), in wing1X ... wing2Y.
void storeWings(DrawingState &state, const ArrowShape &wings);

// Draws the two wings from the tip, the wing at + pi/8 first; reflected as
// drawLine does when given a reflection.
void drawArrowhead(PlotSurface &surface, float tipX, float tipY, const ArrowShape &wings,
                   const Reflection *reflection = nullptr);
