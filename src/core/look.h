#pragma once

#include "core/displaylist.h"

#include <cstdint>
#include <vector>

// How a picture looks: as drawn, or for a projector (lines twice as wide,
// dots and labels half as large again, so that the back row sees them), and
// in colours that colour-blind pupils tell apart (from the Okabe–Ito set:
// the green dots blue-green, the red dots orange, the orange ring of a
// point of zero field and a test charge's purple path reddish purple; the
// lines stay blue). The screen, the
// saved pictures, the printed page and the browser show the same look.
struct Look
{
    bool projector = false;
    bool colourBlindSafe = false;

    bool operator==(const Look &other) const
    {
        return projector == other.projector && colourBlindSafe == other.colourBlindSafe;
    }
    bool operator!=(const Look &other) const { return !(*this == other); }
};

// One switch of the look, as every front end names it: the window's menu
// and settings, the page's menu, storage and link.
struct LookSwitch
{
    const char *key;       // "projector": the settings' and the link's name
    const char *menuText;  // "投影模式", translated in the context "Looks"
    bool Look::*flag;
};

const std::vector<LookSwitch> &lookSwitches();

// The height of the labels' font in designed pixels.
float labelSize(const Look &look);
// The radius of the charges' dots in designed pixels: 10 (20 across, as
// drawn), half as large again for a projector.
float dotRadius(const Look &look);

// A colour (0xRRGGBB) of a run in that layer as the look shows it.
std::uint32_t lookColour(std::uint32_t rgb, Layer layer, const Look &look);

// What was drawn, in paint order and in the look: the one place where a
// look is applied. Labels take their line's colour darkened, so that they
// read on their white boxes.
DisplayList inLook(const DisplayList &drawn, const Look &look);
