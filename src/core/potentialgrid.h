#pragma once

#include "core/plotgeometry.h"
#include "core/plotpoint.h"

#include <vector>

struct EquipotentialProblem;

// The (normalised) potential at the nodes of the marching-squares grid,
// which spans the plot exactly: its outer nodes lie on the border. Nodes are
// numbered row by row from the lower left, (i, j) being i cells right of the
// left border and j up from the bottom one.
class PotentialGrid
{
public:
    explicit PotentialGrid(const EquipotentialProblem &problem);

    int cellsX() const { return nx_; }
    int cellsY() const { return ny_; }
    int nodeIndex(int i, int j) const { return j * (nx_ + 1) + i; }
    PlotPoint node(int i, int j) const
    {
        constexpr double left = Plot::kLeft, right = Plot::kRight, bottom = Plot::kBottom, top = Plot::kTop;
        return {left + (right - left) * i / nx_, bottom + (top - bottom) * j / ny_};
    }
    PlotPoint node(int n) const { return node(n % (nx_ + 1), n / (nx_ + 1)); }
    int nodeCount() const { return int(value_.size()); }
    // 0 where the node is not valid.
    double value(int n) const { return value_[n]; }
    // Outside the cut radius of every charge (EquipotentialProblem::cutRadiusPx),
    // so contoured.
    bool valid(int n) const { return valid_[n] != 0; }
    // Outside every charge's dot.
    bool seen(int n) const { return seen_[n] != 0; }
    // Outside the inner radius of every charge (EquipotentialProblem::innerRadiusPx).
    bool open(int n) const { return open_[n] != 0; }

private:
    int nx_ = 0;
    int ny_ = 0;
    std::vector<double> value_;
    std::vector<unsigned char> valid_;
    std::vector<unsigned char> seen_;
    std::vector<unsigned char> open_;
};
