#include "apptestsupport.h"

#include "app/messageboxmessenger.h"
#include "core/messages.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QXmlStreamReader>

#include <functional>

namespace {

// Runs inspect on the next modal dialog once it is open; the dialog must be
// closed by inspect.
void whenModalOpens(std::function<void(QWidget *)> inspect)
{
    auto *timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, inspect] {
        if (QWidget *dialog = QApplication::activeModalWidget()) {
            timer->stop();
            timer->deleteLater();
            inspect(dialog);
        }
    });
    timer->start();
}

class PictureSave : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        window.excite();
    }
    QString path(const char *name) const { return dir.filePath(QString::fromUtf8(name)); }

    QTemporaryDir dir;
    Window window;
};

TEST_F(PictureSave, PngIsTwiceTheDesignedSize)
{
    ASSERT_TRUE(window.form.savePicture(path("电场线.png")));
    const QImage image(path("电场线.png"));
    ASSERT_EQ(image.size(), QSize(1386, 770));
    EXPECT_TRUE(isGreen(pixelAt(image, -15, 0)));
    EXPECT_TRUE(isRed(pixelAt(image, 15, 0)));
    EXPECT_TRUE(window.messenger.messages.empty());
}

TEST_F(PictureSave, SvgHoldsTheLinesAsVectors)
{
    ASSERT_TRUE(window.form.savePicture(path("field.svg")));
    QSvgRenderer renderer(path("field.svg"));
    EXPECT_TRUE(renderer.isValid());

    QFile file(path("field.svg"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    int strokes = 0;
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement
            && (xml.name() == u"path" || xml.name() == u"polyline" || xml.name() == u"line"))
            ++strokes;
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_GT(strokes, 25);  // at least the 25 lines leaving charge 1
}

// A write that fails says so and leaves the window as it was.
TEST_F(PictureSave, FailedWriteShowsAMessage)
{
    struct Row
    {
        const char *name;
        QString path;
    };
    QTemporaryDir blocker;
    ASSERT_TRUE(QDir(blocker.path()).mkdir("taken.png"));
    const Row rows[] = {
        {"missing folder", path("no-such-folder/电场线.png")},
        {"a folder is in the way", blocker.filePath("taken.png")},
        {"neither png nor svg", path("电场线.bmp")},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        window.messenger.messages.clear();
        const auto revision = window.form.drawing().revision();
        EXPECT_FALSE(window.form.savePicture(row.path));
        ASSERT_EQ(window.messenger.messages.size(), 1u);
        EXPECT_EQ(window.messenger.messages[0].title, "保存图片");
        EXPECT_NE(window.messenger.messages[0].prompt.find("没有保存"), std::string::npos);
        EXPECT_EQ(window.form.drawing().revision(), revision);
        EXPECT_FALSE(QFileInfo(row.path).isFile());
    }
}

// Ctrl+S opens the save dialog with the default name and both formats; the
// name chosen there is written.
TEST_F(PictureSave, CtrlSAsksForTheFileAndWritesIt)
{
    window.form.show();
    window.form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window.form));

    const QString chosen = path("chosen");  // no extension: the filter's is added
    QString defaultName;
    QStringList filters;
    whenModalOpens([&](QWidget *modal) {
        auto *dialog = qobject_cast<QFileDialog *>(modal);
        ASSERT_NE(dialog, nullptr);
        defaultName = dialog->selectedFiles().value(0);
        filters = dialog->nameFilters();
        dialog->selectNameFilter(filters.value(1));
        dialog->selectFile(chosen);
        static_cast<QDialog *>(dialog)->accept();  // QFileDialog::accept, as the Save button does
    });
    QTest::keyClick(&window.form, Qt::Key_S, Qt::ControlModifier);

    EXPECT_TRUE(defaultName.endsWith("/电场线.png")) << defaultName.toStdString();
    ASSERT_EQ(filters.size(), 2);
    EXPECT_TRUE(filters[0].contains("*.png"));
    EXPECT_TRUE(filters[1].contains("*.svg"));
    EXPECT_TRUE(QSvgRenderer(chosen + ".svg").isValid());
}

struct MessageRow
{
    const char *name;
    Message message;
    QMessageBox::Icon icon;
};

// The window's messages are modal boxes with the prompt, the title and one
// button "确定".
TEST(MessageBoxes, ShowPromptTitleAndOneOkButton)
{
    const MessageRow rows[] = {
        {"wrong order", Messages::WrongOrder, QMessageBox::Information},
        {"out of range", Messages::OutOfRange, QMessageBox::Information},
        {"run-time error", Messages::UnexpectedFailure, QMessageBox::Critical},
    };
    QWidget parent;
    MessageBoxMessenger messenger(&parent);
    for (const MessageRow &row : rows) {
        SCOPED_TRACE(row.name);
        QString title, text;
        QStringList buttons;
        bool modal = false;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        whenModalOpens([&](QWidget *dialog) {
            auto *box = qobject_cast<QMessageBox *>(dialog);
            ASSERT_NE(box, nullptr);
            title = box->windowTitle();
            text = box->text();
            modal = box->isModal();
            icon = box->icon();
            for (QAbstractButton *button : box->buttons())
                buttons << button->text();
            box->buttons().value(0)->click();
        });
        messenger.show(row.message);
        EXPECT_EQ(title.toStdString(), row.message.title);
        EXPECT_EQ(text.toStdString(), row.message.prompt);
        EXPECT_EQ(icon, row.icon);
        EXPECT_EQ(buttons, QStringList{"确定"});
        EXPECT_TRUE(modal);
    }
}

}  // namespace
