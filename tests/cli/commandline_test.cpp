#include "app/commandline.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace {

using Action = CommandLine::Action;

CommandLine parse(const QStringList &options)
{
    return CommandLine(QStringList{QStringLiteral("fieldlines")} + options);
}

std::array<std::string, 6> textsOf(const Configuration &configuration)
{
    const auto &c = configuration.charges;
    return {c[0].x, c[0].y, c[0].q, c[1].x, c[1].y, c[1].q};
}

const std::array<std::string, 6> kDefaults = {"-15", "0", "10", "15", "0", "-10"};

TEST(CommandLineTest, AcceptedCommandLines)
{
    struct Row
    {
        const char *name;
        QStringList options;
        Action action;
        std::array<std::string, 6> texts;
        bool twoChargeMode;
        QString output;
        QSize size;
    };
    const QSize design(693, 385);
    const Row rows[] = {
        {"nothing: the window as at start", {}, Action::OpenWindow, kDefaults, true, {}, design},
        {"single charge at the centre",
         {"--single", "--charge1", "0,0,10"},
         Action::OpenWindow,
         {"0", "0", "10", "15", "0", "-10"},
         false,
         {},
         design},
        // --single does not set Text1 to "0" as the option button does.
        {"single keeps the given x", {"--single", "--charge1", "-7,3,-2"}, Action::OpenWindow,
         {"-7", "3", "-2", "15", "0", "-10"}, false, {}, design},
        {"charge 2 only, texts as typed", {"--charge2", " 1 5,-3,2.5e1"}, Action::OpenWindow,
         {"-15", "0", "10", " 1 5", "-3", "2.5e1"}, true, {}, design},
        // Full-width and typographic forms are numbers as in the boxes.
        {"full-width forms", {"--charge1", "\uFF0D\uFF11\uFF15,\u30000,\u221210"}, Action::OpenWindow,
         {"\uFF0D\uFF11\uFF15", "\u30000", "\u221210", "15", "0", "-10"}, true, {}, design},
        {"render at a size", {"--output", "a.png", "--size", "1386x770"}, Action::Render, kDefaults, true, "a.png",
         QSize(1386, 770)},
        {"render svg, upper-case extension", {"--output", "dir/a.SVG"}, Action::Render, kDefaults, true, "dir/a.SVG",
         design},
        {"render csv", {"--output=lines.csv", "--charge1", "-20,1,5"}, Action::Render,
         {"-20", "1", "5", "15", "0", "-10"}, true, "lines.csv", design},
        {"largest size", {"--output", "a.png", "--size", "8192X8192"}, Action::Render, kDefaults, true, "a.png",
         QSize(8192, 8192)},
        {"help", {"--help", "--charge1", "1,2"}, Action::ShowHelp, kDefaults, true, {}, design},
        // Qt's own options, with their values, are Qt's to read.
        {"Qt's options for the window", {"-platform", "xcb", "-style", "fusion", "-reverse", "--single"},
         Action::OpenWindow, kDefaults, false, {}, design},
        {"Qt's options with two dashes or joined", {"--platform", "offscreen", "-style=fusion", "--output", "a.png"},
         Action::Render, kDefaults, true, "a.png", design},
        {"version", {"--version"}, Action::ShowVersion, kDefaults, true, {}, design},
        // --charge lists the charges: once is single-charge mode, twice two.
        {"one --charge", {"--charge", "3,4,5"}, Action::OpenWindow, {"3", "4", "5", "15", "0", "-10"}, false, {}, design},
        {"two --charge", {"--charge", "-3,4,5", "--charge=6,7,-8"}, Action::OpenWindow, {"-3", "4", "5", "6", "7", "-8"},
         true, {}, design},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        const CommandLine commandLine = parse(row.options);
        EXPECT_EQ(commandLine.action(), row.action) << commandLine.error().toStdString();
        EXPECT_EQ(textsOf(commandLine.configuration()), row.texts);
        EXPECT_EQ(commandLine.configuration().mode == Mode::Two, row.twoChargeMode);
        EXPECT_EQ(commandLine.outputFile(), row.output);
        EXPECT_EQ(commandLine.size(), row.size);
    }
}

// Three --charge or more are several charges; the test charges keep their
// order, positive ones first.
TEST(CommandLineTest, SeveralChargesAndTestCharges)
{
    const CommandLine c = parse({"--charge", "-10,0,5", "--charge", "0,8,-5", "--charge", "10,0,5", "--accurate",
                                 "--particle", "0,5", "--particle-negative", "-5,-10,2,0", "--particle", "1,2,3,4",
                                 "--particle-line"});
    EXPECT_EQ(c.action(), Action::OpenWindow) << c.error().toStdString();
    const Configuration &configuration = c.configuration();
    EXPECT_EQ(configuration.mode, Mode::Several);
    ASSERT_EQ(configuration.charges.size(), 3u);
    EXPECT_EQ(configuration.charges[1], (ChargeTexts{"0", "8", "-5"}));
    EXPECT_TRUE(configuration.accurate);
    EXPECT_TRUE(configuration.releaseLines);
    ASSERT_EQ(configuration.testCharges.size(), 3u);
    const TestCharge &third = configuration.testCharges[1];
    EXPECT_EQ(std::vector<double>({third.x, third.y, third.vx, third.vy}), std::vector<double>({1, 2, 3, 4}));
    EXPECT_TRUE(third.positive);
    EXPECT_FALSE(configuration.testCharges[2].positive);

    EXPECT_EQ(parse({"--preset", "capacitor"}).configuration().charges.size(), 26u);
}

TEST(CommandLineTest, MalformedCommandLinesNameTheOption)
{
    struct Row
    {
        const char *name;
        QStringList options;
        const char *named;  // must appear in the message
    };
    const Row rows[] = {
        {"two numbers", {"--charge1", "1,2"}, "--charge1:"},
        {"four numbers", {"--charge2", "1,2,3,4"}, "--charge2:"},
        {"letters", {"--charge1", "a,b,c"}, "--charge1:"},
        {"empty number", {"--charge1", "1,,3"}, "--charge1:"},
        {"trailing letters", {"--charge2", "12abc,0,1"}, "--charge2:"},
        {"sign only", {"--charge1", "-,0,1"}, "--charge1:"},
        {"missing value", {"--charge1"}, "--charge1"},
        {"zero width", {"--output", "a.png", "--size", "0x5"}, "--size:"},
        {"absurd size", {"--output", "a.png", "--size", "100000x100000"}, "--size:"},
        {"one side", {"--output", "a.png", "--size", "640"}, "--size:"},
        {"three sides", {"--output", "a.png", "--size", "1x2x3"}, "--size:"},
        {"negative side", {"--output", "a.png", "--size", "-5x5"}, "--size:"},
        {"digits past int", {"--output", "a.png", "--size", "99999999999x5"}, "--size:"},
        {"size without output", {"--size", "100x100"}, "--size:"},
        {"unknown extension", {"--output", "a.txt"}, "--output:"},
        {"no extension", {"--output", "picture"}, "--output:"},
        {"unknown option", {"--colour", "red"}, "colour"},
        {"repeated output", {"--output", "a.png", "--output", "b.svg"}, "--output:"},
        {"repeated after a malformed one", {"--charge1", "abc", "--charge1", "-15,0,10"}, "--charge1:"},
        {"repeated switch", {"--single", "--single"}, "--single:"},
        {"unknown preset", {"--preset", "hexapole"}, "--preset:"},
        {"a preset's name broken by a line feed", {"--preset", "like\n"}, "--preset:"},
        {"--charge mixed with --charge1", {"--charge", "1,2,3", "--charge1", "4,5,6"}, "--charge:"},
        {"a test charge of three numbers", {"--particle", "1,2,3"}, "--particle:"},
        {"a test charge not a number", {"--particle-negative", "1,x"}, "--particle-negative:"},
        {"--charge of two numbers", {"--charge", "1,2"}, "--charge:"},
        {"size of a table", {"--output", "a.csv", "--size", "100x100"}, "--size:"},
        {"stray argument", {"picture.png"}, "picture.png"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        const CommandLine commandLine = parse(row.options);
        EXPECT_EQ(commandLine.action(), Action::Fail);
        const std::string error = commandLine.error().toStdString();
        EXPECT_EQ(error.rfind("fieldlines: ", 0), 0u) << error;
        EXPECT_NE(error.find(row.named), std::string::npos) << error;
        EXPECT_EQ(error.find('\n'), std::string::npos) << error;
    }
}

}  // namespace
