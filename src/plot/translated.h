#pragma once

#include "core/messenger.h"

#include <QCoreApplication>
#include <QString>

#include <string>

// A text of the program's own (core/messages.h) in the language of the
// interface: Qt's translation of it in the context "Messages", the text
// itself in Chinese or when no translation is installed.
inline QString translated(const std::string &text)
{
    return QCoreApplication::translate("Messages", text.c_str());
}

// The core's translator (core/translatable.h) through Qt's translation.
inline std::string qtTranslation(const char *context, const char *source)
{
    return QCoreApplication::translate(context, source).toStdString();
}

inline Message translated(const Message &message)
{
    return {translated(message.prompt).toStdString(), translated(message.title).toStdString(), message.severity};
}
