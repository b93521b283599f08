#include "core/inputcheck.h"

#include "core/float32.h"
#include "core/messages.h"
#include "core/numberreading.h"
#include "core/plotgeometry.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

namespace {

bool storable(double value)
{
    return std::fabs(value) <= FLT_MAX;
}

// Zero, or large enough that its 32-bit value is a normal number.
bool storableAmount(double amount)
{
    return storable(amount) && (amount == 0 || std::fabs(f32(amount)) >= FLT_MIN);
}

// As stored: a position that rounds onto the border is on the plot.
bool insidePlot(double x, double y)
{
    return Plot::contains(f32(x), f32(y));
}

}  // namespace

const Message *inputRefusal(const Charges &charges)
{
    for (const PointCharge &c : charges) {
        if (!storable(c.x) || !storable(c.y) || !storableAmount(c.q))
            return &Messages::OutOfRange;
    }
    for (const PointCharge &c : charges) {
        if (!insidePlot(c.x, c.y))
            return &Messages::OutOfPlot;
    }
    for (std::size_t i = 0; i < charges.size(); ++i) {
        for (std::size_t j = i + 1; j < charges.size(); ++j) {
            if (f32(charges[i].x) == f32(charges[j].x) && f32(charges[i].y) == f32(charges[j].y))
                return &Messages::SamePlace;
        }
    }
    return nullptr;
}

const Message *configurationRefusal(const Configuration &configuration, Charges &charges)
{
    charges.clear();
    const std::size_t n = std::min(configuration.chargesInMode(), configuration.charges.size());
    if (n > kMaxCharges)
        return &Messages::TooManyCharges;
    for (std::size_t i = 0; i < n; ++i) {
        const ChargeTexts &c = configuration.charges[i];
        charges.push_back({readNumber(c.x), readNumber(c.y), readNumber(c.q)});
    }
    if (const Message *refusal = inputRefusal(charges))
        return refusal;
    if (configuration.mode == Mode::Two && charges.size() == 2 && f32(charges[1].x) < f32(charges[0].x))
        return &Messages::WrongOrder;
    return nullptr;
}
