#include "app/qtchinese.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

bool installQtChinese()
{
    // Owned by the application, which keeps it for its whole life.
    auto *translator = new QTranslator(QCoreApplication::instance());
    return translator->load(QStringLiteral("qtbase_zh_CN"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))
           && QCoreApplication::installTranslator(translator);
}
