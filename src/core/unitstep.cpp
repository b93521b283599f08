#include "core/fieldlines.h"

#include "core/float32.h"
#include "core/plotlines.h"
#include "core/plotsurface.h"

#include <cmath>

// One unit step of a traced line from (x, y) along theta, the direction the
// tracer chose from the field there: the step is drawn in blue at pen width
// 1 (reflected, when drawn is given, as the exchanged-order picture is) and
// (x, y) moves to its end, each coordinate rounded to 32 bits as stored.
void FieldLines::stepAlong(float &x, float &y, float theta, const Reflection *drawn)
{
    ++stepsTraced_;
    const double c = std::cos(double(theta));
    const double sn = std::sin(double(theta));
    const float fromX = x;
    const float fromY = y;
    x = f32(x + c);
    y = f32(y + sn);
    tracing_.DrawWidth(1);
    drawLine(tracing_, fromX, fromY, x, y, drawn);
}
