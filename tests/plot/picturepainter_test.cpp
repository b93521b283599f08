#include "plot/picturepainter.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include <cmath>
#include <limits>

namespace {

// With the program's coordinates (-45, 25)-(45, -25) on 693 × 385 pixels a
// user unit is 7.7 pixels and the origin is the pixel point (346.5, 192.5),
// the centre of pixel (346, 192): a line along y = 0 covers row 192 exactly.
constexpr int kCentreColumn = 346;
constexpr int kCentreRow = 192;

QPointF pixelOf(double x, double y)
{
    return {346.5 + 7.7 * x, 192.5 - 7.7 * y};
}

const QColor kWhite(255, 255, 255);
const QColor kBlue(0, 0, 255);
const QColor kGreen(0, 192, 0);
const QColor kRed(255, 0, 0);

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();

int distanceSquared(const QColor &a, const QColor &b)
{
    const int red = a.red() - b.red();
    const int green = a.green() - b.green();
    const int blue = a.blue() - b.blue();
    return red * red + green * green + blue * blue;
}

// True when the pixel is nearer to the colour than to any other colour of
// the picture: an anti-aliased rim pixel more than half covered by a shape.
bool covered(const QColor &pixel, const QColor &colour)
{
    for (const QColor &other : {kWhite, kBlue, kGreen, kRed}) {
        if (other != colour && distanceSquared(pixel, other) <= distanceSquared(pixel, colour))
            return false;
    }
    return true;
}

int countCovered(const QImage &image, const QColor &colour)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            count += covered(image.pixelColor(x, y), colour);
    }
    return count;
}

// A line that does not run along pixel centres spreads over two rows or
// columns: look for it within one pixel of the point.
bool inkNear(const QImage &image, const QPointF &point, const QColor &colour)
{
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            const QPoint pixel(int(std::floor(point.x())) + dx, int(std::floor(point.y())) + dy);
            if (image.valid(pixel) && covered(image.pixelColor(pixel), colour))
                return true;
        }
    }
    return false;
}

TEST(PicturePainterTest, StartsEmptyAndClsKeepsThePenWidth)
{
    DisplayList drawing;
    EXPECT_EQ(drawing.Height(), 5775.0f);
    EXPECT_EQ(PicturePainter::image(drawing).size(), QSize(693, 385));

    drawing.DrawWidth(20);
    drawing.PSet(0, 0, Colour::Green);
    drawing.Cls();
    EXPECT_EQ(drawing.operationCount(), 0u);
    EXPECT_EQ(countCovered(PicturePainter::image(drawing), kWhite), 693 * 385);
    EXPECT_EQ(drawing.penWidth(), 20);  // a second excite starts with the dots' width

    drawing.DrawWidth(0);
    EXPECT_EQ(drawing.penWidth(), 1);
}

TEST(PicturePainterTest, SegmentEndingFarOutsideIsDrawnUpToTheEdge)
{
    struct Row
    {
        const char *name;
        float x2;
        float y2;
        QPoint edgePixel;
    };
    const Row rows[] = {
        {"right", 1000, 0, {692, kCentreRow}},
        {"top", 0, 1000, {kCentreColumn, 0}},
        {"finite but enormous", -1e30f, 0, {0, kCentreRow}},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        DisplayList drawing;
        drawing.Line(0, 0, row.x2, row.y2, Colour::Blue);
        const QImage image = PicturePainter::image(drawing);
        EXPECT_EQ(image.pixelColor(row.edgePixel), kBlue);
        EXPECT_EQ(image.pixelColor(kCentreColumn + 1, kCentreRow + 1), kWhite);
    }
}

TEST(PicturePainterTest, ThickShapesCentredJustOutsideShowTheirVisiblePart)
{
    // A 20-pixel line 3.85 pixels above the top edge (y = 25.5) reaches 6.15
    // pixels into the picture; a 20-pixel dot 7.7 pixels right of the right
    // edge (x = 46) reaches 2.3 pixels into it.
    DisplayList drawing;
    drawing.DrawWidth(20);
    drawing.Line(-45, 25.5f, 45, 25.5f, Colour::Blue);
    drawing.PSet(46, 0, Colour::Red);
    const QImage image = PicturePainter::image(drawing);
    EXPECT_EQ(image.pixelColor(100, 0), kBlue);
    EXPECT_EQ(image.pixelColor(100, 5), kBlue);
    EXPECT_EQ(image.pixelColor(100, 7), kWhite);
    EXPECT_EQ(image.pixelColor(692, kCentreRow), kRed);
    EXPECT_EQ(image.pixelColor(689, kCentreRow), kWhite);
}

TEST(PicturePainterTest, WhatCannotBeSeenIsNotKept)
{
    struct Row
    {
        const char *name;
        float x1, y1, x2, y2;  // a line, or a dot at (x1, y1) when x2 is NaN
    };
    const Row rows[] = {
        {"line right of the plot", 50, 0, 1000, 0},
        {"line past a corner", 44, 40, 60, 20},
        {"line from NaN", kNaN, 0, 1, 0},
        {"line to infinity", 0, 0, 0, kInf},
        {"dot beyond its radius from the edge", 46.5f, 0, kNaN, 0},  // 10.2 pixels out
        {"dot at NaN", kNaN, 0, kNaN, 0},
        {"dot at infinity", 0, -kInf, kNaN, 0},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        DisplayList drawing;
        drawing.DrawWidth(20);
        const auto revision = drawing.revision();
        if (std::isnan(row.x2))
            drawing.PSet(row.x1, row.y1, Colour::Green);
        else
            drawing.Line(row.x1, row.y1, row.x2, row.y2, Colour::Blue);
        EXPECT_EQ(drawing.operationCount(), 0u);
        EXPECT_EQ(drawing.revision(), revision);
    }
}

TEST(PicturePainterTest, MemoryStaysBoundedForLongLines)
{
    // A traced line of a million unit steps running off to the right: only
    // the 45 steps from x = 0 to the edge can be seen.
    DisplayList runaway;
    for (int i = 0; i < 1000000; ++i)
        runaway.Line(float(i), 0, float(i + 1), 0, Colour::Blue);
    EXPECT_LE(runaway.operationCount(), 47u);
    EXPECT_LT(runaway.byteSize(), 64u * 1024);

    // A line caught at a point of zero field, stepping to and fro over the
    // same segment.
    DisplayList caught;
    for (int i = 0; i < 500000; ++i) {
        caught.Line(1.5f, 2, 2.5f, 2, Colour::Blue);
        caught.Line(2.5f, 2, 1.5f, 2, Colour::Blue);
    }
    EXPECT_EQ(caught.operationCount(), 1u);
    EXPECT_LT(caught.byteSize(), 4u * 1024);
}

TEST(PicturePainterTest, ConnectedStepsAreAllDrawnAndSeparateLinesNotJoined)
{
    DisplayList drawing;
    for (int i = 0; i < 10; ++i) {  // a staircase of connected steps
        drawing.Line(float(i), float(i), float(i + 1), float(i), Colour::Blue);
        drawing.Line(float(i + 1), float(i), float(i + 1), float(i + 1), Colour::Blue);
    }
    // Two lines that, wrongly joined, would be linked through (0, -10).
    drawing.Line(-40, -10, -30, -10, Colour::Blue);
    drawing.Line(30, -10, 40, -10, Colour::Blue);
    EXPECT_EQ(drawing.operationCount(), 22u);

    const QImage image = PicturePainter::image(drawing);
    for (int i = 0; i < 10; ++i) {
        SCOPED_TRACE(i);
        EXPECT_TRUE(inkNear(image, pixelOf(i + 0.5, i), kBlue));
        EXPECT_TRUE(inkNear(image, pixelOf(i + 1, i + 0.5), kBlue));
    }
    EXPECT_FALSE(inkNear(image, pixelOf(0.5, 1), kBlue));
    EXPECT_TRUE(inkNear(image, pixelOf(35, -10), kBlue));
    EXPECT_FALSE(inkNear(image, pixelOf(0, -10), kBlue));
}

TEST(PicturePainterTest, DotsAreDiscsOfThePenWidth)
{
    DisplayList drawing;
    drawing.DrawWidth(20);
    drawing.PSet(0, 0, Colour::Green);
    drawing.PSet(-45, -25, Colour::Red);  // the bottom-left corner, pixel point (0, 385)
    drawing.DrawWidth(1);
    drawing.PSet(20 / 7.7f, 0, Colour::Blue);  // the centre of pixel (366, 192)
    const QImage image = PicturePainter::image(drawing);

    // Radius 10 about (346.5, 192.5): 8 pixels out is inside, 11 outside.
    EXPECT_EQ(image.pixelColor(kCentreColumn + 8, kCentreRow), kGreen);
    EXPECT_EQ(image.pixelColor(kCentreColumn, kCentreRow - 8), kGreen);
    EXPECT_EQ(image.pixelColor(kCentreColumn - 11, kCentreRow), kWhite);
    EXPECT_EQ(image.pixelColor(kCentreColumn + 9, kCentreRow + 9), kWhite);
    EXPECT_NEAR(countCovered(image, kGreen), 314, 12);  // pi · 10²

    EXPECT_EQ(image.pixelColor(0, 384), kRed);
    EXPECT_EQ(image.pixelColor(0, 373), kWhite);
    EXPECT_NEAR(countCovered(image, kRed), 79, 8);  // a quarter of pi · 10²

    EXPECT_TRUE(covered(image.pixelColor(366, kCentreRow), kBlue));
    EXPECT_EQ(countCovered(image, kBlue), 1);
}

TEST(PicturePainterTest, RenderingAtTwiceTheSizeDoublesWidthsAndDots)
{
    DisplayList drawing;
    drawing.Line(-45, 0, 45, 0, Colour::Blue);
    drawing.DrawWidth(20);
    drawing.PSet(20, 10, Colour::Green);
    const QImage image = PicturePainter::image(drawing, QSize(1386, 770));

    // The line, 2 pixels wide about y = 385, covers rows 384 and 385.
    EXPECT_EQ(image.pixelColor(100, 384), kBlue);
    EXPECT_EQ(image.pixelColor(100, 385), kBlue);
    EXPECT_EQ(image.pixelColor(100, 382), kWhite);
    EXPECT_EQ(image.pixelColor(100, 387), kWhite);
    // The dot at (20, 10) is centred on (1001, 231) with radius 20.
    EXPECT_EQ(image.pixelColor(1001 + 17, 231), kGreen);
    EXPECT_EQ(image.pixelColor(1001 + 22, 231), kWhite);
    EXPECT_NEAR(countCovered(image, kGreen), 1257, 30);  // pi · 20²
}

TEST(PicturePainterTest, RenderStaysInsideTheTargetRectangle)
{
    DisplayList drawing;
    drawing.DrawWidth(20);
    drawing.Line(-45, 0, 45, 0, Colour::Blue);
    drawing.PSet(45, 0, Colour::Red);  // half of it would stick out

    QImage image(893, 485, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    PicturePainter::paint(painter, drawing, QRectF(100, 50, 693, 385));
    painter.end();

    EXPECT_EQ(image.pixelColor(99, 242), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(110, 242), kBlue);
    EXPECT_EQ(image.pixelColor(790, 242), kRed);
    EXPECT_EQ(image.pixelColor(795, 242), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(110, 60), kWhite);
}

TEST(PicturePainterTest, RevisionChangesOnlyWithThePicture)
{
    DisplayList drawing;
    auto revision = drawing.revision();
    drawing.DrawWidth(20);
    drawing.AutoRedraw(true);
    drawing.Width(10395);
    drawing.Scale(-45, 25, 45, -25);
    EXPECT_EQ(drawing.revision(), revision);
    drawing.Line(0, 0, 1, 1, Colour::Blue);
    EXPECT_NE(drawing.revision(), revision);
    revision = drawing.revision();
    drawing.PSet(0, 0, Colour::Green);
    EXPECT_NE(drawing.revision(), revision);
    revision = drawing.revision();
    drawing.Cls();
    EXPECT_NE(drawing.revision(), revision);
}

}  // namespace
