#include "core/linestarts.h"

#include "core/angles.h"
#include "core/pointfield.h"

#include <algorithm>
#include <cmath>

namespace {

// Lines from all charges together, at most, and from the strongest one.
constexpr double kMostLines = 240;
constexpr double kLinesOfStrongest = 24;
// Spacings in gaps that differ by less than this (radians) count as equal.
constexpr double kEqualGaps = 1e-5;

// sin x and cos x for 0 ≤ x ≤ π/4 by their Taylor series to x¹⁷ and x¹⁸,
// whose remainders lie below the last bit there.
PlotPoint cosSin(double x)
{
    // 1 / (2k + 1)! and 1 / (2k)!, k = 0 … 8 and 0 … 9.
    constexpr double sinTerms[] = {1.0,
                                   1.0 / 6,
                                   1.0 / 120,
                                   1.0 / 5040,
                                   1.0 / 362880,
                                   1.0 / 39916800,
                                   1.0 / 6227020800,
                                   1.0 / 1307674368000,
                                   1.0 / 355687428096000};
    constexpr double cosTerms[] = {1.0,
                                   1.0 / 2,
                                   1.0 / 24,
                                   1.0 / 720,
                                   1.0 / 40320,
                                   1.0 / 3628800,
                                   1.0 / 479001600,
                                   1.0 / 87178291200,
                                   1.0 / 20922789888000,
                                   1.0 / 6402373705728000};
    const double x2 = x * x;
    double s = sinTerms[8];
    for (int k = 7; k >= 0; --k)
        s = sinTerms[k] - x2 * s;
    double c = cosTerms[9];
    for (int k = 8; k >= 0; --k)
        c = cosTerms[k] - x2 * c;
    return {c, x * s};
}

// From cs = (cos a, sin a), 0 ≤ a ≤ π/4: the unit vector at o π/4 + a in an
// even octant o, at (o + 1) π/4 − a in an odd one. Counting back from the
// end in odd octants makes mirror images meet the same a.
PlotPoint inOctant(long o, PlotPoint cs)
{
    const double c = cs.x;
    const double s = cs.y;
    switch (o) {
    case 0: return {c, s};
    case 1: return {s, c};
    case 2: return {-s, c};
    case 3: return {-c, s};
    case 4: return {-c, -s};
    case 5: return {-s, -c};
    case 6: return {s, -c};
    default: return {c, -s};
    }
}

// The unit vector at an angle (radians, 0 ≤ angle < 2π).
PlotPoint unitAt(double angle)
{
    const double eighth = kExactPi / 4;
    long o = long(angle / eighth);
    o = std::clamp(o, 0L, 7L);
    const double x = std::clamp(angle - double(o) * eighth, 0.0, eighth);
    return inOctant(o, cosSin(o % 2 != 0 ? eighth - x : x));
}

// arctan t for |t| ≤ 1: three halvings of the angle, tan(a/2) =
// t / (1 + √(1 + t²)), bring t below tan(π/32) ≈ 0.1, where the series to
// t²¹ lies below the last bit.
double arctan(double t)
{
    for (int i = 0; i < 3; ++i)
        t = t / (1 + std::sqrt(1 + t * t));
    const double t2 = t * t;
    double sum = 1.0 / 21;
    for (int k = 19; k >= 1; k -= 2)
        sum = 1.0 / k - t2 * sum;
    return 8 * t * sum;
}

// The angle of v from +x, counter-clockwise, 0 ≤ angle < 2π.
double angleOf(PlotPoint v)
{
    const double ax = std::fabs(v.x);
    const double ay = std::fabs(v.y);
    double a = ay <= ax ? (ax == 0 ? 0 : arctan(ay / ax)) : kExactPi / 2 - arctan(ax / ay);
    if (v.x < 0)
        a = kExactPi - a;
    if (v.y < 0)
        a = 2 * kExactPi - a;
    return a >= 2 * kExactPi ? 0 : a;
}

}  // namespace

std::vector<int> lineShares(const Charges &charges)
{
    double largest = 0;
    for (const PointCharge &c : charges) {
        if (std::isfinite(c.q))
            largest = std::max(largest, std::fabs(c.q));
    }
    std::vector<int> shares(charges.size(), 0);
    if (!(largest > 0))
        return shares;
    // Divided by the largest first, so that scaled amounts share alike and
    // tiny or huge ones do not underflow or overflow.
    double total = 0;
    for (const PointCharge &c : charges) {
        if (std::isfinite(c.q))
            total += std::fabs(c.q) / largest;
    }
    const double k = kLinesOfStrongest * total > kMostLines ? kMostLines / total : kLinesOfStrongest;
    for (std::size_t i = 0; i < charges.size(); ++i) {
        if (std::isfinite(charges[i].q))
            shares[i] = int(std::lround(k * std::fabs(charges[i].q) / largest));
    }
    return shares;
}

PlotPoint unitTurn(long k, long n)
{
    const long m = ((k % n) + n) % n;
    // The angle is (8m / n) eighths of a turn: octant o and, within it, the
    // fraction r / n, counted back from the octant's end in odd octants so
    // that k and n − k meet the same argument.
    const long o = 8 * m / n;
    const long r = 8 * m % n;
    const bool odd = o % 2 != 0;
    PlotPoint cs;
    if (odd && r == 0)
        cs = {std::sqrt(0.5), std::sqrt(0.5)};
    else
        cs = cosSin(kExactPi / 4 * double(odd ? n - r : r) / double(n));
    return inOctant(o, cs);
}

std::vector<PlotPoint> startDirections(const Charges &charges, std::size_t i, int n)
{
    if (n <= 0 || i >= charges.size())
        return {};
    double scale = 0;
    for (std::size_t j = 0; j < charges.size(); ++j) {
        if (j == i || charges[j].q == 0)
            continue;
        const double dx = charges[j].x - charges[i].x;
        const double dy = charges[j].y - charges[i].y;
        scale += std::fabs(charges[j].q) / (dx * dx + dy * dy);
    }
    const FieldVector e = PointField(charges).fieldOfOthers(i);
    const double strength = std::sqrt(e.x * e.x + e.y * e.y);
    // A field that vanishes by symmetry comes out as rounding noise, whose
    // direction means nothing.
    PlotPoint first{1, 0};
    if (strength > 1e-9 * scale && std::isfinite(strength))
        first = {e.x / strength, e.y / strength};
    std::vector<PlotPoint> directions;
    directions.reserve(std::size_t(n));
    for (int k = 0; k < n; ++k) {
        const PlotPoint t = unitTurn(k, n);
        directions.push_back({first.x * t.x - first.y * t.y, first.x * t.y + first.y * t.x});
    }
    return directions;
}

std::vector<PlotPoint> gapDirections(const std::vector<PlotPoint> &arrivals, int missing)
{
    std::vector<double> angles;
    for (const PlotPoint &a : arrivals)
        angles.push_back(angleOf(a));
    std::sort(angles.begin(), angles.end());
    const std::size_t n = angles.size();
    if (n == 0)
        return {};
    // Gap k runs counter-clockwise from arrival k to the next one.
    std::vector<double> gaps(n);
    for (std::size_t k = 0; k < n; ++k)
        gaps[k] = k + 1 < n ? angles[k + 1] - angles[k] : angles[0] + 2 * kExactPi - angles[k];
    // One line after another goes to the gap it leaves the widest spacing
    // in (the D'Hondt rule), so the lines of one gap spread evenly over it.
    std::vector<int> lines(n, 0);
    while (missing > 0) {
        double widest = 0;
        for (std::size_t k = 0; k < n; ++k)
            widest = std::max(widest, gaps[k] / (lines[k] + 1));
        for (std::size_t k = 0; k < n; ++k) {
            if (gaps[k] / (lines[k] + 1) >= widest - kEqualGaps) {
                ++lines[k];
                --missing;
            }
        }
    }
    std::vector<PlotPoint> added;
    for (std::size_t k = 0; k < n; ++k) {
        for (int j = 1; j <= lines[k]; ++j) {
            double angle = angles[k] + gaps[k] * j / (lines[k] + 1);
            if (angle >= 2 * kExactPi)
                angle -= 2 * kExactPi;
            added.push_back(unitAt(angle));
        }
    }
    return added;
}
