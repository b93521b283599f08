#pragma once

#include "core/displaylist.h"
#include "core/plotgeometry.h"

#include <QRect>
#include <QRectF>
#include <QSize>

class QImage;
class QPainter;

// Paints a finished picture with Qt: the display list the Pipeline gives,
// its runs already in paint order and in their look, on white, scaled from
// the designed 693 × 385 pixels to any rectangle. The window, the image and
// SVG files and the printed page all come from here.
class PicturePainter
{
public:
    // Paints the whole picture, white background included, into target: the
    // runs in order (polylines with round caps and joins, dots of their width
    // as diameter, or the one-pixel square at width 1), then the labels, each
    // on a white box.
    static void paint(QPainter &painter, const DisplayList &picture, const QRectF &target);

    // The picture as an image of that size, the plot in plotArea(size).
    static QImage image(const DisplayList &picture,
                        const QSize &size = QSize(Plot::kDesignWidth, Plot::kDesignHeight));

    // The picture filling an image of that many device pixels at that pixel
    // ratio, as a screen shows it: sharp on a high-density screen. A null
    // image where that much memory is not to be had.
    static QImage screenImage(const DisplayList &picture, const QSize &devicePixels, qreal pixelRatio);

    // Where the plot goes in a picture of that size: all of it when the size
    // has the plot's 9:5 shape, else the largest 9:5 rectangle, in whole
    // pixels, centred on the white picture, so that the dots stay round.
    static QRect plotArea(const QSize &size);
};
