#include "app/commandline.h"
#include "app/form1.h"

#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>

#include <cstdio>

namespace {

void printLines(std::FILE *stream, const QString &text, const QString &prefix = {})
{
    const QStringList lines = text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (const QString &line : lines)
        std::fprintf(stream, "%s%s\n", qPrintable(prefix), line.toLocal8Bit().constData());
}

// Qt ends the program with a long diagnostic and an abort when it finds no
// display; say plainly what is missing instead, where that is certain: no
// platform chosen and neither an X nor a Wayland display named.
bool displayMissing()
{
#ifdef Q_OS_LINUX
    return qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY")
        && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
#else
    return false;
#endif
}

// The command line prints only what concerns the user: Qt's own notes about
// its environment (no runtime folder, a font it substitutes) are left out;
// its errors still reach stderr.
void quietQtNotes(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
}

}  // namespace

int main(int argc, char *argv[])
{
    QCoreApplication::setApplicationName(QStringLiteral("fieldlines"));
    QCoreApplication::setApplicationVersion(QStringLiteral(FIELDLINES_VERSION));

    // The command line is read before any application object exists, so
    // that help, version and usage errors need no display.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const CommandLine commandLine(arguments);

    switch (commandLine.action()) {
    case CommandLine::Action::ShowHelp: {
        QCoreApplication app(argc, argv);  // names the program in the usage line
        std::fputs(CommandLine::helpText().toLocal8Bit().constData(), stdout);
        return CommandLine::kExitSuccess;
    }
    case CommandLine::Action::ShowVersion:
        std::fputs(CommandLine::versionText().toLocal8Bit().constData(), stdout);
        return CommandLine::kExitSuccess;
    case CommandLine::Action::Fail:
        printLines(stderr, commandLine.error());
        return CommandLine::kExitUsage;
    case CommandLine::Action::Render: {
        // Drawing into an image or an SVG needs no window system: the
        // offscreen platform gives the fonts of the labels without a display.
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        qInstallMessageHandler(quietQtNotes);
        QGuiApplication app(argc, argv);
        QString message;
        const int exitCode = renderPicture(commandLine, message);
        printLines(stderr, message, QStringLiteral("fieldlines: "));
        return exitCode;
    }
    case CommandLine::Action::OpenWindow:
        break;
    }

    if (displayMissing()) {
        std::fputs("fieldlines: no display to open the window on (DISPLAY is not set); "
                   "use --output FILE to draw a picture without a window\n",
                   stderr);
        return CommandLine::kExitMessage;
    }
    QApplication app(argc, argv);
    Form1 window;
    window.preset(commandLine.panel());
    window.show();
    return app.exec();
}
