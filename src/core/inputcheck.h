#pragma once

#include "core/configuration.h"
#include "core/pointcharge.h"

struct Message;

// What an excite refuses to draw, judged on the numbers read from the boxes
// of the charges the mode draws (charge 1 alone in single-charge mode),
// before any is stored. In this order:
//  - a number beyond the 32-bit range, or an amount other than 0 too small
//    for a normal 32-bit value (its field lines would be jagged or lost):
//    Messages::OutOfRange;
//  - a position outside the plot (-45 ≤ x ≤ 45, -25 ≤ y ≤ 25, borders
//    included), where its lines could not be seen: Messages::OutOfPlot;
//  - two charges at one place (as stored), which have no field lines
//    between them: Messages::SamePlace.
// Returns nullptr when the input can be drawn. Charge 2 left of charge 1 is
// the two-charge drawing's own refusal (DuoDH).
const Message *inputRefusal(const Charges &charges);

// What a picture of the configuration would refuse, judged on its boxes'
// texts as the excite reads them: more than kMaxCharges, then
// inputRefusal on the charges the mode draws, then in two-charge mode
// charge 2 left of charge 1. nullptr, with the charges read in charges,
// when it can be drawn.
const Message *configurationRefusal(const Configuration &configuration, Charges &charges);
