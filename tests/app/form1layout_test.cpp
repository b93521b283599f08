#include "apptestsupport.h"

#include "core/textpanel.h"
#include "support/namedrows.h"

#include <QGroupBox>
#include <QLabel>

#include <algorithm>
#include <cmath>

namespace {

// Every control of the window as designed: places and sizes in layout units
// of 1/20 point (15 to the pixel), inside Frame1 counted from the frame's
// corner; the font's first family and size; the tab index.
struct Control
{
    const char *name;
    const char *kind;  // Qt class
    const char *text;
    int left, top, width, height;
    const char *family;
    double points;
    bool italic;
    int tabIndex;
};

LIST_ROWS_BY_NAME(Control)

constexpr const char *Times = "Times New Roman";

const Control kControls[] = {
    {"Label1", "QLabel", "电场线的描绘", 120, 120, 3150, 525, "华文新魏", 26.25, false, 0},
    {"Picture1", "PictureBox", "", 120, 840, 10395, 5775, Times, 14.25, false, 1},
    {"Frame1", "QGroupBox", "参数设置", 10680, 240, 4095, 6375, Times, 14.25, false, 2},
    {"Option1", "QRadioButton", "单个点电荷", 120, 360, 1815, 495, Times, 14.25, false, 3},
    {"Option2", "QRadioButton", "两个点电荷", 2040, 360, 1935, 495, Times, 14.25, false, 4},
    {"Label18", "QLabel", "(-45≤     ≤45)       (-25≤     ≤25)", 240, 960, 3495, 315, Times, 14.25, false, 29},
    {"Label19", "QLabel", "x", 970, 960, 120, 315, Times, 14.25, true, 30},
    {"Label20", "QLabel", "y", 3000, 960, 120, 315, Times, 14.25, true, 31},
    {"Label2", "QLabel", "Q", 240, 1560, 225, 345, Times, 15.75, true, 6},
    {"Label3", "QLabel", "1", 480, 1700, 105, 240, Times, 10.5, false, 7},
    {"Label4", "QLabel", "●", 645, 1500, 285, 495, Times, 21.75, false, 8},
    {"Label5", "QLabel", "位置坐标：", 240, 2040, 1500, 315, Times, 14.25, false, 9},
    {"Label6", "QLabel", "x", 255, 2400, 120, 315, Times, 14.25, true, 10},
    {"Text1", "QLineEdit", "-15", 480, 2400, 1215, 435, Times, 14.25, false, 11},
    {"Label7", "QLabel", "y", 2350, 2400, 120, 315, Times, 14.25, true, 12},
    {"Text2", "QLineEdit", "0", 2600, 2400, 1215, 435, Times, 14.25, false, 13},
    {"Label8", "QLabel", "电荷量：", 240, 3050, 1200, 315, Times, 14.25, false, 14},
    {"Text3", "QLineEdit", "10", 1320, 3000, 1215, 435, Times, 14.25, false, 15},
    {"Label9", "QLabel", "C", 2640, 3070, 195, 315, Times, 14.25, true, 16},
    {"Label15", "QLabel", "Q", 240, 3700, 225, 345, Times, 15.75, true, 25},
    {"Label16", "QLabel", "2", 480, 3850, 105, 240, Times, 10.5, false, 26},
    {"Label17", "QLabel", "●", 650, 3650, 285, 495, Times, 21.75, false, 27},
    {"Label14", "QLabel", "位置坐标：", 240, 4200, 1500, 315, Times, 14.25, false, 24},
    {"Label12", "QLabel", "x", 255, 4600, 120, 315, Times, 14.25, true, 20},
    {"Text4", "QLineEdit", "15", 480, 4560, 1215, 435, Times, 14.25, false, 18},
    {"Label13", "QLabel", "y", 2350, 4600, 120, 315, Times, 14.25, true, 23},
    {"Text5", "QLineEdit", "0", 2600, 4560, 1215, 435, Times, 14.25, false, 21},
    {"Label10", "QLabel", "电荷量：", 240, 5200, 1200, 315, Times, 14.25, false, 17},
    {"Text6", "QLineEdit", "-10", 1320, 5160, 1215, 435, Times, 14.25, false, 22},
    {"Label11", "QLabel", "C", 2640, 5240, 255, 495, Times, 14.25, true, 19},
    {"Command1", "QPushButton", "激\u3000发", 480, 5760, 1335, 495, Times, 14.25, false, 5},
    {"Command2", "QPushButton", "关闭窗口", 2280, 5760, 1335, 495, Times, 14.25, false, 28},
};

int pixels(int units)
{
    return int(std::lround(units / 15.0));
}

QString textOf(const QWidget *widget)
{
    if (auto *label = qobject_cast<const QLabel *>(widget))
        return label->text();
    if (auto *button = qobject_cast<const QAbstractButton *>(widget))
        return button->text();
    if (auto *box = qobject_cast<const QLineEdit *>(widget))
        return box->text();
    if (auto *frame = qobject_cast<const QGroupBox *>(widget))
        return frame->title();
    return {};
}

bool takesFocus(const Control &control)
{
    const std::string kind = control.kind;
    return kind != "QLabel" && kind != "QGroupBox";
}

class LayoutTest : public ::testing::TestWithParam<Control>
{
protected:
    Window window;
};

TEST_P(LayoutTest, ControlIsPlacedAsDesigned)
{
    const Control &c = GetParam();
    QWidget *widget = window.child(c.name);
    ASSERT_NE(widget, nullptr);

    EXPECT_STREQ(widget->metaObject()->className(), c.kind);
    EXPECT_EQ(textOf(widget), QString::fromUtf8(c.text));

    const bool inFrame = widget->parentWidget() != &window.form;
    EXPECT_EQ(widget->parentWidget()->objectName(), inFrame ? "Frame1" : "Form1");
    EXPECT_EQ(widget->pos(), QPoint(pixels(c.left), pixels(c.top)));
    const QSize designed(pixels(c.width), pixels(c.height));
    if (std::string(c.kind) == "QLabel") {
        // A label keeps its designed size unless its text needs more room.
        auto *label = static_cast<QLabel *>(widget);
        EXPECT_EQ(label->size(), designed.expandedTo(label->sizeHint()));
        EXPECT_TRUE(label->alignment() & Qt::AlignTop);
    } else {
        EXPECT_EQ(widget->size(), designed);
    }

    const QFont font = widget->font();
    ASSERT_FALSE(font.families().isEmpty());
    EXPECT_EQ(font.families().first(), QString::fromUtf8(c.family));
    EXPECT_DOUBLE_EQ(font.pointSizeF(), c.points);
    EXPECT_EQ(font.italic(), c.italic);
    EXPECT_FALSE(font.bold());

    if (!takesFocus(c))
        EXPECT_EQ(widget->focusPolicy(), Qt::NoFocus);
    else
        EXPECT_TRUE(widget->focusPolicy() & Qt::TabFocus);
}

INSTANTIATE_TEST_SUITE_P(Form1, LayoutTest, ::testing::ValuesIn(kControls),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(Form1Window, FixedSizeCaptionAndFonts)
{
    Window window;
    const Form1 &form = window.form;
    EXPECT_EQ(form.windowTitle(), "电场线的描绘");
    EXPECT_EQ(form.size(), QSize(993, 454));
    EXPECT_EQ(form.minimumSize(), form.maximumSize());
    EXPECT_FALSE(form.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(form.windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(form.windowIcon().availableSizes().isEmpty() && form.windowIcon().pixmap(32).isNull());

    // Chinese texts in the Times controls fall back to a CJK serif; the
    // title's brush script to a free font of the same hand.
    EXPECT_EQ(form.font().families(), QStringList({"Times New Roman", "Liberation Serif", "Noto Serif CJK SC"}));
    EXPECT_EQ(window.child<QLabel>("Label1")->font().families(),
              QStringList({"华文新魏", "STXinwei", "LXGW WenKai", "Noto Serif CJK SC"}));

    // The legend dots take the colours of the charge dots in the plot.
    EXPECT_EQ(window.child("Label4")->palette().color(QPalette::WindowText), QColor(0x00, 0xC0, 0x00));
    EXPECT_EQ(window.child("Label17")->palette().color(QPalette::WindowText), QColor(0xFF, 0x00, 0x00));
}

TEST(Form1Window, StartsInTwoChargeModeWithTheDefaultCharges)
{
    Window window;
    EXPECT_TRUE(window.child<QRadioButton>("Option2")->isChecked());
    EXPECT_FALSE(window.child<QRadioButton>("Option1")->isChecked());
    const char *defaults[] = {"-15", "0", "10", "15", "0", "-10"};
    for (int box = 1; box <= 6; ++box) {
        EXPECT_EQ(window.text(box)->text(), defaults[box - 1]) << "Text" << box;
        EXPECT_FALSE(window.text(box)->isReadOnly()) << "Text" << box;
    }
    EXPECT_EQ(window.form.picture(), nullptr);
}

TEST(Form1Window, TabOrderFollowsTheTabIndexes)
{
    std::vector<Control> focusable;
    std::copy_if(std::begin(kControls), std::end(kControls), std::back_inserter(focusable), takesFocus);
    std::sort(focusable.begin(), focusable.end(), [](auto &a, auto &b) { return a.tabIndex < b.tabIndex; });
    QStringList expected;
    for (const Control &c : focusable)
        expected << c.name;

    Window window;
    QStringList chain;
    QWidget *start = window.child("Picture1");
    QWidget *w = start;
    do {
        if ((w->focusPolicy() & Qt::TabFocus) && window.form.isAncestorOf(w))
            chain << w->objectName();
        w = w->nextInFocusChain();
    } while (w != start && chain.size() <= expected.size());
    EXPECT_EQ(chain, expected);
}

TEST(Form1Window, TextBoxesAreNamedForScreenReaders)
{
    Window window;
    const char *names[] = {"电荷1 x坐标", "电荷1 y坐标", "电荷1 电荷量", "电荷2 x坐标", "电荷2 y坐标", "电荷2 电荷量"};
    for (int box = 1; box <= 6; ++box)
        EXPECT_EQ(window.text(box)->accessibleName(), QString::fromUtf8(names[box - 1])) << "Text" << box;
}

struct PresetRow
{
    const char *name;
    bool twoCharges;
    std::vector<const char *> texts;
};

// Presetting (the command line's options) fills the boxes and selects the
// mode without running a handler: Text1 keeps its x, nothing is locked or
// drawn.
TEST(Form1Window, PresetFillsTheBoxesWithoutRunningHandlers)
{
    const PresetRow rows[] = {
        {"two charges", true, {"-5", "1", "2", "5", "-1", "-2"}},
        {"single charge keeps its x", false, {"7", "3", "10", "15", "0", "-10"}},
    };
    for (const PresetRow &row : rows) {
        SCOPED_TRACE(row.name);
        Configuration configuration;
        configuration.mode = row.twoCharges ? Mode::Two : Mode::Single;
        for (std::size_t i = 0; i < 2; ++i)
            configuration.charges[i] = {row.texts[3 * i], row.texts[3 * i + 1], row.texts[3 * i + 2]};

        Window window;
        window.form.preset(configuration);
        EXPECT_EQ(window.child<QRadioButton>("Option2")->isChecked(), row.twoCharges);
        EXPECT_EQ(window.child<QRadioButton>("Option1")->isChecked(), !row.twoCharges);
        // Single-charge mode locks the boxes of charge 2 as selecting
        // 单个点电荷 does, but charge 1 keeps the x given.
        for (int box = 1; box <= 6; ++box) {
            EXPECT_EQ(window.text(box)->text(), row.texts[box - 1]);
            EXPECT_EQ(window.text(box)->isReadOnly(), !row.twoCharges && box >= 4) << "Text" << box;
        }
        EXPECT_FALSE(window.form.isDrawing());
        EXPECT_EQ(window.form.picture(), nullptr);
    }
}

}  // namespace
