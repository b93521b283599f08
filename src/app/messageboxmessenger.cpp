#include "app/messageboxmessenger.h"

#include <QMessageBox>
#include <QString>

void MessageBoxMessenger::show(const Message &message)
{
    const QMessageBox::Icon icon =
        message.severity == Severity::Failure ? QMessageBox::Critical : QMessageBox::Information;
    QMessageBox box(icon, QString::fromStdString(message.title), QString::fromStdString(message.prompt),
                    QMessageBox::NoButton, parent_);
    box.setDefaultButton(box.addButton(QStringLiteral("确定"), QMessageBox::AcceptRole));
    box.exec();
}
