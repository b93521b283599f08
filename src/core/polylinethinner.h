#pragma once

#include "core/plotpoint.h"

#include <vector>

// Keeps as few vertices of a curve as a drawing needs. The curve arrives as
// a dense run of points on it; a point becomes a vertex only where the chord
// from the last vertex to the next point would pass farther than the
// tolerance from some point in between. So every point given lies within
// the tolerance of the polyline kept, and the vertices are points of the
// curve, not moved.
//
// Which points become vertices depends on the curve alone, from its first
// point on: mirrored curves get mirrored vertices, wherever the plot's
// border cuts them. Marked points (the crossings of the border) join the
// vertices in their place without changing that choice.
//
// Each point costs the same whatever the number of points since the last
// vertex: those points are summed up as the cone of directions from the
// vertex whose rays pass within the tolerance of all of them (the "sleeve"
// of Zhao and Saalfeld), and the chord to the next point holds when its
// direction lies in the cone and it reaches at least as far as they do.
class PolylineThinner
{
public:
    PolylineThinner(double tolerance, std::vector<PlotPoint> &vertices);

    // The next point of the curve.
    void add(PlotPoint p);
    // A point of the curve after the last one added, before the next, kept
    // as a vertex but not counted in the thinning.
    void mark(PlotPoint p);
    // The next point of the curve, which must be a vertex, and from which
    // the thinning starts afresh: an end of the curve.
    void keep(PlotPoint p);
    // Ends the curve with the last point given.
    void finish();

private:
    struct Marked
    {
        PlotPoint point;
        long after = 0;  // the number of the point added last before it
    };

    bool chordHolds(PlotPoint to) const;
    // Makes the point added as number `number` a vertex, after the marked
    // points before it.
    void emit(PlotPoint p, long number);
    void append(PlotPoint p);

    double tolerance_ = 0;
    std::vector<PlotPoint> &vertices_;
    std::vector<Marked> marked_;
    // The last vertex of the thinning, and the number of points added.
    bool started_ = false;
    PlotPoint anchor_;
    long added_ = 0;
    // The last point added since the anchor, if any.
    bool pending_ = false;
    PlotPoint last_;
    // The cone, from its clockwise to its counter-clockwise edge (unit
    // vectors); open until a point farther than the tolerance narrows it.
    bool narrowed_ = false;
    PlotPoint clockwise_;
    PlotPoint counterClockwise_;
    // The farthest distance from the anchor of the points since.
    double reach_ = 0;
};
