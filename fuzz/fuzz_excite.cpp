// A whole excite from six fuzzed texts and a mode, through the same code as
// the window, into a surface that checks every operation: only finite
// coordinates, no traced line longer than the step limit, a message exactly
// for the input that is refused, never the run-time error. Afterwards a single charge must draw its usual rays.
//
// Input: the mode and the six texts separated by '|':
//   MODE|Text1|Text2|Text3|Text4|Text5|Text6
// MODE "1" is single-charge mode, anything else two-charge mode; missing
// texts are empty.

#include "support/checkingsurface.h"
#include "core/drawingstate.h"
#include "core/fieldlines.h"
#include "core/messages.h"
#include "core/recordingmessenger.h"
#include "core/numberreading.h"
#include "core/textpanel.h"

#include <array>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

[[noreturn]] void fail(const char *what)
{
    std::fprintf(stderr, "fuzz_excite: %s\n", what);
    std::abort();
}

struct Window
{
    DrawingState state;
    CheckingSurface surface;
    TextPanel panel;
    RecordingMessenger messenger;
    FieldLines lines{state, surface, panel, messenger};

    void excite(const std::array<std::string, 6> &texts, bool twoCharges)
    {
        for (int box = 1; box <= 6; ++box)
            panel.setText(box, texts[box - 1]);
        panel.setTwoChargeMode(twoCharges);
        messenger.messages.clear();
        lines.excite();
    }
};

const std::array<std::string, 6> kSingleCharge = {"0", "0", "10", "15", "0", "-10"};

// The rays of a lone charge at the origin, on a fresh window.
std::uint64_t singleChargeFingerprint()
{
    Window window;
    window.excite(kSingleCharge, false);
    return window.surface.fingerprint;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static const std::uint64_t kSingleChargePicture = singleChargeFingerprint();

    const std::string_view input(reinterpret_cast<const char *>(data), size);
    std::array<std::string, 7> fields;
    std::size_t field = 0;
    for (char c : input) {
        if (c == '|' && field + 1 < fields.size())
            ++field;
        else
            fields[field] += c;
    }
    const bool twoCharges = fields[0] != "1";
    std::array<std::string, 6> texts;
    for (int box = 0; box < 6; ++box)
        texts[box] = fields[box + 1];

    // The message the texts call for, if any: only the charges drawn count;
    // numbers beyond the 32-bit range or amounts too small for it, then
    // positions off the plot, two charges at one place, the wrong order.
    const Message *expected = nullptr;
    const int boxes = twoCharges ? 6 : 3;
    std::array<float, 6> values{};
    for (int box = 0; box < boxes && !expected; ++box) {
        const double value = readNumber(texts[box]);
        values[box] = float(value);
        if (!(std::fabs(value) <= FLT_MAX) || (box % 3 == 2 && value != 0 && !std::isnormal(values[box])))
            expected = &Messages::OutOfRange;
    }
    for (int charge = 0; charge < boxes && !expected; charge += 3) {
        if (std::fabs(values[charge]) > 45 || std::fabs(values[charge + 1]) > 25)
            expected = &Messages::OutOfPlot;
    }
    if (!expected && twoCharges && values[3] == values[0] && values[4] == values[1])
        expected = &Messages::SamePlace;
    if (!expected && twoCharges && values[3] < values[0])
        expected = &Messages::WrongOrder;

    Window window;
    window.excite(texts, twoCharges);
    if (window.surface.nonFinite != 0)
        fail("a coordinate that is not a finite number reached the plot");
    if (window.surface.longestLine > FieldLines::kMaxStepsPerLine)
        fail("a traced line is longer than the step limit");
    const RecordingMessenger &shown = window.messenger;
    for (const Message &message : shown.messages) {
        if (message.severity == Severity::Failure)
            fail("the excite ended with the run-time error");
    }
    if (!expected) {
        if (!shown.messages.empty())
            fail("a message for texts that call for none");
        if (window.surface.dots != (twoCharges ? 2 : 1))
            fail("the excite did not draw the charges' dots");
    } else {
        if (shown.messages.size() != 1 || shown.messages[0] != *expected)
            fail("not the one message the texts call for");
        if (window.surface.lines + window.surface.dots != 0)
            fail("drawn although a message was shown");
    }

    // The same window draws a lone charge as on a fresh one.
    window.excite(kSingleCharge, false);
    if (window.surface.fingerprint != kSingleChargePicture || !shown.messages.empty())
        fail("the window draws a single charge differently after this excite");
    return 0;
}
