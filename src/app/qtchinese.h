#pragma once

// Qt's own texts in Chinese, so that the file dialog, its questions and the
// standard buttons speak the language of the window: loads Qt's Chinese
// translation (qtbase_zh_CN.qm, Debian package qt6-translations-l10n) into
// the application. Needs an application object; call it once. False when
// the translation is not installed: Qt's texts stay English then.
bool installQtChinese();
