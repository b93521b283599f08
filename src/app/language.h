#pragma once

#include <QString>

// The language of the interface: Chinese, the program's own, or English.
enum class Language { Chinese, English };

// "en" or "zh" as asked for (--lang); otherwise English when the system's
// language is English, Chinese for any other.
Language chooseLanguage(const QString &asked);

// Installs the texts of that language into the application (which must
// exist): for English the program's translation (fieldlines_en.qm, from
// share/fieldlines/translations beside the program when installed, else
// built into it); for Chinese Qt's own Chinese texts, so that the file and
// print dialogs and the standard buttons speak the window's language
// (qtbase_zh_CN.qm, Debian package qt6-translations-l10n). False when a
// translation is missing: the texts stay as they are then.
bool installLanguage(Language language);
