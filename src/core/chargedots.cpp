#include "core/chargedots.h"

#include "core/plotsurface.h"

#include <cstdint>

namespace {

// Half the mark's length: 6 pixels at the designed size.
constexpr double kHalfMark = 6 * 90.0 / 693;

}  // namespace

void drawSignedChargeDots(PlotSurface &surface, const Charges &charges)
{
    surface.DrawWidth(20);
    for (const PointCharge &c : charges) {
        const std::uint32_t colour = c.q > 0 ? Colour::Red : (c.q < 0 ? Colour::Green : Colour::Grey);
        surface.PSet(float(c.x), float(c.y), colour);
    }
    surface.DrawWidth(2);
    for (const PointCharge &c : charges) {
        if (c.q == 0)
            continue;
        surface.Line(float(c.x - kHalfMark), float(c.y), float(c.x + kHalfMark), float(c.y), Colour::White);
        if (c.q > 0)
            surface.Line(float(c.x), float(c.y - kHalfMark), float(c.x), float(c.y + kHalfMark), Colour::White);
    }
}
