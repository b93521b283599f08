#pragma once

#include "core/plotgeometry.h"
#include "core/recordingsurface.h"

#include <QSize>
#include <QString>

#include <string>
#include <vector>

class KeptDrawing;

// Writes the picture to a file: the kept drawing as a PNG image or as SVG
// vectors, both painted by KeptDrawing::render, or the operations of a
// recording as CSV. Files are written through a temporary file that replaces
// the target only when everything was written, so a failed write leaves no
// half-written picture behind.
class PictureWriter
{
public:
    struct Result
    {
        bool ok = false;
        QString error;  // why nothing was written, when !ok
        explicit operator bool() const { return ok; }
    };

    // What a file is written from: the kept drawing (what can be seen) or
    // the recording (every operation as issued). A format uses one of them.
    struct Source
    {
        const KeptDrawing *drawing = nullptr;
        const RecordingSurface *recording = nullptr;
    };

    // One kind of picture file. The window's save dialog, the command line
    // and its help all read the table formats(): a new format is one row and
    // one writer function.
    struct Format
    {
        const char *suffix = "";      // lower case, without the dot
        const char *filter = "";      // its name in the save dialog
        bool fromRecording = false;   // written from the recording, not the kept drawing
        bool sized = false;           // has a size in pixels (--size)
        QSize windowSize;             // size when saved from the window; empty: not offered there
        Result (*write)(const Source &source, const QString &fileName, const QSize &size) = nullptr;
    };

    // Largest width and height of an image, in pixels: 8192 × 8192 RGB
    // pixels already take 256 MB.
    static constexpr int kMaxSide = 8192;

    static constexpr const char *kTitle = "电场线的描绘";

    static const std::vector<Format> &formats();

    // The format named by the file's extension, in any letter case, or
    // nullptr.
    static const Format *formatOf(const QString &fileName);

    // True when both sides lie in 1 … kMaxSide.
    static bool isValidSize(const QSize &size);

    // The format's writer, by the file's extension; size applies to the
    // formats that have one.
    static Result write(const Source &source, const QString &fileName,
                        const QSize &size = QSize(Plot::kDesignWidth, Plot::kDesignHeight));
    static Result writePng(const KeptDrawing &drawing, const QString &fileName, const QSize &size);
    static Result writeSvg(const KeptDrawing &drawing, const QString &fileName, const QSize &size);

    // The recording as CSV (csvText, in the core).
    static Result writeCsv(const RecordingSurface &recording, const QString &fileName);
};
