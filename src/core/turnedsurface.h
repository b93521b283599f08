#pragma once

#include "core/plotsurface.h"

class TurnedFrame;

// The surface the two-charge tracers draw on: every point they give in
// their traced frame goes to the plot turned back (exactly, see
// TurnedFrame); everything else passes through unchanged. In the plot's own
// frame it passes every operation on as it is.
class TurnedSurface : public PlotSurface
{
public:
    TurnedSurface(PlotSurface &plot, const TurnedFrame &frame)
        : plot_(plot)
        , frame_(frame)
    {
    }

    void Cls() override { plot_.Cls(); }
    float Height() const override { return plot_.Height(); }
    void Width(float width) override { plot_.Width(width); }
    void Scale(float left, float top, float right, float bottom) override { plot_.Scale(left, top, right, bottom); }
    void AutoRedraw(bool on) override { plot_.AutoRedraw(on); }
    void DrawWidth(int pixels) override { plot_.DrawWidth(pixels); }
    void Line(float x1, float y1, float x2, float y2, std::uint32_t colour) override;
    void PSet(float x, float y, std::uint32_t colour) override;
    void Label(float x, float y, const std::string &text, std::uint32_t colour) override;

private:
    PlotSurface &plot_;
    const TurnedFrame &frame_;
};
