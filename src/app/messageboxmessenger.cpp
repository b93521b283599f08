#include "app/messageboxmessenger.h"

#include <QMessageBox>
#include <QString>

void MessageBoxMessenger::show(const std::string &prompt, const std::string &title)
{
    const bool failure = title == Messages::RuntimeErrorTitle;
    QMessageBox box(failure ? QMessageBox::Critical : QMessageBox::Information, QString::fromStdString(title),
                    QString::fromStdString(prompt), QMessageBox::NoButton, parent_);
    box.setDefaultButton(box.addButton(QStringLiteral("确定"), QMessageBox::AcceptRole));
    box.exec();
}
