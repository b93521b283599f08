#include "core/probereadout.h"

#include "core/fieldprobe.h"
#include "core/numbertext.h"
#include "core/plotgeometry.h"

#include <cmath>
#include <cstdio>

namespace {

// Three significant digits, and 0 for -0.
std::string threeDigits(double value)
{
    return numberText(value == 0 ? 0.0 : value, 3);
}

const char *const kUndefinedText = FIELDLINES_TEXT("Probe", "此处场强无定义");
const char *const kFieldText = FIELDLINES_TEXT("Probe", "|E| = %1   方向 %2°");

struct Box
{
    double left;
    double bottom;
    double right;
    double top;

    bool holds(double x, double y, double reach) const
    {
        return x >= left - reach && x <= right + reach && y >= bottom - reach && y <= top + reach;
    }
};

}  // namespace

std::vector<std::string> probeReadout(const Charges &charges, double x, double y, Translator translate)
{
    if (charges.empty() || !std::isfinite(x) || !std::isfinite(y))
        return {};
    std::vector<std::string> lines{"x = " + threeDigits(x) + "   y = " + threeDigits(y)};
    const FieldSample field = fieldAt(charges, x, y);
    if (!field.defined) {
        lines.push_back(translate("Probe", kUndefinedText));
        return lines;
    }
    double degrees = std::round(field.degrees * 10) / 10;
    if (degrees >= 360)
        degrees = 0;
    char direction[32];
    std::snprintf(direction, sizeof direction, "%.1f", degrees);
    lines.push_back(
        withArguments(translate("Probe", kFieldText), {threeDigits(field.strength), withFullStop(direction)}));
    lines.push_back("V = " + threeDigits(field.potential));
    return lines;
}

ProbeCorner probeCorner(const Charges &charges, const PlotPoint &pointer, double width, double height,
                        double margin, double dotRadius)
{
    const double left = Plot::kLeft + margin;
    const double right = Plot::kRight - margin;
    const double top = Plot::kTop - margin;
    const double bottom = Plot::kBottom + margin;
    const struct
    {
        ProbeCorner corner;
        Box box;
    } candidates[] = {
        {ProbeCorner::TopLeft, {left, top - height, left + width, top}},
        {ProbeCorner::TopRight, {right - width, top - height, right, top}},
        {ProbeCorner::BottomLeft, {left, bottom, left + width, bottom + height}},
        {ProbeCorner::BottomRight, {right - width, bottom, right, bottom + height}},
    };
    ProbeCorner best = ProbeCorner::TopLeft;
    std::size_t fewest = charges.size() + 2;
    for (const auto &candidate : candidates) {
        std::size_t covered = 0;
        for (const PointCharge &c : charges)
            covered += candidate.box.holds(c.x, c.y, dotRadius) ? 1 : 0;
        const bool pointerInside = candidate.box.holds(pointer.x, pointer.y, 0);
        if (covered == 0 && !pointerInside)
            return candidate.corner;
        const std::size_t cost = covered + (pointerInside ? 1 : 0);
        if (cost < fewest) {
            fewest = cost;
            best = candidate.corner;
        }
    }
    return best;
}
