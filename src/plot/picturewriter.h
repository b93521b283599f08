#pragma once

#include "plot/keptdrawing.h"
#include "plot/recordingsurface.h"

#include <QSize>
#include <QString>

#include <optional>
#include <string>
#include <vector>

// Writes the picture to a file: the kept drawing as a PNG image or as SVG
// vectors, both painted by KeptDrawing::render, or the operations of a
// recording as CSV. Files are written through a temporary file that replaces
// the target only when everything was written, so a failed write leaves no
// half-written picture behind.
class PictureWriter
{
public:
    enum class Format { Png, Svg, Csv };

    struct Result
    {
        bool ok = false;
        QString error;  // why nothing was written, when !ok
        explicit operator bool() const { return ok; }
    };

    // Largest width and height of an image, in pixels: 8192 × 8192 RGB
    // pixels already take 256 MB.
    static constexpr int kMaxSide = 8192;

    static constexpr const char *kTitle = "电场线的描绘";

    // The format named by the file's extension (.png, .svg, .csv, in any
    // letter case), or none.
    static std::optional<Format> formatOf(const QString &fileName);

    // True when both sides lie in 1 … kMaxSide.
    static bool isValidSize(const QSize &size);

    // PNG or SVG by the file's extension, at the given size in pixels.
    static Result write(const KeptDrawing &drawing, const QString &fileName,
                        const QSize &size = QSize(KeptDrawing::kDesignWidth, KeptDrawing::kDesignHeight));
    static Result writePng(const KeptDrawing &drawing, const QString &fileName, const QSize &size);
    static Result writeSvg(const KeptDrawing &drawing, const QString &fileName, const QSize &size);

    // The CSV of the Line and PSet operations of the recording, in the order
    // issued, every one of them including those outside the plot:
    //   op,x1,y1,x2,y2,colour,width
    //   line,-14,0,-13,0,#0000ff,1
    //   pset,-15,0,,,#00c000,20
    // Coordinates are the 32-bit values as passed, with nine significant
    // digits so they read back to the same float, always with a full stop;
    // colours are #rrggbb; width is the pen width in force.
    static std::string csvText(const std::vector<RecordingSurface::Operation> &drawing);
    static Result writeCsv(const RecordingSurface &recording, const QString &fileName);
};
