#pragma once

// The plot's user coordinates and its designed size, shared by the drawing
// procedures, the surfaces that keep or check what they draw, and the
// command line.
namespace Plot {

// The user coordinates of the plot's edges: x grows to the right, y upward.
constexpr float kLeft = -45;
constexpr float kRight = 45;
constexpr float kTop = 25;
constexpr float kBottom = -25;

// True when (x, y) lies on the plot, its borders included.
constexpr bool contains(double x, double y)
{
    return x >= kLeft && x <= kRight && y >= kBottom && y <= kTop;
}

// True when the segment from (x1, y1) to (x2, y2) lies wholly to one side of
// the plot, so that nothing of it can be seen there.
constexpr bool besidePlot(double x1, double y1, double x2, double y2)
{
    return (x1 < kLeft && x2 < kLeft) || (x1 > kRight && x2 > kRight) || (y1 < kBottom && y2 < kBottom)
        || (y1 > kTop && y2 > kTop);
}

// The picture box as designed: 693 × 385 pixels at 96 dots per inch, which
// is 10395 × 5775 layout units of 1/20 point (15 units to the pixel).
constexpr int kDesignWidth = 693;
constexpr int kDesignHeight = 385;
constexpr int kUnitsPerPixel = 15;
constexpr float kDesignWidthUnits = float(kDesignWidth * kUnitsPerPixel);
constexpr float kDesignHeightUnits = float(kDesignHeight * kUnitsPerPixel);
// One pixel of the designed picture, in plot units.
constexpr double kPixel = double(kRight - kLeft) / kDesignWidth;

}  // namespace Plot
