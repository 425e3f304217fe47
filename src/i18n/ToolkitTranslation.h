#pragma once

#include <QString>

namespace skyvane {

// The toolkit's own texts (file, print and message dialogs: "Look in", "Save", "Cancel") in the
// language of a Windows language identifier, from the toolkit's translation catalogue. The
// previous catalogue is removed first; English, or a language the toolkit has no catalogue
// for, leaves its built-in English.
void InstallToolkitTranslation(int languageId);

// "de_DE" for 1031; empty when the identifier is unknown.
QString LocaleNameForLanguageId(int languageId);

} // namespace skyvane
