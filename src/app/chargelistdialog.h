#pragma once

#include "core/configuration.h"

#include <QDialog>

#include <vector>

class QTableWidget;

// 电荷列表…: every charge of the picture in a table, one row each with its
// x, y and amount as the boxes would hold them; rows can be added,
// removed and edited. The list is judged when the dialog is accepted.
class ChargeListDialog : public QDialog
{
    Q_OBJECT

public:
    explicit ChargeListDialog(const std::vector<ChargeTexts> &charges, QWidget *parent = nullptr);

    std::vector<ChargeTexts> charges() const;
    QTableWidget *table() const { return table_; }

    // Adds a row (10 C at the origin, the place the user then edits) and
    // removes the selected rows.
    void addRow();
    void removeSelectedRows();

private:
    void appendRow(const ChargeTexts &charge);
    // Heads the rows Q1, Q2, … in their order.
    void number();

    QTableWidget *table_ = nullptr;
};
