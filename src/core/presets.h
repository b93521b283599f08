#pragma once

#include "core/configuration.h"

#include <string_view>
#include <vector>

// The classic configurations a teacher sets up in one click: the window's
// menu "典型电荷分布", the command line's --preset and the page's menu read
// this one table.
struct Preset
{
    const char *name;         // as the menu shows it: "等量异种电荷" (translated in the context "Presets")
    const char *commandName;  // as --preset takes it: "dipole"
    Mode mode;
    // Charge 1, charge 2 …: the charges it sets; the boxes of a charge it
    // does not set stay as they are (charge 2 in single-charge mode).
    std::vector<ChargeTexts> charges;

    // The configuration with this preset's mode and charges; the overlays,
    // the look and, for one or two charges, the boxes it leaves alone are
    // kept.
    Configuration appliedTo(Configuration configuration) const;
};

const std::vector<Preset> &presets();

// The preset of that command-line name, or nullptr.
const Preset *presetNamed(std::string_view commandName);
