#include "app/picturebox.h"

#include "core/look.h"
#include "core/plotgeometry.h"
#include "core/probereadout.h"
#include "plot/picturepainter.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QLineF>
#include <QPainter>

#include <algorithm>

namespace {

// Between the readout's box and its text, in pixels.
constexpr int kReadoutPadding = 4;

}  // namespace

PictureBox::PictureBox(QWidget *parent)
    : QWidget(parent)
{
    // Opaque: the cached image and the border cover every pixel.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(tr("电场线图"));
    // The probe follows the mouse without a button held.
    setMouseTracking(true);
}

QRect PictureBox::plotRect() const
{
    return rect().adjusted(kBorder, kBorder, -kBorder, -kBorder);
}

QSize PictureBox::screenSize() const
{
    return (QSizeF(plotRect().size()) * devicePixelRatioF()).toSize();
}

PlotPoint PictureBox::userPoint(const QPointF &position) const
{
    const QRectF plot(plotRect());
    return {Plot::kLeft + (position.x() - plot.left()) / plot.width() * (Plot::kRight - Plot::kLeft),
            Plot::kTop - (position.y() - plot.top()) / plot.height() * (Plot::kTop - Plot::kBottom)};
}

QPointF PictureBox::widgetPoint(const PlotPoint &point) const
{
    const QRectF plot(plotRect());
    return {plot.left() + (point.x - Plot::kLeft) / (Plot::kRight - Plot::kLeft) * plot.width(),
            plot.top() + (Plot::kTop - point.y) / (Plot::kTop - Plot::kBottom) * plot.height()};
}

double PictureBox::pixelsPerUnit() const
{
    return plotRect().width() / double(Plot::kRight - Plot::kLeft);
}

void PictureBox::show(std::shared_ptr<const Picture> picture, const QImage &image)
{
    picture_ = std::move(picture);
    cache_ = image;
    if (!cacheIsCurrent())
        renderCache();
    update();
}

void PictureBox::setReadout(const QStringList &lines, const PlotPoint &avoid)
{
    QRect box;
    if (!lines.isEmpty()) {
        // The box keeps clear of every dot and of the pointer.
        const QSize size = readoutSize(lines);
        const double unit = pixelsPerUnit();
        const double margin = 4 / unit;
        const double dotPx = dotRadius(picture_ ? picture_->configuration.look : Look{});
        const double clearance = (dotPx + 2) * plotRect().width() / Plot::kDesignWidth / unit;
        static const Charges none;
        const ProbeCorner where = probeCorner(picture_ ? picture_->charges : none, avoid, size.width() / unit,
                                              size.height() / unit, margin, clearance);
        const QRect plot = plotRect();
        const bool right = where == ProbeCorner::TopRight || where == ProbeCorner::BottomRight;
        const bool bottom = where == ProbeCorner::BottomLeft || where == ProbeCorner::BottomRight;
        box = QRect(QPoint(right ? plot.right() - 4 - size.width() : plot.left() + 4,
                           bottom ? plot.bottom() - 4 - size.height() : plot.top() + 4),
                    size);
    }
    if (lines == readout_ && box == readoutBox_)
        return;
    readout_ = lines;
    readoutBox_ = box;
    update();
}

QRect PictureBox::readoutRect() const
{
    return readoutBox_;
}

bool PictureBox::cacheIsCurrent() const
{
    return !cache_.isNull() && cache_.devicePixelRatio() == devicePixelRatioF() && cache_.size() == screenSize();
}

void PictureBox::renderCache()
{
    // Rendered at the device's resolution, so lines stay sharp on a
    // high-density screen: for a change of screen, or before the first
    // picture.
    static const DisplayList empty;
    cache_ = PicturePainter::screenImage(picture_ ? picture_->drawing : empty, screenSize(), devicePixelRatioF());
}

void PictureBox::paintEvent(QPaintEvent *)
{
    // Nothing is ever traced or rendered while painting, but for a change
    // of screen (another pixel ratio).
    if (!cacheIsCurrent())
        renderCache();

    QPainter painter(this);
    painter.drawImage(plotRect().topLeft(), cache_);
    const QColor line = hasFocus() ? palette().color(QPalette::Highlight) : palette().color(QPalette::Dark);
    painter.setPen(QPen(line, kBorder));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
    paintArrow(painter);
    paintReadout(painter);
}

void PictureBox::setArrow(const PlotPoint &from, const PlotPoint &to)
{
    arrowFrom_ = from;
    arrowTo_ = to;
    update();
}

// The velocity being dragged out: a purple arrow, as long as the drag.
void PictureBox::paintArrow(QPainter &painter) const
{
    if (arrowFrom_.x == arrowTo_.x && arrowFrom_.y == arrowTo_.y)
        return;
    const QLineF shaft(widgetPoint(arrowFrom_), widgetPoint(arrowTo_));
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(QColor(0x80, 0x00, 0xC0), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawLine(shaft);
    if (shaft.length() > 1) {
        QLineF wing(shaft.p2(), shaft.p1());
        wing.setLength(std::min(12.0, shaft.length()));
        for (const double turn : {22.5, -22.5}) {
            QLineF side = wing;
            side.setAngle(wing.angle() + turn);
            painter.drawLine(side);
        }
    }
    painter.restore();
}

QFont PictureBox::readoutFont() const
{
    QFont small = font();
    small.setPointSizeF(9);
    return small;
}

QSize PictureBox::readoutSize(const QStringList &lines) const
{
    const QFontMetrics metrics(readoutFont());
    int width = 0;
    for (const QString &line : lines)
        width = std::max(width, metrics.horizontalAdvance(line));
    return QSize(width + 2 * kReadoutPadding, int(lines.size()) * metrics.height() + 2 * kReadoutPadding);
}

// A small box of text on a light, slightly see-through background, so the
// lines under it stay visible.
void PictureBox::paintReadout(QPainter &painter) const
{
    if (readout_.isEmpty())
        return;
    const QFont small = readoutFont();
    painter.setFont(small);
    const QFontMetrics metrics(small);
    const QRect &box = readoutBox_;
    painter.setPen(QColor(0x90, 0x90, 0x90));
    painter.setBrush(QColor(255, 255, 255, 225));
    painter.drawRect(box.adjusted(0, 0, -1, -1));
    painter.setPen(Qt::black);
    for (int i = 0; i < readout_.size(); ++i)
        painter.drawText(box.left() + kReadoutPadding,
                         box.top() + kReadoutPadding + i * metrics.height() + metrics.ascent(), readout_[i]);
}

void PictureBox::contextMenuEvent(QContextMenuEvent *event)
{
    // The pointer belongs to the menu now: the readout goes until the mouse
    // comes back over the picture.
    emit left();
    emit menuAbout(userPoint(event->pos()));
    if (menu_)
        menu_->exec(event->globalPos());
}

void PictureBox::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        emit pressed(userPoint(event->position()));
    QWidget::mousePressEvent(event);
}

void PictureBox::mouseMoveEvent(QMouseEvent *event)
{
    emit moved(userPoint(event->position()), event->buttons() & Qt::LeftButton);
}

void PictureBox::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        emit released(userPoint(event->position()));
}

void PictureBox::leaveEvent(QEvent *event)
{
    emit left();
    QWidget::leaveEvent(event);
}

void PictureBox::keyPressEvent(QKeyEvent *event)
{
    const bool large = event->modifiers() & Qt::ShiftModifier;
    switch (event->key()) {
    case Qt::Key_Left:
        emit arrowed(-1, 0, large);
        break;
    case Qt::Key_Right:
        emit arrowed(1, 0, large);
        break;
    case Qt::Key_Up:
        emit arrowed(0, 1, large);
        break;
    case Qt::Key_Down:
        emit arrowed(0, -1, large);
        break;
    case Qt::Key_Escape:
        emit escaped();
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

void PictureBox::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    update();
}

void PictureBox::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    update();
}
