// Random texts in the six boxes, in both modes, excited one after the other
// on one window's worth of state, as a user would. Whatever is typed, the
// excite must come back, hand only finite coordinates to the plot, stop every
// traced line at the step limit, show a message only for charges in the
// wrong order or numbers beyond the 32-bit range, and leave everything so
// that the default charges draw the default picture again.

#include "support/checkingsurface.h"
#include "support/namedrows.h"
#include "support/rig.h"

#include "core/messages.h"
#include "core/numberreading.h"

#include <gtest/gtest.h>

#include <array>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <random>
#include <sstream>
#include <string>

namespace {

#ifdef FIELDLINES_SANITIZE
// The sanitizers slow the tracing down several times; the property is the
// same, checked on fewer inputs.
constexpr int kExcites = 500;
#else
constexpr int kExcites = 2000;
#endif

// Texts for the boxes. std::mt19937 is the same everywhere; the mapping of
// its numbers to choices is done here so that every standard library makes
// the same texts from the same seed.
class TextMaker
{
public:
    explicit TextMaker(std::uint32_t seed)
        : random_(seed)
    {
    }

    std::uint32_t pick(std::uint32_t n) { return random_() % n; }
    double unit() { return random_() / 4294967296.0; }
    bool chance(double p) { return unit() < p; }

    // A position: mostly on the plot, sometimes far off it or not a number.
    std::string position(double halfSpan)
    {
        switch (pick(16)) {
        case 0:
        case 1:
            return number(std::round((2 * unit() - 1) * halfSpan));
        case 2:
            return number(std::round((2 * unit() - 1) * halfSpan * 8) / 8);
        case 3:
            return number((chance(0.5) ? -1 : 1) * std::pow(10.0, 2 + unit() * 36));  // far outside
        case 4:
            return extreme();
        case 5:
            return garbage();
        default:
            return withBlanks(number(std::round((2 * unit() - 1) * halfSpan)));
        }
    }

    // An amount: mostly ordinary, sometimes huge, tiny, zero or not a number.
    std::string amount()
    {
        switch (pick(8)) {
        case 0:
        case 1:
        case 2:
            return number(std::round((2 * unit() - 1) * 100));
        case 3:
            return number((2 * unit() - 1) * 20);
        case 4:
            return extreme();
        case 5:
            return number((chance(0.5) ? -1 : 1) * std::pow(10.0, -45 + unit() * 83));  // 1e-45 ... 1e38
        case 6:
            return garbage();
        default:
            return "0";
        }
    }

    // At or beyond the ends of the 32-bit range and of the double range.
    std::string extreme()
    {
        static const char *const kTexts[] = {
            "3.4028234e38",  "-3.4028234e38", "3.40282346638528859e38", "3.4028235e38", "-3.4028236e38",
            "1e39",          "-1e39",         "1e308",                  "-1.8e308",     "1e400",
            "1e-38",         "1.2e-38",       "1.4e-45",                "-1e-45",       "7e-46",
            "1e-320",        "-1e-400",       "0e99999",                "1e99999",      "-0",
            "1e-99999",      "340282346638528859811704183484516925440",
            "340282356779733661637539395458142568448",
        };
        return kTexts[pick(std::size(kTexts))];
    }

    std::string garbage()
    {
        static const char *const kTexts[] = {"",    " ",  "abc", "-",   "+",    ".",      "e5",  "1e",
                                             "1e+", "--1", "1..2", "1,5", "&H10", "1d3", "\t\n", "\xef\xbc\x91"};
        if (chance(0.7))
            return kTexts[pick(std::size(kTexts))];
        // Any printable characters, numbers and signs among them.
        static const char kChars[] = " \t\n+-.eE0123456789abcxyz,;#&%";
        std::string text;
        const std::uint32_t length = pick(12);
        for (std::uint32_t i = 0; i < length; ++i)
            text.push_back(kChars[pick(sizeof kChars - 1)]);
        return text;
    }

    // Blanks, tabs and line feeds between the characters, which the reading
    // rule ignores.
    std::string withBlanks(const std::string &text)
    {
        static const char kBlanks[] = " \t\n";
        std::string result;
        for (char c : text) {
            if (chance(0.3))
                result.push_back(kBlanks[pick(3)]);
            result.push_back(c);
        }
        return result;
    }

    static std::string number(double v)
    {
        char buffer[64];
        const auto result = std::to_chars(buffer, buffer + sizeof buffer, v);
        return std::string(buffer, result.ptr);
    }

private:
    std::mt19937 random_;
};

struct Input
{
    std::array<std::string, 6> texts;
    bool twoCharges = true;

    std::string describe() const
    {
        std::ostringstream out;
        out << (twoCharges ? "two charges:" : "single charge:");
        for (const std::string &t : texts)
            out << " '" << t << "'";
        return out.str();
    }
};

// Six texts, with the placements that the tracers treat specially chosen
// more often than chance would: charges at one place, one unit apart, one
// above the other, on a diagonal, in the wrong order, and amounts of equal
// or tiny magnitude.
Input randomInput(TextMaker &make)
{
    Input in;
    in.twoCharges = make.chance(0.8);
    in.texts = {make.position(45), make.position(25), make.amount(),
                make.position(45), make.position(25), make.amount()};
    const double x1 = std::round((2 * make.unit() - 1) * 40);
    const double y1 = std::round((2 * make.unit() - 1) * 20);
    switch (make.pick(10)) {
    case 0:  // at one place
        in.texts[3] = in.texts[0];
        in.texts[4] = in.texts[1];
        break;
    case 1:  // one unit apart, side by side or one above the other
        in.texts[0] = TextMaker::number(x1);
        in.texts[1] = TextMaker::number(y1);
        in.texts[3] = TextMaker::number(make.chance(0.5) ? x1 + 1 : x1);
        in.texts[4] = TextMaker::number(in.texts[3] == in.texts[0] ? y1 + 1 : y1);
        break;
    case 2:  // one above the other
        in.texts[3] = in.texts[0];
        break;
    case 3: {  // on a diagonal
        const double k = 1 + make.pick(30);
        in.texts[0] = TextMaker::number(x1);
        in.texts[1] = TextMaker::number(y1);
        in.texts[3] = TextMaker::number(x1 + k);
        in.texts[4] = TextMaker::number(y1 + (make.chance(0.5) ? k : -k));
        break;
    }
    case 4:  // on one horizontal line, often 20/9 apart (arrowheads on the first step)
        in.texts[4] = in.texts[1];
        if (make.chance(0.5)) {
            in.texts[0] = TextMaker::number(x1);
            in.texts[3] = TextMaker::number(x1 + 20.0 / 9);
        }
        break;
    default:
        break;
    }
    // Equal magnitudes with charge 2 far away cost the most: every line but
    // one runs to the step limit.
    switch (make.pick(16)) {
    case 0:
    case 1:  // equal magnitudes, opposite signs
        in.texts[5] = "-" + in.texts[2];
        break;
    case 2:  // tiny amounts of opposite sign
        in.texts[2] = "1e-30";
        in.texts[5] = "-1e-30";
        break;
    default:
        break;
    }
    return in;
}

// The message a correct excite shows for these texts, or none. Only the
// charges drawn count: numbers beyond the 32-bit range or amounts too small
// for it first, then positions off the plot, then two charges at one place,
// then charge 2 left of charge 1.
std::string expectedMessage(const Input &in)
{
    const int boxes = in.twoCharges ? 6 : 3;
    std::array<float, 6> values{};
    for (int box = 0; box < boxes; ++box) {
        const double value = readNumber(in.texts[box]);
        values[box] = float(value);
        if (!(std::fabs(value) <= FLT_MAX))
            return Messages::OutOfRange.prompt;
        if (box % 3 == 2 && value != 0 && !std::isnormal(values[box]))
            return Messages::OutOfRange.prompt;
    }
    for (int charge = 0; charge < boxes; charge += 3) {
        if (std::fabs(values[charge]) > 45 || std::fabs(values[charge + 1]) > 25)
            return Messages::OutOfPlot.prompt;
    }
    if (in.twoCharges && values[3] == values[0] && values[4] == values[1])
        return Messages::SamePlace.prompt;
    if (in.twoCharges && values[3] < values[0])
        return Messages::WrongOrder.prompt;
    return {};
}

// Placements at the edges of what the boxes accept, each drawn on a fresh
// window: no message, only finite coordinates, and the dots at the end.
struct ExtremeCase
{
    const char *name;
    std::array<const char *, 6> texts;
    bool twoCharges = true;
};

LIST_ROWS_BY_NAME(ExtremeCase)

class ExtremePlacement : public ::testing::TestWithParam<ExtremeCase>
{
};

TEST_P(ExtremePlacement, DrawsOnlyFiniteCoordinates)
{
    DrawingState state;
    CheckingSurface surface;
    TextPanel panel;
    RecordingMessenger messenger;
    FieldLines lines(state, surface, panel, messenger);
    for (int box = 1; box <= 6; ++box)
        panel.setText(box, GetParam().texts[box - 1]);
    panel.setTwoChargeMode(GetParam().twoCharges);
    lines.excite();
    EXPECT_TRUE(messenger.messages.empty());
    EXPECT_EQ(surface.nonFinite, 0);
    EXPECT_LE(surface.longestLine, FieldLines::kMaxStepsPerLine);
    EXPECT_EQ(surface.dots, GetParam().twoCharges ? 2 : 1);
}

// The corners and borders of the plot, and the largest and smallest amounts
// the boxes accept (FLT_MAX is 3.4028234e38, FLT_MIN 1.17549435e-38).
INSTANTIATE_TEST_SUITE_P(
    Robustness, ExtremePlacement,
    ::testing::Values(
        ExtremeCase{"ChargesInOppositeCorners", {"-45", "-25", "10", "45", "25", "-10"}},
        ExtremeCase{"MirroredAxisAlongTheBorder", {"-45", "25", "5", "45", "25", "-10"}},
        ExtremeCase{"OneAboveTheOtherOnTheBorder", {"45", "-25", "10", "45", "25", "-10"}},
        ExtremeCase{"SingleChargeInTheCorner", {"-45", "-25", "-10", "", "", ""}, false},
        ExtremeCase{"LargestAmounts", {"-15", "0", "3.4028234e38", "15", "0", "-3.4028234e38"}},
        ExtremeCase{"LargestLikeAmounts", {"-15", "0", "3.4028234e38", "15", "0", "3.4028234e38"}},
        ExtremeCase{"TiniestAmounts", {"-15", "0", "1.17549435e-38", "15", "0", "-1.17549435e-38"}},
        ExtremeCase{"OneUnitApart", {"0", "0", "10", "1", "0", "-5"}},
        ExtremeCase{"BothAmountsZero", {"-15", "0", "0", "15", "0", "0"}}),
    [](const auto &info) { return info.param.name; });

TEST(RandomTexts, EveryExciteFinishesCleanlyAndLeavesTheWindowUsable)
{
    // The default picture, drawn on a fresh window.
    CheckingSurface reference;
    {
        DrawingState state;
        TextPanel panel;
        RecordingMessenger messenger;
        FieldLines lines(state, reference, panel, messenger);
        lines.excite();
        ASSERT_TRUE(messenger.messages.empty());
    }
    ASSERT_GT(reference.stepLines, 1000);

    DrawingState state;
    CheckingSurface surface;
    TextPanel panel;
    RecordingMessenger messenger;
    FieldLines lines(state, surface, panel, messenger);
    TextMaker make(20240611);

    int messagesExpected = 0;
    int linesAtTheLimit = 0;
    for (int i = 0; i < kExcites; ++i) {
        const Input in = randomInput(make);
        SCOPED_TRACE("excite " + std::to_string(i) + ", " + in.describe());
        for (int box = 1; box <= 6; ++box)
            panel.setText(box, in.texts[box - 1]);
        panel.setTwoChargeMode(in.twoCharges);

        messenger.messages.clear();
        const long long stepsBefore = lines.stepsTraced();
        lines.excite();
        const long long steps = lines.stepsTraced() - stepsBefore;

        ASSERT_EQ(surface.nonFinite, 0);
        ASSERT_LE(surface.longestLine, FieldLines::kMaxStepsPerLine);
        linesAtTheLimit += surface.longestLine == FieldLines::kMaxStepsPerLine;

        const std::string expected = expectedMessage(in);
        if (expected.empty()) {
            ASSERT_TRUE(messenger.messages.empty()) << messenger.messages[0].prompt;
            // Every traced step is counted and drawn once; a single charge
            // draws 25 rays (none when it is 0) and traces nothing.
            if (in.twoCharges) {
                ASSERT_EQ(surface.stepLines, steps);
            } else {
                ASSERT_EQ(steps, 0);
                ASSERT_EQ(surface.stepLines, float(readNumber(in.texts[2])) == 0 ? 0 : 25);
            }
            // The excite ran to its end and drew the charges' dots.
            ASSERT_EQ(surface.dots, in.twoCharges ? 2 : 1);
        } else {
            ++messagesExpected;
            ASSERT_EQ(messenger.messages.size(), 1u);
            ASSERT_EQ(messenger.messages[0].prompt, expected);
            ASSERT_EQ(messenger.messages[0].title, Messages::Notice);
            ASSERT_EQ(surface.lines + surface.dots, 0);
        }

        // The default charges again: the same picture as on a fresh window,
        // whatever the excite before left behind.
        for (int box = 1; box <= 6; ++box)
            panel.setText(box, TextPanel::kDefaultTexts[box - 1]);
        panel.setTwoChargeMode(true);
        messenger.messages.clear();
        lines.excite();
        ASSERT_TRUE(messenger.messages.empty()) << "default after " << in.describe();
        ASSERT_EQ(surface.fingerprint, reference.fingerprint) << "default after " << in.describe();
    }
    // The inputs reached the cases they are meant to reach.
    EXPECT_GT(messagesExpected, kExcites / 20);
    EXPECT_LT(messagesExpected, kExcites * 3 / 4);
    EXPECT_GT(linesAtTheLimit, 0);
}

}  // namespace
