#include "app/commandline.h"
#include "app/form1.h"
#include "app/qtchinese.h"
#include "core/messages.h"
#include "plot/outputfile.h"

#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <utility>
#include <vector>

namespace {

// Lines go out as the bytes they stand for: a file name that is not UTF-8
// is printed as it was given.
void printLines(std::FILE *stream, const QString &text, const QString &prefix = {})
{
    const QStringList lines = text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (const QString &line : lines)
        std::fprintf(stream, "%s\n", OutputFile::encodeName(prefix + line).constData());
}

QString text(const std::string &message)
{
    return QString::fromStdString(message);
}

// Qt ends the program with an abort when the window system cannot start: no
// display named, a display that does not answer, no platform plugin. While
// the application starts, Qt's messages are held back; a fatal one gives
// the program's own message and exit code instead, the others are passed
// on once the window system is up.
QtMessageHandler previousHandler = nullptr;
std::vector<std::pair<QtMsgType, QString>> heldMessages;

void holdStartupMessage(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtFatalMsg) {
        printLines(stderr, text(Messages::NoDisplay), QStringLiteral("fieldlines: "));
        std::fflush(stderr);
        std::_Exit(CommandLine::kExitMessage);
    }
    heldMessages.emplace_back(type, message);
}

// The command line prints only what concerns the user: Qt's own notes about
// its environment (no runtime folder, a font it substitutes) are left out;
// its errors still reach stderr.
void quietQtNotes(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        printLines(stderr, message);
}

void releaseStartupMessages()
{
    qInstallMessageHandler(previousHandler);
    for (const auto &[type, message] : heldMessages)
        previousHandler(type, QMessageLogContext(), message);
    heldMessages.clear();
}

int run(int argc, char *argv[])
{
    // The window remembers its switches (QSettings) under this name.
    QCoreApplication::setOrganizationName(QStringLiteral("fieldlines"));
    QCoreApplication::setApplicationName(QStringLiteral("fieldlines"));
    QCoreApplication::setApplicationVersion(QStringLiteral(FIELDLINES_VERSION));

    // The command line is read before any application object exists, so
    // that help, version and usage errors need no display. Its bytes are
    // kept exactly, so that a file name that is not UTF-8 is written as
    // given.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << OutputFile::decodeName(QByteArray(argv[i]));
    const CommandLine commandLine(arguments);

    switch (commandLine.action()) {
    case CommandLine::Action::ShowHelp: {
        QCoreApplication app(argc, argv);  // names the program in the usage line
        std::fputs(CommandLine::helpText(commandLine.qtOptionsInHelp()).toUtf8().constData(), stdout);
        return CommandLine::kExitSuccess;
    }
    case CommandLine::Action::ShowVersion:
        std::fputs(CommandLine::versionText().toUtf8().constData(), stdout);
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

    previousHandler = qInstallMessageHandler(holdStartupMessage);
    QApplication app(argc, argv);
    releaseStartupMessages();
    installQtChinese();
    Form1 window;
    window.preset(commandLine.panel());
    // --equipotentials and --zero-field switch the overlays on for this run.
    const Overlays &asked = commandLine.overlays();
    if (asked.equipotentials || asked.zeroField) {
        Overlays overlays = window.overlays();
        overlays.equipotentials = overlays.equipotentials || asked.equipotentials;
        overlays.zeroField = overlays.zeroField || asked.zeroField;
        window.setOverlays(overlays, false);
    }
    window.show();
    return app.exec();
}

}  // namespace

int main(int argc, char *argv[])
{
    // A limit on file sizes (ulimit -f) then fails the write, which is
    // reported like a full disk, instead of ending the program.
    std::signal(SIGXFSZ, SIG_IGN);
    try {
        return run(argc, argv);
    } catch (const std::bad_alloc &) {
        printLines(stderr, text(Messages::NoMemoryForFile), QStringLiteral("fieldlines: "));
        return CommandLine::kExitWrite;
    }
}
