#pragma once

#include "core/plotpoint.h"

#include <limits>
#include <vector>

class PlotSurface;
class TestChargePath;

// Draws a test charge's path as it stands at time t (the whole path by
// default; a path that ended stays drawn whole): the path up to t in purple
// at pen width 2, smooth at the designed size, then the test charge at its
// place at t as a purple ring of 7 pixels' radius at the designed size
// (0.91 plot units), white inside, with a + or − for its sign.
//
// A test charge is a body like the charges, so all of it goes into the
// dots' layer (lines and dots alike, so that its white inside stays under
// its ring), over the field lines, the markers and the charges' dots drawn
// before it: a charge that ended on a charge's circle of reach shows over
// that charge's dot. The layers are left so, and the pen at 20, the width
// of the charge dots, as the drawing left it.
void drawTestChargePath(PlotSurface &surface, const TestChargePath &path,
                        double t = std::numeric_limits<double>::infinity());

// Draws a line, such as the field line through a test charge's release
// point, dashed in the field lines' blue at pen width 1, in the field
// lines' layer: dashes 1 plot unit long with gaps of 0.7, measured along the
// line from its first point, so they are even round its bends. The layers
// are left so, and the pen at 20.
void drawDashedFieldLine(PlotSurface &surface, const std::vector<PlotPoint> &line);
