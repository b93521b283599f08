#include "app/picturebox.h"

#include "core/plotgeometry.h"
#include "plot/keptdrawing.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

PictureBox::PictureBox(const KeptDrawing &drawing, QWidget *parent)
    : QWidget(parent)
    , drawing_(drawing)
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

void PictureBox::setReadout(const QStringList &lines, const PlotPoint &avoid)
{
    const bool onRight = avoid.x < (Plot::kLeft + Plot::kRight) / 2 && avoid.y > (Plot::kBottom + Plot::kTop) / 2;
    if (lines == readout_ && onRight == readoutOnRight_)
        return;
    readout_ = lines;
    readoutOnRight_ = onRight;
    update();
}

void PictureBox::refresh()
{
    if (cacheIsCurrent())
        return;
    renderCache();
    update();
}

bool PictureBox::cacheIsCurrent() const
{
    const qreal ratio = devicePixelRatioF();
    return !cache_.isNull() && cachedRevision_ == drawing_.revision() && cachedStyle_ == drawing_.style()
           && cache_.devicePixelRatio() == ratio
           && cache_.size() == (QSizeF(plotRect().size()) * ratio).toSize();
}

void PictureBox::renderCache()
{
    // Rendered at the device's resolution, so lines stay sharp on a
    // high-density screen.
    const qreal ratio = devicePixelRatioF();
    const QSize logical = plotRect().size();
    cache_ = QImage((QSizeF(logical) * ratio).toSize(), QImage::Format_RGB32);
    cache_.setDevicePixelRatio(ratio);
    QPainter painter(&cache_);
    drawing_.render(painter, QRectF(QPointF(0, 0), QSizeF(logical)));
    cachedRevision_ = drawing_.revision();
    cachedStyle_ = drawing_.style();
}

void PictureBox::paintEvent(QPaintEvent *)
{
    // Normally refresh() has rendered already; a change of screen (another
    // pixel ratio) or a first paint renders the kept list here. Nothing is
    // ever traced while painting.
    if (!cacheIsCurrent())
        renderCache();

    QPainter painter(this);
    painter.drawImage(plotRect().topLeft(), cache_);
    const QColor line = hasFocus() ? palette().color(QPalette::Highlight) : palette().color(QPalette::Dark);
    painter.setPen(QPen(line, kBorder));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
    paintReadout(painter);
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
    int width = 0;
    for (const QString &line : readout_)
        width = std::max(width, metrics.horizontalAdvance(line));
    const int padding = 4;
    const QSize size(width + 2 * padding, int(readout_.size()) * metrics.height() + 2 * padding);
    const QRect plot = plotRect();
    const QPoint corner = readoutOnRight_ ? QPoint(plot.right() - 4 - size.width(), plot.top() + 4)
                                          : QPoint(plot.left() + 4, plot.top() + 4);
    const QRect box(corner, size);
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
        emit released();
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
