#pragma once

struct DrawingState;

// The field of the two charges at (x, y), with amounts m1 at (x1, y1) and m2
// at (x2, y2): the field of an amount q at distance r is q / r², with no
// physical constant. Stores r2, r1, e1, cos1, sin1, e1x, e1y, e2, cos2, sin2,
// e2x, e2y, ex, ey, e, sinT and cosT, each rounded to 32 bits.
//
// Returns false where the point has no field direction: on a charge, where
// the net field is zero, or where a stored value is not a finite number.
bool evaluateField(DrawingState &state, float x, float y, double m1, double m2);

// The one-argument arctangent of ey / ex, in (-pi/2, pi/2). A field with ex
// exactly 0 is vertical: +pi/2 when ey > 0, -pi/2 when ey < 0, the limits
// of the arctangent, with no division by zero.
double fieldSlopeAngle(const DrawingState &state);

// True when a stored direction is exactly 3.1415926 rounded to 32 bits
// (bit pattern 0x40490FDA): the field points in -x as far as a 32-bit angle
// can tell. The axis of two unlike charges is found this way.
bool pointsExactlyLeft(float theta);
