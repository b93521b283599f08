#pragma once

#include "core/displaylist.h"

#include <QPointF>
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
    QImage toImage(const QSize &size = QSize(Plot::kDesignWidth, Plot::kDesignHeight)) const;

private:
    void renderRun(QPainter &painter, const Run &run, std::vector<QPointF> &polyline) const;
    void renderLabels(QPainter &painter) const;
};
