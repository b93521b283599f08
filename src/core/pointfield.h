#pragma once

#include "core/pointcharge.h"

#include <cmath>
#include <cstddef>

// The field of point charges in the program's own units, in double
// precision, for everything drawn beside the unit-step tracers (the
// overlays, the probe, the accurate tracer, the test charges): an amount q at
// distance r has the potential q / r and the field q r̂ / r², so that
// E = Σ q (p − c) / r³ = −∇V, with no physical constant.
//
// Where a charge's own distance is 0 the values are not finite; callers
// that can meet that point test the results.
struct FieldVector
{
    double x = 0;
    double y = 0;
};

// The potential at a point with its first and second derivatives.
struct FieldDerivatives
{
    double v = 0;
    double gx = 0;  // ∂V/∂x = −Ex
    double gy = 0;
    double hxx = 0;  // ∂²V/∂x²
    double hxy = 0;
    double hyy = 0;
};

class PointField
{
public:
    PointField() = default;
    explicit PointField(Charges charges);

    const Charges &charges() const { return charges_; }

    // V = Σ q / r. A charge of 0 adds nothing, even at its own place.
    // Inline: the equipotentials' grid asks for it some 30,000 times a
    // picture.
    double potential(double x, double y) const
    {
        double v = 0;
        for (const PointCharge &c : charges_) {
            if (c.q == 0)
                continue;
            const double dx = x - c.x;
            const double dy = y - c.y;
            v += c.q / std::sqrt(dx * dx + dy * dy);
        }
        return v;
    }
    // E = Σ q (p − c) / r³.
    FieldVector field(double x, double y) const;
    // The field at charge i's place of all the other charges.
    FieldVector fieldOfOthers(std::size_t i) const;
    // V, ∇V and the Hessian of V together, at the cost of one pass.
    FieldDerivatives derivatives(double x, double y) const;

private:
    // E of every charge but the one with index skipped.
    FieldVector fieldWithout(double x, double y, std::size_t skipped) const;

    Charges charges_;
};
