#include "core/marchingsquares.h"

#include "core/equipotentialproblem.h"
#include "core/potentialgrid.h"

#include <algorithm>
#include <cmath>
#include <utility>

MarchingSquares::MarchingSquares(const EquipotentialProblem &problem, const PotentialGrid &grid,
                                 std::vector<double> levels)
    : problem_(problem)
    , grid_(grid)
    , nx_(grid.cellsX())
    , ny_(grid.cellsY())
    , horizontal_(nx_ * (ny_ + 1))
    , levels_(std::move(levels))
{
    // band_ = how many levels lie at or below the node's potential, so a node
    // is above level index m exactly when band_ > m.
    band_.resize(grid.nodeCount());
    for (int n = 0; n < grid.nodeCount(); ++n)
        band_[n] = int(std::upper_bound(levels_.begin(), levels_.end(), grid.value(n)) - levels_.begin());

    cellValid_.resize(std::size_t(nx_) * ny_);
    for (int j = 0; j < ny_; ++j) {
        for (int i = 0; i < nx_; ++i) {
            cellValid_[j * nx_ + i] = grid.valid(grid.nodeIndex(i, j)) && grid.valid(grid.nodeIndex(i + 1, j))
                                      && grid.valid(grid.nodeIndex(i, j + 1))
                                      && grid.valid(grid.nodeIndex(i + 1, j + 1));
        }
    }

    crossings_.resize(levels_.size());
    visited_.assign(horizontal_ + (nx_ + 1) * ny_, -1);
    auto addCrossings = [&](int e, int a, int b) {
        if (grid.valid(a) && grid.valid(b)) {
            for (int m = std::min(band_[a], band_[b]); m < std::max(band_[a], band_[b]); ++m)
                crossings_[m].push_back(e);
        }
    };
    for (int j = 0; j <= ny_; ++j) {
        for (int i = 0; i < nx_; ++i)
            addCrossings(j * nx_ + i, grid.nodeIndex(i, j), grid.nodeIndex(i + 1, j));
    }
    for (int j = 0; j < ny_; ++j) {
        for (int i = 0; i <= nx_; ++i)
            addCrossings(horizontal_ + j * (nx_ + 1) + i, grid.nodeIndex(i, j), grid.nodeIndex(i, j + 1));
    }
}

std::vector<MarchingSquares::Path> MarchingSquares::trace(int index)
{
    std::vector<Path> paths;
    // Every crossing left over once the ends are followed lies on a closed
    // curve.
    for (int e : crossings_[index]) {
        const auto cells = validCells(e);
        if (visited_[e] != index && (cells[0] < 0) != (cells[1] < 0)) {
            bool closed = false;
            paths.push_back({walk(index, e, std::max(cells[0], cells[1]), closed), false});
        }
    }
    for (int e : crossings_[index]) {
        const auto cells = validCells(e);
        if (visited_[e] != index && cells[0] >= 0 && cells[1] >= 0) {
            bool closed = false;
            std::vector<PlotPoint> points = walk(index, e, cells[1], closed);
            paths.push_back({std::move(points), closed});
        }
    }
    return paths;
}

std::array<int, 2> MarchingSquares::edgeNodes(int e) const
{
    if (e < horizontal_) {
        const int j = e / nx_, i = e % nx_;
        return {grid_.nodeIndex(i, j), grid_.nodeIndex(i + 1, j)};
    }
    const int v = e - horizontal_;
    const int j = v / (nx_ + 1), i = v % (nx_ + 1);
    return {grid_.nodeIndex(i, j), grid_.nodeIndex(i, j + 1)};
}

// The contoured cells on either side of an edge, -1 for none.
std::array<int, 2> MarchingSquares::validCells(int e) const
{
    std::array<int, 2> cells{-1, -1};
    if (e < horizontal_) {
        const int j = e / nx_, i = e % nx_;
        if (j > 0)
            cells[0] = (j - 1) * nx_ + i;
        if (j < ny_)
            cells[1] = j * nx_ + i;
    } else {
        const int v = e - horizontal_;
        const int j = v / (nx_ + 1), i = v % (nx_ + 1);
        if (i > 0)
            cells[0] = j * nx_ + i - 1;
        if (i < nx_)
            cells[1] = j * nx_ + i;
    }
    for (int &c : cells) {
        if (c >= 0 && !cellValid_[c])
            c = -1;
    }
    return cells;
}

// Corners counterclockwise from the lower left; edge m joins corners m and
// m + 1: bottom, right, top, left.
std::array<int, 4> MarchingSquares::cellNodes(int c) const
{
    const int j = c / nx_, i = c % nx_;
    return {grid_.nodeIndex(i, j), grid_.nodeIndex(i + 1, j), grid_.nodeIndex(i + 1, j + 1), grid_.nodeIndex(i, j + 1)};
}

std::array<int, 4> MarchingSquares::cellEdges(int c) const
{
    const int j = c / nx_, i = c % nx_;
    const int left = horizontal_ + j * (nx_ + 1) + i;
    return {j * nx_ + i, left + 1, (j + 1) * nx_ + i, left};
}

// The edge through which the level leaves cell c after entering through
// `entry`, -1 if it does not cross there. In a cell whose corners alternate
// above and below the level, the potential at the centre decides: the
// corners on the other side of it than the centre are cut off.
int MarchingSquares::exitEdge(int index, int c, int entry) const
{
    const auto nodes = cellNodes(c);
    const auto edges = cellEdges(c);
    std::array<bool, 4> above{};
    for (int m = 0; m < 4; ++m)
        above[m] = band_[nodes[m]] > index;
    int me = -1;
    int crossing = 0;
    for (int m = 0; m < 4; ++m) {
        if (above[m] != above[(m + 1) % 4]) {
            ++crossing;
            if (edges[m] == entry)
                me = m;
        }
    }
    if (me < 0)
        return -1;
    if (crossing == 2) {
        for (int m = 0; m < 4; ++m) {
            if (m != me && above[m] != above[(m + 1) % 4])
                return edges[m];
        }
    }
    const PlotPoint centre = interpolate(grid_.node(nodes[0]), grid_.node(nodes[2]), 0.5);
    const bool centreAbove = problem_.field.potential(centre.x, centre.y) >= levels_[index];
    return above[me] != centreAbove ? edges[(me + 3) % 4] : edges[(me + 1) % 4];
}

// Where the level crosses edge e: regula falsi with the Illinois
// modification, between nodes on either side of the level.
PlotPoint MarchingSquares::crossingPoint(int index, int e) const
{
    const auto [n0, n1] = edgeNodes(e);
    const PlotPoint p0 = grid_.node(n0), p1 = grid_.node(n1);
    const double level = levels_[index];
    double a = 0, b = 1;
    double fa = grid_.value(n0) - level, fb = grid_.value(n1) - level;
    if (fa == 0)
        return p0;
    if (fb == 0)
        return p1;
    int side = 0;
    double t = 0.5;
    for (int iteration = 0; iteration < 60; ++iteration) {
        const double next = (a * fb - b * fa) / (fb - fa);
        if (!std::isfinite(next))
            break;
        const bool converged = std::fabs(next - t) < 1e-12;
        t = next;
        const PlotPoint at = interpolate(p0, p1, t);
        const double ft = problem_.field.potential(at.x, at.y) - level;
        if (ft == 0 || converged)
            break;
        if ((ft > 0) == (fb > 0)) {
            b = t;
            fb = ft;
            if (side == -1)
                fa *= 0.5;
            side = -1;
        } else {
            a = t;
            fa = ft;
            if (side == 1)
                fb *= 0.5;
            side = 1;
        }
    }
    return interpolate(p0, p1, std::clamp(t, 0.0, 1.0));
}

// Follows the level from edge `start` into cell c until it leaves the valid
// cells or comes back to `start`.
std::vector<PlotPoint> MarchingSquares::walk(int index, int start, int c, bool &closed)
{
    std::vector<PlotPoint> points{crossingPoint(index, start)};
    visited_[start] = index;
    int entry = start;
    for (std::size_t guard = 0; guard < visited_.size(); ++guard) {
        const int exit = exitEdge(index, c, entry);
        if (exit == start) {
            closed = true;
            break;
        }
        if (exit < 0 || visited_[exit] == index)
            break;
        visited_[exit] = index;
        points.push_back(crossingPoint(index, exit));
        const auto cells = validCells(exit);
        const int next = cells[0] == c ? cells[1] : cells[0];
        if (next < 0)
            break;
        c = next;
        entry = exit;
    }
    return points;
}
