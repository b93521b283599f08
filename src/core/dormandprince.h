#pragma once

#include "core/dormandprincetableau.h"
#include "core/plotpoint.h"

// One step of the embedded Runge–Kutta pair of Dormand and Prince, 5(4), for
// an autonomous system in the plane, dp/ds = f(p), with the continuous
// extension of Hairer, Nørsett and Wanner (DOPRI5), which gives the solution
// anywhere inside the step to fourth order.
//
// The pair has the first-same-as-last property: the slope at the end of an
// accepted step is the first slope of the next one, so a step costs six
// evaluations of f. Only +, −, ×, / appear, in a fixed order, so that every
// IEEE platform built without contraction computes the same step.
class DormandPrinceStep
{
public:
    // The step of length h from p, whose slope f(p) is k1. When some stage
    // met a point where f is not finite, the step is not finite() and is to
    // be retried shorter.
    template <class Slope>
    DormandPrinceStep(const Slope &f, PlotPoint p, PlotPoint k1, double h);

    bool finite() const { return finite_; }
    PlotPoint start() const { return start_; }
    PlotPoint end() const { return end_; }
    // f at end(): the first slope of the next step.
    PlotPoint endSlope() const { return k_[6]; }
    double length() const { return h_; }
    // The fifth-order solution minus the embedded fourth-order one: the
    // estimate of the local error.
    PlotPoint error() const { return error_; }
    // The solution at the fraction theta (0 … 1) of the step.
    PlotPoint at(double theta) const;

private:
    void finish();

    PlotPoint start_;
    PlotPoint end_;
    PlotPoint error_;
    PlotPoint k_[7];
    double h_ = 0;
    bool finite_ = false;
};

template <class Slope>
DormandPrinceStep::DormandPrinceStep(const Slope &f, PlotPoint p, PlotPoint k1, double h)
    : start_(p)
    , h_(h)
{
    // The seventh stage's row is the fifth-order weights.
    using namespace DormandPrinceTableau;
    constexpr double a71 = b1, a73 = b3, a74 = b4, a75 = b5, a76 = b6;
    PlotPoint *k = k_;
    k[0] = k1;
    k[1] = f(PlotPoint{p.x + h * (a21 * k[0].x), p.y + h * (a21 * k[0].y)});
    k[2] = f(PlotPoint{p.x + h * (a31 * k[0].x + a32 * k[1].x), p.y + h * (a31 * k[0].y + a32 * k[1].y)});
    k[3] = f(PlotPoint{p.x + h * (a41 * k[0].x + a42 * k[1].x + a43 * k[2].x),
                       p.y + h * (a41 * k[0].y + a42 * k[1].y + a43 * k[2].y)});
    k[4] = f(PlotPoint{p.x + h * (a51 * k[0].x + a52 * k[1].x + a53 * k[2].x + a54 * k[3].x),
                       p.y + h * (a51 * k[0].y + a52 * k[1].y + a53 * k[2].y + a54 * k[3].y)});
    k[5] = f(PlotPoint{p.x + h * (a61 * k[0].x + a62 * k[1].x + a63 * k[2].x + a64 * k[3].x + a65 * k[4].x),
                       p.y + h * (a61 * k[0].y + a62 * k[1].y + a63 * k[2].y + a64 * k[3].y + a65 * k[4].y)});
    end_ = PlotPoint{p.x + h * (a71 * k[0].x + a73 * k[2].x + a74 * k[3].x + a75 * k[4].x + a76 * k[5].x),
                     p.y + h * (a71 * k[0].y + a73 * k[2].y + a74 * k[3].y + a75 * k[4].y + a76 * k[5].y)};
    k[6] = f(end_);
    finish();
}
