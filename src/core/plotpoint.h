#pragma once

// A point in the plot's user coordinates, in double precision.
struct PlotPoint
{
    double x = 0;
    double y = 0;
};
