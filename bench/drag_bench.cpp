// What one position of a drag costs: the Pipeline's drawing of the
// configuration the drag leaves (the excite, the overlays, the look), and
// rendering the picture into the image Picture1 shows (the drawing thread
// does both; the window's thread then only copies the image). Charge 2, and
// separately charge 1, is swept over a grid of the places a drag can take it
// to (where the core's rule takes it: in range, in order, not on the other
// charge), for the default amounts and for like amounts, with and without
// the equipotentials and zero-field markers, and one charge of the
// quadrupole (four charges drawn accurately) with both. Counters: the median, 99th
// percentile and largest time of one position, in milliseconds, and where
// it goes.

#include "core/drag.h"
#include "core/pipeline.h"
#include "core/presets.h"
#include "plot/picturepainter.h"

#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

namespace {

struct Sweep
{
    const char *amount1;
    const char *amount2;
    std::size_t dragged;  // 0 or 1
    bool overlays;
    bool quadrupole = false;  // the four charges of the preset instead, drawn accurately
};

void sweep(benchmark::State &bench, const Sweep &sweep)
{
    Pipeline pipeline;
    Configuration start;
    start.charges[0].q = sweep.amount1;
    start.charges[1].q = sweep.amount2;
    if (sweep.quadrupole)
        start = presetNamed("quadrupole")->appliedTo(start);
    start.overlays.set("equipotentials", sweep.overlays);
    start.overlays.set("zeroField", sweep.overlays);
    // Picture1 inside its one-pixel border.
    QImage screen(Plot::kDesignWidth - 2, Plot::kDesignHeight - 2, QImage::Format_RGB32);

    using Clock = std::chrono::steady_clock;
    const auto since = [](Clock::time_point from) {
        return std::chrono::duration<double, std::milli>(Clock::now() - from).count();
    };
    std::vector<double> milliseconds, draws, renders;
    bool refused = false;
    // One picture first, as the window has shown one before a drag starts:
    // the fonts of the labels are loaded then, once.
    {
        const Picture first = pipeline.draw(start);
        QPainter painter(&screen);
        PicturePainter::paint(painter, first.drawing, QRectF(screen.rect()));
    }
    for (auto _ : bench) {
        milliseconds.clear();
        for (double x = -45; x <= 45; x += 2.5) {
            for (double y = -25; y <= 25; y += 2.5) {
                const auto moved = movedCharge(start, {}, sweep.dragged, x, y);
                const PlotPoint at = moved ? chargePlace(*moved, sweep.dragged) : PlotPoint{};
                if (!moved || at.x != x || at.y != y)
                    continue;  // a place the drag does not go to
                const Clock::time_point started = Clock::now();
                const Picture picture = pipeline.draw(*moved);
                draws.push_back(since(started));
                refused = refused || !picture.messages.empty();
                const Clock::time_point drawn = Clock::now();
                QPainter painter(&screen);
                PicturePainter::paint(painter, picture.drawing, QRectF(screen.rect()));
                painter.end();
                renders.push_back(since(drawn));
                milliseconds.push_back(since(started));
            }
        }
    }
    if (refused) {
        bench.SkipWithError("a drag position was refused");
        return;
    }
    const auto at = [](std::vector<double> &times, double fraction) {
        std::sort(times.begin(), times.end());
        return times[std::min(times.size() - 1, std::size_t(fraction * times.size()))];
    };
    bench.counters["positions"] = double(milliseconds.size());
    bench.counters["median_ms"] = at(milliseconds, 0.5);
    bench.counters["p99_ms"] = at(milliseconds, 0.99);
    bench.counters["max_ms"] = milliseconds.back();
    // Where the time goes: the Pipeline's drawing and the rendering, median
    // and largest of each.
    bench.counters["draw_ms"] = at(draws, 0.5);
    bench.counters["render_ms"] = at(renders, 0.5);
    bench.counters["draw_max_ms"] = draws.back();
    bench.counters["render_max_ms"] = renders.back();
}

const Sweep kSweeps[] = {
    {"10", "-10", 1, false}, {"10", "-10", 0, false}, {"10", "10", 1, false}, {"10", "10", 0, false},
    {"10", "-10", 1, true},  {"10", "-10", 0, true},  {"10", "10", 1, true},  {"10", "10", 0, true},
    {"", "", 0, true, true},
};

const bool registered = [] {
    for (const Sweep &s : kSweeps) {
        const std::string name = s.quadrupole ? std::string("drag/quadrupole/overlays")
                                              : std::string("drag/charge") + std::to_string(s.dragged + 1) + "/"
                                                    + (s.amount2[0] == '-' ? "default" : "like")
                                                    + (s.overlays ? "/overlays" : "");
        benchmark::RegisterBenchmark(name.c_str(), [&s](benchmark::State &bench) { sweep(bench, s); })
            ->Iterations(1)
            ->Unit(benchmark::kMillisecond);
    }
    return true;
}();

}  // namespace
