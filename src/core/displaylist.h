#pragma once

#include "core/plotgeometry.h"
#include "core/plotsurface.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// What the drawing procedures drew, as a display list from which any
// renderer paints the same picture at any size: the window and the picture
// files (KeptDrawing, with Qt) and the browser edition's canvas and SVG.
//
// Operations are kept in the pixel coordinates of the designed picture box,
// Plot::kDesignWidth × Plot::kDesignHeight; pen widths and dot diameters are in
// its pixels too, so a rendering twice as wide draws everything twice as
// thick. Only what can be seen is kept: segments are clipped to the surface
// (with a margin for the pen) before they are stored, dots wholly outside it
// are dropped, and an operation with a coordinate that is not a finite number
// is ignored. A line traced far outside the plot therefore costs nothing, and
// a segment that merely repeats the one before it (a line stepping to and fro
// across a point of zero field) is kept once.
//
// A renderer paints on white, first what lies under the field lines (the
// grey runs of the equipotentials, see underlay(), and then the labels, each
// on a white box centred on its point), then the other runs in order: a
// polyline run as one stroke of its width with round caps and joins; a dot
// run as filled round dots of its width as diameter, or, at width 1, the
// one-pixel square round each point.
class DisplayList : public PlotSurface
{
public:
    static constexpr int kMaxPenWidth = 32767;

    struct Point
    {
        float x = 0;
        float y = 0;
    };

    // A run of operations of one style: the points of a connected polyline
    // (a segment ending where the next begins is stored as one more point),
    // or the centres of dots.
    struct Run
    {
        std::uint32_t rgb = 0;  // 0xRRGGBB
        std::uint16_t width = 1;
        bool dots = false;
        std::uint32_t first = 0;  // index into points()
        std::uint32_t count = 0;

        // Painted under the field lines: the grey of the equipotentials.
        bool underlay() const { return !dots && rgb == 0x808080; }
    };

    // A short text centred on its point, such as the value of an
    // equipotential line.
    struct Text
    {
        Point centre;
        std::string text;  // UTF-8
        std::uint32_t rgb = 0;
    };

    DisplayList();

    void Cls() override;
    float Height() const override { return height_; }
    void Width(float width) override { width_ = width; }
    // The program only ever sets (-45, 25) to (45, -25), which is also the
    // coordinate system at construction. A degenerate or non-finite system
    // is ignored and the previous one stays.
    void Scale(float left, float top, float right, float bottom) override;
    void AutoRedraw(bool on) override { autoRedraw_ = on; }
    // Widths below 1 draw as 1; widths above kMaxPenWidth as kMaxPenWidth.
    void DrawWidth(int pixels) override;
    void Line(float x1, float y1, float x2, float y2, std::uint32_t colour) override;
    void PSet(float x, float y, std::uint32_t colour) override;
    void Label(float x, float y, const std::string &text, std::uint32_t colour) override;

    float width() const { return width_; }
    bool autoRedraw() const { return autoRedraw_; }
    int penWidth() const { return penWidth_; }

    // Increases whenever the picture changes, so a renderer can keep a
    // rendered image and render again only when this differs.
    std::uint64_t revision() const { return revision_; }

    // A point in the list to come back to: what was drawn up to then.
    struct Mark
    {
        std::size_t runs = 0;
        std::size_t points = 0;
        std::size_t labels = 0;
        std::uint32_t lastRunCount = 0;
        std::size_t operations = 0;
    };
    Mark mark() const;
    // Leaves out everything drawn after the mark (the overlays drawn over a
    // finished picture, to draw others in their place); the pen width stays.
    void rollBack(const Mark &mark);

    const std::vector<Run> &runs() const { return runs_; }
    const std::vector<Point> &points() const { return points_; }
    const std::vector<Text> &labels() const { return labels_; }

    // Segments and dots kept, and the memory that holds them.
    std::size_t operationCount() const { return operationCount_; }
    std::size_t byteSize() const;

private:
    // The run that the next operation of this kind and colour extends,
    // started anew when the style changes.
    Run &runFor(bool dots, std::uint32_t rgb);

    std::vector<Run> runs_;
    std::vector<Point> points_;
    std::vector<Text> labels_;
    std::size_t operationCount_ = 0;
    std::uint64_t revision_ = 0;

    // User coordinates to designed pixels: px = originX_ + x * scaleX_.
    double originX_ = 0;
    double originY_ = 0;
    double scaleX_ = 0;
    double scaleY_ = 0;

    float height_ = Plot::kDesignHeightUnits;
    float width_ = Plot::kDesignWidthUnits;
    int penWidth_ = 1;
    bool autoRedraw_ = false;
};
