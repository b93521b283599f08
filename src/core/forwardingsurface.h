#pragma once

#include "core/plotsurface.h"

// A surface that passes every operation on to the surface it wraps: the
// base of the surfaces that look at or change some operations on their way
// (keeping the lines drawn, turning points back into the plot) and pass the
// rest as they are.
class ForwardingSurface : public PlotSurface
{
public:
    explicit ForwardingSurface(PlotSurface &target)
        : target_(target)
    {
    }

    void Cls() override { target_.Cls(); }
    float Height() const override { return target_.Height(); }
    void Width(float width) override { target_.Width(width); }
    void Scale(float left, float top, float right, float bottom) override { target_.Scale(left, top, right, bottom); }
    void AutoRedraw(bool on) override { target_.AutoRedraw(on); }
    void DrawWidth(int pixels) override { target_.DrawWidth(pixels); }
    void Line(float x1, float y1, float x2, float y2, std::uint32_t colour) override
    {
        target_.Line(x1, y1, x2, y2, colour);
    }
    void PSet(float x, float y, std::uint32_t colour) override { target_.PSet(x, y, colour); }
    void setLayers(Layer lines, Layer dots) override { target_.setLayers(lines, dots); }
    void Label(float x, float y, const std::string &text, std::uint32_t colour) override
    {
        target_.Label(x, y, text, colour);
    }

protected:
    PlotSurface &target() { return target_; }

private:
    PlotSurface &target_;
};
