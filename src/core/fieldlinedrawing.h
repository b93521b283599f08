#pragma once

#include "core/fieldlinetracer.h"
#include "core/plotgeometry.h"
#include "core/plotpoint.h"
#include "core/pointcharge.h"

#include <vector>

class PlotSurface;

// An arrowhead of the program's shape: two wings of length 2 at ±π/8 from
// the direction it points in, trailing behind the tip.
struct Arrowhead
{
    PlotPoint tip;
    PlotPoint wing1;  // at the direction + π/8
    PlotPoint wing2;  // at the direction − π/8
};

namespace FieldLineDrawing {

// The radius of a charge's dot at the designed size (20 pixels across), and
// how far every part of an arrowhead keeps from every dot, in plot units.
constexpr double kDotRadius = 10 * 90.0 / 693;
constexpr double kDotClearance = 2;
constexpr double kWing = 2;
// About one arrowhead per this length of a visible piece.
constexpr double kArrowSpacing = 20;
// Pieces shorter than a pixel are no pieces to put an arrowhead on.
constexpr double kShortestPiece = Plot::kPixel;

}  // namespace FieldLineDrawing

// The parts of a line on the plot, each a polyline, cut at the border.
std::vector<std::vector<PlotPoint>> visiblePieces(const TracedLine &line);

// The arrowheads of one visible piece, pointing along the field: at even
// arc lengths, about one per 20 units and at least one. Where the piece is
// long enough they keep at least two units from every charge's dot: the
// even spacing then runs over the parts of the piece where a tip may sit
// (at least the dot's radius + 2 + the wing's length from every charge), as
// if the parts were joined end to end. alongField says which way the piece
// runs, for the rare tip where the field has no direction.
std::vector<Arrowhead> arrowheads(const std::vector<PlotPoint> &piece, bool alongField, const Charges &charges);

// Draws the lines: pen width 1, each visible piece's segments in blue, then
// its arrowheads, line after line. Only what lies on the plot is drawn.
void drawFieldLines(PlotSurface &surface, const std::vector<TracedLine> &lines, const Charges &charges);
