#pragma once

#include "core/plotgeometry.h"
#include "core/plotsurface.h"

#include <array>
#include <cstdint>

// Checks every operation as it is issued instead of keeping it: a line that
// runs to the step limit issues some 100,000 operations.
//
// A traced step is the Line that follows DrawWidth(1): the tracers set the
// pen before every step, the arrowheads and axis lines do not. Steps that
// start exactly where the step before ended belong to one traced line.
class CheckingSurface : public PlotSurface
{
public:
    void Cls() override
    {
        lines = 0;
        dots = 0;
        stepLines = 0;
        longestLine = 0;
        currentLine = 0;
        fingerprint = kFnvOffset;
    }
    float Height() const override { return Plot::kDesignHeightUnits; }
    void Width(float width) override { check(width); }
    void Scale(float left, float top, float right, float bottom) override
    {
        check(left);
        check(top);
        check(right);
        check(bottom);
    }
    void AutoRedraw(bool) override {}
    void DrawWidth(int pixels) override
    {
        penWidth_ = pixels;
        nextIsStep_ = pixels == 1;
    }
    void Line(float x1, float y1, float x2, float y2, std::uint32_t colour) override;
    void PSet(float x, float y, std::uint32_t colour) override
    {
        ++dots;
        check(x);
        check(y);
        nextIsStep_ = false;
        mix({x, y, 0, 0}, colour);
    }

    static constexpr std::uint64_t kFnvOffset = 14695981039346656037ull;

    long long lines = 0;
    long long dots = 0;
    long long stepLines = 0;
    long long longestLine = 0;   // steps of the longest traced line
    long long currentLine = 0;
    long long nonFinite = 0;     // coordinates that are not finite numbers, over all excites
    std::uint64_t fingerprint = kFnvOffset;  // of every Line and PSet since Cls

private:
    void check(float v);
    // FNV-1a over the coordinates' bits, the colour and the pen width.
    void mix(std::array<float, 4> values, std::uint32_t colour);

    int penWidth_ = 1;
    bool nextIsStep_ = false;
    float lastX_ = 0;
    float lastY_ = 0;
};
