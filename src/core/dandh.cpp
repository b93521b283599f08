#include "core/fieldlines.h"

#include "core/angles.h"
#include "core/arrowshape.h"
#include "core/drawingstate.h"
#include "core/eventpump.h"
#include "core/float32.h"
#include "core/plotlines.h"
#include "core/plotsurface.h"

#include <cmath>

// The field lines of a lone point charge are straight rays: 25 of them, every
// 15 degrees from 0 to 360 (the first and the last coincide), each from 1.2
// to 101.2 away from the charge, with an arrowhead 16.2 from the charge. A
// charge of 0 has no field and so no lines: only its dot is drawn.
void FieldLines::DanDH()
{
    s_.angle = 0;
    while (s_.q1 != 0 && s_.angle <= 360) {
        const double a = radians(s_.angle);
        const double c = std::cos(a);
        const double sn = std::sin(a);
        s_.px = f32(s_.x1 + 1.2 * c);
        s_.py = f32(s_.y1 + 1.2 * sn);
        surface_.DrawWidth(1);
        drawLine(surface_, s_.px, s_.py, s_.px + 100 * c, s_.py + 100 * sn);

        s_.tipX = f32(s_.px + 15 * c);
        s_.tipY = f32(s_.py + 15 * sn);
        // A positive charge gets the outward arrowhead, a negative one the
        // inward.
        const ArrowShape w = arrowWings(s_.tipX, s_.tipY, a, s_.q1 > 0);
        storeWings(s_, w);
        drawArrowhead(surface_, s_.tipX, s_.tipY, w);
        s_.angle += 15;
    }
    events_.DoEvents();
    surface_.DrawWidth(20);
    surface_.PSet(s_.x1, s_.y1, Colour::Green);
}
