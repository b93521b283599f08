#include "app/form1.h"

#include "app/chargeediting.h"
#include "app/drawingthread.h"
#include "app/picturebox.h"
#include "app/pictureinteraction.h"
#include "core/caption.h"
#include "core/messages.h"
#include "core/presets.h"
#include "core/textpanel.h"
#include "plot/picturewriter.h"
#include "plot/translated.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QShortcut>
#include <QSignalBlocker>
#include <QStandardPaths>
#include <QTimer>

#include <vector>

namespace {

// Places and sizes are given in layout units of 1/20 point, as the window
// was designed; 15 units make one logical pixel (96 dots per inch), and Qt
// scales logical pixels on high-density screens. Each value is rounded to the
// nearest pixel on its own.
int pixels(int units)
{
    return qRound(units / 15.0);
}

void place(QWidget *widget, const char *name, int left, int top, int width, int height)
{
    widget->setObjectName(QLatin1String(name));
    widget->setGeometry(pixels(left), pixels(top), pixels(width), pixels(height));
}

// "Times New Roman" where it is installed, else its metric twin, so texts
// keep their designed widths; Chinese text, which neither has, comes from a
// CJK serif instead of showing as boxes.
QFont timesFont(qreal points, bool italic = false)
{
    QFont font;
    font.setFamilies({QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"),
                      QStringLiteral("Noto Serif CJK SC")});
    font.setPointSizeF(points);
    font.setItalic(italic);
    return font;
}

// The title's brush script "华文新魏" (STXinwei), else a free font of the
// same hand, else a plain CJK serif.
QFont titleFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("华文新魏"), QStringLiteral("STXinwei"), QStringLiteral("LXGW WenKai"),
                      QStringLiteral("Noto Serif CJK SC")});
    font.setPointSizeF(26.25);
    return font;
}

constexpr qreal kWindowPoints = 14.25;

// A label draws its text from its top-left corner, as the layout expects:
// the letters laid over the gaps of the range line and the subscripts
// depend on it. A label whose text needs more room than its designed size
// (Chinese glyphs come from a font with a taller line, and the substitute
// fonts differ a little in width) grows right and down instead of cutting
// the text off.
QLabel *addLabel(QWidget *parent, const char *name, const QString &text, int left, int top, int width, int height,
                 const QFont *font = nullptr)
{
    auto *label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    if (font)
        label->setFont(*font);
    place(label, name, left, top, width, height);
    label->resize(label->size().expandedTo(label->sizeHint()));
    return label;
}

// A text box with its default text.
QLineEdit *newBox(int box, QWidget *parent)
{
    return new QLineEdit(QString::fromUtf8(TextPanel::kDefaultTexts[std::size_t(box - 1)]), parent);
}

void setTextColour(QLabel *label, const QColor &colour)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
}

}  // namespace

Form1::Form1(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                          | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(tr("电场线的描绘"));
    setWindowIcon(QIcon::fromTheme(QStringLiteral("fieldlines"), QIcon(QStringLiteral(":/fieldlines.svg"))));
    setFont(timesFont(kWindowPoints));
    // Client area 14895 × 6810 units; the window cannot be resized.
    setFixedSize(pixels(14895), pixels(6810));

    createControls();
    chainFocus();

    clock_.start();
    animation_ = new QTimer(this);
    animation_->setInterval(16);
    connect(animation_, &QTimer::timeout, this, &Form1::animate);

    worker_ = new DrawingThread(this);
    connect(worker_, &DrawingThread::drawn, this, &Form1::showPicture);
    interaction_ = new PictureInteraction(
        *picture1_, [this] { return configuration(); }, [this](const Configuration &moved) { moveCharges(moved); });

    loadSwitches();
    createPictureMenu();
    showSwitches();
    connectHandlers();
}

Form1::~Form1()
{
    worker_->abort();
    worker_->wait();
}

void Form1::createControls()
{
    const QFont italic = timesFont(kWindowPoints, true);
    const QFont q = timesFont(15.75, true);
    const QFont subscript = timesFont(10.5);
    const QFont dot = timesFont(21.75);
    const QString blackCircle = QStringLiteral("\u25CF");

    const QFont title = titleFont();
    addLabel(this, "Label1", tr("电场线的描绘", "title above the picture"), 120, 120, 3150, 525, &title);

    picture1_ = new PictureBox(this);
    place(picture1_, "Picture1", 120, 840, 10395, 5775);

    frame1_ = new QGroupBox(tr("参数设置"), this);
    place(frame1_, "Frame1", 10680, 240, 4095, 6375);

    // Inside Frame1, places count from the frame's own top-left corner: its
    // border line and its caption are drawn within its rectangle, over the
    // same area the controls are laid on, so the frame's inner area starts
    // at its outer corner. The first row (the options) sits just below the
    // caption and the buttons end 8 pixels above the bottom line.
    QWidget *f = frame1_;
    option1_ = new QRadioButton(tr("单个点电荷"), f);
    place(option1_, "Option1", 120, 360, 1815, 495);
    option2_ = new QRadioButton(tr("两个点电荷"), f);
    place(option2_, "Option2", 2040, 360, 1935, 495);
    option2_->setChecked(true);

    // The range line: "x" and "y" in italics are laid over the blank gaps.
    addLabel(f, "Label18", QStringLiteral("(-45≤     ≤45)       (-25≤     ≤25)"), 240, 960, 3495, 315);
    addLabel(f, "Label19", QStringLiteral("x"), 970, 960, 120, 315, &italic);
    addLabel(f, "Label20", QStringLiteral("y"), 3000, 960, 120, 315, &italic);

    // Charge 1: "Q" with a subscript 1 and the green dot of its legend.
    addLabel(f, "Label2", QStringLiteral("Q"), 240, 1560, 225, 345, &q);
    addLabel(f, "Label3", QStringLiteral("1"), 480, 1700, 105, 240, &subscript);
    setTextColour(addLabel(f, "Label4", blackCircle, 645, 1500, 285, 495, &dot), QColor(0x00, 0xC0, 0x00));
    addLabel(f, "Label5", tr("位置坐标："), 240, 2040, 1500, 315);
    addLabel(f, "Label6", QStringLiteral("x"), 255, 2400, 120, 315, &italic);
    text_[0] = newBox(1, f);
    place(text_[0], "Text1", 480, 2400, 1215, 435);
    addLabel(f, "Label7", QStringLiteral("y"), 2350, 2400, 120, 315, &italic);
    text_[1] = newBox(2, f);
    place(text_[1], "Text2", 2600, 2400, 1215, 435);
    addLabel(f, "Label8", tr("电荷量："), 240, 3050, 1200, 315);
    text_[2] = newBox(3, f);
    place(text_[2], "Text3", 1320, 3000, 1215, 435);
    addLabel(f, "Label9", QStringLiteral("C"), 2640, 3070, 195, 315, &italic);

    // Charge 2, the same about 2150 units lower, with the red dot.
    addLabel(f, "Label15", QStringLiteral("Q"), 240, 3700, 225, 345, &q);
    addLabel(f, "Label16", QStringLiteral("2"), 480, 3850, 105, 240, &subscript);
    setTextColour(addLabel(f, "Label17", blackCircle, 650, 3650, 285, 495, &dot), QColor(0xFF, 0x00, 0x00));
    addLabel(f, "Label14", tr("位置坐标："), 240, 4200, 1500, 315);
    addLabel(f, "Label12", QStringLiteral("x"), 255, 4600, 120, 315, &italic);
    text_[3] = newBox(4, f);
    place(text_[3], "Text4", 480, 4560, 1215, 435);
    addLabel(f, "Label13", QStringLiteral("y"), 2350, 4600, 120, 315, &italic);
    text_[4] = newBox(5, f);
    place(text_[4], "Text5", 2600, 4560, 1215, 435);
    addLabel(f, "Label10", tr("电荷量："), 240, 5200, 1200, 315);
    text_[5] = newBox(6, f);
    place(text_[5], "Text6", 1320, 5160, 1215, 435);
    addLabel(f, "Label11", QStringLiteral("C"), 2640, 5240, 255, 495, &italic);

    // The gap in "激　发" is one ideographic space.
    command1_ = new QPushButton(tr("激　发"), f);
    place(command1_, "Command1", 480, 5760, 1335, 495);
    command2_ = new QPushButton(tr("关闭窗口"), f);
    place(command2_, "Command2", 2280, 5760, 1335, 495);

    // Screen readers name each box by what it holds; the buttons and
    // options are named by their texts.
    const QString boxNames[6] = {tr("电荷1 x坐标"), tr("电荷1 y坐标"), tr("电荷1 电荷量"),
                                 tr("电荷2 x坐标"), tr("电荷2 y坐标"), tr("电荷2 电荷量")};
    for (int i = 0; i < 6; ++i)
        text_[i]->setAccessibleName(boxNames[i]);
}

// Focus follows the designed tab indexes; labels and the frame take none.
void Form1::chainFocus()
{
    QWidget *const order[] = {picture1_, option1_, option2_, command1_, text_[0], text_[1],
                              text_[2],  text_[3], text_[4], text_[5],  command2_};
    for (std::size_t i = 1; i < std::size(order); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

void Form1::connectHandlers()
{
    connect(command1_, &QPushButton::clicked, this, &Form1::excite);
    connect(command2_, &QPushButton::clicked, this, &Form1::endProgram);
    // A mode is entered when its option becomes selected: clicking the
    // option already selected changes nothing (and leaves Text1 as typed).
    connect(option1_, &QRadioButton::toggled, this, [this](bool selected) {
        if (selected)
            enterSingleCharge();
    });
    connect(option2_, &QRadioButton::toggled, this, [this](bool selected) {
        if (selected)
            enterTwoCharges();
    });
    // Enter in any box draws, as it sends a form; Enter on a focused button
    // presses it, as Space does.
    for (QLineEdit *box : text_)
        connect(box, &QLineEdit::returnPressed, this, &Form1::excite);
    command1_->installEventFilter(this);
    command2_->installEventFilter(this);

    auto *save = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_S), this);
    connect(save, &QShortcut::activated, this, &Form1::savePictureAs);
}

void Form1::preset(const Configuration &configuration)
{
    several_ = configuration.mode == Mode::Several;
    severalCharges_ = several_ ? configuration.charges : std::vector<ChargeTexts>();
    for (std::size_t i = 0; i < 2; ++i) {
        // In several-charge mode a charge the list does not have leaves its
        // boxes empty.
        const bool given = i < configuration.charges.size();
        if (given || several_)
            showCharge(i, given ? configuration.charges[i] : ChargeTexts{});
    }
    // The mode as selecting its option leaves it, but Text1 keeps the text
    // given: the option is set without running its handler. In several-charge
    // mode neither is selected.
    const QSignalBlocker blockOption1(option1_);
    const QSignalBlocker blockOption2(option2_);
    if (several_) {
        for (QRadioButton *option : {option1_, option2_}) {
            option->setAutoExclusive(false);
            option->setChecked(false);
            option->setAutoExclusive(true);
        }
        setBoxesLocked(1, 3, configuration.charges.empty());
        setBoxesLocked(4, 6, configuration.charges.size() < 2);
    } else {
        const bool two = configuration.mode == Mode::Two;
        (two ? option2_ : option1_)->setChecked(true);
        setBoxesLocked(1, 3, false);
        setCharge2Locked(!two);
    }
    if (pictureMenu_)
        showSwitches();
}

Configuration Form1::configuration() const
{
    Configuration c;
    if (several_) {
        c.mode = Mode::Several;
        c.charges = severalCharges_;
    } else {
        c.mode = option2_->isChecked() ? Mode::Two : Mode::Single;
    }
    // The boxes hold charges 1 and 2 as typed.
    for (std::size_t i = 0; i < 2 && i < c.charges.size(); ++i)
        c.charges[i] = boxCharge(i);
    c.overlays = overlays_;
    c.look = look_;
    c.accurate = accurate_;
    c.testCharges = testCharges_;
    c.releaseLines = releaseLines_;
    for (const qint64 at : releasedAt_)
        c.testTimes.push_back(double(clock_.elapsed() - at) / 1000 * kTestTimePerSecond);
    return c;
}

const std::shared_ptr<const Picture> &Form1::picture() const
{
    return picture1_->picture();
}

bool Form1::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && (watched == command1_ || watched == command2_)) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            static_cast<QPushButton *>(watched)->click();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void Form1::setMessenger(Messenger *messenger)
{
    messenger_ = messenger ? messenger : &messageBoxes_;
}

void Form1::excite()
{
    request(Request::Excite);
}

void Form1::request(Request kind)
{
    if (ending_)
        return;
    // The test charges belong to the field they were released in: a new
    // excite of the charges ends them.
    if (kind == Request::Excite)
        clearTestCharges();
    if (drawing_) {
        pending_ = std::max(pending_, kind);
        return;
    }
    start(kind);
}

void Form1::start(Request kind)
{
    Configuration next = configuration();
    if (kind == Request::Restyle) {
        // The picture on show in the switches as they are now; its boxes are
        // not read again.
        const auto &shown = picture();
        if (!shown)
            return;
        next.mode = shown->configuration.mode;
        next.charges = shown->configuration.charges;
    }
    drawing_ = true;
    worker_->draw(next, picture1_->screenSize(), picture1_->devicePixelRatioF());
}

void Form1::showPicture(std::shared_ptr<const Picture> picture, const QImage &screen)
{
    if (ending_)
        return;
    // Every finished picture is the newest there is: one drawing runs at a
    // time. The requests made meanwhile are answered by one more drawing,
    // once this picture and its messages are on show; until then the
    // drawing counts as under way.
    if (picture->charge2Locked)
        setCharge2Locked(true);
    picture1_->show(picture, screen);
    interaction_->pictureChanged();
    // A message appears over the picture it belongs to.
    if (!picture->messages.empty())
        picture1_->repaint();
    for (const Message &message : picture->messages) {
        if (ending_)
            return;
        messenger_->show(message);
    }
    drawing_ = false;
    if (pending_ != Request::None && !ending_) {
        const Request next = pending_;
        pending_ = Request::None;
        start(next);
    }
}

void Form1::applyPreset(const Preset &preset)
{
    if (ending_)
        return;
    if (preset.mode == Mode::Several) {
        takeCharges(preset.appliedTo(configuration()));
        return;
    }
    // The option's own handler locks or unlocks the boxes of charge 2 (and
    // for a single charge moves it to x = 0) before the boxes are filled.
    (preset.mode == Mode::Two ? option2_ : option1_)->click();
    for (std::size_t i = 0; i < preset.charges.size() && i < 2; ++i)
        showCharge(i, preset.charges[i]);
    request(Request::Excite);
}

void Form1::moveCharges(const Configuration &moved)
{
    if (ending_)
        return;
    if (several_) {
        takeCharges(moved);
        return;
    }
    for (std::size_t i = 0; i < 2 && i < moved.charges.size(); ++i) {
        // A box that is locked never changes.
        if (text_[3 * i]->isReadOnly())
            continue;
        text_[3 * i]->setText(QString::fromStdString(moved.charges[i].x));
        text_[3 * i + 1]->setText(QString::fromStdString(moved.charges[i].y));
    }
    request(Request::Excite);
}

void Form1::takeCharges(const Configuration &edited)
{
    if (ending_)
        return;
    preset(edited);
    request(Request::Excite);
}

void Form1::loadSwitches()
{
    const QSettings settings;
    const auto remembered = [&settings](const char *key) {
        return settings.value(QStringLiteral("view/") + QLatin1String(key), false).toBool();
    };
    for (const Overlay &overlay : ::overlays())
        overlays_.set(overlay.key, remembered(overlay.key));
    for (const LookSwitch &option : lookSwitches())
        look_.*option.flag = remembered(option.key);
    accurate_ = remembered("accurate");
    releaseLines_ = remembered("releaseLines");
}

void Form1::saveSwitch(const char *key, bool on)
{
    QSettings settings;
    settings.setValue(QStringLiteral("view/") + QLatin1String(key), on);
}

void Form1::showSwitches()
{
    for (const Overlay &overlay : ::overlays()) {
        if (auto *action = pictureMenu_->findChild<QAction *>(QString::fromLatin1(overlay.key)))
            action->setChecked(overlays_.contains(overlay.key));
    }
    for (const LookSwitch &option : lookSwitches()) {
        if (auto *action = pictureMenu_->findChild<QAction *>(QString::fromLatin1(option.key)))
            action->setChecked(look_.*option.flag);
    }
    if (auto *action = pictureMenu_->findChild<QAction *>(QStringLiteral("accurate")))
        action->setChecked(accurate_);
    if (auto *action = pictureMenu_->findChild<QAction *>(QStringLiteral("releaseLines")))
        action->setChecked(releaseLines_);
    // The legend dots of the panel take the colours of the picture's dots;
    // where the dots show each charge's sign instead, there is no legend.
    const bool legend = !several_ && !accurate_;
    for (const auto &[name, colour] : {std::pair{"Label4", 0x00C000u}, std::pair{"Label17", 0xFF0000u}}) {
        auto *dot = findChild<QLabel *>(QLatin1String(name));
        setTextColour(dot, QColor::fromRgb(lookColour(colour, Layer::Dots, look_)));
        dot->setVisible(legend);
    }
}

void Form1::setOverlays(const OverlaySet &overlays, bool remember)
{
    if (remember) {
        for (const Overlay &overlay : ::overlays()) {
            if (overlays.contains(overlay.key) != overlays_.contains(overlay.key))
                saveSwitch(overlay.key, overlays.contains(overlay.key));
        }
    }
    overlays_ = overlays;
    showSwitches();
    request(Request::Restyle);
}

void Form1::setLook(const Look &look, bool remember)
{
    if (remember) {
        for (const LookSwitch &option : lookSwitches()) {
            if (look.*option.flag != look_.*option.flag)
                saveSwitch(option.key, look.*option.flag);
        }
    }
    look_ = look;
    showSwitches();
    request(Request::Restyle);
}

void Form1::setAccurate(bool on, bool remember)
{
    if (remember && on != accurate_)
        saveSwitch("accurate", on);
    accurate_ = on;
    showSwitches();
    request(Request::Restyle);
}

void Form1::setReleaseLines(bool on, bool remember)
{
    if (remember && on != releaseLines_)
        saveSwitch("releaseLines", on);
    releaseLines_ = on;
    showSwitches();
    if (!testCharges_.empty())
        request(Request::Restyle);
}

void Form1::releaseTestCharges(std::optional<bool> positive)
{
    for (const auto &[name, sign] : {std::pair{"releasePositive", true}, std::pair{"releaseNegative", false}}) {
        if (auto *action = pictureMenu_->findChild<QAction *>(QLatin1String(name)))
            action->setChecked(positive == sign);
    }
    interaction_->setReleasing(positive, [this](const TestCharge &charge) { releaseTestCharge(charge); });
}

void Form1::releaseTestCharge(const TestCharge &charge)
{
    const auto &shown = picture();
    if (ending_ || !shown || shown->charges.empty())
        return;
    TestCharges released = testCharges_;
    std::vector<qint64> at = releasedAt_;
    // A ninth ends the oldest.
    if (released.size() >= kMaxTestCharges) {
        released.erase(released.begin());
        at.erase(at.begin());
    }
    released.push_back(charge);
    at.push_back(clock_.elapsed());
    if (const Message *refusal = releaseRefusal(shown->charges, released)) {
        messenger_->show(*refusal);
        return;
    }
    testCharges_ = std::move(released);
    releasedAt_ = std::move(at);
    animation_->start();
    request(Request::Restyle);
}

void Form1::clearTestCharges()
{
    if (testCharges_.empty())
        return;
    testCharges_.clear();
    releasedAt_.clear();
    animation_->stop();
}

void Form1::animate()
{
    const auto &shown = picture();
    const Configuration now = configuration();
    bool moving = false;
    for (std::size_t i = 0; i < now.testCharges.size(); ++i) {
        const bool drawnYet = shown && i < shown->testChargeEnds.size();
        moving = moving || !drawnYet || now.testTime(i) < shown->testChargeEnds[i];
    }
    // One more frame after the last has ended, so that it shows whole.
    if (!moving)
        animation_->stop();
    request(Request::Restyle);
}

void Form1::createPictureMenu()
{
    pictureMenu_ = new QMenu(this);
    QAction *save = pictureMenu_->addAction(tr("保存图片…"));
    save->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    connect(save, &QAction::triggered, this, &Form1::savePictureAs);
    QAction *print = pictureMenu_->addAction(tr("打印…"));
    print->setObjectName(QStringLiteral("print"));
    connect(print, &QAction::triggered, this, &Form1::printPictureAs);
    pictureMenu_->addSeparator();

    QMenu *classics = pictureMenu_->addMenu(tr("典型电荷分布"));
    classics->setObjectName(QStringLiteral("presets"));
    for (const Preset &preset : presets()) {
        QAction *action = classics->addAction(QCoreApplication::translate("Presets", preset.name));
        action->setObjectName(QStringLiteral("preset-") + QLatin1String(preset.commandName));
        connect(action, &QAction::triggered, this, [this, &preset] { applyPreset(preset); });
    }
    pictureMenu_->addSeparator();
    chargeEditing_ = new ChargeEditing(
        *pictureMenu_, *this, [this] { return configuration(); },
        [this](const Configuration &edited) { takeCharges(edited); },
        [this](const Message &refusal) { messenger_->show(refusal); });
    connect(picture1_, &PictureBox::menuAbout, this, [this](const PlotPoint &point) {
        chargeEditing_->menuAt(point, interaction_->chargeAt(point));
    });
    pictureMenu_->addSeparator();

    for (const Overlay &overlay : ::overlays()) {
        QAction *action = pictureMenu_->addAction(QCoreApplication::translate("Overlays", overlay.menuText));
        action->setCheckable(true);
        action->setObjectName(QString::fromLatin1(overlay.key));
        connect(action, &QAction::triggered, this, [this, &overlay](bool on) {
            OverlaySet changed = overlays_;
            changed.set(overlay.key, on);
            setOverlays(changed);
        });
    }
    QAction *positive = pictureMenu_->addAction(tr("释放试探电荷（正）"));
    positive->setObjectName(QStringLiteral("releasePositive"));
    positive->setCheckable(true);
    connect(positive, &QAction::triggered, this, [this] { releaseTestCharges(true); });
    QAction *negative = pictureMenu_->addAction(tr("释放试探电荷（负）"));
    negative->setObjectName(QStringLiteral("releaseNegative"));
    negative->setCheckable(true);
    connect(negative, &QAction::triggered, this, [this] { releaseTestCharges(false); });
    QAction *lines = pictureMenu_->addAction(tr("显示出发点的电场线"));
    lines->setObjectName(QStringLiteral("releaseLines"));
    lines->setCheckable(true);
    connect(lines, &QAction::triggered, this, [this](bool on) { setReleaseLines(on); });
    QAction *clear = pictureMenu_->addAction(tr("清除轨迹"));
    clear->setObjectName(QStringLiteral("clearPaths"));
    connect(clear, &QAction::triggered, this, [this] {
        clearTestCharges();
        request(Request::Restyle);
    });
    // Any other entry ends the releasing.
    connect(pictureMenu_, &QMenu::triggered, this, [this, positive, negative](QAction *action) {
        if (action != positive && action != negative)
            releaseTestCharges(std::nullopt);
    });
    connect(picture1_, &PictureBox::escaped, this, [this] { releaseTestCharges(std::nullopt); });
    pictureMenu_->addSeparator();

    QAction *accurate = pictureMenu_->addAction(tr("按电荷量画线（精确）"));
    accurate->setCheckable(true);
    accurate->setObjectName(QStringLiteral("accurate"));
    connect(accurate, &QAction::triggered, this, [this](bool on) { setAccurate(on); });
    pictureMenu_->addSeparator();
    for (const LookSwitch &option : lookSwitches()) {
        QAction *action = pictureMenu_->addAction(QCoreApplication::translate("Looks", option.menuText));
        action->setCheckable(true);
        action->setObjectName(QString::fromLatin1(option.key));
        connect(action, &QAction::triggered, this, [this, &option](bool on) {
            Look changed = look_;
            changed.*option.flag = on;
            setLook(changed);
        });
    }
    picture1_->setContextMenu(pictureMenu_);
}

void Form1::showCharge(std::size_t index, const ChargeTexts &charge)
{
    text_[3 * index]->setText(QString::fromStdString(charge.x));
    text_[3 * index + 1]->setText(QString::fromStdString(charge.y));
    text_[3 * index + 2]->setText(QString::fromStdString(charge.q));
}

ChargeTexts Form1::boxCharge(std::size_t index) const
{
    return {text_[3 * index]->text().toStdString(), text_[3 * index + 1]->text().toStdString(),
            text_[3 * index + 2]->text().toStdString()};
}

void Form1::setCharge2Locked(bool locked)
{
    setBoxesLocked(4, 6, locked);
}

void Form1::setBoxesLocked(int first, int last, bool locked)
{
    for (int box = first; box <= last; ++box) {
        QLineEdit *edit = text_[std::size_t(box - 1)];
        edit->setReadOnly(locked);
        // A read-only box shows the background the platform gives a box one
        // cannot type in, so a student sees why typing does nothing; its
        // number keeps the normal text colour and stays readable.
        QPalette palette = edit->parentWidget() ? edit->parentWidget()->palette() : QPalette();
        if (locked) {
            QColor grey = palette.color(QPalette::Disabled, QPalette::Base);
            if (grey == palette.color(QPalette::Active, QPalette::Base))
                grey = palette.color(QPalette::Window);
            for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
                palette.setColor(group, QPalette::Base, grey);
        }
        edit->setPalette(palette);
    }
}

void Form1::leaveSeveral()
{
    if (!several_)
        return;
    several_ = false;
    severalCharges_.clear();
    setBoxesLocked(1, 3, false);
    const std::vector<ChargeTexts> defaults = defaultCharges();
    for (std::size_t i = 0; i < 2; ++i) {
        if (text_[3 * i]->text().isEmpty() && text_[3 * i + 2]->text().isEmpty())
            showCharge(i, defaults[i]);
    }
}

void Form1::enterSingleCharge()
{
    if (ending_)
        return;
    leaveSeveral();
    showSwitches();
    setCharge2Locked(true);
    text_[0]->setText(QStringLiteral("0"));
}

void Form1::enterTwoCharges()
{
    if (ending_)
        return;
    leaveSeveral();
    showSwitches();
    setCharge2Locked(false);
}

void Form1::endProgram()
{
    if (ending_)
        return;
    ending_ = true;
    // The drawing under way stops at once; its picture is never shown.
    worker_->abort();
    close();
    QCoreApplication::quit();
}

void Form1::closeEvent(QCloseEvent *event)
{
    event->accept();
    endProgram();
}

QString Form1::caption() const
{
    const auto &shown = picture();
    return shown ? QString::fromStdString(pictureCaption(shown->configuration, qtTranslation)) : QString();
}

void Form1::savePictureAs()
{
    if (ending_)
        return;
    // The formats the window saves, in the order of the table; the first is
    // the one proposed.
    QStringList filters;
    std::vector<const OutputFormat *> offered;
    for (const OutputFormat &format : outputFormats()) {
        if (!format.fromWindow)
            continue;
        filters << QStringLiteral("%1 (*.%2)").arg(QCoreApplication::translate("PictureWriter", format.name),
                                                   QLatin1String(format.suffix));
        offered.push_back(&format);
    }
    QString dir = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    if (dir.isEmpty() || !QDir(dir).exists())
        dir = QDir::homePath();
    QString filter = filters.constFirst();
    const QString proposed = tr("电场线") + QLatin1Char('.') + QLatin1String(offered.front()->suffix);
    // The dialog does not ask about replacing a file: the name typed there
    // may yet get an extension, and the question belongs to the name
    // written.
    QString path = QFileDialog::getSaveFileName(this, translated(Messages::SaveTitle),
                                                QDir(dir).filePath(proposed), filters.join(QStringLiteral(";;")),
                                                &filter, QFileDialog::DontConfirmOverwrite);
    if (path.isEmpty())
        return;
    // A name without the extension of a format the window saves gets the
    // chosen filter's.
    const OutputFormat *format = PictureWriter::formatOf(path);
    if (!format || !format->fromWindow) {
        const qsizetype chosen = filters.indexOf(filter);
        path += QLatin1Char('.') + QLatin1String(offered[std::size_t(chosen < 0 ? 0 : chosen)]->suffix);
    }
    if (QFileInfo(path).exists() && !mayReplace(path))
        return;
    savePicture(path);
}

bool Form1::mayReplace(const QString &path)
{
    QMessageBox box(QMessageBox::Warning, translated(Messages::SaveTitle),
                    translated(Messages::ReplaceQuestion).arg(QFileInfo(path).fileName()),
                    QMessageBox::NoButton, this);
    QPushButton *replace = box.addButton(translated(Messages::ReplaceButton), QMessageBox::AcceptRole);
    box.setDefaultButton(box.addButton(translated(Messages::CancelButton), QMessageBox::RejectRole));
    box.exec();
    return box.clickedButton() == replace;
}

void Form1::printPictureAs()
{
    if (ending_)
        return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF(15, 15, 15, 15),
                                      QPageLayout::Millimeter));
    printer.setDocName(PictureWriter::documentTitle());
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() == QDialog::Accepted)
        printPicture(printer);
}

void Form1::printPicture(QPrinter &printer)
{
    QPainter painter;
    if (!painter.begin(&printer)) {
        messenger_->show({Messages::NotPrinted, Messages::PrintTitle, Severity::Failure});
        return;
    }
    static const DisplayList empty;
    const auto &shown = picture();
    const QRectF page = printer.pageLayout().paintRectPixels(printer.resolution());
    PictureWriter::paintPage(painter, QRectF(QPointF(0, 0), page.size()), shown ? shown->drawing : empty, caption());
    painter.end();
}

bool Form1::savePicture(const QString &path)
{
    static const DisplayList empty;
    const auto &shown = picture();
    const OutputFormat *format = PictureWriter::formatOf(path);
    PictureWriter::Result result;
    if (format && format->fromWindow)
        result = PictureWriter::write(PictureWriter::Source{shown ? &shown->drawing : &empty, nullptr, caption()},
                                      path, QSize(format->savedWidth, format->savedHeight));
    else
        result.error = translated(Messages::SaveOnlyPictures);
    if (!result) {
        const QString prompt = translated(Messages::NotSaved) + QLatin1Char('\n') + result.error;
        messenger_->show({prompt.toStdString(), Messages::SaveTitle, Severity::Failure});
    }
    return result.ok;
}
