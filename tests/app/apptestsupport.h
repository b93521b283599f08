#pragma once

#include "app/form1.h"
#include "app/picturebox.h"
#include "core/plotgeometry.h"
#include "core/recordingmessenger.h"
#include "plot/picturepainter.h"

#include <QAction>
#include <QColor>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QScreen>
#include <QTest>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <gtest/gtest.h>

#include <cstdint>
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
    // The window's action of that name, as its menus trigger it.
    void trigger(const QString &action) { form.findChild<QAction *>(action)->trigger(); }
    // The place in Picture1 of the plot's user coordinates (x, y).
    QPointF at(double x, double y) const
    {
        const QRectF plot(child<PictureBox>("Picture1")->plotRect());
        return {plot.left() + (x - Plot::kLeft) / (Plot::kRight - Plot::kLeft) * plot.width(),
                plot.top() + (Plot::kTop - y) / (Plot::kTop - Plot::kBottom) * plot.height()};
    }
    // The mouse on Picture1 at user coordinates (x, y): the left button
    // changed (pressed or released) or held.
    void mouse(QEvent::Type type, double x, double y, Qt::MouseButtons held)
    {
        QWidget *picture = child("Picture1");
        const QPointF position = at(x, y);
        QMouseEvent event(type, position, picture->mapToGlobal(position), Qt::LeftButton, held, Qt::NoModifier);
        QCoreApplication::sendEvent(picture, &event);
    }
    // A click of the left button there.
    void clickAt(double x, double y)
    {
        mouse(QEvent::MouseButtonPress, x, y, Qt::LeftButton);
        mouse(QEvent::MouseButtonRelease, x, y, Qt::NoButton);
    }
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
    // How many runs of the picture on show have that colour.
    int runsOf(std::uint32_t rgb)
    {
        int n = 0;
        for (const DisplayList::Run &run : picture()->drawing.runs())
            n += run.rgb == rgb;
        return n;
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
