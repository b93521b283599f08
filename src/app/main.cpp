#include "app/commandline.h"
#include "app/form1.h"
#include "app/language.h"
#include "core/messages.h"
#include "plot/headlessrenderer.h"
#include "plot/outputfile.h"
#include "plot/translated.h"

#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QTranslator>

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

QTranslator earlyTranslation;

// Qt ends the program with an abort when the window system cannot start: no
// display named, a display that does not answer, no platform plugin. While
// the application starts, Qt's messages are held back; a fatal one gives
// the program's own message and exit code instead, the others are passed
// on once the window system is up.
QtMessageHandler previousHandler = nullptr;
std::vector<std::pair<QtMsgType, QString>> heldMessages;

// The program's own text before an application exists: English from the
// translation built in, when it was asked for.
QString early(const std::string &text)
{
    const QString english = earlyTranslation.translate("Messages", text.c_str());
    return english.isEmpty() ? QString::fromStdString(text) : english;
}

// Why the window system could not start, from what Qt said: a platform
// plugin that does not exist (-platform NAME), or no display to open the
// window on.
QString whyNoWindow(const QString &fatal)
{
    static const QRegularExpression missing(QStringLiteral("Could not find the Qt platform plugin \"([^\"]*)\""));
    for (const auto &[type, message] : heldMessages) {
        const QRegularExpressionMatch match = missing.match(message);
        if (!match.hasMatch())
            continue;
        static const QRegularExpression available(QStringLiteral("Available platform plugins are: ([^\n]*?)\\.?\\s*$"));
        const QRegularExpressionMatch list = available.match(fatal);
        return early(Messages::NoPlatformPlugin)
            .arg(match.captured(1), list.hasMatch() ? list.captured(1) : QStringLiteral("xcb, wayland, offscreen"));
    }
    return early(Messages::NoDisplay);
}

void holdStartupMessage(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtFatalMsg) {
        printLines(stderr, whyNoWindow(message), QStringLiteral("fieldlines: "));
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
    // given. What it asks for does not depend on the language; once the
    // application and the language's texts are there, it is read again for
    // its texts in that language.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << OutputFile::decodeName(QByteArray(argv[i]));
    const CommandLine asked(arguments);
    const Language language = chooseLanguage(asked.language());

    switch (asked.action()) {
    case CommandLine::Action::ShowHelp: {
        QCoreApplication app(argc, argv);  // names the program in the usage line
        installLanguage(language);
        std::fputs(CommandLine::helpText(asked.qtOptionsInHelp()).toUtf8().constData(), stdout);
        return CommandLine::kExitSuccess;
    }
    case CommandLine::Action::ShowVersion:
        std::fputs(CommandLine::versionText().toUtf8().constData(), stdout);
        return CommandLine::kExitSuccess;
    case CommandLine::Action::Fail: {
        QCoreApplication app(argc, argv);
        installLanguage(language);
        printLines(stderr, CommandLine(arguments).error());
        return CommandLine::kExitUsage;
    }
    case CommandLine::Action::Render: {
        // Drawing into an image or an SVG needs no window system: the
        // offscreen platform gives the fonts of the labels without a display.
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        qInstallMessageHandler(quietQtNotes);
        // Ended from outside (Ctrl+C, kill, the terminal closed) while the
        // file is being written: no temporary file is left beside it.
        OutputFile::removeTemporaryOnSignals();
        QGuiApplication app(argc, argv);
        installLanguage(language);
        const HeadlessRenderer::Result result = HeadlessRenderer::render(asked.configuration(), asked.outputFile(), asked.size());
        printLines(stderr, result.message, QStringLiteral("fieldlines: "));
        switch (result.outcome) {
        case HeadlessRenderer::Outcome::Written:
            return CommandLine::kExitSuccess;
        case HeadlessRenderer::Outcome::Refused:
            return CommandLine::kExitMessage;
        case HeadlessRenderer::Outcome::NotWritten:
            return CommandLine::kExitWrite;
        }
        return CommandLine::kExitWrite;
    }
    case CommandLine::Action::OpenWindow:
        break;
    }

    // Before the window system starts there is no application to install a
    // translation into: the message that no display could be reached takes
    // its English from the translation built into the program.
    if (language == Language::English && !earlyTranslation.load(QStringLiteral("fieldlines_en"), QStringLiteral(":/translations")))
        std::fputs("fieldlines: the English translation is missing; the window stays Chinese\n", stderr);
    previousHandler = qInstallMessageHandler(holdStartupMessage);
    QApplication app(argc, argv);
    releaseStartupMessages();
    installLanguage(language);
    Form1 window;
    window.preset(asked.configuration());
    // The overlay options switch the overlays on for this run; they are
    // never remembered.
    const OverlaySet &asks = asked.configuration().overlays;
    if (!asks.empty()) {
        OverlaySet overlays = window.overlays();
        for (const Overlay &overlay : ::overlays())
            overlays.set(overlay.key, overlays.contains(overlay.key) || asks.contains(overlay.key));
        window.setOverlays(overlays, false);
    }
    if (asked.configuration().accurate)
        window.setAccurate(true, false);
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
        printLines(stderr, translated(Messages::NoMemoryForFile), QStringLiteral("fieldlines: "));
        return CommandLine::kExitWrite;
    }
}
