#pragma once

#include "core/plotpoint.h"
#include "plot/keptdrawing.h"

#include <QImage>
#include <QStringList>
#include <QWidget>

#include <cstdint>

class KeptDrawing;
class QMenu;

// The plot surface Picture1 on the screen: a thin border around the kept
// drawing. The drawing is rendered into an image only when it has changed
// (refresh); painting just copies that image, so a repaint never waits for
// the drawing, however many lines it holds.
//
// It reports what the mouse and the arrow keys do in the plot's user
// coordinates; what that means (dragging a charge, the field probe) is the
// window's business. It shows a readout of a few lines in a corner, which
// is never part of the drawing or of a saved picture.
class PictureBox : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kBorder = 1;  // pixels of the frame line

    PictureBox(const KeptDrawing &drawing, QWidget *parent = nullptr);

    // Renders the drawing again if it changed since the last rendering and
    // schedules a repaint.
    void refresh();

    // The part of the widget the drawing fills, inside the border.
    QRect plotRect() const;

    // The plot's user coordinates of a point of the widget, and how many of
    // the widget's pixels one unit of them spans.
    PlotPoint userPoint(const QPointF &position) const;
    double pixelsPerUnit() const;

    // Lines shown in the top-left corner of the plot, or in the top-right
    // one when avoid (user coordinates) lies in the top-left quarter; an
    // empty list hides the readout.
    void setReadout(const QStringList &lines, const PlotPoint &avoid = {});
    const QStringList &readout() const { return readout_; }

    // The menu the right mouse button opens (not owned).
    void setContextMenu(QMenu *menu) { menu_ = menu; }

signals:
    void pressed(const PlotPoint &point);
    // The mouse moved over the plot, with the left button held or not.
    void moved(const PlotPoint &point, bool dragging);
    void released();
    // The mouse left the plot.
    void left();
    // An arrow key: one step of dx, dy in {-1, 0, 1}; large with Shift.
    void arrowed(int dx, int dy, bool large);

protected:
    void paintEvent(QPaintEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    // The border shows the keyboard focus.
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    bool cacheIsCurrent() const;
    void renderCache();
    void paintReadout(QPainter &painter) const;

    const KeptDrawing &drawing_;
    QImage cache_;
    std::uint64_t cachedRevision_ = 0;
    PictureStyle cachedStyle_;
    QStringList readout_;
    bool readoutOnRight_ = false;
    QMenu *menu_ = nullptr;
};
