#include "core/chargelist.h"

#include "core/numberreading.h"

namespace {

// The charges the mode draws, in several-charge mode.
Configuration asSeveral(Configuration configuration)
{
    configuration.charges.resize(std::min(configuration.chargesInMode(), configuration.charges.size()));
    configuration.mode = Mode::Several;
    return configuration;
}

}  // namespace

Configuration withChargeAdded(Configuration configuration, const ChargeTexts &charge)
{
    if (configuration.mode == Mode::Single && !configuration.charges.empty()
        && readNumber(charge.x) >= readNumber(configuration.charges[0].x)) {
        configuration.mode = Mode::Two;
        configuration.charges.resize(2);
        configuration.charges[1] = charge;
        return configuration;
    }
    configuration = asSeveral(std::move(configuration));
    configuration.charges.push_back(charge);
    return configuration;
}

Configuration withChargeRemoved(Configuration configuration, std::size_t index)
{
    configuration = asSeveral(std::move(configuration));
    if (index < configuration.charges.size())
        configuration.charges.erase(configuration.charges.begin() + std::ptrdiff_t(index));
    return configuration;
}

Configuration withChargeChanged(Configuration configuration, std::size_t index, const ChargeTexts &charge)
{
    if (index < configuration.chargesInMode() && index < configuration.charges.size())
        configuration.charges[index] = charge;
    return configuration;
}

Configuration withChargeList(Configuration configuration, std::vector<ChargeTexts> charges)
{
    if (configuration.mode == Mode::Several || charges.size() != configuration.chargesInMode()) {
        configuration.mode = Mode::Several;
        configuration.charges = std::move(charges);
        return configuration;
    }
    for (std::size_t i = 0; i < charges.size(); ++i)
        configuration.charges[i] = charges[i];
    return configuration;
}
