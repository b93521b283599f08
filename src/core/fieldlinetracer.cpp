#include "core/fieldlinetracer.h"

#include "core/dormandprince.h"
#include "core/plotclip.h"
#include "core/plotgeometry.h"
#include "core/polylinethinner.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

namespace {

using Plot::kPixel;

// The local error allowed in a step, as a fraction of the distance to the
// nearest charge: the vertices come out some hundred times closer to the
// exact line than the picture needs, and the invariants of two charges
// hold along every line to a few parts in 10⁷.
constexpr double kTolerance = 1e-7;
// The chord tolerance is split between the thinning, which keeps chords
// within kThinning of the samples, and the samples, which lie closer than
// kSampleSag to the straight line through their neighbours.
constexpr double kThinning = 0.21 * kPixel;
constexpr double kSampleSag = 0.02 * kPixel;
static_assert(kThinning + kSampleSag < FieldLineTracer::kChordTolerance);
// A line ends at a point of zero field where |E| falls below this fraction
// of Σ|qᵢ|/rᵢ².
constexpr double kZeroField = 1e-4;
// Lines leave a charge from kStartRadius and are joined to the centre of one
// within kCaptureRadius, both under the charge's dot; both shrink where the
// other charges' field is strong (below).
constexpr double kStartRadius = 0.1;
constexpr double kCaptureRadius = 0.5;
// A step is at most this fraction of the distance to the nearest charge
// ahead of the line, so that it cannot pass over that charge, or a point of
// zero field before it, with all its stages beyond and agreeing.
constexpr double kMostAhead = 0.5;
// Step control: a rejected step shrinks by at most 5, an accepted one grows
// by at most 4, aiming at 0.8 of the error allowed.
constexpr double kSafety = 0.8;
constexpr double kLeastFactor = 0.2;
constexpr double kMostFactor = 4;
// No line takes more steps than this; far more than the longest needs.
constexpr int kMostSteps = 100000;

// The slope of the line, ±E/|E|, keeping |E| at the last point asked for.
struct Slope
{
    const PointField &field;
    double sign = 1;
    mutable double strength = 0;

    PlotPoint operator()(PlotPoint p) const
    {
        const FieldVector e = field.field(p.x, p.y);
        strength = std::sqrt(e.x * e.x + e.y * e.y);
        const double k = sign / strength;
        return {e.x * k, e.y * k};
    }
};

// The step's factor of change for a scaled error (≤ 1 accepted). The
// exponent is 1/4 rather than the pair's 1/5, a little more cautious, so
// that square roots give it alike on every platform.
double stepFactor(double error)
{
    if (!(error > 0))
        return kMostFactor;
    return std::clamp(kSafety / std::sqrt(std::sqrt(error)), kLeastFactor, kMostFactor);
}

double distanceToChord(PlotPoint p, PlotPoint a, PlotPoint b)
{
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double length = std::sqrt(dx * dx + dy * dy);
    if (length == 0)
        return distance(p, a);
    return std::fabs((p.x - a.x) * dy - (p.y - a.y) * dx) / length;
}

bool onPlot(PlotPoint p)
{
    return Plot::contains(p.x, p.y);
}

// A point found within rounding of a border, put exactly on it.
PlotPoint ontoBorder(PlotPoint p)
{
    constexpr double kNear = 1e-9;
    auto snap = [](double &v, double border) {
        if (std::fabs(v - border) <= kNear)
            v = border;
    };
    snap(p.x, Plot::kLeft);
    snap(p.x, Plot::kRight);
    snap(p.y, Plot::kBottom);
    snap(p.y, Plot::kTop);
    return p;
}

// Marks for the thinner where the curve crosses the border in the part of
// a step from t0 to t1 (fractions of the step, with their points and
// whether these lie on the plot), found by bisection on the step's dense
// output. Where both ends lie off the plot but their chord passes over it,
// the curve may dip onto the plot there: the part is split to find out.
void crossings(const DormandPrinceStep &step, double t0, PlotPoint p0, bool on0, double t1, PlotPoint p1, bool on1,
               PolylineThinner &thinner, int depth = 0)
{
    if (on0 != on1) {
        double lo = t0;
        double hi = t1;
        for (int i = 0; i < 60 && lo < hi; ++i) {
            const double mid = 0.5 * (lo + hi);
            if (mid <= lo || mid >= hi)
                break;
            (onPlot(step.at(mid)) == on0 ? lo : hi) = mid;
        }
        thinner.mark(ontoBorder(step.at(on0 ? lo : hi)));
        return;
    }
    PlotPoint a = p0;
    PlotPoint b = p1;
    if (on0 || depth >= 12 || Plot::besidePlot(a.x, a.y, b.x, b.y) || !clipToPlot(a, b))
        return;
    const double tm = 0.5 * (t0 + t1);
    const PlotPoint pm = step.at(tm);
    const bool onm = onPlot(pm);
    crossings(step, t0, p0, on0, tm, pm, onm, thinner, depth + 1);
    crossings(step, tm, pm, onm, t1, p1, on1, thinner, depth + 1);
}

// Feeds an accepted step, up to the fraction `until` of it (where it ends
// at `end`), to the thinner: points of the dense output close enough that
// the curve between neighbours sags less than kSampleSag from their chord
// (the sag falls with the square of the spacing), the end at least, and the
// crossings of the border.
void sampleStep(const DormandPrinceStep &step, double until, PlotPoint end, bool &onPlotNow, PolylineThinner &thinner)
{
    const PlotPoint a = step.start();
    const double sag = distanceToChord(step.at(0.5 * until), a, end);
    const int parts = std::clamp(int(std::ceil(std::sqrt(sag / kSampleSag))), 1, 256);
    double t0 = 0;
    PlotPoint p0 = a;
    bool on0 = onPlotNow;
    for (int j = 1; j <= parts; ++j) {
        const double t1 = until * j / parts;
        const PlotPoint p1 = j == parts ? end : step.at(t1);
        const bool on1 = onPlot(p1);
        crossings(step, t0, p0, on0, t1, p1, on1, thinner);
        thinner.add(p1);
        t0 = t1;
        p0 = p1;
        on0 = on1;
    }
    onPlotNow = on0;
}

// The fraction of a step at which it comes within distance r of c, the
// step starting farther away and ending nearer.
double reaching(const DormandPrinceStep &step, PlotPoint c, double r)
{
    double lo = 0;
    double hi = 1;
    for (int i = 0; i < 60; ++i) {
        const double mid = 0.5 * (lo + hi);
        const PlotPoint p = step.at(mid);
        ((p.x - c.x) * (p.x - c.x) + (p.y - c.y) * (p.y - c.y) > r * r ? lo : hi) = mid;
    }
    return hi;
}

}  // namespace

// What a line needs to know of the charges at a point of it: the distance
// to the nearest one (its scale), the nearest that draws the line in, and
// the field they would make if they all pulled one way.
struct FieldLineTracer::Surroundings
{
    double nearest2 = std::numeric_limits<double>::infinity();
    int nearest = -1;
    double attractor2 = std::numeric_limits<double>::infinity();
    int attractor = -1;
    double ahead2 = std::numeric_limits<double>::infinity();  // nearest in the half-plane ahead
    double scale = 0;  // Σ|qᵢ|/rᵢ²
};

FieldLineTracer::FieldLineTracer(Charges charges)
    : field_(std::move(charges))
{
    const Charges &all = field_.charges();
    captureRadius_.assign(all.size(), kCaptureRadius);
    startRadius_.assign(all.size(), kStartRadius);
    othersField_.assign(all.size(), FieldVector{});
    // Near charge i the line runs straight for its centre, bent by the other
    // charges by about |E_others| r² / |qᵢ|: the radii are kept a hundredth
    // and a tenth of the distance √(|qᵢ| / |E_others|) where the two fields
    // are equal.
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (all[i].q == 0)
            continue;
        const FieldVector e = field_.fieldOfOthers(i);
        const double balance = std::sqrt(std::fabs(all[i].q) / std::sqrt(e.x * e.x + e.y * e.y));
        if (std::isfinite(balance)) {
            captureRadius_[i] = std::min(kCaptureRadius, 0.1 * balance);
            startRadius_[i] = std::min(kStartRadius, 0.01 * balance);
        }
        if (std::isfinite(e.x) && std::isfinite(e.y))
            othersField_[i] = e;
    }
}

FieldLineTracer::Surroundings FieldLineTracer::surroundings(PlotPoint p, double sign, PlotPoint heading) const
{
    Surroundings s;
    const Charges &all = field_.charges();
    for (std::size_t i = 0; i < all.size(); ++i) {
        const PointCharge &c = all[i];
        if (c.q == 0)
            continue;
        const double dx = p.x - c.x;
        const double dy = p.y - c.y;
        const double r2 = dx * dx + dy * dy;
        s.scale += std::fabs(c.q) / r2;
        if (r2 < s.nearest2) {
            s.nearest2 = r2;
            s.nearest = int(i);
        }
        if (dx * heading.x + dy * heading.y < 0 && r2 < s.ahead2)
            s.ahead2 = r2;
        if (c.q * sign < 0 && r2 < s.attractor2) {
            s.attractor2 = r2;
            s.attractor = int(i);
        }
    }
    return s;
}

TracedLine FieldLineTracer::fromCharge(std::size_t i, PlotPoint direction) const
{
    const PointCharge &c = field_.charges().at(i);
    TracedLine line;
    line.start = {LineEnd::Charge, int(i)};
    line.points.push_back({c.x, c.y});
    if (!(c.q != 0 && std::isfinite(c.q))) {
        line.end = {LineEnd::ZeroField, -1};
        return line;
    }
    // The other charges' field e, nearly uniform so close, bends the line
    // leaving the charge at angle α₀ from e: the flux through the circle it
    // sweeps about e, |q| (1 − cos α) + |e| r² sin²α / 2, stays |q| (1 − cos α₀),
    // so at distance r the line has turned toward e by |e| r² sin α₀ / (2|q|),
    // up to terms in r³. Traced against E from a negative charge, the line
    // is bent along −e.
    const double r = startRadius_[i];
    const double bend = (c.q > 0 ? 1 : -1) * r * r / (2 * std::fabs(c.q));
    const FieldVector e = othersField_[i];
    const double along = e.x * direction.x + e.y * direction.y;
    PlotPoint u{direction.x + bend * (e.x - along * direction.x), direction.y + bend * (e.y - along * direction.y)};
    const double length = std::sqrt(u.x * u.x + u.y * u.y);
    u = {u.x / length, u.y / length};
    return trace({c.x + r * u.x, c.y + r * u.y}, c.q > 0, std::move(line));
}

TracedLine FieldLineTracer::fromPoint(PlotPoint start, bool alongField) const
{
    return trace(start, alongField, TracedLine{});
}

TracedLine FieldLineTracer::trace(PlotPoint p, bool alongField, TracedLine line) const
{
    const Charges &all = field_.charges();
    const double sign = alongField ? 1 : -1;
    line.alongField = alongField;
    PolylineThinner thinner(kThinning, line.points);
    const Slope slope{field_, sign};
    PlotPoint k = slope(p);
    Surroundings around = surroundings(p, sign, k);
    thinner.add(p);

    auto endAt = [&](LineEnd how, int charge = -1) {
        thinner.keep(p);
        if (how == LineEnd::Charge)
            thinner.keep({all[std::size_t(charge)].x, all[std::size_t(charge)].y});
        thinner.finish();
        line.end = {how, charge};
        return std::move(line);
    };
    auto captured = [&] {
        return around.attractor >= 0
            && around.attractor2 <= captureRadius_[std::size_t(around.attractor)] * captureRadius_[std::size_t(around.attractor)];
    };
    if (captured())
        return endAt(LineEnd::Charge, around.attractor);
    if (around.nearest2 == 0)
        return endAt(LineEnd::Charge, around.nearest);
    if (!std::isfinite(k.x) || !std::isfinite(k.y) || slope.strength <= kZeroField * around.scale)
        return endAt(LineEnd::ZeroField);

    bool onPlotNow = onPlot(p);
    // The step is controlled as a fraction of the distance to the nearest
    // charge, the length on which the field changes: near a single charge
    // the lines look the same at every distance, so the fraction carries
    // over from step to step as the line leaves or nears it.
    double scale = std::sqrt(around.nearest2);
    double fraction = 1;
    bool rejected = false;
    for (int steps = 0; steps < kMostSteps; ++steps) {
        // A step never comes within half the capture radius of a charge
        // that draws the line in, nor passes over one ahead of it, where the
        // stages could all land beyond and agree.
        double h = fraction * scale;
        if (around.attractor >= 0)
            h = std::min(h, std::sqrt(around.attractor2) - 0.5 * captureRadius_[std::size_t(around.attractor)]);
        h = std::min({h, kMostAhead * std::sqrt(around.ahead2), kLengthLimit - line.length});
        const DormandPrinceStep step(slope, p, k, h);
        const double error = step.finite()
            ? std::sqrt(step.error().x * step.error().x + step.error().y * step.error().y) / (kTolerance * scale)
            : std::numeric_limits<double>::infinity();
        if (!(error <= 1)) {
            // A step that met no finite field has crossed a charge or a
            // point of zero field; where steps shrink to nothing, the line
            // has run into a point of zero field, where it has no direction.
            fraction = h / scale * (step.finite() ? stepFactor(error) : 0.25);
            rejected = true;
            if (fraction < 1e-12)
                return endAt(LineEnd::ZeroField);
            continue;
        }
        around = surroundings(step.end(), sign, step.endSlope());
        if (captured()) {
            // Joined to the centre from where the line crosses the capture
            // circle, so that every line arrives at the same distance.
            const PointCharge &c = all[std::size_t(around.attractor)];
            const double until = reaching(step, {c.x, c.y}, captureRadius_[std::size_t(around.attractor)]);
            p = step.at(until);
            sampleStep(step, until, p, onPlotNow, thinner);
            line.length += until * h;
            return endAt(LineEnd::Charge, around.attractor);
        }
        p = step.end();
        k = step.endSlope();
        sampleStep(step, 1, p, onPlotNow, thinner);
        line.length += h;
        if (slope.strength <= kZeroField * around.scale)
            return endAt(LineEnd::ZeroField);
        if (p.x * p.x + p.y * p.y > kEscapeRadius * kEscapeRadius)
            return endAt(LineEnd::Escaped);
        if (line.length >= kLengthLimit)
            return endAt(LineEnd::LengthLimit);
        // No growth right after a rejection, which would only be rejected
        // again.
        fraction = h / scale * (rejected ? std::min(1.0, stepFactor(error)) : stepFactor(error));
        rejected = false;
        scale = std::sqrt(around.nearest2);
    }
    return endAt(LineEnd::LengthLimit);
}

TracedLine fieldLineThrough(const Charges &charges, double x, double y)
{
    const FieldLineTracer tracer(charges);
    TracedLine back = tracer.fromPoint({x, y}, false);
    TracedLine ahead = tracer.fromPoint({x, y}, true);
    TracedLine line;
    line.alongField = true;
    line.start = back.end;
    line.end = ahead.end;
    line.length = back.length + ahead.length;
    line.points.assign(back.points.rbegin(), back.points.rend());
    line.points.insert(line.points.end(), ahead.points.begin() + 1, ahead.points.end());
    return line;
}
