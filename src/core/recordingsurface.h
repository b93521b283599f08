#pragma once

#include "core/plotgeometry.h"
#include "core/plotsurface.h"

#include <cstdint>
#include <vector>

// A plot surface that keeps every operation exactly as issued, with the
// pen width in force, for tests and for the CSV output. Lines and dots far
// outside the plot are kept too: this is the record of what the procedures
// asked for, not of what can be seen.
class RecordingSurface : public PlotSurface
{
public:
    enum class Op { Cls, Scale, AutoRedraw, DrawWidth, Line, PSet, Width };

    struct Operation
    {
        Op op = Op::Line;
        float x1 = 0;
        float y1 = 0;
        float x2 = 0;
        float y2 = 0;
        std::uint32_t colour = 0;
        int width = 1;  // the pen width in force
    };

    void Cls() override;
    float Height() const override { return height_; }
    void Width(float width) override;
    void Scale(float left, float top, float right, float bottom) override;
    void AutoRedraw(bool on) override;
    void DrawWidth(int pixels) override;
    void Line(float x1, float y1, float x2, float y2, std::uint32_t colour) override;
    void PSet(float x, float y, std::uint32_t colour) override;

    // Every operation since the last Cls (which starts the list), or since
    // construction when there was none.
    const std::vector<Operation> &operations() const { return operations_; }
    // Only the Line and PSet operations of that list.
    std::vector<Operation> drawing() const;

    int penWidth() const { return penWidth_; }
    float outerWidth() const { return width_; }
    bool autoRedraw() const { return autoRedraw_; }
    void clear() { operations_.clear(); }

private:
    std::vector<Operation> operations_;
    float height_ = Plot::kDesignHeightUnits;
    float width_ = Plot::kDesignWidthUnits;
    int penWidth_ = 1;
    bool autoRedraw_ = false;
};
