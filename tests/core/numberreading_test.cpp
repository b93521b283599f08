#include "core/numberreading.h"
#include "support/namedrows.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <string>

namespace {

struct ReadingCase
{
    const char *name;
    std::string text;
    double value;
    bool inFull;
};

LIST_ROWS_BY_NAME(ReadingCase)

class ReadNumberTest : public ::testing::TestWithParam<ReadingCase>
{
};

TEST_P(ReadNumberTest, ReadsTheLeadingNumber)
{
    const ReadingCase &c = GetParam();
    EXPECT_DOUBLE_EQ(readNumber(c.text), c.value) << '"' << c.text << '"';
    EXPECT_EQ(readsInFull(c.text), c.inFull) << '"' << c.text << '"';
}

const double kInfinity = std::numeric_limits<double>::infinity();

INSTANTIATE_TEST_SUITE_P(
    Rule, ReadNumberTest,
    ::testing::Values(
        // The examples that come with the rule.
        ReadingCase{"LeadingBlank", " -15", -15, true},
        ReadingCase{"BlankInsideDigits", "1 5", 15, true},
        ReadingCase{"TrailingLetters", "12abc", 12, false},
        ReadingCase{"CommaIsNotADecimalPoint", "1,5", 1, false},
        ReadingCase{"Exponent", "2.5e1", 25, true},
        ReadingCase{"Letters", "abc", 0, false},
        ReadingCase{"Empty", "", 0, false},
        ReadingCase{"SpacedNegative", " -1 5", -15, true},
        // Blanks are spaces, tabs and line feeds, anywhere.
        ReadingCase{"TabsAndLineFeeds", "\t1\n2 .\t5", 12.5, true},
        ReadingCase{"BlankBetweenSignAndDigits", "- 7", -7, true},
        // Signs and points.
        ReadingCase{"LoneMinus", "-", 0, false},
        ReadingCase{"LonePlus", "+", 0, false},
        ReadingCase{"ExplicitPlus", "+8", 8, true},
        ReadingCase{"LeadingPoint", ".5", 0.5, true},
        ReadingCase{"NegativeLeadingPoint", "-.25", -0.25, true},
        ReadingCase{"TrailingPoint", "3.", 3, true},
        ReadingCase{"LonePoint", ".", 0, false},
        ReadingCase{"SecondPointStops", "1.2.3", 1.2, false},
        ReadingCase{"DoubleSignStops", "--5", 0, false},
        // An exponent counts only when it has digits.
        ReadingCase{"ExponentWithoutDigits", "1e", 1, false},
        ReadingCase{"ExponentSignWithoutDigits", "1e+", 1, false},
        ReadingCase{"CapitalExponent", "1E3", 1000, true},
        ReadingCase{"NegativeExponent", "25E-1", 2.5, true},
        ReadingCase{"SpacedExponent", "1 e 2", 100, true},
        ReadingCase{"ExponentAlone", "e5", 0, false},
        // Large and small numbers: readable, the excite decides what fits.
        ReadingCase{"BeyondFloat", "1e39", 1e39, true},
        ReadingCase{"BeyondDouble", "1e400", kInfinity, true},
        ReadingCase{"NegativeBeyondDouble", "-1e400", -kInfinity, true},
        ReadingCase{"BelowDouble", "1e-400", 0, true},
        ReadingCase{"HugeExponentDigits", "1e99999999999999999999", kInfinity, true},
        ReadingCase{"ManyDigitsBeyondDouble", "1" + std::string(400, '0'), kInfinity, true},
        ReadingCase{"LongDigitString", "0." + std::string(300, '0') + "1", 1e-301, true},
        ReadingCase{"ZeroWithHugeExponent", "0e999", 0, true},
        ReadingCase{"NegativeZero", "-0", 0, true},
        // Outside the rule: these read only their leading part.
        ReadingCase{"HexNotation", "&H10", 0, false},
        ReadingCase{"DExponent", "1D2", 1, false},
        // Full-width and typographic forms, from a Chinese input method or a
        // word processor, read as their ASCII forms.
        ReadingCase{"FullWidthMinus", "\xEF\xBC\x8D" "10", -10, true},             // －10
        ReadingCase{"FullWidthDigits", "\xEF\xBC\x91\xEF\xBC\x90", 10, true},     // １０
        ReadingCase{"MinusSign", "\xE2\x88\x92" "10", -10, true},                  // U+2212
        ReadingCase{"SmallHyphenMinus", "\xEF\xB9\xA3" "3", -3, true},             // U+FE63
        ReadingCase{"FullWidthPlus", "\xEF\xBC\x8B" "4", 4, true},                 // ＋4
        ReadingCase{"IdeographicSpace", "\xE3\x80\x80" "5", 5, true},              // 　5
        ReadingCase{"NoBreakSpace", "1\xC2\xA0" "5", 15, true},
        ReadingCase{"IdeographicFullStop", "5\xE3\x80\x82" "5", 5.5, true},        // 5。5
        ReadingCase{"FullWidthFullStop", "\xEF\xBC\x91\xEF\xBC\x8E\xEF\xBC\x95", 1.5, true},  // １．５
        ReadingCase{"FullWidthExponent", "\xEF\xBC\x91\xEF\xBD\x85\xEF\xBC\x92", 100, true},  // １ｅ２
        ReadingCase{"FullWidthCapitalExponent", "2\xEF\xBC\xA5" "1", 20, true},    // 2Ｅ1
        // Other characters outside ASCII still end the number.
        ReadingCase{"FullWidthLetterStops", "7\xEF\xBD\x81", 7, false},            // 7ａ
        ReadingCase{"BrokenSequenceStops", "8\xEF\xBC", 8, false}),
    [](const ::testing::TestParamInfo<ReadingCase> &info) { return info.param.name; });

TEST(ReadNumber, NeverFollowsTheLocaleDecimalPoint)
{
    // A German locale writes 1,5; the boxes always read the full stop.
    const char *previous = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = previous ? previous : "C";
    if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") == nullptr)
        std::setlocale(LC_NUMERIC, "C.UTF-8");
    EXPECT_DOUBLE_EQ(readNumber("1.5"), 1.5);
    EXPECT_DOUBLE_EQ(readNumber("1,5"), 1);
    std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(ReadNumber, NegativeZeroReadsAsPlainZero)
{
    EXPECT_FALSE(std::signbit(readNumber("-0")));
    EXPECT_FALSE(std::signbit(readNumber("-")));
}

}  // namespace
