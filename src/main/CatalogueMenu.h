#pragma once

#include "Catalogue.h"
#include "Translatable.h"

#include <QObject>
#include <QString>

#include <functional>
#include <vector>

class QAction;
class QLabel;
class QMainWindow;
class QMenu;

namespace skyvane {

class Session;
struct ImportedCatalogue;

// The File menu's catalogue items (import a catalogue the user has, go back to the shipped one)
// and the texts that say which catalogue the list comes from. Its texts are entries of the
// window's section; the menu items follow the language like any control's caption, the other
// texts are looked up in the current language when they are shown.
class CatalogueMenu : public QObject {
public:
    // Adds the items to `fileMenu` before `before`; `recalculate` runs Calc after the catalogue
    // changed. `section` is the window's table, which holds TranslationEntries(); `session` tells
    // which catalogue the list comes from.
    CatalogueMenu(QMainWindow* window, const WindowTranslation& section, QMenu* fileMenu,
                  QAction* before, const Session* session, std::function<void()> recalculate);

    // The items' and messages' entries in the main window's section of a language file, with
    // their English texts.
    static const std::vector<TranslationEntry>& TranslationEntries();

    // After a Calc: the status bar names the session's catalogue unless it is the built-in one,
    // and says when its element sets are old.
    void ShowSource();
    // For the about box: "20260822 (shipped)", the version alone for the built-in catalogue.
    QString Description() const;
    // The description, and the age of its element sets when they are old:
    // "20260301 (your import); element sets 84 days old".
    QString DescriptionWithAge() const;

    // Reads and converts the chosen file off the interface thread, with a progress window whose
    // Cancel drops the result; the user's catalogue is replaced only when the reading ended well.
    void mFileImportCatalogueClick();
    void mFileShippedCatalogueClick();

private:
    // The entries that are no control's caption.
    enum class Entry {
        Filter = 62,
        WorkingFolder = 63,
        Yours = 64,
        Shipped = 65,
        BuiltIn = 66,
        StatusText = 67,
        ImportTitle = 68,
        Imported = 69,
        NotImported = 70,
        NotRemoved = 71,
        OldElements = 80,
        ImportedOld = 81,
        WorkingFolderWins = 82,
        Reading = 83,
        AddOrReplace = 84,
        Add = 85,
        Replace = 86,
        Added = 87,
        ConfirmShipped = 88,
        DeleteOwn = 89,
        VeryOld = 101,
        UseOld = 102,
    };
    // The entry's text in the current language, its "%s" replaced by `argument`.
    QString Text(Entry entry, const QString& argument = QString()) const;
    QString SourceName(CatalogueSource source) const;
    void FinishImport(const QString& path, const ImportedCatalogue& imported);
    void ShowImportFailure(const QString& file, const QString& reason);

    QMainWindow* m_window;
    const WindowTranslation& m_section;
    const Session* m_session;
    QLabel* m_label;
    QAction* m_import;
    QAction* m_useShipped;
    std::function<void()> m_recalculate;
};

} // namespace skyvane
