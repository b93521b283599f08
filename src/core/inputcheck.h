#pragma once

#include <array>

struct Message;

// What an excite refuses to draw, judged on the six numbers read from the
// boxes (Text1 … Text6: x1, y1, q1, x2, y2, q2) before any is stored. Only
// the charges drawn are judged: charge 1 in single-charge mode, both in
// two-charge mode. In this order:
//  - a number beyond the 32-bit range, or an amount other than 0 too small
//    for a normal 32-bit value (its field lines would be jagged or lost):
//    Messages::OutOfRange;
//  - a position outside the plot (-45 ≤ x ≤ 45, -25 ≤ y ≤ 25, borders
//    included), where its lines could not be seen: Messages::OutOfPlot;
//  - two charges at one place, which have no field lines between them:
//    Messages::SamePlace.
// Returns nullptr when the input can be drawn. Charge 2 left of charge 1 is
// the two-charge drawing's own refusal (DuoDH).
const Message *inputRefusal(const std::array<double, 6> &values, bool twoCharges);
