#include "support/checkingsurface.h"

#include <algorithm>
#include <cmath>
#include <cstring>

void CheckingSurface::Line(float x1, float y1, float x2, float y2, std::uint32_t colour)
{
    ++lines;
    check(x1);
    check(y1);
    check(x2);
    check(y2);
    if (nextIsStep_) {
        ++stepLines;
        const bool continues = currentLine > 0 && x1 == lastX_ && y1 == lastY_;
        currentLine = continues ? currentLine + 1 : 1;
        longestLine = std::max(longestLine, currentLine);
        lastX_ = x2;
        lastY_ = y2;
    }
    nextIsStep_ = false;
    mix({x1, y1, x2, y2}, colour);
}

void CheckingSurface::check(float v)
{
    if (!std::isfinite(v))
        ++nonFinite;
}

void CheckingSurface::mix(std::array<float, 4> values, std::uint32_t colour)
{
    unsigned char bytes[sizeof values + sizeof colour + sizeof penWidth_];
    std::memcpy(bytes, values.data(), sizeof values);
    std::memcpy(bytes + sizeof values, &colour, sizeof colour);
    std::memcpy(bytes + sizeof values + sizeof colour, &penWidth_, sizeof penWidth_);
    for (unsigned char b : bytes) {
        fingerprint ^= b;
        fingerprint *= 1099511628211ull;
    }
}
