#include "core/testchargedrawing.h"

#include "core/plotgeometry.h"
#include "core/plotsurface.h"
#include "core/polylinethinner.h"
#include "core/testchargepath.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

using Plot::kPixel;

// The drawn path keeps within a quarter pixel of the samples, whose own
// chords stray from the path by a hundredth of a pixel or less.
constexpr double kThinning = 0.25 * kPixel;

constexpr double kRingRadius = 7 * kPixel;
constexpr int kRingWidth = 2;
// The white inside reaches the ring's inner edge.
constexpr int kInsideDiameter = 2 * 7 - kRingWidth;
constexpr double kSignArm = 4 * kPixel;
constexpr int kDotWidth = 20;

constexpr double kDash = 1.0;
constexpr double kGap = 0.7;

// The ring as 24 chords, from the directions k · 15°. Their cosines and
// sines are built from square roots (cos 15° = (√6 + √2)/4, …), which every
// build rounds alike, rather than from a library's cos and sin.
std::array<PlotPoint, 24> ringDirections()
{
    const double c15 = (std::sqrt(6.0) + std::sqrt(2.0)) / 4;
    const double s15 = (std::sqrt(6.0) - std::sqrt(2.0)) / 4;
    const double c30 = std::sqrt(3.0) / 2;
    const double c45 = std::sqrt(2.0) / 2;
    const PlotPoint quarter[6] = {{1, 0}, {c15, s15}, {c30, 0.5}, {c45, c45}, {0.5, c30}, {s15, c15}};
    std::array<PlotPoint, 24> directions;
    for (int i = 0; i < 6; ++i) {
        const PlotPoint &d = quarter[i];
        directions[i] = d;
        directions[i + 6] = {-d.y, d.x};
        directions[i + 12] = {-d.x, -d.y};
        directions[i + 18] = {d.y, -d.x};
    }
    return directions;
}

void drawRing(PlotSurface &surface, double x, double y, bool positive)
{
    static const std::array<PlotPoint, 24> directions = ringDirections();
    surface.DrawWidth(kInsideDiameter);
    surface.PSet(float(x), float(y), Colour::White);
    surface.DrawWidth(kRingWidth);
    for (std::size_t i = 0; i < directions.size(); ++i) {
        const PlotPoint &d0 = directions[i];
        const PlotPoint &d1 = directions[(i + 1) % directions.size()];
        surface.Line(float(x + kRingRadius * d0.x), float(y + kRingRadius * d0.y), float(x + kRingRadius * d1.x),
                     float(y + kRingRadius * d1.y), Colour::Purple);
    }
    surface.Line(float(x - kSignArm), float(y), float(x + kSignArm), float(y), Colour::Purple);
    if (positive)
        surface.Line(float(x), float(y - kSignArm), float(x), float(y + kSignArm), Colour::Purple);
}

}  // namespace

void drawTestChargePath(PlotSurface &surface, const TestChargePath &path, double t)
{
    const std::vector<PathSample> &samples = path.samples();
    const std::size_t whole = path.samplesUntil(t);
    const PathSample now = path.at(t);
    surface.setLayers(Layer::Dots, Layer::Dots);
    surface.DrawWidth(2);
    // The samples up to t, then the place at t, as few vertices as keep the
    // drawn path within a quarter pixel of them: the vertices depend on the
    // path alone from its start, so the path grows without shifting, and a
    // path that swings round a charge for long stays cheap to paint.
    std::vector<PlotPoint> vertices;
    PolylineThinner thinner(kThinning, vertices);
    for (std::size_t i = 0; i < whole; ++i)
        thinner.add({samples[i].x, samples[i].y});
    if (now.x != samples[whole - 1].x || now.y != samples[whole - 1].y)
        thinner.add({now.x, now.y});
    thinner.finish();
    for (std::size_t i = 1; i < vertices.size(); ++i) {
        const PlotPoint &a = vertices[i - 1];
        const PlotPoint &b = vertices[i];
        if (a.x != b.x || a.y != b.y)
            surface.Line(float(a.x), float(a.y), float(b.x), float(b.y), Colour::Purple);
    }
    drawRing(surface, now.x, now.y, path.release().positive);
    surface.DrawWidth(kDotWidth);
}

void drawDashedFieldLine(PlotSurface &surface, const std::vector<PlotPoint> &line)
{
    surface.setLayers(Layer::FieldLines, Layer::FieldLines);
    surface.DrawWidth(1);
    // Where along the pattern of dash and gap the walk is: [0, kDash) on a
    // dash, [kDash, kDash + kGap) in a gap.
    double phase = 0;
    for (std::size_t i = 1; i < line.size(); ++i) {
        const PlotPoint &a = line[i - 1];
        const PlotPoint &b = line[i];
        const double dx = b.x - a.x;
        const double dy = b.y - a.y;
        const double length = std::sqrt(dx * dx + dy * dy);
        if (!(length > 0) || !std::isfinite(length))
            continue;
        double along = 0;
        while (along < length) {
            const bool dash = phase < kDash;
            const double toBoundary = (dash ? kDash : kDash + kGap) - phase;
            const double piece = std::min(length - along, toBoundary);
            if (dash) {
                const double s0 = along / length;
                const double s1 = (along + piece) / length;
                surface.Line(float(a.x + s0 * dx), float(a.y + s0 * dy), float(a.x + s1 * dx), float(a.y + s1 * dy),
                             Colour::Blue);
            }
            along += piece;
            // At a boundary the phase is set, not summed, so rounding cannot
            // leave a sliver of a dash or gap behind.
            if (piece == toBoundary)
                phase = dash ? kDash : 0;
            else
                phase += piece;
        }
    }
    surface.DrawWidth(kDotWidth);
}
