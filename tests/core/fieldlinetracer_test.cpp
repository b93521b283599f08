// The traced lines against the laws they obey: the flux of two charges
// through the circle a line sweeps round their axis is the one of the angle
// it leaves at and stays the same along it; a reference integrated with fixed steps, halved until it stops
// moving, lies on every vertex and within a quarter pixel of every chord;
// lines end where the field ends them.

#include "core/accuratelines.h"
#include "core/fieldlinetracer.h"
#include "core/linestarts.h"
#include "core/plotgeometry.h"
#include "core/pointfield.h"
#include "support/chargesets.h"
#include "support/fieldgeometry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

bool atACharge(const Charges &charges, PlotPoint p)
{
    return std::any_of(charges.begin(), charges.end(), [&](const PointCharge &c) { return c.x == p.x && c.y == p.y; });
}

// For two charges, Φ = q₁ cos θ₁ + q₂ cos θ₂ (θᵢ the angle at charge i
// between their axis and the point) is the flux through the circle about
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
        {"dipole turned 37 degrees", ChargeSets::turned(ChargeSets::dipole(), 37)},
        {"close and tiny", {{-1, 2, 1e-20}, {1.5, 2, -3e-20}}},
    };
    for (const auto &[name, charges] : rows) {
        SCOPED_TRACE(name);
        const double limit = 1e-6 * (std::fabs(charges[0].q) + std::fabs(charges[1].q));
        const std::vector<TracedLine> lines = accurateFieldLines(charges);
        for (const TracedLine &line : lines) {
            const double phi = flux(charges, line.points[1]);
            for (const PlotPoint &p : line.points) {
                if (!atACharge(charges, p)) {
                    EXPECT_NEAR(flux(charges, p), phi, limit);
                }
            }
        }
        // The lines of charge 0 come first, each with the flux of the
        // angle α it leaves at: q₁ cos α − q₂ (θ₂ is 180 degrees there).
        const double length = std::hypot(charges[1].x - charges[0].x, charges[1].y - charges[0].y);
        const std::vector<PlotPoint> starts = startDirections(charges, 0, lineShares(charges)[0]);
        for (std::size_t k = 0; k < starts.size(); ++k) {
            const double cosine = (starts[k].x * (charges[1].x - charges[0].x) + starts[k].y * (charges[1].y - charges[0].y)) / length;
            EXPECT_NEAR(flux(charges, lines[k].points[1]), charges[0].q * cosine - charges[1].q, limit);
        }
    }
}

// The line again from the same point by the classical Runge–Kutta method
// with fixed steps h, halved until the points two steps share move less
// than 1e-9; it stops short of a charge that draws the line in.
std::vector<PlotPoint> reference(const Charges &charges, PlotPoint start, bool alongField, double length, double &h)
{
    const PointField field(charges);
    const double sign = alongField ? 1 : -1;
    std::vector<PlotPoint> coarse;
    for (h = 1.0 / 16;; h /= 2) {
        std::vector<PlotPoint> fine{start};
        for (PlotPoint p = start; double(fine.size()) * h < length;) {
            p = rungeKuttaStep(field, p, h, sign);
            if (std::any_of(charges.begin(), charges.end(),
                            [&](const PointCharge &c) { return c.q * sign < 0 && std::hypot(p.x - c.x, p.y - c.y) < 0.6; }))
                break;
            fine.push_back(p);
        }
        double moved = coarse.empty() ? HUGE_VAL : 0;
        for (std::size_t i = 0; i < coarse.size() && 2 * i < fine.size(); ++i)
            moved = std::max(moved, std::hypot(coarse[i].x - fine[2 * i].x, coarse[i].y - fine[2 * i].y));
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
        double worstVertex = 0, worstChord = 0;
        for (const TracedLine &line : accurateFieldLines(charges)) {
            // From the first vertex off the starting charge to the last on
            // the plot, short of the last two (a capture circle and a
            // charge's centre; a point of zero field).
            const std::vector<PlotPoint> &v = line.points;
            std::size_t last = v.size() < 4 ? 0 : v.size() - 3;
            while (last > 1 && !Plot::contains(v[last].x, v[last].y))
                --last;
            if (last <= 1)
                continue;
            double length = 0;
            for (std::size_t k = 2; k <= last; ++k)
                length += std::hypot(v[k].x - v[k - 1].x, v[k].y - v[k - 1].y);
            double h = 0;
            const std::vector<PlotPoint> ref = reference(charges, v[1], line.alongField, 1.01 * length + 1, h);
            // Each vertex matched with the nearest reference point a little
            // beyond the last match; the reference between two matches
            // against their chord.
            std::size_t match = 0;
            for (std::size_t k = 2; k <= last; ++k) {
                const std::size_t from = match;
                const std::size_t to = std::min(ref.size() - 1, from + std::size_t(1.1 * std::hypot(v[k].x - v[k - 1].x, v[k].y - v[k - 1].y) / h) + 8);
                for (std::size_t i = from; i <= to; ++i) {
                    if (std::hypot(v[k].x - ref[i].x, v[k].y - ref[i].y) < std::hypot(v[k].x - ref[match].x, v[k].y - ref[match].y))
                        match = i;
                }
                if (Plot::contains(v[k].x, v[k].y))
                    worstVertex = std::max(worstVertex, std::min(distanceToSegment(v[k], ref[match], ref[std::min(match + 1, ref.size() - 1)]),
                                                                 distanceToSegment(v[k], ref[match > 0 ? match - 1 : 0], ref[match])));
                for (std::size_t i = from; i <= match; ++i) {
                    if (Plot::contains(ref[i].x, ref[i].y))
                        worstChord = std::max(worstChord, distanceToSegment(ref[i], v[k - 1], v[k]));
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
        PlotPoint last;  // within 1e-3; for an escape, beyond 900 units
    };
    const Row rows[] = {
        {"in the negative charge's centre", ChargeSets::dipole(), {1, 0}, LineEnd::Charge, 1, {15, 0}},
        {"beyond 900 units", ChargeSets::dipole(), {-1, 0}, LineEnd::Escaped, -1, {}},
        {"at the point of zero field between like charges", {{-15, 0, 10}, {15, 0, 10}}, {1, 0}, LineEnd::ZeroField, -1, {0, 0}},
        {"the quadrupole's diagonal in the middle", ChargeSets::quadrupole(), {std::sqrt(0.5), -std::sqrt(0.5)}, LineEnd::ZeroField, -1, {0, 0}},
        {"a charge of 0 stops no line", {{-15, 0, 10}, {0, 0, 0}, {15, 0, -10}}, {1, 0}, LineEnd::Charge, 2, {15, 0}},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        const TracedLine line = FieldLineTracer(row.charges).fromCharge(0, row.direction);
        EXPECT_EQ(line.start.how, LineEnd::Charge);
        EXPECT_EQ(line.start.charge, 0);
        EXPECT_EQ(line.end.how, row.how);
        EXPECT_EQ(line.end.charge, row.charge);
        const double off = std::hypot(line.points.back().x - row.last.x, line.points.back().y - row.last.y);
        if (row.how == LineEnd::Escaped) {
            EXPECT_GT(off, FieldLineTracer::kEscapeRadius);
        } else {
            EXPECT_LT(off, 1e-3);
        }
    }
}

// Both ways from a point: along E from where the line comes from to where
// it goes, through the point.
TEST(FieldLineTracer, LineThroughAPoint)
{
    const TracedLine arc = fieldLineThrough(ChargeSets::dipole(), 0, 5);
    EXPECT_EQ(arc.start.how, LineEnd::Charge);
    EXPECT_EQ(arc.start.charge, 0);
    EXPECT_EQ(arc.end.how, LineEnd::Charge);
    EXPECT_EQ(arc.end.charge, 1);
    EXPECT_EQ(arc.points.front().x, -15);
    EXPECT_EQ(arc.points.back().x, 15);
    EXPECT_TRUE(std::any_of(arc.points.begin(), arc.points.end(), [](PlotPoint p) { return p.x == 0 && p.y == 5; }));
    const TracedLine axis = fieldLineThrough(ChargeSets::dipole(), -30, 0);
    EXPECT_EQ(axis.start.charge, 0);
    EXPECT_EQ(axis.end.how, LineEnd::Escaped);
    EXPECT_LT(axis.points.back().x, -FieldLineTracer::kEscapeRadius);
}

}  // namespace
