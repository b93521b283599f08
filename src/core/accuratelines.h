#pragma once

#include "core/fieldlinetracer.h"
#include "core/pointcharge.h"

#include <vector>

// The field lines of any number of charges, as the accurate picture draws
// them. Each positive charge sends its share of lines (lineShares) at equal
// angles (startDirections), traced along the field. Each negative charge
// receives the lines that arrive at it; where that is fewer than its share,
// the missing ones are traced backwards from it into the largest gaps
// between the arriving ones (gapDirections), so that every charge shows at
// least its share. A negative charge that no line reaches sends its whole
// share backwards at equal angles: with only negative charges, the lines
// come in from outside.
//
// The lines of the positive charges come first, charge by charge, then
// those traced back from the negative ones.
std::vector<TracedLine> accurateFieldLines(const Charges &charges);
