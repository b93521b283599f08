#pragma once

#include "core/displaylist.h"

#include <QPointF>
#include <QRect>
#include <QRectF>
#include <QSize>

#include <vector>

class QImage;
class QPainter;

// The kept drawing of the picture box: the display list of what the drawing
// procedures drew (see DisplayList), from which the window repaints and
// which renders the same picture to an image or an SVG file of any size.
class KeptDrawing : public DisplayList
{
public:
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
};
