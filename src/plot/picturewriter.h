#pragma once

#include "core/plotgeometry.h"
#include "core/recordingsurface.h"

#include <QRectF>
#include <QSize>
#include <QString>

#include <string>
#include <vector>

class KeptDrawing;
class QPainter;
class QIODevice;

// Writes the picture to a file: the kept drawing as a PNG image or as SVG
// vectors, both painted by KeptDrawing::render, or the operations of a
// recording as CSV. Files are written through OutputFile: a failed write
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

    // What a file is written from: the kept drawing (what can be seen) or
    // the recording (every operation as issued). A format uses one of them.
    struct Source
    {
        const KeptDrawing *drawing = nullptr;
        const RecordingSurface *recording = nullptr;
        // The line under the picture on a page (PDF): the mode, the
        // positions and the amounts.
        QString caption;
    };

    // One kind of picture file. The window's save dialog, the command line
    // and its help all read the table formats(): a new format is one row and
    // one encoder.
    struct Format
    {
        const char *suffix = "";      // lower case, without the dot
        const char *filter = "";      // its name in the save dialog (translated in the context "PictureWriter")
        bool fromRecording = false;   // written from the recording, not the kept drawing
        bool sized = false;           // has a size in pixels (--size)
        bool fromWindow = false;      // offered by the window's save dialog
        QSize windowSize;             // its size when saved from the window
        // Encodes the picture onto device: 0, or the errno of the failure
        // (ENOMEM, or EIO when the device refused bytes).
        int (*write)(const Source &source, QIODevice &device, const QSize &size) = nullptr;
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

    static const std::vector<Format> &formats();

    // The format named by the file's extension, in any letter case, or
    // nullptr.
    static const Format *formatOf(const QString &fileName);

    // True when both sides lie in 1 … kMaxSide.
    static bool isValidSize(const QSize &size);

    // Writes the file in the format of its extension; size applies to the
    // formats that have one. The name may carry bytes that are not UTF-8
    // (OutputFile::decodeName). Out of memory is a failure like any other.
    // The file is encoded whole in memory before it is opened, so that no
    // file, not even a temporary one, exists while the picture is made.
    static Result write(const Source &source, const QString &fileName,
                        const QSize &size = QSize(Plot::kDesignWidth, Plot::kDesignHeight));

    // The encoders of the table. A picture whose size is not of the plot's
    // 9:5 shape shows the plot centred on white (KeptDrawing::plotArea).
    static int writePng(const KeptDrawing &drawing, QIODevice &device, const QSize &size);
    // Width and height are in pixels (no unit), so that a browser shows the
    // picture at its size.
    static int writeSvg(const KeptDrawing &drawing, QIODevice &device, const QSize &size);

    // One A4 landscape page: the picture as vectors across the page, the
    // caption line under it.
    static int writePdf(const KeptDrawing &drawing, const QString &caption, QIODevice &device);
    // The page as writePdf and the window's printing paint it, into page
    // (the printable area, in the painter's coordinates).
    static void paintPage(QPainter &painter, const QRectF &page, const KeptDrawing &drawing, const QString &caption);

    // The recording as CSV (csvText in the core), written in pieces so that
    // a long recording is never held twice.
    static int writeCsv(const RecordingSurface &recording, QIODevice &device);

    // Why a file was not written, in a sentence, from the errno of the
    // failure.
    static QString reason(int cause);
};
