#include "core/drag.h"

#include "core/inputcheck.h"
#include "core/numberreading.h"
#include "core/numbertext.h"
#include "core/plotgeometry.h"

#include <algorithm>
#include <cmath>
#include <string>

std::optional<PlotPoint> dragTarget(double x, double y, int charge, const PlotPoint &other, bool twoCharges)
{
    if (!std::isfinite(x) || !std::isfinite(y))
        return std::nullopt;
    PlotPoint p{std::round(x * 2) / 2, std::round(y * 2) / 2};
    p.x = std::clamp(p.x, double(Plot::kLeft), double(Plot::kRight));
    p.y = std::clamp(p.y, double(Plot::kBottom), double(Plot::kTop));
    if (!twoCharges)
        return p;
    p.x = charge == 1 ? std::min(p.x, other.x) : std::max(p.x, other.x);
    if (p.x == other.x && p.y == other.y)
        return std::nullopt;
    return p;
}

std::string coordinateText(double value)
{
    if (value == 0)
        return "0";  // never "-0"
    // A drag leaves halves: written exactly, with no locale involved.
    const double halves = value * 2;
    if (halves == std::round(halves) && std::fabs(halves) < 1e9) {
        const long long whole = std::llround(std::trunc(value));
        std::string text = whole == 0 && value < 0 ? "-0" : std::to_string(whole);
        if (halves != 2 * double(whole))
            text += ".5";
        return text;
    }
    // Clamped to the other charge's x: the shortest of up to nine digits
    // that reads back as the same 32-bit value.
    std::string text;
    for (int digits = 1; digits <= 9; ++digits) {
        text = numberText(value, digits);
        if (float(readNumber(text)) == float(value))
            break;
    }
    return text;
}

PlotPoint chargePlace(const Configuration &configuration, std::size_t index)
{
    if (index >= configuration.charges.size())
        return {};
    const ChargeTexts &c = configuration.charges[index];
    return {readNumber(c.x), readNumber(c.y)};
}

std::optional<Configuration> movedCharge(const Configuration &now, const Charges &shown, std::size_t index, double x,
                                         double y)
{
    const std::size_t drawn = now.chargesInMode();
    if (index >= drawn || now.charges.size() < drawn)
        return std::nullopt;
    std::optional<PlotPoint> target;
    if (now.mode == Mode::Several) {
        // Any number of charges: no order, but never two within 0.5 of
        // each other, where the picture on show has the others.
        target = dragTarget(x, y, int(index) + 1, {}, false);
        for (std::size_t i = 0; target && i < drawn; ++i) {
            if (i == index)
                continue;
            const PlotPoint other = i < shown.size() ? PlotPoint{shown[i].x, shown[i].y} : chargePlace(now, i);
            if (std::hypot(target->x - other.x, target->y - other.y) < 0.5)
                target.reset();
        }
    } else {
        const bool twoCharges = drawn == 2;
        const std::size_t otherIndex = twoCharges ? 1 - index : 0;
        const PlotPoint other = otherIndex < shown.size() ? PlotPoint{shown[otherIndex].x, shown[otherIndex].y}
                                                          : chargePlace(now, otherIndex);
        target = dragTarget(x, y, int(index) + 1, other, twoCharges);
    }
    const PlotPoint at = chargePlace(now, index);
    if (!target || (float(target->x) == float(at.x) && float(target->y) == float(at.y)))
        return std::nullopt;

    Configuration moved = now;
    moved.charges[index].x = coordinateText(target->x);
    moved.charges[index].y = coordinateText(target->y);
    Charges judged;
    if (configurationRefusal(moved, judged))
        return std::nullopt;
    return moved;
}
