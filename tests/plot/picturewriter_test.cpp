#include "core/csvtext.h"
#include "plot/keptdrawing.h"
#include "plot/picturewriter.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string>

namespace {

// A small picture: two separate blue lines, one along the axis between a
// green and a red dot, like the default picture without its field.
KeptDrawing axisPicture()
{
    KeptDrawing drawing;
    drawing.Line(-15, 0, 15, 0, Colour::Blue);
    drawing.Line(-15, 5, 15, 5, Colour::Blue);
    drawing.DrawWidth(20);
    drawing.PSet(-15, 0, Colour::Green);
    drawing.PSet(15, 0, Colour::Red);
    return drawing;
}

class PictureWriterTest : public ::testing::Test
{
protected:
    QString path(const QString &name) const { return dir_.filePath(name); }
    QTemporaryDir dir_;
};

TEST(PictureWriterFormatTest, FormatFollowsTheExtension)
{
    struct Row
    {
        const char *fileName;
        const char *suffix;  // of the format found, or nullptr
    };
    const Row rows[] = {
        {"field.png", "png"},     {"FIELD.PNG", "png"},    {"out/field.svg", "svg"},
        {"lines.csv", "csv"},     {"field.jpg", nullptr},  {"png", nullptr},
        {"field.png.txt", nullptr}, {"", nullptr},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.fileName);
        const PictureWriter::Format *format = PictureWriter::formatOf(QString::fromUtf8(row.fileName));
        if (row.suffix) {
            ASSERT_NE(format, nullptr);
            EXPECT_STREQ(format->suffix, row.suffix);
        } else {
            EXPECT_EQ(format, nullptr);
        }
    }
}

TEST_F(PictureWriterTest, PngHasTheSizeAndPixelsOfTheRendering)
{
    const KeptDrawing drawing = axisPicture();
    const QString file = path(QStringLiteral("axis.png"));
    const PictureWriter::Result result = PictureWriter::write({&drawing}, file, QSize(1386, 770));
    ASSERT_TRUE(result.ok) << result.error.toStdString();

    const QImage image(file);
    ASSERT_EQ(image.size(), QSize(1386, 770));
    EXPECT_EQ(image.convertToFormat(QImage::Format_RGB32), drawing.toImage(QSize(1386, 770)));
    EXPECT_EQ(image.pixelColor(693, 385), QColor(0, 0, 255));    // the line at the centre
    EXPECT_EQ(image.pixelColor(462, 385), QColor(0, 192, 0));    // the green dot at (-15, 0)
    EXPECT_EQ(image.pixelColor(924, 385), QColor(255, 0, 0));    // the red dot at (15, 0)
}

TEST_F(PictureWriterTest, SvgIsValidVectorsWithTitleAndViewBox)
{
    const QString file = path(QStringLiteral("axis.svg"));
    const KeptDrawing drawing = axisPicture();
    const PictureWriter::Result result = PictureWriter::write({&drawing}, file, QSize(693, 385));
    ASSERT_TRUE(result.ok) << result.error.toStdString();

    QFile svg(file);
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&svg);
    QString title;
    QString viewBox;
    int polylines = 0;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("svg"))
            viewBox = xml.attributes().value(QLatin1String("viewBox")).toString();
        else if (xml.name() == QLatin1String("title"))
            title = xml.readElementText();
        else if (xml.name() == QLatin1String("polyline"))
            ++polylines;
    }
    ASSERT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_EQ(title, QStringLiteral("电场线的描绘"));
    EXPECT_EQ(viewBox, QStringLiteral("0 0 693 385"));
    EXPECT_EQ(polylines, 2);  // the two separate lines; the dots are ellipses
    EXPECT_TRUE(QSvgRenderer(file).isValid());
}

TEST_F(PictureWriterTest, UnwritablePlaceIsAnErrorAndLeavesNoFile)
{
    const KeptDrawing drawing = axisPicture();
    const QString missingDir = path(QStringLiteral("missing/dir/"));
    struct Row
    {
        const char *name;
        PictureWriter::Result result;
    };
    const Row rows[] = {
        {"png", PictureWriter::write({&drawing}, missingDir + QStringLiteral("a.png"))},
        {"svg", PictureWriter::write({&drawing}, missingDir + QStringLiteral("a.svg"))},
        {"csv", PictureWriter::writeCsv(RecordingSurface(), missingDir + QStringLiteral("a.csv"))},
        {"png too large", PictureWriter::write({&drawing}, path(QStringLiteral("huge.png")), QSize(100000, 100000))},
        {"unknown type", PictureWriter::write({&drawing}, path(QStringLiteral("a.bmp")))},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_FALSE(row.result.ok);
        EXPECT_TRUE(row.result.error.startsWith(QStringLiteral("cannot write "))) << row.result.error.toStdString();
    }
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("huge.png"))));
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("a.bmp"))));
}

TEST(PictureWriterCsvTest, OneRowPerLineAndDotWithColourAndWidth)
{
    RecordingSurface recording;
    recording.Cls();
    recording.Scale(-45, 25, 45, -25);
    recording.DrawWidth(1);
    recording.Line(-14, 0, -13, 0.5f, Colour::Blue);
    recording.DrawWidth(20);
    recording.PSet(-15, 0, Colour::Green);
    recording.PSet(15, 0, Colour::Red);
    recording.Line(200, 0, 300, 0, Colour::Blue);  // outside the plot, still listed

    EXPECT_EQ(csvText(recording.drawing()),
              "op,x1,y1,x2,y2,colour,width\n"
              "line,-14,0,-13,0.5,#0000ff,1\n"
              "pset,-15,0,,,#00c000,20\n"
              "pset,15,0,,,#ff0000,20\n"
              "line,200,0,300,0,#0000ff,20\n");
}

TEST(PictureWriterCsvTest, CoordinatesReadBackToTheSameFloat)
{
    // Values whose shortest decimal form needs all nine digits, values near
    // the ends of the float range, and the step ends of a traced line.
    const float values[] = {0.1f,         -1.2f,       16.2f,          1.0f / 3.0f,
                            2.7e-8f,      -0.0f,       3.4028235e38f,  1.17549435e-38f,
                            -14.3522034f, 123456.789f, 5.4e-8f,        100.000008f};
    RecordingSurface recording;
    for (float value : values)
        recording.Line(value, -value, value, value, Colour::Blue);
    const std::string text = csvText(recording.drawing());

    std::istringstream lines(text);
    std::string line;
    std::getline(lines, line);  // header
    for (float value : values) {
        ASSERT_TRUE(std::getline(lines, line));
        SCOPED_TRACE(line);
        const std::string first = line.substr(5, line.find(',', 5) - 5);
        const float read = std::strtof(first.c_str(), nullptr);
        EXPECT_EQ(std::memcmp(&read, &value, sizeof value), 0);
        EXPECT_EQ(line.find(' '), std::string::npos);
    }
}

}  // namespace
