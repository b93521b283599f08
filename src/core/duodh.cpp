#include "core/fieldlines.h"

#include "core/plotsurface.h"
#include "core/drawingstate.h"
#include "core/messages.h"

void FieldLines::DuoDH()
{
    // The tracers assume charge 1 is not right of charge 2. Say so and let
    // the user correct the boxes; the program goes on.
    if (s_.x2 < s_.x1) {
        drawn_.clear();
        messenger_.show(Messages::WrongOrder);
        return;
    }
    // The sign of the exact product: no overflow for large amounts, and tiny
    // amounts of opposite sign still count as unlike.
    if (double(s_.q2) * double(s_.q1) >= 0)
        Tongzhong();
    else
        Yizhong();

    surface_.DrawWidth(20);
    surface_.PSet(s_.x1, s_.y1, Colour::Green);
    surface_.PSet(s_.x2, s_.y2, Colour::Red);
}
