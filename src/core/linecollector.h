#pragma once

#include "core/forwardingsurface.h"

#include <array>
#include <vector>

// Passes every operation on to the surface it wraps and keeps the lines
// drawn, so that what is drawn over the picture afterwards (the labels of
// the equipotentials) can keep clear of the field lines. Lines wholly off
// the plot are not kept.
class LineCollector : public ForwardingSurface
{
public:
    using ForwardingSurface::ForwardingSurface;

    void Cls() override
    {
        lines_.clear();
        ForwardingSurface::Cls();
    }
    void Line(float x1, float y1, float x2, float y2, std::uint32_t colour) override;

    // The lines since the last Cls, as (x1, y1, x2, y2).
    const std::vector<std::array<float, 4>> &lines() const { return lines_; }

private:
    std::vector<std::array<float, 4>> lines_;
};
