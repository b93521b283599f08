// The browser edition's way into the core: plain C functions that the page
// calls through the WebAssembly module. The page owns the controls; the
// core owns the drawing, through the same Pipeline as the window and the
// command line: the page sets the configuration its controls ask for, and
// gets back the finished picture (runs already in paint order and in their
// look), its messages, what it asks of the controls, and the answers of the
// core's one rule for moving a charge, of the probe and of the judgement of
// a release of test charges.
//
// Strings cross as UTF-8, allocated by the caller in the module's memory.
// A returned string stays valid until the next call that returns one; the
// picture's tables until the next drawing. No exception leaves an entry
// point: a drawing that fails is a message, as in the window.

#include "core/caption.h"
#include "core/chargelist.h"
#include "core/csvtext.h"
#include "core/drag.h"
#include "core/inputcheck.h"
#include "core/look.h"
#include "core/messages.h"
#include "core/numberreading.h"
#include "core/outputformats.h"
#include "core/overlays.h"
#include "core/pipeline.h"
#include "core/presets.h"
#include "core/probereadout.h"
#include "core/testcharge.h"

#include <emscripten/emscripten.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <exception>
#include <limits>
#include <new>
#include <string>
#include <unordered_map>
#include <vector>

namespace {

struct Session
{
    Pipeline pipeline;
    // The configuration the page's controls ask for, set before each call.
    Configuration configuration;
    // The picture on show.
    Picture picture;
    // Its runs as a flat table for the page, kRunWords words each.
    std::vector<std::uint32_t> runTable;
    std::string text;  // the last string returned
    std::array<double, 2> place{};
    // What the last edit of the list of charges was refused for, or none.
    const Message *refusal = nullptr;
    // The list of charges the list dialog gives, before it is applied.
    std::vector<ChargeTexts> list;
    // The translations of the interface, by context and source text.
    std::unordered_map<std::string, std::string> translations;
};

Session &session()
{
    static Session s;
    return s;
}

// layer, dots (0 or 1), 0xRRGGBB, width (the float's bits), first point,
// point count.
constexpr int kRunWords = 6;

const char *keep(std::string text)
{
    session().text = std::move(text);
    return session().text.c_str();
}

const char *keep(const char *text)
{
    return keep(std::string(text ? text : ""));
}

std::string textOf(const char *utf8)
{
    return utf8 ? utf8 : "";
}

std::string translationKey(const char *context, const char *source)
{
    return textOf(context) + '\x04' + textOf(source);
}

// The core's Translator over the page's table: the source text itself
// where the table has none (the Chinese interface has an empty table).
std::string translate(const char *context, const char *source)
{
    const auto &table = session().translations;
    const auto found = table.find(translationKey(context, source));
    return found == table.end() ? textOf(source) : found->second;
}

std::string translate(const char *context, const std::string &source)
{
    return translate(context, source.c_str());
}

// The outcome of an edit of the list of charges: taken (the configuration
// set becomes the edited one) unless a picture of it would be refused.
int judged(const Configuration &edited)
{
    Session &s = session();
    Charges read;
    s.refusal = configurationRefusal(edited, read);
    if (s.refusal)
        return 0;
    s.configuration = edited;
    return 1;
}

void tabulate(Session &s)
{
    s.runTable.clear();
    for (const DisplayList::Run &run : s.picture.drawing.runs()) {
        std::uint32_t width = 0;
        static_assert(sizeof width == sizeof run.width, "a width is one word");
        std::memcpy(&width, &run.width, sizeof width);
        s.runTable.insert(s.runTable.end(), {std::uint32_t(run.layer), run.dots ? 1u : 0u, run.rgb, width,
                                             run.first, run.count});
    }
}

// The messages as the command line prints them: "fieldlines: " and a line,
// for every line of every message.
std::string asPrinted(const std::vector<Message> &messages)
{
    std::string out;
    for (const Message &message : messages) {
        std::size_t start = 0;
        while (start <= message.prompt.size()) {
            std::size_t end = message.prompt.find('\n', start);
            if (end == std::string::npos)
                end = message.prompt.size();
            if (end > start)
                out += "fieldlines: " + message.prompt.substr(start, end - start) + "\n";
            start = end + 1;
        }
    }
    return out;
}

const Message &messageAt(int i)
{
    static const Message none;
    const auto &messages = session().picture.messages;
    return i >= 0 && std::size_t(i) < messages.size() ? messages[std::size_t(i)] : none;
}

const DisplayList::Text *labelAt(int i)
{
    const auto &labels = session().picture.drawing.labels();
    return i >= 0 && std::size_t(i) < labels.size() ? &labels[std::size_t(i)] : nullptr;
}

ChargeTexts *chargeAt(Configuration &c, int i)
{
    return i >= 0 && std::size_t(i) < c.charges.size() ? &c.charges[std::size_t(i)] : nullptr;
}

}  // namespace

extern "C" {

// One translation of the interface: the text shown for source in context.
EMSCRIPTEN_KEEPALIVE void fl_add_translation(const char *context, const char *source, const char *translation)
{
    session().translations[translationKey(context, source)] = textOf(translation);
}

// The configuration: the mode (0 single, 1 two, 2 several), whether one or
// two charges are drawn accurately too, the number of charges and each
// charge's three texts, the overlays and the look switched on (bit i for
// row i of their tables).
EMSCRIPTEN_KEEPALIVE void fl_set_mode(int mode)
{
    session().configuration.mode = mode == 0 ? Mode::Single : mode == 1 ? Mode::Two : Mode::Several;
}

EMSCRIPTEN_KEEPALIVE void fl_set_accurate(int on)
{
    session().configuration.accurate = on != 0;
}

EMSCRIPTEN_KEEPALIVE void fl_set_charge_count(int count)
{
    // At most one more than a picture holds: a 33rd is refused by the
    // drawing as everywhere, and so is any larger number.
    if (count >= 0)
        session().configuration.charges.resize(std::min(std::size_t(count), kMaxCharges + 1));
}

EMSCRIPTEN_KEEPALIVE void fl_set_charge(int i, const char *x, const char *y, const char *q)
{
    if (ChargeTexts *c = chargeAt(session().configuration, i))
        *c = {textOf(x), textOf(y), textOf(q)};
}

EMSCRIPTEN_KEEPALIVE void fl_set_overlays(std::uint32_t bits)
{
    OverlaySet &on = session().configuration.overlays;
    const std::vector<Overlay> &table = overlays();
    for (std::size_t i = 0; i < table.size(); ++i)
        on.set(table[i].key, (bits >> i & 1) != 0);
}

EMSCRIPTEN_KEEPALIVE void fl_set_look(std::uint32_t bits)
{
    const std::vector<LookSwitch> &table = lookSwitches();
    for (std::size_t i = 0; i < table.size(); ++i)
        session().configuration.look.*table[i].flag = (bits >> i & 1) != 0;
}

// The test charges released into the field: their number (one more than a
// picture follows at most, so that a ninth is refused by the judgement as
// everywhere), then each one's place, velocity, sign (1 positive) and the
// moment of its motion it is shown at (infinite: the whole path); and
// whether the field line through each release point is drawn too.
EMSCRIPTEN_KEEPALIVE void fl_set_test_charge_count(int count)
{
    Configuration &c = session().configuration;
    const std::size_t n = std::min(std::size_t(std::max(count, 0)), kMaxTestCharges + 1);
    c.testCharges.resize(n);
    c.testTimes.assign(n, std::numeric_limits<double>::infinity());
}

EMSCRIPTEN_KEEPALIVE void fl_set_test_charge(int i, double x, double y, double vx, double vy, int positive, double t)
{
    Configuration &c = session().configuration;
    if (i < 0 || std::size_t(i) >= c.testCharges.size())
        return;
    c.testCharges[std::size_t(i)] = {x, y, vx, vy, positive != 0};
    c.testTimes[std::size_t(i)] = t;
}

EMSCRIPTEN_KEEPALIVE void fl_set_release_lines(int on)
{
    session().configuration.releaseLines = on != 0;
}

// The rules of releasing that the page applies as the window does: the
// most test charges followed at once, the motion's time played each
// second, and the speed given for each plot unit a release is dragged out.
EMSCRIPTEN_KEEPALIVE int fl_max_test_charges()
{
    return int(kMaxTestCharges);
}

EMSCRIPTEN_KEEPALIVE double fl_test_time_per_second()
{
    return kTestTimePerSecond;
}

EMSCRIPTEN_KEEPALIVE double fl_release_speed_per_unit()
{
    return kReleaseSpeedPerUnit;
}

// The tables every front end reads: overlays, looks, presets and formats.
EMSCRIPTEN_KEEPALIVE int fl_overlay_count()
{
    return int(overlays().size());
}

EMSCRIPTEN_KEEPALIVE const char *fl_overlay_text(int i, int field)
{
    if (i < 0 || std::size_t(i) >= overlays().size())
        return keep("");
    const Overlay &o = overlays()[std::size_t(i)];
    if (field == 1)
        return keep(translate("Overlays", o.menuText));
    const char *fields[] = {o.key, o.menuText, o.linkKey};
    return keep(field >= 0 && field < 3 ? fields[field] : "");
}

EMSCRIPTEN_KEEPALIVE int fl_look_count()
{
    return int(lookSwitches().size());
}

EMSCRIPTEN_KEEPALIVE const char *fl_look_text(int i, int field)
{
    if (i < 0 || std::size_t(i) >= lookSwitches().size())
        return keep("");
    const LookSwitch &l = lookSwitches()[std::size_t(i)];
    if (field == 1)
        return keep(translate("Looks", l.menuText));
    return keep(field == 0 ? l.key : "");
}

EMSCRIPTEN_KEEPALIVE int fl_preset_count()
{
    return int(presets().size());
}

// Field 0 the menu's name, 1 the command-line name, 2 the mode ("single",
// "two", "several"), 3 the number of charges; charge c's texts with
// fl_preset_charge.
EMSCRIPTEN_KEEPALIVE const char *fl_preset_text(int i, int field)
{
    if (i < 0 || std::size_t(i) >= presets().size())
        return keep("");
    const Preset &p = presets()[std::size_t(i)];
    switch (field) {
    case 0:
        return keep(translate("Presets", p.name));
    case 1:
        return keep(p.commandName);
    case 2:
        return keep(p.mode == Mode::Single ? "single" : p.mode == Mode::Two ? "two" : "several");
    case 3:
        return keep(std::to_string(p.charges.size()));
    default:
        return keep("");
    }
}

EMSCRIPTEN_KEEPALIVE const char *fl_preset_charge(int i, int charge, int part)
{
    if (i < 0 || std::size_t(i) >= presets().size())
        return keep("");
    const Preset &p = presets()[std::size_t(i)];
    if (charge < 0 || std::size_t(charge) >= p.charges.size())
        return keep("");
    const ChargeTexts &c = p.charges[std::size_t(charge)];
    return keep(part == 0 ? c.x : part == 1 ? c.y : c.q);
}

EMSCRIPTEN_KEEPALIVE int fl_format_count()
{
    return int(outputFormats().size());
}

// Field 0 the suffix, 1 the name, 2 "1" when the page saves it, 3 and 4 its
// width and height when saved.
EMSCRIPTEN_KEEPALIVE const char *fl_format_text(int i, int field)
{
    if (i < 0 || std::size_t(i) >= outputFormats().size())
        return keep("");
    const OutputFormat &f = outputFormats()[std::size_t(i)];
    switch (field) {
    case 0:
        return keep(f.suffix);
    case 1:
        return keep(translate("PictureWriter", f.name));
    case 2:
        return keep(f.fromWindow ? "1" : "0");
    case 3:
        return keep(std::to_string(f.savedWidth));
    case 4:
        return keep(std::to_string(f.savedHeight));
    default:
        return keep("");
    }
}

// Draws the configuration set: the click on "激　发", or the picture on
// show again in other overlays or another look (then its field lines are
// kept). Returns the number of messages.
EMSCRIPTEN_KEEPALIVE int fl_draw()
{
    Session &s = session();
    try {
        s.picture = s.pipeline.draw(s.configuration);
    } catch (const std::bad_alloc &) {
        s.picture = Picture{};
        s.picture.configuration = s.configuration;
        s.picture.messages.push_back(Messages::OutOfMemory);
    } catch (const std::exception &) {
        s.picture = Picture{};
        s.picture.configuration = s.configuration;
        s.picture.messages.push_back(Messages::UnexpectedFailure);
    }
    tabulate(s);
    return int(s.picture.messages.size());
}

// 1 when the picture locked the boxes of charge 2 (single-charge mode).
EMSCRIPTEN_KEEPALIVE int fl_charge2_locked()
{
    return session().picture.charge2Locked ? 1 : 0;
}

// Message i of the picture: its prompt, its title, and its severity (0 a
// notice about the input, 1 a failure).
EMSCRIPTEN_KEEPALIVE const char *fl_message_prompt(int i)
{
    return keep(translate("Messages", messageAt(i).prompt));
}

EMSCRIPTEN_KEEPALIVE const char *fl_message_title(int i)
{
    return keep(translate("Messages", messageAt(i).title));
}

EMSCRIPTEN_KEEPALIVE int fl_message_severity(int i)
{
    return messageAt(i).severity == Severity::Failure ? 1 : 0;
}

// The picture: the run table (kRunWords words a run) and the points, two
// floats each, in the designed picture's pixels, painted in order.
EMSCRIPTEN_KEEPALIVE int fl_run_count()
{
    return int(session().runTable.size() / kRunWords);
}

EMSCRIPTEN_KEEPALIVE const std::uint32_t *fl_runs()
{
    return session().runTable.data();
}

EMSCRIPTEN_KEEPALIVE int fl_point_count()
{
    return int(session().picture.drawing.points().size());
}

EMSCRIPTEN_KEEPALIVE const float *fl_points()
{
    static_assert(sizeof(DisplayList::Point) == 2 * sizeof(float), "points are read as pairs of floats");
    return reinterpret_cast<const float *>(session().picture.drawing.points().data());
}

// The labels, painted last: the centre of each (designed pixels), its
// colour (0xRRGGBB), its font's height (designed pixels) and its text, each
// on a white box.
EMSCRIPTEN_KEEPALIVE int fl_label_count()
{
    return int(session().picture.drawing.labels().size());
}

EMSCRIPTEN_KEEPALIVE float fl_label_x(int i)
{
    const DisplayList::Text *label = labelAt(i);
    return label ? label->centre.x : 0;
}

EMSCRIPTEN_KEEPALIVE float fl_label_y(int i)
{
    const DisplayList::Text *label = labelAt(i);
    return label ? label->centre.y : 0;
}

EMSCRIPTEN_KEEPALIVE std::uint32_t fl_label_rgb(int i)
{
    const DisplayList::Text *label = labelAt(i);
    return label ? label->rgb : 0;
}

EMSCRIPTEN_KEEPALIVE float fl_label_size(int i)
{
    const DisplayList::Text *label = labelAt(i);
    return label ? label->size : 0;
}

EMSCRIPTEN_KEEPALIVE const char *fl_label_text(int i)
{
    const DisplayList::Text *label = labelAt(i);
    return keep(label ? label->text : std::string());
}

// When each test charge's path on the picture on show ends, in the
// motion's time: fl_test_charge_end_count doubles.
EMSCRIPTEN_KEEPALIVE int fl_test_charge_end_count()
{
    return int(session().picture.testChargeEnds.size());
}

EMSCRIPTEN_KEEPALIVE const double *fl_test_charge_ends()
{
    return session().picture.testChargeEnds.data();
}

// The judgement of the test charges set, released into the field of the
// charges of the picture on show (releaseRefusal): 1 when refused, the
// reason then in fl_refusal_prompt and fl_refusal_title; 0 when every path
// can be followed.
EMSCRIPTEN_KEEPALIVE int fl_release_refused()
{
    Session &s = session();
    s.refusal = releaseRefusal(s.picture.charges, s.configuration.testCharges);
    return s.refusal ? 1 : 0;
}

// The charges of the picture on show, as read: none when the input was
// refused. Three doubles a charge: x, y (user coordinates) and the amount.
EMSCRIPTEN_KEEPALIVE int fl_charge_count()
{
    return int(session().picture.charges.size());
}

EMSCRIPTEN_KEEPALIVE const double *fl_charges()
{
    static_assert(sizeof(PointCharge) == 3 * sizeof(double), "charges are read as three doubles");
    return reinterpret_cast<const double *>(session().picture.charges.data());
}

// The line under the picture on show.
EMSCRIPTEN_KEEPALIVE const char *fl_caption()
{
    return keep(pictureCaption(session().picture.configuration, translate));
}

// The charge (from 0) whose dot on the picture on show lies within reach
// (user units) of (x, y), the nearest, the later when equally near; only
// the charges the configuration set draws. -1 for none.
EMSCRIPTEN_KEEPALIVE int fl_charge_at(double x, double y, double reach)
{
    const Session &s = session();
    const std::size_t inMode = std::min(s.picture.charges.size(), s.configuration.chargesInMode());
    int found = -1;
    double nearest = reach;
    for (std::size_t i = 0; i < inMode; ++i) {
        const double d = std::hypot(x - s.picture.charges[i].x, y - s.picture.charges[i].y);
        if (d <= nearest) {
            nearest = d;
            found = int(i);
        }
    }
    return found;
}

// Where charge i of the configuration set is, as its boxes read: x and y
// in fl_place().
EMSCRIPTEN_KEEPALIVE void fl_charge_place(int i)
{
    const PlotPoint p = chargePlace(session().configuration, std::size_t(std::max(i, 0)));
    session().place = {p.x, p.y};
}

EMSCRIPTEN_KEEPALIVE const double *fl_place()
{
    return session().place.data();
}

// The core's rule for moving charge i of the configuration set toward
// (x, y), the other charge kept clear of where the picture on show has it
// (movedCharge): 1 when the move is taken, and the configuration set
// is then the moved one (read its texts with fl_charge_text); 0 when not.
EMSCRIPTEN_KEEPALIVE int fl_move(int i, double x, double y)
{
    Session &s = session();
    if (i < 0)
        return 0;
    const auto moved = movedCharge(s.configuration, s.picture.charges, std::size_t(i), x, y);
    if (!moved)
        return 0;
    s.configuration = *moved;
    return 1;
}

// Text 0 (x), 1 (y) or 2 (amount) of charge i of the configuration set.
EMSCRIPTEN_KEEPALIVE const char *fl_charge_text(int i, int part)
{
    const ChargeTexts *c = chargeAt(session().configuration, i);
    if (!c)
        return keep("");
    return keep(part == 0 ? c->x : part == 1 ? c->y : c->q);
}

// The probe's readout at (x, y) over the picture on show, as lines.
EMSCRIPTEN_KEEPALIVE const char *fl_probe(double x, double y)
{
    std::string text;
    for (const std::string &line : probeReadout(session().picture.charges, x, y, translate)) {
        if (!text.empty())
            text += '\n';
        text += line;
    }
    return keep(text);
}

// The corner for the probe's box (0 top left, 1 top right, 2 bottom left,
// 3 bottom right): see probeCorner. Sizes in user units.
EMSCRIPTEN_KEEPALIVE int fl_probe_corner(double x, double y, double width, double height, double margin,
                                         double dotRadius)
{
    return int(probeCorner(session().picture.charges, {x, y}, width, height, margin, dotRadius));
}

// The configuration set as the last edit or preset left it: its mode (0
// single, 1 two, 2 several) and its number of charges; their texts with
// fl_charge_text.
EMSCRIPTEN_KEEPALIVE int fl_configured_mode()
{
    const Mode mode = session().configuration.mode;
    return mode == Mode::Single ? 0 : mode == Mode::Two ? 1 : 2;
}

EMSCRIPTEN_KEEPALIVE int fl_configured_count()
{
    return int(session().configuration.charges.size());
}

// Preset i applied to the configuration set (Preset::appliedTo): its mode
// and charges, the boxes it leaves alone kept. A preset is drawn as it is;
// its drawing judges it.
EMSCRIPTEN_KEEPALIVE void fl_apply_preset(int i)
{
    if (i >= 0 && std::size_t(i) < presets().size())
        session().configuration = presets()[std::size_t(i)].appliedTo(session().configuration);
}

// The edits of the list of charges (core/chargelist.h) on the configuration
// set, each judged as a picture of it would be (configurationRefusal): 1
// when taken, the configuration set then the edited one; 0 when refused,
// the configuration set unchanged and the reason in fl_refusal_prompt and
// fl_refusal_title.
//
// A charge of amount q added at (x, y) of the plot, its place rounded to
// half a unit and kept on the plot as a drag puts a charge.
EMSCRIPTEN_KEEPALIVE int fl_add_charge(double x, double y, const char *q)
{
    const auto place = dragTarget(x, y, 1, {}, false);
    if (!place)
        return 0;
    const ChargeTexts charge{coordinateText(place->x), coordinateText(place->y), textOf(q)};
    return judged(withChargeAdded(session().configuration, charge));
}

// Charge i (from 0) of those the mode draws removed.
EMSCRIPTEN_KEEPALIVE int fl_remove_charge(int i)
{
    if (i < 0)
        return 0;
    return judged(withChargeRemoved(session().configuration, std::size_t(i)));
}

// New texts for charge i of those the mode draws.
EMSCRIPTEN_KEEPALIVE int fl_change_charge(int i, const char *x, const char *y, const char *q)
{
    if (i < 0)
        return 0;
    return judged(withChargeChanged(session().configuration, std::size_t(i), {textOf(x), textOf(y), textOf(q)}));
}

// The whole list replaced, as the list of charges gives it: cleared, then
// each charge pushed in turn, then applied.
EMSCRIPTEN_KEEPALIVE void fl_list_clear()
{
    session().list.clear();
}

EMSCRIPTEN_KEEPALIVE void fl_list_push(const char *x, const char *y, const char *q)
{
    // One more than a picture holds, so that the 33rd is refused by the
    // judgement as everywhere.
    if (session().list.size() <= kMaxCharges)
        session().list.push_back({textOf(x), textOf(y), textOf(q)});
}

EMSCRIPTEN_KEEPALIVE int fl_apply_list()
{
    return judged(withChargeList(session().configuration, session().list));
}

EMSCRIPTEN_KEEPALIVE const char *fl_refusal_prompt()
{
    const Message *refusal = session().refusal;
    return keep(refusal ? translate("Messages", refusal->prompt) : std::string());
}

EMSCRIPTEN_KEEPALIVE const char *fl_refusal_title()
{
    const Message *refusal = session().refusal;
    return keep(refusal ? translate("Messages", refusal->title) : std::string());
}

// The colour (0xRRGGBB) of the panel's legend dot of charge 1 (i = 0) or
// charge 2 (i = 1) in the look set: the colour of that charge's dot in the
// picture. 0xFFFFFFFF, no legend, when the accurate tracer draws the
// configuration: its dots show their charge's sign, not which charge it is.
EMSCRIPTEN_KEEPALIVE std::uint32_t fl_legend_rgb(int i)
{
    if (session().configuration.drawsAccurately())
        return 0xFFFFFFFF;
    const std::uint32_t bgr = i == 0 ? Colour::Green : Colour::Red;
    const std::uint32_t rgb = (bgr & 0xFF) << 16 | (bgr & 0xFF00) | (bgr >> 16 & 0xFF);
    return lookColour(rgb, Layer::Dots, session().configuration.look);
}

// What the command line gives for the configuration set (fieldlines
// --charge1 … --charge2 … [--single] or --charge … three times or more,
// [--accurate] [overlays] [--particle … --particle-negative …
// --particle-line] --output FILE.csv, whole paths whatever moments are set): the CSV text, or, when the
// drawing showed messages, each line of them as the command line prints it
// on its error output in the page's language. Independent of the picture
// on show.
EMSCRIPTEN_KEEPALIVE const char *fl_csv()
{
    try {
        Configuration whole = session().configuration;
        whole.testTimes.clear();
        const Recording recording = session().pipeline.record(whole);
        if (!recording.messages.empty()) {
            std::vector<Message> printed;
            for (const Message &m : recording.messages) {
                const std::string &prompt = m == Messages::OutOfMemory         ? Messages::OutOfMemoryNothingWritten
                                            : m == Messages::UnexpectedFailure ? Messages::FailureNothingWritten
                                                                               : m.prompt;
                printed.push_back({translate("Messages", prompt), m.title, m.severity});
            }
            return keep(asPrinted(printed));
        }
        return keep(csvText(recording.operations.drawing()));
    } catch (const std::bad_alloc &) {
        return keep(asPrinted({{translate("Messages", Messages::OutOfMemoryNothingWritten), Messages::RuntimeErrorTitle,
                                 Severity::Failure}}));
    }
}

// The boxes' reading rule: the value of a text, and whether the whole text
// is one number (as the command line and the page's links require).
EMSCRIPTEN_KEEPALIVE double fl_read_number(const char *utf8)
{
    return readNumber(utf8 ? utf8 : "");
}

EMSCRIPTEN_KEEPALIVE int fl_reads_in_full(const char *utf8)
{
    return readsInFull(utf8 ? utf8 : "") ? 1 : 0;
}

}  // extern "C"
