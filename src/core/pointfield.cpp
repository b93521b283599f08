#include "core/pointfield.h"

#include <cmath>
#include <utility>

// Lengths here are of the plot's size, far from overflow, so sqrt serves
// where std::hypot would cost several times as much.

PointField::PointField(Charges charges)
    : charges_(std::move(charges))
{
}

FieldVector PointField::field(double x, double y) const
{
    return fieldWithout(x, y, charges_.size());
}

FieldVector PointField::fieldOfOthers(std::size_t i) const
{
    return fieldWithout(charges_.at(i).x, charges_.at(i).y, i);
}

FieldVector PointField::fieldWithout(double x, double y, std::size_t skipped) const
{
    FieldVector e;
    for (std::size_t j = 0; j < charges_.size(); ++j) {
        const PointCharge &c = charges_[j];
        if (j == skipped || c.q == 0)
            continue;
        const double dx = x - c.x;
        const double dy = y - c.y;
        const double r2 = dx * dx + dy * dy;
        const double k = c.q / (r2 * std::sqrt(r2));
        e.x += k * dx;
        e.y += k * dy;
    }
    return e;
}

FieldDerivatives PointField::derivatives(double x, double y) const
{
    FieldDerivatives d;
    for (const PointCharge &c : charges_) {
        const double dx = x - c.x;
        const double dy = y - c.y;
        const double r2 = dx * dx + dy * dy;
        const double r = std::sqrt(r2);
        const double qr3 = c.q / (r2 * r);
        const double qr5 = qr3 / r2;
        d.v += c.q / r;
        d.gx -= qr3 * dx;
        d.gy -= qr3 * dy;
        d.hxx += qr5 * (3 * dx * dx - r2);
        d.hxy += qr5 * 3 * dx * dy;
        d.hyy += qr5 * (3 * dy * dy - r2);
    }
    return d;
}
