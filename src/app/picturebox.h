#pragma once

#include <QImage>
#include <QWidget>

#include <cstdint>

class KeptDrawing;

// The plot surface Picture1 on the screen: a thin border around the kept
// drawing. The drawing is rendered into an image only when it has changed
// (refresh); painting just copies that image, so a repaint never waits for
// the drawing, however many lines it holds.
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

signals:
    // The user asked, through the context menu, to save the picture.
    void saveRequested();

protected:
    void paintEvent(QPaintEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    // The border shows the keyboard focus.
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    bool cacheIsCurrent() const;
    void renderCache();

    const KeptDrawing &drawing_;
    QImage cache_;
    std::uint64_t cachedRevision_ = 0;
};
