#include "core/arrowshape.h"

#include "core/angles.h"
#include "core/drawingstate.h"
#include "core/float32.h"
#include "core/plotlines.h"

#include <cmath>

ArrowShape arrowWings(float tipX, float tipY, double direction, bool pointsAlong)
{
    // Half the opening angle of the arrowhead, and the wing length.
    constexpr double kHalfOpening = kDrawingPi / 8;
    constexpr double kWing = 2;
    // Wings trail behind a tip that points along the line, and lie ahead of
    // one that points back against it.
    const double sign = pointsAlong ? -1 : 1;
    ArrowShape shape;
    shape.wing1X = f32(tipX + sign * kWing * std::cos(direction + kHalfOpening));
    shape.wing1Y = f32(tipY + sign * kWing * std::sin(direction + kHalfOpening));
    shape.wing2X = f32(tipX + sign * kWing * std::cos(direction - kHalfOpening));
    shape.wing2Y = f32(tipY + sign * kWing * std::sin(direction - kHalfOpening));
    return shape;
}

void storeWings(DrawingState &s, const ArrowShape &wings)
{
    s.wing1X = wings.wing1X;
    s.wing1Y = wings.wing1Y;
    s.wing2X = wings.wing2X;
    s.wing2Y = wings.wing2Y;
}

void drawArrowhead(PlotSurface &surface, float tipX, float tipY, const ArrowShape &wings,
                   const Reflection *reflection)
{
    drawLine(surface, tipX, tipY, wings.wing1X, wings.wing1Y, reflection);
    drawLine(surface, tipX, tipY, wings.wing2X, wings.wing2Y, reflection);
}
