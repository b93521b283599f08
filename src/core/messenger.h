#pragma once

#include <string>

// How a message box looks: a notice about the input, or a failure.
enum class Severity { Notice, Failure };

struct Message
{
    std::string prompt;
    std::string title;
    Severity severity = Severity::Notice;

    bool operator==(const Message &other) const
    {
        return prompt == other.prompt && title == other.title && severity == other.severity;
    }
    bool operator!=(const Message &other) const { return !(*this == other); }
};

// Shows a modal message with one OK button and returns when it is dismissed.
// The window shows a message box; the command line and the tests keep the
// message (RecordingMessenger).
class Messenger
{
public:
    virtual ~Messenger() = default;
    virtual void show(const Message &message) = 0;
};
