#include "app/pictureinteraction.h"

#include "app/picturebox.h"
#include "core/drag.h"
#include "core/fieldprobe.h"
#include "core/inputcheck.h"
#include "core/inputpanel.h"
#include "core/numberreading.h"
#include "core/plotgeometry.h"

#include <QLineEdit>

#include <cmath>
#include <utility>

namespace {

// Three significant digits, always with a full stop, never "-0".
QString number(double value)
{
    return QString::number(value == 0 ? 0.0 : value, 'g', 3);
}

double distance(const PlotPoint &a, const PointCharge &b)
{
    return std::hypot(a.x - b.x, a.y - b.y);
}

}  // namespace

PictureInteraction::PictureInteraction(PictureBox &picture, std::array<QLineEdit *, 6> boxes,
                                       const InputPanel &panel, std::function<const Charges &()> charges,
                                       std::function<void()> excite)
    : QObject(&picture)
    , picture_(picture)
    , boxes_(boxes)
    , panel_(panel)
    , charges_(std::move(charges))
    , excite_(std::move(excite))
{
    connect(&picture, &PictureBox::pressed, this, &PictureInteraction::press);
    connect(&picture, &PictureBox::moved, this, &PictureInteraction::move);
    connect(&picture, &PictureBox::released, this, &PictureInteraction::release);
    connect(&picture, &PictureBox::left, this, &PictureInteraction::leave);
    connect(&picture, &PictureBox::arrowed, this, &PictureInteraction::nudge);
}

QStringList PictureInteraction::probeText(const Charges &charges, const PlotPoint &point, double dotRadius)
{
    if (charges.empty())
        return {};
    QStringList lines{QStringLiteral("x = %1   y = %2").arg(number(point.x), number(point.y))};
    bool onDot = false;
    for (const PointCharge &charge : charges)
        onDot = onDot || distance(point, charge) <= dotRadius;
    const FieldSample field = fieldAt(charges, point.x, point.y);
    if (onDot || !field.defined) {
        lines << tr("此处场强无定义");
        return lines;
    }
    // One decimal of a degree; 359.96 reads as 0.0, not 360.0.
    double degrees = std::round(field.degrees * 10) / 10;
    if (degrees >= 360)
        degrees = 0;
    lines << tr("|E| = %1   方向 %2°").arg(number(field.strength), QString::number(degrees, 'f', 1))
          << QStringLiteral("V = %1").arg(number(field.potential));
    return lines;
}

double PictureInteraction::dotRadius() const
{
    // The dot's radius in user units at the picture's present size.
    return kDotRadiusPx * picture_.plotRect().width() / Plot::kDesignWidth / picture_.pixelsPerUnit();
}

int PictureInteraction::chargeAt(const PlotPoint &point) const
{
    const Charges &charges = charges_();
    const double reach = dotRadius() * (kDotRadiusPx + kGrabMarginPx) / kDotRadiusPx;
    int found = 0;
    double nearest = reach;
    for (std::size_t i = 0; i < charges.size(); ++i) {
        const double d = distance(point, charges[i]);
        if (d <= nearest) {
            nearest = d;
            found = int(i) + 1;
        }
    }
    return found;
}

void PictureInteraction::press(const PlotPoint &point)
{
    const int charge = chargeAt(point);
    if (charge == 0)
        return;
    const PointCharge &at = charges_()[std::size_t(charge - 1)];
    selected_ = charge;
    grabbed_ = charge;
    // The dot keeps its place under the pointer instead of jumping to it.
    grabOffset_ = {at.x - point.x, at.y - point.y};
    picture_.setReadout({});
    picture_.setCursor(Qt::ClosedHandCursor);
}

void PictureInteraction::move(const PlotPoint &point, bool dragging)
{
    if (grabbed_ != 0 && dragging) {
        moveCharge(grabbed_, {point.x + grabOffset_.x, point.y + grabOffset_.y});
        return;
    }
    if (grabbed_ != 0)
        release();
    updateCursor(point);
    picture_.setReadout(probeText(charges_(), point, dotRadius()), point);
}

void PictureInteraction::release()
{
    grabbed_ = 0;
    picture_.setCursor(Qt::OpenHandCursor);
}

void PictureInteraction::leave()
{
    if (grabbed_ == 0)
        picture_.unsetCursor();
    picture_.setReadout({});
}

void PictureInteraction::nudge(int dx, int dy, bool large)
{
    const Charges &charges = charges_();
    if (charges.empty())
        return;
    const int charge = std::size_t(selected_) <= charges.size() ? selected_ : 1;
    const double step = large ? 5 : 0.5;
    const PointCharge &at = charges[std::size_t(charge - 1)];
    moveCharge(charge, {at.x + dx * step, at.y + dy * step});
}

void PictureInteraction::updateCursor(const PlotPoint &point)
{
    if (chargeAt(point) != 0)
        picture_.setCursor(Qt::OpenHandCursor);
    else
        picture_.unsetCursor();
}

void PictureInteraction::moveCharge(int charge, const PlotPoint &wanted)
{
    const Charges &charges = charges_();
    if (std::size_t(charge) > charges.size())
        return;
    const bool twoCharges = charges.size() == 2;
    const PointCharge &other = charges[twoCharges ? std::size_t(2 - charge) : 0];
    const auto target = dragTarget(wanted.x, wanted.y, charge, {other.x, other.y}, twoCharges);
    const PointCharge &at = charges[std::size_t(charge - 1)];
    if (!target || (float(target->x) == float(at.x) && float(target->y) == float(at.y)))
        return;

    // The boxes as the excite will read them, with the new place: a drag
    // never shows a refusal, so a place the other boxes would refuse (one
    // typed since the picture was drawn) is skipped.
    const int first = charge == 1 ? 0 : 3;
    const QString x = QString::fromStdString(coordinateText(target->x));
    const QString y = QString::fromStdString(coordinateText(target->y));
    std::array<double, 6> values{};
    for (int box = 0; box < 6; ++box)
        values[std::size_t(box)] = readNumber(boxes_[std::size_t(box)]->text().toStdString());
    values[std::size_t(first)] = target->x;
    values[std::size_t(first + 1)] = target->y;
    const bool twoChargeMode = panel_.twoChargeMode();
    if (inputRefusal(values, twoChargeMode) || (twoChargeMode && float(values[3]) < float(values[0])))
        return;

    boxes_[std::size_t(first)]->setText(x);
    boxes_[std::size_t(first + 1)]->setText(y);
    excite_();
}
