#pragma once

#include <vector>

// A point charge as the picture shows it: its position in the plot's user
// coordinates and its signed amount, without any physical constant.
struct PointCharge
{
    double x = 0;
    double y = 0;
    double q = 0;

    bool operator==(const PointCharge &other) const { return x == other.x && y == other.y && q == other.q; }
    bool operator!=(const PointCharge &other) const { return !(*this == other); }
};

using Charges = std::vector<PointCharge>;
