#include "apptestsupport.h"

#include "app/drawingthread.h"
#include "core/messages.h"

#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QSignalBlocker>
#include <QSignalSpy>
#include <QTimer>

namespace {

using Shown = std::vector<Message>;

struct OptionRow
{
    const char *name;
    const char *text1Before;
    std::vector<const char *> clicks;
    const char *text1After;
    bool charge2Locked;
};

// The option handlers: Option1 locks the boxes of charge 2 and moves charge
// 1 to x = 0 when it becomes selected; Option2 unlocks them and leaves Text1
// as it is. "=7" types 7 into Text1 between the clicks.
TEST(OptionHandlers, LockUnlockAndSetText1)
{
    const OptionRow rows[] = {
        {"Option1 locks and zeroes Text1", "-15", {"Option1"}, "0", true},
        {"Option2 afterwards unlocks, Text1 stays 0", "-15", {"Option1", "Option2"}, "0", false},
        {"Option1 clicked again keeps an edit", "-15", {"Option1", "=7", "Option1"}, "7", true},
        {"Option2 alone changes nothing", "-15", {"Option2"}, "-15", false},
        {"back to single charge locks again", "-15", {"Option1", "Option2", "Option1"}, "0", true},
    };
    for (const OptionRow &row : rows) {
        SCOPED_TRACE(row.name);
        Window window;
        window.text(1)->setText(row.text1Before);
        for (const char *option : row.clicks) {
            if (option[0] == '=')
                window.text(1)->setText(option + 1);
            else
                window.click(option);
        }
        EXPECT_EQ(window.text(1)->text(), row.text1After);
        for (int box = 4; box <= 6; ++box)
            EXPECT_EQ(window.text(box)->isReadOnly(), row.charge2Locked) << "Text" << box;
        for (int box = 1; box <= 3; ++box)
            EXPECT_FALSE(window.text(box)->isReadOnly()) << "Text" << box;
        EXPECT_EQ(window.operations(), 0u);
    }
}

// The default charges: a green dot at (-15, 0), a red one at (15, 0), in
// the picture on show and on the screen, where Picture1 shows it inside its
// border.
TEST(Excite, DefaultChargesAreDrawnAndShown)
{
    Window window;
    EXPECT_EQ(pixelAt(window.shown(), 15, 0), QColor(Qt::white));
    window.excite();
    EXPECT_TRUE(window.messenger.messages.empty());
    for (const QImage &picture : {window.image(), window.shown()}) {
        EXPECT_TRUE(isGreen(pixelAt(picture, -15, 0)));
        EXPECT_TRUE(isRed(pixelAt(picture, 15, 0)));
    }
}

TEST(Excite, TwiceGivesOnePicture)
{
    Window window;
    window.excite();
    const std::size_t once = window.operations();
    const QImage first = window.image();
    window.excite();
    EXPECT_EQ(window.operations(), once);
    EXPECT_EQ(window.image(), first);
}

TEST(Excite, SingleChargeModeLocksTheBoxesOfCharge2)
{
    Window window;
    {
        // Selected without its handler: the boxes are still editable.
        const QSignalBlocker quiet(window.child<QRadioButton>("Option1"));
        window.child<QRadioButton>("Option1")->setChecked(true);
    }
    window.excite();
    for (int box = 4; box <= 6; ++box)
        EXPECT_TRUE(window.text(box)->isReadOnly()) << "Text" << box;
    EXPECT_TRUE(isGreen(pixelAt(window.image(), -15, 0)));
}

struct RejectedRow
{
    const char *name;
    std::vector<const char *> texts;
    Message message;
};

// A refused input shows its message over the cleared plot, draws nothing
// and leaves the window usable: the corrected input then draws.
TEST(Excite, RefusedInputShowsAMessageAndTheWindowGoesOn)
{
    const RejectedRow rows[] = {
        {"charge 2 left of charge 1", {"15", "0", "10", "-15", "0", "-10"}, Messages::WrongOrder},
        {"amount beyond 32-bit floats", {"-15", "0", "1e39", "15", "0", "-10"}, Messages::OutOfRange},
        {"coordinate beyond 32-bit floats", {"-15", "0", "10", "15", "-4e38", "-10"}, Messages::OutOfRange},
    };
    const std::vector<const char *> defaults = {"-15", "0", "10", "15", "0", "-10"};
    for (const RejectedRow &row : rows) {
        SCOPED_TRACE(row.name);
        Window window;
        window.excite();
        ASSERT_TRUE(isRed(pixelAt(window.shown(), 15, 0)));
        QColor shownAtCharge2;
        window.messenger.onShow = [&] { shownAtCharge2 = pixelAt(window.screen(), 15, 0); };

        window.setTexts(row.texts);
        window.excite();
        EXPECT_EQ(window.messenger.messages, Shown{row.message});
        EXPECT_EQ(window.operations(), 0u);
        EXPECT_EQ(shownAtCharge2, QColor(Qt::white));
        EXPECT_FALSE(window.form.isEnding());

        window.setTexts(defaults);
        window.excite();
        EXPECT_EQ(window.messenger.messages.size(), 1u);
        EXPECT_TRUE(isRed(pixelAt(window.shown(), 15, 0)));
    }
}

// Like charges.
const std::vector<const char *> kLikeCharges = {"-15", "0", "10", "15", "0", "10"};

DrawingThread *workerOf(Window &window)
{
    return window.form.findChild<DrawingThread *>();
}

// "关闭窗口" clicked while a drawing runs ends the program at once: the
// drawing's picture is never shown, and no handler runs any more.
TEST(Close, DuringADrawingEndsAtOnce)
{
    Window window;
    window.setTexts(kLikeCharges);
    window.form.show();
    window.click("Command1");
    ASSERT_TRUE(window.form.isDrawing());
    window.click("Command2");

    EXPECT_TRUE(window.form.isEnding());
    EXPECT_FALSE(window.form.isVisible());
    QTest::qWait(50);
    EXPECT_EQ(window.form.picture(), nullptr);
    window.click("Command1");
    window.click("Option1");
    QTest::qWait(20);
    EXPECT_EQ(window.form.picture(), nullptr);
    EXPECT_EQ(window.text(1)->text(), "-15");
}

TEST(Close, ClosingTheWindowEndsTheProgram)
{
    Window window;
    window.form.show();
    window.form.close();
    EXPECT_TRUE(window.form.isEnding());
    window.click("Command1");
    EXPECT_FALSE(window.form.isDrawing());
    EXPECT_EQ(window.form.picture(), nullptr);
}

// Requests made while a drawing runs start no drawing: one more drawing
// runs after it, on the boxes as they are then, however many there were.
// Here the boxes change during the first drawing.
TEST(Excite, QueuedClicksRunOneMoreExciteAfterTheDrawing)
{
    struct Row
    {
        const char *name;
        std::vector<const char *> texts;  // typed during the drawing
    };
    const Row rows[] = {
        {"unlike charges", {"-15", "0", "10", "15", "0", "-10"}},
        {"refused amount", {"-15", "0", "1e39", "15", "0", "10"}},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        Window expected;
        expected.setTexts(row.texts);
        expected.excite();

        Window window;
        window.setTexts(kLikeCharges);
        const QSignalSpy pictures(workerOf(window), &DrawingThread::drawn);
        window.click("Command1");
        window.setTexts(row.texts);
        for (int i = 0; i < 1000; ++i)
            window.click("Command1");
        window.settle();

        EXPECT_EQ(pictures.count(), 2);
        EXPECT_EQ(window.messenger.messages, expected.messenger.messages);
        EXPECT_EQ(window.operations(), expected.operations());
        EXPECT_EQ(window.image(), expected.image());
    }
}

// "关闭窗口" after a flood of requests still ends the program at once: no
// request waiting is drawn.
TEST(Close, AfterQueuedClicksStillEndsAtOnce)
{
    Window window;
    window.setTexts(kLikeCharges);
    window.form.show();
    window.click("Command1");
    for (int i = 0; i < 1000; ++i)
        window.click("Command1");
    window.click("Command2");

    EXPECT_TRUE(window.form.isEnding());
    QTest::qWait(50);
    EXPECT_EQ(window.form.picture(), nullptr);
}

}  // namespace

namespace {

// Enter in any of the six boxes, or on the focused 激　发, draws; Enter on
// the focused 关闭窗口 ends the program as its click does.
TEST(Keyboard, EnterDrawsFromEveryBoxAndPressesTheFocusedButton)
{
    const char *const targets[] = {"Text1", "Text2", "Text3", "Text4", "Text5", "Text6", "Command1"};
    for (const char *name : targets) {
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
            SCOPED_TRACE(std::string(name) + (key == Qt::Key_Enter ? " keypad Enter" : " Return"));
            Window window;
            QTest::keyClick(window.child(name), key);
            EXPECT_TRUE(isRed(pixelAt(window.image(), 15, 0)));
        }
    }
    Window window;
    QTest::keyClick(window.child("Command2"), Qt::Key_Return);
    EXPECT_TRUE(window.form.isEnding());
}

// Text pasted from a word processor or typed with a Chinese input method in
// full-width mode draws the same picture as its ASCII form.
TEST(Keyboard, FullWidthFormsTypedIntoTheBoxesReadAsAscii)
{
    Window typed;
    const char *const texts[] = {"\uFF0D\uFF11\uFF15", "\u3000\uFF10", "\uFF11\uFF10", "\uFF11\uFF15\u3002\uFF10",
                                 "0", "\u221210"};
    for (int box = 1; box <= 6; ++box) {
        // What an input method hands over when a text is committed.
        typed.text(box)->clear();
        QInputMethodEvent commit;
        commit.setCommitString(QString::fromUtf8(texts[box - 1]));
        QCoreApplication::sendEvent(typed.text(box), &commit);
    }
    typed.excite();
    Window plain;
    plain.excite();
    EXPECT_TRUE(typed.messenger.messages.empty());
    EXPECT_EQ(typed.image(), plain.image());
}

// A locked box looks read-only: the background the platform gives a box one
// cannot type in, not the white of an editable one.
TEST(Keyboard, LockedBoxesLookReadOnly)
{
    Window window;
    window.click("Option1");
    window.form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window.form));
    const auto background = [&](int box) {
        QLineEdit *edit = window.text(box);
        return edit->grab().toImage().pixelColor(edit->width() - 4, edit->height() / 2);
    };
    EXPECT_NE(background(4), background(1));
    EXPECT_EQ(background(4), background(6));
    window.click("Option2");
    EXPECT_EQ(background(4), background(1));
}

}  // namespace
