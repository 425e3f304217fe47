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

// English texts; the language files replace them through the window's entries.
constexpr std::pair<const char*, const char*> kTexts[] = {
    {"Filter", "Catalogues and element lists (*.dat *.xml *.json *.csv *.txt *.tle)|"
               "*.dat;*.xml;*.json;*.csv;*.txt;*.tle|All extensions (*.*)|*.*"},
    {"WorkingFolder", "working folder"},
    {"Yours", "your import"},
    {"Shipped", "shipped"},
    {"BuiltIn", "built-in"},
    {"StatusText", "Catalogue: %s"},
    {"ImportTitle", "Import catalogue"},
    {"Imported", "%s positions imported into your catalogue."},
    {"NotImported", "The catalogue was not imported; the previous one stays in use."},
    {"NotRemoved", "Your catalogue could not be removed and stays in use."},
};

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
    for (const auto& [name, text] : kTexts)
        m_texts->setProperty(name, QString::fromUtf8(text));

    auto* import = new QAction(QStringLiteral("&Import catalogue ..."), window);
    import->setObjectName(QStringLiteral("mFileImportCatalogue"));
    m_useShipped->setObjectName(QStringLiteral("mFileShippedCatalogue"));
    m_useShipped->setText(QStringLiteral("Use the &shipped catalogue"));
    fileMenu->insertAction(before, import);
    fileMenu->insertAction(before, m_useShipped);
    fileMenu->insertSeparator(import);
    connect(import, &QAction::triggered, this, &CatalogueMenu::mFileImportCatalogueClick);
    connect(m_useShipped, &QAction::triggered, this, &CatalogueMenu::mFileShippedCatalogueClick);

    m_label->setObjectName(QStringLiteral("lblCatalogue"));
    window->statusBar()->addPermanentWidget(m_label);
    m_label->hide();
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
