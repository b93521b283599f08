#pragma once

#include "core/drawingstate.h"
#include "core/fieldlines.h"
#include "core/recordingmessenger.h"
#include "core/recordingsurface.h"
#include "core/textpanel.h"

#include <string>
#include <vector>

// Everything the window owns for a drawing, headless: the state, a recording
// surface, a panel of plain texts and a recording messenger.
struct Rig
{
    DrawingState state;
    RecordingSurface surface;
    TextPanel panel;
    RecordingMessenger messenger;
    FieldLines lines{state, surface, panel, messenger};

    // Sets the six boxes, charge 1 then charge 2, and the mode.
    void setCharges(const std::string &x1, const std::string &y1, const std::string &q1, const std::string &x2,
                    const std::string &y2, const std::string &q2, bool twoCharges = true);
    // Excites and returns the Line and PSet operations drawn.
    std::vector<RecordingSurface::Operation> excite();
};

using Op = RecordingSurface::Op;
using Operation = RecordingSurface::Operation;

std::vector<Operation> linesOf(const std::vector<Operation> &ops);
std::vector<Operation> dotsOf(const std::vector<Operation> &ops);
bool sameState(const DrawingState &a, const DrawingState &b);

struct Point2
{
    double x = 0;
    double y = 0;
};

// A traced line as drawn: its unit steps joined end to start.
using Chain = std::vector<Point2>;

// Splits the unit-length segments of a drawing into traced lines: a step
// that does not start where the one before ended begins a new line.
std::vector<Chain> unitChains(const std::vector<Operation> &ops);

// An arrowhead as drawn: two wings of length 2 from one tip.
struct DrawnArrowhead
{
    Point2 tip;
    Point2 wing1;
    Point2 wing2;
    // Unit vector in which the arrowhead points: from the wings to the tip.
    Point2 pointing() const;
};
std::vector<DrawnArrowhead> arrowheadsOf(const std::vector<Operation> &ops);

double distance(Point2 a, Point2 b);
