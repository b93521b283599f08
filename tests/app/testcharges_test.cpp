#include "apptestsupport.h"

#include "core/messages.h"

namespace {

// 释放试探电荷（正）: a click releases a test charge at rest, a drag gives it
// the velocity dragged out (an arrow shows it meanwhile); a 9th ends the
// oldest; Escape ends the releasing; a new excite clears the paths.
TEST(TestCharges, ReleasedByClicksAndDragsFromTheMenu)
{
    Window window;
    window.excite();
    auto *picture = window.child<PictureBox>("Picture1");
    window.trigger(QStringLiteral("releasePositive"));

    window.clickAt(0, 5);
    window.mouse(QEvent::MouseButtonPress, 0, -10, Qt::LeftButton);
    window.mouse(QEvent::MouseMove, 6, -10, Qt::LeftButton);
    window.mouse(QEvent::MouseButtonRelease, 6, -10, Qt::NoButton);
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
    EXPECT_GT(window.runsOf(0x8000C0), 0);

    // A release on a charge is refused with its message.
    window.clickAt(15.2, 0);
    EXPECT_EQ(window.messenger.messages, std::vector<Message>{Messages::ReleaseOnCharge});
    EXPECT_EQ(window.form.testCharges().size(), 2u);

    for (int i = 0; i < 7; ++i)
        window.clickAt(-30 + 3 * i, 20);
    ASSERT_EQ(window.form.testCharges().size(), 8u);
    EXPECT_EQ(window.form.testCharges()[0].y, -10);  // the first, at (0, 5), ended

    QTest::keyClick(picture, Qt::Key_Escape);
    window.clickAt(-40, -20);
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
    window.trigger(QStringLiteral("releaseNegative"));
    window.clickAt(10, 0.5);  // a negative charge near the negative one
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
