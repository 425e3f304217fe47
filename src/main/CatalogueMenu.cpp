#include "CatalogueMenu.h"

#include "CatalogueImport.h"
#include "DialogSeam.h"
#include "LanguageManager.h"
#include "ReportParts.h"

#include <QAction>
#include <QDateTime>
#include <QFile>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QStatusBar>

namespace skyvane {

namespace {

QString EnglishText(const char* objectName, const char* property) {
    for (const TranslationEntry& entry : CatalogueMenu::TranslationEntries())
        if (qstrcmp(entry.objectName, objectName) == 0 && qstrcmp(entry.property, property) == 0)
            return QString::fromUtf8(entry.english);
    return {};
}

} // namespace

CatalogueMenu::CatalogueMenu(QMainWindow* window, const WindowTranslation& section, QMenu* fileMenu,
                             QAction* before, std::function<void()> recalculate)
    : QObject(window)
    , m_window(window)
    , m_section(section)
    , m_label(new QLabel(window))
    , m_useShipped(new QAction(window))
    , m_recalculate(std::move(recalculate)) {
    auto* import = new QAction(EnglishText("mFileImportCatalogue", "Caption"), window);
    import->setObjectName(QStringLiteral("mFileImportCatalogue"));
    m_useShipped->setObjectName(QStringLiteral("mFileShippedCatalogue"));
    m_useShipped->setText(EnglishText("mFileShippedCatalogue", "Caption"));
    fileMenu->insertAction(before, import);
    fileMenu->insertAction(before, m_useShipped);
    fileMenu->insertSeparator(import);
    connect(import, &QAction::triggered, this, &CatalogueMenu::mFileImportCatalogueClick);
    connect(m_useShipped, &QAction::triggered, this, &CatalogueMenu::mFileShippedCatalogueClick);

    m_label->setObjectName(QStringLiteral("lblCatalogue"));
    window->statusBar()->addPermanentWidget(m_label);
    m_label->hide();
}

const std::vector<TranslationEntry>& CatalogueMenu::TranslationEntries() {
    static const std::vector<TranslationEntry> entries{
        {60, "mFileImportCatalogue", "Caption", "&Import catalogue ..."},
        {61, "mFileShippedCatalogue", "Caption", "Use the &shipped catalogue"},
        {int(Entry::Filter), "CatalogueTexts", "Filter",
         "Catalogues and element lists (*.dat *.xml *.json *.csv *.txt *.tle)|"
         "*.dat;*.xml;*.json;*.csv;*.txt;*.tle|All extensions (*.*)|*.*"},
        {int(Entry::WorkingFolder), "CatalogueTexts", "WorkingFolder", "working folder"},
        {int(Entry::Yours), "CatalogueTexts", "Yours", "your import"},
        {int(Entry::Shipped), "CatalogueTexts", "Shipped", "shipped"},
        {int(Entry::BuiltIn), "CatalogueTexts", "BuiltIn", "built-in"},
        {int(Entry::StatusText), "CatalogueTexts", "StatusText", "Catalogue: %s"},
        {int(Entry::ImportTitle), "CatalogueTexts", "ImportTitle", "Import catalogue"},
        {int(Entry::Imported), "CatalogueTexts", "Imported",
         "%s positions imported into your catalogue."},
        {int(Entry::NotImported), "CatalogueTexts", "NotImported",
         "The catalogue was not imported; the previous one stays in use."},
        {int(Entry::NotRemoved), "CatalogueTexts", "NotRemoved",
         "Your catalogue could not be removed and stays in use."},
    };
    return entries;
}

QString CatalogueMenu::Text(Entry entry) const {
    return TranslatedText(m_section, static_cast<int>(entry));
}

QString CatalogueMenu::SourceName(CatalogueSource source) const {
    switch (source) {
    case CatalogueSource::WorkingDirectory:
        return Text(Entry::WorkingFolder);
    case CatalogueSource::User:
        return Text(Entry::Yours);
    case CatalogueSource::Shipped:
        return Text(Entry::Shipped);
    case CatalogueSource::BuiltIn:
        break;
    }
    return Text(Entry::BuiltIn);
}

QString CatalogueMenu::Description(CatalogueSource source, const QString& version) const {
    if (source == CatalogueSource::BuiltIn)
        return version;
    return QStringLiteral("%1 (%2)").arg(version, SourceName(source));
}

void CatalogueMenu::ShowSource(CatalogueSource source, const QString& version) {
    m_label->setText(
        Text(Entry::StatusText).replace(QLatin1String("%s"), Description(source, version)));
    m_label->setVisible(source != CatalogueSource::BuiltIn);
    m_useShipped->setEnabled(QFile::exists(UserCatalogueFile()));
}

void CatalogueMenu::mFileImportCatalogueClick() {
    const QString title = Text(Entry::ImportTitle);
    const QString path =
        DialogSeam::getOpenFileName(m_window, title, QtFilterFromPipeFilter(Text(Entry::Filter)));
    if (path.isEmpty())
        return;
    try {
        const ImportedCatalogue imported =
            ImportCatalogueFile(path, QDateTime::currentDateTimeUtc());
        m_recalculate();
        DialogSeam::showMessage(
            m_window, QMessageBox::Information, title,
            Text(Entry::Imported)
                .replace(QLatin1String("%s"), QString::number(imported.satellites)));
    } catch (const CatalogueError& error) {
        DialogSeam::showMessage(m_window, QMessageBox::Warning, title,
                                Text(Entry::NotImported) + QStringLiteral("\n\n") +
                                    QString::fromUtf8(error.what()));
    }
}

void CatalogueMenu::mFileShippedCatalogueClick() {
    if (!RemoveUserCatalogue())
        DialogSeam::showMessage(m_window, QMessageBox::Warning,
                                m_useShipped->text().remove(QLatin1Char('&')),
                                Text(Entry::NotRemoved));
    m_recalculate();
}

} // namespace skyvane
