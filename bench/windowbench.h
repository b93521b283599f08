#pragma once

#include <QApplication>

#include <ctime>
#include <vector>

// The benchmarks' application: a QApplication that, while asked to, times
// every event the window's thread handles at the top level (a stretch of
// work with nothing else able to run on that thread), in the thread's own
// processor time, so that a busy machine taking the processor away in the
// middle does not count as work.
class WindowBench : public QApplication
{
public:
    using QApplication::QApplication;

    static std::vector<double> &stretches()
    {
        static std::vector<double> times;
        return times;
    }
    static bool &measuring()
    {
        static bool on = false;
        return on;
    }

    bool notify(QObject *receiver, QEvent *event) override
    {
        if (!measuring() || depth_ > 0)
            return QApplication::notify(receiver, event);
        ++depth_;
        const double started = threadMilliseconds();
        const bool handled = QApplication::notify(receiver, event);
        stretches().push_back(threadMilliseconds() - started);
        --depth_;
        return handled;
    }

private:
    static double threadMilliseconds()
    {
        timespec now{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
        return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
    }

    int depth_ = 0;
};
