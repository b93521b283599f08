// The equipotentials of one picture at the window's plot size (693 × 385),
// as computed on every move while a charge is dragged. Counters: curves and
// vertices delivered.

#include "core/equipotentials.h"

#include <benchmark/benchmark.h>

#include <cstddef>
#include <vector>

namespace {

void equipotentialLines(benchmark::State &state, std::vector<PointCharge> charges)
{
    const EquipotentialOptions options;
    std::size_t curves = 0;
    std::size_t vertices = 0;
    for (auto _ : state) {
        const auto result = equipotentials(charges, options);
        benchmark::DoNotOptimize(result.data());
        curves = result.size();
        vertices = 0;
        for (const EquipotentialCurve &curve : result)
            vertices += curve.points.size();
    }
    state.counters["curves"] = double(curves);
    state.counters["vertices"] = double(vertices);
}

}  // namespace

BENCHMARK_CAPTURE(equipotentialLines, default, std::vector<PointCharge>{{-15, 0, 10}, {15, 0, -10}})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(equipotentialLines, like, std::vector<PointCharge>{{-15, 0, 10}, {15, 0, 10}})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(equipotentialLines, single, std::vector<PointCharge>{{0, 0, 10}})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(equipotentialLines, unlike_10_5, std::vector<PointCharge>{{-15, 0, 10}, {15, 0, -5}})
    ->Unit(benchmark::kMillisecond);
