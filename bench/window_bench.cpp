// The window during a fast drag: a charge's dot dragged across the plot by
// mouse moves posted every few milliseconds, as a quick hand gives them,
// through the real window (Form1, its drawing thread, Picture1). Counters:
// the longest time the window's thread was busy at a stretch (one event
// handled, whatever it was: a move, a finished picture arriving, a
// repaint), the 99th percentile of those stretches, and how many pictures
// were shown per second.

#include "app/drawingthread.h"
#include "app/form1.h"
#include "app/picturebox.h"
#include "core/plotgeometry.h"

#include <benchmark/benchmark.h>

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QThread>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <vector>

#include "windowbench.h"

namespace {

QPointF widgetPoint(PictureBox &picture, double x, double y)
{
    const QRectF plot(picture.plotRect());
    return {plot.left() + (x - Plot::kLeft) / (Plot::kRight - Plot::kLeft) * plot.width(),
            plot.top() + (Plot::kTop - y) / (Plot::kTop - Plot::kBottom) * plot.height()};
}

void post(PictureBox &picture, QEvent::Type type, double x, double y, Qt::MouseButtons held)
{
    const QPointF at = widgetPoint(picture, x, y);
    QCoreApplication::postEvent(&picture,
                                new QMouseEvent(type, at, picture.mapToGlobal(at), Qt::LeftButton, held, Qt::NoModifier));
}

// Lets the window's thread handle what comes in for a while.
void runFor(double milliseconds)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.nsecsElapsed() < qint64(milliseconds * 1e6)) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
        QThread::usleep(200);
    }
}

void dragSweep(benchmark::State &bench, bool overlays)
{
    Form1 window;
    OverlaySet on;
    on.set("equipotentials", overlays);
    on.set("zeroField", overlays);
    window.setOverlays(on, false);
    window.show();
    auto *picture = window.findChild<PictureBox *>(QStringLiteral("Picture1"));
    auto *worker = window.findChild<DrawingThread *>();
    // The first picture, before the hand takes the dot.
    window.findChild<QAbstractButton *>(QStringLiteral("Command1"))->click();
    runFor(300);

    // 250 moves a second, each about a unit from the one before: more new
    // places than pictures can be drawn, so the window shows as many as it
    // can.
    constexpr double kMoveEveryMs = 4;
    constexpr int kMoves = 500;
    double pictures = 0;
    double seconds = 0;
    for (auto _ : bench) {
        int shown = 0;
        const QMetaObject::Connection counting =
            QObject::connect(worker, &DrawingThread::drawn, &window, [&shown] { ++shown; });
        WindowBench::stretches().clear();
        WindowBench::measuring() = true;
        const auto started = std::chrono::steady_clock::now();
        // Charge 2 from its place along a figure over the whole plot, and
        // back.
        post(*picture, QEvent::MouseButtonPress, 15, 0, Qt::LeftButton);
        for (int i = 1; i <= kMoves; ++i) {
            const double a = 2 * 3.141592653589793 * i / kMoves;
            post(*picture, QEvent::MouseMove, 15 * std::cos(a) + 28 * std::sin(2 * a), 22 * std::sin(3 * a),
                 Qt::LeftButton);
            runFor(kMoveEveryMs);
        }
        post(*picture, QEvent::MouseButtonRelease, 15, 0, Qt::NoButton);
        while (window.isDrawing())
            runFor(1);
        seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
        WindowBench::measuring() = false;
        QObject::disconnect(counting);
        pictures = shown;
    }
    std::vector<double> &times = WindowBench::stretches();
    std::sort(times.begin(), times.end());
    bench.counters["busy_max_ms"] = times.empty() ? 0 : times.back();
    bench.counters["busy_p99_ms"] = times.empty() ? 0 : times[std::size_t(0.99 * double(times.size()))];
    bench.counters["pictures_per_s"] = pictures / seconds;
    bench.counters["moves_per_s"] = kMoves / seconds;
}

const bool registered = [] {
    benchmark::RegisterBenchmark("window/drag", [](benchmark::State &bench) { dragSweep(bench, false); })
        ->Iterations(1)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("window/drag/overlays", [](benchmark::State &bench) { dragSweep(bench, true); })
        ->Iterations(1)
        ->Unit(benchmark::kMillisecond);
    return true;
}();

}  // namespace
