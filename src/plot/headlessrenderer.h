#pragma once

#include "core/configuration.h"
#include "core/plotgeometry.h"

#include <QSize>
#include <QString>

// Draws a configuration without a window and writes the picture to a file
// in the format of its extension: what `fieldlines --output FILE` does. It
// needs no widgets and no display.
class HeadlessRenderer
{
public:
    enum class Outcome {
        Written,     // the file holds the picture
        Refused,     // the drawing showed a message; nothing was written
        NotWritten,  // the file could not be written, or memory ran out
    };

    struct Result
    {
        Outcome outcome = Outcome::Written;
        QString message;  // why, in the language of the interface, when not written
    };

    // The file's format must be one of the table (PictureWriter::formatOf);
    // size applies to the formats that have one.
    static Result render(const Configuration &configuration, const QString &file,
                         const QSize &size = QSize(Plot::kDesignWidth, Plot::kDesignHeight));
};
