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
//              [--equipotentials] [--zero-field]
//              [--output FILE] [--size WxH] [--help] [--version]
//
// The charge options and --single preset the input boxes and the mode of
// the window; no handler runs and nothing is drawn until excite. With
// --output the program opens no window: it runs the excite of the window on
// those boxes and writes the picture to FILE (.png, .svg or .csv).
class CommandLine
{
public:
    enum class Action {
        OpenWindow,   // show the window with the boxes preset
        Render,       // excite without a window and write outputFile()
        ShowHelp,     // print helpText() and end with kExitSuccess
        ShowVersion,  // print versionText() and end with kExitSuccess
        Fail,         // print error() and end with kExitUsage
    };

    static constexpr int kExitSuccess = 0;
    static constexpr int kExitMessage = 1;  // the excite showed a message
    static constexpr int kExitUsage = 2;    // malformed command line, or FILE not writable

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

    static QString helpText();
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
};

// Runs the click on "激　发" without a window on the boxes of the command line
// and writes the picture to its output file. Returns the exit code: success,
// kExitMessage when the excite showed a message (its text is in message and
// nothing is written), kExitUsage when the file cannot be written.
int renderPicture(const CommandLine &commandLine, QString &message);
