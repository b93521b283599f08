#include "core/csvtext.h"
#include "plot/picturepainter.h"
#include "plot/picturewriter.h"

#include "support/processlimits.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string>

namespace {

// A small picture: two separate blue lines, one along the axis between a
// green and a red dot, like the default picture without its field.
DisplayList axisPicture()
{
    DisplayList drawing;
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
        const OutputFormat *format = PictureWriter::formatOf(QString::fromUtf8(row.fileName));
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
    const DisplayList drawing = axisPicture();
    const QString file = path(QStringLiteral("axis.png"));
    const PictureWriter::Result result = PictureWriter::write({&drawing, nullptr, {}}, file, QSize(1386, 770));
    ASSERT_TRUE(result.ok) << result.error.toStdString();

    const QImage image(file);
    ASSERT_EQ(image.size(), QSize(1386, 770));
    EXPECT_EQ(image.convertToFormat(QImage::Format_RGB32), PicturePainter::image(drawing, QSize(1386, 770)));
    EXPECT_EQ(image.pixelColor(693, 385), QColor(0, 0, 255));    // the line at the centre
    EXPECT_EQ(image.pixelColor(462, 385), QColor(0, 192, 0));    // the green dot at (-15, 0)
    EXPECT_EQ(image.pixelColor(924, 385), QColor(255, 0, 0));    // the red dot at (15, 0)
}

TEST_F(PictureWriterTest, SvgIsValidVectorsWithTitleAndViewBox)
{
    const QString file = path(QStringLiteral("axis.svg"));
    const DisplayList drawing = axisPicture();
    const PictureWriter::Result result = PictureWriter::write({&drawing, nullptr, {}}, file, QSize(693, 385));
    ASSERT_TRUE(result.ok) << result.error.toStdString();

    QFile svg(file);
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&svg);
    QString title;
    QString viewBox;
    QString size;
    int polylines = 0;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("svg")) {
            viewBox = xml.attributes().value(QLatin1String("viewBox")).toString();
            size = xml.attributes().value(QLatin1String("width")).toString() + QLatin1Char('x')
                   + xml.attributes().value(QLatin1String("height")).toString();
        } else if (xml.name() == QLatin1String("title"))
            title = xml.readElementText();
        else if (xml.name() == QLatin1String("polyline"))
            ++polylines;
    }
    ASSERT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_EQ(title, QStringLiteral("电场线的描绘"));
    EXPECT_EQ(viewBox, QStringLiteral("0 0 693 385"));
    EXPECT_EQ(size, QStringLiteral("693x385"));  // pixels, as asked
    EXPECT_EQ(polylines, 2);  // the two separate lines; the dots are ellipses
    EXPECT_TRUE(QSvgRenderer(file).isValid());
}

TEST_F(PictureWriterTest, UnwritablePlaceIsAnErrorAndLeavesNoFile)
{
    const DisplayList drawing = axisPicture();
    const RecordingSurface recording;
    const QString missingDir = path(QStringLiteral("missing/dir/"));
    struct Row
    {
        const char *name;
        QString file;
        QSize size;
        const char *reason;
    };
    const Row rows[] = {
        {"png", missingDir + "a.png", QSize(693, 385), "文件夹不存在"},
        {"svg", missingDir + "a.svg", QSize(693, 385), "文件夹不存在"},
        {"csv", missingDir + "a.csv", QSize(693, 385), "文件夹不存在"},
        {"png too large", path("huge.png"), QSize(100000, 100000), "图片尺寸超出范围"},
        {"unknown type", path("a.bmp"), QSize(693, 385), "只能写入 PNG、SVG、PDF 或 CSV 文件"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        const PictureWriter::Result result = PictureWriter::write({&drawing, &recording, {}}, row.file, row.size);
        EXPECT_FALSE(result.ok);
        EXPECT_TRUE(result.error.startsWith(QStringLiteral("无法写入“%1”：").arg(row.file))) << result.error.toStdString();
        EXPECT_TRUE(result.error.contains(QString::fromUtf8(row.reason))) << result.error.toStdString();
        EXPECT_FALSE(QFile::exists(row.file));
    }
}

// Accepts a number of bytes, then refuses every further one: a disk that
// fills up while the file is written.
class FailingDevice : public QIODevice
{
public:
    explicit FailingDevice(qint64 budget)
        : budget_(budget)
    {
        open(WriteOnly);
    }

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *, qint64 size) override
    {
        const qint64 taken = std::min(size, budget_);
        budget_ -= taken;
        return taken > 0 ? taken : -1;
    }

private:
    qint64 budget_;
};

TEST(PictureWriterDeviceTest, EveryFormatNoticesADeviceThatStopsTakingBytes)
{
    const DisplayList drawing = axisPicture();
    RecordingSurface recording;
    for (int i = 0; i < 100; ++i)
        recording.Line(float(i), 0, float(i + 1), 0, Colour::Blue);
    for (const OutputFormat &format : outputFormats()) {
        for (qint64 budget : {0, 40, 1000}) {
            SCOPED_TRACE(std::string(format.suffix) + " after " + std::to_string(budget) + " bytes");
            FailingDevice device(budget);
            EXPECT_NE(PictureWriter::encode(format, {&drawing, &recording, {}}, device, QSize(693, 385)), 0);
        }
    }
}

// A write that fails part way says why and leaves the file that was there
// byte for byte.
TEST_F(PictureWriterTest, FailedWriteKeepsTheOldFileAndSaysWhy)
{
    const DisplayList drawing = axisPicture();
    RecordingSurface recording;
    for (int i = 0; i < 100; ++i)
        recording.Line(float(i), 0, float(i + 1), 0, Colour::Blue);
    const QByteArray old = "the picture saved before";
    for (const OutputFormat &format : outputFormats()) {
        SCOPED_TRACE(format.suffix);
        const QString file = path(QStringLiteral("old.") + QLatin1String(format.suffix));
        QFile before(file);
        ASSERT_TRUE(before.open(QIODevice::WriteOnly) && before.write(old) == old.size());
        before.close();
        PictureWriter::Result result;
        {
            const FileSizeLimit limit(600);
            result = PictureWriter::write({&drawing, &recording, {}}, file);
        }
        EXPECT_FALSE(result.ok);
        EXPECT_TRUE(result.error.contains(QStringLiteral("文件超出了系统允许的大小"))) << result.error.toStdString();
        QFile after(file);
        ASSERT_TRUE(after.open(QIODevice::ReadOnly));
        EXPECT_EQ(after.readAll(), old);
    }
    EXPECT_TRUE(QDir(dir_.path()).entryList({QStringLiteral(".fieldlines-*")}, QDir::Hidden | QDir::Files).isEmpty());
}

// The SVG painted on black, so that any part it leaves unpainted shows.
QImage svgImage(const QString &file, const QSize &size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    QSvgRenderer(file).render(&painter);
    return image;
}

// A picture of another shape than 9:5 shows the plot at its own shape,
// centred on white, in PNG and SVG alike: the dots stay round.
TEST_F(PictureWriterTest, OtherShapesCentreThePlotOnWhite)
{
    struct Row
    {
        const char *name;
        QSize size;
        QRect area;
    };
    const Row rows[] = {
        {"9:5", QSize(1386, 770), QRect(0, 0, 1386, 770)},
        {"square", QSize(500, 500), QRect(0, 111, 500, 278)},
        {"wide", QSize(1000, 300), QRect(230, 0, 540, 300)},
    };
    const DisplayList drawing = axisPicture();
    for (const Row &row : rows) {
        EXPECT_EQ(PicturePainter::plotArea(row.size), row.area) << row.name;
        for (const char *suffix : {"png", "svg"}) {
            SCOPED_TRACE(std::string(row.name) + " " + suffix);
            const QString file = path(QStringLiteral("shape.") + QLatin1String(suffix));
            ASSERT_TRUE(PictureWriter::write({&drawing, nullptr, {}}, file, row.size).ok);
            const QImage image = QLatin1String(suffix) == QLatin1String("png")
                                     ? QImage(file).convertToFormat(QImage::Format_RGB32)
                                     : svgImage(file, row.size);

            EXPECT_EQ(image.pixelColor(0, 0), QColor(Qt::white));
            EXPECT_EQ(image.pixelColor(row.size.width() - 1, row.size.height() - 1), QColor(Qt::white));
            // The green dot at (-15, 0): as wide as it is high.
            const QPoint centre(row.area.x() + row.area.width() / 3, row.area.center().y());
            const auto green = [&](int x, int y) {
                const QColor colour = image.pixelColor(x, y);
                return colour.green() > 150 && colour.red() < 90;
            };
            int across = 0;
            int down = 0;
            for (int d = -40; d <= 40; ++d) {
                across += green(centre.x() + d, centre.y());
                down += green(centre.x(), centre.y() + d);
            }
            EXPECT_GT(across, 5);
            EXPECT_NEAR(across, down, 1);
        }
    }
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
