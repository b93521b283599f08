#pragma once

// The state of a body moving in the plane: position, velocity, and the
// acceleration there (which depends on the position alone).
struct MotionState
{
    double x = 0;
    double y = 0;
    double vx = 0;
    double vy = 0;
    double ax = 0;
    double ay = 0;
};
