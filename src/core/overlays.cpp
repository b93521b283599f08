#include "core/overlays.h"

#include "core/equipotentials.h"
#include "core/translatable.h"
#include "core/zerofield.h"
#include "core/zerofieldsearch.h"

namespace {

// The unit-step pictures mark the closed-form point of two charges; the
// accurate ones every point found numerically.
void drawZeroField(PlotSurface &surface, const OverlayContext &context)
{
    if (context.accurate)
        drawZeroFieldRings(surface, findZeroFieldPoints(context.charges));
    else
        drawZeroFieldMarkers(surface, context.charges);
}

std::size_t indexOf(std::string_view key)
{
    const std::vector<Overlay> &table = overlays();
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (key == table[i].key)
            return i;
    }
    return table.size();
}

}  // namespace

const std::vector<Overlay> &overlays()
{
    static const std::vector<Overlay> table = {
        {"equipotentials", FIELDLINES_TEXT("Overlays", "显示等势线"), "equipotentials",
         FIELDLINES_TEXT("CommandLine", "加画标有电势值的等势线。"), "eq", Layer::Underlay, drawEquipotentials},
        {"zeroField", FIELDLINES_TEXT("Overlays", "显示场强为零的点"), "zero-field",
         FIELDLINES_TEXT("CommandLine", "标出场强为零的点。"), "zero", Layer::Markers, drawZeroField},
    };
    return table;
}

OverlaySet::OverlaySet(std::initializer_list<std::string_view> keys)
{
    for (std::string_view key : keys)
        set(key, true);
}

bool OverlaySet::contains(std::string_view key) const
{
    const std::size_t i = indexOf(key);
    return i < overlays().size() && (bits_ >> i & 1) != 0;
}

void OverlaySet::set(std::string_view key, bool on)
{
    const std::size_t i = indexOf(key);
    if (i >= overlays().size())
        return;
    if (on)
        bits_ |= std::uint32_t(1) << i;
    else
        bits_ &= ~(std::uint32_t(1) << i);
}

void drawOverlays(PlotSurface &surface, const OverlaySet &on, const OverlayContext &context)
{
    if (context.charges.empty() || on.empty())
        return;
    for (const Overlay &overlay : overlays()) {
        if (!on.contains(overlay.key))
            continue;
        surface.setLayers(overlay.layer, Layer::Dots);
        overlay.draw(surface, context);
    }
    surface.DrawWidth(20);
}

void drawEquipotentials(PlotSurface &surface, const OverlayContext &context)
{
    EquipotentialOptions options;
    options.avoid = context.fieldLines;
    // Labels are placed with the size they are drawn at, clear of the dots
    // as large as the look draws them.
    options.labelFontPx = labelSize(context.look);
    options.dotRadiusPx = dotRadius(context.look);
    const std::vector<EquipotentialCurve> curves = equipotentials(context.charges, options);
    surface.DrawWidth(1);
    for (const EquipotentialCurve &curve : curves) {
        for (std::size_t i = 1; i < curve.points.size(); ++i) {
            const auto &[x1, y1] = curve.points[i - 1];
            const auto &[x2, y2] = curve.points[i];
            surface.Line(float(x1), float(y1), float(x2), float(y2), Colour::Grey);
        }
    }
    for (const EquipotentialCurve &curve : curves) {
        if (curve.labelled)
            surface.Label(float(curve.label.x), float(curve.label.y), curve.label.text, Colour::Grey);
    }
}
