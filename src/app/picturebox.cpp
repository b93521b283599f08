#include "app/picturebox.h"

#include "plot/keptdrawing.h"

#include <QContextMenuEvent>
#include <QKeySequence>
#include <QMenu>
#include <QPainter>

PictureBox::PictureBox(const KeptDrawing &drawing, QWidget *parent)
    : QWidget(parent)
    , drawing_(drawing)
{
    // Opaque: the cached image and the border cover every pixel.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(QStringLiteral("电场线图"));
}

QRect PictureBox::plotRect() const
{
    return rect().adjusted(kBorder, kBorder, -kBorder, -kBorder);
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
    return !cache_.isNull() && cachedRevision_ == drawing_.revision() && cache_.devicePixelRatio() == ratio
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
}

void PictureBox::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu menu(this);
    QAction *save = menu.addAction(QStringLiteral("保存图片…"));
    save->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    connect(save, &QAction::triggered, this, &PictureBox::saveRequested);
    menu.exec(event->globalPos());
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
