#include "app/commandline.h"

#include "core/numberreading.h"
#include "core/outputformats.h"
#include "core/overlays.h"
#include "core/presets.h"
#include "plot/picturewriter.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QRegularExpression>

#include <algorithm>
#include <string>

namespace {

const QString kSingle = QStringLiteral("single");
const QString kAccurate = QStringLiteral("accurate");
const QString kParticle = QStringLiteral("particle");
const QString kParticleNegative = QStringLiteral("particle-negative");
const QString kParticleLine = QStringLiteral("particle-line");
const QString kPreset = QStringLiteral("preset");
const QString kCharge = QStringLiteral("charge");
const QString kCharge1 = QStringLiteral("charge1");
const QString kCharge2 = QStringLiteral("charge2");
const QString kOutput = QStringLiteral("output");
const QString kSize = QStringLiteral("size");
const QString kLang = QStringLiteral("lang");

// A text of the command line in the language of the interface (Chinese
// unless the English translation is installed).
QString text(const char *source)
{
    return QCoreApplication::translate("CommandLine", source);
}

// ".png, .svg, .pdf, .csv": the suffixes of the table of formats, all of
// them or those with a size.
QString suffixList(bool sizedOnly = false)
{
    QStringList suffixes;
    for (const OutputFormat &format : outputFormats()) {
        if (format.sized || !sizedOnly)
            suffixes << QLatin1Char('.') + QLatin1String(format.suffix);
    }
    return suffixes.join(QStringLiteral(", "));
}

// "dipole, like, …": the command names of the table of presets.
QString presetNames()
{
    QStringList names;
    for (const Preset &preset : presets())
        names << QString::fromLatin1(preset.commandName);
    return names.join(QStringLiteral(", "));
}

// A value as an error line quotes it: control characters written as \n,
// \t or \xNN, so that the line stays one line.
QString quoted(const QString &value)
{
    QString out;
    for (const QChar c : value) {
        if (c == QLatin1Char('\n'))
            out += QLatin1String("\\n");
        else if (c == QLatin1Char('\t'))
            out += QLatin1String("\\t");
        else if (c.category() == QChar::Other_Control)
            out += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
        else
            out += c;
    }
    return out;
}

// The language asked for by --lang in the arguments, read before they are
// parsed, so that a command line that cannot be parsed is answered in it
// too: the value of the last --lang or --lang=, as the parser takes it.
QString languageAsked(const QStringList &arguments)
{
    QString asked;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString &argument = arguments[i];
        if (argument == QLatin1String("--"))
            break;
        if (argument == QLatin1String("--lang") && i + 1 < arguments.size())
            asked = arguments[++i];
        else if (argument.startsWith(QLatin1String("--lang=")))
            asked = argument.mid(7);
    }
    return asked;
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
    {"platform", "NAME[:OPTIONS]", QT_TRANSLATE_NOOP("CommandLine", "窗口使用的平台插件：xcb、wayland、offscreen……")},
    {"platformpluginpath", "PATH", QT_TRANSLATE_NOOP("CommandLine", "平台插件所在的文件夹。")},
    {"platformtheme", "THEME", QT_TRANSLATE_NOOP("CommandLine", "平台主题。")},
    {"plugin", "PLUGIN", QT_TRANSLATE_NOOP("CommandLine", "再加载的插件，例如输入设备。")},
    {"qwindowgeometry", "GEOMETRY", QT_TRANSLATE_NOOP("CommandLine", "窗口的位置和大小，格式为 WxH+X+Y。")},
    {"qwindowicon", "ICON", QT_TRANSLATE_NOOP("CommandLine", "窗口的图标。")},
    {"qwindowtitle", "TITLE", QT_TRANSLATE_NOOP("CommandLine", "窗口的标题。")},
    {"reverse", nullptr, QT_TRANSLATE_NOOP("CommandLine", "窗口从右向左排列。")},
    {"session", "SESSION", QT_TRANSLATE_NOOP("CommandLine", "从会话恢复窗口。")},
    {"display", "DISPLAY", QT_TRANSLATE_NOOP("CommandLine", "打开窗口的 X 显示器，代替 $DISPLAY（X11）。")},
    {"geometry", "GEOMETRY", QT_TRANSLATE_NOOP("CommandLine", "同 -qwindowgeometry（X11）。")},
    {"title", "TITLE", QT_TRANSLATE_NOOP("CommandLine", "同 -qwindowtitle（X11）。")},
    {"icon", "ICON", QT_TRANSLATE_NOOP("CommandLine", "同 -qwindowicon（X11）。")},
    {"name", "NAME", QT_TRANSLATE_NOOP("CommandLine", "窗口的资源名（X11）。")},
    {"sync", nullptr, QT_TRANSLATE_NOOP("CommandLine", "与 X 服务器同步通信，用于调试（X11）。")},
    {"nograb", nullptr, QT_TRANSLATE_NOOP("CommandLine", "从不独占鼠标和键盘（X11）。")},
    {"dograb", nullptr, QT_TRANSLATE_NOOP("CommandLine", "在调试器中也独占鼠标和键盘（X11）。")},
    {"style", "STYLE", QT_TRANSLATE_NOOP("CommandLine", "控件的风格：fusion、windows……")},
    {"stylesheet", "FILE", QT_TRANSLATE_NOOP("CommandLine", "控件的样式表。")},
    {"widgetcount", nullptr, QT_TRANSLATE_NOOP("CommandLine", "退出时报告还剩多少控件。")},
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
    QString help = QLatin1Char('\n') + text(QT_TRANSLATE_NOOP("CommandLine", "Qt 的选项，用于窗口（一个或两个短横线均可）：")) + QLatin1Char('\n');
    for (std::size_t i = 0; i < std::size(kQtOptions); ++i)
        help += QStringLiteral("  %1  %2\n").arg(names[qsizetype(i)], -width).arg(text(kQtOptions[i].help));
    return help;
}

void addOptions(QCommandLineParser &parser)
{
    parser.setApplicationDescription(text(QT_TRANSLATE_NOOP("CommandLine",
                                                            "电场线的描绘：画出点电荷的电场线。\n"
                                                            "不带 --output 时打开窗口，输入框按选项预先填好；\n"
                                                            "带 --output 时不开窗口，把一次“激　发”的图画写入 FILE。")));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOption({kPreset,
                      text(QT_TRANSLATE_NOOP("CommandLine", "用一种典型电荷分布填好输入框和模式：%1。"
                                                            "--charge1、--charge2 和 --single 可以再作修改。"))
                          .arg(presetNames()),
                      QStringLiteral("NAME")});
    parser.addOption({kSingle, text(QT_TRANSLATE_NOOP("CommandLine", "选择“单个点电荷”。"))});
    for (const Overlay &overlay : overlays())
        parser.addOption({QString::fromLatin1(overlay.option), text(overlay.optionHelp)});
    parser.addOption({kCharge1, text(QT_TRANSLATE_NOOP("CommandLine", "电荷 1 的位置和电荷量（输入框 Text1–Text3）。")),
                      QStringLiteral("X,Y,Q")});
    parser.addOption({kCharge2, text(QT_TRANSLATE_NOOP("CommandLine", "电荷 2 的位置和电荷量（输入框 Text4–Text6）。")),
                      QStringLiteral("X,Y,Q")});
    parser.addOption({kCharge,
                      text(QT_TRANSLATE_NOOP("CommandLine", "一个电荷的位置和电荷量，可以重复：给一次是单个点电荷，"
                                                            "给两次是两个点电荷，三次以上（最多 32 次）是多个点电荷。"
                                                            "不能与 --charge1、--charge2 同用。")),
                      QStringLiteral("X,Y,Q")});
    parser.addOption({kAccurate, text(QT_TRANSLATE_NOOP("CommandLine", "一个或两个点电荷也按电荷量画线（精确）。"))});
    parser.addOption({kParticle,
                      text(QT_TRANSLATE_NOOP("CommandLine", "在 X,Y 处释放一个正的试探电荷，初速度为 VX,VY（默认静止），"
                                                            "画出它的整条轨迹；可以重复，试探电荷最多 8 个。")),
                      QStringLiteral("X,Y[,VX,VY]")});
    parser.addOption({kParticleNegative, text(QT_TRANSLATE_NOOP("CommandLine", "同 --particle，释放负的试探电荷。")),
                      QStringLiteral("X,Y[,VX,VY]")});
    parser.addOption({kParticleLine, text(QT_TRANSLATE_NOOP("CommandLine", "加画经过每个释放点的电场线（虚线）。"))});
    parser.addOption({kOutput, text(QT_TRANSLATE_NOOP("CommandLine", "不开窗口，画好后写入 FILE：%1。")).arg(suffixList()),
                      QStringLiteral("FILE")});
    parser.addOption({kSize,
                      text(QT_TRANSLATE_NOOP("CommandLine", "%1 图片的像素尺寸，每边 1 到 %2（默认 %3x%4）。"))
                          .arg(suffixList(true))
                          .arg(PictureWriter::kMaxSide)
                          .arg(Plot::kDesignWidth)
                          .arg(Plot::kDesignHeight),
                      QStringLiteral("WxH")});
    parser.addOption({kLang, text(QT_TRANSLATE_NOOP("CommandLine", "界面的语言：zh（中文）或 en（English）；默认跟随系统。")),
                      QStringLiteral("zh|en")});
}

}  // namespace

CommandLine::CommandLine(const QStringList &arguments)
{
    // The language first: the help and the errors that follow speak it.
    language_ = languageAsked(arguments);
    if (!language_.isEmpty() && language_ != QLatin1String("zh") && language_ != QLatin1String("en")) {
        const QString asked = language_;
        language_.clear();
        fail(kLang, text(QT_TRANSLATE_NOOP("CommandLine", "不认识的语言“%1”（可用 zh 或 en）")).arg(quoted(asked)));
        return;
    }
    QCommandLineParser parser;
    addOptions(parser);
    if (!parser.parse(withoutQtOptions(arguments))) {
        action_ = Action::Fail;
        error_ = QStringLiteral("fieldlines: ") + quoted(parser.errorText());
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
        error_ = QStringLiteral("fieldlines: ")
                 + text(QT_TRANSLATE_NOOP("CommandLine", "多余的参数“%1”")).arg(quoted(parser.positionalArguments().constFirst()));
        return;
    }

    // The parser keeps the last of a repeated option, even after a
    // malformed one: a repetition is surely a mistake, but for --charge,
    // which lists the charges.
    const QStringList given = parser.optionNames();
    QStringList once = {kPreset, kSingle, kAccurate, kParticleLine, kCharge1, kCharge2, kOutput, kSize, kLang};
    for (const Overlay &overlay : overlays())
        once << QString::fromLatin1(overlay.option);
    for (const QString &option : once) {
        if (given.count(option) > 1) {
            fail(option, text(QT_TRANSLATE_NOOP("CommandLine", "只能给一次")));
            return;
        }
    }

    if (parser.isSet(kPreset)) {
        const Preset *preset = presetNamed(parser.value(kPreset).toStdString());
        if (!preset) {
            fail(kPreset, text(QT_TRANSLATE_NOOP("CommandLine", "没有叫“%1”的典型分布（可用：%2）"))
                              .arg(quoted(parser.value(kPreset)), presetNames()));
            return;
        }
        configuration_ = preset->appliedTo(configuration_);
    }
    if (parser.isSet(kCharge)) {
        if (parser.isSet(kCharge1) || parser.isSet(kCharge2)) {
            fail(kCharge, text(QT_TRANSLATE_NOOP("CommandLine", "不能与 --charge1、--charge2 同用")));
            return;
        }
        // One is single-charge mode, two two-charge mode, more several
        // charges (where more than 32 is the drawing's own refusal).
        const QStringList values = parser.values(kCharge);
        if (values.size() > 2)
            configuration_.charges.resize(std::size_t(values.size()));
        for (qsizetype i = 0; i < values.size(); ++i) {
            if (!readCharge(kCharge, values[i], configuration_.charges[std::size_t(i)]))
                return;
        }
        configuration_.mode = values.size() == 1 ? Mode::Single : values.size() == 2 ? Mode::Two : Mode::Several;
    }
    if (parser.isSet(kCharge1) && !readCharge(kCharge1, parser.value(kCharge1), configuration_.charges[0]))
        return;
    if (parser.isSet(kCharge2) && !readCharge(kCharge2, parser.value(kCharge2), configuration_.charges[1]))
        return;
    if (parser.isSet(kSingle))
        configuration_.mode = Mode::Single;
    configuration_.accurate = parser.isSet(kAccurate);
    // The test charges in the order given, positive ones first (the
    // parser gives each option's values in order).
    for (const auto &[option, positive] : {std::pair{kParticle, true}, std::pair{kParticleNegative, false}}) {
        for (const QString &value : parser.values(option)) {
            TestCharge release;
            release.positive = positive;
            if (!readRelease(option, value, release))
                return;
            configuration_.testCharges.push_back(release);
        }
    }
    configuration_.releaseLines = parser.isSet(kParticleLine);
    for (const Overlay &overlay : overlays())
        configuration_.overlays.set(overlay.key, parser.isSet(QString::fromLatin1(overlay.option)));

    if (parser.isSet(kSize)) {
        if (!parser.isSet(kOutput)) {
            fail(kSize, text(QT_TRANSLATE_NOOP("CommandLine", "只能和 --output 一起使用")));
            return;
        }
        if (!readSize(parser.value(kSize)))
            return;
    }
    if (parser.isSet(kOutput)) {
        outputFile_ = parser.value(kOutput);
        const OutputFormat *format = PictureWriter::formatOf(outputFile_);
        if (!format) {
            fail(kOutput, text(QT_TRANSLATE_NOOP("CommandLine", "不认识“%1”的文件类型（可用 %2）")).arg(quoted(outputFile_), suffixList()));
            return;
        }
        if (parser.isSet(kSize) && !format->sized) {
            fail(kSize, text(QT_TRANSLATE_NOOP("CommandLine", "只适用于 %1 文件")).arg(suffixList(true)));
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

bool CommandLine::allNumbers(const QString &option, const QString &value, const QStringList &parts)
{
    for (const QString &part : parts) {
        if (!readsInFull(part.toStdString()))
            return fail(option, text(QT_TRANSLATE_NOOP("CommandLine", "“%1”不是一个数（在“%2”中）")).arg(quoted(part), quoted(value)));
    }
    return true;
}

// X,Y,Q go into three consecutive boxes as typed. Each must be one number
// under the boxes' reading rule, read in full: "1 5" is 15 as in the window,
// but "12abc", which the window would read as 12, is refused here since it
// is surely a typing error.
bool CommandLine::readCharge(const QString &option, const QString &value, ChargeTexts &charge)
{
    const QStringList parts = value.split(QLatin1Char(','));
    if (parts.size() != 3)
        return fail(option, text(QT_TRANSLATE_NOOP("CommandLine", "应为 X,Y,Q，三个用逗号分开的数，而不是“%1”")).arg(quoted(value)));
    if (!allNumbers(option, value, parts))
        return false;
    charge = {parts[0].toStdString(), parts[1].toStdString(), parts[2].toStdString()};
    return true;
}

// X,Y or X,Y,VX,VY, each one complete number under the boxes' reading rule.
bool CommandLine::readRelease(const QString &option, const QString &value, TestCharge &release)
{
    const QStringList parts = value.split(QLatin1Char(','));
    if (parts.size() != 2 && parts.size() != 4)
        return fail(option, text(QT_TRANSLATE_NOOP("CommandLine", "应为 X,Y 或 X,Y,VX,VY，而不是“%1”")).arg(quoted(value)));
    if (!allNumbers(option, value, parts))
        return false;
    double numbers[4] = {0, 0, 0, 0};
    for (qsizetype i = 0; i < parts.size(); ++i)
        numbers[i] = readNumber(parts[i].toStdString());
    release.x = numbers[0];
    release.y = numbers[1];
    release.vx = numbers[2];
    release.vy = numbers[3];
    return true;
}

bool CommandLine::readSize(const QString &value)
{
    static const QRegularExpression pattern(QStringLiteral("^(\\d{1,9})[xX](\\d{1,9})$"));
    const QRegularExpressionMatch match = pattern.match(value);
    const QSize size = match.hasMatch() ? QSize(match.captured(1).toInt(), match.captured(2).toInt()) : QSize();
    if (!PictureWriter::isValidSize(size)) {
        return fail(kSize, text(QT_TRANSLATE_NOOP("CommandLine", "应为 WxH，每边 1 到 %1 像素，而不是“%2”"))
                               .arg(PictureWriter::kMaxSide)
                               .arg(quoted(value)));
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
