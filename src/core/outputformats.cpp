#include "core/outputformats.h"

#include "core/plotgeometry.h"
#include "core/translatable.h"

#include <cctype>

const std::vector<OutputFormat> &outputFormats()
{
    // A picture is saved at twice the designed size, so that it stays sharp
    // when printed or projected; an SVG has the designed size.
    static const std::vector<OutputFormat> table = {
        {"png", FIELDLINES_TEXT("PictureWriter", "PNG 图片"), false, true, true, 2 * Plot::kDesignWidth,
         2 * Plot::kDesignHeight},
        {"svg", FIELDLINES_TEXT("PictureWriter", "SVG 矢量图"), false, true, true, Plot::kDesignWidth,
         Plot::kDesignHeight},
        {"pdf", FIELDLINES_TEXT("PictureWriter", "PDF 文档"), false, false, true, 0, 0},
        {"csv", FIELDLINES_TEXT("PictureWriter", "CSV 表格"), true, false, false, 0, 0},
    };
    return table;
}

const OutputFormat *outputFormatOf(std::string_view fileName)
{
    const std::size_t slash = fileName.find_last_of('/');
    const std::string_view base = slash == std::string_view::npos ? fileName : fileName.substr(slash + 1);
    const std::size_t dot = base.find_last_of('.');
    if (dot == std::string_view::npos)
        return nullptr;
    const std::string_view suffix = base.substr(dot + 1);
    for (const OutputFormat &format : outputFormats()) {
        const std::string_view known = format.suffix;
        if (suffix.size() != known.size())
            continue;
        bool same = true;
        for (std::size_t i = 0; i < suffix.size(); ++i)
            same = same && std::tolower(static_cast<unsigned char>(suffix[i])) == known[i];
        if (same)
            return &format;
    }
    return nullptr;
}
