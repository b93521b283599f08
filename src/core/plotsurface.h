#pragma once

#include <cstdint>
#include <string>

// Colours are 24-bit values in blue-green-red order, as the drawing
// procedures give them with every call.
namespace Colour {
constexpr std::uint32_t Blue = 0xFF0000;   // every field line and arrowhead
constexpr std::uint32_t Green = 0x00C000;  // the dot of charge 1
constexpr std::uint32_t Red = 0x0000FF;    // the dot of charge 2
constexpr std::uint32_t Orange = 0x008CFF; // a point where the field vanishes (#ff8c00)
constexpr std::uint32_t Grey = 0x808080;   // equipotential lines, drawn under the field lines
constexpr std::uint32_t Purple = 0xC00080; // the path of a test charge and its ring (#8000c0)
constexpr std::uint32_t White = 0xFFFFFF;  // the inside of a test charge's ring
}  // namespace Colour

// Where an operation goes in the finished picture, painted in this order:
// the equipotentials under everything, then the field lines, the markers
// drawn over them (the points of zero field), the charges' dots, and the
// labels last, each on a white box so it reads over any line.
enum class Layer : std::uint8_t { Underlay, FieldLines, Markers, Dots, Labels };

// The drawing operations of the picture box on which field lines are drawn.
// The tracing and arrowhead procedures see the plot only through this
// interface, so the same drawing can go to the window, to an image file or
// to a recording in a test. Letting the window's events run is not the
// surface's business: see EventPump.
//
// Coordinates are user coordinates (x from -45 at the left to 45 at the
// right, y from 25 at the top to -25 at the bottom once Scale has run),
// passed as the 32-bit values the procedures compute.
class PlotSurface
{
public:
    virtual ~PlotSurface() = default;

    // Erases the drawing. The pen width is kept.
    virtual void Cls() = 0;
    // Outer height and (written) outer width, in layout units of 1/20 point.
    virtual float Height() const = 0;
    virtual void Width(float width) = 0;
    // Sets the user coordinates of the top-left and bottom-right corners.
    virtual void Scale(float left, float top, float right, float bottom) = 0;
    // Switches on the persistent image that the screen is repainted from.
    virtual void AutoRedraw(bool on) = 0;
    // Pen width in pixels for every later Line and PSet.
    virtual void DrawWidth(int pixels) = 0;
    virtual void Line(float x1, float y1, float x2, float y2, std::uint32_t colour) = 0;
    // One pixel at width 1; a filled round dot of the pen width otherwise.
    virtual void PSet(float x, float y, std::uint32_t colour) = 0;
    // The layers of the lines and of the dots drawn from now on. A surface
    // that keeps operations in the order issued (the recording) has no
    // layers and ignores it.
    virtual void setLayers(Layer lines, Layer dots)
    {
        (void)lines;
        (void)dots;
    }
    // A short text (UTF-8) centred on (x, y), such as the value of an
    // equipotential line. A surface that keeps only lines and dots, like the
    // recording the CSV is written from, leaves it out.
    virtual void Label(float x, float y, const std::string &text, std::uint32_t colour)
    {
        (void)x;
        (void)y;
        (void)text;
        (void)colour;
    }
};
