#include "apptestsupport.h"

#include "app/picturebox.h"
#include "app/pictureinteraction.h"

#include <QMenu>
#include <QContextMenuEvent>
#include <QTimer>

namespace {

void drag(Window &window, double fromX, double fromY, double toX, double toY)
{
    window.mouse(QEvent::MouseButtonPress, fromX, fromY, Qt::LeftButton);
    for (int i = 1; i <= 4; ++i)
        window.mouse(QEvent::MouseMove, fromX + (toX - fromX) * i / 4, fromY + (toY - fromY) * i / 4, Qt::LeftButton);
    window.mouse(QEvent::MouseButtonRelease, toX, toY, Qt::NoButton);
}

QImage pictureOf(const std::vector<const char *> &texts)
{
    Window window;
    window.setTexts(texts);
    window.excite();
    return window.image();
}

// Dragging a dot moves its charge: the boxes show the place rounded to 0.5,
// kept on the plot and in order, and the picture is the one 激　发 draws for
// them. A drag never shows a message.
TEST(Dragging, MovesTheChargeAsTheBoxesWouldPlaceIt)
{
    struct Row
    {
        const char *name;
        double fromX, fromY, toX, toY;
        std::vector<const char *> boxes;
    };
    const Row rows[] = {
        {"red dot to a place rounded to halves", 15, 0, 20.4, 7.9, {"-15", "0", "10", "20.5", "8", "-10"}},
        {"green dot, grabbed off its centre", -14.5, 0.4, -30.2, -12.1, {"-30.5", "-12.5", "10", "15", "0", "-10"}},
        {"red dot stops at charge 1's x", 15, 0, -40, 5, {"-15", "0", "10", "-15", "5", "-10"}},
        {"red dot stops at the border", 15, 0, 60, 40, {"-15", "0", "10", "45", "25", "-10"}},
        {"a press beside the dots moves nothing", 0, 10, 20, 10, {"-15", "0", "10", "15", "0", "-10"}},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        Window window;
        window.excite();
        drag(window, row.fromX, row.fromY, row.toX, row.toY);
        window.settle();
        for (int box = 1; box <= 6; ++box)
            EXPECT_EQ(window.text(box)->text().toStdString(), row.boxes[std::size_t(box - 1)]) << "Text" << box;
        EXPECT_TRUE(window.messenger.messages.empty());
        EXPECT_EQ(window.image(), pictureOf(row.boxes));
    }
}

TEST(Dragging, NeedsAPictureFirst)
{
    Window window;
    drag(window, 15, 0, 20, 5);
    EXPECT_EQ(window.text(4)->text(), "15");
    EXPECT_EQ(window.operations(), 0u);
}

// The arrow keys move the charge last dragged or clicked (charge 1 at
// first) by 0.5, with Shift by 5, by the same rules.
TEST(Dragging, ArrowKeysMoveTheSelectedCharge)
{
    Window window;
    window.excite();
    QWidget *picture = window.child("Picture1");
    QTest::keyClick(picture, Qt::Key_Right);
    EXPECT_EQ(window.text(1)->text(), "-14.5");
    window.clickAt(15, 0);
    QTest::keyClick(picture, Qt::Key_Up, Qt::ShiftModifier);
    QTest::keyClick(picture, Qt::Key_Left);
    EXPECT_EQ(window.text(4)->text(), "14.5");
    EXPECT_EQ(window.text(5)->text(), "5");
    EXPECT_EQ(window.image(), pictureOf({"-14.5", "0", "10", "14.5", "5", "-10"}));
}

// The probe: x, y, |E| with its direction, and V under the mouse; on a dot
// the field is not defined; it goes when the mouse leaves.
TEST(Probe, ReadsTheFieldUnderTheMouse)
{
    Window window;
    auto *picture = window.child<PictureBox>("Picture1");
    window.mouse(QEvent::MouseMove, 0, 0, Qt::NoButton);
    EXPECT_TRUE(picture->readout().isEmpty());  // no picture yet

    window.excite();
    const struct
    {
        double x, y;
        QStringList lines;
    } rows[] = {
        // Midway both fields point to charge 2: 2 · 10 / 15² = 0.0889.
        {0, 0, {"x = 0   y = 0", "|E| = 0.0889   方向 0.0°", "V = 0"}},
        // Left of charge 1: 10/15² - 10/45² = 0.0395 pointing left, V = 10/15 - 10/45.
        {-30, 0, {"x = -30   y = 0", "|E| = 0.0395   方向 180.0°", "V = 0.444"}},
        // Only at a charge's centre is the field not defined.
        {15, 0, {"x = 15   y = 0", "此处场强无定义"}},
    };
    for (const auto &row : rows) {
        window.mouse(QEvent::MouseMove, row.x, row.y, Qt::NoButton);
        EXPECT_EQ(picture->readout(), row.lines);
    }
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(picture, &leave);
    EXPECT_TRUE(picture->readout().isEmpty());
}

// The switches of the picture's menu draw the equipotentials (grey) and the
// zero-field marker (orange) at once, and a new window remembers them.
TEST(Overlays, SwitchesDrawAtOnceAndAreRemembered)
{
    const auto greyAndOrange = [](Window &shown) {
        return std::make_pair(shown.runsOf(0x808080) > 0, shown.runsOf(0xff8c00) > 0);
    };
    {
        Window window;
        window.setTexts({"-15", "0", "10", "15", "0", "10"});  // like charges: a zero point midway
        window.excite();
        EXPECT_EQ(greyAndOrange(window), std::make_pair(false, false));
        for (const char *name : {"equipotentials", "zeroField"})
            window.trigger(QString::fromLatin1(name));
        EXPECT_EQ(greyAndOrange(window), std::make_pair(true, true));
        EXPECT_GT(window.picture()->drawing.labels().size(), 5u);
    }
    Window next;
    EXPECT_TRUE(next.form.overlays().contains("equipotentials"));
    EXPECT_TRUE(next.form.overlays().contains("zeroField"));
    next.form.setOverlays({});
}

// A press that takes hold of no dot leaves nothing held, whatever happened
// before: here a drag of the red dot cut short by the picture's menu, whose
// release the window never saw.
TEST(Dragging, APressBesideTheDotsHoldsNothing)
{
    Window window;
    window.excite();
    window.mouse(QEvent::MouseButtonPress, 15, 0, Qt::LeftButton);
    window.mouse(QEvent::MouseMove, 17, 2, Qt::LeftButton);
    QContextMenuEvent menu(QContextMenuEvent::Mouse, window.at(17, 2).toPoint());
    QTimer::singleShot(0, [&] { window.form.findChild<QMenu *>()->close(); });
    QCoreApplication::sendEvent(window.child("Picture1"), &menu);
    window.settle();
    const QString x2 = window.text(4)->text();
    const QString y2 = window.text(5)->text();
    drag(window, 0, 15, 10, 20);
    window.settle();
    EXPECT_EQ(window.text(4)->text(), x2);
    EXPECT_EQ(window.text(5)->text(), y2);
}

// Every arrow key counts: forty steps down while the drawings catch up move
// a single charge by 20.
TEST(Dragging, ArrowKeysAddUpWhileDrawingsRun)
{
    Window window;
    window.click("Option1");
    window.excite();
    QWidget *picture = window.child("Picture1");
    for (int i = 0; i < 40; ++i)
        QTest::keyClick(picture, Qt::Key_Down);
    window.settle();
    EXPECT_EQ(window.text(2)->text(), "-20");
    EXPECT_EQ(window.picture()->charges[0].y, -20);
}

// In single-charge mode the red dot is not the mode's: it cannot be taken
// hold of, even while the picture on show still has it, and the locked
// boxes never change.
TEST(Dragging, ADotNotOfTheModeCannotBeTaken)
{
    Window window;
    window.excite();
    window.click("Option1");  // no new drawing: the red dot is still on show
    drag(window, 15, 0, 25, 10);
    window.settle();
    EXPECT_EQ(window.text(4)->text(), "15");
    EXPECT_EQ(window.text(5)->text(), "0");
}

// The readout always describes the picture on show: a key that moves a
// charge under a resting pointer brings the new field; a menu action once
// the pointer has left leaves no readout behind.
TEST(Probe, FollowsThePictureOnShow)
{
    Window window;
    window.excite();
    auto *picture = window.child<PictureBox>("Picture1");
    window.mouse(QEvent::MouseMove, 0, 10, Qt::NoButton);
    const QStringList before = picture->readout();
    QTest::keyClick(picture, Qt::Key_Right, Qt::ShiftModifier);  // charge 1 to (-10, 0)
    window.settle();
    EXPECT_NE(picture->readout(), before);
    EXPECT_EQ(picture->readout(), PictureInteraction::probeText(window.picture()->charges, {0, 10}));

    QContextMenuEvent menu(QContextMenuEvent::Mouse, window.at(0, 10).toPoint());
    QTimer::singleShot(0, [&] { window.form.findChild<QMenu *>()->close(); });
    QCoreApplication::sendEvent(picture, &menu);
    window.trigger(QStringLiteral("zeroField"));
    window.settle();
    EXPECT_TRUE(picture->readout().isEmpty());
    window.form.setOverlays({});
    window.settle();
}

// The probe's box never covers a dot: with charge 1 in the top-left corner
// it goes to the top right.
TEST(Probe, BoxKeepsClearOfTheDots)
{
    Window window;
    window.setTexts({"-42", "22", "10", "15", "0", "-10"});
    window.excite();
    auto *picture = window.child<PictureBox>("Picture1");
    window.mouse(QEvent::MouseMove, 0, -10, Qt::NoButton);
    ASSERT_FALSE(picture->readout().isEmpty());
    const QPointF dot = window.at(-42, 22);
    EXPECT_FALSE(picture->readoutRect().adjusted(-10, -10, 10, 10).contains(dot.toPoint()));
    EXPECT_GT(picture->readoutRect().left(), picture->width() / 2);
}

}  // namespace
