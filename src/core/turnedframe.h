#pragma once

#include "core/plotgeometry.h"
#include "core/plotpoint.h"

struct DrawingState;

// The frame the two-charge tracers trace in. Their rules are those of two
// charges on one horizontal line with charge 1 on the left: the start
// directions are counted from the line through the charges, the axis beyond
// them is found where the field points exactly in -x, and the side borders
// end lines differently beyond charge 1 and beyond charge 2. Two charges on
// one vertical line are traced in the plot turned by 90 degrees, so that
// they lie on one horizontal line with charge 1 on the left, and every point
// drawn is turned back (D18). A quarter turn only exchanges and negates
// coordinates, so a 32-bit value turns exactly: the traced picture is the
// horizontal pair's picture, turned, with the plot's own borders.
//
// For every other placement the frame is the plot itself.
class TurnedFrame
{
public:
    // The turn that carries the plot into the traced frame.
    enum class Turn {
        None,
        Clockwise,         // (x, y) -> (y, -x): up becomes right
        Counterclockwise,  // (x, y) -> (-y, x): down becomes right
    };

    TurnedFrame() = default;
    explicit TurnedFrame(Turn turn);

    // The frame for the charges held in the state, in plot coordinates:
    // turned when x1 == x2 (as stored) and y1 != y2, so that the direction
    // from charge 1 to charge 2 becomes +x; the plot itself otherwise.
    static TurnedFrame forCharges(const DrawingState &state);

    Turn turn() const { return turn_; }

    PlotPoint toTrace(double x, double y) const;
    PlotPoint toPlot(double x, double y) const;

    // The plot's borders as they lie in the traced frame.
    float left() const { return left_; }
    float right() const { return right_; }
    float bottom() const { return bottom_; }
    float top() const { return top_; }

private:
    Turn turn_ = Turn::None;
    float left_ = Plot::kLeft;
    float right_ = Plot::kRight;
    float bottom_ = Plot::kBottom;
    float top_ = Plot::kTop;
};
