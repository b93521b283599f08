#pragma once

#include "app/messageboxmessenger.h"
#include "core/configuration.h"
#include "core/messenger.h"
#include "core/pipeline.h"

#include <QElapsedTimer>
#include <QImage>
#include <QWidget>

#include <array>
#include <optional>
#include <memory>
#include <vector>

class ChargeEditing;
class DrawingThread;
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
class QTimer;

// The program's only window: the title, the plot Picture1 on the left and
// the input panel Frame1 on the right. Pictures are drawn on a worker thread
// (DrawingThread, through the Pipeline); the window's thread handles input
// and shows finished pictures.
//
// Every request for a picture (激　发, Enter in a box, a drag, an arrow key,
// a preset, a switch of the picture's menu) follows one rule: while a
// drawing runs, requests are remembered, not started; when it ends, one
// more drawing runs with the boxes as they are then, and the requests in
// between are dropped. A switch alone draws the picture on show again in
// its new overlays or look, without reading the boxes.
class Form1 : public QWidget
{
    Q_OBJECT

public:
    explicit Form1(QWidget *parent = nullptr);
    ~Form1() override;

    // Puts the mode and the charges of the configuration into the controls
    // without running any handler: nothing is drawn until excite. In
    // several-charge mode neither option is selected and the six boxes show
    // charges 1 and 2 of the list (empty and locked where there is none).
    void preset(const Configuration &configuration);

    // The configuration the controls ask for now: the mode, the boxes (and
    // the other charges of several), the switches of the picture's menu.
    Configuration configuration() const;

    // The picture on show (nullptr before the first).
    const std::shared_ptr<const Picture> &picture() const;

    // True while a drawing runs or one is waiting to run.
    bool isDrawing() const { return drawing_ || pending_ != Request::None; }

    // Shows the window's messages through messenger (not owned) instead of
    // message boxes; nullptr brings the message boxes back.
    void setMessenger(Messenger *messenger);

    // Writes the picture on show to path in one of the formats the window
    // saves (a .png of 1386 × 770 pixels, a .svg of vectors, a .pdf page).
    // A failed write is shown as a message and leaves any existing file as
    // it was. True when the file was written.
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

    // What the picture shows besides the field lines, and how it looks.
    // Switching redraws the picture on show (its field lines as they are);
    // the choice is remembered for the next start unless remember is false
    // (options given for one run).
    const OverlaySet &overlays() const { return overlays_; }
    void setOverlays(const OverlaySet &overlays, bool remember = true);
    const Look &look() const { return look_; }
    void setLook(const Look &look, bool remember = true);
    // 按电荷量画线（精确）: one or two charges drawn by the accurate tracer.
    bool accurate() const { return accurate_; }
    void setAccurate(bool on, bool remember = true);

    // Test charges: 释放试探电荷（正）/（负） makes every press on the picture
    // release one (at rest, or with the velocity dragged out) until Escape
    // or another entry of the menu; up to 8 move at once, a 9th ends the
    // oldest. Their paths play at kTestTimePerSecond; 清除轨迹 removes
    // them, and so does every change of the charges. 显示出发点的电场线 adds
    // the field line through each release point (remembered).
    void releaseTestCharges(std::optional<bool> positive);
    void releaseTestCharge(const TestCharge &charge);
    void clearTestCharges();
    const TestCharges &testCharges() const { return testCharges_; }
    void setReleaseLines(bool on, bool remember = true);

    // True once the program is ending (Command2 or the window was closed):
    // no handler does anything more, and the drawing under way stops.
    bool isEnding() const { return ending_; }

protected:
    void closeEvent(QCloseEvent *event) override;
    // Enter on a focused button presses it.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // What a request asks for: the picture on show in new overlays or look,
    // or a new excite of the boxes (which covers the first).
    enum class Request { None, Restyle, Excite };

    void createControls();
    void chainFocus();
    void connectHandlers();
    void createPictureMenu();

    void loadSwitches();
    // Remembers one switch, the one the user changed.
    void saveSwitch(const char *key, bool on);
    // Shows the switches' state in the menu and the look in the panel.
    void showSwitches();

    void request(Request kind);
    // Draws the next frame of the moving test charges, or stops when every
    // path has ended.
    void animate();
    void start(Request kind);
    void showPicture(std::shared_ptr<const Picture> picture, const QImage &screen);

    // The click handlers.
    void excite();            // Command1 "激　发"
    void enterSingleCharge(); // Option1 "单个点电荷"
    void enterTwoCharges();   // Option2 "两个点电荷"
    void endProgram();        // Command2 "关闭窗口", and closing the window

    // Charge index (0 or 1) into its three boxes, and as they hold it.
    void showCharge(std::size_t index, const ChargeTexts &charge);
    ChargeTexts boxCharge(std::size_t index) const;
    // Makes Text4, Text5 and Text6 (or all six boxes) read-only or editable
    // again.
    void setCharge2Locked(bool locked);
    void setBoxesLocked(int first, int last, bool locked);
    // Puts a moved charge's place into its boxes and asks for a drawing.
    void moveCharges(const Configuration &moved);
    // Puts an edited list of charges into the controls and draws it.
    void takeCharges(const Configuration &edited);
    // Leaves several-charge mode for an option chosen: the boxes of a charge
    // the list did not have get the window's defaults.
    void leaveSeveral();

    // Asks whether the existing file at path may be replaced.
    bool mayReplace(const QString &path);
    QString caption() const;

    PictureBox *picture1_ = nullptr;
    QGroupBox *frame1_ = nullptr;
    QRadioButton *option1_ = nullptr;
    QRadioButton *option2_ = nullptr;
    std::array<QLineEdit *, 6> text_{};  // Text1 … Text6
    QPushButton *command1_ = nullptr;
    QPushButton *command2_ = nullptr;

    OverlaySet overlays_;
    Look look_;
    bool accurate_ = false;
    // Several-charge mode: neither option selected; the charges of the list
    // (charges 1 and 2 are also in the boxes, which win when edited).
    bool several_ = false;
    std::vector<ChargeTexts> severalCharges_;
    ChargeEditing *chargeEditing_ = nullptr;
    // The test charges released, when each was (on clock_), and the timer
    // that plays their motion.
    TestCharges testCharges_;
    std::vector<qint64> releasedAt_;
    QElapsedTimer clock_;
    QTimer *animation_ = nullptr;
    bool releaseLines_ = false;
    QMenu *pictureMenu_ = nullptr;
    PictureInteraction *interaction_ = nullptr;
    MessageBoxMessenger messageBoxes_{this};
    Messenger *messenger_ = &messageBoxes_;
    DrawingThread *worker_ = nullptr;
    bool drawing_ = false;
    Request pending_ = Request::None;
    bool ending_ = false;
};
