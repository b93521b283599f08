#include "core/presets.h"

#include "core/translatable.h"

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
    if (configuration.charges.size() < charges.size())
        configuration.charges.resize(charges.size());
    for (std::size_t i = 0; i < charges.size(); ++i)
        configuration.charges[i] = charges[i];
    return configuration;
}
