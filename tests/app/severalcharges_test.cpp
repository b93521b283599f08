#include "apptestsupport.h"

#include "app/chargedialog.h"
#include "app/chargelistdialog.h"
#include "app/picturebox.h"
#include "core/messages.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QTableWidget>
#include <QTimer>

namespace {

// Opens the picture's menu at user coordinates (x, y), as a right click
// does, and triggers the entry of that name while it is open; then
// (before the entry opens a dialog) runs.
void choose(Window &window, double x, double y, const char *entry, std::function<void()> then = {})
{
    auto *picture = window.child<PictureBox>("Picture1");
    const QPointF place = window.at(x, y);
    const QPoint at(int(place.x()), int(place.y()));
    auto *menu = window.form.findChild<QMenu *>();
    QTimer::singleShot(0, [menu, entry, then] {
        QAction *action = menu->findChild<QAction *>(QLatin1String(entry));
        menu->close();
        if (then)
            then();
        if (action && action->isVisible())
            action->trigger();
    });
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, picture->mapToGlobal(at));
    QCoreApplication::sendEvent(picture, &event);
    window.settle();
}

// While the next modal dialog runs, lets fill do with it what a user would;
// a dialog that is not there is closed by the test's end all the same.
template <typename Dialog>
std::function<void()> whenOpen(std::function<void(Dialog &)> fill)
{
    return [fill] {
        QTimer::singleShot(0, [fill] {
            if (auto *dialog = qobject_cast<Dialog *>(QApplication::activeModalWidget()))
                fill(*dialog);
            else if (QWidget *modal = QApplication::activeModalWidget())
                modal->close();
        });
    };
}

std::vector<std::string> xs(const Configuration &c)
{
    std::vector<std::string> out;
    for (const ChargeTexts &charge : c.charges)
        out.push_back(charge.x);
    return out;
}

// Adding charges: a third enters several-charge mode, where neither option
// is selected and the boxes show charges 1 and 2; in single-charge mode a
// charge right of charge 1 becomes charge 2.
TEST(SeveralCharges, AddingChargesChangesTheModeAsAPictureWouldHoldThem)
{
    Window window;
    window.excite();
    choose(window, 0, 10.2, "addPositive");
    Configuration now = window.form.configuration();
    EXPECT_EQ(now.mode, Mode::Several);
    EXPECT_EQ(xs(now), (std::vector<std::string>{"-15", "15", "0"}));
    EXPECT_EQ(now.charges[2].y, "10");
    EXPECT_EQ(now.charges[2].q, "10");
    EXPECT_FALSE(window.child<QRadioButton>("Option1")->isChecked());
    EXPECT_FALSE(window.child<QRadioButton>("Option2")->isChecked());
    ASSERT_NE(window.picture(), nullptr);
    EXPECT_EQ(window.picture()->charges.size(), 3u);

    Window single;
    single.click("Option1");
    single.excite();
    choose(single, 20, 0, "addNegative");
    now = single.form.configuration();
    EXPECT_EQ(now.mode, Mode::Two);
    EXPECT_EQ(single.text(4)->text(), "20");
    EXPECT_EQ(single.text(6)->text(), "-10");
    EXPECT_TRUE(single.child<QRadioButton>("Option2")->isChecked());
}

// On a dot the menu offers to remove or change it; a change the picture
// would refuse is said and the dialog stays; choosing an option returns to
// one or two charges.
TEST(SeveralCharges, RemovingAndChangingADot)
{
    Window window;
    window.trigger(QStringLiteral("preset-quadrupole"));
    window.settle();
    ASSERT_EQ(window.picture()->charges.size(), 4u);

    choose(window, 10, -10, "removeCharge");
    EXPECT_EQ(window.picture()->charges.size(), 3u);
    EXPECT_EQ(window.form.configuration().mode, Mode::Several);

    int shown = 0;
    const auto edit = whenOpen<ChargeDialog>([&shown](ChargeDialog &dialog) {
        ++shown;
        dialog.findChild<QLineEdit *>(QStringLiteral("x"))->setText(QStringLiteral("10"));  // onto charge 2
        dialog.findChild<QLineEdit *>(QStringLiteral("y"))->setText(QStringLiteral("10"));
        QTimer::singleShot(0, [&shown] {
            if (auto *again = qobject_cast<ChargeDialog *>(QApplication::activeModalWidget())) {
                ++shown;
                again->findChild<QLineEdit *>(QStringLiteral("y"))->setText(QStringLiteral("20"));
                QTimer::singleShot(0, again, &QDialog::accept);
            }
        });
        dialog.accept();
    });
    choose(window, -10, 10, "editCharge", edit);
    EXPECT_EQ(shown, 2);
    EXPECT_EQ(window.messenger.messages, std::vector<Message>{Messages::SamePlace});
    EXPECT_EQ(window.text(1)->text(), "10");
    EXPECT_EQ(window.text(2)->text(), "20");

    window.click("Option2");
    window.excite();
    EXPECT_EQ(window.form.configuration().mode, Mode::Two);
    EXPECT_EQ(window.picture()->charges.size(), 2u);
}

// The list of charges edits all of them; a 33rd is refused with its
// message and the picture stays as it was.
TEST(SeveralCharges, TheListEditsAllChargesUpToThirtyTwo)
{
    Window window;
    window.excite();
    const auto list = whenOpen<ChargeListDialog>([](ChargeListDialog &dialog) {
        dialog.addRow();
        dialog.table()->item(2, 0)->setText(QStringLiteral("0"));
        dialog.table()->item(2, 1)->setText(QStringLiteral("12"));
        dialog.accept();
    });
    choose(window, 0, 0, "chargeList", list);
    EXPECT_EQ(window.picture()->charges.size(), 3u);

    Configuration many = window.form.configuration();
    many.charges.clear();
    for (int i = 0; i < 32; ++i)
        many.charges.push_back({std::to_string(-40 + 2.5 * i), "0", "1"});
    window.form.preset(many);
    window.excite();
    ASSERT_EQ(window.picture()->charges.size(), 32u);
    choose(window, 0, 20, "addPositive");
    EXPECT_EQ(window.messenger.messages, std::vector<Message>{Messages::TooManyCharges});
    EXPECT_EQ(window.picture()->charges.size(), 32u);
}

// Every dot can be dragged in several-charge mode, never within 0.5 of
// another, with no order between them.
TEST(SeveralCharges, DotsAreDraggedFreely)
{
    Window window;
    window.trigger(QStringLiteral("preset-triangle"));
    window.settle();
    window.mouse(QEvent::MouseButtonPress, 10, -5.7735, Qt::LeftButton);  // the right-hand corner
    window.mouse(QEvent::MouseMove, -30, 20, Qt::LeftButton);
    window.mouse(QEvent::MouseButtonRelease, -30, 20, Qt::NoButton);
    window.settle();
    const Configuration now = window.form.configuration();
    EXPECT_EQ(now.charges[2].x, "-30");
    EXPECT_EQ(now.charges[2].y, "20");
    EXPECT_TRUE(window.messenger.messages.empty());
}

}  // namespace
