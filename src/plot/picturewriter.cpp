#include "plot/picturewriter.h"

#include "core/csvtext.h"
#include "core/messages.h"
#include "plot/picturepainter.h"
#include "plot/outputfile.h"
#include "plot/translated.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFileInfo>
#include <QFont>
#include <QImage>
#include <QImageWriter>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

#include <cerrno>
#include <cstdio>
#include <new>

namespace {

PictureWriter::Result failure(const QString &fileName, const QString &reason)
{
    return {false, translated(Messages::CannotWrite).arg(fileName, reason)};
}

// Writes all of bytes; EIO when the device takes fewer.
int writeAll(QIODevice &device, const char *data, qint64 size)
{
    return device.write(data, size) == size ? 0 : EIO;
}

}  // namespace

// The encoder of each format of the table, by its suffix.
int PictureWriter::encode(const OutputFormat &format, const Source &source, QIODevice &device, const QSize &size)
{
    const QLatin1String suffix(format.suffix);
    if (suffix == QLatin1String("png"))
        return PictureWriter::writePng(*source.picture, device, size);
    if (suffix == QLatin1String("svg"))
        return PictureWriter::writeSvg(*source.picture, device, size);
    if (suffix == QLatin1String("pdf"))
        return PictureWriter::writePdf(*source.picture, source.caption, device);
    if (suffix == QLatin1String("csv"))
        return PictureWriter::writeCsv(*source.recording, device);
    return EINVAL;
}

const OutputFormat *PictureWriter::formatOf(const QString &fileName)
{
    return outputFormatOf(fileName.toStdString());
}

QString PictureWriter::documentTitle()
{
    return QCoreApplication::translate("PictureWriter", kTitle);
}

bool PictureWriter::isValidSize(const QSize &size)
{
    return size.width() >= 1 && size.height() >= 1 && size.width() <= kMaxSide && size.height() <= kMaxSide;
}

PictureWriter::Result PictureWriter::write(const Source &source, const QString &fileName, const QSize &size)
{
    const OutputFormat *format = formatOf(fileName);
    if (!format || (format->fromRecording ? !source.recording : !source.picture))
        return failure(fileName, translated(Messages::NotAPictureType));
    if (format->sized && !isValidSize(size))
        return failure(fileName, translated(Messages::SizeOutOfRange).arg(kMaxSide));
    int cause = 0;
    try {
        // The whole file is made in memory before the file is touched: a
        // drawing that runs out of memory or is interrupted while it is
        // encoded leaves nothing behind, and the file is open only while
        // the finished bytes go to it.
        QBuffer encoded;
        encoded.open(QIODevice::WriteOnly);
        cause = encode(*format, source, encoded, size);
        if (cause == 0) {
            OutputFile file(OutputFile::encodeName(fileName));
            const QByteArray &bytes = encoded.data();
            if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
                cause = file.error();
        }
    } catch (const std::bad_alloc &) {
        cause = ENOMEM;
    }
    if (cause != 0)
        return failure(fileName, reason(cause));
    return {true, {}};
}

int PictureWriter::writePng(const DisplayList &picture, QIODevice &device, const QSize &size)
{
    const QImage image = PicturePainter::image(picture, size);
    if (image.isNull())
        return ENOMEM;
    // Encoded into memory first: libpng stops at a write error by a long
    // jump that leaks the encoder's row buffer.
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (!QImageWriter(&buffer, "png").write(image))
        return ENOMEM;
    return writeAll(device, buffer.data().constData(), buffer.size());
}

int PictureWriter::writePdf(const DisplayList &picture, const QString &caption, QIODevice &device)
{
    // Made in memory first, as the SVG: the PDF writer does not report a
    // device that refuses bytes.
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setTitle(documentTitle());
        writer.setCreator(QStringLiteral("fieldlines"));
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF(15, 15, 15, 15),
                                         QPageLayout::Millimeter));
        writer.setResolution(300);
        QPainter painter;
        if (!painter.begin(&writer))
            return ENOMEM;
        paintPage(painter, QRectF(QPointF(0, 0), QSizeF(writer.width(), writer.height())), picture, caption);
        painter.end();
    }
    return writeAll(device, buffer.data().constData(), buffer.size());
}

void PictureWriter::paintPage(QPainter &painter, const QRectF &page, const DisplayList &picture,
                              const QString &caption)
{
    // The caption takes one line of 11 points under the picture, which keeps
    // its 9:5 shape and fills the width, or the height left.
    QFont font;
    font.setFamilies({QStringLiteral("Liberation Serif"), QStringLiteral("Noto Serif CJK SC"), QStringLiteral("serif")});
    font.setPointSizeF(11);
    painter.setFont(font);
    const QFontMetricsF metrics(font, painter.device());
    const double captionHeight = 2 * metrics.height();
    double width = page.width();
    double height = width * Plot::kDesignHeight / Plot::kDesignWidth;
    if (height > page.height() - captionHeight) {
        height = page.height() - captionHeight;
        width = height * Plot::kDesignWidth / Plot::kDesignHeight;
    }
    const QRectF area(page.left() + (page.width() - width) / 2, page.top(), width, height);
    PicturePainter::paint(painter, picture, area);
    painter.setPen(QPen(QColor(0x80, 0x80, 0x80), 0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(area);
    painter.setPen(Qt::black);
    painter.drawText(QRectF(area.left(), area.bottom() + metrics.height() / 2, width, metrics.height()),
                     Qt::AlignLeft | Qt::AlignVCenter, caption);
}

int PictureWriter::writeSvg(const DisplayList &picture, QIODevice &device, const QSize &size)
{
    // Painted into memory first: the generator does not report a device
    // that refuses bytes, and its header needs its size in pixels.
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(size);
    generator.setViewBox(QRect(QPoint(0, 0), size));
    generator.setTitle(QString::fromUtf8(kTitle));
    QPainter painter;
    if (!painter.begin(&generator))
        return ENOMEM;
    // The picture has no text, but every group of the SVG names the
    // painter's font; without an application font that would be size -1.
    painter.setFont(QFont(QStringLiteral("sans-serif"), 12));
    const QRect area = PicturePainter::plotArea(size);
    if (area.size() != size)
        painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
    PicturePainter::paint(painter, picture, area);
    painter.end();

    // The generator gives the size in millimetres at its resolution; the
    // size asked for is in pixels.
    QByteArray svg = buffer.data();
    const qsizetype start = svg.indexOf("<svg width=\"");
    const qsizetype height = start < 0 ? -1 : svg.indexOf("height=\"", start);
    const qsizetype end = height < 0 ? -1 : svg.indexOf('"', height + 8);
    if (end >= 0) {
        svg.replace(start, end + 1 - start,
                    QStringLiteral("<svg width=\"%1\" height=\"%2\"").arg(size.width()).arg(size.height()).toLatin1());
    }
    return writeAll(device, svg.constData(), svg.size());
}

int PictureWriter::writeCsv(const RecordingSurface &recording, QIODevice &device)
{
    constexpr std::size_t kPiece = 1 << 16;
    std::string piece = kCsvHeader;
    piece.reserve(kPiece + 256);
    for (const RecordingSurface::Operation &operation : recording.operations()) {
        appendCsvRow(piece, operation);
        if (piece.size() >= kPiece) {
            if (const int cause = writeAll(device, piece.data(), qint64(piece.size())))
                return cause;
            piece.clear();
        }
    }
    return writeAll(device, piece.data(), qint64(piece.size()));
}

QString PictureWriter::reason(int cause)
{
    switch (cause) {
    case ENOSPC:
    case EDQUOT:
        return translated(Messages::DiskFull);
    case EACCES:
    case EPERM:
        return translated(Messages::NoPermission);
    case ENOENT:
    case ENOTDIR:
        return translated(Messages::FolderMissing);
    case EROFS:
        return translated(Messages::ReadOnlyDisk);
    case EISDIR:
        return translated(Messages::IsAFolder);
    case ENODEV:
    case ENXIO:
        return translated(Messages::NotAFile);
    case ENOMEM:
        return translated(Messages::NoMemoryForFile);
    case EFBIG:
        return translated(Messages::FileTooLarge);
    case ENAMETOOLONG:
        return translated(Messages::NameTooLong);
    case EIO:
        return translated(Messages::DiskError);
    case ELOOP:
        return translated(Messages::SymlinkLoop);
    default:
        return translated(Messages::SystemError).arg(cause);
    }
}
