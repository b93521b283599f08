#include "core/recordingsurface.h"

void RecordingSurface::Cls()
{
    operations_.clear();
    operations_.push_back({Op::Cls, 0, 0, 0, 0, 0, penWidth_});
}

void RecordingSurface::Width(float width)
{
    width_ = width;
    operations_.push_back({Op::Width, width, 0, 0, 0, 0, penWidth_});
}

void RecordingSurface::Scale(float left, float top, float right, float bottom)
{
    operations_.push_back({Op::Scale, left, top, right, bottom, 0, penWidth_});
}

void RecordingSurface::AutoRedraw(bool on)
{
    autoRedraw_ = on;
    operations_.push_back({Op::AutoRedraw, on ? 1.0f : 0.0f, 0, 0, 0, 0, penWidth_});
}

void RecordingSurface::DrawWidth(int pixels)
{
    penWidth_ = pixels;
    operations_.push_back({Op::DrawWidth, 0, 0, 0, 0, 0, penWidth_});
}

void RecordingSurface::Line(float x1, float y1, float x2, float y2, std::uint32_t colour)
{
    operations_.push_back({Op::Line, x1, y1, x2, y2, colour, penWidth_});
}

void RecordingSurface::PSet(float x, float y, std::uint32_t colour)
{
    operations_.push_back({Op::PSet, x, y, 0, 0, colour, penWidth_});
}

std::vector<RecordingSurface::Operation> RecordingSurface::drawing() const
{
    std::vector<Operation> result;
    for (const Operation &operation : operations_) {
        if (operation.op == Op::Line || operation.op == Op::PSet)
            result.push_back(operation);
    }
    return result;
}
