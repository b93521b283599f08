#pragma once

#include "core/configuration.h"
#include "core/plotgeometry.h"

#include <QSize>
#include <QString>
#include <QStringList>

// The program's command line:
//
//   fieldlines [--preset NAME] [--single] [--charge1 X,Y,Q] [--charge2 X,Y,Q]
//              [--charge X,Y,Q …] [--accurate] [--equipotentials] [--zero-field]
//              [--particle X,Y[,VX,VY] …] [--particle-negative X,Y[,VX,VY] …]
//              [--particle-line] [--lang zh|en]
//              [--output FILE] [--size WxH] [--help] [--help-all] [--version]
//              [Qt's options]
//
// The options make a configuration: the charge options and --single preset
// the input boxes and the mode of the window, where no handler runs and
// nothing is drawn until excite. --charge is the general form: given once
// it is single-charge mode, twice two-charge mode, three times or more
// several charges; it does not mix with --charge1 and --charge2.
// --accurate draws one or two charges with the accurate tracer too.
// --particle and --particle-negative release test charges, whose whole
// paths are drawn after the overlays; --particle-line adds the field line
// through each release point. The overlay options come from the table of
// overlays. With --output the program opens no window: it draws the
// configuration and writes the picture to FILE in one of the formats of the
// table (.png, .svg, .pdf, .csv). Each option but --charge may be given
// once. Qt's own options (-platform, -style, -reverse …, listed by
// --help-all) are left to Qt, which reads them when the window opens.
class CommandLine
{
public:
    enum class Action {
        OpenWindow,   // show the window with the boxes preset
        Render,       // excite without a window and write outputFile()
        ShowHelp,     // print helpText(qtOptionsInHelp()) and end with kExitSuccess
        ShowVersion,  // print versionText() and end with kExitSuccess
        Fail,         // print error() and end with kExitUsage
    };

    // The exit codes, the one place they are defined.
    static constexpr int kExitSuccess = 0;  // written, or the window was closed
    static constexpr int kExitMessage = 1;  // the drawing showed a message, or no window could open
    static constexpr int kExitUsage = 2;    // malformed command line
    static constexpr int kExitWrite = 3;    // the output could not be written (disk, permissions, memory)

    // Parses the arguments, the first being the program's name.
    explicit CommandLine(const QStringList &arguments);

    Action action() const { return action_; }
    // The mode and the charges' texts, defaults where no option was given,
    // and the overlays asked for (given without --output, they switch the
    // window's overlays on for this run).
    const Configuration &configuration() const { return configuration_; }
    const QString &outputFile() const { return outputFile_; }
    QSize size() const { return size_; }
    // One line, "fieldlines: --charge1: ...", when action() is Fail.
    const QString &error() const { return error_; }
    // The language asked for with --lang: "zh", "en", or empty for the
    // system's. Read before anything else, so that even a command line that
    // cannot be parsed is answered in it.
    const QString &language() const { return language_; }
    // True for --help-all: the help lists Qt's options too.
    bool qtOptionsInHelp() const { return qtOptionsInHelp_; }

    static QString helpText(bool withQtOptions = false);
    static QString versionText();

private:
    // True when each part of the value is one number under the boxes'
    // reading rule, read in full; else fails naming the first that is not.
    bool allNumbers(const QString &option, const QString &value, const QStringList &parts);
    bool readCharge(const QString &option, const QString &value, ChargeTexts &charge);
    bool readRelease(const QString &option, const QString &value, TestCharge &release);
    bool readSize(const QString &value);
    bool fail(const QString &option, const QString &reason);

    Action action_ = Action::OpenWindow;
    Configuration configuration_;
    QString outputFile_;
    QSize size_{Plot::kDesignWidth, Plot::kDesignHeight};
    QString error_;
    QString language_;
    bool qtOptionsInHelp_ = false;
};
