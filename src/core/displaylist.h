#pragma once

#include "core/plotgeometry.h"
#include "core/plotsurface.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// What the drawing procedures drew, as a display list from which any
// renderer paints the same picture at any size: the window and the picture
// files (PicturePainter, with Qt) and the browser edition's canvas and SVG.
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
// Every run and label carries its layer (see Layer). The picture a
// renderer gets (Pipeline) has its runs already in paint order and in its
// look, so that every renderer does the same: paint white, then each run in
// order, a polyline run as one stroke of its width with round caps and
// joins, a dot run as filled round dots of its width as diameter (at width
// 1 the one-pixel square round each point), then the labels, each on a
// white box centred on its point, in its colour and size.
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
        float width = 1;        // designed pixels
        bool dots = false;
        Layer layer = Layer::FieldLines;
        std::uint32_t first = 0;  // index into points()
        std::uint32_t count = 0;
    };

    // A short text centred on its point, such as the value of an
    // equipotential line.
    struct Text
    {
        Point centre;
        std::string text;  // UTF-8
        std::uint32_t rgb = 0;
        float size = 10;  // the font's height in designed pixels
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
    void setLayers(Layer lines, Layer dots) override;

    float outerWidth() const { return width_; }
    bool autoRedraw() const { return autoRedraw_; }
    int penWidth() const { return penWidth_; }

    // Increases whenever the picture changes, so a renderer can keep a
    // rendered image and render again only when this differs.
    std::uint64_t revision() const { return revision_; }

    const std::vector<Run> &runs() const { return runs_; }
    const std::vector<Point> &points() const { return points_; }
    const std::vector<Text> &labels() const { return labels_; }

    // The same picture with its runs in paint order (by layer, in the order
    // drawn within a layer) and every run and label passed through the
    // given styles: a look applied to what was drawn.
    DisplayList painted(const std::function<void(Run &)> &runStyle,
                        const std::function<void(Text &)> &labelStyle) const;

    // Segments and dots kept, and the memory that holds them.
    std::size_t operationCount() const { return operationCount_; }
    std::size_t byteSize() const;

private:
    // The run that the next operation of this kind and colour extends,
    // started anew when the style or the layer changes.
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
    Layer lineLayer_ = Layer::FieldLines;
    Layer dotLayer_ = Layer::Dots;
};
