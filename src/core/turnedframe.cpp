#include "core/turnedframe.h"

#include "core/drawingstate.h"

#include <algorithm>

TurnedFrame::TurnedFrame(Turn turn)
    : turn_(turn)
{
    // Two opposite corners of the plot, turned, span the same rectangle.
    const PlotPoint a = toTrace(Plot::kLeft, Plot::kBottom);
    const PlotPoint b = toTrace(Plot::kRight, Plot::kTop);
    left_ = float(std::min(a.x, b.x));
    right_ = float(std::max(a.x, b.x));
    bottom_ = float(std::min(a.y, b.y));
    top_ = float(std::max(a.y, b.y));
}

TurnedFrame TurnedFrame::forCharges(const DrawingState &s)
{
    if (s.x1 != s.x2 || s.y1 == s.y2)
        return TurnedFrame();
    return TurnedFrame(s.y2 > s.y1 ? Turn::Clockwise : Turn::Counterclockwise);
}

PlotPoint TurnedFrame::toTrace(double x, double y) const
{
    switch (turn_) {
    case Turn::Clockwise:
        return {y, -x};
    case Turn::Counterclockwise:
        return {-y, x};
    case Turn::None:
        break;
    }
    return {x, y};
}

PlotPoint TurnedFrame::toPlot(double x, double y) const
{
    switch (turn_) {
    case Turn::Clockwise:
        return {-y, x};
    case Turn::Counterclockwise:
        return {y, -x};
    case Turn::None:
        break;
    }
    return {x, y};
}
