#include "app/messageboxmessenger.h"

#include "plot/translated.h"

#include <QMessageBox>
#include <QString>

void MessageBoxMessenger::show(const Message &shown)
{
    const Message message = translated(shown);
    const QMessageBox::Icon icon =
        message.severity == Severity::Failure ? QMessageBox::Critical : QMessageBox::Information;
    QMessageBox box(icon, QString::fromStdString(message.title), QString::fromStdString(message.prompt),
                    QMessageBox::NoButton, parent_);
    box.setDefaultButton(box.addButton(QCoreApplication::translate("MessageBox", "确定"), QMessageBox::AcceptRole));
    box.exec();
}
