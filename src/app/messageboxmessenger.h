#pragma once

#include "tracing/messenger.h"

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

    void show(const std::string &prompt, const std::string &title) override;

private:
    QWidget *parent_;
};
