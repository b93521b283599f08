#pragma once

#include "core/displaylist.h"
#include "core/outputformats.h"
#include "core/plotgeometry.h"
#include "core/recordingsurface.h"

#include <QRectF>
#include <QSize>
#include <QString>

#include <string>
#include <vector>

class QPainter;
class QIODevice;

// Writes the picture to a file: the finished picture as a PNG image, SVG
// vectors or a PDF page, all painted by PicturePainter, or the operations
// of a recording as CSV. Files are written through OutputFile: a failed write
// says why and leaves any file that was there as it was.
class PictureWriter
{
public:
    struct Result
    {
        bool ok = false;
        QString error;  // which file was not written and why, in one sentence
        explicit operator bool() const { return ok; }
    };

    // What a file is written from: the finished picture (what can be seen)
    // or the recording (every operation as issued). A format uses one of
    // them (OutputFormat::fromRecording).
    struct Source
    {
        const DisplayList *picture = nullptr;
        const RecordingSurface *recording = nullptr;
        // The line under the picture on a page (PDF): the mode, the
        // positions and the amounts.
        QString caption;
    };

    // Largest width and height of an image, in pixels: 8192 × 8192 RGB
    // pixels already take 256 MB.
    static constexpr int kMaxSide = 8192;

    // The title an SVG carries, the same in every language, as the
    // picture is.
    static constexpr const char *kTitle = QT_TRANSLATE_NOOP("PictureWriter", "电场线的描绘");
    // The title of a document in the interface's language: a PDF's, a
    // print job's.
    static QString documentTitle();

    // The format named by the file's extension (core/outputformats.h), in
    // any letter case, or nullptr.
    static const OutputFormat *formatOf(const QString &fileName);

    // True when both sides lie in 1 … kMaxSide.
    static bool isValidSize(const QSize &size);

    // Writes the file in the format of its extension; size applies to the
    // formats that have one. The name may carry bytes that are not UTF-8
    // (OutputFile::decodeName). Out of memory is a failure like any other.
    // The file is encoded whole in memory before it is opened, so that no
    // file, not even a temporary one, exists while the picture is made.
    static Result write(const Source &source, const QString &fileName,
                        const QSize &size = QSize(Plot::kDesignWidth, Plot::kDesignHeight));

    // Encodes the picture onto device in a format of the table: 0, or the
    // errno of the failure (ENOMEM, or EIO when the device refused bytes).
    static int encode(const OutputFormat &format, const Source &source, QIODevice &device, const QSize &size);

    // The encoders, one for each format. A picture whose size is not of the
    // plot's 9:5 shape shows the plot centred on white
    // (PicturePainter::plotArea).
    static int writePng(const DisplayList &picture, QIODevice &device, const QSize &size);
    // Width and height are in pixels (no unit), so that a browser shows the
    // picture at its size.
    static int writeSvg(const DisplayList &picture, QIODevice &device, const QSize &size);

    // One A4 landscape page: the picture as vectors across the page, the
    // caption line under it.
    static int writePdf(const DisplayList &picture, const QString &caption, QIODevice &device);
    // The page as writePdf and the window's printing paint it, into page
    // (the printable area, in the painter's coordinates).
    static void paintPage(QPainter &painter, const QRectF &page, const DisplayList &picture, const QString &caption);

    // The recording as CSV (csvText in the core), written in pieces so that
    // a long recording is never held twice.
    static int writeCsv(const RecordingSurface &recording, QIODevice &device);

    // Why a file was not written, in a sentence, from the errno of the
    // failure.
    static QString reason(int cause);
};
