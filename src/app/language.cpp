#include "app/language.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

Language chooseLanguage(const QString &asked)
{
    if (asked == QLatin1String("en"))
        return Language::English;
    if (asked == QLatin1String("zh"))
        return Language::Chinese;
    return QLocale::system().language() == QLocale::English ? Language::English : Language::Chinese;
}

bool installLanguage(Language language)
{
    // Owned by the application, which keeps it for its whole life.
    auto *translator = new QTranslator(QCoreApplication::instance());
    bool loaded = false;
    if (language == Language::English) {
        const QString installed =
            QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("../share/fieldlines/translations"));
        loaded = translator->load(QStringLiteral("fieldlines_en"), installed)
                 || translator->load(QStringLiteral("fieldlines_en"), QStringLiteral(":/translations"));
    } else {
        loaded = translator->load(QStringLiteral("qtbase_zh_CN"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    }
    return loaded && QCoreApplication::installTranslator(translator);
}
