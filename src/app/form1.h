#pragma once

#include "app/lineeditpanel.h"
#include "app/messageboxmessenger.h"
#include "core/drawingstate.h"
#include "core/eventpump.h"
#include "core/linecollector.h"
#include "core/messenger.h"
#include "core/overlays.h"
#include "plot/keptdrawing.h"

#include <QWidget>

#include <array>
#include <memory>
#include <vector>

class FieldLines;
class PictureBox;
class PictureInteraction;
struct Preset;
class QMenu;
class QPrinter;
class QCloseEvent;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class TextPanel;

// The program's only window: the title, the plot Picture1 on the left and
// the input panel Frame1 on the right. It owns, for its whole life, the
// drawing state, the kept drawing that Picture1 shows, and the field-line
// procedures working on them; its four click handlers are the only way into
// the drawing.
class Form1 : public QWidget
{
    Q_OBJECT

public:
    explicit Form1(QWidget *parent = nullptr);
    ~Form1() override;

    // Puts the six texts and the mode of the panel into the controls without
    // running any handler: nothing is drawn until excite.
    void preset(const TextPanel &panel);

    // The picture Picture1 shows.
    const KeptDrawing &drawing() const { return drawing_; }

    // Shows the window's messages through messenger (not owned) instead of
    // message boxes; nullptr brings the message boxes back.
    void setMessenger(Messenger *messenger);

    // Writes the picture to path in one of the formats the window saves (a
    // .png of 1386 × 770 pixels or a .svg of vectors). A failed write is
    // shown as a message and leaves any existing file as it was. True when
    // the file was written.
    bool savePicture(const QString &path);

    // Asks for a file name and saves the picture there (context menu of
    // Picture1, Ctrl+S).
    void savePictureAs();

    // The standard print dialog (a printer, or a PDF file), set to A4
    // landscape, then the page: the picture as vectors, with the caption
    // line under it (context menu of Picture1).
    void printPictureAs();
    // Prints the page on the printer as it is set up.
    void printPicture(QPrinter &printer);

    // Sets up a classic configuration as a user would: selects its mode,
    // fills the boxes, and draws.
    void applyPreset(const Preset &preset);

    // What the picture shows besides the field lines. Switching one redraws
    // the picture on show at once (its field lines as they are); the choice
    // is remembered for the next start unless remember is false.
    const Overlays &overlays() const { return overlays_; }
    void setOverlays(const Overlays &overlays, bool remember = true);

    // How the picture looks on the screen and in the pictures saved from the
    // window (projector, colour-blind-safe dots); remembered likewise.
    const PictureStyle &pictureStyle() const { return style_; }
    void setPictureStyle(const PictureStyle &style, bool remember = true);

    // True once the program is ending (Command2 or the window was closed):
    // no handler does anything more, and a drawing waiting for events stops.
    bool isEnding() const { return ending_; }

protected:
    void closeEvent(QCloseEvent *event) override;
    // Enter on a focused button presses it.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Forwards the excite's messages to whichever messenger is current, so
    // that the field-line procedures can keep one reference for their life.
    // The plot is brought up to date first: a message refusing the input
    // appears over the plot the excite has just cleared.
    class MessengerRelay : public Messenger
    {
    public:
        void show(const Message &message) override;
        Messenger *target = nullptr;
        PictureBox *picture = nullptr;
    };

    // Lets the queued events run when a drawing asks for it.
    class Events : public EventPump
    {
    public:
        void DoEvents() override { form->processPendingEvents(); }
        Form1 *form = nullptr;
    };

    void createControls();
    void chainFocus();
    void connectHandlers();
    void createPictureMenu();

    // The switches of the picture's menu, each remembered under its key.
    struct Switch
    {
        const char *key;
        const char *text;
        bool &(*flag)(Form1 &form);
        bool overlay;  // what the picture shows, else how it looks
    };
    static const std::vector<Switch> &switches();
    void loadSwitches();
    void saveSwitches();
    // Shows the switches' state in the menu and the style on the screen.
    void showSwitches();
    // Draws the overlays over the field lines of the picture on show, in
    // place of those drawn before.
    void redrawOverlays();

    // The click handlers.
    void excite();            // Command1 "激　发"; see exciteQueued_
    void enterSingleCharge(); // Option1 "单个点电荷"
    void enterTwoCharges();   // Option2 "两个点电荷"
    void endProgram();        // Command2 "关闭窗口", and closing the window

    // Lets queued events run from inside a drawing; stops the drawing when
    // one of them ended the program.
    void processPendingEvents();

    // Asks whether the existing file at path may be replaced.
    bool mayReplace(const QString &path);

    PictureBox *picture1_ = nullptr;
    QGroupBox *frame1_ = nullptr;
    QRadioButton *option1_ = nullptr;
    QRadioButton *option2_ = nullptr;
    std::array<QLineEdit *, 6> text_{};  // Text1 … Text6
    QPushButton *command1_ = nullptr;
    QPushButton *command2_ = nullptr;

    DrawingState state_;
    KeptDrawing drawing_;
    // The drawing goes through it, which keeps the field lines for the
    // labels of the equipotentials to keep clear of.
    LineCollector collector_{drawing_};
    Overlays overlays_;
    PictureStyle style_;
    // Where the field lines of the picture on show end and its overlays
    // begin.
    DisplayList::Mark fieldLinesEnd_;
    QMenu *pictureMenu_ = nullptr;
    PictureInteraction *interaction_ = nullptr;
    std::unique_ptr<LineEditPanel> panel_;
    MessageBoxMessenger messageBoxes_{this};
    MessengerRelay messenger_;
    Events events_;
    std::unique_ptr<FieldLines> fieldLines_;
    bool ending_ = false;
    bool exciting_ = false;
    // A click on "激　发" while a drawing runs (it arrives in DoEvents) does
    // not start a drawing inside the drawing: it is remembered, and one more
    // excite runs when the current one has ended, on the boxes as they are
    // then. However many clicks were queued, one excite answers them all.
    bool exciteQueued_ = false;
};
