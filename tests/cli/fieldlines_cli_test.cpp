// Runs the built fieldlines program as a user would, with its output in a
// temporary directory.

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <cmath>

namespace {

struct ProgramRun
{
    int exitCode = -1;
    QString out;
    QString err;
};

class FieldlinesProgramTest : public ::testing::Test
{
protected:
    // Runs the program with neither a display nor a chosen platform: the
    // rendering must not need one.
    ProgramRun run(const QStringList &arguments) const
    {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            environment.remove(QString::fromLatin1(name));
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(FIELDLINES_EXE), arguments);
        ProgramRun result;
        if (!process.waitForFinished(30000)) {
            process.kill();
            process.waitForFinished();
            ADD_FAILURE() << "fieldlines did not finish";
            return result;
        }
        result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        result.out = QString::fromUtf8(process.readAllStandardOutput());
        result.err = QString::fromUtf8(process.readAllStandardError());
        return result;
    }

    QString path(const QString &name) const { return dir_.filePath(name); }

    QTemporaryDir dir_;
};

TEST_F(FieldlinesProgramTest, HelpAndVersionSucceed)
{
    const ProgramRun help = run({QStringLiteral("--help")});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.contains(QStringLiteral("--charge1"))) << help.out.toStdString();

    const ProgramRun version = run({QStringLiteral("--version")});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out, QStringLiteral("fieldlines " FIELDLINES_VERSION "\n"));
}

TEST_F(FieldlinesProgramTest, UsageErrorsExit2WithOneLineNamingTheOption)
{
    struct Row
    {
        const char *name;
        QStringList arguments;
        QString named;
    };
    const Row rows[] = {
        {"two numbers", {"--charge1", "1,2", "--output", path("a.png")}, "--charge1:"},
        {"unwritable file", {"--output", path("missing/a.png")}, "--output:"},
        {"unknown option", {"--bogus"}, "'bogus'"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        const ProgramRun result = run(row.arguments);
        EXPECT_EQ(result.exitCode, 2);
        EXPECT_TRUE(result.err.startsWith(QStringLiteral("fieldlines: "))) << result.err.toStdString();
        EXPECT_TRUE(result.err.contains(row.named)) << result.err.toStdString();
        EXPECT_EQ(result.err.count(QLatin1Char('\n')), 1) << result.err.toStdString();
        EXPECT_TRUE(result.out.isEmpty());
    }
    EXPECT_FALSE(QFile::exists(path("a.png")));
}

TEST_F(FieldlinesProgramTest, SingleChargeCsvListsTheRaysAndTheDot)
{
    // One charge at the centre: 25 rays (0° to 360° in steps of 15°), each a
    // line of length 100 starting 1.2 from the charge followed by the two
    // wings of length 2 of its arrowhead, then the green dot on the charge.
    const QString file = path("single.csv");
    const ProgramRun result = run({"--single", "--charge1", "0,0,10", "--output", file});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();

    QFile csv(file);
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly | QIODevice::Text));
    const QStringList rows = QString::fromUtf8(csv.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(rows.size(), 1 + 75 + 1);
    EXPECT_EQ(rows.first(), QStringLiteral("op,x1,y1,x2,y2,colour,width"));
    EXPECT_EQ(rows.last(), QStringLiteral("pset,0,0,,,#00c000,20"));

    for (int i = 0; i < 75; ++i) {
        SCOPED_TRACE(rows[1 + i].toStdString());
        const QStringList fields = rows[1 + i].split(QLatin1Char(','));
        ASSERT_EQ(fields.size(), 7);
        EXPECT_EQ(fields[0], QStringLiteral("line"));
        EXPECT_EQ(fields[5], QStringLiteral("#0000ff"));
        EXPECT_EQ(fields[6], QStringLiteral("1"));
        const double x1 = fields[1].toDouble();
        const double y1 = fields[2].toDouble();
        const double length = std::hypot(fields[3].toDouble() - x1, fields[4].toDouble() - y1);
        if (i % 3 == 0) {
            EXPECT_NEAR(std::hypot(x1, y1), 1.2, 1e-5);  // a ray
            EXPECT_NEAR(length, 100, 1e-4);
        } else {
            EXPECT_NEAR(std::hypot(x1, y1), 16.2, 1e-4);  // a wing from the tip
            EXPECT_NEAR(length, 2, 1e-5);
        }
    }
    EXPECT_EQ(rows[1], QStringLiteral("line,1.20000005,0,101.199997,0,#0000ff,1"));
}

TEST_F(FieldlinesProgramTest, PngOfTheDefaultPictureHasTheGivenSize)
{
    struct Row
    {
        const char *name;
        QStringList sizeOption;
        QSize size;
    };
    const Row rows[] = {
        {"designed size", {}, QSize(693, 385)},
        {"given size", {"--size", "900x500"}, QSize(900, 500)},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        const QString file = path("default.png");
        const ProgramRun result = run(QStringList{"--output", file} + row.sizeOption);
        ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
        const QImage image(file);
        ASSERT_EQ(image.size(), row.size);
        // The green dot of charge 1 at (-15, 0) and the red one of charge 2
        // at (15, 0), a third and two thirds of the way across.
        const int middle = row.size.height() / 2;
        EXPECT_EQ(image.pixelColor(row.size.width() / 3, middle), QColor(0, 192, 0));
        EXPECT_EQ(image.pixelColor(row.size.width() * 2 / 3, middle), QColor(255, 0, 0));
        EXPECT_EQ(image.pixelColor(2, 2).rgb() & 0xFFFFFF, 0xFFFFFFu);
    }
}

TEST_F(FieldlinesProgramTest, MessagesOfTheExciteExit1AndWriteNothing)
{
    struct Row
    {
        const char *name;
        QStringList charges;
        QString message;
    };
    const Row rows[] = {
        {"charge 2 left of charge 1", {"--charge1", "15,0,10", "--charge2", "-15,0,-10"},
         QStringLiteral("Q1必须在Q2的左边")},
        {"beyond 32-bit floats", {"--charge1", "1e39,0,10"}, QStringLiteral("输入的数值超出范围")},
        {"amount too small for 32 bits", {"--charge1", "-15,0,1e-42"}, QStringLiteral("输入的数值超出范围")},
        {"off the plot", {"--charge2", "50,0,-10"}, QStringLiteral("位置坐标超出范围：-45≤x≤45，-25≤y≤25")},
        {"at one place", {"--charge1", "0,0,10", "--charge2", "0,0,-5"}, QStringLiteral("两个电荷不能在同一位置")},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        const QString file = path("refused.png");
        const ProgramRun result = run(row.charges + QStringList{"--output", file});
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_EQ(result.err, QStringLiteral("fieldlines: ") + row.message + QLatin1Char('\n'));
        EXPECT_FALSE(QFile::exists(file));
    }
}

TEST_F(FieldlinesProgramTest, WindowWithoutADisplaySaysSo)
{
    const ProgramRun result = run({"--charge1", "-10,0,5"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.err.contains(QStringLiteral("--output"))) << result.err.toStdString();
}

}  // namespace
