#pragma once

#include <vector>

// A point charge as the picture shows it: its position in the plot's user
// coordinates and its signed amount, without any physical constant.
struct PointCharge
{
    double x = 0;
    double y = 0;
    double q = 0;
};

using Charges = std::vector<PointCharge>;
