#include "CatalogueMenu.h"

#include "CatalogueImport.h"
#include "DialogSeam.h"
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

CatalogueMenu::CatalogueMenu(QMainWindow* window, QMenu* fileMenu, QAction* before,
                             std::function<void()> recalculate)
    : QObject(window)
    , m_window(window)
    , m_texts(new QObject(window))
    , m_label(new QLabel(window))
    , m_useShipped(new QAction(window))
    , m_recalculate(std::move(recalculate)) {
    m_texts->setObjectName(QStringLiteral("CatalogueTexts"));
    for (const TranslationEntry& entry : TranslationEntries())
        if (qstrcmp(entry.objectName, "CatalogueTexts") == 0)
            m_texts->setProperty(entry.property, QString::fromUtf8(entry.english));

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
        {62, "CatalogueTexts", "Filter",
         "Catalogues and element lists (*.dat *.xml *.json *.csv *.txt *.tle)|"
         "*.dat;*.xml;*.json;*.csv;*.txt;*.tle|All extensions (*.*)|*.*"},
        {63, "CatalogueTexts", "WorkingFolder", "working folder"},
        {64, "CatalogueTexts", "Yours", "your import"},
        {65, "CatalogueTexts", "Shipped", "shipped"},
        {66, "CatalogueTexts", "BuiltIn", "built-in"},
        {67, "CatalogueTexts", "StatusText", "Catalogue: %s"},
        {68, "CatalogueTexts", "ImportTitle", "Import catalogue"},
        {69, "CatalogueTexts", "Imported", "%s positions imported into your catalogue."},
        {70, "CatalogueTexts", "NotImported",
         "The catalogue was not imported; the previous one stays in use."},
        {71, "CatalogueTexts", "NotRemoved",
         "Your catalogue could not be removed and stays in use."},
    };
    return entries;
}

QString CatalogueMenu::Text(const char* name) const {
    return m_texts->property(name).toString();
}

QString CatalogueMenu::SourceName(CatalogueSource source) const {
    switch (source) {
    case CatalogueSource::WorkingDirectory:
        return Text("WorkingFolder");
    case CatalogueSource::User:
        return Text("Yours");
    case CatalogueSource::Shipped:
        return Text("Shipped");
    case CatalogueSource::BuiltIn:
        break;
    }
    return Text("BuiltIn");
}

QString CatalogueMenu::Description(CatalogueSource source, const QString& version) const {
    if (source == CatalogueSource::BuiltIn)
        return version;
    return QStringLiteral("%1 (%2)").arg(version, SourceName(source));
}

void CatalogueMenu::ShowSource(CatalogueSource source, const QString& version) {
    m_label->setText(Text("StatusText").replace(QLatin1String("%s"), Description(source, version)));
    m_label->setVisible(source != CatalogueSource::BuiltIn);
    m_useShipped->setEnabled(QFile::exists(UserCatalogueFile()));
}

void CatalogueMenu::mFileImportCatalogueClick() {
    const QString title = Text("ImportTitle");
    const QString path =
        DialogSeam::getOpenFileName(m_window, title, QtFilterFromPipeFilter(Text("Filter")));
    if (path.isEmpty())
        return;
    try {
        const ImportedCatalogue imported =
            ImportCatalogueFile(path, QDateTime::currentDateTimeUtc());
        m_recalculate();
        DialogSeam::showMessage(
            m_window, QMessageBox::Information, title,
            Text("Imported").replace(QLatin1String("%s"), QString::number(imported.satellites)));
    } catch (const CatalogueError& error) {
        DialogSeam::showMessage(m_window, QMessageBox::Warning, title,
                                Text("NotImported") + QStringLiteral("\n\n") +
                                    QString::fromUtf8(error.what()));
    }
}

void CatalogueMenu::mFileShippedCatalogueClick() {
    if (!RemoveUserCatalogue())
        DialogSeam::showMessage(m_window, QMessageBox::Warning,
                                m_useShipped->text().remove(QLatin1Char('&')), Text("NotRemoved"));
    m_recalculate();
}

} // namespace skyvane
