#pragma once

#include <string>

// Shows a modal message with one OK button and returns when it is dismissed.
// The window shows a message box; the renderer and the tests record the text.
class Messenger
{
public:
    virtual ~Messenger() = default;
    virtual void show(const std::string &prompt, const std::string &title) = 0;
};

// The program's own message texts.
namespace Messages {
inline const std::string Notice = "提示";
inline const std::string WrongOrder = "Q1必须在Q2的左边";
inline const std::string OutOfRange = "输入的数值超出范围";
inline const std::string RuntimeErrorTitle = "运行时错误";
}  // namespace Messages
