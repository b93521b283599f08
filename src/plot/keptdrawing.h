#pragma once

#include "core/displaylist.h"

#include <QPointF>
#include <QRect>
#include <QRectF>
#include <QSize>

#include <vector>

class QImage;
class QPainter;

// How the kept drawing is painted. The picture as drawn, or for a projector
// (lines twice as wide, dots and labels half as large again, so the back
// row sees them), and with dots that colour-blind pupils tell apart (charge
// 1 blue-green, charge 2 orange; the lines stay blue).
struct PictureStyle
{
    bool projector = false;
    bool colourBlindSafe = false;

    bool operator==(const PictureStyle &other) const
    {
        return projector == other.projector && colourBlindSafe == other.colourBlindSafe;
    }
    bool operator!=(const PictureStyle &other) const { return !(*this == other); }
};

// The kept drawing of the picture box: the display list of what the drawing
// procedures drew (see DisplayList), from which the window repaints and
// which renders the same picture to an image or an SVG file of any size, in
// its style.
class KeptDrawing : public DisplayList
{
public:
    // The dots of the two charges in the colour-blind-safe style.
    static constexpr std::uint32_t kBlueGreen = 0x009E73;  // charge 1, 0xRRGGBB
    static constexpr std::uint32_t kOrange = 0xE69F00;     // charge 2

    const PictureStyle &style() const { return style_; }
    void setStyle(const PictureStyle &style) { style_ = style; }

    // Paints the whole picture, white background included, into target,
    // scaling the designed surface to it: what lies under the field lines
    // first (the grey equipotentials, then their labels), the rest in the
    // order drawn.
    void render(QPainter &painter, const QRectF &target) const;
    // The picture as an image of that size, the plot in plotArea(size).
    QImage toImage(const QSize &size = QSize(Plot::kDesignWidth, Plot::kDesignHeight)) const;

    // Where the plot goes in a picture of that size: all of it when the size
    // has the plot's 9:5 shape, else the largest 9:5 rectangle, in whole
    // pixels, centred on the white picture, so that the dots stay round.
    static QRect plotArea(const QSize &size);

private:
    void renderRun(QPainter &painter, const Run &run, std::vector<QPointF> &polyline) const;
    void renderLabels(QPainter &painter) const;

    PictureStyle style_;
};
