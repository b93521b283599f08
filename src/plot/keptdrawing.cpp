#include "plot/keptdrawing.h"

#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <vector>

namespace {

QColor colourOf(std::uint32_t rgb)
{
    return QColor(int((rgb >> 16) & 0xFF), int((rgb >> 8) & 0xFF), int(rgb & 0xFF));
}

}  // namespace

void KeptDrawing::render(QPainter &painter, const QRectF &target) const
{
    painter.save();
    painter.fillRect(target, Qt::white);
    painter.translate(target.topLeft());
    painter.scale(target.width() / Plot::kDesignWidth, target.height() / Plot::kDesignHeight);
    painter.setClipRect(QRectF(0, 0, Plot::kDesignWidth, Plot::kDesignHeight), Qt::IntersectClip);
    painter.setRenderHint(QPainter::Antialiasing, true);

    std::vector<QPointF> polyline;
    for (const Run &run : runs()) {
        if (run.underlay())
            renderRun(painter, run, polyline);
    }
    renderLabels(painter);
    for (const Run &run : runs()) {
        if (!run.underlay())
            renderRun(painter, run, polyline);
    }
    painter.restore();
}

void KeptDrawing::renderRun(QPainter &painter, const Run &run, std::vector<QPointF> &polyline) const
{
    std::uint32_t rgb = run.rgb;
    if (style_.colourBlindSafe && run.dots) {
        if (rgb == 0x00C000)
            rgb = kBlueGreen;
        else if (rgb == 0xFF0000)
            rgb = kOrange;
    }
    const QColor colour = colourOf(rgb);
    const Point *at = points().data() + run.first;
    if (run.dots) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(colour);
        const double radius = run.width / 2.0 * (style_.projector && run.width > 1 ? 1.5 : 1);
        for (std::uint32_t i = 0; i < run.count; ++i) {
            const QPointF centre(at[i].x, at[i].y);
            // Width 1 sets the one pixel square round the point; wider pens
            // a round dot of that diameter.
            if (run.width == 1)
                painter.drawRect(QRectF(centre.x() - 0.5, centre.y() - 0.5, 1, 1));
            else
                painter.drawEllipse(centre, radius, radius);
        }
    } else {
        painter.setPen(QPen(colour, run.width * (style_.projector ? 2 : 1), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(Qt::NoBrush);
        polyline.resize(run.count);
        for (std::uint32_t i = 0; i < run.count; ++i)
            polyline[i] = QPointF(at[i].x, at[i].y);
        painter.drawPolyline(polyline.data(), int(polyline.size()));
    }
}

// Labels sit on their lines: a white box behind the text leaves a gap in the
// line, so the value reads cleanly. 10 pixels high at the designed size.
void KeptDrawing::renderLabels(QPainter &painter) const
{
    if (labels().empty())
        return;
    QFont font;
    font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans"), QStringLiteral("sans-serif")});
    font.setPixelSize(style_.projector ? 15 : 10);
    painter.setFont(font);
    const QFontMetricsF metrics(font);
    for (const Text &label : labels()) {
        const QString text = QString::fromStdString(label.text);
        const double width = metrics.horizontalAdvance(text) + 2;
        const QRectF box(label.centre.x - width / 2, label.centre.y - metrics.height() / 2, width, metrics.height());
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::white);
        painter.drawRect(box);
        painter.setPen(colourOf(label.rgb).darker(130));
        painter.drawText(box, Qt::AlignCenter, text);
    }
}

QRect KeptDrawing::plotArea(const QSize &size)
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

QImage KeptDrawing::toImage(const QSize &size) const
{
    QImage image(size, QImage::Format_RGB32);
    if (image.isNull())
        return image;
    const QRect area = plotArea(size);
    if (area.size() != size)
        image.fill(Qt::white);
    QPainter painter(&image);
    render(painter, area);
    painter.end();
    return image;
}
