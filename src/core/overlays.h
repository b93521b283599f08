#pragma once

#include "core/look.h"
#include "core/plotsurface.h"
#include "core/pointcharge.h"

#include <array>
#include <cstdint>
#include <initializer_list>
#include <string_view>
#include <vector>

// The lines of the picture drawn so far, as (x1, y1, x2, y2): the labels of
// the equipotentials keep clear of them where they can.
using PictureLines = std::vector<std::array<float, 4>>;

// What an overlay is drawn over: the charges of the picture, its field
// lines, the look it will be shown in, and whether the accurate tracer drew
// it (then the points of zero field are found numerically, for any number
// of charges).
struct OverlayContext
{
    const Charges &charges;
    const PictureLines *fieldLines = nullptr;
    Look look;
    bool accurate = false;
};

// What a picture may show besides the field lines, each switched on by the
// user and drawn over a finished picture, after every operation of the
// field lines. One row each: the window's menu and settings, the command
// line, the page's menu, storage and link all read this table, so a new
// overlay is one row and its draw function.
struct Overlay
{
    const char *key;         // "equipotentials": the settings' and the page's name
    const char *menuText;    // "显示等势线", translated in the context "Overlays"
    const char *option;      // "equipotentials": the command line's --equipotentials
    const char *optionHelp;  // its help, translated in the context "CommandLine"
    const char *linkKey;     // "eq": the page's link, eq=1
    Layer layer;             // where its lines are painted (labels go on top)
    void (*draw)(PlotSurface &surface, const OverlayContext &context);
};

const std::vector<Overlay> &overlays();

// Which overlays are switched on.
class OverlaySet
{
public:
    OverlaySet() = default;
    // The overlays of these keys; an unknown key is none.
    OverlaySet(std::initializer_list<std::string_view> keys);

    bool contains(std::string_view key) const;
    void set(std::string_view key, bool on);
    bool empty() const { return bits_ == 0; }

    bool operator==(const OverlaySet &other) const { return bits_ == other.bits_; }
    bool operator!=(const OverlaySet &other) const { return bits_ != other.bits_; }

private:
    std::uint32_t bits_ = 0;  // bit i: overlays()[i]
};

// Draws the overlays switched on over the picture of these charges (none
// when the excite refused its input), in the table's order, each in its
// layer. The pen is left at 20, the width of the charge dots, as the
// drawing left it.
void drawOverlays(PlotSurface &surface, const OverlaySet &on, const OverlayContext &context);

// The equipotential lines as grey lines at pen width 1, then their labels
// in the look's size.
void drawEquipotentials(PlotSurface &surface, const OverlayContext &context);
