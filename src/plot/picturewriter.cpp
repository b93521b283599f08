#include "plot/picturewriter.h"

#include "core/csvtext.h"
#include "plot/keptdrawing.h"

#include <QFileInfo>
#include <QFont>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QSaveFile>
#include <QSvgGenerator>

namespace {

PictureWriter::Result failure(const QString &fileName, const QString &reason)
{
    return {false, QStringLiteral("cannot write %1: %2").arg(fileName, reason)};
}

PictureWriter::Result commit(QSaveFile &file, const QString &fileName)
{
    if (!file.commit())
        return failure(fileName, file.errorString());
    return {true, {}};
}

}  // namespace

const std::vector<PictureWriter::Format> &PictureWriter::formats()
{
    // The window saves an image at twice the designed size, so that it stays
    // sharp when printed or projected; an SVG has the designed size.
    static const std::vector<Format> table = {
        {"png", "PNG 图片", false, true, QSize(2 * Plot::kDesignWidth, 2 * Plot::kDesignHeight),
         [](const Source &source, const QString &fileName, const QSize &size) {
             return writePng(*source.drawing, fileName, size);
         }},
        {"svg", "SVG 矢量图", false, true, QSize(Plot::kDesignWidth, Plot::kDesignHeight),
         [](const Source &source, const QString &fileName, const QSize &size) {
             return writeSvg(*source.drawing, fileName, size);
         }},
        {"csv", "CSV 表格", true, false, QSize(),
         [](const Source &source, const QString &fileName, const QSize &) {
             return writeCsv(*source.recording, fileName);
         }},
    };
    return table;
}

const PictureWriter::Format *PictureWriter::formatOf(const QString &fileName)
{
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    for (const Format &format : formats()) {
        if (suffix == QLatin1String(format.suffix))
            return &format;
    }
    return nullptr;
}

bool PictureWriter::isValidSize(const QSize &size)
{
    return size.width() >= 1 && size.height() >= 1 && size.width() <= kMaxSide && size.height() <= kMaxSide;
}

PictureWriter::Result PictureWriter::write(const Source &source, const QString &fileName, const QSize &size)
{
    const Format *format = formatOf(fileName);
    if (!format)
        return failure(fileName, QStringLiteral("unknown file type"));
    if (format->fromRecording ? !source.recording : !source.drawing)
        return failure(fileName, QStringLiteral("nothing to write this file type from"));
    return format->write(source, fileName, size);
}

PictureWriter::Result PictureWriter::writePng(const KeptDrawing &drawing, const QString &fileName, const QSize &size)
{
    if (!isValidSize(size))
        return failure(fileName, QStringLiteral("size %1x%2 is outside 1x1 … %3x%3")
                                     .arg(size.width()).arg(size.height()).arg(kMaxSide));
    const QImage image = drawing.toImage(size);
    if (image.isNull())
        return failure(fileName, QStringLiteral("not enough memory for a %1x%2 image").arg(size.width()).arg(size.height()));

    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return failure(fileName, file.errorString());
    QImageWriter writer(&file, "png");
    if (!writer.write(image)) {
        file.cancelWriting();
        return failure(fileName, writer.errorString());
    }
    return commit(file, fileName);
}

PictureWriter::Result PictureWriter::writeSvg(const KeptDrawing &drawing, const QString &fileName, const QSize &size)
{
    if (!isValidSize(size))
        return failure(fileName, QStringLiteral("size %1x%2 is outside 1x1 … %3x%3")
                                     .arg(size.width()).arg(size.height()).arg(kMaxSide));
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return failure(fileName, file.errorString());

    QSvgGenerator generator;
    generator.setOutputDevice(&file);
    generator.setSize(size);
    generator.setViewBox(QRect(QPoint(0, 0), size));
    generator.setTitle(QString::fromUtf8(kTitle));
    QPainter painter;
    if (!painter.begin(&generator)) {
        file.cancelWriting();
        return failure(fileName, QStringLiteral("cannot paint the SVG"));
    }
    // The picture has no text, but every group of the SVG names the
    // painter's font; without an application font that would be size -1.
    painter.setFont(QFont(QStringLiteral("sans-serif"), 12));
    drawing.render(painter, QRectF(QPointF(0, 0), QSizeF(size)));
    painter.end();
    return commit(file, fileName);
}

PictureWriter::Result PictureWriter::writeCsv(const RecordingSurface &recording, const QString &fileName)
{
    const std::string text = csvText(recording.drawing());
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return failure(fileName, file.errorString());
    if (file.write(text.data(), qint64(text.size())) != qint64(text.size())) {
        file.cancelWriting();
        return failure(fileName, file.errorString());
    }
    return commit(file, fileName);
}
