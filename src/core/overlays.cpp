#include "core/overlays.h"

#include "core/equipotentials.h"
#include "core/plotsurface.h"
#include "core/zerofield.h"

void drawOverlays(PlotSurface &surface, const Charges &charges, const Overlays &overlays,
                  const PictureLines *fieldLines)
{
    if (charges.empty())
        return;
    if (overlays.equipotentials)
        drawEquipotentials(surface, charges, fieldLines);
    if (overlays.zeroField)
        drawZeroFieldMarkers(surface, charges);
    surface.DrawWidth(20);
}

void drawEquipotentials(PlotSurface &surface, const Charges &charges, const PictureLines *fieldLines)
{
    EquipotentialOptions options;
    options.avoid = fieldLines;
    const std::vector<EquipotentialCurve> curves = equipotentials(charges, options);
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
