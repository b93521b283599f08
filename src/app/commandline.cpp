#include "app/commandline.h"

#include "core/drawingstate.h"
#include "core/fieldlines.h"
#include "core/numberreading.h"
#include "core/recordingmessenger.h"
#include "core/recordingsurface.h"
#include "plot/keptdrawing.h"
#include "plot/picturewriter.h"

#include <QCommandLineParser>
#include <QRegularExpression>

#include <string>

namespace {

const QString kSingle = QStringLiteral("single");
const QString kCharge1 = QStringLiteral("charge1");
const QString kCharge2 = QStringLiteral("charge2");
const QString kOutput = QStringLiteral("output");
const QString kSize = QStringLiteral("size");

// ".png, .svg or .csv": the suffixes of the table of formats.
QString suffixList()
{
    QStringList suffixes;
    for (const PictureWriter::Format &format : PictureWriter::formats())
        suffixes << QLatin1Char('.') + QLatin1String(format.suffix);
    const QString last = suffixes.takeLast();
    return suffixes.join(QStringLiteral(", ")) + QStringLiteral(" or ") + last;
}

void addOptions(QCommandLineParser &parser)
{
    parser.setApplicationDescription(QStringLiteral(
        "电场线的描绘: draws the electric field lines of one or two point charges.\n"
        "Without --output it opens the window with the input boxes preset;\n"
        "with --output it draws the picture of one excite into FILE."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOption({kSingle, QStringLiteral("Select 单个点电荷 (single point charge).")});
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
    if (!parser.parse(arguments)) {
        action_ = Action::Fail;
        error_ = QStringLiteral("fieldlines: ") + parser.errorText();
        return;
    }
    if (parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("help-all"))) {
        action_ = Action::ShowHelp;
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

    if (parser.isSet(kCharge1) && !readCharge(kCharge1, parser.value(kCharge1), 1))
        return;
    if (parser.isSet(kCharge2) && !readCharge(kCharge2, parser.value(kCharge2), 4))
        return;
    if (parser.isSet(kSingle))
        panel_.setTwoChargeMode(false);

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
        if (!PictureWriter::formatOf(outputFile_)) {
            fail(kOutput, QStringLiteral("unknown file type '%1' (use %2)").arg(outputFile_, suffixList()));
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

QString CommandLine::helpText()
{
    QCommandLineParser parser;
    addOptions(parser);
    return parser.helpText();
}

QString CommandLine::versionText()
{
    return QStringLiteral("fieldlines " FIELDLINES_VERSION "\n");
}

int renderPicture(const CommandLine &commandLine, QString &message)
{
    const QString &file = commandLine.outputFile();
    const PictureWriter::Format *format = PictureWriter::formatOf(file);

    TextPanel panel = commandLine.panel();
    DrawingState state;
    RecordingMessenger messenger;
    KeptDrawing kept;
    RecordingSurface recording;
    PlotSurface &surface = format->fromRecording ? static_cast<PlotSurface &>(recording)
                                                 : static_cast<PlotSurface &>(kept);
    FieldLines(state, surface, panel, messenger).excite();
    if (!messenger.messages.empty()) {
        QStringList prompts;
        for (const Message &shown : messenger.messages)
            prompts << QString::fromStdString(shown.prompt);
        message = prompts.join(QLatin1Char('\n'));
        return CommandLine::kExitMessage;
    }

    const PictureWriter::Result result = PictureWriter::write({&kept, &recording}, file, commandLine.size());
    if (!result) {
        message = result.error;
        return CommandLine::kExitUsage;
    }
    return CommandLine::kExitSuccess;
}
