#pragma once

#include "LanguageFile.h"
#include "Translatable.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>

#include <memory>
#include <optional>

class QLocale;
class QMenu;
class QWidget;

namespace skyvane {

inline constexpr int kLanguageEnglish = 1033;
inline constexpr int kLanguageGerman = 1031;
inline constexpr int kLanguageHungarian = 1038;

// Where a registered language's translation comes from: a Qt resource or a language file, both
// read the same way.
struct LanguageSource {
    int languageId;
    QString path;
};

// The languages the program can show and the current one. One instance for the whole run. A
// switch reads the translation once and hands the parsed file to every window through
// LanguageChanged; the file stays parsed while its language is current, so a window opened
// later takes it from CurrentTranslation() instead of reading the file again.
class LanguageManager : public QObject {
    Q_OBJECT

public:
    static LanguageManager& Instance();

    // A built-in translation by its resource name ("RC_LANG_GERMAN").
    void RegisterBuiltInLanguage(const QString& resourceName, int languageId);
    // A language file; false when its header has no usable LANGID. A file for the default
    // language is accepted but changes nothing.
    bool RegisterLanguageFile(const QString& path);
    void SetDefaultLanguageId(int languageId);
    int DefaultLanguageId() const { return m_defaultId; }
    // Registers every file of `folder` matching `mask`; returns how many were accepted.
    // Subfolders are searched only with `recurse`, and never those whose name begins with ".".
    int ScanFolder(const QString& folder, const QString& mask, bool recurse);

    // Index 0 is the default language, the registered ones follow in registration order.
    int LanguageCount() const;
    int LanguageIdAt(int index) const;
    QString LanguageNameAt(int index) const;

    int CurrentLanguageId() const { return m_currentId; }
    // Switches the constants and then every window to `languageId`; an identifier that is not
    // registered means the default language. Throws LanguageFileError when the translation
    // cannot be read, leaving the previous language in place. Switching to the current language
    // does nothing.
    void SetCurrentLanguageId(int languageId);
    // The parsed file of the current language; null for the default language.
    const Translation* CurrentTranslation() const { return m_translation.get(); }

    // Back to the state of a fresh run: no registered languages, English current, built-in
    // constants. Connected windows stay connected.
    void Reset();

signals:
    // After a switch, once the constants hold the new language: `translation` is the parsed
    // file (null for the default language), valid during the call. Windows receive it in the
    // order in which they connected.
    void LanguageChanged(const skyvane::Translation* translation);

private:
    LanguageManager() = default;

    std::optional<LanguageSource> SourceFor(int languageId) const;
    void Register(int languageId, const QString& path);
    static void ApplyConstants(const Translation* translation);

    int m_defaultId = kLanguageEnglish;
    int m_currentId = kLanguageEnglish;
    QList<LanguageSource> m_languages; // without the default language
    std::shared_ptr<const Translation> m_translation;
};

// Entry `number` of a window's table in the current language: the current language file's text
// for it, or the English text the table declares. Throws std::logic_error for a number the
// table does not declare, so a wrong number cannot pass for an empty text.
QString TranslatedText(const WindowTranslation& window, int number);

// The human-readable name of a Windows language identifier in the language of the default
// locale ("German (Germany)" in English); the identifier itself when nobody knows it.
QString LanguageDisplayName(int languageId);

// The ICU locale of a Windows language identifier ("de_DE" for 1031); "en_US" when ICU does not
// know it.
QByteArray IcuLocaleName(int languageId);

// The language a settings store without "languageID" starts in: German and Hungarian users get
// their own, everybody else English.
int LanguageForLocale(const QLocale& locale);

// Start-up registration: the built-in German and Hungarian translations, English as the
// default, then the files "*.lng" of the folder "Translation" in `programDir`, if it exists.
void RegisterStartupLanguages(const QString& programDir);

// One radio item per language under `menu` (its data the language identifier), the default
// language checked. Choosing an item switches to its language; a translation that cannot be
// read is shown in a critical message box over `parent` and the previous language stays checked.
void BuildLanguageMenu(QMenu* menu, QWidget* parent);

// Checks the menu item of `languageId`, if there is one.
void CheckLanguageMenuItem(QMenu* menu, int languageId);

// The switch made at start from the stored setting: a translation that cannot be read leaves
// the current language without a word.
void SwitchLanguageQuietly(int languageId);

} // namespace skyvane
