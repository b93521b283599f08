#pragma once

#include "core/messenger.h"

class QWidget;

// Shows each message as a modal message box over the window, with the
// prompt, the title and a single button "确定"; returns when it is dismissed.
class MessageBoxMessenger : public Messenger
{
public:
    explicit MessageBoxMessenger(QWidget *parent)
        : parent_(parent)
    {
    }

    void show(const Message &message) override;

private:
    QWidget *parent_;
};
