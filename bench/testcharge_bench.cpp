// Test charges released into the field: integrating one whole path in the
// quadrupole (four charges), from start points whose paths run to time 500;
// and the work of one frame of the animation as the window's drawing thread
// does it. Counters: the steps of a path; the operations of a frame.

#include "core/configuration.h"
#include "core/pipeline.h"
#include "core/plotgeometry.h"
#include "core/testchargepath.h"
#include "plot/picturepainter.h"
#include "support/chargesets.h"

#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>

#include <cstddef>

namespace {

const Charges kQuadrupole = ChargeSets::quadrupole();

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

// One frame of the animation as the window's drawing thread makes it: the
// Pipeline's picture of the default charges with both overlays and eight
// test charges at time t, each with the field line through its release
// point, and its rendering into Picture1's image. The field lines, the
// overlays and the paths are kept from the frame before, as the window's
// frames find them.
void animationFrame(benchmark::State &state, double t)
{
    Pipeline pipeline;
    Configuration configuration;
    configuration.overlays.set("equipotentials", true);
    configuration.overlays.set("zeroField", true);
    configuration.releaseLines = true;
    // Four of these swing round the charges until time 500; the others
    // leave the plot.
    configuration.testCharges = {{0, 5, 0, 0, true},   {0, -5, 0, 0, true}, {0, 10, 0, 0, false},
                                 {0, -10, 0, 0, false}, {0, 15, 0, 0, true}, {0, 20, 0, 0, true},
                                 {-5, 12, 0, 0, true},  {5, -12, 0, 0, false}};
    configuration.testTimes.assign(configuration.testCharges.size(), t);
    QImage screen(Plot::kDesignWidth - 2, Plot::kDesignHeight - 2, QImage::Format_RGB32);
    pipeline.draw(configuration);
    std::size_t operations = 0;
    int frame = 0;
    for (auto _ : state) {
        // A frame a sixtieth of a second on, at the animation's pace.
        configuration.testTimes.assign(configuration.testCharges.size(),
                                       t + (frame++ % 2) * kTestTimePerSecond / 60);
        const Picture picture = pipeline.draw(configuration);
        QPainter painter(&screen);
        PicturePainter::paint(painter, picture.drawing, QRectF(screen.rect()));
        operations = picture.drawing.operationCount();
    }
    state.counters["operations"] = double(operations);
}

}  // namespace

BENCHMARK_CAPTURE(wholePath, quadrupole_a, TestCharge{-6, 1, 0, 0, true})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(wholePath, quadrupole_b, TestCharge{-2, -18, 0, 0, true})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(wholePath, quadrupole_c, TestCharge{-23, -3, 0, 0, true})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(animationFrame, at_time_20, 20.0)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(animationFrame, at_time_500, 500.0)->Unit(benchmark::kMillisecond);
