#include "core/caption.h"
#include "core/drag.h"
#include "core/look.h"
#include "core/messages.h"
#include "core/pipeline.h"
#include "core/probereadout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace {

Configuration configured(Mode mode, std::vector<ChargeTexts> charges, OverlaySet overlays = {}, Look look = {})
{
    Configuration c;
    c.mode = mode;
    c.charges = std::move(charges);
    c.overlays = overlays;
    c.look = look;
    return c;
}

const ChargeTexts kCharge1{"-15", "0", "10"};
const ChargeTexts kCharge2{"15", "0", "10"};  // like charges: a point of zero field midway

// The runs come in paint order, each of its layer's colours and widths in
// the look: the one place a look is applied.
TEST(Pipeline, RunsInPaintOrderAndInTheirLook)
{
    struct Row
    {
        const char *name;
        Look look;
        std::uint32_t dot1, dot2, ring;  // colours of charge 1's dot, charge 2's, the zero-field ring
        float lineWidth, dotWidth;
        float labelSize;
    };
    const Row rows[] = {
        {"as drawn", {}, 0x00C000, 0xFF0000, 0xFF8C00, 1, 20, 10},
        {"projector", {true, false}, 0x00C000, 0xFF0000, 0xFF8C00, 2, 30, 15},
        {"colour-blind safe: no two orange things", {false, true}, 0x009E73, 0xE69F00, 0xCC79A7, 1, 20, 10},
    };
    Pipeline pipeline;
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        const Picture picture =
            pipeline.draw(configured(Mode::Two, {kCharge1, kCharge2}, {"equipotentials", "zeroField"}, row.look));
        ASSERT_TRUE(picture.messages.empty());
        const auto &runs = picture.drawing.runs();
        for (std::size_t i = 1; i < runs.size(); ++i)
            EXPECT_LE(runs[i - 1].layer, runs[i].layer) << "run " << i;
        std::vector<std::uint32_t> dots;
        for (const DisplayList::Run &run : runs) {
            if (run.layer == Layer::FieldLines)
                EXPECT_EQ(run.width, row.lineWidth);
            if (run.layer == Layer::Markers)
                EXPECT_EQ(run.rgb, row.ring);
            if (run.dots) {
                dots.push_back(run.rgb);
                EXPECT_EQ(run.width, row.dotWidth);
            }
        }
        EXPECT_EQ(dots, (std::vector<std::uint32_t>{row.dot1, row.dot2}));
        ASSERT_FALSE(picture.drawing.labels().empty());
        EXPECT_EQ(picture.drawing.labels()[0].size, row.labelSize);
        EXPECT_EQ(picture.drawing.labels()[0].rgb, 0x626262u);  // the grey darkened
    }
}

// What a drawing asks of the controls comes back with the picture: the
// messages in order, and the lock of charge 2's boxes in single-charge mode.
TEST(Pipeline, MessagesAndLockComeBackWithThePicture)
{
    Pipeline pipeline;
    const Picture refused = pipeline.draw(configured(Mode::Two, {{"15", "0", "10"}, {"-15", "0", "-10"}}));
    EXPECT_EQ(refused.messages, std::vector<Message>{Messages::WrongOrder});
    EXPECT_TRUE(refused.charges.empty());
    EXPECT_EQ(refused.drawing.operationCount(), 0u);

    const Picture single = pipeline.draw(configured(Mode::Single, {kCharge1, {"1e39", "x", "?"}}));
    EXPECT_TRUE(single.messages.empty());
    EXPECT_TRUE(single.charge2Locked);
    EXPECT_EQ(single.charges.size(), 1u);

    // Only the overlays change: the same field lines, now with the rings.
    const Picture plain = pipeline.draw(configured(Mode::Two, {kCharge1, kCharge2}));
    const Picture overlaid = pipeline.draw(configured(Mode::Two, {kCharge1, kCharge2}, {"zeroField"}));
    EXPECT_GT(overlaid.drawing.operationCount(), plain.drawing.operationCount());
    EXPECT_EQ(pipeline.draw(configured(Mode::Two, {kCharge1, kCharge2})).drawing.operationCount(),
              plain.drawing.operationCount());
}

// The one rule for moving a charge, applied to the configuration as last
// asked for.
TEST(Pipeline, MovedChargeFollowsTheOneRule)
{
    struct Row
    {
        const char *name;
        Configuration now;
        std::size_t index;
        double x, y;
        std::optional<ChargeTexts> moved;  // the moved charge's texts, or not taken
    };
    const Configuration dipole = configured(Mode::Two, {{"-15", "0", "10"}, {"15", "0", "-10"}});
    const Row rows[] = {
        {"to the nearest half", dipole, 1, 20.4, 7.9, ChargeTexts{"20.5", "8", "-10"}},
        {"where it already is", dipole, 1, 15.1, 0.2, std::nullopt},
        {"another box holds a refused amount",
         configured(Mode::Two, {{"-15", "0", "1e39"}, {"15", "0", "-10"}}), 1, 20, 5, std::nullopt},
        {"charge 2's box, typed since, puts it left of charge 1",
         configured(Mode::Two, {{"-15", "0", "10"}, {"-40", "0", "-10"}}), 0, -20, 8, std::nullopt},
        {"another box holds a place off the plot",
         configured(Mode::Two, {{"-15", "0", "10"}, {"15", "30", "-10"}}), 0, -20, 5, std::nullopt},
        {"charge 2 is not drawn in single-charge mode",
         configured(Mode::Single, {{"0", "0", "10"}, {"15", "0", "-10"}}), 1, 20, 5, std::nullopt},
        {"single charge, the locked boxes of charge 2 do not count",
         configured(Mode::Single, {{"0", "0", "10"}, {"1e39", "0", "-10"}}), 0, -7.2, 3, ChargeTexts{"-7", "3", "10"}},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        // The picture on show is the dipole, whatever was typed since.
        const std::optional<Configuration> moved =
            movedCharge(row.now, {{-15, 0, 10}, {15, 0, -10}}, row.index, row.x, row.y);
        ASSERT_EQ(moved.has_value(), row.moved.has_value());
        if (moved)
            EXPECT_EQ(moved->charges[row.index], *row.moved);
    }
}

// Steps from the keys add up from the place last asked for: forty steps
// down move a charge by 20 whatever was drawn meanwhile.
TEST(Pipeline, MovesAddUpFromThePlaceAskedFor)
{
    Configuration now = configured(Mode::Single, {{"0", "0", "10"}, kCharge2});
    for (int i = 0; i < 40; ++i) {
        const PlotPoint at = chargePlace(now, 0);
        if (const auto moved = movedCharge(now, {{0, 0, 10}}, 0, at.x, at.y - 0.5))
            now = *moved;
    }
    EXPECT_EQ(now.charges[0].y, "-20");
}

TEST(Pipeline, CaptionPrintsTheValuesReadFromTheBoxes)
{
    struct Row
    {
        const char *name;
        Configuration configuration;
        const char *caption;
    };
    const Row rows[] = {
        {"the default", configured(Mode::Two, {{"-15", "0", "10"}, {"15", "0", "-10"}}),
         "两个点电荷：Q1 (-15, 0)，10 C；Q2 (15, 0)，-10 C"},
        {"not the 32-bit value", configured(Mode::Single, {{"0", "0", "-123456789"}, kCharge2}),
         "单个点电荷：Q1 (0, 0)，-123456789 C"},
        {"shortest forms", configured(Mode::Single, {{"１０", "-0", "2.5e1"}, kCharge2}), "单个点电荷：Q1 (10, 0)，25 C"},
        {"large and small", configured(Mode::Two, {{"0.1", "1e-7", "1e20"}, {"45", "25", "-3.5"}}),
         "两个点电荷：Q1 (0.1, 1e-7)，1e20 C；Q2 (45, 25)，-3.5 C"},
    };
    for (const Row &row : rows)
        EXPECT_EQ(pictureCaption(row.configuration), row.caption) << row.name;
}

// The probe reads the field wherever double precision can compute it; the
// sentence that it is not defined only at a charge's centre.
TEST(Probe, ReadoutLines)
{
    const Charges dipole = {{-15, 0, 10}, {15, 0, -10}};
    struct Row
    {
        double x, y;
        std::vector<std::string> lines;
    };
    const Row rows[] = {
        {0, 0, {"x = 0   y = 0", "|E| = 0.0889   方向 0.0°", "V = 0"}},
        {-15, 0.5, {"x = -15   y = 0.5", "|E| = 40   方向 90.0°", "V = 19.7"}},
        {15, 0, {"x = 15   y = 0", "此处场强无定义"}},
        {-30, -1e-9, {"x = -30   y = -1e-09", "|E| = 0.0395   方向 180.0°", "V = 0.444"}},
    };
    for (const Row &row : rows)
        EXPECT_EQ(probeReadout(dipole, row.x, row.y), row.lines) << row.x << ", " << row.y;
    EXPECT_TRUE(probeReadout({}, 0, 0).empty());
}

// A locale whose decimal point is a comma, as a German desktop sets it for
// the window, built for the test from the system's sources where it is not
// installed; inactive where neither is there.
class CommaLocale
{
public:
    CommaLocale()
        : saved_(std::setlocale(LC_NUMERIC, nullptr))
    {
        if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8"))
            return;
        char folder[] = "/tmp/fieldlines-locale-XXXXXX";
        if (!std::filesystem::exists("/usr/share/i18n/locales/de_DE") || !mkdtemp(folder))
            return;
        folder_ = folder;
        const std::string make = "localedef -i de_DE -f UTF-8 " + folder_ + "/de_DE.UTF-8 >/dev/null 2>&1";
        if (std::system(make.c_str()) != 0)
            return;
        setenv("LOCPATH", folder, 1);
        std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
    }
    ~CommaLocale()
    {
        std::setlocale(LC_NUMERIC, saved_.c_str());
        if (!folder_.empty()) {
            unsetenv("LOCPATH");
            std::filesystem::remove_all(folder_);
        }
    }
    bool active() const { return std::string(std::localeconv()->decimal_point) == ","; }

private:
    std::string saved_;
    std::string folder_;
};

// Every number the program writes keeps its full stop under such a locale.
TEST(Probe, NumbersKeepTheirFullStopInACommaLocale)
{
    const CommaLocale comma;
    if (!comma.active())
        GTEST_SKIP() << "no locale with a decimal comma on this system";
    const Charges dipole = {{-15, 0, 10}, {15, 0, -10}};
    EXPECT_EQ(probeReadout(dipole, -15, 0.5),
              (std::vector<std::string>{"x = -15   y = 0.5", "|E| = 40   方向 90.0°", "V = 19.7"}));
    EXPECT_EQ(pictureCaption(configured(Mode::Two, {{"0.1", "1e-7", "1e20"}, {"45", "25", "-3.5"}})),
              "两个点电荷：Q1 (0.1, 1e-7)，1e20 C；Q2 (45, 25)，-3.5 C");
    EXPECT_EQ(coordinateText(1.25), "1.25");
}

// The probe's box never covers a dot, nor the pointer.
TEST(Probe, CornerKeepsClearOfDotsAndThePointer)
{
    struct Row
    {
        const char *name;
        Charges charges;
        PlotPoint pointer;
        ProbeCorner corner;
    };
    const Row rows[] = {
        {"the default: top left", {{-15, 0, 10}, {15, 0, -10}}, {0, 0}, ProbeCorner::TopLeft},
        {"pointer in the top-left box", {{-15, 0, 10}}, {-40, 22}, ProbeCorner::TopRight},
        {"a charge in the top-left corner", {{-42, 22, 10}, {15, 0, -10}}, {0, 0}, ProbeCorner::TopRight},
        {"charges in both top corners", {{-42, 22, 10}, {42, 22, -10}}, {0, 0}, ProbeCorner::BottomLeft},
    };
    for (const Row &row : rows)
        EXPECT_EQ(probeCorner(row.charges, row.pointer, 15, 6, 0.5, 1.6), row.corner) << row.name;
}

// Test charges come after the overlays, each path as it stands at its
// moment; a release the picture refuses is its message and draws no path.
TEST(Pipeline, TestChargesAfterTheOverlays)
{
    Configuration c = configured(Mode::Two, {{"-15", "0", "10"}, {"15", "0", "-10"}}, {"zeroField"});
    TestCharge release;
    release.x = 0;
    release.y = 5;
    c.testCharges = {release};
    c.releaseLines = true;
    Pipeline pipeline;
    const Recording whole = pipeline.record(c);
    ASSERT_TRUE(whole.messages.empty());
    const auto &ops = whole.operations.drawing();
    const auto purple = std::find_if(ops.begin(), ops.end(), [](const auto &op) { return op.colour == 0xC00080; });
    ASSERT_NE(purple, ops.end());
    // The overlays' orange rings come before the first purple path.
    EXPECT_TRUE(std::none_of(purple, ops.end(), [](const auto &op) { return op.colour == 0x008CFF; }));

    c.testTimes = {1};
    const Picture early = pipeline.draw(c);
    c.testTimes = {30};
    const Picture later = pipeline.draw(c);
    ASSERT_EQ(later.testChargeEnds.size(), 1u);
    EXPECT_GT(later.drawing.operationCount(), early.drawing.operationCount());

    release.x = 15.3;  // 0.3 from the negative charge
    release.y = 0;
    c.testCharges = {release};
    const Picture refused = pipeline.draw(c);
    EXPECT_EQ(refused.messages, std::vector<Message>{Messages::ReleaseOnCharge});
    EXPECT_TRUE(refused.testChargeEnds.empty());
}

}  // namespace
