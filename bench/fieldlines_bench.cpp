// One complete excite (clear, read the six boxes, draw) per iteration, for
// the charge placements that cost the most or show the variants of the
// tracers. Each runs into two surfaces: the recording surface, which only
// appends every operation to a vector and so measures the tracing, and the
// display list the window paints from, which clips and joins segments.
//
// Counters: traced steps per excite, steps per second, and the operations
// and bytes the surface holds after the excite (its peak, as nothing is
// removed before the next Cls).

#include "core/displaylist.h"
#include "core/drawingstate.h"
#include "core/fieldlines.h"
#include "core/messenger.h"
#include "core/pipeline.h"
#include "core/recordingsurface.h"
#include "core/textpanel.h"
#include "plot/picturepainter.h"

#include <benchmark/benchmark.h>

#include "windowbench.h"

#include <QBuffer>
#include <QImage>

#include <algorithm>
#include <array>
#include <cstddef>
#include <string>

namespace {

struct Scenario
{
    const char *name;
    std::array<const char *, 6> texts;  // Text1 ... Text6
    bool twoCharges = true;
};

const Scenario kScenarios[] = {
    {"single", {"0", "0", "10", "15", "0", "-10"}, false},
    {"like", {"-15", "0", "10", "15", "0", "10"}},
    // The window's default: equal magnitudes, the lines of 165 and 195
    // degrees swing some 920 units out before they reach charge 2.
    {"default", {"-15", "0", "10", "15", "0", "-10"}},
    {"unlike_a", {"-15", "0", "10", "15", "0", "-5"}},
    {"unlike_c", {"-15", "0", "5", "15", "0", "-10"}},
    // One charge above the other with equal magnitudes, traced as a
    // horizontal pair in the plot turned by 90 degrees (D18): the lines that
    // swing out beyond the sides come back to charge 2 the long way round.
    {"vertical_b", {"0", "-10", "10", "0", "10", "-10"}},
    {"near_equal", {"-15", "0", "10", "15", "0", "-9.9"}},
};

// Counts the messages; a scenario that shows one is not drawing what it is
// meant to measure.
class CountingMessenger : public Messenger
{
public:
    void show(const Message &) override { ++shown; }
    int shown = 0;
};

std::size_t keptOperations(const RecordingSurface &surface)
{
    return surface.operations().size();
}

std::size_t keptBytes(const RecordingSurface &surface)
{
    return sizeof surface + surface.operations().capacity() * sizeof(RecordingSurface::Operation);
}

std::size_t keptOperations(const DisplayList &drawing)
{
    return drawing.operationCount();
}

std::size_t keptBytes(const DisplayList &drawing)
{
    return drawing.byteSize();
}

template<typename Surface>
void exciteScenario(benchmark::State &bench, const Scenario &scenario)
{
    DrawingState state;
    Surface surface;
    TextPanel panel;
    CountingMessenger messenger;
    FieldLines lines(state, surface, panel, messenger);
    for (int box = 1; box <= 6; ++box)
        panel.setText(box, scenario.texts[box - 1]);
    panel.setTwoChargeMode(scenario.twoCharges);

    const long long stepsBefore = lines.stepsTraced();
    std::size_t peakOperations = 0;
    std::size_t peakBytes = 0;
    for (auto _ : bench) {
        lines.excite();
        peakOperations = std::max(peakOperations, keptOperations(surface));
        peakBytes = std::max(peakBytes, keptBytes(surface));
    }
    if (messenger.shown > 0) {
        bench.SkipWithError("the excite showed a message");
        return;
    }

    const double steps = double(lines.stepsTraced() - stepsBefore);
    bench.counters["steps"] = benchmark::Counter(steps, benchmark::Counter::kAvgIterations);
    bench.counters["steps/s"] = benchmark::Counter(steps, benchmark::Counter::kIsRate);
    bench.counters["ops"] = double(peakOperations);
    bench.counters["bytes"] = benchmark::Counter(double(peakBytes), benchmark::Counter::kDefaults,
                                                 benchmark::Counter::OneK::kIs1024);
}

// Rendering the default picture at the designed size and encoding it as
// PNG: the rest of what "fieldlines --output default.png" does.
void renderDefaultPng(benchmark::State &bench)
{
    Pipeline pipeline;
    const Picture picture = pipeline.draw(Configuration());

    std::size_t pngBytes = 0;
    for (auto _ : bench) {
        const QImage image = PicturePainter::image(picture.drawing);
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        pngBytes = std::size_t(png.size());
    }
    bench.counters["png_bytes"] = double(pngBytes);
}

}  // namespace

int main(int argc, char **argv)
{
    // The labels of the equipotentials need fonts and the window benchmark
    // a window: the offscreen platform gives both without a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    WindowBench app(argc, argv);

    for (const Scenario &scenario : kScenarios) {
        benchmark::RegisterBenchmark((std::string("excite/") + scenario.name + "/recording").c_str(),
                                     [&scenario](benchmark::State &bench) {
                                         exciteScenario<RecordingSurface>(bench, scenario);
                                     })
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark((std::string("excite/") + scenario.name + "/kept").c_str(),
                                     [&scenario](benchmark::State &bench) {
                                         exciteScenario<DisplayList>(bench, scenario);
                                     })
            ->Unit(benchmark::kMicrosecond);
    }
    benchmark::RegisterBenchmark("render/default/png", renderDefaultPng)->Unit(benchmark::kMicrosecond);

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
