#pragma once

// The Butcher tableau of the embedded Runge–Kutta pair of Dormand and
// Prince, 5(4), shared by the field lines' steps and the test charges'
// motion: the rows a_ij of stages 2 … 6, the fifth-order weights b_i (which
// are also the seventh stage's row), and e_i, the fifth-order weights minus
// the fourth-order ones, whose sum over the stages estimates a step's
// local error. b2 = e2 = 0.
namespace DormandPrinceTableau {

constexpr double a21 = 1.0 / 5;
constexpr double a31 = 3.0 / 40, a32 = 9.0 / 40;
constexpr double a41 = 44.0 / 45, a42 = -56.0 / 15, a43 = 32.0 / 9;
constexpr double a51 = 19372.0 / 6561, a52 = -25360.0 / 2187, a53 = 64448.0 / 6561, a54 = -212.0 / 729;
constexpr double a61 = 9017.0 / 3168, a62 = -355.0 / 33, a63 = 46732.0 / 5247, a64 = 49.0 / 176,
                 a65 = -5103.0 / 18656;
constexpr double b1 = 35.0 / 384, b3 = 500.0 / 1113, b4 = 125.0 / 192, b5 = -2187.0 / 6784, b6 = 11.0 / 84;
constexpr double e1 = 71.0 / 57600, e3 = -71.0 / 16695, e4 = 71.0 / 1920, e5 = -17253.0 / 339200, e6 = 22.0 / 525,
                 e7 = -1.0 / 40;

}  // namespace DormandPrinceTableau
