#pragma once

class PlotSurface;
class Reflection;

// Draws a blue line (every field line and arrowhead is blue), each end
// rounded to 32 bits as the plot takes it. Given a reflection, both ends are
// drawn reflected, as the exchanged-order picture is. A line with an end
// beyond the 32-bit range (a charge near the end of that range puts an
// arrowhead there) lies far off the plot and is left out, so the plot only
// ever gets finite numbers.
void drawLine(PlotSurface &surface, double x1, double y1, double x2, double y2,
              const Reflection *reflection = nullptr);
