#pragma once

#include "core/overlays.h"
#include "core/plotgeometry.h"
#include "core/textpanel.h"

#include <QSize>
#include <QString>
#include <QStringList>

// The program's command line:
//
//   fieldlines [--single] [--charge1 X,Y,Q] [--charge2 X,Y,Q]
//              [--preset NAME] [--equipotentials] [--zero-field] [--lang zh|en]
//              [--output FILE] [--size WxH] [--help] [--help-all] [--version]
//              [Qt's options]
//
// The charge options and --single preset the input boxes and the mode of
// the window; no handler runs and nothing is drawn until excite. With
// --output the program opens no window: it runs the excite of the window on
// those boxes and writes the picture to FILE (.png, .svg or .csv). Each
// option may be given once. Qt's own options (-platform, -style, -reverse
// …, listed by --help-all) are left to Qt, which reads them when the window
// opens.
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
    // The six texts and the mode, defaults where no option was given.
    const TextPanel &panel() const { return panel_; }
    // What the picture shows besides the field lines (--equipotentials,
    // --zero-field); given without --output, they switch the window's
    // overlays on for this run.
    const Overlays &overlays() const { return overlays_; }
    const QString &outputFile() const { return outputFile_; }
    QSize size() const { return size_; }
    // One line, "fieldlines: --charge1: ...", when action() is Fail.
    const QString &error() const { return error_; }
    // The language asked for with --lang: "zh", "en", or empty for the
    // system's.
    const QString &language() const { return language_; }
    // True for --help-all: the help lists Qt's options too.
    bool qtOptionsInHelp() const { return qtOptionsInHelp_; }

    static QString helpText(bool withQtOptions = false);
    static QString versionText();

private:
    bool readCharge(const QString &option, const QString &value, int firstBox);
    bool readSize(const QString &value);
    bool fail(const QString &option, const QString &reason);

    Action action_ = Action::OpenWindow;
    TextPanel panel_;
    Overlays overlays_;
    QString outputFile_;
    QSize size_{Plot::kDesignWidth, Plot::kDesignHeight};
    QString error_;
    QString language_;
    bool qtOptionsInHelp_ = false;
};

// Runs the click on "激　发" without a window on the boxes of the command line
// and writes the picture to its output file. Returns the exit code:
// kExitSuccess; kExitMessage when the excite showed a message; kExitWrite
// when the file could not be written or memory ran out. Then message says
// why, and no file was written or changed.
int renderPicture(const CommandLine &commandLine, QString &message);
