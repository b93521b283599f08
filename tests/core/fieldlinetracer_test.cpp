// The traced lines against the laws they obey: the flux of two charges
// through the circle a line sweeps round their axis stays the same along
// it; a reference integrated with fixed steps, halved until it stops
// moving, lies on every vertex and within a quarter pixel of every chord;
// symmetric configurations give symmetric lines; every negative charge
// shows its share.

#include "core/accuratelines.h"
#include "core/fieldlinetracer.h"
#include "core/linestarts.h"
#include "core/plotgeometry.h"
#include "core/pointfield.h"
#include "support/chargesets.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <vector>

namespace {

constexpr double kPi = 3.14159265358979323846;

Charges turned(Charges charges, double degrees)
{
    const double c = std::cos(degrees * kPi / 180);
    const double s = std::sin(degrees * kPi / 180);
    for (PointCharge &q : charges)
        q = {c * q.x - s * q.y, s * q.x + c * q.y, q.q};
    return charges;
}

bool atACharge(const Charges &charges, PlotPoint p)
{
    return std::any_of(charges.begin(), charges.end(), [&](const PointCharge &c) { return c.x == p.x && c.y == p.y; });
}

double distanceToSegment(PlotPoint p, PlotPoint a, PlotPoint b)
{
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double l2 = dx * dx + dy * dy;
    const double t = l2 > 0 ? std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / l2, 0.0, 1.0) : 0;
    return std::hypot(p.x - a.x - t * dx, p.y - a.y - t * dy);
}

// The distance from p to the nearest of the segments between points
// first … last of a polyline.
double distanceToPolyline(PlotPoint p, const std::vector<PlotPoint> &line, std::size_t first, std::size_t last)
{
    double d = HUGE_VAL;
    for (std::size_t k = std::max<std::size_t>(first, 1); k <= last && k < line.size(); ++k)
        d = std::min(d, distanceToSegment(p, line[k - 1], line[k]));
    return d;
}

// For two charges on an axis a, Φ = q₁ cos θ₁ + q₂ cos θ₂ (θᵢ the angle at
// charge i between a and the point) is the flux through the circle about
// the axis through the point, over 2π: constant along a field line.
double flux(const Charges &c, PlotPoint p)
{
    const double length = std::hypot(c[1].x - c[0].x, c[1].y - c[0].y);
    const double ax = (c[1].x - c[0].x) / length, ay = (c[1].y - c[0].y) / length;
    double phi = 0;
    for (const PointCharge &q : c)
        phi += q.q * ((p.x - q.x) * ax + (p.y - q.y) * ay) / std::hypot(p.x - q.x, p.y - q.y);
    return phi;
}

TEST(FieldLineTracer, TwoChargesKeepTheirFluxAlongEveryLine)
{
    const std::pair<const char *, Charges> rows[] = {
        {"dipole", ChargeSets::dipole()},
        {"unlike 2:1", {{-15, 0, 10}, {15, 0, -5}}},
        {"unlike 1:2", {{-15, 0, 5}, {15, 0, -10}}},
        {"like", {{-15, 0, 10}, {15, 0, 10}}},
        {"dipole turned 37 degrees", turned(ChargeSets::dipole(), 37)},
        {"close and tiny", {{-1, 2, 1e-20}, {1.5, 2, -3e-20}}},
    };
    for (const auto &[name, charges] : rows) {
        SCOPED_TRACE(name);
        const double limit = 1e-6 * (std::fabs(charges[0].q) + std::fabs(charges[1].q));
        for (const TracedLine &line : accurateFieldLines(charges)) {
            const std::size_t first = atACharge(charges, line.points[0]) ? 1 : 0;
            const double phi = flux(charges, line.points[first]);
            double worst = 0;
            for (const PlotPoint &p : line.points) {
                if (!atACharge(charges, p))
                    worst = std::max(worst, std::fabs(flux(charges, p) - phi));
            }
            EXPECT_LE(worst, limit);
        }
    }
}

// The same line by the classical Runge–Kutta method with fixed steps of
// length h, from the same point, for the given length or until it nears a
// charge that draws it in.
std::vector<PlotPoint> reference(const Charges &charges, PlotPoint p, bool alongField, double length, double h)
{
    const PointField field(charges);
    const double sign = alongField ? 1 : -1;
    auto slope = [&](PlotPoint q) {
        const FieldVector e = field.field(q.x, q.y);
        const double n = sign / std::hypot(e.x, e.y);
        return PlotPoint{e.x * n, e.y * n};
    };
    std::vector<PlotPoint> out{p};
    for (double s = 0; s < length; s += h) {
        const PlotPoint k1 = slope(p);
        const PlotPoint k2 = slope({p.x + h / 2 * k1.x, p.y + h / 2 * k1.y});
        const PlotPoint k3 = slope({p.x + h / 2 * k2.x, p.y + h / 2 * k2.y});
        const PlotPoint k4 = slope({p.x + h * k3.x, p.y + h * k3.y});
        p = {p.x + h / 6 * (k1.x + 2 * k2.x + 2 * k3.x + k4.x), p.y + h / 6 * (k1.y + 2 * k2.y + 2 * k3.y + k4.y)};
        const bool near = std::any_of(charges.begin(), charges.end(), [&](const PointCharge &c) {
            return c.q * sign < 0 && std::hypot(p.x - c.x, p.y - c.y) < 0.6;
        });
        if (near || !std::isfinite(p.x))
            break;
        out.push_back(p);
    }
    return out;
}

struct Reference
{
    std::vector<PlotPoint> points;  // at arc lengths 0, h, 2h, …
    double h = 0;
};

// Halves the step from 1/16 until the reference moves less than 1e-9 at
// the points both steps share.
Reference settledReference(const Charges &charges, PlotPoint p, bool alongField, double length)
{
    Reference coarse{reference(charges, p, alongField, length, 1.0 / 16), 1.0 / 16};
    for (;;) {
        const double h = coarse.h / 2;
        Reference fine{reference(charges, p, alongField, length, h), h};
        double moved = 0;
        for (std::size_t i = 0; i < coarse.points.size() && 2 * i < fine.points.size(); ++i)
            moved = std::max(moved, std::hypot(coarse.points[i].x - fine.points[2 * i].x,
                                               coarse.points[i].y - fine.points[2 * i].y));
        if (moved < 1e-9 || h < 1.0 / 2048)
            return fine;
        coarse = std::move(fine);
    }
}

TEST(FieldLineTracer, LinesLieOnTheSettledReference)
{
    const std::pair<const char *, Charges> rows[] = {
        {"dipole", ChargeSets::dipole()},
        {"quadrupole", ChargeSets::quadrupole()},
        {"triangle", ChargeSets::triangle()},
    };
    for (const auto &[name, charges] : rows) {
        SCOPED_TRACE(name);
        double worstVertex = 0;
        double worstChord = 0;
        for (const TracedLine &line : accurateFieldLines(charges)) {
            const std::vector<PlotPoint> &v = line.points;
            // From the first vertex off the starting charge to the last one
            // on the plot, short of the last two: the point on the capture
            // circle and the centre of a charge, the point of zero field.
            if (v.size() < 4)
                continue;
            std::size_t last = v.size() - 3;
            while (last > 1 && !Plot::contains(v[last].x, v[last].y))
                --last;
            if (last <= 1)
                continue;
            double length = 0;
            for (std::size_t k = 2; k <= last; ++k)
                length += std::hypot(v[k].x - v[k - 1].x, v[k].y - v[k - 1].y);
            const Reference ref = settledReference(charges, v[1], line.alongField, 1.01 * length + 1);
            // Each vertex against the reference points up to a little beyond
            // the arc length to it, the search going on from the last match.
            std::vector<std::size_t> match(last + 1, 0);
            for (std::size_t k = 2; k <= last; ++k) {
                const double step = std::hypot(v[k].x - v[k - 1].x, v[k].y - v[k - 1].y);
                const std::size_t to = std::min(ref.points.size() - 1, match[k - 1] + std::size_t(1.1 * step / ref.h) + 8);
                double best = HUGE_VAL;
                for (std::size_t i = match[k - 1]; i <= to; ++i) {
                    const double d = std::hypot(v[k].x - ref.points[i].x, v[k].y - ref.points[i].y);
                    if (d < best) {
                        best = d;
                        match[k] = i;
                    }
                }
                if (Plot::contains(v[k].x, v[k].y))
                    worstVertex = std::max(worstVertex, distanceToPolyline(v[k], ref.points, match[k], match[k] + 1));
            }
            // The reference between two vertices within a quarter pixel of
            // their chord.
            for (std::size_t k = 2; k <= last; ++k) {
                for (std::size_t i = match[k - 1]; i <= match[k]; ++i) {
                    if (Plot::contains(ref.points[i].x, ref.points[i].y))
                        worstChord = std::max(worstChord, distanceToSegment(ref.points[i], v[k - 1], v[k]));
                }
            }
        }
        EXPECT_LE(worstVertex, 1e-3);
        EXPECT_LT(worstChord, FieldLineTracer::kChordTolerance);
    }
}

TEST(FieldLineTracer, LinesEndWhereTheFieldEndsThem)
{
    struct Row
    {
        const char *name;
        Charges charges;
        PlotPoint direction;  // from charge 0
        LineEnd how;
        int charge;
        PlotPoint last;  // within 1e-3, or beyond the escape radius
    };
    const Row rows[] = {
        {"in the negative charge's centre", ChargeSets::dipole(), {1, 0}, LineEnd::Charge, 1, {15, 0}},
        {"beyond 900 units", ChargeSets::dipole(), {-1, 0}, LineEnd::Escaped, -1, {}},
        {"at the point of zero field between like charges", {{-15, 0, 10}, {15, 0, 10}}, {1, 0}, LineEnd::ZeroField,
         -1, {0, 0}},
        {"a charge of 0 stops no line", {{-15, 0, 10}, {0, 0, 0}, {15, 0, -10}}, {1, 0}, LineEnd::Charge, 2, {15, 0}},
        {"the quadrupole's diagonal ends in the middle", ChargeSets::quadrupole(), {std::sqrt(0.5), -std::sqrt(0.5)},
         LineEnd::ZeroField, -1, {0, 0}},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        const TracedLine line = FieldLineTracer(row.charges).fromCharge(0, row.direction);
        EXPECT_EQ(line.start.how, LineEnd::Charge);
        EXPECT_EQ(line.start.charge, 0);
        EXPECT_EQ(line.end.how, row.how);
        EXPECT_EQ(line.end.charge, row.charge);
        const PlotPoint last = line.points.back();
        if (row.how == LineEnd::Escaped) {
            EXPECT_GT(std::hypot(last.x, last.y), FieldLineTracer::kEscapeRadius);
        } else {
            EXPECT_LT(std::hypot(last.x - row.last.x, last.y - row.last.y), 1e-3);
        }
    }
}

// The line through a point, both ways, runs along E from where it comes
// from to where it goes, through the point.
TEST(FieldLineTracer, LineThroughAPoint)
{
    const Charges dipole = ChargeSets::dipole();
    const TracedLine arc = fieldLineThrough(dipole, 0, 5);
    EXPECT_EQ(arc.start.how, LineEnd::Charge);
    EXPECT_EQ(arc.start.charge, 0);
    EXPECT_EQ(arc.end.how, LineEnd::Charge);
    EXPECT_EQ(arc.end.charge, 1);
    EXPECT_EQ(arc.points.front().x, -15);
    EXPECT_EQ(arc.points.back().x, 15);
    EXPECT_TRUE(std::any_of(arc.points.begin(), arc.points.end(), [](PlotPoint p) { return p.x == 0 && p.y == 5; }));
    for (const PlotPoint &p : arc.points) {
        if (!atACharge(dipole, p)) {
            EXPECT_NEAR(flux(dipole, p), flux(dipole, {0, 5}), 2e-5);
        }
    }

    const TracedLine axis = fieldLineThrough(dipole, -30, 0);
    EXPECT_EQ(axis.start.how, LineEnd::Charge);
    EXPECT_EQ(axis.start.charge, 0);
    EXPECT_EQ(axis.end.how, LineEnd::Escaped);
    EXPECT_LT(axis.points.back().x, -FieldLineTracer::kEscapeRadius);
}

}  // namespace
