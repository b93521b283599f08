#include "core/polylinethinner.h"

#include <cmath>

namespace {

double cross(PlotPoint a, PlotPoint b)
{
    return a.x * b.y - a.y * b.x;
}

}  // namespace

PolylineThinner::PolylineThinner(double tolerance, std::vector<PlotPoint> &vertices)
    : tolerance_(tolerance)
    , vertices_(vertices)
{
    if (!vertices_.empty()) {
        started_ = true;
        anchor_ = vertices_.back();
    }
}

bool PolylineThinner::chordHolds(PlotPoint to) const
{
    const PlotPoint v{to.x - anchor_.x, to.y - anchor_.y};
    if (std::sqrt(v.x * v.x + v.y * v.y) < reach_)
        return false;
    if (!narrowed_)
        return true;
    const PlotPoint middle{clockwise_.x + counterClockwise_.x, clockwise_.y + counterClockwise_.y};
    return cross(clockwise_, v) >= 0 && cross(v, counterClockwise_) >= 0 && v.x * middle.x + v.y * middle.y > 0;
}

void PolylineThinner::append(PlotPoint p)
{
    if (vertices_.empty() || vertices_.back().x != p.x || vertices_.back().y != p.y)
        vertices_.push_back(p);
}

void PolylineThinner::emit(PlotPoint p, long number)
{
    std::size_t i = 0;
    for (; i < marked_.size() && marked_[i].after < number; ++i)
        append(marked_[i].point);
    marked_.erase(marked_.begin(), marked_.begin() + long(i));
    append(p);
    started_ = true;
    anchor_ = p;
    pending_ = false;
    narrowed_ = false;
    reach_ = 0;
}

void PolylineThinner::add(PlotPoint p)
{
    ++added_;
    if (!started_) {
        emit(p, added_);
        return;
    }
    if (pending_ && !chordHolds(p))
        emit(last_, added_ - 1);
    const PlotPoint v{p.x - anchor_.x, p.y - anchor_.y};
    const double d = std::sqrt(v.x * v.x + v.y * v.y);
    if (d > tolerance_) {
        // The rays within the tolerance of p turn at most asin(tolerance / d)
        // either way from the direction of p.
        const double s = tolerance_ / d;
        const double c = std::sqrt(1 - s * s);
        const PlotPoint u{v.x / d, v.y / d};
        const PlotPoint clockwise{c * u.x + s * u.y, c * u.y - s * u.x};
        const PlotPoint counterClockwise{c * u.x - s * u.y, c * u.y + s * u.x};
        if (!narrowed_) {
            clockwise_ = clockwise;
            counterClockwise_ = counterClockwise;
            narrowed_ = true;
        } else {
            if (cross(clockwise_, clockwise) > 0)
                clockwise_ = clockwise;
            if (cross(counterClockwise, counterClockwise_) > 0)
                counterClockwise_ = counterClockwise;
        }
    }
    if (d > reach_)
        reach_ = d;
    pending_ = true;
    last_ = p;
}

void PolylineThinner::mark(PlotPoint p)
{
    marked_.push_back({p, added_});
}

void PolylineThinner::keep(PlotPoint p)
{
    ++added_;
    if (started_ && pending_ && !chordHolds(p))
        emit(last_, added_ - 1);
    emit(p, added_);
}

void PolylineThinner::finish()
{
    if (pending_)
        emit(last_, added_);
    for (const Marked &m : marked_)
        append(m.point);
    marked_.clear();
}
