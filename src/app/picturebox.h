#pragma once

#include "core/pipeline.h"
#include "core/plotpoint.h"

#include <QImage>
#include <QStringList>
#include <QWidget>

#include <memory>

class QMenu;

// The plot surface Picture1 on the screen: a thin border around the picture
// on show. The picture comes finished, with the image of it the drawing
// thread rendered at the widget's size; painting just copies that image, so
// a repaint never waits for a drawing, however many lines it holds.
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

    explicit PictureBox(QWidget *parent = nullptr);

    // Shows a finished picture with its image (rendered for screenSize());
    // an image of another size is rendered again here.
    void show(std::shared_ptr<const Picture> picture, const QImage &image);
    const std::shared_ptr<const Picture> &picture() const { return picture_; }

    // The size in device pixels, and the pixel ratio, of the image that
    // fills the plot.
    QSize screenSize() const;

    // The part of the widget the drawing fills, inside the border.
    QRect plotRect() const;

    // The plot's user coordinates of a point of the widget, and how many of
    // the widget's pixels one unit of them spans.
    PlotPoint userPoint(const QPointF &position) const;
    QPointF widgetPoint(const PlotPoint &point) const;
    double pixelsPerUnit() const;

    // Lines shown in a corner of the plot, chosen so that the box covers no
    // dot of the picture and not the pointer at avoid (user coordinates);
    // an empty list hides the readout.
    void setReadout(const QStringList &lines, const PlotPoint &avoid = {});
    const QStringList &readout() const { return readout_; }
    // The box the readout takes, in the widget's pixels (empty when hidden).
    QRect readoutRect() const;

    // An arrow from one point of the plot to another (user coordinates),
    // shown over the picture while a test charge's velocity is dragged out;
    // from == to hides it.
    void setArrow(const PlotPoint &from, const PlotPoint &to);

    // The menu the right mouse button opens (not owned).
    void setContextMenu(QMenu *menu) { menu_ = menu; }

signals:
    void pressed(const PlotPoint &point);
    // The mouse moved over the plot, with the left button held or not.
    void moved(const PlotPoint &point, bool dragging);
    void released(const PlotPoint &point);
    // The mouse left the plot.
    void left();
    // An arrow key: one step of dx, dy in {-1, 0, 1}; large with Shift.
    void arrowed(int dx, int dy, bool large);
    // The menu is about to open at this point of the plot.
    void menuAbout(const PlotPoint &point);
    // Escape was pressed on the picture.
    void escaped();

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
    // The readout's font, and the size of its box for these lines.
    QFont readoutFont() const;
    QSize readoutSize(const QStringList &lines) const;
    void paintReadout(QPainter &painter) const;

    void paintArrow(QPainter &painter) const;

    std::shared_ptr<const Picture> picture_;
    PlotPoint arrowFrom_;
    PlotPoint arrowTo_;
    QImage cache_;
    QStringList readout_;
    QRect readoutBox_;
    QMenu *menu_ = nullptr;
};
