#pragma once

#include "core/configuration.h"
#include "core/pipeline.h"

#include <QImage>
#include <QMutex>
#include <QSize>
#include <QThread>
#include <QWaitCondition>

#include <atomic>
#include <memory>
#include <optional>

// Draws the window's pictures away from the window's thread, as a worker
// that takes its parameters in and hands a finished picture out, never
// calling back into the window: the configuration goes through the
// Pipeline, and the picture is rendered into the image Picture1 shows, at
// the screen's size and pixel density. The window's thread only copies that
// image to the screen.
//
// One drawing at a time: the window starts a drawing only when the last
// one has been handed over (drawn), and remembers the requests that come in
// between. abort() stops a drawing at the tracers' next DoEvents, for a
// window that is closing.
class DrawingThread : public QThread
{
    Q_OBJECT

public:
    explicit DrawingThread(QObject *parent = nullptr);
    ~DrawingThread() override;

    // Draws the configuration and renders it at screenSize device pixels
    // with that pixel ratio; drawn() hands the result over.
    void draw(const Configuration &configuration, const QSize &screenSize, qreal pixelRatio);
    // Ends the drawing under way as soon as the tracers allow, and every
    // later one before it starts.
    void abort();

signals:
    void drawn(std::shared_ptr<const Picture> picture, const QImage &screen);

protected:
    void run() override;

private:
    // The tracers' DoEvents on this thread: nothing to process here, only
    // the window's closing to notice.
    class AbortCheck : public EventPump
    {
    public:
        explicit AbortCheck(const std::atomic<bool> &aborted)
            : aborted_(aborted)
        {
        }
        void DoEvents() override
        {
            if (aborted_.load(std::memory_order_relaxed))
                throw ProgramEnding{};
        }

    private:
        const std::atomic<bool> &aborted_;
    };

    struct Request
    {
        Configuration configuration;
        QSize screenSize;
        qreal pixelRatio = 1;
    };

    QMutex mutex_;
    QWaitCondition requested_;
    std::optional<Request> request_;
    std::atomic<bool> aborted_{false};
    AbortCheck abortCheck_{aborted_};
};
