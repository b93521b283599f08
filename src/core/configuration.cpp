#include "core/configuration.h"

#include "core/textpanel.h"

#include <limits>

std::vector<ChargeTexts> defaultCharges()
{
    const auto &t = TextPanel::kDefaultTexts;
    return {{t[0], t[1], t[2]}, {t[3], t[4], t[5]}};
}

std::size_t Configuration::chargesInMode() const
{
    switch (mode) {
    case Mode::Single:
        return 1;
    case Mode::Two:
        return 2;
    case Mode::Several:
        return charges.size();
    }
    return 0;
}

bool Configuration::sameFieldLines(const Configuration &other) const
{
    if (mode != other.mode || drawsAccurately() != other.drawsAccurately()
        || chargesInMode() != other.chargesInMode())
        return false;
    const std::size_t n = chargesInMode();
    for (std::size_t i = 0; i < n; ++i) {
        const bool here = i < charges.size();
        const bool there = i < other.charges.size();
        if (here != there || (here && charges[i] != other.charges[i]))
            return false;
    }
    return true;
}

double Configuration::testTime(std::size_t i) const
{
    return i < testTimes.size() ? testTimes[i] : std::numeric_limits<double>::infinity();
}

bool Configuration::operator==(const Configuration &other) const
{
    const auto sameTimes = [this, &other] {
        for (std::size_t i = 0; i < testCharges.size(); ++i) {
            if (testTime(i) != other.testTime(i))
                return false;
        }
        return true;
    };
    return mode == other.mode && charges == other.charges && overlays == other.overlays && look == other.look
           && accurate == other.accurate && releaseLines == other.releaseLines && testCharges == other.testCharges
           && sameTimes();
}
