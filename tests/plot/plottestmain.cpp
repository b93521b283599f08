#include <QGuiApplication>

#include <gtest/gtest.h>

// The plot tests share one QGuiApplication on the offscreen platform, for
// the fonts of labels and captions.
int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
