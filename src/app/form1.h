#pragma once

#include <QWidget>

class TextPanel;

// The program's only window.
class Form1 : public QWidget
{
    Q_OBJECT

public:
    explicit Form1(QWidget *parent = nullptr);
    ~Form1() override;

    // Puts the six texts and the mode of the panel into the controls without
    // running any handler: nothing is drawn until excite.
    void preset(const TextPanel &panel);
};
