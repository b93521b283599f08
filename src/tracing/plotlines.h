#pragma once

class PlotSurface;
struct DrawingState;

// Draws a blue line (every field line and arrowhead is blue), each end
// rounded to 32 bits as the plot takes it. With reflected, both ends are
// drawn at their reflection across the bisector of the charges, as the
// exchanged-order picture is. A line with an end beyond the 32-bit range
// (a charge near the end of that range puts an arrowhead there) lies far off
// the plot and is left out, so the plot only ever gets finite numbers.
void drawLine(PlotSurface &surface, const DrawingState &state, double x1, double y1, double x2, double y2,
              bool reflected = false);
