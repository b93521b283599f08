#include "app/chargedialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>

ChargeDialog::ChargeDialog(const ChargeTexts &charge, int number, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("chargeDialog"));
    setWindowTitle(tr("修改电荷 Q%1").arg(number));
    auto *form = new QFormLayout(this);
    const auto box = [this, form](const std::string &text, const char *name, const QString &label) {
        auto *edit = new QLineEdit(QString::fromStdString(text), this);
        edit->setObjectName(QLatin1String(name));
        edit->setAccessibleName(label);
        form->addRow(label, edit);
        return edit;
    };
    x_ = box(charge.x, "x", tr("x 坐标："));
    y_ = box(charge.y, "y", tr("y 坐标："));
    q_ = box(charge.q, "q", tr("电荷量 (C)："));
    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(tr("确定"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(tr("取消"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
}

ChargeTexts ChargeDialog::charge() const
{
    return {x_->text().toStdString(), y_->text().toStdString(), q_->text().toStdString()};
}
