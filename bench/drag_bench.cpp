// What one position of a drag costs: the excite of the boxes as the drag
// leaves them, the overlays, and rendering the kept drawing into the image
// Picture1 repaints from (the widget then only copies it to the screen).
// Charge 2, and separately charge 1, is swept over a grid of the places a
// drag can take it to (in range, in order, not on the other charge), for
// the default amounts and for like amounts, with and without the
// equipotentials and zero-field markers. Counters: the median, 99th
// percentile and largest time of one position, in milliseconds.

#include "core/drag.h"
#include "core/drawingstate.h"
#include "core/fieldlines.h"
#include "core/linecollector.h"
#include "core/overlays.h"
#include "core/recordingmessenger.h"
#include "core/textpanel.h"
#include "plot/keptdrawing.h"

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
    int dragged;  // 1 or 2
    bool overlays;
};

void sweep(benchmark::State &bench, const Sweep &sweep)
{
    DrawingState state;
    KeptDrawing drawing;
    LineCollector collector(drawing);
    TextPanel panel;
    RecordingMessenger messenger;
    FieldLines lines(state, collector, panel, messenger);
    panel.setText(3, sweep.amount1);
    panel.setText(6, sweep.amount2);
    Overlays overlays;
    overlays.equipotentials = sweep.overlays;
    overlays.zeroField = sweep.overlays;
    // Picture1 inside its one-pixel border.
    QImage screen(Plot::kDesignWidth - 2, Plot::kDesignHeight - 2, QImage::Format_RGB32);

    const PlotPoint other = sweep.dragged == 2 ? PlotPoint{-15, 0} : PlotPoint{15, 0};
    const int movingX = sweep.dragged == 2 ? 4 : 1;
    panel.setText(sweep.dragged == 2 ? 1 : 4, coordinateText(other.x));
    panel.setText(sweep.dragged == 2 ? 2 : 5, coordinateText(other.y));

    using Clock = std::chrono::steady_clock;
    const auto since = [](Clock::time_point from) {
        return std::chrono::duration<double, std::milli>(Clock::now() - from).count();
    };
    std::vector<double> milliseconds, excites, extras, renders;
    // One picture first, as the window has shown before a drag starts: the
    // fonts of the labels are loaded then, once.
    lines.excite();
    drawOverlays(collector, lines.charges(), overlays, &collector.lines());
    {
        QPainter painter(&screen);
        drawing.render(painter, QRectF(screen.rect()));
    }
    for (auto _ : bench) {
        milliseconds.clear();
        for (double x = -45; x <= 45; x += 2.5) {
            for (double y = -25; y <= 25; y += 2.5) {
                const auto target = dragTarget(x, y, sweep.dragged, other, true);
                if (!target || target->x != x || target->y != y)
                    continue;  // a place the drag does not go to
                panel.setText(movingX, coordinateText(x));
                panel.setText(movingX + 1, coordinateText(y));
                const Clock::time_point started = Clock::now();
                lines.excite();
                excites.push_back(since(started));
                const Clock::time_point drawn = Clock::now();
                drawOverlays(collector, lines.charges(), overlays, &collector.lines());
                extras.push_back(since(drawn));
                const Clock::time_point laid = Clock::now();
                QPainter painter(&screen);
                drawing.render(painter, QRectF(screen.rect()));
                painter.end();
                renders.push_back(since(laid));
                milliseconds.push_back(since(started));
            }
        }
    }
    if (!messenger.messages.empty()) {
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
    // Where the time goes, median of each part.
    bench.counters["excite_ms"] = at(excites, 0.5);
    bench.counters["overlays_ms"] = at(extras, 0.5);
    bench.counters["render_ms"] = at(renders, 0.5);
    bench.counters["excite_max_ms"] = excites.back();
    bench.counters["overlays_max_ms"] = extras.back();
    bench.counters["render_max_ms"] = renders.back();
}

const Sweep kSweeps[] = {
    {"10", "-10", 2, false}, {"10", "-10", 1, false}, {"10", "10", 2, false}, {"10", "10", 1, false},
    {"10", "-10", 2, true},  {"10", "-10", 1, true},  {"10", "10", 2, true},  {"10", "10", 1, true},
};

const bool registered = [] {
    for (const Sweep &s : kSweeps) {
        const std::string name = std::string("drag/charge") + std::to_string(s.dragged) + "/"
                                 + (s.amount2[0] == '-' ? "default" : "like") + (s.overlays ? "/overlays" : "");
        benchmark::RegisterBenchmark(name.c_str(), [&s](benchmark::State &bench) { sweep(bench, s); })
            ->Iterations(1)
            ->Unit(benchmark::kMillisecond);
    }
    return true;
}();

}  // namespace
