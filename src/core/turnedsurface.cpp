#include "core/turnedsurface.h"

#include "core/turnedframe.h"

void TurnedSurface::Line(float x1, float y1, float x2, float y2, std::uint32_t colour)
{
    if (frame_.turn() == TurnedFrame::Turn::None) {
        target().Line(x1, y1, x2, y2, colour);
        return;
    }
    // Negating and exchanging 32-bit values is exact: the plot gets the
    // traced values themselves.
    const PlotPoint from = frame_.toPlot(x1, y1);
    const PlotPoint to = frame_.toPlot(x2, y2);
    target().Line(float(from.x), float(from.y), float(to.x), float(to.y), colour);
}

void TurnedSurface::PSet(float x, float y, std::uint32_t colour)
{
    const PlotPoint p = frame_.toPlot(x, y);
    target().PSet(float(p.x), float(p.y), colour);
}

void TurnedSurface::Label(float x, float y, const std::string &text, std::uint32_t colour)
{
    const PlotPoint p = frame_.toPlot(x, y);
    target().Label(float(p.x), float(p.y), text, colour);
}
