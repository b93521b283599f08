// Test charges released into the field: integrating one whole path in the
// quadrupole (four charges), from start points whose paths run to time 500;
// and the work of one frame of the animation: 8 paths of the default picture
// cut at a time, each with the dashed field line through its release point,
// drawn over a copy of the finished picture with its equipotentials and
// zero-field markers (the copy included, as each frame starts from the
// picture). Counters: the steps of a path; the operations a frame adds.

#include "core/configuration.h"
#include "core/displaylist.h"
#include "core/pipeline.h"
#include "core/plotgeometry.h"
#include "core/pointfield.h"
#include "core/testchargedrawing.h"
#include "core/testchargepath.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

namespace {

const Charges kQuadrupole = {{-10, 10, 10}, {10, -10, 10}, {10, 10, -10}, {-10, -10, -10}};
const Charges kDipole = {{-15, 0, 10}, {15, 0, -10}};

void wholePath(benchmark::State &state, TestCharge release)
{
    std::size_t steps = 0;
    double end = 0;
    for (auto _ : state) {
        const TestChargePath path(kQuadrupole, release);
        benchmark::DoNotOptimize(path.samples().data());
        steps = path.samples().size() - 1;
        end = path.endTime();
    }
    state.counters["steps"] = double(steps);
    state.counters["end_time"] = end;
}

// The field line through a point, both ways, by RK4 on dr/ds = E/|E| in
// steps of 0.05 until it comes within 0.6 of a charge or leaves the plot: a
// stand-in of the usual length and density for the field line the window
// draws.
std::vector<PlotPoint> fieldLineThrough(const Charges &charges, double x, double y)
{
    const PointField field(charges);
    const auto direction = [&](PlotPoint p, double sense) {
        const FieldVector e = field.field(p.x, p.y);
        const double norm = std::sqrt(e.x * e.x + e.y * e.y);
        return PlotPoint{sense * e.x / norm, sense * e.y / norm};
    };
    const auto stops = [&](PlotPoint p) {
        for (const PointCharge &c : charges) {
            if (std::hypot(p.x - c.x, p.y - c.y) < kTestChargeReach)
                return true;
        }
        return !Plot::contains(p.x, p.y);
    };
    std::vector<PlotPoint> line;
    for (double sense : {-1.0, 1.0}) {
        std::vector<PlotPoint> half{{x, y}};
        constexpr double h = 0.05;
        for (int i = 0; i < 4000; ++i) {
            const PlotPoint p = half.back();
            const PlotPoint k1 = direction(p, sense);
            const PlotPoint k2 = direction({p.x + h / 2 * k1.x, p.y + h / 2 * k1.y}, sense);
            const PlotPoint k3 = direction({p.x + h / 2 * k2.x, p.y + h / 2 * k2.y}, sense);
            const PlotPoint k4 = direction({p.x + h * k3.x, p.y + h * k3.y}, sense);
            const PlotPoint next{p.x + h / 6 * (k1.x + 2 * k2.x + 2 * k3.x + k4.x),
                                 p.y + h / 6 * (k1.y + 2 * k2.y + 2 * k3.y + k4.y)};
            if (stops(next))
                break;
            half.push_back(next);
        }
        if (sense < 0)
            line.assign(half.rbegin(), half.rend());
        else
            line.insert(line.end(), half.begin() + 1, half.end());
    }
    return line;
}

void animationFrame(benchmark::State &state, double t)
{
    Pipeline pipeline;
    Configuration configuration;
    configuration.overlays.set("equipotentials", true);
    configuration.overlays.set("zeroField", true);
    const Picture picture = pipeline.draw(configuration);

    // Four of these swing round the charges until time 500 (up to 7512
    // steps); the others leave the plot.
    const TestCharges releases = {{0, 5, 0, 0, true},   {0, -5, 0, 0, true}, {0, 10, 0, 0, false},
                                  {0, -10, 0, 0, false}, {0, 15, 0, 0, true}, {0, 20, 0, 0, true},
                                  {-5, 12, 0, 0, true},  {5, -12, 0, 0, false}};
    std::vector<TestChargePath> paths;
    std::vector<std::vector<PlotPoint>> fieldLines;
    for (const TestCharge &release : releases) {
        paths.emplace_back(kDipole, release);
        fieldLines.push_back(fieldLineThrough(kDipole, release.x, release.y));
    }
    std::size_t added = 0;
    for (auto _ : state) {
        DisplayList frame = picture.drawing;
        for (std::size_t i = 0; i < paths.size(); ++i) {
            drawDashedFieldLine(frame, fieldLines[i]);
            drawTestChargePath(frame, paths[i], t);
        }
        added = frame.operationCount() - picture.drawing.operationCount();
    }
    state.counters["operations"] = double(added);
}

}  // namespace

BENCHMARK_CAPTURE(wholePath, quadrupole_a, TestCharge{-6, 1, 0, 0, true})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(wholePath, quadrupole_b, TestCharge{-2, -18, 0, 0, true})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(wholePath, quadrupole_c, TestCharge{-23, -3, 0, 0, true})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(animationFrame, at_time_20, 20.0)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(animationFrame, at_time_500, 500.0)->Unit(benchmark::kMillisecond);
