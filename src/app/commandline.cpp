#include "app/commandline.h"

#include "app/caption.h"
#include "core/drawingstate.h"
#include "core/fieldlines.h"
#include "core/linecollector.h"
#include "core/messages.h"
#include "core/numberreading.h"
#include "core/presets.h"
#include "core/recordingmessenger.h"
#include "core/recordingsurface.h"
#include "plot/keptdrawing.h"
#include "plot/picturewriter.h"

#include <QCommandLineParser>
#include <QRegularExpression>

#include <algorithm>
#include <new>
#include <string>

namespace {

const QString kSingle = QStringLiteral("single");
const QString kEquipotentials = QStringLiteral("equipotentials");
const QString kZeroField = QStringLiteral("zero-field");
const QString kPreset = QStringLiteral("preset");
const QString kCharge1 = QStringLiteral("charge1");
const QString kCharge2 = QStringLiteral("charge2");
const QString kOutput = QStringLiteral("output");
const QString kSize = QStringLiteral("size");

// ".png, .svg or .csv": the suffixes of the table of formats, all of them
// or those with a size.
QString suffixList(bool sizedOnly = false, const char *lastJoin = " or ")
{
    QStringList suffixes;
    for (const PictureWriter::Format &format : PictureWriter::formats()) {
        if (format.sized || !sizedOnly)
            suffixes << QLatin1Char('.') + QLatin1String(format.suffix);
    }
    const QString last = suffixes.takeLast();
    return suffixes.join(QStringLiteral(", ")) + QLatin1String(lastJoin) + last;
}

// Qt's own options, which QGuiApplication and QApplication take out of the
// arguments when the window opens. Qt reads them with one dash or two, a
// value as the next argument, and -style and -stylesheet also as
// -style=VALUE.
struct QtOption
{
    const char *name;
    const char *value;  // its value's name, nullptr for a switch
    const char *help;
};

const QtOption kQtOptions[] = {
    {"platform", "NAME[:OPTIONS]", "Platform plugin of the window: xcb, wayland, offscreen, ..."},
    {"platformpluginpath", "PATH", "Folder to load platform plugins from."},
    {"platformtheme", "THEME", "Platform theme."},
    {"plugin", "PLUGIN", "Further plugin to load, such as an input device."},
    {"qwindowgeometry", "GEOMETRY", "Place and size of the window, as WxH+X+Y."},
    {"qwindowicon", "ICON", "Icon of the window."},
    {"qwindowtitle", "TITLE", "Title of the window."},
    {"reverse", nullptr, "Lays the window out from right to left."},
    {"session", "SESSION", "Restores the window from a session."},
    {"display", "DISPLAY", "X display to open the window on, instead of $DISPLAY (X11)."},
    {"geometry", "GEOMETRY", "As -qwindowgeometry (X11)."},
    {"title", "TITLE", "As -qwindowtitle (X11)."},
    {"icon", "ICON", "As -qwindowicon (X11)."},
    {"name", "NAME", "Resource name of the window (X11)."},
    {"sync", nullptr, "Talks to the X server synchronously, for debugging (X11)."},
    {"nograb", nullptr, "Never grabs the mouse or the keyboard (X11)."},
    {"dograb", nullptr, "Grabs them even under a debugger (X11)."},
    {"style", "STYLE", "Widget style: fusion, windows, ..."},
    {"stylesheet", "FILE", "Style sheet of the widgets."},
    {"widgetcount", nullptr, "Prints how many widgets were left at exit."},
};

// The arguments without Qt's options and their values.
QStringList withoutQtOptions(const QStringList &arguments)
{
    QStringList ours = arguments.mid(0, 1);
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString &argument = arguments[i];
        if (argument == QLatin1String("--")) {
            ours += arguments.mid(i);
            break;
        }
        const QString name = argument.startsWith(QLatin1String("--")) ? argument.mid(2)
                             : argument.startsWith(QLatin1Char('-')) ? argument.mid(1)
                                                                      : QString();
        const auto match = [&name](const QtOption &option) {
            const QLatin1String optionName(option.name);
            const bool joinedValue = optionName.startsWith(QLatin1String("style"))
                                     && name.startsWith(optionName + QLatin1Char('='));
            return name == optionName || joinedValue;
        };
        const QtOption *option = std::find_if(std::begin(kQtOptions), std::end(kQtOptions), match);
        if (option == std::end(kQtOptions))
            ours << argument;
        else if (option->value && !name.contains(QLatin1Char('=')))
            ++i;  // and its value
    }
    return ours;
}

// Qt's options as a section of the help, aligned like the parser's own.
QString qtOptionsHelp()
{
    QStringList names;
    int width = 0;
    for (const QtOption &option : kQtOptions) {
        names << QStringLiteral("-%1%2").arg(QLatin1String(option.name),
                                             option.value ? QLatin1Char(' ') + QLatin1String(option.value) : QString());
        width = std::max(width, int(names.last().size()));
    }
    QString text = QStringLiteral("\nQt options, for the window (with one dash or two):\n");
    for (std::size_t i = 0; i < std::size(kQtOptions); ++i)
        text += QStringLiteral("  %1  %2\n").arg(names[qsizetype(i)], -width).arg(QLatin1String(kQtOptions[i].help));
    return text;
}

QString text(const std::string &message)
{
    return QString::fromStdString(message);
}

void addOptions(QCommandLineParser &parser)
{
    parser.setApplicationDescription(QStringLiteral(
        "电场线的描绘: draws the electric field lines of one or two point charges.\n"
        "Without --output it opens the window with the input boxes preset;\n"
        "with --output it draws the picture of one excite into FILE."));
    parser.addHelpOption();
    parser.addVersionOption();
    QStringList presetNames;
    for (const Preset &preset : presets())
        presetNames << QString::fromLatin1(preset.commandName);
    parser.addOption({kPreset,
                      QStringLiteral("Fill the boxes and the mode with a classic configuration (典型电荷分布): %1. "
                                     "--charge1, --charge2 and --single change it further.")
                          .arg(presetNames.join(QStringLiteral(", "))),
                      QStringLiteral("NAME")});
    parser.addOption({kSingle, QStringLiteral("Select 单个点电荷 (single point charge).")});
    parser.addOption({kEquipotentials, QStringLiteral("Add the labelled equipotential lines (显示等势线).")});
    parser.addOption({kZeroField, QStringLiteral("Mark the points where the field vanishes (显示场强为零的点).")});
    parser.addOption({kCharge1, QStringLiteral("Position and amount of charge 1 (boxes Text1-Text3)."),
                      QStringLiteral("X,Y,Q")});
    parser.addOption({kCharge2, QStringLiteral("Position and amount of charge 2 (boxes Text4-Text6)."),
                      QStringLiteral("X,Y,Q")});
    parser.addOption({kOutput, QStringLiteral("Draw without a window and write FILE: %1.").arg(suffixList()),
                      QStringLiteral("FILE")});
    parser.addOption({kSize,
                      QStringLiteral("Size of a .png or .svg in pixels, each side 1 to %1 (default %2x%3).")
                          .arg(PictureWriter::kMaxSide)
                          .arg(Plot::kDesignWidth)
                          .arg(Plot::kDesignHeight),
                      QStringLiteral("WxH")});
}

}  // namespace

CommandLine::CommandLine(const QStringList &arguments)
{
    QCommandLineParser parser;
    addOptions(parser);
    if (!parser.parse(withoutQtOptions(arguments))) {
        action_ = Action::Fail;
        error_ = QStringLiteral("fieldlines: ") + parser.errorText();
        return;
    }
    if (parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("help-all"))) {
        action_ = Action::ShowHelp;
        qtOptionsInHelp_ = parser.isSet(QStringLiteral("help-all"));
        return;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        action_ = Action::ShowVersion;
        return;
    }
    if (!parser.positionalArguments().isEmpty()) {
        action_ = Action::Fail;
        error_ = QStringLiteral("fieldlines: unexpected argument '%1'").arg(parser.positionalArguments().constFirst());
        return;
    }

    // The parser keeps the last of a repeated option, even after a
    // malformed one: a repetition is surely a mistake.
    const QStringList given = parser.optionNames();
    for (const QString &option : {kPreset, kSingle, kCharge1, kCharge2, kOutput, kSize, kEquipotentials, kZeroField}) {
        if (given.count(option) > 1) {
            fail(option, QStringLiteral("given more than once"));
            return;
        }
    }

    if (parser.isSet(kPreset)) {
        const Preset *preset = presetNamed(parser.value(kPreset).toStdString());
        if (!preset) {
            QStringList names;
            for (const Preset &known : presets())
                names << QString::fromLatin1(known.commandName);
            fail(kPreset, QStringLiteral("unknown preset '%1' (use one of %2)")
                              .arg(parser.value(kPreset), names.join(QStringLiteral(", "))));
            return;
        }
        for (int box = 1; box <= 6; ++box) {
            if (const char *text = preset->texts[std::size_t(box - 1)])
                panel_.setText(box, text);
        }
        panel_.setTwoChargeMode(preset->twoCharges);
    }
    if (parser.isSet(kCharge1) && !readCharge(kCharge1, parser.value(kCharge1), 1))
        return;
    if (parser.isSet(kCharge2) && !readCharge(kCharge2, parser.value(kCharge2), 4))
        return;
    if (parser.isSet(kSingle))
        panel_.setTwoChargeMode(false);
    overlays_.equipotentials = parser.isSet(kEquipotentials);
    overlays_.zeroField = parser.isSet(kZeroField);

    if (parser.isSet(kSize)) {
        if (!parser.isSet(kOutput)) {
            fail(kSize, QStringLiteral("applies only with --output"));
            return;
        }
        if (!readSize(parser.value(kSize)))
            return;
    }
    if (parser.isSet(kOutput)) {
        outputFile_ = parser.value(kOutput);
        const PictureWriter::Format *format = PictureWriter::formatOf(outputFile_);
        if (!format) {
            fail(kOutput, QStringLiteral("unknown file type '%1' (use %2)").arg(outputFile_, suffixList()));
            return;
        }
        if (parser.isSet(kSize) && !format->sized) {
            fail(kSize, QStringLiteral("applies only to %1 files").arg(suffixList(true, " and ")));
            return;
        }
        action_ = Action::Render;
    }
}

bool CommandLine::fail(const QString &option, const QString &reason)
{
    action_ = Action::Fail;
    error_ = QStringLiteral("fieldlines: --%1: %2").arg(option, reason);
    return false;
}

// X,Y,Q go into three consecutive boxes as typed. Each must be one number
// under the boxes' reading rule, read in full: "1 5" is 15 as in the window,
// but "12abc", which the window would read as 12, is refused here since it
// is surely a typing error.
bool CommandLine::readCharge(const QString &option, const QString &value, int firstBox)
{
    const QStringList parts = value.split(QLatin1Char(','));
    if (parts.size() != 3)
        return fail(option, QStringLiteral("expected X,Y,Q, three numbers separated by commas, got '%1'").arg(value));
    for (const QString &part : parts) {
        if (!readsInFull(part.toStdString()))
            return fail(option, QStringLiteral("'%1' is not a number (in '%2')").arg(part, value));
    }
    for (int i = 0; i < 3; ++i)
        panel_.setText(firstBox + i, parts[i].toStdString());
    return true;
}

bool CommandLine::readSize(const QString &value)
{
    static const QRegularExpression pattern(QStringLiteral("^(\\d{1,9})[xX](\\d{1,9})$"));
    const QRegularExpressionMatch match = pattern.match(value);
    const QSize size = match.hasMatch() ? QSize(match.captured(1).toInt(), match.captured(2).toInt()) : QSize();
    if (!PictureWriter::isValidSize(size)) {
        return fail(kSize, QStringLiteral("expected WxH with each side 1 to %1 pixels, got '%2'")
                               .arg(PictureWriter::kMaxSide)
                               .arg(value));
    }
    size_ = size;
    return true;
}

QString CommandLine::helpText(bool withQtOptions)
{
    QCommandLineParser parser;
    addOptions(parser);
    return withQtOptions ? parser.helpText() + qtOptionsHelp() : parser.helpText();
}

QString CommandLine::versionText()
{
    return QStringLiteral("fieldlines " FIELDLINES_VERSION "\n");
}

int renderPicture(const CommandLine &commandLine, QString &message)
{
    const QString &file = commandLine.outputFile();
    const PictureWriter::Format *format = PictureWriter::formatOf(file);
    try {
        TextPanel panel = commandLine.panel();
        DrawingState state;
        RecordingMessenger messenger;
        KeptDrawing kept;
        RecordingSurface recording;
        PlotSurface &target = format->fromRecording ? static_cast<PlotSurface &>(recording)
                                                    : static_cast<PlotSurface &>(kept);
        LineCollector surface(target);
        FieldLines lines(state, surface, panel, messenger);
        lines.excite();
        if (!messenger.messages.empty()) {
            // No file is written after a message, so the window's words
            // about keeping what was drawn do not hold here.
            int exitCode = CommandLine::kExitMessage;
            QStringList prompts;
            for (const Message &shown : messenger.messages) {
                if (shown == Messages::OutOfMemory) {
                    prompts << text(Messages::OutOfMemoryNothingWritten);
                    exitCode = CommandLine::kExitWrite;
                } else if (shown == Messages::UnexpectedFailure) {
                    prompts << text(Messages::FailureNothingWritten);
                } else {
                    prompts << text(shown.prompt);
                }
            }
            message = prompts.join(QLatin1Char('\n'));
            return exitCode;
        }
        drawOverlays(target, lines.charges(), commandLine.overlays(), &surface.lines());

        const PictureWriter::Result result =
            PictureWriter::write({&kept, &recording, pictureCaption(lines.charges())}, file, commandLine.size());
        if (!result) {
            message = result.error;
            return CommandLine::kExitWrite;
        }
        return CommandLine::kExitSuccess;
    } catch (const std::bad_alloc &) {
        message = text(Messages::OutOfMemoryNothingWritten);
        return CommandLine::kExitWrite;
    }
}
