#pragma once

#include <string_view>
#include <vector>

// The kinds of file a picture is written to. The window's save dialog, the
// command line and its help, the page's save menu and the messages all
// read this one table; the writers that encode each kind belong to the
// front end that writes it.
struct OutputFormat
{
    const char *suffix;       // lower case, without the dot: "png"
    const char *name;         // its name in a save dialog: "PNG 图片", translated in the context "PictureWriter"
    bool fromRecording;       // every operation as issued (CSV), not the picture as seen
    bool sized;               // has a size in pixels (--size)
    bool fromWindow;          // offered when saving the picture on show
    int savedWidth;           // its size when saved from the window or the page, 0 for none
    int savedHeight;
};

const std::vector<OutputFormat> &outputFormats();

// The format of a file name's extension, in any letter case, or nullptr.
const OutputFormat *outputFormatOf(std::string_view fileName);
