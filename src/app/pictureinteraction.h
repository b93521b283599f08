#pragma once

#include "core/plotpoint.h"
#include "core/pointcharge.h"

#include <QObject>

#include <array>
#include <functional>

class InputPanel;
class PictureBox;
class QLineEdit;

// What the mouse and the arrow keys do on Picture1: dragging a charge's dot
// moves the charge, the arrow keys move the charge last dragged or clicked,
// and the mouse over the plot reads the field under it (the probe).
//
// A charge moves only where a picture could be drawn without a refusal
// (dragTarget: rounded to 0.5, on the plot, in order, not on the other
// charge; and the other boxes as the excite would read them), by writing
// its two position boxes and exciting as 激　发 does. It works on the
// charges of the picture on show: nothing moves before the first picture.
class PictureInteraction : public QObject
{
    Q_OBJECT

public:
    // The dot drawn on a charge is 20 pixels across at the designed size; a
    // press this far beyond its edge still takes it.
    static constexpr double kDotRadiusPx = 10;
    static constexpr double kGrabMarginPx = 4;

    PictureInteraction(PictureBox &picture, std::array<QLineEdit *, 6> boxes, const InputPanel &panel,
                       std::function<const Charges &()> charges, std::function<void()> excite);

    // The readout of the probe at a point of the plot: x and y, then |E|
    // and its direction and V, or that the field is not defined on a dot.
    static QStringList probeText(const Charges &charges, const PlotPoint &point, double dotRadius);

private:
    void press(const PlotPoint &point);
    void move(const PlotPoint &point, bool dragging);
    void release();
    void leave();
    void nudge(int dx, int dy, bool large);

    // The charge whose dot lies under the point, 0 for none; the nearer
    // when both do (charge 2 when equally near: it is drawn on top).
    int chargeAt(const PlotPoint &point) const;
    // Moves a charge to where it may go nearest the point wanted, and draws.
    void moveCharge(int charge, const PlotPoint &wanted);
    void updateCursor(const PlotPoint &point);
    double dotRadius() const;

    PictureBox &picture_;
    std::array<QLineEdit *, 6> boxes_;
    const InputPanel &panel_;
    std::function<const Charges &()> charges_;
    std::function<void()> excite_;
    int selected_ = 1;  // the charge (1 or 2) the arrow keys move
    int grabbed_ = 0;   // the charge being dragged, or 0
    PlotPoint grabOffset_;  // from the pointer to the charge, kept while dragging
};
