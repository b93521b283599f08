#include "apptestsupport.h"

#include "app/picturebox.h"
#include "core/messages.h"

#include <QAction>
#include <QMouseEvent>

namespace {

QPointF widgetPoint(PictureBox &picture, double x, double y)
{
    const QRectF plot(picture.plotRect());
    return {plot.left() + (x + 45) / 90 * plot.width(), plot.top() + (25 - y) / 50 * plot.height()};
}

void mouse(PictureBox &picture, QEvent::Type type, double x, double y, Qt::MouseButtons held)
{
    const QPointF at = widgetPoint(picture, x, y);
    QMouseEvent event(type, at, picture.mapToGlobal(at), Qt::LeftButton, held, Qt::NoModifier);
    QCoreApplication::sendEvent(&picture, &event);
}

// 释放试探电荷（正）: a click releases a test charge at rest, a drag gives it
// the velocity dragged out (an arrow shows it meanwhile); a 9th ends the
// oldest; Escape ends the releasing; a new excite clears the paths.
TEST(TestCharges, ReleasedByClicksAndDragsFromTheMenu)
{
    Window window;
    window.excite();
    auto *picture = window.child<PictureBox>("Picture1");
    window.form.findChild<QAction *>(QStringLiteral("releasePositive"))->trigger();

    mouse(*picture, QEvent::MouseButtonPress, 0, 5, Qt::LeftButton);
    mouse(*picture, QEvent::MouseButtonRelease, 0, 5, Qt::NoButton);
    mouse(*picture, QEvent::MouseButtonPress, 0, -10, Qt::LeftButton);
    mouse(*picture, QEvent::MouseMove, 6, -10, Qt::LeftButton);
    mouse(*picture, QEvent::MouseButtonRelease, 6, -10, Qt::NoButton);
    ASSERT_EQ(window.form.testCharges().size(), 2u);
    const TestCharge &atRest = window.form.testCharges()[0];
    EXPECT_EQ(atRest.vx, 0);
    EXPECT_EQ(atRest.vy, 0);
    EXPECT_TRUE(atRest.positive);
    const TestCharge &thrown = window.form.testCharges()[1];
    EXPECT_NEAR(thrown.vx, 6 * kReleaseSpeedPerUnit, 0.1);
    EXPECT_NEAR(thrown.vy, 0, 0.1);

    // The picture on show draws them: two purple rings with their paths.
    window.settle();
    int purple = 0;
    for (const DisplayList::Run &run : window.picture()->drawing.runs())
        purple += run.rgb == 0x8000C0;
    EXPECT_GT(purple, 0);

    // A release on a charge is refused with its message.
    mouse(*picture, QEvent::MouseButtonPress, 15.2, 0, Qt::LeftButton);
    mouse(*picture, QEvent::MouseButtonRelease, 15.2, 0, Qt::NoButton);
    EXPECT_EQ(window.messenger.messages, std::vector<Message>{Messages::ReleaseOnCharge});
    EXPECT_EQ(window.form.testCharges().size(), 2u);

    for (int i = 0; i < 7; ++i) {
        mouse(*picture, QEvent::MouseButtonPress, -30 + 3 * i, 20, Qt::LeftButton);
        mouse(*picture, QEvent::MouseButtonRelease, -30 + 3 * i, 20, Qt::NoButton);
    }
    ASSERT_EQ(window.form.testCharges().size(), 8u);
    EXPECT_EQ(window.form.testCharges()[0].y, -10);  // the first, at (0, 5), ended

    QTest::keyClick(picture, Qt::Key_Escape);
    mouse(*picture, QEvent::MouseButtonPress, -40, -20, Qt::LeftButton);
    mouse(*picture, QEvent::MouseButtonRelease, -40, -20, Qt::NoButton);
    EXPECT_EQ(window.form.testCharges().size(), 8u);

    window.excite();
    EXPECT_TRUE(window.form.testCharges().empty());
}

// The animation plays the motion at its pace and stops once every path has
// ended; each frame shows the charge further along.
TEST(TestCharges, TheAnimationRunsUntilEveryPathHasEnded)
{
    Window window;
    window.excite();
    window.form.findChild<QAction *>(QStringLiteral("releaseNegative"))->trigger();
    auto *picture = window.child<PictureBox>("Picture1");
    mouse(*picture, QEvent::MouseButtonPress, 10, 0.5, Qt::LeftButton);  // a negative charge near the negative one
    mouse(*picture, QEvent::MouseButtonRelease, 10, 0.5, Qt::NoButton);
    QTest::qWait(100);
    window.settle();
    ASSERT_EQ(window.picture()->testChargeEnds.size(), 1u);
    const double end = window.picture()->testChargeEnds[0];
    EXPECT_TRUE(window.form.configuration().testTime(0) > 0);
    QTest::qWait(int(end / kTestTimePerSecond * 1000) + 300);
    window.settle();
    EXPECT_GE(window.picture()->configuration.testTime(0), end);
}

}  // namespace
