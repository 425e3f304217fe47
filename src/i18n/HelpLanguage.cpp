#include "HelpLanguage.h"

#include "HelpBinding.h"
#include "LanguageManager.h"

namespace skyvane {

QString HelpLanguageFolder(int languageId) {
    const QByteArray locale = IcuLocaleName(languageId);
    return QString::fromLatin1(locale.left(locale.indexOf('_')));
}

void FollowInterfaceLanguage(HelpBinding& help) {
    help.SetLanguageSource(
        [] { return HelpLanguageFolder(LanguageManager::Instance().CurrentLanguageId()); });
}

} // namespace skyvane
