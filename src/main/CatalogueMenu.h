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

// The File menu's catalogue items (import a catalogue the user has, go back to the shipped one)
// and the texts that say which catalogue the list comes from. Its texts are entries of the
// window's section; the menu items follow the language like any control's caption, the other
// texts are looked up in the current language when they are shown.
class CatalogueMenu : public QObject {
public:
    // Adds the items to `fileMenu` before `before`; `recalculate` runs Calc after the catalogue
    // changed. `section` is the window's table, which holds TranslationEntries().
    CatalogueMenu(QMainWindow* window, const WindowTranslation& section, QMenu* fileMenu,
                  QAction* before, std::function<void()> recalculate);

    // The items' and messages' entries in the main window's section of a language file, with
    // their English texts.
    static const std::vector<TranslationEntry>& TranslationEntries();

    // After a Calc: the status bar names the catalogue unless it is the built-in one.
    void ShowSource(CatalogueSource source, const QString& version);
    // For the about box: "20260822 (shipped)", the version alone for the built-in catalogue.
    QString Description(CatalogueSource source, const QString& version) const;

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
    };
    QString Text(Entry entry) const;
    QString SourceName(CatalogueSource source) const;

    QMainWindow* m_window;
    const WindowTranslation& m_section;
    QLabel* m_label;
    QAction* m_useShipped;
    std::function<void()> m_recalculate;
};

} // namespace skyvane
