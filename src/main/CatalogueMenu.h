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
// and the texts that say which catalogue the list comes from. Its translatable texts are dynamic
// properties of the window's object "CatalogueTexts", so language files reach them like any
// control's caption.
class CatalogueMenu : public QObject {
public:
    // Adds the items to `fileMenu` before `before`; `recalculate` runs Calc after the catalogue
    // changed.
    CatalogueMenu(QMainWindow* window, QMenu* fileMenu, QAction* before,
                  std::function<void()> recalculate);

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
    QString Text(const char* name) const;
    QString SourceName(CatalogueSource source) const;

    QMainWindow* m_window;
    QObject* m_texts;
    QLabel* m_label;
    QAction* m_useShipped;
    std::function<void()> m_recalculate;
};

} // namespace skyvane
