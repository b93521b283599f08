#pragma once

#include "core/plotpoint.h"
#include "core/pointcharge.h"

#include <vector>

// The points on the plot where the field of any number of charges
// vanishes, found numerically, each to |E| ≤ 1e-9 Σ|qᵢ|/rᵢ² (a billionth of
// the field the charges would make there if they all pulled one way).
//
// The search counts zeros by the winding of the field's direction round
// the cells of a grid over the plot: a cell whose winding differs from the
// number of charges in it (each counts +1, whatever its sign) holds a point
// of zero field, and is split until Newton's method on E, with the Hessian of
// the potential, converges from its centre. Two zeros closer together than
// a cell whose windings cancel (a saddle beside an extremum of the
// potential, at the moment they are born) are not seen; any other zero is.
// Points closer than 1e-7 units are one point. Ordered by x, then y.
std::vector<PlotPoint> findZeroFieldPoints(const Charges &charges);
