#pragma once

#include "core/plotpoint.h"

#include <vector>

class PointField;
struct EquipotentialProblem;

// Makes one delivered curve of a level from a rough polyline of it (the
// marching squares' path): vertices spaced by the curve's own curvature and
// put exactly onto the level by Newton steps along the gradient, so that
// rings near a charge come out as true circles.
class CurveRefiner
{
public:
    // level is normalised, as the problem's field is.
    CurveRefiner(const EquipotentialProblem &problem, double level);

    // The guide's points lie on the level; its ends are kept exactly, and a
    // closed guide gives a curve whose last point repeats its first. Along
    // the guide the vertices are spaced evenly in the measure ∫ ds / h(s), h
    // the segment length the curve wants where it is (segmentLength()), so
    // that neighbouring segments differ little in length; each is then put
    // onto the level, and a segment whose midpoint is still off the level by
    // more than the tolerance is split. Empty when the guide has fewer than
    // two distinct points.
    std::vector<PlotPoint> refine(std::vector<PlotPoint> guide, bool closed) const;

private:
    double segmentLength(PlotPoint p) const;
    PlotPoint project(PlotPoint start) const;
    void subdivide(std::vector<PlotPoint> &out, PlotPoint b, int depth) const;

    const PointField &field_;
    double level_ = 0;
    double tolerance_ = 0;
    double maxSegment_ = 0;
    double minSegment_ = 0;
    double maxMove_ = 0;
};
