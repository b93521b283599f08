// The labels of the equipotentials: their boxes against the painter's font,
// and their placing at the sizes of the picture as drawn (10 px text, dots
// of radius 10 px) and of projector mode (15 px, 15 px), checked from the
// delivered curves alone.

#include "core/equipotentials.h"
#include "core/plotgeometry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <vector>

namespace {

constexpr double kPxPerUnit = 7.7;

// The painter's box is the text's advance + 2 px wide and the font's line
// high. Advances and line heights of Liberation Sans as Qt measures them.
TEST(LabelBox, CoversThePaintersBoxWithLittleToSpare)
{
    struct Row
    {
        const char *text;
        double fontPx;
        double advancePx, linePx;
    };
    const Row rows[] = {
        {"V=0", 10, 18.031, 11.172},
        {"V=2.5", 10, 26.344, 11.172},
        {"V=-1e-21", 10, 41.328, 11.172},
        {"V=-0.0025", 10, 46.312, 11.172},
        {"V=0", 15, 27.078, 16.750},
        {"V=1.75", 15, 47.891, 16.750},
        {"V=1e38", 15, 52.062, 16.750},
        {"V=1e38", 20, 69.438, 22.344},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(std::string(row.text) + " at " + std::to_string(row.fontPx));
        EquipotentialOptions options;
        options.labelFontPx = row.fontPx;
        const double width = options.labelWidthPx(row.text);
        EXPECT_GE(width, row.advancePx + 2);
        EXPECT_LE(width, row.advancePx + 2 + 0.25);
        EXPECT_GE(options.labelHeightPx(), row.linePx);
        EXPECT_LE(options.labelHeightPx(), row.linePx + 0.1);
    }
}

using Box = std::array<double, 4>;  // left, bottom, right, top

Box boxOf(const EquipotentialOptions &options, const EquipotentialCurve &curve, double x, double y)
{
    const double halfWidth = options.labelWidthPx(curve.label.text) / 2 / kPxPerUnit;
    const double halfHeight = options.labelHeightPx() / 2 / kPxPerUnit;
    return {x - halfWidth, y - halfHeight, x + halfWidth, y + halfHeight};
}

// The distance in pixels from a dot's centre to the nearest point of a box.
double pxFromDot(const Box &box, const PointCharge &c)
{
    return std::hypot(std::clamp(c.x, box[0], box[2]) - c.x, std::clamp(c.y, box[1], box[3]) - c.y) * kPxPerUnit;
}

// Whether the curve has a vertex where its label, alone, would lie inside the
// plot and clear of the dots (with half a pixel to spare over the placer's
// 1 px and 3 px, so that rounding cannot decide).
bool hasRoom(const EquipotentialOptions &options, const EquipotentialCurve &curve,
             const std::vector<PointCharge> &charges)
{
    const double margin = 1.5 / kPxPerUnit;
    for (const auto &[x, y] : curve.points) {
        const Box box = boxOf(options, curve, x, y);
        bool fits = box[0] >= Plot::kLeft + margin && box[2] <= Plot::kRight - margin
                    && box[1] >= Plot::kBottom + margin && box[3] <= Plot::kTop - margin;
        for (const PointCharge &c : charges)
            fits = fits && pxFromDot(box, c) >= options.dotRadiusPx + 3.5;
        if (fits)
            return true;
    }
    return false;
}

// Every curve with room for its label gets one, except where the labels round
// a charge cannot all fit: the rings within about 35 px of a dot have room
// for labels only above and below it. There `unlabelled` is how many an
// exhaustive search over every vertex of every curve leaves out at the
// least, so the placer must leave out no more.
TEST(LabelPlacer, EveryCurveWithRoomIsLabelledClearOfDotsAndOtherLabels)
{
    struct Row
    {
        const char *name;
        std::vector<PointCharge> charges;
        int unlabelled10, unlabelled15;  // at 10 px and in projector mode
    };
    const Row rows[] = {
        {"default dipole", {{-15, 0, 10}, {15, 0, -10}}, 0, 0},
        {"like pair", {{-15, 0, 10}, {15, 0, 10}}, 0, 2},
        {"single charge", {{0, 0, 10}}, 0, 1},
        {"single charge near the top", {{0, 20, 10}}, 0, 1},
        {"unlike 10 and -5", {{-15, 0, 10}, {15, 0, -5}}, 0, 0},
        {"one above the other", {{0, -10, 10}, {0, 10, -5}}, 0, 0},
        {"zero beside the other", {{-15, 0, 0}, {15, 0, -10}}, 0, 1},
        {"charges on the corners", {{-45, 25, 10}, {45, -25, -3}}, 0, 1},
        {"close pair", {{0, 0, 10}, {0.5, 0, -10}}, 0, 0},
        {"like at 3e38", {{-15, 0, 3e38}, {15, 0, 3e38}}, 2, 2},
        {"7 beside -7e-5", {{-15, 0, 7}, {15, 0, -7e-5}}, 1, 0},
    };
    for (const Row &row : rows) {
        for (const double px : {10.0, 15.0}) {
            SCOPED_TRACE(std::string(row.name) + (px == 10 ? " at 10 px" : " in projector mode"));
            EquipotentialOptions options;
            options.labelFontPx = px;
            options.dotRadiusPx = px;
            const std::vector<EquipotentialCurve> curves = equipotentials(row.charges, options);
            ASSERT_FALSE(curves.empty());
            std::vector<Box> boxes;
            int unlabelled = 0;
            for (const EquipotentialCurve &curve : curves) {
                const std::string &text = curve.label.text;
                if (!curve.labelled) {
                    unlabelled += hasRoom(options, curve, row.charges);
                    continue;
                }
                const std::pair<double, double> at{curve.label.x, curve.label.y};
                EXPECT_TRUE(std::count(curve.points.begin(), curve.points.end(), at)) << text << " not on its curve";
                const Box box = boxOf(options, curve, at.first, at.second);
                EXPECT_TRUE(box[0] >= Plot::kLeft && box[2] <= Plot::kRight && box[1] >= Plot::kBottom
                            && box[3] <= Plot::kTop)
                    << text;
                for (const PointCharge &c : row.charges)
                    EXPECT_GT(pxFromDot(box, c), options.dotRadiusPx) << text << " on a dot";
                for (const Box &other : boxes) {
                    EXPECT_TRUE(box[2] <= other[0] || other[2] <= box[0] || box[3] <= other[1] || other[3] <= box[1])
                        << text << " on another label";
                }
                boxes.push_back(box);
            }
            EXPECT_LE(unlabelled, px == 10 ? row.unlabelled10 : row.unlabelled15);
        }
    }
}

TEST(LabelPlacer, TextsNameTheirLevels)
{
    for (const std::vector<PointCharge> &charges : std::vector<std::vector<PointCharge>>{
             {{-15, 0, 10}, {15, 0, -10}}, {{-15, 0, 1e-20}, {15, 0, -1e-20}}, {{-15, 0, 1e38}, {15, 0, -1.2e-38}}}) {
        for (const EquipotentialCurve &curve : equipotentials(charges)) {
            const std::string &text = curve.label.text;
            ASSERT_EQ(text.substr(0, 2), "V=");
            EXPECT_NEAR(std::stod(text.substr(2)), curve.level, 1e-9 * std::fabs(curve.level)) << text;
            EXPECT_EQ(text.find("e+"), std::string::npos) << text;
            EXPECT_NE(text, "V=-0");
        }
    }
}

// Keeping clear of the field lines is a preference: a picture crossed by
// radial lines from both charges, as field lines run, leaves the same curves
// labelled.
TEST(LabelPlacer, KeepingClearOfFieldLinesLeavesNoCurveUnlabelled)
{
    const std::vector<PointCharge> charges{{-15, 0, 10}, {15, 0, 10}};
    std::vector<std::array<float, 4>> lines;
    for (const PointCharge &c : charges) {
        for (int a = 0; a < 24; ++a) {
            const double angle = a * 3.14159265358979323846 / 12;
            const double x = c.x + 60 * std::cos(angle), y = c.y + 60 * std::sin(angle);
            lines.push_back({float(c.x), float(c.y), float(x), float(y)});
        }
    }
    EquipotentialOptions options;
    const std::vector<EquipotentialCurve> clear = equipotentials(charges, options);
    options.avoid = &lines;
    const std::vector<EquipotentialCurve> crossed = equipotentials(charges, options);
    ASSERT_EQ(crossed.size(), clear.size());
    for (std::size_t c = 0; c < clear.size(); ++c)
        EXPECT_EQ(crossed[c].labelled, clear[c].labelled) << clear[c].label.text;
}

}  // namespace
