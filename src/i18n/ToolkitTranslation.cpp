#include "ToolkitTranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QPointer>
#include <QTranslator>

#include <unicode/uloc.h>

namespace skyvane {

QString LocaleNameForLanguageId(int languageId) {
    char locale[ULOC_FULLNAME_CAPACITY] = {};
    UErrorCode status = U_ZERO_ERROR;
    uloc_getLocaleForLCID(static_cast<uint32_t>(languageId), locale, sizeof locale, &status);
    if (U_FAILURE(status) || status == U_STRING_NOT_TERMINATED_WARNING)
        return {};
    return QString::fromLatin1(locale);
}

void InstallToolkitTranslation(int languageId) {
    static QPointer<QTranslator> installed;
    if (!QCoreApplication::instance())
        return;
    if (installed) {
        QCoreApplication::removeTranslator(installed);
        delete installed;
    }
    const QString localeName = LocaleNameForLanguageId(languageId);
    if (localeName.isEmpty())
        return;
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(QLocale(localeName), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return;
    }
    QCoreApplication::installTranslator(translator);
    installed = translator;
}

} // namespace skyvane
