#pragma once

#include <cstdint>

// The one record through which the drawing procedures talk to each other.
// Every procedure reads its inputs here and leaves its results and working
// values here; callers rely on what the procedures they call leave behind
// (the unlike-charge tracer finishes a step with the values the axis scan
// left, the arrowhead procedures read the tracer's current point).
//
// Every value is a 32-bit float, the two angle counters 16-bit integers:
// the pictures depend on this rounding, so the procedures compute in double
// and round exactly where they store into this record.
struct DrawingState
{
    float q1 = 0;  // amount of charge 1 (signed), from Text3
    float x1 = 0;  // position of charge 1, from Text1, Text2
    float y1 = 0;
    float q2 = 0;  // amount of charge 2 (signed), from Text6
    float x2 = 0;  // position of charge 2, from Text4, Text5
    float y2 = 0;

    // The field at the point evaluated last.
    float e1 = 0;   // contribution of charge 1, amount / r1²
    float e1x = 0;  // cos1 · e1
    float e1y = 0;  // sin1 · e1
    float r1 = 0;   // distance from charge 1
    float e2 = 0;   // contribution of charge 2, amount / r2²
    float e2x = 0;  // cos2 · e2
    float e2y = 0;  // sin2 · e2
    float r2 = 0;   // distance from charge 2

    float px = 0;          // current point of a line of charge 1
    float py = 0;
    std::int16_t angle = 0;  // start direction of that line, degrees
    float theta = 0;       // direction of its current step, radians

    float cos1 = 0;  // unit vector from charge 1 to the point
    float sin1 = 0;
    float cos2 = 0;  // unit vector from charge 2 to the point
    float sin2 = 0;
    float ex = 0;    // net field
    float ey = 0;
    float e = 0;     // its magnitude
    float sinT = 0;  // ey / e
    float cosT = 0;  // ex / e

    float qx = 0;             // current point of a line of charge 2, or scan point
    float qy = 0;
    std::int16_t angle2 = 0;  // its start direction or scan angle, degrees
    float theta2 = 0;         // direction of its current step, radians

    // Arrowhead on a line of charge 1 (or of the unlike-charge tracer).
    float arrowAngle = 0;
    float tipX = 0;
    float tipY = 0;
    float wing1X = 0;  // wing at direction + pi/8
    float wing1Y = 0;
    float wing2X = 0;  // wing at direction - pi/8
    float wing2Y = 0;

    // Arrowhead on a line of charge 2 of the like-charge tracer.
    float arrowAngle2 = 0;
    float tip2X = 0;
    float tip2Y = 0;
    float wing3X = 0;
    float wing3Y = 0;
    float wing4X = 0;
    float wing4Y = 0;
};
