#include "plot/headlessrenderer.h"

#include "core/caption.h"
#include "core/messages.h"
#include "core/pipeline.h"
#include "plot/picturewriter.h"
#include "plot/translated.h"

#include <QStringList>

#include <new>

namespace {

// No file is written after a message, so the window's words about keeping
// what was drawn do not hold here.
HeadlessRenderer::Result refused(const std::vector<Message> &messages)
{
    HeadlessRenderer::Result result{HeadlessRenderer::Outcome::Refused, {}};
    QStringList prompts;
    for (const Message &shown : messages) {
        if (shown == Messages::OutOfMemory) {
            prompts << translated(Messages::OutOfMemoryNothingWritten);
            result.outcome = HeadlessRenderer::Outcome::NotWritten;
        } else if (shown == Messages::UnexpectedFailure) {
            prompts << translated(Messages::FailureNothingWritten);
        } else {
            prompts << translated(shown.prompt);
        }
    }
    result.message = prompts.join(QLatin1Char('\n'));
    return result;
}

}  // namespace

HeadlessRenderer::Result HeadlessRenderer::render(const Configuration &configuration, const QString &file,
                                                  const QSize &size)
{
    const OutputFormat *format = PictureWriter::formatOf(file);
    if (!format)
        return {Outcome::NotWritten, translated(Messages::CannotWrite).arg(file, translated(Messages::NotAPictureType))};
    try {
        Pipeline pipeline;
        const QString caption = QString::fromStdString(pictureCaption(configuration, qtTranslation));
        PictureWriter::Result written;
        if (format->fromRecording) {
            const Recording recording = pipeline.record(configuration);
            if (!recording.messages.empty())
                return refused(recording.messages);
            written = PictureWriter::write({nullptr, &recording.operations, caption}, file, size);
        } else {
            const Picture picture = pipeline.draw(configuration);
            if (!picture.messages.empty())
                return refused(picture.messages);
            written = PictureWriter::write({&picture.drawing, nullptr, caption}, file, size);
        }
        if (!written)
            return {Outcome::NotWritten, written.error};
        return {Outcome::Written, {}};
    } catch (const std::bad_alloc &) {
        return {Outcome::NotWritten, translated(Messages::OutOfMemoryNothingWritten)};
    }
}
