#pragma once

#include "core/plotsurface.h"

#include <array>
#include <vector>

// Passes every operation on to the surface it wraps and keeps the lines
// drawn, so that what is drawn over the picture afterwards (the labels of
// the equipotentials) can keep clear of the field lines. Lines wholly off
// the plot are not kept.
class LineCollector : public PlotSurface
{
public:
    explicit LineCollector(PlotSurface &target)
        : target_(target)
    {
    }

    void Cls() override
    {
        lines_.clear();
        target_.Cls();
    }
    float Height() const override { return target_.Height(); }
    void Width(float width) override { target_.Width(width); }
    void Scale(float left, float top, float right, float bottom) override { target_.Scale(left, top, right, bottom); }
    void AutoRedraw(bool on) override { target_.AutoRedraw(on); }
    void DrawWidth(int pixels) override { target_.DrawWidth(pixels); }
    void Line(float x1, float y1, float x2, float y2, std::uint32_t colour) override;
    void PSet(float x, float y, std::uint32_t colour) override { target_.PSet(x, y, colour); }
    void setLayers(Layer lines, Layer dots) override { target_.setLayers(lines, dots); }
    void Label(float x, float y, const std::string &text, std::uint32_t colour) override
    {
        target_.Label(x, y, text, colour);
    }

    // The lines since the last Cls, as (x1, y1, x2, y2).
    const std::vector<std::array<float, 4>> &lines() const { return lines_; }

private:
    PlotSurface &target_;
    std::vector<std::array<float, 4>> lines_;
};
