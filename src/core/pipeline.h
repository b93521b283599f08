#pragma once

#include "core/configuration.h"
#include "core/displaylist.h"
#include "core/eventpump.h"
#include "core/messenger.h"
#include "core/pointcharge.h"
#include "core/recordingsurface.h"

#include <memory>
#include <vector>

// A finished picture, as the drawing of a configuration gives it back to
// the front end that asked for it. The front end only shows it: it paints
// the drawing, shows the messages, and applies what the drawing asks of
// its controls.
struct Picture
{
    Configuration configuration;    // what it was drawn from
    Charges charges;                // the charges drawn, as read: none when the input was refused
    std::vector<Message> messages;  // to show, in order, once the picture is on show
    bool charge2Locked = false;     // single-charge mode locks the boxes of charge 2
    DisplayList drawing;            // in paint order and in the configuration's look
    // When each test charge's path ends, in the motion's time: the moving
    // picture is still until the last.
    std::vector<double> testChargeEnds;
};

// Every operation of a drawing as it was issued, for the CSV.
struct Recording
{
    RecordingSurface operations;
    std::vector<Message> messages;
    Charges charges;
};

// The one road from a configuration to a finished picture, for every front
// end: the window (on its worker thread), the command line, the page and
// the benchmarks. It owns the drawing state, the tracers, the line
// collector and the overlays:
//   1. the excite of the configuration's boxes, as 激　发 runs it, into the
//      field-line and dot layers (refusals and failures become messages);
//   2. the overlays switched on, over the field lines, each in its layer
//      (a failure there is a message; the field lines stay);
//   3. the test charges released, each path as it stands at its moment,
//      with the field lines through the release points where asked for (a
//      release the picture refuses is a message);
//   4. the look, applied to what was drawn.
// A configuration that draws the same field lines as the one before keeps
// them: switching an overlay never traces again, and a frame of moving test
// charges only draws their paths afresh.
class Pipeline
{
public:
    // events is asked to let pending events run where the tracers allow it
    // (DoEvents); it may end the drawing by throwing ProgramEnding.
    explicit Pipeline(EventPump &events = noEvents());
    ~Pipeline();
    Pipeline(const Pipeline &) = delete;
    Pipeline &operator=(const Pipeline &) = delete;

    Picture draw(const Configuration &configuration);

    // The same drawing, every operation as issued (also off the plot), on
    // a fresh drawing state: what the CSV holds. The look does not apply.
    Recording record(const Configuration &configuration);

    // Steps traced by the unit-step tracers since construction.
    long long stepsTraced() const;

private:
    struct FieldLinesPicture;
    std::unique_ptr<FieldLinesPicture> last_;
    EventPump &events_;
    long long recordedSteps_ = 0;
};
