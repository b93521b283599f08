#pragma once

#include "core/messenger.h"

#include <functional>
#include <vector>

// Keeps the messages instead of showing them: the command line prints them,
// the tests look at them. onShow, if set, runs while a message would be on
// the screen.
class RecordingMessenger : public Messenger
{
public:
    void show(const Message &message) override
    {
        messages.push_back(message);
        if (onShow)
            onShow();
    }

    std::vector<Message> messages;
    std::function<void()> onShow;
};
