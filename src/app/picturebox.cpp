#include "app/picturebox.h"

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
    QPoint corner;
    if (!lines.isEmpty()) {
        // The box keeps clear of every dot and of the pointer.
        const QSize size = readoutSize(lines);
        const double unit = pixelsPerUnit();
        const double margin = 4 / unit;
        const double dotPx = picture_ && picture_->configuration.look.projector ? 15 : 10;
        const double dotRadius = (dotPx + 2) * plotRect().width() / Plot::kDesignWidth / unit;
        static const Charges none;
        const ProbeCorner where = probeCorner(picture_ ? picture_->charges : none, avoid, size.width() / unit,
                                              size.height() / unit, margin, dotRadius);
        const QRect plot = plotRect();
        const bool right = where == ProbeCorner::TopRight || where == ProbeCorner::BottomRight;
        const bool bottom = where == ProbeCorner::BottomLeft || where == ProbeCorner::BottomRight;
        corner = QPoint(right ? plot.right() - 4 - size.width() : plot.left() + 4,
                        bottom ? plot.bottom() - 4 - size.height() : plot.top() + 4);
    }
    if (lines == readout_ && corner == readoutCorner_)
        return;
    readout_ = lines;
    readoutCorner_ = corner;
    update();
}

QRect PictureBox::readoutRect() const
{
    return readout_.isEmpty() ? QRect() : QRect(readoutCorner_, readoutSize(readout_));
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
    const qreal ratio = devicePixelRatioF();
    cache_ = QImage(screenSize(), QImage::Format_RGB32);
    cache_.setDevicePixelRatio(ratio);
    QPainter painter(&cache_);
    static const DisplayList empty;
    PicturePainter::paint(painter, picture_ ? picture_->drawing : empty, QRectF(QPointF(0, 0), QSizeF(plotRect().size())));
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
    const QRectF plot(plotRect());
    const auto widget = [&plot](const PlotPoint &p) {
        return QPointF(plot.left() + (p.x - Plot::kLeft) / (Plot::kRight - Plot::kLeft) * plot.width(),
                       plot.top() + (Plot::kTop - p.y) / (Plot::kTop - Plot::kBottom) * plot.height());
    };
    const QPointF from = widget(arrowFrom_);
    const QPointF to = widget(arrowTo_);
    const QLineF shaft(from, to);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(QColor(0x80, 0x00, 0xC0), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawLine(shaft);
    if (shaft.length() > 1) {
        QLineF wing(to, from);
        wing.setLength(std::min(12.0, shaft.length()));
        for (const double turn : {22.5, -22.5}) {
            QLineF side = wing;
            side.setAngle(wing.angle() + turn);
            painter.drawLine(side);
        }
    }
    painter.restore();
}

QSize PictureBox::readoutSize(const QStringList &lines) const
{
    QFont small = font();
    small.setPointSizeF(9);
    const QFontMetrics metrics(small);
    int width = 0;
    for (const QString &line : lines)
        width = std::max(width, metrics.horizontalAdvance(line));
    const int padding = 4;
    return QSize(width + 2 * padding, int(lines.size()) * metrics.height() + 2 * padding);
}

// A small box of text on a light, slightly see-through background, so the
// lines under it stay visible.
void PictureBox::paintReadout(QPainter &painter) const
{
    if (readout_.isEmpty())
        return;
    QFont small = font();
    small.setPointSizeF(9);
    painter.setFont(small);
    const QFontMetrics metrics(small);
    const int padding = 4;
    const QRect box = readoutRect();
    painter.setPen(QColor(0x90, 0x90, 0x90));
    painter.setBrush(QColor(255, 255, 255, 225));
    painter.drawRect(box.adjusted(0, 0, -1, -1));
    painter.setPen(Qt::black);
    for (int i = 0; i < readout_.size(); ++i)
        painter.drawText(box.left() + padding, box.top() + padding + i * metrics.height() + metrics.ascent(),
                         readout_[i]);
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
