// The accurate picture of many charges: one excite's worth of work (trace
// every line, draw the lines, arrowheads and signed dots), into the
// recording surface the CSV is written from and into the display list the
// window paints from; and its parts apart: the tracing alone, the drawing
// of lines already traced, and the search for the points of zero field.
//
// Counters: lines traced, vertices kept, operations the surface holds.

#include "core/accuratelines.h"
#include "core/chargedots.h"
#include "core/fieldlinedrawing.h"
#include "core/recordingsurface.h"
#include "core/zerofieldsearch.h"
#include "core/displaylist.h"
#include "support/chargesets.h"

#include <benchmark/benchmark.h>

#include <cstddef>
#include <utility>
#include <vector>

namespace {

std::size_t vertices(const std::vector<TracedLine> &lines)
{
    std::size_t n = 0;
    for (const TracedLine &line : lines)
        n += line.points.size();
    return n;
}

std::size_t operations(const RecordingSurface &surface)
{
    return surface.operations().size();
}

std::size_t operations(const DisplayList &drawing)
{
    return drawing.operationCount();
}

template<typename Surface>
void accurateExcite(benchmark::State &state, Charges charges)
{
    Surface surface;
    std::size_t lineCount = 0;
    for (auto _ : state) {
        surface.Cls();
        const std::vector<TracedLine> lines = accurateFieldLines(charges);
        drawFieldLines(surface, lines, charges);
        drawSignedChargeDots(surface, charges);
        lineCount = lines.size();
    }
    state.counters["lines"] = double(lineCount);
    state.counters["ops"] = double(operations(surface));
}

void accurateExciteKept(benchmark::State &state, Charges charges)
{
    accurateExcite<DisplayList>(state, std::move(charges));
}

void accurateExciteRecording(benchmark::State &state, Charges charges)
{
    accurateExcite<RecordingSurface>(state, std::move(charges));
}

void accurateTrace(benchmark::State &state, Charges charges)
{
    std::vector<TracedLine> lines;
    for (auto _ : state) {
        lines = accurateFieldLines(charges);
        benchmark::DoNotOptimize(lines.data());
    }
    state.counters["lines"] = double(lines.size());
    state.counters["vertices"] = double(vertices(lines));
}

void accurateDraw(benchmark::State &state, Charges charges)
{
    const std::vector<TracedLine> lines = accurateFieldLines(charges);
    DisplayList drawing;
    for (auto _ : state) {
        drawing.Cls();
        drawFieldLines(drawing, lines, charges);
        drawSignedChargeDots(drawing, charges);
    }
    state.counters["ops"] = double(drawing.operationCount());
}

void zeroFieldSearch(benchmark::State &state, Charges charges)
{
    std::size_t found = 0;
    for (auto _ : state) {
        const std::vector<PlotPoint> points = findZeroFieldPoints(charges);
        benchmark::DoNotOptimize(points.data());
        found = points.size();
    }
    state.counters["points"] = double(found);
}

}  // namespace

#define ACCURATE_BENCHMARKS(name, charges)                                                  \
    BENCHMARK_CAPTURE(accurateExciteKept, name, charges)->Unit(benchmark::kMillisecond);      \
    BENCHMARK_CAPTURE(accurateExciteRecording, name, charges)->Unit(benchmark::kMillisecond); \
    BENCHMARK_CAPTURE(accurateTrace, name, charges)->Unit(benchmark::kMillisecond);           \
    BENCHMARK_CAPTURE(accurateDraw, name, charges)->Unit(benchmark::kMillisecond);            \
    BENCHMARK_CAPTURE(zeroFieldSearch, name, charges)->Unit(benchmark::kMillisecond)

ACCURATE_BENCHMARKS(quadrupole, ChargeSets::quadrupole());
ACCURATE_BENCHMARKS(triangle, ChargeSets::triangle());
ACCURATE_BENCHMARKS(capacitor, ChargeSets::capacitor());
ACCURATE_BENCHMARKS(dipole, ChargeSets::dipole());
