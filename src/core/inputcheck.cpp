#include "core/inputcheck.h"

#include "core/float32.h"
#include "core/messages.h"
#include "core/plotgeometry.h"

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

const Message *inputRefusal(const std::array<double, 6> &values, bool twoCharges)
{
    const std::size_t judged = twoCharges ? 6 : 3;
    for (std::size_t i = 0; i < judged; ++i) {
        const bool amount = i % 3 == 2;
        if (amount ? !storableAmount(values[i]) : !storable(values[i]))
            return &Messages::OutOfRange;
    }
    for (std::size_t charge = 0; charge < judged; charge += 3) {
        if (!insidePlot(values[charge], values[charge + 1]))
            return &Messages::OutOfPlot;
    }
    if (twoCharges && f32(values[0]) == f32(values[3]) && f32(values[1]) == f32(values[4]))
        return &Messages::SamePlace;
    return nullptr;
}
