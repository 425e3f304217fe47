#pragma once

#include "SiteBook.h"
#include "Translatable.h"

#include <QObject>
#include <QString>

#include <functional>
#include <vector>

class QAction;
class QMainWindow;
class QMenu;
class QMenuBar;

namespace skyvane {

class Session;

// The Sites menu: the site book of the user's named sites (save the current site, open, rename,
// delete, the recent sites, CSV import and export) and the current site's horizon. The book is
// read when the menu is made; every change is saved at once, and a failed save is told.
class SitesMenu : public QObject {
public:
    // Adds the menu to `bar` before `before`. `section` holds TranslationEntries(); `townAtSite`
    // names the town at the session's site for a record saved.
    SitesMenu(QMainWindow* window, const WindowTranslation& section, QMenuBar* bar, QAction* before,
              Session* session, std::function<QString()> townAtSite,
              const QString& bookPath = SiteBook::DefaultPath());

    static const std::vector<TranslationEntry>& TranslationEntries();

    QMenu* menu() const { return m_menu; }
    const SiteBook& book() const { return m_book; }
    // Tells a damaged site book that load() found when the menu was made; nothing otherwise.
    void ShowLoadProblem();

    void SaveCurrentSite();
    void OpenSite();
    // Sets the site, its height and horizon, and calculates; false for an unknown name.
    bool OpenNamedSite(const QString& name);
    void RenameSite();
    void DeleteSite();
    void ImportSites();
    void ExportSites();
    void EditHorizon();
    // The session's horizon becomes `horizon`, and the named site's in the book too.
    void SetHorizon(const HorizonMask& horizon);

private:
    enum class Entry {
        NamePrompt = 117,
        ChoosePrompt = 118,
        NewNamePrompt = 119,
        ConfirmDelete = 120,
        ConfirmReplace = 121,
        Replace = 122,
        Delete = 123,
        NameUnusable = 124,
        NotSaved = 125,
        Imported = 126,
        NotImported = 127,
        Empty = 128,
        Damaged = 129,
        DamagedInPlace = 130,
    };
    QString Text(Entry entry, const QString& argument = QString()) const;
    QString Title(const QAction* item) const;
    // Asks for one of the book's sites; empty when cancelled or the book is empty.
    QString ChooseSite(const QAction* item);
    bool Save();
    void Tell(const QString& text) const;
    void Warn(const QString& text) const;
    void FillRecent();

    QMainWindow* m_window;
    const WindowTranslation& m_section;
    Session* m_session;
    std::function<QString()> m_townAtSite;
    SiteBook m_book;
    SiteBook::LoadResult m_loaded;
    QMenu* m_menu = nullptr;
    QMenu* m_recent = nullptr;
    QAction* m_save = nullptr;
    QAction* m_open = nullptr;
    QAction* m_rename = nullptr;
    QAction* m_delete = nullptr;
    QAction* m_import = nullptr;
    QAction* m_export = nullptr;
    QAction* m_horizon = nullptr;
};

} // namespace skyvane
