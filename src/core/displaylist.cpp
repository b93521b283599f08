#include "core/displaylist.h"

#include "core/plotclip.h"

#include <algorithm>
#include <cmath>

namespace {

// The drawing procedures give colours in blue-green-red order; the display
// list holds them as red-green-blue (0xRRGGBB) like QColor.
std::uint32_t rgbOf(std::uint32_t bgr)
{
    const std::uint32_t red = bgr & 0xFF;
    const std::uint32_t green = (bgr >> 8) & 0xFF;
    const std::uint32_t blue = (bgr >> 16) & 0xFF;
    return (red << 16) | (green << 8) | blue;
}

}  // namespace

DisplayList::DisplayList()
{
    Scale(Plot::kLeft, Plot::kTop, Plot::kRight, Plot::kBottom);
}

void DisplayList::Cls()
{
    // The capacity stays: the next excite draws about as much again.
    runs_.clear();
    points_.clear();
    labels_.clear();
    operationCount_ = 0;
    ++revision_;
}

void DisplayList::Scale(float left, float top, float right, float bottom)
{
    const double scaleX = Plot::kDesignWidth / (double(right) - double(left));
    const double scaleY = Plot::kDesignHeight / (double(bottom) - double(top));
    if (!std::isfinite(scaleX) || !std::isfinite(scaleY) || scaleX == 0 || scaleY == 0)
        return;
    scaleX_ = scaleX;
    scaleY_ = scaleY;
    originX_ = -double(left) * scaleX;
    originY_ = -double(top) * scaleY;
}

void DisplayList::DrawWidth(int pixels)
{
    penWidth_ = std::clamp(pixels, 1, kMaxPenWidth);
}

void DisplayList::setLayers(Layer lines, Layer dots)
{
    lineLayer_ = lines;
    dotLayer_ = dots;
}

DisplayList::Run &DisplayList::runFor(bool dots, std::uint32_t rgb)
{
    const Layer layer = dots ? dotLayer_ : lineLayer_;
    if (runs_.empty() || runs_.back().dots != dots || runs_.back().rgb != rgb
        || runs_.back().width != float(penWidth_) || runs_.back().layer != layer) {
        Run run;
        run.rgb = rgb;
        run.width = float(penWidth_);
        run.dots = dots;
        run.layer = layer;
        run.first = std::uint32_t(points_.size());
        runs_.push_back(run);
    }
    return runs_.back();
}

void DisplayList::Line(float x1, float y1, float x2, float y2, std::uint32_t colour)
{
    PlotPoint from{originX_ + x1 * scaleX_, originY_ + y1 * scaleY_};
    PlotPoint to{originX_ + x2 * scaleX_, originY_ + y2 * scaleY_};
    if (!isFinite(from) || !isFinite(to))
        return;

    // Clip with a margin beyond the pen's half width, so that neither the
    // stroke nor its round cap at a clipped end can reach into the picture:
    // the clipped segment paints exactly the pixels the whole one would.
    const double margin = penWidth_ / 2.0 + 1;
    const ClipRange range =
        clipRange(from, to, -margin, -margin, Plot::kDesignWidth + margin, Plot::kDesignHeight + margin);
    if (range.t0 > range.t1)
        return;
    cutTo(range, from, to);

    const Point a{float(from.x), float(from.y)};
    const Point b{float(to.x), float(to.y)};
    Run &run = runFor(false, rgbOf(colour));
    if (run.count >= 2) {
        const Point &last = points_.back();
        const Point &beforeLast = points_[points_.size() - 2];
        const auto same = [](const Point &p, const Point &q) { return p.x == q.x && p.y == q.y; };
        // A line stepping to and fro across a point of zero field draws the
        // same segment over and over: it adds nothing to the picture.
        if ((same(a, beforeLast) && same(b, last)) || (same(a, last) && same(b, beforeLast)))
            return;
        if (same(a, last)) {
            points_.push_back(b);
            ++run.count;
            ++operationCount_;
            ++revision_;
            return;
        }
    }
    if (run.count > 0) {
        // Not connected to the run's polyline: start another of the same style.
        Run next = run;
        next.first = std::uint32_t(points_.size());
        next.count = 0;
        runs_.push_back(next);
    }
    points_.push_back(a);
    points_.push_back(b);
    runs_.back().count += 2;
    ++operationCount_;
    ++revision_;
}

void DisplayList::PSet(float x, float y, std::uint32_t colour)
{
    const double px = originX_ + x * scaleX_;
    const double py = originY_ + y * scaleY_;
    if (!std::isfinite(px) || !std::isfinite(py))
        return;
    const double reach = penWidth_ / 2.0 + 1;
    if (px < -reach || px > Plot::kDesignWidth + reach || py < -reach || py > Plot::kDesignHeight + reach)
        return;
    Run &run = runFor(true, rgbOf(colour));
    points_.push_back(Point{float(px), float(py)});
    ++run.count;
    ++operationCount_;
    ++revision_;
}

void DisplayList::Label(float x, float y, const std::string &text, std::uint32_t colour)
{
    const double px = originX_ + x * scaleX_;
    const double py = originY_ + y * scaleY_;
    if (!std::isfinite(px) || !std::isfinite(py) || text.empty())
        return;
    labels_.push_back({Point{float(px), float(py)}, text, rgbOf(colour)});
    ++revision_;
}

DisplayList DisplayList::painted(const std::function<void(Run &)> &runStyle,
                                 const std::function<void(Text &)> &labelStyle) const
{
    DisplayList out(*this);
    std::stable_sort(out.runs_.begin(), out.runs_.end(),
                     [](const Run &a, const Run &b) { return a.layer < b.layer; });
    for (Run &run : out.runs_)
        runStyle(run);
    for (Text &label : out.labels_)
        labelStyle(label);
    ++out.revision_;
    return out;
}

std::size_t DisplayList::byteSize() const
{
    std::size_t bytes = sizeof(*this) + runs_.capacity() * sizeof(Run) + points_.capacity() * sizeof(Point)
                        + labels_.capacity() * sizeof(Text);
    for (const Text &label : labels_)
        bytes += label.text.capacity();
    return bytes;
}

