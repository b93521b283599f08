#include "core/linecollector.h"

#include "core/plotgeometry.h"

#include <algorithm>

void LineCollector::Line(float x1, float y1, float x2, float y2, std::uint32_t colour)
{
    target_.Line(x1, y1, x2, y2, colour);
    const bool offPlot = std::max(x1, x2) < Plot::kLeft || std::min(x1, x2) > Plot::kRight
                         || std::max(y1, y2) < Plot::kBottom || std::min(y1, y2) > Plot::kTop;
    if (!offPlot)
        lines_.push_back({x1, y1, x2, y2});
}
