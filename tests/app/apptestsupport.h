#pragma once

#include "app/form1.h"
#include "core/recordingmessenger.h"
#include "plot/picturepainter.h"

#include <QColor>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QScreen>
#include <QTest>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

// A window whose messages are recorded, with its controls at hand by name.
struct Window
{
    Window() { form.setMessenger(&messenger); }

    template <typename T = QWidget>
    T *child(const char *name) const
    {
        T *widget = form.findChild<T *>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    QLineEdit *text(int box) const { return child<QLineEdit>(("Text" + std::to_string(box)).c_str()); }
    void setTexts(const std::vector<const char *> &texts)
    {
        for (std::size_t i = 0; i < texts.size(); ++i)
            text(int(i) + 1)->setText(QString::fromUtf8(texts[i]));
    }
    void click(const char *name) { child<QAbstractButton>(name)->click(); }
    // 激　发, and the picture it asks for.
    void excite()
    {
        click("Command1");
        settle();
    }
    // Lets the drawings asked for finish: the drawing thread's pictures
    // arrive as events.
    void settle()
    {
        QElapsedTimer waited;
        waited.start();
        while (form.isDrawing() && waited.elapsed() < 30000)
            QTest::qWait(1);
        EXPECT_FALSE(form.isDrawing()) << "the drawing did not finish";
    }
    // The picture on show once the drawings have finished: nullptr before
    // the first.
    const Picture *picture()
    {
        settle();
        return form.picture().get();
    }
    std::size_t operations()
    {
        const Picture *shown = picture();
        return shown ? shown->drawing.operationCount() : 0;
    }
    // The picture on show as an image of that size.
    QImage image(const QSize &size = QSize(693, 385))
    {
        const Picture *shown = picture();
        return PicturePainter::image(shown ? shown->drawing : DisplayList(), size);
    }
    // What Picture1 shows on the screen now, inside its border: the
    // window's last painted image, after pending repaints have run.
    QImage shown()
    {
        if (!form.isVisible()) {
            form.show();
            EXPECT_TRUE(QTest::qWaitForWindowExposed(&form));
        }
        settle();
        return screen();
    }
    // What Picture1 shows at this moment, while a message is up, say.
    QImage screen()
    {
        QCoreApplication::processEvents();
        QWidget *picture1 = child("Picture1");
        const QRect plot(picture1->mapTo(&form, QPoint(1, 1)), picture1->size() - QSize(2, 2));
        return form.screen()->grabWindow(form.winId()).toImage().copy(plot);
    }

    Form1 form;
    RecordingMessenger messenger;
};

// The pixel of a picture of the whole plot (user x from -45 to 45, y from 25
// to -25) at user coordinates (x, y).
inline QColor pixelAt(const QImage &image, double x, double y)
{
    const int column = int((x + 45) / 90 * image.width());
    const int row = int((25 - y) / 50 * image.height());
    return image.pixelColor(column, row);
}

inline bool isGreen(const QColor &c) { return c.green() >= 150 && c.red() <= 90 && c.blue() <= 90; }
inline bool isRed(const QColor &c) { return c.red() >= 200 && c.green() <= 80 && c.blue() <= 80; }
