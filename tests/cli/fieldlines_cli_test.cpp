// Runs the built fieldlines program as a user would, with its output in a
// temporary directory.

#include <gtest/gtest.h>

#include <QFile>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <cmath>
#include <csignal>
#include <functional>

#include <sys/resource.h>
#include <dirent.h>
#include <unistd.h>

namespace {

struct ProgramRun
{
    int exitCode = -1;
    QString out;
    QString err;
    QByteArray errBytes;
};

QByteArray contentOf(const QString &file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class FieldlinesProgramTest : public ::testing::Test
{
protected:
    // Runs the program with neither a display nor a chosen platform: the
    // rendering must not need one. display, if given, is set as DISPLAY;
    // inChild runs in the child before the program starts.
    ProgramRun run(const QStringList &arguments, const QString &display = {},
                   std::function<void()> inChild = {}) const
    {
        return start(QStringLiteral(FIELDLINES_EXE), arguments, display, std::move(inChild));
    }

    // Runs the program from a shell command line, "$0" being the program,
    // for names that only a shell passes as raw bytes.
    ProgramRun runInShell(const QString &command) const
    {
        return start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), command, QStringLiteral(FIELDLINES_EXE)});
    }

    ProgramRun start(const QString &program, const QStringList &arguments, const QString &display = {},
                     std::function<void()> inChild = {}) const
    {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            environment.remove(QString::fromLatin1(name));
        // A system language other than English: the interface's own, Chinese.
        environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
        if (!display.isEmpty())
            environment.insert(QStringLiteral("DISPLAY"), display);
        process.setProcessEnvironment(environment);
        if (inChild)
            process.setChildProcessModifier(inChild);
        process.start(program, arguments);
        ProgramRun result;
        if (!process.waitForFinished(30000)) {
            process.kill();
            process.waitForFinished();
            ADD_FAILURE() << "fieldlines did not finish";
            return result;
        }
        result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        result.out = QString::fromUtf8(process.readAllStandardOutput());
        result.errBytes = process.readAllStandardError();
        result.err = QString::fromUtf8(result.errBytes);
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
    EXPECT_FALSE(help.out.contains(QStringLiteral("-platform")));

    const ProgramRun helpAll = run({QStringLiteral("--help-all")});
    EXPECT_EQ(helpAll.exitCode, 0);
    for (const char *option : {"--charge1", "-platform", "-style", "-reverse"})
        EXPECT_TRUE(helpAll.out.contains(QLatin1String(option))) << option;

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
        {"repeated option", {"--output", path("a.png"), "--output", path("b.svg")}, "--output:"},
        {"unknown option", {"--bogus"}, "bogus"},
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

// Every output that cannot be written exits 3 with one line that names the
// file, as given, and says why; nothing is written or changed.
TEST_F(FieldlinesProgramTest, WriteFailuresExit3AndSayWhy)
{
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/full"), path("full.csv")));
    ASSERT_TRUE(QFile::link(QStringLiteral("loop.svg"), path("loop.svg")));
    struct Row
    {
        const char *name;
        ProgramRun result;
        QByteArray said;
    };
    const Row rows[] = {
        {"missing folder", run({"--output", path("missing/a.png")}),
         "“" + QFile::encodeName(path("missing/a.png")) + "”：文件夹不存在。"},
        {"full device", run({"--output", path("full.csv")}), "磁盘已满。"},
        {"link to itself", run({"--output", path("loop.svg")}), "符号链接循环。"},
        {"name that is not UTF-8", runInShell(QStringLiteral("\"$0\" --output \"%1/missing/$(printf 'caf\\351')."
                                                             "svg\"").arg(dir_.path())),
         "/missing/caf\xe9.svg”"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(row.result.exitCode, 3);
        EXPECT_TRUE(row.result.errBytes.startsWith("fieldlines: 无法写入“")) << row.result.err.toStdString();
        EXPECT_TRUE(row.result.errBytes.contains(row.said)) << row.result.err.toStdString();
        EXPECT_EQ(row.result.errBytes.count('\n'), 1);
    }
    EXPECT_TRUE(QFileInfo(path("full.csv")).isSymLink());
}

// Out of memory exits 3 and says so; nothing is written, and nothing claims
// that a part was kept. (A drawing of charges on the plot never needs more
// than a few megabytes, so the picture is what runs out here.)
TEST_F(FieldlinesProgramTest, OutOfMemoryExits3WithoutAFile)
{
#ifdef FIELDLINES_SANITIZE
    GTEST_SKIP() << "the sanitizers reserve more address space than the limit allows";
#endif
    struct Row
    {
        const char *name;
        QStringList arguments;
        rlim_t limit;  // bytes of address space, far above what the program needs to start
    };
    const Row rows[] = {
        {"image of 8192 x 8192", {"--output", path("big.png"), "--size", "8192x8192"}, 200u << 20},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        const rlim_t limit = row.limit;
        const ProgramRun result = run(row.arguments, {}, [limit] {
            const rlimit addressSpace{limit, limit};
            ::setrlimit(RLIMIT_AS, &addressSpace);
        });
        EXPECT_EQ(result.exitCode, 3) << result.err.toStdString();
        EXPECT_TRUE(result.err.contains(QStringLiteral("内存不足"))) << result.err.toStdString();
        EXPECT_FALSE(result.err.contains(QStringLiteral("保留")));
        EXPECT_FALSE(QFile::exists(row.arguments[row.arguments.indexOf(QStringLiteral("--output")) + 1]));
    }
}

// Ended by a signal while it draws a large picture, the program leaves the
// file that was there as it was and no temporary file beside it.
TEST_F(FieldlinesProgramTest, InterruptedRenderLeavesNoTrace)
{
    const QString file = path("big.png");
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        SCOPED_TRACE(signal);
        QFile old(file);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly) && old.write("old") == 3);
        old.close();
        QProcess process;
        // The signals act as in a terminal, whatever this test inherited.
        process.setChildProcessModifier([] {
            sigset_t none;
            ::sigemptyset(&none);
            ::sigprocmask(SIG_SETMASK, &none, nullptr);
            for (const int ending : {SIGTERM, SIGINT, SIGHUP})
                std::signal(ending, SIG_DFL);
        });
        process.start(QStringLiteral(FIELDLINES_EXE),
                      {"--size", "8192x8192", "--output", file});
        ASSERT_TRUE(process.waitForStarted());
        // Well into the drawing, which takes seconds at this size.
        EXPECT_FALSE(process.waitForFinished(300)) << "finished before the signal";
        ::kill(pid_t(process.processId()), signal);
        ASSERT_TRUE(process.waitForFinished(30000));
        EXPECT_EQ(process.exitStatus(), QProcess::CrashExit);
        EXPECT_EQ(contentOf(file), "old");
        EXPECT_TRUE(QDir(dir_.path()).entryList({".fieldlines-*"}, QDir::Hidden | QDir::Files).isEmpty());
    }
}

// The exact bytes of a name are written, also when they are not UTF-8;
// standard output is written into, not replaced; and Qt's own options are
// left to Qt.
TEST_F(FieldlinesProgramTest, OutputGoesExactlyWhereAsked)
{
    const ProgramRun raw = runInShell(
        QStringLiteral("cd \"%1\" && \"$0\" --output \"$(printf 'caf\\351').png\"").arg(dir_.path()));
    EXPECT_EQ(raw.exitCode, 0) << raw.err.toStdString();
    // Listed by the system, not by QDir, which cannot name it.
    QList<QByteArray> names;
    if (DIR *listing = ::opendir(QFile::encodeName(dir_.path()).constData())) {
        while (const dirent *entry = ::readdir(listing))
            names << entry->d_name;
        ::closedir(listing);
    }
    names.removeAll(".");
    names.removeAll("..");
    EXPECT_EQ(names, QList<QByteArray>{"caf\xe9.png"});
    ::unlink((QFile::encodeName(dir_.path()) + "/caf\xe9.png").constData());

    const QStringList single = {"--single", "--charge1", "0,0,10"};
    ASSERT_EQ(run(single + QStringList{"--output", path("single.csv")}).exitCode, 0);
    // The type comes from the name: standard output through a link that has one.
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/stdout"), path("stdout.csv")));
    const ProgramRun toStdout = run(single + QStringList{"--output", path("stdout.csv")});
    EXPECT_EQ(toStdout.exitCode, 0) << toStdout.err.toStdString();
    QFile csv(path("single.csv"));
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    EXPECT_EQ(toStdout.out, QString::fromUtf8(csv.readAll()));

    const ProgramRun withQtOptions =
        run({"-platform", "offscreen", "-style=fusion", "--reverse", "--output", path("qt.png")});
    EXPECT_EQ(withQtOptions.exitCode, 0) << withQtOptions.err.toStdString();
    EXPECT_TRUE(QFile::exists(path("qt.png")));
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

// A platform plugin that does not exist is named as such, whatever the
// display.
TEST_F(FieldlinesProgramTest, MissingPlatformPluginIsNamed)
{
    const ProgramRun result = run({"-platform", "bogus"}, QStringLiteral(":0"));
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.err.startsWith(QStringLiteral("fieldlines: 无法打开窗口：没有名为“bogus”的平台插件（可用："))) << result.err.toStdString();
    EXPECT_TRUE(result.err.contains(QStringLiteral("offscreen"))) << result.err.toStdString();
    EXPECT_EQ(result.err.count(QLatin1Char('\n')), 1);
}

// No display named, or one that does not answer: the same message and exit
// code, never Qt's abort.
TEST_F(FieldlinesProgramTest, WindowWithoutADisplaySaysSo)
{
    for (const QString &display : {QString(), QStringLiteral(":9999")}) {
        SCOPED_TRACE(display.toStdString());
        const ProgramRun result = run({"--charge1", "-10,0,5"}, display);
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_EQ(result.err, QStringLiteral("fieldlines: 无法打开窗口：没有可用的显示器（请检查 DISPLAY）。"
                                             "不开窗口画图请用 --output FILE。\n"));
    }
}

// --preset fills the boxes and the mode with a classic configuration, as
// the window's menu does; --charge1, --charge2 and --single change it
// further.
TEST_F(FieldlinesProgramTest, PresetsDrawAsTheirChargesGivenInFull)
{
    const struct
    {
        QStringList preset;
        QStringList typed;
    } rows[] = {
        {{"--preset", "dipole"}, {}},
        {{"--preset", "unlike-1to2"}, {"--charge1", "-15,0,5"}},
        {{"--preset", "vertical"}, {"--charge1", "0,10,10", "--charge2", "0,-10,-10"}},
        {{"--preset", "single-negative"}, {"--single", "--charge1", "0,0,-10"}},
        {{"--preset", "like", "--charge2", "10,5,2"}, {"--charge1", "-15,0,10", "--charge2", "10,5,2"}},
        {{"--preset", "quadrupole"},
         {"--charge", "-10,10,10", "--charge", "10,-10,10", "--charge", "10,10,-10", "--charge", "-10,-10,-10"}},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.preset.join(' ').toStdString());
        ASSERT_EQ(run(row.preset + QStringList{"--output", path("preset.csv")}).exitCode, 0);
        ASSERT_EQ(run(row.typed + QStringList{"--output", path("typed.csv")}).exitCode, 0);
        EXPECT_EQ(contentOf(path("preset.csv")), contentOf(path("typed.csv")));
    }
}

// What several charges and test charges refuse: a 33rd charge, two at one
// place, a test charge on a charge, nine test charges. Exit 1, the message,
// no file.
TEST_F(FieldlinesProgramTest, SeveralChargesAndTestChargesRefuseWhatCannotBeDrawn)
{
    QStringList thirtyThree;
    for (int i = 0; i < 33; ++i)
        thirtyThree << QStringLiteral("--charge") << QStringLiteral("%1,0,1").arg(-40 + 2.5 * i);
    QStringList nine;
    for (int i = 0; i < 9; ++i)
        nine << QStringLiteral("--particle") << QStringLiteral("%1,10").arg(-20 + 5 * i);
    const struct
    {
        QStringList arguments;
        QString said;
    } rows[] = {
        {thirtyThree, "fieldlines: 最多可以放32个点电荷\n"},
        {{"--charge", "0,0,1", "--charge", "5,5,1", "--charge", "0,0,-1"}, "fieldlines: 两个电荷不能在同一位置\n"},
        {{"--particle", "15.2,0.1"}, "fieldlines: 试探电荷不能放在点电荷上（距离至少为0.6）\n"},
        {{"--particle", "0,5,120,0"}, "fieldlines: 试探电荷的速度不能超过100\n"},
        {nine, "fieldlines: 最多可以同时释放8个试探电荷\n"},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.said.toStdString());
        const ProgramRun result = run(row.arguments + QStringList{"--output", path("refused.csv")});
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_EQ(result.err, row.said);
        EXPECT_FALSE(QFile::exists(path("refused.csv")));
    }
}

QString toolOutput(const QString &tool, const QStringList &arguments)
{
    QProcess process;
    process.start(tool, arguments);
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

// --output FILE.pdf writes one A4 landscape page: the picture as vectors
// and, in its text, the caption with the mode, positions and amounts; the
// caption and the document's title speak the interface's language.
TEST_F(FieldlinesProgramTest, PdfIsOneLandscapePageWithTheCaption)
{
    const struct
    {
        QStringList options;
        const char *caption;
        const char *title;
    } rows[] = {
        {{}, "两个点电荷：Q1 (-15, 0)，10 C；Q2 (15, 0)，-10 C", "电场线的描绘"},
        {{"--preset", "single-negative", "--charge1", "2.5,-3,-7.5"}, "单个点电荷：Q1 (2.5, -3)，-7.5 C", "电场线的描绘"},
        {{"--lang", "en"}, "Two charges: Q1 (-15, 0), 10 C; Q2 (15, 0), -10 C", "Electric Field Lines"},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.caption);
        const QString file = path("page.pdf");
        ASSERT_EQ(run(row.options + QStringList{"--output", file}).exitCode, 0);
        const QString info = toolOutput(QStringLiteral("pdfinfo"), {file});
        EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n")))) << info.toStdString();
        EXPECT_TRUE(info.contains(QStringLiteral("842 x 595 pts (A4)"))) << info.toStdString();
        EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Title:\\s+%1\\n").arg(QString::fromUtf8(row.title)))))
            << info.toStdString();
        EXPECT_TRUE(toolOutput(QStringLiteral("pdftotext"), {file, QStringLiteral("-")})
                        .contains(QString::fromUtf8(row.caption)));
    }
}

// The command line speaks the interface's language: Chinese unless --lang en
// (or an English system) asks for English.
TEST_F(FieldlinesProgramTest, MessagesInTheLanguageAsked)
{
    const QStringList wrongOrder{"--charge1", "15,0,10", "--charge2", "-15,0,-10", "--output", path("x.png")};
    ASSERT_TRUE(QFile::link(QStringLiteral("loop.svg"), path("loop.svg")));
    const struct
    {
        QStringList arguments;
        int exitCode;
        QString err;
    } rows[] = {
        {wrongOrder, 1, "fieldlines: Q1必须在Q2的左边\n"},
        {QStringList{"--lang", "zh"} + wrongOrder, 1, "fieldlines: Q1必须在Q2的左边\n"},
        {QStringList{"--lang", "en"} + wrongOrder, 1, "fieldlines: Q1 must be to the left of Q2\n"},
        {{"--lang", "en", "--size", "3", "--output", "x.png"}, 2,
         "fieldlines: --size: expected WxH with each side 1 to 8192 pixels, got '3'\n"},
        {{"--lang", "fr"}, 2, "fieldlines: --lang: 不认识的语言“fr”（可用 zh 或 en）\n"},
        // The language is chosen before a command line that cannot be
        // parsed is answered.
        {{"--lang", "en", "--charge1"}, 2, "fieldlines: Missing value after '--charge1'.\n"},
        {{"--bogus", "--lang", "en"}, 2, "fieldlines: Unknown option 'bogus'.\n"},
        {{"--lang=en", "--preset", "like\n"}, 2,
         "fieldlines: --preset: unknown preset 'like\\n' (use one of dipole, like, negative-pair, unlike-2to1, "
         "unlike-1to2, vertical, single-positive, single-negative, quadrupole, triangle, plate, capacitor)\n"},
        {{"--lang", "en", "--output", path("loop.svg")}, 3,
         "fieldlines: Cannot write “" + path("loop.svg") + "”: too many levels of symbolic links.\n"},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.arguments.join(' ').toStdString());
        const ProgramRun result = run(row.arguments);
        EXPECT_EQ(result.exitCode, row.exitCode);
        EXPECT_EQ(result.err, row.err);
    }
}

}  // namespace
