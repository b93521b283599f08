// The browser edition's way into the core: plain C functions that the page
// calls through the WebAssembly module. The page owns the controls; the core
// owns the drawing. An excite here is the window's excite: the same
// FieldLines, the same reading of the six boxes, the same decisions and
// messages, drawn into the same DisplayList the desktop paints from. The
// page then paints that list on its canvas.
//
// Strings cross as UTF-8, allocated by the caller in the module's memory.
// A returned string stays valid until the next call that returns one; the
// drawing's tables until the next excite or redraw.
//
// The overlays (equipotentials, zero-field markers) are drawn after the
// field lines of every excite, as the command line does, from the same
// core functions; switching them redraws the picture on show without
// reading the boxes again. The live parts of the picture (dragging a
// charge, the arrow keys, the field probe) use the charges of the picture
// on show and the core's rules for where a dragged charge may go.

#include "core/csvtext.h"
#include "core/displaylist.h"
#include "core/drag.h"
#include "core/drawingstate.h"
#include "core/fieldlines.h"
#include "core/fieldprobe.h"
#include "core/inputpanel.h"
#include "core/linecollector.h"
#include "core/messages.h"
#include "core/numberreading.h"
#include "core/overlays.h"
#include "core/plotgeometry.h"
#include "core/recordingmessenger.h"
#include "core/recordingsurface.h"
#include "core/textpanel.h"

#include <emscripten/emscripten.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <new>
#include <string>
#include <vector>

namespace {

// The page's six boxes and its mode, handed over before each excite. The
// lock that single-charge mode asks for is kept for the page to apply.
class PagePanel : public InputPanel
{
public:
    std::string text(int box) const override { return box >= 1 && box <= 6 ? texts[box - 1] : std::string(); }
    bool twoChargeMode() const override { return twoCharges; }
    void lockCharge2Boxes() override { charge2Locked = true; }

    std::array<std::string, 6> texts;
    bool twoCharges = true;
    bool charge2Locked = false;
};

// What the page's window owns for its whole life, as Form1 does: one
// drawing state, the drawing and the procedures working on them.
struct Session
{
    DrawingState state;
    // The field lines of the last excite, and the lines among them that the
    // labels of the equipotentials keep clear of.
    DisplayList fieldDrawing;
    LineCollector collector{fieldDrawing};
    PagePanel panel;
    RecordingMessenger messenger;
    FieldLines fieldLines{state, collector, panel, messenger};

    // What the page shows: the field lines with the overlays switched on.
    Overlays overlays;
    DisplayList drawing;

    // The runs of the drawing as a flat table for the page, kRunWords
    // words each.
    std::vector<std::uint32_t> runTable;
    std::string text;  // the last string returned
    std::array<double, 2> dragPlace{};
};

Session &session()
{
    static Session s;
    return s;
}

// Kinds of run in the table; a page that does not know a kind skips it.
constexpr std::uint32_t kPolyline = 0;
constexpr std::uint32_t kDots = 1;
constexpr std::uint32_t kUnderlay = 2;  // a polyline painted under the field lines
constexpr int kRunWords = 5;  // kind, 0xRRGGBB, width, first point, point count

// The dots of the charges: 20 pixels across in the designed picture.
constexpr double kDotRadiusPixels = 10;

const char *keep(std::string text)
{
    session().text = std::move(text);
    return session().text.c_str();
}

// The picture on show: the field lines of the last excite, then the
// overlays switched on for its charges. A failure while drawing the
// overlays is reported as one inside the excite is; the field lines stay.
void compose(Session &s)
{
    s.drawing = s.fieldDrawing;
    try {
        drawOverlays(s.drawing, s.fieldLines.charges(), s.overlays, &s.collector.lines());
    } catch (const std::bad_alloc &) {
        s.drawing = s.fieldDrawing;
        s.messenger.show(Messages::OutOfMemory);
    } catch (const std::exception &) {
        s.drawing = s.fieldDrawing;
        s.messenger.show(Messages::UnexpectedFailure);
    }

    s.runTable.clear();
    for (const DisplayList::Run &run : s.drawing.runs()) {
        const std::uint32_t kind = run.dots ? kDots : run.underlay() ? kUnderlay : kPolyline;
        s.runTable.insert(s.runTable.end(), {kind, run.rgb, run.width, run.first, run.count});
    }
}

// A number of the probe's readout: three significant digits, a full stop
// (the module's C locale is never another), and 0 for -0.
std::string threeDigits(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.3g", value == 0 ? 0.0 : value);
    return text;
}

const DisplayList::Text *labelAt(int i)
{
    const auto &labels = session().drawing.labels();
    return i >= 0 && std::size_t(i) < labels.size() ? &labels[std::size_t(i)] : nullptr;
}

}  // namespace

extern "C" {

// The text of box 1 … 6 (Text1 … Text6) for the next excite.
EMSCRIPTEN_KEEPALIVE void fl_set_text(int box, const char *utf8)
{
    if (box >= 1 && box <= 6)
        session().panel.texts[std::size_t(box - 1)] = utf8 ? utf8 : "";
}

// 1 for "两个点电荷", 0 for "单个点电荷".
EMSCRIPTEN_KEEPALIVE void fl_set_two_charge_mode(int on)
{
    session().panel.twoCharges = on != 0;
}

// The overlays that the next excite, and fl_redraw, draw after the field
// lines: the equipotential lines with their labels, the zero-field markers.
EMSCRIPTEN_KEEPALIVE void fl_set_overlays(int equipotentials, int zeroField)
{
    session().overlays = Overlays{equipotentials != 0, zeroField != 0};
}

// The click on "激　发", with the overlays switched on. Returns the number
// of messages it showed; the drawing, the messages and the lock are read
// with the functions below.
EMSCRIPTEN_KEEPALIVE int fl_excite()
{
    Session &s = session();
    s.messenger.messages.clear();
    s.panel.charge2Locked = false;
    s.fieldLines.excite();
    compose(s);
    return int(s.messenger.messages.size());
}

// The picture on show again with the overlays now switched on, without
// reading the boxes: the field lines stay as the last excite drew them.
// Returns the number of messages, as fl_excite does.
EMSCRIPTEN_KEEPALIVE int fl_redraw()
{
    Session &s = session();
    s.messenger.messages.clear();
    compose(s);
    return int(s.messenger.messages.size());
}

// 1 when the last excite locked the boxes of charge 2 (single-charge mode).
EMSCRIPTEN_KEEPALIVE int fl_charge2_locked()
{
    return session().panel.charge2Locked ? 1 : 0;
}

// Message i of the last excite: its prompt, its title, and its severity
// (0 a notice about the input, 1 a failure).
EMSCRIPTEN_KEEPALIVE const char *fl_message_prompt(int i)
{
    const auto &messages = session().messenger.messages;
    return keep(i >= 0 && std::size_t(i) < messages.size() ? messages[std::size_t(i)].prompt : "");
}

EMSCRIPTEN_KEEPALIVE const char *fl_message_title(int i)
{
    const auto &messages = session().messenger.messages;
    return keep(i >= 0 && std::size_t(i) < messages.size() ? messages[std::size_t(i)].title : "");
}

EMSCRIPTEN_KEEPALIVE int fl_message_severity(int i)
{
    const auto &messages = session().messenger.messages;
    if (i < 0 || std::size_t(i) >= messages.size())
        return 0;
    return messages[std::size_t(i)].severity == Severity::Failure ? 1 : 0;
}

// The drawing of the last excite: the run table (kRunWords words a run) and
// the points, two floats each, in the designed picture's pixels.
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
    return int(session().drawing.points().size());
}

EMSCRIPTEN_KEEPALIVE const float *fl_points()
{
    static_assert(sizeof(DisplayList::Point) == 2 * sizeof(float), "points are read as pairs of floats");
    return reinterpret_cast<const float *>(session().drawing.points().data());
}

// The labels of the drawing: the centre of each (designed pixels), its
// colour (0xRRGGBB) and its text. Painted under the field lines, after the
// underlay runs, each on a white box.
EMSCRIPTEN_KEEPALIVE int fl_label_count()
{
    return int(session().drawing.labels().size());
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

EMSCRIPTEN_KEEPALIVE const char *fl_label_text(int i)
{
    const DisplayList::Text *label = labelAt(i);
    return keep(label ? label->text : std::string());
}

// The charges of the picture on show, as the last excite read them: none
// when it refused its input, one in single-charge mode. Three doubles a
// charge: x, y (user coordinates) and the amount.
EMSCRIPTEN_KEEPALIVE int fl_charge_count()
{
    return int(session().fieldLines.charges().size());
}

EMSCRIPTEN_KEEPALIVE const double *fl_charges()
{
    static_assert(sizeof(PointCharge) == 3 * sizeof(double), "charges are read as three doubles");
    return reinterpret_cast<const double *>(session().fieldLines.charges().data());
}

// Where charge 1 or 2, dragged or moved by the keys to (x, y), goes (see
// dragTarget): 1 with the place in fl_drag_place(), as x and y; 0 for a
// place on the other charge, which the move skips.
EMSCRIPTEN_KEEPALIVE int fl_drag_target(double x, double y, int charge, double otherX, double otherY,
                                        int twoCharges)
{
    const auto target = dragTarget(x, y, charge, PlotPoint{otherX, otherY}, twoCharges != 0);
    if (!target)
        return 0;
    session().dragPlace = {target->x, target->y};
    return 1;
}

EMSCRIPTEN_KEEPALIVE const double *fl_drag_place()
{
    return session().dragPlace.data();
}

// The text a box shows for a coordinate a drag left: "-12.5".
EMSCRIPTEN_KEEPALIVE const char *fl_coordinate_text(double value)
{
    return keep(coordinateText(value));
}

// The field probe's readout at (x, y), user coordinates, for the charges of
// the picture on show, in lines:
//   x = -12.5   y = 3
//   |E| = 0.0445   方向 12.3°
//   V = 0.123
// On a charge's dot, where the field runs off beyond any reading and at its
// centre is not defined, the second line says so and there is no third.
// Empty when no picture is on show.
EMSCRIPTEN_KEEPALIVE const char *fl_probe(double x, double y)
{
    const Charges &charges = session().fieldLines.charges();
    if (charges.empty() || !std::isfinite(x) || !std::isfinite(y))
        return keep("");
    std::string text = "x = " + threeDigits(x) + "   y = " + threeDigits(y) + "\n";
    const double pixelsPerUnit = Plot::kDesignWidth / double(Plot::kRight - Plot::kLeft);
    bool onDot = false;
    for (const PointCharge &charge : charges)
        onDot = onDot || std::hypot(x - charge.x, y - charge.y) * pixelsPerUnit <= kDotRadiusPixels;
    const FieldSample sample = fieldAt(charges, x, y);
    if (onDot || !sample.defined)
        return keep(text + "此处场强无定义");
    text += "|E| = " + threeDigits(sample.strength) + "   方向 " + threeDigits(sample.degrees) + "°\n";
    text += "V = " + threeDigits(sample.potential);
    return keep(text);
}

// What the command line gives for the same input (fieldlines [--single]
// [--equipotentials] [--zero-field] --charge1=t1,t2,t3 --charge2=t4,t5,t6
// --output FILE.csv): the CSV text of a fresh excite followed by the
// overlays asked for (bit 0 the equipotentials, bit 1 the zero-field
// markers), or, when the excite showed messages, each line of them as the
// command line prints it on its error output, "fieldlines: " and the line,
// ending in a line feed. Independent of the page's own drawing.
EMSCRIPTEN_KEEPALIVE const char *fl_csv(int twoCharges, const char *t1, const char *t2, const char *t3,
                                        const char *t4, const char *t5, const char *t6, int overlays)
{
    TextPanel panel;
    const char *texts[6] = {t1, t2, t3, t4, t5, t6};
    for (int box = 1; box <= 6; ++box)
        panel.setText(box, texts[box - 1] ? texts[box - 1] : "");
    panel.setTwoChargeMode(twoCharges != 0);

    DrawingState state;
    RecordingSurface recording;
    LineCollector surface(recording);
    RecordingMessenger messenger;
    FieldLines lines(state, surface, panel, messenger);
    lines.excite();
    if (messenger.messages.empty()) {
        drawOverlays(surface, lines.charges(), Overlays{(overlays & 1) != 0, (overlays & 2) != 0},
                     &surface.lines());
        return keep(csvText(recording.drawing()));
    }

    std::string out;
    for (const Message &message : messenger.messages) {
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
    return keep(out);
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
