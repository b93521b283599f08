#include "core/potentialgrid.h"

#include "core/equipotentialproblem.h"

PotentialGrid::PotentialGrid(const EquipotentialProblem &problem)
    : nx_(problem.cellsX)
    , ny_(problem.cellsY)
{
    const std::size_t nodes = std::size_t(nx_ + 1) * std::size_t(ny_ + 1);
    value_.resize(nodes);
    valid_.resize(nodes);
    seen_.resize(nodes);
    open_.resize(nodes);
    const double cut = problem.cutRadiusPx() * problem.cutRadiusPx();
    const double dot = (problem.options.dotRadiusPx + 1) * (problem.options.dotRadiusPx + 1);
    const double inner = problem.innerRadiusPx() * problem.innerRadiusPx() * (1 - 1e-9);
    for (int j = 0; j <= ny_; ++j) {
        for (int i = 0; i <= nx_; ++i) {
            const PlotPoint p = node(i, j);
            bool valid = true, seen = true, open = true;
            for (const PointCharge &c : problem.field.charges()) {
                const double d2 = problem.pxDistanceSquared(p, {c.x, c.y});
                valid = valid && d2 >= cut;
                seen = seen && d2 >= dot;
                open = open && d2 >= inner;
            }
            const int n = nodeIndex(i, j);
            valid_[n] = valid;
            seen_[n] = seen;
            open_[n] = open;
            value_[n] = valid ? problem.field.potential(p.x, p.y) : 0;
        }
    }
}
