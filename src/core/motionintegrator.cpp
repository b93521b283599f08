#include "core/motionintegrator.h"

#include "core/dormandprincetableau.h"

#include <algorithm>
#include <cmath>

namespace {

using namespace DormandPrinceTableau;

// The step grows or shrinks by at most these factors at a time; the safety
// factor aims a little below the tolerance so that few steps are rejected.
constexpr double kSafety = 0.9;
constexpr double kMinFactor = 0.2;
constexpr double kMaxFactor = 5;

// The factor for the next step from the scaled error of this one. The error
// estimate grows as h⁵, so the fifth root would be exact; the fourth root
// keeps to sqrt, the same in every build, and moves the step a little
// further, which the safety factor absorbs (as many steps, hardly a
// rejection).
double stepFactor(double error)
{
    if (!(error > 0))
        return kMaxFactor;
    const double factor = kSafety / std::sqrt(std::sqrt(error));
    return std::clamp(factor, kMinFactor, kMaxFactor);
}

}  // namespace

MotionIntegrator::MotionIntegrator(const PointField &field, double chargeToMass, double tolerance)
    : field_(field)
    , chargeToMass_(chargeToMass)
    , tolerance_(tolerance)
{
}

FieldVector MotionIntegrator::acceleration(double x, double y) const
{
    const FieldVector e = field_.field(x, y);
    return {chargeToMass_ * e.x, chargeToMass_ * e.y};
}

MotionState MotionIntegrator::state(double x, double y, double vx, double vy) const
{
    const FieldVector a = acceleration(x, y);
    return {x, y, vx, vy, a.x, a.y};
}

MotionState MotionIntegrator::attempt(const MotionState &s, double h, double &error) const
{
    // Stage k: position p_k, velocity v_k (the position's derivative), and
    // the acceleration a_k at p_k (the velocity's derivative).
    const double v1x = s.vx, v1y = s.vy, a1x = s.ax, a1y = s.ay;

    const double v2x = s.vx + h * (a21 * a1x);
    const double v2y = s.vy + h * (a21 * a1y);
    const FieldVector a2 = acceleration(s.x + h * (a21 * v1x), s.y + h * (a21 * v1y));

    const double v3x = s.vx + h * (a31 * a1x + a32 * a2.x);
    const double v3y = s.vy + h * (a31 * a1y + a32 * a2.y);
    const FieldVector a3 = acceleration(s.x + h * (a31 * v1x + a32 * v2x), s.y + h * (a31 * v1y + a32 * v2y));

    const double v4x = s.vx + h * (a41 * a1x + a42 * a2.x + a43 * a3.x);
    const double v4y = s.vy + h * (a41 * a1y + a42 * a2.y + a43 * a3.y);
    const FieldVector a4 = acceleration(s.x + h * (a41 * v1x + a42 * v2x + a43 * v3x),
                                         s.y + h * (a41 * v1y + a42 * v2y + a43 * v3y));

    const double v5x = s.vx + h * (a51 * a1x + a52 * a2.x + a53 * a3.x + a54 * a4.x);
    const double v5y = s.vy + h * (a51 * a1y + a52 * a2.y + a53 * a3.y + a54 * a4.y);
    const FieldVector a5 = acceleration(s.x + h * (a51 * v1x + a52 * v2x + a53 * v3x + a54 * v4x),
                                         s.y + h * (a51 * v1y + a52 * v2y + a53 * v3y + a54 * v4y));

    const double v6x = s.vx + h * (a61 * a1x + a62 * a2.x + a63 * a3.x + a64 * a4.x + a65 * a5.x);
    const double v6y = s.vy + h * (a61 * a1y + a62 * a2.y + a63 * a3.y + a64 * a4.y + a65 * a5.y);
    const FieldVector a6 = acceleration(s.x + h * (a61 * v1x + a62 * v2x + a63 * v3x + a64 * v4x + a65 * v5x),
                                         s.y + h * (a61 * v1y + a62 * v2y + a63 * v3y + a64 * v4y + a65 * v5y));

    MotionState next;
    next.x = s.x + h * (b1 * v1x + b3 * v3x + b4 * v4x + b5 * v5x + b6 * v6x);
    next.y = s.y + h * (b1 * v1y + b3 * v3y + b4 * v4y + b5 * v5y + b6 * v6y);
    next.vx = s.vx + h * (b1 * a1x + b3 * a3.x + b4 * a4.x + b5 * a5.x + b6 * a6.x);
    next.vy = s.vy + h * (b1 * a1y + b3 * a3.y + b4 * a4.y + b5 * a5.y + b6 * a6.y);
    const FieldVector a7 = acceleration(next.x, next.y);
    next.ax = a7.x;
    next.ay = a7.y;

    // The seventh stage's velocity is the new velocity.
    const double ex = h * (e1 * v1x + e3 * v3x + e4 * v4x + e5 * v5x + e6 * v6x + e7 * next.vx);
    const double ey = h * (e1 * v1y + e3 * v3y + e4 * v4y + e5 * v5y + e6 * v6y + e7 * next.vy);
    const double evx = h * (e1 * a1x + e3 * a3.x + e4 * a4.x + e5 * a5.x + e6 * a6.x + e7 * a7.x);
    const double evy = h * (e1 * a1y + e3 * a3.y + e4 * a4.y + e5 * a5.y + e6 * a6.y + e7 * a7.y);
    const auto scaled = [this](double e, double before, double after) {
        return std::fabs(e) / (tolerance_ * (1 + std::max(std::fabs(before), std::fabs(after))));
    };
    error = std::max({std::fabs(ex) / tolerance_, std::fabs(ey) / tolerance_, scaled(evx, s.vx, next.vx),
                      scaled(evy, s.vy, next.vy)});
    return next;
}

double MotionIntegrator::advance(MotionState &state, double maxStep)
{
    // The first step is a small guess; the controller grows it up to
    // fivefold per step where the error allows.
    double h = proposed_ > 0 ? std::min(proposed_, maxStep) : std::min(1e-3, maxStep);
    for (;;) {
        double error = 0;
        const MotionState next = attempt(state, h, error);
        if (error <= 1) {
            state = next;
            proposed_ = h * stepFactor(error);
            return h;
        }
        // Rejected, or a stage met a singular point (error not finite).
        h *= std::isfinite(error) ? std::max(kMinFactor, kSafety / std::sqrt(std::sqrt(error))) : kMinFactor;
    }
}

MotionState MotionIntegrator::step(const MotionState &state, double h) const
{
    double error = 0;
    return attempt(state, h, error);
}
