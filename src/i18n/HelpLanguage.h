#pragma once

#include <QString>

namespace skyvane {

class HelpBinding;

// The folder of a language's help pages: its two- or three-letter language code ("de" for
// 1031, "hu" for 1038).
QString HelpLanguageFolder(int languageId);

// Help opened from now on shows the pages of the interface language current at that moment.
void FollowInterfaceLanguage(HelpBinding& help);

} // namespace skyvane
