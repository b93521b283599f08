#include "core/dormandprince.h"

#include <cmath>

void DormandPrinceStep::finish()
{
    using namespace DormandPrinceTableau;
    const PlotPoint *k = k_;
    error_ = {h_ * (e1 * k[0].x + e3 * k[2].x + e4 * k[3].x + e5 * k[4].x + e6 * k[5].x + e7 * k[6].x),
              h_ * (e1 * k[0].y + e3 * k[2].y + e4 * k[3].y + e5 * k[4].y + e6 * k[5].y + e7 * k[6].y)};
    finite_ = std::isfinite(end_.x) && std::isfinite(end_.y) && std::isfinite(error_.x) && std::isfinite(error_.y);
}

PlotPoint DormandPrinceStep::at(double theta) const
{
    // Hairer's dense output: a quartic through both ends with the end
    // slopes, corrected by one combination of the stages.
    constexpr double d1 = -12715105075.0 / 11282082432, d3 = 87487479700.0 / 32700410799,
                     d4 = -10690763975.0 / 1880347072, d5 = 701980252875.0 / 199316789632,
                     d6 = -1453857185.0 / 822651844, d7 = 69997945.0 / 29380423;
    const PlotPoint *k = k_;
    const double theta1 = 1 - theta;
    auto coordinate = [&](double y0, double y1, double s1, double s3, double s4, double s5, double s6, double s7) {
        const double difference = y1 - y0;
        const double b = h_ * s1 - difference;
        const double c = difference - h_ * s7 - b;
        const double d = h_ * (d1 * s1 + d3 * s3 + d4 * s4 + d5 * s5 + d6 * s6 + d7 * s7);
        return y0 + theta * (difference + theta1 * (b + theta * (c + theta1 * d)));
    };
    return {coordinate(start_.x, end_.x, k[0].x, k[2].x, k[3].x, k[4].x, k[5].x, k[6].x),
            coordinate(start_.y, end_.y, k[0].y, k[2].y, k[3].y, k[4].y, k[5].y, k[6].y)};
}
