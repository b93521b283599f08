#include "core/overlays.h"

#include "core/zerofield.h"

void drawOverlays(PlotSurface &surface, const Charges &charges, const Overlays &overlays)
{
    if (charges.empty())
        return;
    if (overlays.zeroField)
        drawZeroFieldMarkers(surface, charges);
}
