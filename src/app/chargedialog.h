#pragma once

#include "core/configuration.h"

#include <QDialog>

class QLineEdit;

// 修改此电荷…: the position and the amount of one charge, in three boxes read
// by the boxes' reading rule when the dialog is accepted.
class ChargeDialog : public QDialog
{
    Q_OBJECT

public:
    ChargeDialog(const ChargeTexts &charge, int number, QWidget *parent = nullptr);

    ChargeTexts charge() const;

private:
    QLineEdit *x_ = nullptr;
    QLineEdit *y_ = nullptr;
    QLineEdit *q_ = nullptr;
};
