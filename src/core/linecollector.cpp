#include "core/linecollector.h"

#include "core/plotgeometry.h"

void LineCollector::Line(float x1, float y1, float x2, float y2, std::uint32_t colour)
{
    ForwardingSurface::Line(x1, y1, x2, y2, colour);
    if (!Plot::besidePlot(x1, y1, x2, y2))
        lines_.push_back({x1, y1, x2, y2});
}
