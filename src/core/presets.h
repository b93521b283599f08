#pragma once

#include <array>
#include <string_view>
#include <vector>

// The classic configurations a teacher sets up in one click: the window's
// menu "典型电荷分布" and the command line's --preset read this one table.
struct Preset
{
    const char *name;         // as the menu shows it: "等量异种电荷" (translated in the context "Presets")
    const char *commandName;  // as --preset takes it: "dipole"
    bool twoCharges;
    // The texts of Text1 … Text6; nullptr leaves a box as it is (the boxes
    // of charge 2 in single-charge mode).
    std::array<const char *, 6> texts;
};

const std::vector<Preset> &presets();

// The preset of that command-line name, or nullptr.
const Preset *presetNamed(std::string_view commandName);
