#include "core/pipeline.h"

#include "core/accurateexcite.h"
#include "core/drawingstate.h"
#include "core/fieldlines.h"
#include "core/inputpanel.h"
#include "core/linecollector.h"
#include "core/look.h"
#include "core/messages.h"
#include "core/overlays.h"
#include "core/recordingmessenger.h"

#include <exception>
#include <new>

namespace {

// The boxes of a configuration, as the excite reads them: charge 1 in Text1
// … Text3, charge 2 in Text4 … Text6. The lock that single-charge mode asks
// for is kept for the front end to apply.
class ConfigurationPanel : public InputPanel
{
public:
    explicit ConfigurationPanel(const Configuration &configuration)
        : configuration_(configuration)
    {
    }

    std::string text(int box) const override
    {
        const std::size_t charge = std::size_t(box - 1) / 3;
        if (box < 1 || box > 6 || charge >= configuration_.charges.size())
            return {};
        const ChargeTexts &c = configuration_.charges[charge];
        switch ((box - 1) % 3) {
        case 0:
            return c.x;
        case 1:
            return c.y;
        default:
            return c.q;
        }
    }
    bool twoChargeMode() const override { return configuration_.mode == Mode::Two; }
    void lockCharge2Boxes() override { locked = true; }

    bool locked = false;

private:
    const Configuration &configuration_;
};

// Excites the configuration into the surface with the tracer it asks for:
// the field lines and the dots in their layers. The unit-step tracers read
// the boxes through the panel and tell through the messenger; the accurate
// tracer is given the configuration. Returns the charges drawn.
Charges excite(const Configuration &configuration, FieldLines &lines, PlotSurface &surface,
               RecordingMessenger &messenger, EventPump &events)
{
    if (configuration.drawsAccurately())
        return exciteAccurately(configuration, surface, messenger.messages, events);
    surface.setLayers(Layer::FieldLines, Layer::Dots);
    lines.excite();
    return lines.charges();
}

// Draws the overlays switched on; a failure is a message and leaves what was
// drawn before.
void drawOverlaysGuarded(PlotSurface &surface, const Configuration &configuration, const Charges &charges,
                         const PictureLines &fieldLines, std::vector<Message> &messages)
{
    try {
        drawOverlays(surface, configuration.overlays,
                     OverlayContext{charges, &fieldLines, configuration.look, configuration.drawsAccurately()});
    } catch (const std::bad_alloc &) {
        messages.push_back(Messages::OutOfMemory);
    } catch (const std::exception &) {
        messages.push_back(Messages::UnexpectedFailure);
    }
}

}  // namespace

// The field lines of the last configuration drawn, kept for the next one
// that draws the same.
struct Pipeline::FieldLinesPicture
{
    explicit FieldLinesPicture(EventPump &events)
        : lines(state, collector, panel, messenger, events)
    {
    }

    Configuration configuration;
    DrawingState state;
    DisplayList drawing;
    LineCollector collector{drawing};
    ConfigurationPanel panel{configuration};
    RecordingMessenger messenger;
    FieldLines lines;
    Charges charges;
    bool drawn = false;
};

Pipeline::Pipeline(EventPump &events)
    : events_(events)
{
}

Pipeline::~Pipeline() = default;

Picture Pipeline::draw(const Configuration &configuration)
{
    if (!last_)
        last_ = std::make_unique<FieldLinesPicture>(events_);
    FieldLinesPicture &f = *last_;
    if (!f.drawn || !f.configuration.sameFieldLines(configuration)) {
        f.drawn = true;
        f.configuration = configuration;
        f.panel.locked = false;
        f.messenger.messages.clear();
        f.charges = excite(configuration, f.lines, f.collector, f.messenger, events_);
    }

    Picture picture;
    picture.configuration = configuration;
    picture.charges = f.charges;
    picture.messages = f.messenger.messages;
    picture.charge2Locked = f.panel.locked;
    DisplayList drawn = f.drawing;
    drawOverlaysGuarded(drawn, configuration, picture.charges, f.collector.lines(), picture.messages);
    picture.drawing = inLook(drawn, configuration.look);
    return picture;
}

Recording Pipeline::record(const Configuration &configuration)
{
    Recording recording;
    DrawingState state;
    LineCollector collector(recording.operations);
    ConfigurationPanel panel(configuration);
    RecordingMessenger messenger;
    FieldLines lines(state, collector, panel, messenger, events_);
    recording.charges = excite(configuration, lines, collector, messenger, events_);
    recordedSteps_ += lines.stepsTraced();
    recording.messages = messenger.messages;
    if (recording.messages.empty())
        drawOverlaysGuarded(collector, configuration, recording.charges, collector.lines(), recording.messages);
    return recording;
}

long long Pipeline::stepsTraced() const
{
    return recordedSteps_ + (last_ ? last_->lines.stepsTraced() : 0);
}
