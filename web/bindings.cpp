// The browser edition's way into the core: plain C functions that the page
// calls through the WebAssembly module. The page owns the controls; the core
// owns the drawing. An excite here is the window's excite: the same
// FieldLines, the same reading of the six boxes, the same decisions and
// messages, drawn into the same DisplayList the desktop paints from. The
// page then paints that list on its canvas.
//
// Strings cross as UTF-8, allocated by the caller in the module's memory.
// A returned string stays valid until the next call that returns one; the
// drawing's tables until the next excite.

#include "core/csvtext.h"
#include "core/displaylist.h"
#include "core/drawingstate.h"
#include "core/fieldlines.h"
#include "core/inputpanel.h"
#include "core/numberreading.h"
#include "core/recordingmessenger.h"
#include "core/recordingsurface.h"
#include "core/textpanel.h"

#include <emscripten/emscripten.h>

#include <array>
#include <cstdint>
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
    DisplayList drawing;
    PagePanel panel;
    RecordingMessenger messenger;
    FieldLines fieldLines{state, drawing, panel, messenger};

    // The runs of the drawing as a flat table for the page, kRunWords
    // words each.
    std::vector<std::uint32_t> runTable;
    std::string text;  // the last string returned
};

Session &session()
{
    static Session s;
    return s;
}

// Kinds of run in the table. Later kinds (markers, equipotentials) are new
// numbers; a page that does not know a kind skips it.
constexpr std::uint32_t kPolyline = 0;
constexpr std::uint32_t kDots = 1;
constexpr int kRunWords = 5;  // kind, 0xRRGGBB, width, first point, point count

const char *keep(std::string text)
{
    session().text = std::move(text);
    return session().text.c_str();
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

// The click on "激　发". Returns the number of messages it showed; the
// drawing, the messages and the lock are read with the functions below.
EMSCRIPTEN_KEEPALIVE int fl_excite()
{
    Session &s = session();
    s.messenger.messages.clear();
    s.panel.charge2Locked = false;
    s.fieldLines.excite();

    s.runTable.clear();
    for (const DisplayList::Run &run : s.drawing.runs()) {
        s.runTable.insert(s.runTable.end(),
                          {run.dots ? kDots : kPolyline, run.rgb, run.width, run.first, run.count});
    }
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

// What the command line gives for the same input (fieldlines [--single]
// --charge1=t1,t2,t3 --charge2=t4,t5,t6 --output FILE.csv): the CSV text
// of a fresh excite, or, when the excite showed messages, each line of them
// as the command line prints it on its error output, "fieldlines: " and the
// line, ending in a line feed. Independent of the page's own drawing.
EMSCRIPTEN_KEEPALIVE const char *fl_csv(int twoCharges, const char *t1, const char *t2, const char *t3,
                                        const char *t4, const char *t5, const char *t6)
{
    TextPanel panel;
    const char *texts[6] = {t1, t2, t3, t4, t5, t6};
    for (int box = 1; box <= 6; ++box)
        panel.setText(box, texts[box - 1] ? texts[box - 1] : "");
    panel.setTwoChargeMode(twoCharges != 0);

    DrawingState state;
    RecordingSurface recording;
    RecordingMessenger messenger;
    FieldLines(state, recording, panel, messenger).excite();
    if (messenger.messages.empty())
        return keep(csvText(recording.drawing()));

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
