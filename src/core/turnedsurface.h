#pragma once

#include "core/forwardingsurface.h"

class TurnedFrame;

// The surface the two-charge tracers draw on: every point they give in
// their traced frame goes to the plot turned back (exactly, see
// TurnedFrame); everything else passes through unchanged. In the plot's own
// frame it passes every operation on as it is.
class TurnedSurface : public ForwardingSurface
{
public:
    TurnedSurface(PlotSurface &plot, const TurnedFrame &frame)
        : ForwardingSurface(plot)
        , frame_(frame)
    {
    }

    void Line(float x1, float y1, float x2, float y2, std::uint32_t colour) override;
    void PSet(float x, float y, std::uint32_t colour) override;
    void Label(float x, float y, const std::string &text, std::uint32_t colour) override;

private:
    const TurnedFrame &frame_;
};
