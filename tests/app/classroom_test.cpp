#include "apptestsupport.h"

#include "core/presets.h"
#include "core/textpanel.h"

#include <QAction>
#include <QMenu>

namespace {

// Each preset of the picture's menu fills the boxes and the mode as a user
// would and draws: the same picture as the same input typed and drawn.
TEST(Presets, EachDrawsAsItsInputTyped)
{
    for (const Preset &preset : presets()) {
        SCOPED_TRACE(preset.commandName);
        Window chosen;
        chosen.form.findChild<QAction *>(QStringLiteral("preset-") + QLatin1String(preset.commandName))->trigger();

        Window typed;
        typed.click(preset.twoCharges ? "Option2" : "Option1");
        for (int box = 1; box <= 6; ++box) {
            const char *text = preset.texts[std::size_t(box - 1)];
            EXPECT_EQ(chosen.text(box)->text(), QString::fromUtf8(text ? text : TextPanel::kDefaultTexts[box - 1]));
            if (text)
                typed.text(box)->setText(QString::fromUtf8(text));
        }
        typed.excite();
        EXPECT_EQ(chosen.child<QRadioButton>("Option2")->isChecked(), preset.twoCharges);
        EXPECT_TRUE(chosen.messenger.messages.empty());
        EXPECT_GT(chosen.form.drawing().operationCount(), 0u);
        EXPECT_EQ(chosen.form.drawing().toImage(), typed.form.drawing().toImage());
    }
}

}  // namespace
