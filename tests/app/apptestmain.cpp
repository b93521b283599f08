#include "app/language.h"

#include <QApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// The window tests share one QApplication, on the offscreen platform unless
// the caller chose another, with Qt's Chinese texts as the program has them.
int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The window's remembered switches go to a folder of the test's own, so
    // that neither the user's choices nor one test's reach another run.
    const QTemporaryDir settings;
    qputenv("XDG_CONFIG_HOME", settings.path().toLocal8Bit());
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("fieldlines-tests"));
    installLanguage(Language::Chinese);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
