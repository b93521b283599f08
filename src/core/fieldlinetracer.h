#pragma once

#include "core/plotgeometry.h"
#include "core/plotpoint.h"
#include "core/pointcharge.h"
#include "core/pointfield.h"

#include <cstddef>
#include <vector>

// How a traced line came to an end.
enum class LineEnd {
    Point,        // where the tracing began, at a point given (not at a charge)
    Charge,       // in a charge that draws the line in; the last point is its centre
    ZeroField,    // where the field vanishes, and with it the line's direction
    Escaped,      // beyond kEscapeRadius from the origin
    LengthLimit,  // after kLengthLimit units of length
};

struct LineEnding
{
    LineEnd how = LineEnd::Point;
    int charge = -1;  // the charge's index, for LineEnd::Charge
};

// A field line as a polyline in plot units. Every vertex lies on the exact
// line through the first traced point (within 1e-3 units; in practice far
// closer), and the chords between vertices depart from the exact curve by
// less than kChordTolerance. Where the line crosses the border of the plot,
// the crossing is a vertex on the border, so the visible pieces are the runs
// of vertices on the plot.
//
// A line that leaves a charge starts at the charge's centre; one that ends
// in a charge ends with the point where it came within the charge's capture
// radius, then the centre.
struct TracedLine
{
    std::vector<PlotPoint> points;
    bool alongField = true;  // the points run along E (from + to −), or against it
    LineEnding start;
    LineEnding end;
    double length = 0;       // of the exact curve traced, in plot units
};

// Traces field lines, solutions of dr/ds = ±E/|E| with E = Σ qᵢ (r − rᵢ) / |r − rᵢ|³,
// by Dormand–Prince 5(4) steps with error control. The local error allowed
// in a step is a fixed fraction of the distance to the nearest charge, so a
// step is as accurate wherever and at whatever scale the charges sit, and
// mirrored or turned configurations take mirrored or turned steps. Charges
// of 0 have no field and stop no line.
//
// A line ends in a charge of the sign that draws it in (negative for a line
// along E), where the field vanishes (|E| below 1e-4 of Σ|qᵢ|/rᵢ², the field
// the charges would make if they all pulled one way), beyond kEscapeRadius
// from the origin, or after kLengthLimit.
class FieldLineTracer
{
public:
    static constexpr double kEscapeRadius = 900;
    static constexpr double kLengthLimit = 5000;
    // A quarter pixel at the designed size.
    static constexpr double kChordTolerance = 0.25 * Plot::kPixel;

    explicit FieldLineTracer(Charges charges);

    const Charges &charges() const { return field_.charges(); }

    // The line that leaves charge i in the given direction (a unit
    // vector): along E from a positive charge, against it from a negative
    // one. Traced from a point a little way out, where the charge's own
    // field outweighs the others' by far, on the line that leaves the
    // centre in that direction. A charge of 0 has no line: only its centre.
    TracedLine fromCharge(std::size_t i, PlotPoint direction) const;
    // The line from a point, along E or against it.
    TracedLine fromPoint(PlotPoint start, bool alongField) const;

private:
    struct Surroundings;

    TracedLine trace(PlotPoint p, bool alongField, TracedLine line) const;
    Surroundings surroundings(PlotPoint p, double sign, PlotPoint heading) const;

    PointField field_;
    // Per charge: where a line coming in is joined to the centre, how far
    // out a line leaving it starts, and the field of the others there.
    std::vector<double> captureRadius_;
    std::vector<double> startRadius_;
    std::vector<FieldVector> othersField_;
};

// The field line through (x, y), traced both ways: its points run along E,
// from where the line comes from (its start) to where it goes (its end).
TracedLine fieldLineThrough(const Charges &charges, double x, double y);
