#pragma once

#include "core/motionstate.h"
#include "core/pointfield.h"

// Integrates the motion of a body of charge-to-mass ratio s in the field of
// point charges, d²r/dt² = a(r) = s E(r), as the first-order system
// (r, v)' = (v, a(r)), with the embedded Runge–Kutta pair of Dormand and
// Prince: a step of fifth order, and the difference to its fourth-order
// companion as the estimate of the step's error. A step is accepted when
// that estimate is at most the tolerance in plot units for each coordinate
// (whose origin means nothing) and at most tolerance × (1 + |v|) for each
// component of the velocity; the next step is chosen from the estimate.
//
// The last stage is evaluated at the new position, so it is the acceleration
// of the next step's first stage (first same as last): six evaluations of
// a(r) per step. Only +, −, ×, ÷ and sqrt are used, which IEEE arithmetic
// rounds the same everywhere, so every build takes the same steps.
class MotionIntegrator
{
public:
    // The field must outlive the integrator.
    MotionIntegrator(const PointField &field, double chargeToMass, double tolerance);

    // The state at a position and velocity, with the acceleration there.
    MotionState state(double x, double y, double vx, double vy) const;

    // Advances the state by the first step of at most maxStep (> 0) whose
    // error is within the tolerance, and returns that step's length.
    double advance(MotionState &state, double maxStep);

    // One step of length h without error control, for a step shorter than
    // one that was accepted: ending a path at a given place.
    MotionState step(const MotionState &state, double h) const;

private:
    // The step of length h and its scaled error (≤ 1 to accept; not finite
    // when a stage met a singular point of the field).
    MotionState attempt(const MotionState &state, double h, double &error) const;

    FieldVector acceleration(double x, double y) const;

    const PointField &field_;
    double chargeToMass_ = 1;
    double tolerance_ = 1e-11;
    double proposed_ = 0;  // the next step the error suggests; 0 before the first
};
