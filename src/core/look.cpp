#include "core/look.h"

#include "core/translatable.h"

#include <algorithm>
#include <cmath>

namespace {

// The Okabe–Ito replacements, by layer: only the dots and the markers
// change colour; the field lines stay the program's blue.
struct Replacement
{
    Layer layer;
    std::uint32_t from;
    std::uint32_t to;
};

constexpr Replacement kColourBlindSafe[] = {
    {Layer::Dots, 0x00C000, 0x009E73},     // green dot: blue-green
    {Layer::Dots, 0xFF0000, 0xE69F00},     // red dot: orange
    {Layer::Markers, 0xFF8C00, 0xCC79A7},  // orange ring: reddish purple
    {Layer::Dots, 0x8000C0, 0xCC79A7},     // a test charge's purple path and ring: reddish purple
};

// The colour with its HSV value times 100 / 130, hue and saturation kept:
// a label's text a little darker than its line.
std::uint32_t darker(std::uint32_t rgb)
{
    const int channels[3] = {int((rgb >> 16) & 0xFF), int((rgb >> 8) & 0xFF), int(rgb & 0xFF)};
    const int value = std::max({channels[0], channels[1], channels[2]});
    if (value == 0)
        return 0;
    const int scaled = value * 100 / 130;
    std::uint32_t out = 0;
    for (int c : channels)
        out = (out << 8) | std::uint32_t(std::lround(double(c) * scaled / value));
    return out;
}

}  // namespace

const std::vector<LookSwitch> &lookSwitches()
{
    static const std::vector<LookSwitch> table = {
        {"projector", FIELDLINES_TEXT("Looks", "投影模式"), &Look::projector},
        {"colourBlindSafe", FIELDLINES_TEXT("Looks", "色盲友好配色"), &Look::colourBlindSafe},
    };
    return table;
}

float labelSize(const Look &look)
{
    return look.projector ? 15 : 10;
}

float dotRadius(const Look &look)
{
    return look.projector ? 15 : 10;
}

std::uint32_t lookColour(std::uint32_t rgb, Layer layer, const Look &look)
{
    if (look.colourBlindSafe) {
        for (const Replacement &r : kColourBlindSafe) {
            if (r.layer == layer && r.from == rgb)
                return r.to;
        }
    }
    return rgb;
}

DisplayList inLook(const DisplayList &drawn, const Look &look)
{
    return drawn.painted(
        [&look](DisplayList::Run &run) {
            run.rgb = lookColour(run.rgb, run.layer, look);
            if (look.projector) {
                // Lines twice as wide; dots half as large again (a width of
                // 1 stays the one pixel it sets).
                if (!run.dots)
                    run.width *= 2;
                else if (run.width > 1)
                    run.width *= 1.5f;
            }
        },
        [&look](DisplayList::Text &label) {
            label.rgb = darker(label.rgb);
            label.size = labelSize(look);
        });
}
