#pragma once

#include "core/configuration.h"
#include "core/plotpoint.h"
#include "core/pointcharge.h"

#include <QObject>
#include <QStringList>

#include <functional>
#include <optional>

class PictureBox;

// What the mouse and the arrow keys do on Picture1: dragging a charge's dot
// moves the charge, the arrow keys move the charge last dragged or clicked,
// and the mouse over the plot reads the field under it (the probe).
//
// A dot can be taken hold of where the picture on show has it, if its
// charge is drawn in the mode the panel is in now. Where a charge goes is
// the core's one rule (movedCharge), applied to the configuration as last
// requested, so that moves add up while a drawing runs; a move that is
// taken goes to move(), which puts it into the boxes and asks for a
// drawing.
class PictureInteraction : public QObject
{
    Q_OBJECT

public:
    // A press this far beyond the edge of a charge's dot (dotRadius) still
    // takes it.
    static constexpr double kGrabMarginPx = 4;

    PictureInteraction(PictureBox &picture, std::function<Configuration()> now,
                       std::function<void(const Configuration &)> move);

    // Releasing test charges of that sign (true positive), or none: then
    // each press on the picture releases one where it was pressed, at rest,
    // or with the velocity dragged out from there (an arrow shows it), and
    // hands it to releaseTo.
    void setReleasing(std::optional<bool> positive, std::function<void(const TestCharge &)> releaseTo = {});
    std::optional<bool> releasing() const { return releasing_; }

    // The readout of the probe at a point of the plot, in the language of
    // the interface (probeReadout).
    static QStringList probeText(const Charges &charges, const PlotPoint &point);

    // The picture on show changed: the readout follows it where the pointer
    // rests over it, and is hidden where the pointer is not over it.
    void pictureChanged();

    // The charge (from 0) whose dot lies under the point, or none; the
    // nearer when several do, the later when equally near (drawn on top).
    std::optional<std::size_t> chargeAt(const PlotPoint &point) const;

private:
    void press(const PlotPoint &point);
    void move(const PlotPoint &point, bool dragging);
    void release(const PlotPoint &point);
    void endDrag();
    void leave();
    void nudge(int dx, int dy, bool large);

    void showProbe(const PlotPoint &point);
    // The charges of the picture on show, none before the first.
    const Charges &shownCharges() const;
    void updateCursor(const PlotPoint &point);

    PictureBox &picture_;
    std::function<Configuration()> now_;
    std::function<void(const Configuration &)> move_;
    std::size_t selected_ = 0;          // the charge the arrow keys move
    std::optional<std::size_t> grabbed_;  // the charge being dragged
    PlotPoint grabOffset_;               // from the pointer to the charge, kept while dragging
    std::optional<PlotPoint> hover_;     // where the pointer rests over the picture
    std::optional<bool> releasing_;      // the sign of the test charges released by a press
    std::function<void(const TestCharge &)> releaseTo_;
    std::optional<PlotPoint> releaseFrom_;  // where the press that releases one was
};
