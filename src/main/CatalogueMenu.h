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
// and the texts that say which catalogue the list comes from. Its translatable texts are dynamic
// properties of the window's object "CatalogueTexts", so language files reach them like any
// control's caption.
class CatalogueMenu : public QObject {
public:
    // Adds the items to `fileMenu` before `before`; `recalculate` runs Calc after the catalogue
    // changed. `session` tells which catalogue the list comes from.
    CatalogueMenu(QMainWindow* window, QMenu* fileMenu, QAction* before, const Session* session,
                  std::function<void()> recalculate);

    // The items' and messages' entries in the main window's section of a language file, with
    // their English texts.
    static const std::vector<TranslationEntry>& TranslationEntries();

    // After a Calc: the status bar names the session's catalogue unless it is the built-in one,
    // and says when its element sets are old.
    void ShowSource();
    // For the about box: "20260822 (shipped)", the version alone for the built-in catalogue.
    QString Description() const;

    // Reads and converts the chosen file off the interface thread, with a progress window whose
    // Cancel drops the result; the user's catalogue is replaced only when the reading ended well.
    void mFileImportCatalogueClick();
    void mFileShippedCatalogueClick();

private:
    QString Text(const char* name, const QString& argument = QString()) const;
    QString SourceName(CatalogueSource source) const;
    void FinishImport(const QString& path, const ImportedCatalogue& imported);
    void ShowImportFailure(const QString& file, const QString& reason);

    QMainWindow* m_window;
    const Session* m_session;
    QObject* m_texts;
    QLabel* m_label;
    QAction* m_import;
    QAction* m_useShipped;
    std::function<void()> m_recalculate;
};

} // namespace skyvane
