#include "core/arrowheads.h"

#include "core/arrowshape.h"
#include "core/plotsurface.h"
#include "core/drawingstate.h"
#include "core/reflection.h"

Arrowheads::Arrowheads(DrawingState &state, PlotSurface &surface)
    : s_(state)
    , surface_(surface)
{
}

void Arrowheads::ToHuaJT1()
{
    s_.arrowAngle = s_.theta;
    s_.tipX = s_.px;
    s_.tipY = s_.py;
    // The like-charge tracer follows the field of two positive charges: the
    // arrowheads of a negative charge point back against it.
    const bool along = s_.q1 > 0;
    const ArrowShape w = arrowWings(s_.tipX, s_.tipY, s_.arrowAngle, along);
    storeWings(s_, w);
    drawArrowhead(surface_, s_.tipX, s_.tipY, w);
}

void Arrowheads::ToHuaJT2()
{
    s_.arrowAngle2 = s_.theta2;
    s_.tip2X = s_.qx;
    s_.tip2Y = s_.qy;
    const bool along = s_.q2 > 0;
    const ArrowShape w = arrowWings(s_.tip2X, s_.tip2Y, s_.arrowAngle2, along);
    s_.wing3X = w.wing1X;
    s_.wing3Y = w.wing1Y;
    s_.wing4X = w.wing2X;
    s_.wing4Y = w.wing2Y;
    drawArrowhead(surface_, s_.tip2X, s_.tip2Y, w);
}

void Arrowheads::YIHuaJT()
{
    drawUnlikeArrowhead();
}

void Arrowheads::YIHuaJT2()
{
    drawUnlikeArrowhead();
}

void Arrowheads::drawUnlikeArrowhead()
{
    s_.arrowAngle = s_.theta;
    s_.tipX = s_.px;
    s_.tipY = s_.py;
    // The tracer runs from charge 1 as a source to charge 2 as a sink; the
    // field really runs that way only when the charge held as charge 1 is
    // positive.
    const ArrowShape w = arrowWings(s_.tipX, s_.tipY, s_.arrowAngle, s_.q1 > 0);
    storeWings(s_, w);
    if (exchanged_) {
        // The traced picture is drawn reflected, and so is its arrowhead.
        const Reflection reflection(s_);
        drawArrowhead(surface_, s_.tipX, s_.tipY, w, &reflection);
    } else {
        drawArrowhead(surface_, s_.tipX, s_.tipY, w);
    }
}
