#include "core/levelplan.h"

#include "core/equipotentialproblem.h"
#include "core/plotgeometry.h"
#include "core/potentialgrid.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <utility>

namespace {

constexpr double kTwoPi = 6.283185307179586;
constexpr int kMinLevels = 8;
constexpr int kMaxLevels = 12;

}  // namespace

LevelPlan LevelPlan::choose(const EquipotentialProblem &problem, const PotentialGrid &grid)
{
    const double inner = problem.innerRadiusPx();
    const double innerSquared = inner * inner * (1 - 1e-9);
    const Charges &charges = problem.field.charges();
    double low = std::numeric_limits<double>::infinity();
    double high = -low;
    auto take = [&](double v) {
        low = std::min(low, v);
        high = std::max(high, v);
    };
    auto outside = [&](PlotPoint p) {
        for (const PointCharge &c : charges) {
            if (problem.pxDistanceSquared(p, {c.x, c.y}) < innerSquared)
                return false;
        }
        return true;
    };
    bool negative = false, positive = false;
    for (int n = 0; n < grid.nodeCount(); ++n) {
        if (grid.open(n))
            take(grid.value(n));
        if (grid.seen(n)) {
            negative = negative || grid.value(n) < 0;
            positive = positive || grid.value(n) > 0;
        }
    }
    // V has no extremum in the plane away from the charges, so beside the
    // grid only the rings at the inner radius need sampling.
    for (const PointCharge &c : charges) {
        for (int a = 0; a < 128; ++a) {
            const double angle = a * (kTwoPi / 128);
            const PlotPoint p{c.x + inner / problem.pxPerUnitX * std::cos(angle),
                              c.y + inner / problem.pxPerUnitY * std::sin(angle)};
            if (Plot::contains(p.x, p.y) && outside(p))
                take(problem.field.potential(p.x, p.y));
        }
    }
    LevelPlan plan;
    const double span = (high - low) * problem.scale;
    if (!(high > low) || !std::isfinite(span) || !(span > 0))
        return plan;

    const int top = static_cast<int>(std::floor(std::log10(span / kMinLevels))) + 1;
    const std::array<std::pair<long long, int>, 4> mantissas{{{5, 0}, {25, -1}, {2, 0}, {1, 0}}};
    for (int exponent = top; exponent >= top - 3; --exponent) {
        for (const auto &[mantissa, shift] : mantissas) {
            LevelPlan candidate;
            candidate.mantissa = mantissa;
            candidate.exponent = exponent + shift;
            const double step = candidate.actual(1) / problem.scale;
            if (!(step > 0) || !std::isfinite(step))
                continue;
            const double kMin = std::ceil(low / step - 1e-9);
            const double kMax = std::floor(high / step + 1e-9);
            if (kMax - kMin + 1 >= kMinLevels && kMax - kMin < 1e6) {
                candidate.kMin = int(kMin);
                candidate.kMax = int(kMax);
                // V = 0 is drawn wherever it shows, even when it is only a
                // ring close around a weak charge.
                if (negative && positive) {
                    candidate.kMin = std::min(candidate.kMin, 0);
                    candidate.kMax = std::max(candidate.kMax, 0);
                }
                // The levels of largest magnitude are the rings crowding a
                // charge: those go first.
                while (candidate.count() > kMaxLevels) {
                    const int above = candidate.kMax, below = -candidate.kMin;
                    if (above >= below)
                        --candidate.kMax;
                    if (below >= above)
                        ++candidate.kMin;
                }
                return candidate;
            }
        }
    }
    return plan;
}

double LevelPlan::actual(int k) const
{
    const double n = double(k * mantissa);
    return exponent >= 0 ? n * std::pow(10.0, exponent) : n / std::pow(10.0, -exponent);
}

std::string LevelPlan::text(int k) const
{
    long long n = k * mantissa;
    int e = exponent;
    if (n == 0)
        return "V=0";
    const bool negative = n < 0;
    n = std::llabs(n);
    while (n % 10 == 0) {
        n /= 10;
        ++e;
    }
    const std::string digits = std::to_string(n);
    const int count = int(digits.size());
    const int lead = e + count - 1;  // decimal exponent of the first digit
    std::string result = negative ? "V=-" : "V=";
    if (lead < -4 || lead >= std::max(3, count)) {
        result += digits[0];
        if (count > 1)
            result += "." + digits.substr(1);
        result += "e" + std::to_string(lead);
    } else if (e >= 0) {
        result += digits + std::string(e, '0');
    } else if (lead >= 0) {
        result += digits.substr(0, lead + 1) + "." + digits.substr(lead + 1);
    } else {
        result += "0." + std::string(-lead - 1, '0') + digits;
    }
    return result;
}
