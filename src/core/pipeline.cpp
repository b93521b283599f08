#include "core/pipeline.h"

#include "core/accurateexcite.h"
#include "core/drawingstate.h"
#include "core/fieldlinetracer.h"
#include "core/fieldlines.h"
#include "core/inputpanel.h"
#include "core/linecollector.h"
#include "core/look.h"
#include "core/messages.h"
#include "core/overlays.h"
#include "core/recordingmessenger.h"
#include "core/testchargedrawing.h"
#include "core/testchargepath.h"

#include <algorithm>
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

// The paths of a configuration's test charges in the field of the charges
// drawn, with the field lines through their release points, followed once
// and kept while the charges and the releases stay.
struct TestChargePaths
{
    Charges charges;
    TestCharges releases;
    const Message *refusal = nullptr;
    std::vector<TestChargePath> paths;
    std::vector<std::vector<PlotPoint>> lines;  // when asked for

    // Follows the releases in the field of the charges, keeping the paths
    // (and lines) of releases already followed in the same field: a new
    // release costs one path, not all of them again.
    void follow(const Charges &c, const TestCharges &r, bool withLines)
    {
        if (charges == c && releases == r && (!withLines || lines.size() == paths.size()))
            return;
        // After a refusal nothing was followed.
        const std::size_t known = charges == c ? std::min(releases.size(), paths.size()) : 0;
        std::vector<TestChargePath> followed;
        std::vector<std::vector<PlotPoint>> through;
        refusal = releaseRefusal(c, r);
        if (!refusal) {
            for (const TestCharge &release : r) {
                const std::size_t i = std::size_t(std::find(releases.begin(), releases.begin() + known, release)
                                                  - releases.begin());
                const bool reuse = i < known;
                followed.push_back(reuse ? paths[i] : TestChargePath(c, release));
                if (withLines) {
                    const bool lineKnown = reuse && i < lines.size();
                    through.push_back(lineKnown ? lines[i] : fieldLineThrough(c, release.x, release.y).points);
                }
            }
        }
        charges = c;
        releases = r;
        paths = std::move(followed);
        lines = std::move(through);
    }
};

// Draws the test charges after the overlays: the dashed field lines through
// their release points where asked for, then each path as it stands at its
// moment. A release the picture refuses is a message, and no path is drawn.
void drawTestCharges(PlotSurface &surface, const Configuration &configuration, const Charges &charges,
                     TestChargePaths &cache, std::vector<Message> &messages)
{
    if (configuration.testCharges.empty() || charges.empty())
        return;
    try {
        cache.follow(charges, configuration.testCharges, configuration.releaseLines);
        if (cache.refusal) {
            messages.push_back(*cache.refusal);
            return;
        }
        if (configuration.releaseLines) {
            for (const std::vector<PlotPoint> &line : cache.lines)
                drawDashedFieldLine(surface, line);
        }
        for (std::size_t i = 0; i < cache.paths.size(); ++i)
            drawTestChargePath(surface, cache.paths[i], configuration.testTime(i));
    } catch (const std::bad_alloc &) {
        cache = {};
        messages.push_back(Messages::OutOfMemory);
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

    // The field lines with the overlays of the last configuration, kept for
    // the frames of moving test charges, and those charges' paths.
    DisplayList overlaid;
    std::vector<Message> overlayMessages;
    OverlaySet overlaidWith;
    Look overlaidIn;
    bool overlaidValid = false;
    TestChargePaths testCharges;
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
        f.overlaidValid = false;
        f.configuration = configuration;
        f.panel.locked = false;
        f.messenger.messages.clear();
        f.charges = excite(configuration, f.lines, f.collector, f.messenger, events_);
    }
    if (!f.overlaidValid || f.overlaidWith != configuration.overlays || f.overlaidIn != configuration.look) {
        f.overlaid = f.drawing;
        f.overlayMessages.clear();
        drawOverlaysGuarded(f.overlaid, configuration, f.charges, f.collector.lines(), f.overlayMessages);
        f.overlaidWith = configuration.overlays;
        f.overlaidIn = configuration.look;
        f.overlaidValid = true;
    }

    Picture picture;
    picture.configuration = configuration;
    picture.charges = f.charges;
    picture.messages = f.messenger.messages;
    picture.messages.insert(picture.messages.end(), f.overlayMessages.begin(), f.overlayMessages.end());
    picture.charge2Locked = f.panel.locked;
    if (configuration.testCharges.empty()) {
        picture.drawing = inLook(f.overlaid, configuration.look);
        return picture;
    }
    DisplayList drawn = f.overlaid;
    drawTestCharges(drawn, configuration, f.charges, f.testCharges, picture.messages);
    for (const TestChargePath &path : f.testCharges.paths)
        picture.testChargeEnds.push_back(path.endTime());
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
    if (recording.messages.empty()) {
        TestChargePaths paths;
        drawTestCharges(collector, configuration, recording.charges, paths, recording.messages);
    }
    return recording;
}

long long Pipeline::stepsTraced() const
{
    return recordedSteps_ + (last_ ? last_->lines.stepsTraced() : 0);
}
