#include "app/qtchinese.h"

#include <QApplication>

#include <gtest/gtest.h>

// The window tests share one QApplication, on the offscreen platform unless
// the caller chose another, with Qt's Chinese texts as the program has them.
int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    installQtChinese();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
