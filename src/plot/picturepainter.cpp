#include "plot/picturepainter.h"

#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <vector>

namespace {

// Thin lines up to this width in device pixels go to the cosmetic stroker.
constexpr double kCosmeticWidth = 1;

QColor colourOf(std::uint32_t rgb)
{
    return QColor(int((rgb >> 16) & 0xFF), int((rgb >> 8) & 0xFF), int(rgb & 0xFF));
}

void paintRun(QPainter &painter, const DisplayList &picture, const DisplayList::Run &run,
              std::vector<QPointF> &polyline, bool raster)
{
    const QColor colour = colourOf(run.rgb);
    const DisplayList::Point *at = picture.points().data() + run.first;
    if (run.dots) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(colour);
        const double radius = run.width / 2.0;
        for (std::uint32_t i = 0; i < run.count; ++i) {
            const QPointF centre(at[i].x, at[i].y);
            if (run.width == 1)
                painter.drawRect(QRectF(centre.x() - 0.5, centre.y() - 0.5, 1, 1));
            else
                painter.drawEllipse(centre, radius, radius);
        }
    } else {
        QPen pen(colour, run.width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
        // On an image a thin line is drawn as the same width in device
        // pixels by Qt's cosmetic stroker, which is many times faster than
        // the outline of a thin stroke and looks alike; vectors keep their
        // widths in the picture's units.
        const double devicePixels = run.width * painter.deviceTransform().m11();
        if (raster && devicePixels <= kCosmeticWidth) {
            pen.setCosmetic(true);
            pen.setWidthF(devicePixels);
        }
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        polyline.resize(run.count);
        for (std::uint32_t i = 0; i < run.count; ++i)
            polyline[i] = QPointF(at[i].x, at[i].y);
        painter.drawPolyline(polyline.data(), int(polyline.size()));
    }
}

// A label sits on its line on a white box, which leaves a gap in every line
// under it, so the value reads cleanly.
void paintLabels(QPainter &painter, const DisplayList &picture)
{
    QFont font;
    font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans"), QStringLiteral("sans-serif")});
    for (const DisplayList::Text &label : picture.labels()) {
        font.setPixelSize(std::max(1, int(label.size + 0.5f)));
        painter.setFont(font);
        const QFontMetricsF metrics(font);
        const QString text = QString::fromStdString(label.text);
        const double width = metrics.horizontalAdvance(text) + 2;
        const QRectF box(label.centre.x - width / 2, label.centre.y - metrics.height() / 2, width, metrics.height());
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::white);
        painter.drawRect(box);
        painter.setPen(colourOf(label.rgb));
        painter.drawText(box, Qt::AlignCenter, text);
    }
}

}  // namespace

void PicturePainter::paint(QPainter &painter, const DisplayList &picture, const QRectF &target)
{
    painter.save();
    painter.fillRect(target, Qt::white);
    painter.translate(target.topLeft());
    painter.scale(target.width() / Plot::kDesignWidth, target.height() / Plot::kDesignHeight);
    painter.setClipRect(QRectF(0, 0, Plot::kDesignWidth, Plot::kDesignHeight), Qt::IntersectClip);
    painter.setRenderHint(QPainter::Antialiasing, true);
    std::vector<QPointF> polyline;
    const bool raster = painter.device() && painter.device()->devType() == QInternal::Image;
    for (const DisplayList::Run &run : picture.runs())
        paintRun(painter, picture, run, polyline, raster);
    paintLabels(painter, picture);
    painter.restore();
}

QRect PicturePainter::plotArea(const QSize &size)
{
    // Compares width : height with 693 : 385, which is 9 : 5, in integers.
    const qint64 wide = qint64(size.width()) * Plot::kDesignHeight;
    const qint64 tall = qint64(size.height()) * Plot::kDesignWidth;
    if (wide == tall)
        return QRect(QPoint(0, 0), size);
    if (wide > tall) {
        const int width = std::max(1, qRound(size.height() * double(Plot::kDesignWidth) / Plot::kDesignHeight));
        return QRect((size.width() - width) / 2, 0, width, size.height());
    }
    const int height = std::max(1, qRound(size.width() * double(Plot::kDesignHeight) / Plot::kDesignWidth));
    return QRect(0, (size.height() - height) / 2, size.width(), height);
}

QImage PicturePainter::screenImage(const DisplayList &picture, const QSize &devicePixels, qreal pixelRatio)
{
    QImage image(devicePixels, QImage::Format_RGB32);
    if (image.isNull())
        return image;
    image.setDevicePixelRatio(pixelRatio);
    QPainter painter(&image);
    paint(painter, picture, QRectF(QPointF(0, 0), QSizeF(devicePixels) / pixelRatio));
    painter.end();
    return image;
}

QImage PicturePainter::image(const DisplayList &picture, const QSize &size)
{
    QImage image(size, QImage::Format_RGB32);
    if (image.isNull())
        return image;
    const QRect area = plotArea(size);
    if (area.size() != size)
        image.fill(Qt::white);
    QPainter painter(&image);
    paint(painter, picture, area);
    painter.end();
    return image;
}
