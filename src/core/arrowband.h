#pragma once

#include <cmath>

// The ring about a charge in which a traced line gets its arrowhead: the
// steps that start within halfWidth of the distance middle from the charge.
// Steps are one unit long and the ring is narrower, so a line can step over
// it without a start point inside; such a line gets the arrowhead at the
// step that follows the crossing of the ring's middle, where the ring would
// have drawn it, so that every line crossing the ring shows its direction.
class ArrowBand
{
public:
    ArrowBand(double middle, double halfWidth)
        : middle_(middle)
        , halfWidth_(halfWidth)
    {
    }

    // Called once per step with the distance of its start point from the
    // ring's charge; true when that step gets the ring's arrowhead.
    bool wants(float distance)
    {
        const double r = distance;
        const bool inside = std::fabs(r - middle_) < halfWidth_;
        const bool crossed = (previous_ < middle_ && r > middle_) || (previous_ > middle_ && r < middle_);
        const bool wanted = inside || (crossed && !drawn_);
        drawn_ = drawn_ || wanted;
        previous_ = r;
        return wanted;
    }

private:
    double middle_;
    double halfWidth_;
    double previous_ = NAN;  // no step before the first
    bool drawn_ = false;
};
