#include "SitesMenu.h"

#include "CheckedCommit.h"
#include "Constants.h"
#include "DialogSeam.h"
#include "LanguageManager.h"
#include "ReportParts.h"
#include "Session.h"
#include "SiteTimeZone.h"
#include "fHorizon.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace skyvane {

namespace {

const QString kCsvFilter = QStringLiteral("CSV (*.csv *.txt);;All (*)");
constexpr qint64 kMaxCsvBytes = 16 * 1024 * 1024;

} // namespace

const std::vector<TranslationEntry>& SitesMenu::TranslationEntries() {
    static const std::vector<TranslationEntry> entries{
        {107, "mSites", "Caption", "&Sites"},
        {108, "mSitesSave", "Caption", "&Save current site ..."},
        {109, "mSitesOpen", "Caption", "&Open site ..."},
        {110, "mSitesRename", "Caption", "&Rename site ..."},
        {111, "mSitesDelete", "Caption", "&Delete site ..."},
        {112, "mSitesRecent", "Caption", "Re&cent sites"},
        {113, "mSitesImport", "Caption", "&Import sites from CSV ..."},
        {114, "mSitesExport", "Caption", "&Export sites to CSV ..."},
        {115, "mSitesHorizon", "Caption", "&Horizon of the site ..."},
        {int(Entry::NamePrompt), "SitesTexts", "NamePrompt", "Name of the site:"},
        {int(Entry::ChoosePrompt), "SitesTexts", "ChoosePrompt", "Site:"},
        {int(Entry::NewNamePrompt), "SitesTexts", "NewNamePrompt", "New name of the site %s:"},
        {int(Entry::ConfirmDelete), "SitesTexts", "ConfirmDelete",
         "Delete the site %s from the site book?"},
        {int(Entry::ConfirmReplace), "SitesTexts", "ConfirmReplace",
         "The site book has a site %s already. Replace it?"},
        {int(Entry::Replace), "SitesTexts", "Replace", "Replace"},
        {int(Entry::Delete), "SitesTexts", "Delete", "Delete"},
        {int(Entry::NameUnusable), "SitesTexts", "NameUnusable",
         "The name \"%s\" cannot be used: it is empty, holds a semicolon or a line break, or "
         "another site has it."},
        {int(Entry::NotSaved), "SitesTexts", "NotSaved", "The site book could not be saved: %s"},
        {int(Entry::Imported), "SitesTexts", "Imported", "%s sites imported into the site book."},
        {int(Entry::NotImported), "SitesTexts", "NotImported", "No site was imported. %s"},
        {int(Entry::Empty), "SitesTexts", "Empty", "The site book has no sites yet."},
        {int(Entry::Damaged), "SitesTexts", "Damaged",
         "The site book cannot be read. It was kept as %s; the site book starts empty."},
        {int(Entry::DamagedInPlace), "SitesTexts", "DamagedInPlace",
         "The site book %s cannot be read and could not be moved aside. It is left as it is, "
         "and no site is saved until it is mended or removed."},
    };
    return entries;
}

SitesMenu::SitesMenu(QMainWindow* window, const WindowTranslation& section, QMenuBar* bar,
                     QAction* before, Session* session, std::function<QString()> townAtSite,
                     const QString& bookPath)
    : QObject(window)
    , m_window(window)
    , m_section(section)
    , m_session(session)
    , m_townAtSite(std::move(townAtSite))
    , m_book(bookPath) {
    m_menu = new QMenu(window);
    m_menu->setObjectName(QStringLiteral("mSites"));
    bar->insertMenu(before, m_menu);
    const auto item = [this](QMenu* menu, const char* name, void (SitesMenu::*handler)()) {
        auto* action = new QAction(m_window);
        action->setObjectName(QLatin1String(name));
        menu->addAction(action);
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    m_save = item(m_menu, "mSitesSave", &SitesMenu::SaveCurrentSite);
    m_open = item(m_menu, "mSitesOpen", &SitesMenu::OpenSite);
    m_recent = m_menu->addMenu(QString());
    m_recent->setObjectName(QStringLiteral("mSitesRecent"));
    m_rename = item(m_menu, "mSitesRename", &SitesMenu::RenameSite);
    m_delete = item(m_menu, "mSitesDelete", &SitesMenu::DeleteSite);
    m_menu->addSeparator();
    m_import = item(m_menu, "mSitesImport", &SitesMenu::ImportSites);
    m_export = item(m_menu, "mSitesExport", &SitesMenu::ExportSites);
    m_menu->addSeparator();
    m_horizon = item(m_menu, "mSitesHorizon", &SitesMenu::EditHorizon);
    // The English texts until a language is applied.
    for (const TranslationEntry& entry : TranslationEntries()) {
        const QString name = QLatin1String(entry.objectName);
        if (name == QLatin1String("mSites"))
            m_menu->setTitle(QString::fromUtf8(entry.english));
        else if (name == QLatin1String("mSitesRecent"))
            m_recent->setTitle(QString::fromUtf8(entry.english));
        else if (auto* action = window->findChild<QAction*>(name))
            action->setText(QString::fromUtf8(entry.english));
    }
    connect(m_menu, &QMenu::aboutToShow, this, &SitesMenu::FillRecent);
    m_loaded = m_book.load();
    FillRecent();
}

QString SitesMenu::Text(Entry entry, const QString& argument) const {
    return TranslatedText(m_section, static_cast<int>(entry))
        .replace(QLatin1String("%s"), argument);
}

QString SitesMenu::Title(const QAction* item) const {
    QString title = WithoutAccelerator(item->text());
    if (title.endsWith(QLatin1String("...")))
        title.chop(3);
    return title.trimmed();
}

void SitesMenu::Tell(const QString& text) const {
    DialogSeam::showMessage(m_window, QMessageBox::Information, WithoutAccelerator(m_menu->title()),
                            text);
}

void SitesMenu::Warn(const QString& text) const {
    DialogSeam::showMessage(m_window, QMessageBox::Warning, WithoutAccelerator(m_menu->title()),
                            text);
}

void SitesMenu::ShowLoadProblem() {
    if (m_loaded.ok)
        return;
    Warn(m_loaded.movedTo.isEmpty()
             ? Text(Entry::DamagedInPlace, QDir::toNativeSeparators(m_book.path()))
             : Text(Entry::Damaged, QDir::toNativeSeparators(m_loaded.movedTo)));
    m_loaded = {};
}

bool SitesMenu::Save() {
    QString error;
    if (m_book.save(&error))
        return true;
    Warn(Text(Entry::NotSaved, error));
    return false;
}

void SitesMenu::FillRecent() {
    m_recent->clear();
    for (const QString& name : m_book.recent()) {
        QAction* action = m_recent->addAction(name);
        connect(action, &QAction::triggered, this, [this, name] { OpenNamedSite(name); });
    }
    m_recent->setEnabled(!m_book.recent().isEmpty());
    const bool any = !m_book.sites().empty();
    for (QAction* action : {m_open, m_rename, m_delete, m_export})
        action->setEnabled(any);
}

void SitesMenu::SaveCurrentSite() {
    const auto name = DialogSeam::askText(m_window, Title(m_save), Text(Entry::NamePrompt),
                                          m_session->siteName());
    if (!name)
        return;
    if (!SiteBook::IsUsableName(*name)) {
        Warn(Text(Entry::NameUnusable, *name));
        return;
    }
    const SiteRecord* known = m_book.find(*name);
    SiteRecord record = RecordAtSite(m_session->site());
    // The open site saved again where it stands (a new horizon, say) is replaced without
    // asking; another place would lose the saved one's coordinates.
    const bool samePlace =
        known && known->name.compare(m_session->siteName(), Qt::CaseInsensitive) == 0 &&
        known->latitude == record.latitude && known->longitude == record.longitude;
    if (known && !samePlace &&
        DialogSeam::askChoice(m_window, Title(m_save), Text(Entry::ConfirmReplace, known->name),
                              {Text(Entry::Replace)}) != 0)
        return;
    // A zone the user chose for the site stays; a new site gets the zone of its place.
    record.timeZone = QString::fromLatin1(
        NearestTimeZone(m_session->site().latitudeNorth(), m_session->site().longitudeWest()));
    if (known) {
        if (!known->timeZone.isEmpty())
            record.timeZone = known->timeZone;
        record.notes = known->notes;
    }
    record.name = name->trimmed();
    record.height = m_session->siteHeight();
    record.town = m_townAtSite ? m_townAtSite() : QString();
    record.horizon = m_session->horizon();
    m_book.put(record);
    m_session->setSiteName(record.name);
    Save();
    FillRecent();
}

QString SitesMenu::ChooseSite(const QAction* item) {
    if (m_book.sites().empty()) {
        Tell(Text(Entry::Empty));
        return {};
    }
    QStringList names;
    for (const SiteRecord& site : m_book.sites())
        names << site.name;
    names.sort(Qt::CaseInsensitive);
    const auto name = DialogSeam::askItem(m_window, Title(item), Text(Entry::ChoosePrompt), names,
                                          m_session->siteName());
    return name.value_or(QString());
}

void SitesMenu::OpenSite() {
    if (const QString name = ChooseSite(m_open); !name.isEmpty())
        OpenNamedSite(name);
}

bool SitesMenu::OpenNamedSite(const QString& name) {
    const SiteRecord* found = m_book.find(name);
    if (!found)
        return false;
    const SiteRecord record = *found;
    m_book.touch(record.name);
    Save();
    FillRecent();
    m_session->setSiteName(record.name);
    m_session->setSiteHeight(record.height);
    m_session->setHorizon(record.horizon);
    m_session->setSite(SiteOfRecord(record));
    return true;
}

void SitesMenu::RenameSite() {
    const QString from = ChooseSite(m_rename);
    if (from.isEmpty())
        return;
    const auto to =
        DialogSeam::askText(m_window, Title(m_rename), Text(Entry::NewNamePrompt, from), from);
    if (!to || to->trimmed() == from)
        return;
    if (!m_book.rename(from, *to)) {
        Warn(Text(Entry::NameUnusable, *to));
        return;
    }
    if (m_session->siteName().compare(from, Qt::CaseInsensitive) == 0)
        m_session->setSiteName(to->trimmed());
    Save();
    FillRecent();
}

void SitesMenu::DeleteSite() {
    const QString name = ChooseSite(m_delete);
    if (name.isEmpty() ||
        DialogSeam::askChoice(m_window, Title(m_delete), Text(Entry::ConfirmDelete, name),
                              {Text(Entry::Delete)}) != 0)
        return;
    m_book.remove(name);
    if (m_session->siteName().compare(name, Qt::CaseInsensitive) == 0)
        m_session->setSiteName(QString());
    Save();
    FillRecent();
}

void SitesMenu::ImportSites() {
    const QString path = DialogSeam::getOpenFileName(m_window, Title(m_import), kCsvFilter);
    if (path.isEmpty())
        return;
    QFile file(path);
    QString error;
    int count = -1;
    if (!file.open(QIODevice::ReadOnly))
        error = file.errorString();
    else if (file.size() > kMaxCsvBytes)
        error = QDir::toNativeSeparators(path);
    else
        count = m_book.importCsv(file.readAll(), &error);
    if (count < 0) {
        Warn(Text(Entry::NotImported, error));
        return;
    }
    if (Save())
        Tell(Text(Entry::Imported, QString::number(count)));
    FillRecent();
}

void SitesMenu::ExportSites() {
    SaveDialogRequest request;
    request.title = Title(m_export);
    request.filter = kCsvFilter;
    request.defaultSuffix = QStringLiteral("csv");
    const QString path = DialogSeam::getSaveFileName(m_window, request);
    if (path.isEmpty())
        return;
    QString error;
    if (!WriteFileChecked(path, m_book.exportCsv(), error))
        Warn(FormatConstant(Constant::SaveFailed, {QDir::toNativeSeparators(path), error}));
}

void SitesMenu::SetHorizon(const HorizonMask& horizon) {
    m_session->setHorizon(horizon);
    const SiteRecord* named = m_book.find(m_session->siteName());
    if (!named)
        return;
    SiteRecord record = *named;
    record.horizon = horizon;
    m_book.put(record);
    Save();
}

void SitesMenu::EditHorizon() {
    auto* editor = new TfrmHorizon(m_window, m_session->horizon());
    connect(editor, &TfrmHorizon::horizonAccepted, this, &SitesMenu::SetHorizon);
    editor->show();
}

} // namespace skyvane
