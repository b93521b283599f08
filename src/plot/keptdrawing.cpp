#include "plot/keptdrawing.h"

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

// The drawing procedures give colours in blue-green-red order; the kept
// drawing holds them as red-green-blue (0xRRGGBB) like QColor.
std::uint32_t rgbOf(std::uint32_t bgr)
{
    const std::uint32_t red = bgr & 0xFF;
    const std::uint32_t green = (bgr >> 8) & 0xFF;
    const std::uint32_t blue = (bgr >> 16) & 0xFF;
    return (red << 16) | (green << 8) | blue;
}

QColor colourOf(std::uint32_t rgb)
{
    return QColor(int((rgb >> 16) & 0xFF), int((rgb >> 8) & 0xFF), int(rgb & 0xFF));
}

// Liang-Barsky: clips the segment (x1, y1)-(x2, y2) to the rectangle
// [left, right] × [top, bottom] in place. False when nothing of it is inside.
bool clipSegment(double &x1, double &y1, double &x2, double &y2,
                 double left, double top, double right, double bottom)
{
    const double dx = x2 - x1;
    const double dy = y2 - y1;
    double t0 = 0;
    double t1 = 1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x1 - left, right - x1, y1 - top, bottom - y1};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0)
                return false;  // parallel to this edge and outside it
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1)
            return false;
    }
    const double startX = x1;
    const double startY = y1;
    if (t1 < 1) {
        x2 = startX + t1 * dx;
        y2 = startY + t1 * dy;
    }
    if (t0 > 0) {
        x1 = startX + t0 * dx;
        y1 = startY + t0 * dy;
    }
    return true;
}

}  // namespace

KeptDrawing::KeptDrawing()
{
    Scale(Plot::kLeft, Plot::kTop, Plot::kRight, Plot::kBottom);
}

void KeptDrawing::Cls()
{
    // The capacity stays: the next excite draws about as much again.
    runs_.clear();
    points_.clear();
    operationCount_ = 0;
    ++revision_;
}

void KeptDrawing::Scale(float left, float top, float right, float bottom)
{
    const double scaleX = Plot::kDesignWidth / (double(right) - double(left));
    const double scaleY = Plot::kDesignHeight / (double(bottom) - double(top));
    if (!std::isfinite(scaleX) || !std::isfinite(scaleY) || scaleX == 0 || scaleY == 0)
        return;
    scaleX_ = scaleX;
    scaleY_ = scaleY;
    originX_ = -double(left) * scaleX;
    originY_ = -double(top) * scaleY;
}

void KeptDrawing::DrawWidth(int pixels)
{
    penWidth_ = std::clamp(pixels, 1, kMaxPenWidth);
}

KeptDrawing::Run &KeptDrawing::runFor(bool dots, std::uint32_t rgb)
{
    if (runs_.empty() || runs_.back().dots != dots || runs_.back().rgb != rgb
        || runs_.back().width != penWidth_) {
        Run run;
        run.rgb = rgb;
        run.width = std::uint16_t(penWidth_);
        run.dots = dots;
        run.first = std::uint32_t(points_.size());
        runs_.push_back(run);
    }
    return runs_.back();
}

void KeptDrawing::Line(float x1, float y1, float x2, float y2, std::uint32_t colour)
{
    double ax = originX_ + x1 * scaleX_;
    double ay = originY_ + y1 * scaleY_;
    double bx = originX_ + x2 * scaleX_;
    double by = originY_ + y2 * scaleY_;
    if (!std::isfinite(ax) || !std::isfinite(ay) || !std::isfinite(bx) || !std::isfinite(by))
        return;

    // Clip with a margin beyond the pen's half width, so that neither the
    // stroke nor its round cap at a clipped end can reach into the picture:
    // the clipped segment paints exactly the pixels the whole one would.
    const double margin = penWidth_ / 2.0 + 1;
    if (!clipSegment(ax, ay, bx, by, -margin, -margin, Plot::kDesignWidth + margin,
                     Plot::kDesignHeight + margin))
        return;

    const Point a{float(ax), float(ay)};
    const Point b{float(bx), float(by)};
    Run &run = runFor(false, rgbOf(colour));
    if (run.count >= 2) {
        const Point &last = points_.back();
        const Point &beforeLast = points_[points_.size() - 2];
        const auto same = [](const Point &p, const Point &q) { return p.x == q.x && p.y == q.y; };
        // A line stepping to and fro across a point of zero field draws the
        // same segment over and over: it adds nothing to the picture.
        if ((same(a, beforeLast) && same(b, last)) || (same(a, last) && same(b, beforeLast)))
            return;
        if (same(a, last)) {
            points_.push_back(b);
            ++run.count;
            ++operationCount_;
            ++revision_;
            return;
        }
    }
    if (run.count > 0) {
        // Not connected to the run's polyline: start another of the same style.
        Run next = run;
        next.first = std::uint32_t(points_.size());
        next.count = 0;
        runs_.push_back(next);
    }
    points_.push_back(a);
    points_.push_back(b);
    runs_.back().count += 2;
    ++operationCount_;
    ++revision_;
}

void KeptDrawing::PSet(float x, float y, std::uint32_t colour)
{
    const double px = originX_ + x * scaleX_;
    const double py = originY_ + y * scaleY_;
    if (!std::isfinite(px) || !std::isfinite(py))
        return;
    const double reach = penWidth_ / 2.0 + 1;
    if (px < -reach || px > Plot::kDesignWidth + reach || py < -reach || py > Plot::kDesignHeight + reach)
        return;
    Run &run = runFor(true, rgbOf(colour));
    points_.push_back(Point{float(px), float(py)});
    ++run.count;
    ++operationCount_;
    ++revision_;
}

std::size_t KeptDrawing::byteSize() const
{
    return sizeof(*this) + runs_.capacity() * sizeof(Run) + points_.capacity() * sizeof(Point);
}

void KeptDrawing::render(QPainter &painter, const QRectF &target) const
{
    painter.save();
    painter.fillRect(target, Qt::white);
    painter.translate(target.topLeft());
    painter.scale(target.width() / Plot::kDesignWidth, target.height() / Plot::kDesignHeight);
    painter.setClipRect(QRectF(0, 0, Plot::kDesignWidth, Plot::kDesignHeight), Qt::IntersectClip);
    painter.setRenderHint(QPainter::Antialiasing, true);

    std::vector<QPointF> polyline;
    for (const Run &run : runs_) {
        const QColor colour = colourOf(run.rgb);
        const Point *points = points_.data() + run.first;
        if (run.dots) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(colour);
            const double radius = run.width / 2.0;
            for (std::uint32_t i = 0; i < run.count; ++i) {
                const QPointF centre(points[i].x, points[i].y);
                // Width 1 sets the one pixel square round the point; wider
                // pens a round dot of that diameter.
                if (run.width == 1)
                    painter.drawRect(QRectF(centre.x() - 0.5, centre.y() - 0.5, 1, 1));
                else
                    painter.drawEllipse(centre, radius, radius);
            }
        } else {
            painter.setPen(QPen(colour, run.width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            painter.setBrush(Qt::NoBrush);
            polyline.resize(run.count);
            for (std::uint32_t i = 0; i < run.count; ++i)
                polyline[i] = QPointF(points[i].x, points[i].y);
            painter.drawPolyline(polyline.data(), int(polyline.size()));
        }
    }
    painter.restore();
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
