#include "app/pictureinteraction.h"

#include "app/picturebox.h"
#include "core/drag.h"
#include "core/look.h"
#include "core/plotgeometry.h"
#include "core/probereadout.h"
#include "plot/translated.h"

#include <cmath>
#include <utility>

PictureInteraction::PictureInteraction(PictureBox &picture, std::function<Configuration()> now,
                                       std::function<void(const Configuration &)> move)
    : QObject(&picture)
    , picture_(picture)
    , now_(std::move(now))
    , move_(std::move(move))
{
    connect(&picture, &PictureBox::pressed, this, &PictureInteraction::press);
    connect(&picture, &PictureBox::moved, this, &PictureInteraction::move);
    connect(&picture, &PictureBox::released, this, &PictureInteraction::release);
    connect(&picture, &PictureBox::left, this, &PictureInteraction::leave);
    connect(&picture, &PictureBox::arrowed, this, &PictureInteraction::nudge);
}

QStringList PictureInteraction::probeText(const Charges &charges, const PlotPoint &point)
{
    QStringList lines;
    for (const std::string &line : probeReadout(charges, point.x, point.y, qtTranslation))
        lines << QString::fromStdString(line);
    return lines;
}

std::optional<std::size_t> PictureInteraction::chargeAt(const PlotPoint &point) const
{
    const auto &shown = picture_.picture();
    if (!shown)
        return std::nullopt;
    // Only the charges of the mode the panel is in: a dot left on show from
    // another mode is not taken hold of.
    const std::size_t inMode = std::min(shown->charges.size(), now_().chargesInMode());
    const double dotPx = dotRadius(shown->configuration.look);
    const double reach = (dotPx * picture_.plotRect().width() / Plot::kDesignWidth + kGrabMarginPx)
                         / picture_.pixelsPerUnit();
    std::optional<std::size_t> found;
    double nearest = reach;
    for (std::size_t i = 0; i < inMode; ++i) {
        const double d = std::hypot(point.x - shown->charges[i].x, point.y - shown->charges[i].y);
        if (d <= nearest) {
            nearest = d;
            found = i;
        }
    }
    return found;
}

void PictureInteraction::setReleasing(std::optional<bool> positive, std::function<void(const TestCharge &)> releaseTo)
{
    releasing_ = positive;
    releaseTo_ = std::move(releaseTo);
    releaseFrom_.reset();
    picture_.setArrow({}, {});
    if (positive)
        picture_.setCursor(Qt::CrossCursor);
    else
        picture_.unsetCursor();
}

void PictureInteraction::press(const PlotPoint &point)
{
    if (releasing_) {
        grabbed_.reset();
        releaseFrom_ = point;
        return;
    }
    // A press that takes hold of nothing leaves nothing held, whatever was
    // held before (a drag cut short by a context menu, say).
    grabbed_ = chargeAt(point);
    if (!grabbed_)
        return;
    const PointCharge &at = picture_.picture()->charges[*grabbed_];
    selected_ = *grabbed_;
    // The dot keeps its place under the pointer instead of jumping to it.
    grabOffset_ = {at.x - point.x, at.y - point.y};
    hover_.reset();
    picture_.setReadout({});
    picture_.setCursor(Qt::ClosedHandCursor);
}

void PictureInteraction::move(const PlotPoint &point, bool dragging)
{
    if (releasing_) {
        if (releaseFrom_ && dragging)
            picture_.setArrow(*releaseFrom_, point);
        hover_ = point;
        if (!dragging)
            showProbe(point);
        return;
    }
    if (grabbed_ && dragging) {
        if (const auto moved =
                movedCharge(now_(), shownCharges(), *grabbed_, point.x + grabOffset_.x, point.y + grabOffset_.y))
            move_(*moved);
        return;
    }
    if (grabbed_)
        endDrag();
    updateCursor(point);
    hover_ = point;
    showProbe(point);
}

void PictureInteraction::release(const PlotPoint &point)
{
    if (releasing_ && releaseFrom_) {
        // A press that hardly moved releases the charge at rest.
        const PlotPoint from = *releaseFrom_;
        releaseFrom_.reset();
        picture_.setArrow({}, {});
        const double dx = point.x - from.x;
        const double dy = point.y - from.y;
        const bool still = std::hypot(dx, dy) * picture_.pixelsPerUnit() < 3;
        TestCharge charge;
        charge.x = from.x;
        charge.y = from.y;
        charge.vx = still ? 0 : dx * kReleaseSpeedPerUnit;
        charge.vy = still ? 0 : dy * kReleaseSpeedPerUnit;
        charge.positive = *releasing_;
        if (releaseTo_)
            releaseTo_(charge);
        return;
    }
    endDrag();
}

void PictureInteraction::endDrag()
{
    grabbed_.reset();
    picture_.setCursor(Qt::OpenHandCursor);
}

void PictureInteraction::leave()
{
    hover_.reset();
    if (!grabbed_)
        picture_.unsetCursor();
    picture_.setReadout({});
}

void PictureInteraction::nudge(int dx, int dy, bool large)
{
    // Steps add up from the place last asked for, so that no key is lost
    // while a drawing runs.
    const Configuration now = now_();
    if (selected_ >= now.chargesInMode())
        selected_ = 0;
    const double step = large ? 5 : 0.5;
    const PlotPoint from = chargePlace(now, selected_);
    if (const auto moved = movedCharge(now, shownCharges(), selected_, from.x + dx * step, from.y + dy * step))
        move_(*moved);
}

const Charges &PictureInteraction::shownCharges() const
{
    static const Charges none;
    const auto &shown = picture_.picture();
    return shown ? shown->charges : none;
}

void PictureInteraction::pictureChanged()
{
    // The readout always describes the picture on show: it follows the new
    // picture where the pointer rests, and stays hidden otherwise.
    if (hover_ && !grabbed_)
        showProbe(*hover_);
    else
        picture_.setReadout({});
}

void PictureInteraction::showProbe(const PlotPoint &point)
{
    const auto &shown = picture_.picture();
    picture_.setReadout(shown ? probeText(shown->charges, point) : QStringList(), point);
}

void PictureInteraction::updateCursor(const PlotPoint &point)
{
    if (chargeAt(point))
        picture_.setCursor(Qt::OpenHandCursor);
    else
        picture_.unsetCursor();
}
