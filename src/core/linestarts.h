#pragma once

#include "core/plotpoint.h"
#include "core/pointcharge.h"

#include <cstddef>
#include <vector>

// How many field lines each charge shows, and in which directions they
// leave it. Directions are unit vectors, computed with +, −, ×, / and square
// roots only (the sines, cosines and arctangents by series), so every
// platform starts its lines in the same directions.

// Lines in proportion to charge: charge i gets round(k |qᵢ|) lines with
// k = 24 / max|q|, or k = 240 / Σ|q| where that would give more than 240 in
// all. A charge of 0, or one whose share rounds to 0, gets none.
std::vector<int> lineShares(const Charges &charges);

// n directions at equal angles round charge i. The first points along the
// field the other charges make at it (or along +x where that vanishes), so
// that a charge on a mirror line of the configuration gets a mirrored set,
// and charges that a symmetry maps onto each other get mapped sets.
std::vector<PlotPoint> startDirections(const Charges &charges, std::size_t i, int n);

// Where a charge that lines arrive at (from the given directions, seen from
// its centre) sends the missing ones: one after another into the gap
// between neighbouring arrivals that leaves the widest spacing, each gap's
// lines spread evenly over it. Gaps that leave equal spacings (within
// rounding) take their lines together, so a mirrored set of arrivals gets a
// mirrored set of new directions, at the cost of one more line than asked
// for where a mirrored pair takes the last one. Needs at least one arrival.
std::vector<PlotPoint> gapDirections(const std::vector<PlotPoint> &arrivals, int missing);

// cos and sin of 2πk/n, from a series on an eighth of the turn: exact at the
// quarter turns, and equal in size for k and n − k.
PlotPoint unitTurn(long k, long n);
