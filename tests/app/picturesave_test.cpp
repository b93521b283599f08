#include "apptestsupport.h"

#include "app/messageboxmessenger.h"
#include "core/messages.h"
#include "support/processlimits.h"

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

// The bytes of a regular file; empty for anything else (/dev/full never ends).
QByteArray contents(const QString &path)
{
    QFile file(path);
    return QFileInfo(path).isFile() && file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A write that fails says why, in Chinese, and leaves the window and any
// file that was there as they were.
TEST_F(PictureSave, FailedWriteShowsAMessage)
{
    struct Row
    {
        const char *name;
        QString path;
        const char *cause;
        rlim_t sizeLimit = RLIM_INFINITY;
    };
    QTemporaryDir blocker;
    ASSERT_TRUE(QDir(blocker.path()).mkdir("taken.png"));
    ASSERT_TRUE(QFile::link("/dev/full", path("full.svg")));
    QFile old(path("old.svg"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly) && old.write("<svg/>") == 6);
    old.close();
    const Row rows[] = {
        {"missing folder", path("no-such-folder/电场线.png"), "文件夹不存在"},
        {"a folder is in the way", blocker.filePath("taken.png"), "这是一个文件夹"},
        {"not a picture format", path("电场线.bmp"), "只能保存为 PNG、SVG 或 PDF 文件"},
        {"full disk", path("full.svg"), "磁盘已满"},
        {"over an old file, failing part way", path("old.svg"), "文件超出了系统允许的大小", 4096},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        window.messenger.messages.clear();
        const Picture *shownBefore = window.picture();
        const QByteArray before = contents(row.path);
        {
            const FileSizeLimit limit(row.sizeLimit);
            EXPECT_FALSE(window.form.savePicture(row.path));
        }
        ASSERT_EQ(window.messenger.messages.size(), 1u);
        EXPECT_EQ(window.messenger.messages[0].title, "保存图片");
        const std::string &prompt = window.messenger.messages[0].prompt;
        EXPECT_EQ(prompt.rfind("图片没有保存。", 0), 0u) << prompt;
        EXPECT_NE(prompt.find(row.cause), std::string::npos) << prompt;
        EXPECT_EQ(window.picture(), shownBefore);
        EXPECT_EQ(contents(row.path), before);
    }
    EXPECT_TRUE(QFileInfo(path("full.svg")).isSymLink());
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
    QStringList buttons;
    whenModalOpens([&](QWidget *modal) {
        auto *dialog = qobject_cast<QFileDialog *>(modal);
        ASSERT_NE(dialog, nullptr);
        defaultName = dialog->selectedFiles().value(0);
        filters = dialog->nameFilters();
        for (QAbstractButton *button : dialog->findChild<QDialogButtonBox *>()->buttons())
            buttons << button->text();
        dialog->selectNameFilter(filters.value(1));
        dialog->selectFile(chosen);
        static_cast<QDialog *>(dialog)->accept();  // QFileDialog::accept, as the Save button does
    });
    QTest::keyClick(&window.form, Qt::Key_S, Qt::ControlModifier);

    EXPECT_TRUE(defaultName.endsWith("/电场线.png")) << defaultName.toStdString();
    ASSERT_EQ(filters.size(), 3);
    EXPECT_TRUE(filters[0].contains("*.png"));
    EXPECT_TRUE(filters[1].contains("*.svg"));
    EXPECT_TRUE(filters[2].contains("*.pdf"));
    EXPECT_EQ(buttons, (QStringList{"保存(&S)", "取消"}));  // Qt's own texts, in Chinese
    EXPECT_TRUE(QSvgRenderer(chosen + ".svg").isValid());
}

// The name written gets the question whether to replace it, also when the
// extension was added to the name typed; only "替换" replaces the file.
TEST_F(PictureSave, ExistingFileIsReplacedOnlyWhenConfirmed)
{
    struct Row
    {
        const char *typed;
        const char *written;
        const char *answer;
        bool replaced;
    };
    const Row rows[] = {
        {"noext", "noext.png", "取消", false},
        {"x.jpg", "x.jpg.png", "替换", true},
        {"full.png", "full.png", "取消", false},
    };
    window.form.show();
    for (const Row &row : rows) {
        SCOPED_TRACE(row.typed);
        QFile old(path(row.written));
        ASSERT_TRUE(old.open(QIODevice::WriteOnly) && old.write("old") == 3);
        old.close();
        QString question;
        QStringList buttons;
        whenModalOpens([&](QWidget *modal) {
            auto *dialog = qobject_cast<QFileDialog *>(modal);
            ASSERT_NE(dialog, nullptr);
            // Typed into the name box, as a user does; selectFile would pick
            // the existing file from the list instead.
            dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->setText(path(row.typed));
            static_cast<QDialog *>(dialog)->accept();
            whenModalOpens([&](QWidget *box) {
                auto *asked = qobject_cast<QMessageBox *>(box);
                ASSERT_NE(asked, nullptr);
                question = asked->text();
                for (QAbstractButton *button : asked->buttons())
                    buttons << button->text();
                for (QAbstractButton *button : asked->buttons()) {
                    if (button->text() == QString::fromUtf8(row.answer))
                        button->click();
                }
            });
        });
        window.form.savePictureAs();

        EXPECT_EQ(question, QStringLiteral("“%1”已存在。\n要替换它吗？").arg(row.written));
        EXPECT_EQ(buttons, (QStringList{"替换", "取消"}));
        EXPECT_EQ(contents(path(row.written)) == "old", !row.replaced);
        EXPECT_EQ(QImage(path(row.written)).size(), row.replaced ? QSize(1386, 770) : QSize(0, 0));
    }
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
