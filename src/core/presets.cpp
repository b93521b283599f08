#include "core/presets.h"

#include "core/translatable.h"

#include <string>

namespace {

// Thirteen charges in a row from x = -18 to 18, 3 apart, at height y: a
// charged plate seen edge on.
std::vector<ChargeTexts> row(const char *y, const char *q)
{
    std::vector<ChargeTexts> charges;
    for (int x = -18; x <= 18; x += 3)
        charges.push_back({std::to_string(x), y, q});
    return charges;
}

// Two plates 16 apart, +2 above and -2 below.
std::vector<ChargeTexts> capacitor()
{
    std::vector<ChargeTexts> charges = row("8", "2");
    const std::vector<ChargeTexts> lower = row("-8", "-2");
    charges.insert(charges.end(), lower.begin(), lower.end());
    return charges;
}

}  // namespace

const std::vector<Preset> &presets()
{
    // All two-charge presets but one sit at the default places (-15, 0) and
    // (15, 0); "上下放置" puts the positive charge 1 above the negative
    // charge 2; a single charge sits at the centre, as choosing 单个点电荷
    // puts it.
    static const std::vector<Preset> table = {
        {FIELDLINES_TEXT("Presets", "等量异种电荷"), "dipole", Mode::Two, {{"-15", "0", "10"}, {"15", "0", "-10"}}},
        {FIELDLINES_TEXT("Presets", "等量同种电荷"), "like", Mode::Two, {{"-15", "0", "10"}, {"15", "0", "10"}}},
        {FIELDLINES_TEXT("Presets", "等量负电荷"), "negative-pair", Mode::Two, {{"-15", "0", "-10"}, {"15", "0", "-10"}}},
        {FIELDLINES_TEXT("Presets", "异种 2∶1"), "unlike-2to1", Mode::Two, {{"-15", "0", "10"}, {"15", "0", "-5"}}},
        {FIELDLINES_TEXT("Presets", "异种 1∶2"), "unlike-1to2", Mode::Two, {{"-15", "0", "5"}, {"15", "0", "-10"}}},
        {FIELDLINES_TEXT("Presets", "上下放置"), "vertical", Mode::Two, {{"0", "10", "10"}, {"0", "-10", "-10"}}},
        {FIELDLINES_TEXT("Presets", "单个正电荷"), "single-positive", Mode::Single, {{"0", "0", "10"}}},
        {FIELDLINES_TEXT("Presets", "单个负电荷"), "single-negative", Mode::Single, {{"0", "0", "-10"}}},
        {FIELDLINES_TEXT("Presets", "电四极子"), "quadrupole", Mode::Several,
         {{"-10", "10", "10"}, {"10", "-10", "10"}, {"10", "10", "-10"}, {"-10", "-10", "-10"}}},
        // An equilateral triangle of side 20 centred on the origin.
        {FIELDLINES_TEXT("Presets", "三个同种电荷"), "triangle", Mode::Several,
         {{"0", "11.547", "10"}, {"-10", "-5.7735", "10"}, {"10", "-5.7735", "10"}}},
        {FIELDLINES_TEXT("Presets", "带电平板"), "plate", Mode::Several, row("0", "2")},
        {FIELDLINES_TEXT("Presets", "平行板电容器"), "capacitor", Mode::Several, capacitor()},
    };
    return table;
}

const Preset *presetNamed(std::string_view commandName)
{
    for (const Preset &preset : presets()) {
        if (commandName == preset.commandName)
            return &preset;
    }
    return nullptr;
}

Configuration Preset::appliedTo(Configuration configuration) const
{
    configuration.mode = mode;
    if (mode == Mode::Several) {
        configuration.charges = charges;
        return configuration;
    }
    // The two charges of the boxes, the defaults where there were fewer.
    const std::vector<ChargeTexts> defaults = defaultCharges();
    for (std::size_t i = configuration.charges.size(); i < defaults.size(); ++i)
        configuration.charges.push_back(defaults[i]);
    configuration.charges.resize(defaults.size());
    for (std::size_t i = 0; i < charges.size(); ++i)
        configuration.charges[i] = charges[i];
    return configuration;
}
