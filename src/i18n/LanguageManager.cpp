#include "LanguageManager.h"

#include "Constants.h"
#include "DialogSeam.h"
#include "ProductInfo.h"
#include "QuietFailure.h"
#include "ToolkitTranslation.h"

#include <QActionGroup>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QLocale>
#include <QMenu>

#include <unicode/uloc.h>

#include <algorithm>
#include <stdexcept>

namespace skyvane {

namespace {

constexpr int kLanguageNameCapacity = 256; // names of up to 255 characters

QString IcuDisplayLocale() {
    const QString name = QLocale().name();
    // The "C" locale has no names of its own; its texts are English.
    return name == QLatin1String("C") ? QStringLiteral("en_US") : name;
}

QStringList FilesOf(const QString& folder, const QString& mask, bool recurse) {
    QStringList files;
    QDirIterator entries(folder, {mask}, QDir::Files | QDir::Readable);
    while (entries.hasNext())
        files.append(entries.next());
    if (!recurse)
        return files;
    QDirIterator folders(folder, QDir::Dirs | QDir::NoDotAndDotDot);
    while (folders.hasNext()) {
        const QString subfolder = folders.next();
        if (!folders.fileName().startsWith(QLatin1Char('.')))
            files.append(FilesOf(subfolder, mask, true));
    }
    return files;
}

} // namespace

QString TranslatedText(const WindowTranslation& window, int number) {
    const auto entry =
        std::find_if(window.entries.begin(), window.entries.end(),
                     [number](const TranslationEntry& e) { return e.number == number; });
    if (entry == window.entries.end())
        throw std::logic_error(QStringLiteral("%1 declares no entry %2")
                                   .arg(QLatin1String(window.section))
                                   .arg(number)
                                   .toStdString());
    if (const Translation* current = LanguageManager::Instance().CurrentTranslation())
        if (std::optional<QString> text =
                current->entryText(QString::fromLatin1(window.section), number))
            return *text;
    return QString::fromUtf8(entry->english);
}

LanguageManager& LanguageManager::Instance() {
    static LanguageManager manager;
    return manager;
}

void LanguageManager::Register(int languageId, const QString& path) {
    if (languageId == m_defaultId)
        return;
    for (LanguageSource& source : m_languages) {
        if (source.languageId == languageId) {
            source.path = path;
            return;
        }
    }
    m_languages.append({languageId, path});
}

void LanguageManager::RegisterBuiltInLanguage(const QString& resourceName, int languageId) {
    Register(languageId, BuiltInLanguagePath(resourceName));
}

bool LanguageManager::RegisterLanguageFile(const QString& path) {
    const int languageId = ReadLanguageFileHeaderAt(path).languageId();
    if (languageId == 0)
        return false;
    Register(languageId, path);
    return true;
}

void LanguageManager::SetDefaultLanguageId(int languageId) {
    m_defaultId = languageId;
}

int LanguageManager::ScanFolder(const QString& folder, const QString& mask, bool recurse) {
    int accepted = 0;
    for (const QString& file : FilesOf(folder, mask, recurse))
        accepted += RegisterLanguageFile(file) ? 1 : 0;
    return accepted;
}

int LanguageManager::LanguageCount() const {
    return static_cast<int>(m_languages.size()) + 1;
}

int LanguageManager::LanguageIdAt(int index) const {
    if (index == 0)
        return m_defaultId;
    return index > 0 && index <= m_languages.size() ? m_languages.at(index - 1).languageId : 0;
}

QString LanguageManager::LanguageNameAt(int index) const {
    return LanguageDisplayName(LanguageIdAt(index));
}

std::optional<LanguageSource> LanguageManager::SourceFor(int languageId) const {
    if (languageId == m_defaultId)
        return std::nullopt;
    for (const LanguageSource& source : m_languages)
        if (source.languageId == languageId)
            return source;
    return std::nullopt;
}

void LanguageManager::SetCurrentLanguageId(int languageId) {
    std::shared_ptr<const Translation> translation;
    int newId = m_defaultId;
    if (const std::optional<LanguageSource> source = SourceFor(languageId)) {
        translation = std::make_shared<const Translation>(ReadLanguageFileAt(source->path));
        newId = languageId;
    }
    if (newId == m_currentId)
        return;
    m_currentId = newId;
    m_translation = translation;
    InstallToolkitTranslation(translation ? languageId : kLanguageEnglish);
    ApplyConstants(translation.get());
    // `translation` keeps the file alive even if a window's handler switches again meanwhile.
    emit LanguageChanged(translation.get());
}

void LanguageManager::ApplyConstants(const Translation* translation) {
    if (!translation) {
        ResetConstants();
        return;
    }
    for (auto constant = translation->constants.cbegin(); constant != translation->constants.cend();
         ++constant) {
        try {
            SetConstantText(ConstantByName(constant.key()), constant.value());
        } catch (const ConstantNotFound& error) {
            // A newer file's extra constant is no harm.
            LogQuietFailure("applying a translation", error);
        }
    }
}

void LanguageManager::Reset() {
    m_languages.clear();
    m_defaultId = kLanguageEnglish;
    m_currentId = kLanguageEnglish;
    m_translation.reset();
    InstallToolkitTranslation(kLanguageEnglish);
    ResetConstants();
}

QString LanguageDisplayName(int languageId) {
    char locale[ULOC_FULLNAME_CAPACITY] = {};
    UErrorCode status = U_ZERO_ERROR;
    uloc_getLocaleForLCID(static_cast<uint32_t>(languageId), locale, sizeof locale, &status);
    if (U_FAILURE(status) || locale[0] == '\0')
        return QString::number(languageId);
    UChar name[kLanguageNameCapacity] = {};
    status = U_ZERO_ERROR;
    const QByteArray displayLocale = IcuDisplayLocale().toUtf8();
    const int32_t length = uloc_getDisplayName(locale, displayLocale.constData(), name,
                                               kLanguageNameCapacity - 1, &status);
    if (U_FAILURE(status) || length <= 0)
        return QString::number(languageId);
    return QString::fromUtf16(reinterpret_cast<const char16_t*>(name),
                              std::min<int32_t>(length, kLanguageNameCapacity - 1));
}

QByteArray IcuLocaleName(int languageId) {
    char locale[ULOC_FULLNAME_CAPACITY] = {};
    UErrorCode status = U_ZERO_ERROR;
    uloc_getLocaleForLCID(static_cast<uint32_t>(languageId), locale, sizeof locale, &status);
    if (U_FAILURE(status) || status == U_STRING_NOT_TERMINATED_WARNING || locale[0] == '\0')
        return QByteArrayLiteral("en_US");
    return QByteArray(locale);
}

int LanguageForLocale(const QLocale& locale) {
    switch (locale.language()) {
    case QLocale::German:
        return kLanguageGerman;
    case QLocale::Hungarian:
        return kLanguageHungarian;
    default:
        return kLanguageEnglish;
    }
}

void RegisterStartupLanguages(const QString& programDir) {
    LanguageManager& manager = LanguageManager::Instance();
    manager.RegisterBuiltInLanguage(QStringLiteral("RC_LANG_GERMAN"), kLanguageGerman);
    manager.RegisterBuiltInLanguage(QStringLiteral("RC_LANG_HUNGARIAN"), kLanguageHungarian);
    manager.SetDefaultLanguageId(kLanguageEnglish);
    const QString folder = QDir(programDir).filePath(QStringLiteral("Translation"));
    if (QFileInfo(folder).isDir())
        manager.ScanFolder(folder, QStringLiteral("*.lng"), false);
}

void CheckLanguageMenuItem(QMenu* menu, int languageId) {
    for (QAction* item : menu->actions())
        if (item->isCheckable() && item->data().toInt() == languageId)
            item->setChecked(true);
}

namespace {

void SwitchFromMenu(QMenu* menu, QAction* item, QWidget* parent) {
    LanguageManager& manager = LanguageManager::Instance();
    try {
        manager.SetCurrentLanguageId(item->data().toInt());
    } catch (const LanguageFileError& error) {
        // The toolkit has already checked the chosen item; the language did not change.
        CheckLanguageMenuItem(menu, manager.CurrentLanguageId());
        DialogSeam::showMessage(parent, QMessageBox::Critical, QString::fromLatin1(kProductTitle),
                                QString::fromUtf8(error.what()));
        return;
    }
    if (!item->isChecked())
        item->setChecked(true);
}

} // namespace

void BuildLanguageMenu(QMenu* menu, QWidget* parent) {
    const LanguageManager& manager = LanguageManager::Instance();
    auto* group = new QActionGroup(menu);
    group->setExclusive(true);
    for (int index = 0; index < manager.LanguageCount(); ++index) {
        QAction* item = menu->addAction(manager.LanguageNameAt(index));
        item->setCheckable(true);
        item->setData(manager.LanguageIdAt(index));
        item->setChecked(index == 0);
        group->addAction(item);
        QObject::connect(item, &QAction::triggered, menu,
                         [menu, item, parent] { SwitchFromMenu(menu, item, parent); });
    }
}

void SwitchLanguageQuietly(int languageId) {
    try {
        LanguageManager::Instance().SetCurrentLanguageId(languageId);
    } catch (const LanguageFileError& error) {
        // A stored language whose file is gone or broken: the program starts in English.
        LogQuietFailure("switching to the stored language", error);
    }
}

} // namespace skyvane
