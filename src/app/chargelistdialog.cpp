#include "app/chargelistdialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

ChargeListDialog::ChargeListDialog(const std::vector<ChargeTexts> &charges, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("chargeListDialog"));
    setWindowTitle(tr("电荷列表"));
    auto *layout = new QVBoxLayout(this);
    table_ = new QTableWidget(0, 3, this);
    table_->setObjectName(QStringLiteral("charges"));
    table_->setHorizontalHeaderLabels({tr("x 坐标"), tr("y 坐标"), tr("电荷量 (C)")});
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    table_->setAccessibleName(tr("电荷列表"));
    for (const ChargeTexts &charge : charges)
        appendRow(charge);
    layout->addWidget(table_);

    auto *rowButtons = new QHBoxLayout;
    auto *add = new QPushButton(tr("添加"), this);
    add->setObjectName(QStringLiteral("add"));
    auto *remove = new QPushButton(tr("删除"), this);
    remove->setObjectName(QStringLiteral("remove"));
    connect(add, &QPushButton::clicked, this, &ChargeListDialog::addRow);
    connect(remove, &QPushButton::clicked, this, &ChargeListDialog::removeSelectedRows);
    rowButtons->addWidget(add);
    rowButtons->addWidget(remove);
    rowButtons->addStretch();
    layout->addLayout(rowButtons);

    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(tr("确定"), QDialogButtonBox::AcceptRole)->setObjectName(QStringLiteral("ok"));
    buttons->addButton(tr("取消"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(420, 360);
}

void ChargeListDialog::appendRow(const ChargeTexts &charge)
{
    const int row = table_->rowCount();
    table_->insertRow(row);
    number();
    int column = 0;
    for (const std::string *text : {&charge.x, &charge.y, &charge.q})
        table_->setItem(row, column++, new QTableWidgetItem(QString::fromStdString(*text)));
}

void ChargeListDialog::addRow()
{
    appendRow({"0", "0", "10"});
    table_->setCurrentCell(table_->rowCount() - 1, 0);
}

void ChargeListDialog::removeSelectedRows()
{
    std::vector<int> rows;
    for (const QTableWidgetSelectionRange &range : table_->selectedRanges()) {
        for (int row = range.topRow(); row <= range.bottomRow(); ++row)
            rows.push_back(row);
    }
    if (rows.empty() && table_->currentRow() >= 0)
        rows.push_back(table_->currentRow());
    std::sort(rows.rbegin(), rows.rend());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    for (int row : rows)
        table_->removeRow(row);
    number();
}

void ChargeListDialog::number()
{
    for (int row = 0; row < table_->rowCount(); ++row)
        table_->setVerticalHeaderItem(row, new QTableWidgetItem(QStringLiteral("Q%1").arg(row + 1)));
}

std::vector<ChargeTexts> ChargeListDialog::charges() const
{
    std::vector<ChargeTexts> charges;
    const auto text = [this](int row, int column) {
        const QTableWidgetItem *item = table_->item(row, column);
        return item ? item->text().toStdString() : std::string();
    };
    for (int row = 0; row < table_->rowCount(); ++row)
        charges.push_back({text(row, 0), text(row, 1), text(row, 2)});
    return charges;
}
