#pragma once

#include <string>
#include <vector>

// Marks a text of the interface for its English translation: the window and
// the command line show it through Qt's translation in that context, which
// lupdate finds by this mark (scripts/update-translations.sh). In the core,
// which has no Qt, it is the text itself.
#define FIELDLINES_TEXT(context, text) text

// A text of the interface in the language shown, for the texts the core
// puts together itself (the probe's readout, the caption): the window and
// the command line pass Qt's translation, the page its own table.
using Translator = std::string (*)(const char *context, const char *source);

// The Chinese source text as it is.
inline std::string untranslated(const char *, const char *source)
{
    return source;
}

// The text with %1, %2 … replaced by the arguments in turn, as QString::arg
// does for the texts the core puts together.
inline std::string withArguments(std::string text, const std::vector<std::string> &arguments)
{
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string mark = "%" + std::to_string(i + 1);
        const std::size_t at = text.find(mark);
        if (at != std::string::npos)
            text.replace(at, mark.size(), arguments[i]);
    }
    return text;
}
