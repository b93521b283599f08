#pragma once

#include "core/plotgeometry.h"
#include "core/plotsurface.h"

#include <QRect>
#include <QRectF>
#include <QSize>

#include <cstddef>
#include <cstdint>
#include <vector>

class QImage;
class QPainter;

// The kept drawing of the picture box: a display list of what the drawing
// procedures drew, from which the window repaints and which renders the same
// picture to an image or an SVG file of any size.
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
class KeptDrawing : public PlotSurface
{
public:
    static constexpr int kMaxPenWidth = 32767;

    KeptDrawing();

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

    float width() const { return width_; }
    bool autoRedraw() const { return autoRedraw_; }
    int penWidth() const { return penWidth_; }

    // Increases whenever the picture changes, so a widget can keep a
    // rendered image and render again only when this differs.
    std::uint64_t revision() const { return revision_; }

    // Paints the whole picture, white background included, into target,
    // scaling the designed surface to it.
    void render(QPainter &painter, const QRectF &target) const;
    // The picture as an image of that size, the plot in plotArea(size).
    QImage toImage(const QSize &size = QSize(Plot::kDesignWidth, Plot::kDesignHeight)) const;

    // Where the plot goes in a picture of that size: all of it when the size
    // has the plot's 9:5 shape, else the largest 9:5 rectangle, in whole
    // pixels, centred on the white picture, so that the dots stay round.
    static QRect plotArea(const QSize &size);

    // Segments and dots kept, and the memory that holds them.
    std::size_t operationCount() const { return operationCount_; }
    std::size_t byteSize() const;

private:
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
        std::uint32_t rgb = 0;
        std::uint16_t width = 1;
        bool dots = false;
        std::uint32_t first = 0;  // index into points_
        std::uint32_t count = 0;
    };

    // The run that the next operation of this kind and colour extends,
    // started anew when the style changes.
    Run &runFor(bool dots, std::uint32_t rgb);

    std::vector<Run> runs_;
    std::vector<Point> points_;
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
