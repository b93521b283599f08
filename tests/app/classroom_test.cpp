#include "apptestsupport.h"

#include "core/presets.h"
#include "core/textpanel.h"
#include "plot/translated.h"

#include <QLabel>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTranslator>

namespace {

// Each preset of the picture's menu fills the boxes and the mode as a user
// would and draws: the same picture as the same input typed and drawn.
TEST(Presets, EachDrawsAsItsInputTyped)
{
    for (const Preset &preset : presets()) {
        SCOPED_TRACE(preset.commandName);
        Window chosen;
        chosen.trigger(QStringLiteral("preset-") + QLatin1String(preset.commandName));

        Window typed;
        if (preset.mode == Mode::Several) {
            // Several charges: the list as the window holds it, then drawn.
            typed.form.preset(preset.appliedTo(typed.form.configuration()));
            typed.excite();
            EXPECT_EQ(chosen.form.configuration().charges, preset.charges);
            EXPECT_TRUE(chosen.messenger.messages.empty());
            EXPECT_EQ(chosen.image(), typed.image());
            continue;
        }
        const bool two = preset.mode == Mode::Two;
        typed.click(two ? "Option2" : "Option1");
        for (int box = 1; box <= 6; ++box) {
            const std::size_t charge = std::size_t(box - 1) / 3;
            const char *text = nullptr;
            if (charge < preset.charges.size()) {
                const ChargeTexts &c = preset.charges[charge];
                text = ((box - 1) % 3 == 0 ? c.x : (box - 1) % 3 == 1 ? c.y : c.q).c_str();
            }
            EXPECT_EQ(chosen.text(box)->text(), QString::fromUtf8(text ? text : TextPanel::kDefaultTexts[box - 1]));
            if (text)
                typed.text(box)->setText(QString::fromUtf8(text));
        }
        typed.excite();
        EXPECT_EQ(chosen.child<QRadioButton>("Option2")->isChecked(), two);
        EXPECT_TRUE(chosen.messenger.messages.empty());
        EXPECT_GT(chosen.operations(), 0u);
        EXPECT_EQ(chosen.image(), typed.image());
    }
}

// 打印… prints the page the PDF of the command line holds: here onto a PDF
// printer, read back with pdfinfo and pdftotext.
TEST(Printing, PrintsOneLandscapePageWithTheCaption)
{
    Window window;
    window.excite();
    const QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("printed.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF(15, 15, 15, 15),
                                      QPageLayout::Millimeter));
    window.form.printPicture(printer);

    const auto output = [](const QString &tool, const QStringList &arguments) {
        QProcess process;
        process.start(tool, arguments);
        process.waitForFinished(30000);
        return QString::fromUtf8(process.readAllStandardOutput());
    };
    const QString info = output(QStringLiteral("pdfinfo"), {file});
    EXPECT_TRUE(info.contains(QStringLiteral("Pages:           1"))) << info.toStdString();
    EXPECT_TRUE(info.contains(QStringLiteral("(A4)"))) << info.toStdString();
    EXPECT_TRUE(info.contains(QStringLiteral("842 x 595"))) << info.toStdString();
    EXPECT_TRUE(output(QStringLiteral("pdftotext"), {file, QStringLiteral("-")})
                    .contains(QStringLiteral("两个点电荷：Q1 (-15, 0)，10 C；Q2 (15, 0)，-10 C")));
    EXPECT_TRUE(window.messenger.messages.empty());
}

// Projector mode draws the lines twice as wide and the dots larger; the
// colour-blind-safe dots are blue-green and orange, in the panel's legend
// too. Saved pictures follow the screen.
TEST(Looks, ProjectorAndColourBlindSafeDots)
{
    Window window;
    window.excite();
    const QImage plain = window.image();
    window.trigger(QStringLiteral("projector"));
    window.trigger(QStringLiteral("colourBlindSafe"));
    const QImage styled = window.image();
    const auto count = [](const QImage &image, const QColor &colour) {
        int n = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x)
                n += image.pixelColor(x, y) == colour;
        }
        return n;
    };
    EXPECT_GT(count(styled, QColor(0, 0, 255)), 1.5 * count(plain, QColor(0, 0, 255)));  // wider lines
    EXPECT_EQ(count(styled, QColor(0, 192, 0)), 0);
    const QColor orange(0xE6, 0x9F, 0x00);
    EXPECT_GT(count(styled, orange), 2 * count(plain, QColor(255, 0, 0)));
    EXPECT_EQ(window.child<QLabel>("Label17")->palette().color(QPalette::WindowText), orange);

    const QTemporaryDir dir;
    ASSERT_TRUE(window.form.savePicture(dir.filePath(QStringLiteral("styled.png"))));
    EXPECT_EQ(QImage(dir.filePath(QStringLiteral("styled.png"))).convertToFormat(QImage::Format_RGB32),
              window.image(QSize(1386, 770)));
    window.form.setLook({});
    window.settle();
}

// The window in English: its title, the panel's texts and the buttons, each
// fitting its control at the designed size; Chinese by default.
TEST(Language, EnglishWindowFitsItsControls)
{
    {
        Window chinese;
        EXPECT_EQ(chinese.form.windowTitle(), QStringLiteral("电场线的描绘"));
        EXPECT_EQ(chinese.child<QPushButton>("Command1")->text(), QStringLiteral("激\u3000发"));
    }
    QTranslator english;
    ASSERT_TRUE(english.load(QStringLiteral("fieldlines_en"), QStringLiteral(":/translations")));
    QCoreApplication::installTranslator(&english);
    {
        Window window;
        EXPECT_EQ(window.form.windowTitle(), QStringLiteral("Electric Field Lines"));
        EXPECT_EQ(window.child<QPushButton>("Command1")->text(), QStringLiteral("Draw"));
        EXPECT_EQ(window.child<QPushButton>("Command2")->text(), QStringLiteral("Close"));
        // The designed widths, in pixels (layout units / 15).
        const std::pair<const char *, int> controls[] = {
            {"Label1", 210},   {"Option1", 121}, {"Option2", 129}, {"Label5", 100}, {"Label8", 80},
            {"Label14", 100},  {"Label10", 80},  {"Command1", 89}, {"Command2", 89},
        };
        for (const auto &[name, width] : controls)
            EXPECT_LE(window.child(name)->sizeHint().width(), width) << name;
        window.setTexts({"15", "0", "10", "-15", "0", "-10"});
        window.excite();
        ASSERT_EQ(window.messenger.messages.size(), 1u);  // recorded as the core gives it
        EXPECT_EQ(translated(window.messenger.messages[0]).prompt, "Q1 must be to the left of Q2");
    }
    QCoreApplication::removeTranslator(&english);
}

// Options given for one run (--equipotentials --zero-field) are never
// remembered, even when another switch is changed and remembered after
// them.
TEST(Switches, OptionsForOneRunAreNeverRemembered)
{
    {
        Window window;
        window.form.setOverlays({"equipotentials", "zeroField"}, false);
        window.trigger(QStringLiteral("projector"));
        window.trigger(QStringLiteral("projector"));
        window.settle();
    }
    Window next;
    EXPECT_TRUE(next.form.overlays().empty());
    EXPECT_FALSE(next.form.look().projector);
}

}  // namespace
