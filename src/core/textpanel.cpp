#include "core/textpanel.h"

#include <utility>

TextPanel::TextPanel()
{
    for (std::size_t i = 0; i < texts_.size(); ++i)
        texts_[i] = kDefaultTexts[i];
}

std::string TextPanel::text(int box) const
{
    if (box < 1 || box > 6)
        return {};
    return texts_[box - 1];
}

void TextPanel::setText(int box, std::string text)
{
    if (box >= 1 && box <= 6)
        texts_[box - 1] = std::move(text);
}
