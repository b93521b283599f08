#include "app/drawingthread.h"

#include "core/messages.h"
#include "plot/picturepainter.h"

#include <exception>
#include <new>

DrawingThread::DrawingThread(QObject *parent)
    : QThread(parent)
{
}

DrawingThread::~DrawingThread()
{
    abort();
    wait();
}

void DrawingThread::draw(const Configuration &configuration, const QSize &screenSize, qreal pixelRatio)
{
    const QMutexLocker locker(&mutex_);
    request_ = Request{configuration, screenSize, pixelRatio};
    if (!isRunning())
        start();
    else
        requested_.wakeOne();
}

void DrawingThread::abort()
{
    const QMutexLocker locker(&mutex_);
    aborted_ = true;
    requested_.wakeOne();
}

void DrawingThread::run()
{
    Pipeline pipeline(abortCheck_);
    forever {
        Request request;
        {
            QMutexLocker locker(&mutex_);
            while (!request_ && !aborted_)
                requested_.wait(&mutex_);
            if (aborted_)
                return;
            request = std::move(*request_);
            request_.reset();
        }
        auto picture = std::make_shared<Picture>();
        QImage screen;
        try {
            *picture = pipeline.draw(request.configuration);
            if (aborted_)
                return;
            screen = PicturePainter::screenImage(picture->drawing, request.screenSize, request.pixelRatio);
        } catch (const std::bad_alloc &) {
            picture->configuration = request.configuration;
            picture->messages.push_back(Messages::OutOfMemory);
        } catch (const std::exception &) {
            picture->configuration = request.configuration;
            picture->messages.push_back(Messages::UnexpectedFailure);
        }
        emit drawn(std::move(picture), screen);
    }
}
