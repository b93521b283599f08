#include "app/commandline.h"

#include "plot/keptdrawing.h"
#include "plot/picturewriter.h"
#include "plot/recordingsurface.h"
#include "tracing/drawingstate.h"
#include "tracing/fieldlines.h"
#include "tracing/messenger.h"
#include "tracing/numberreading.h"

#include <QCommandLineParser>
#include <QRegularExpression>

#include <optional>
#include <string>
#include <vector>

namespace {

const QString kSingle = QStringLiteral("single");
const QString kCharge1 = QStringLiteral("charge1");
const QString kCharge2 = QStringLiteral("charge2");
const QString kOutput = QStringLiteral("output");
const QString kSize = QStringLiteral("size");

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
    parser.addOption({kOutput, QStringLiteral("Draw without a window and write FILE: .png, .svg or .csv."),
                      QStringLiteral("FILE")});
    parser.addOption({kSize,
                      QStringLiteral("Size of a .png or .svg in pixels, each side 1 to %1 (default %2x%3).")
                          .arg(PictureWriter::kMaxSide)
                          .arg(CommandLine::kDefaultWidth)
                          .arg(CommandLine::kDefaultHeight),
                      QStringLiteral("WxH")});
}

// The renderer's stand-in for the message box: it keeps the texts, which
// the program prints, and ends with the failure exit code.
class RecordingMessenger : public Messenger
{
public:
    void show(const std::string &prompt, const std::string &) override { prompts.push_back(prompt); }
    std::vector<std::string> prompts;
};

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
            fail(kOutput, QStringLiteral("unknown file type '%1' (use .png, .svg or .csv)").arg(outputFile_));
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
    const std::optional<PictureWriter::Format> format = PictureWriter::formatOf(file);

    TextPanel panel = commandLine.panel();
    DrawingState state;
    RecordingMessenger messenger;
    KeptDrawing kept;
    RecordingSurface recording;
    PlotSurface &surface = format == PictureWriter::Format::Csv ? static_cast<PlotSurface &>(recording)
                                                                 : static_cast<PlotSurface &>(kept);
    try {
        FieldLines(state, surface, panel, messenger).excite();
    } catch (const ProgramEnding &) {
        // The window would end here, after its message; the message decides
        // the exit code below.
    }
    if (!messenger.prompts.empty()) {
        QStringList prompts;
        for (const std::string &prompt : messenger.prompts)
            prompts << QString::fromStdString(prompt);
        message = prompts.join(QLatin1Char('\n'));
        return CommandLine::kExitMessage;
    }

    const PictureWriter::Result result = format == PictureWriter::Format::Csv
                                             ? PictureWriter::writeCsv(recording, file)
                                             : PictureWriter::write(kept, file, commandLine.size());
    if (!result) {
        message = QStringLiteral("--output: ") + result.error;
        return CommandLine::kExitUsage;
    }
    return CommandLine::kExitSuccess;
}
