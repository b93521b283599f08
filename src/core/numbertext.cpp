#include "core/numbertext.h"

#include <clocale>
#include <cstdio>

std::string numberText(double value, int significantDigits)
{
    char text[40];
    std::snprintf(text, sizeof text, "%.*g", significantDigits, value);
    return withFullStop(text);
}

std::string withFullStop(std::string printed)
{
    const std::string point = std::localeconv()->decimal_point;
    if (point != ".") {
        const std::size_t at = printed.find(point);
        if (at != std::string::npos)
            printed.replace(at, point.size(), ".");
    }
    return printed;
}
