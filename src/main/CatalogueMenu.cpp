#include "CatalogueMenu.h"

#include "ReadableColours.h"

#include "CatalogueImport.h"
#include "DialogSeam.h"
#include "LanguageManager.h"
#include "ReportParts.h"
#include "Session.h"
#include "WorkAside.h"

#include <QAction>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFutureWatcher>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QProgressDialog>
#include <QPromise>
#include <QStatusBar>
#include <QtConcurrent/QtConcurrentRun>

#include <memory>
#include <optional>
#include <stop_token>

namespace skyvane {

namespace {

// Small files are read before the progress window would show.
constexpr int kProgressDelayMs = 400;

struct ImportOutcome {
    std::optional<ImportedCatalogue> imported;
    // A reader's refusal is kept whole, so that its text is made in the interface's language on
    // the interface thread.
    std::optional<ImportError> refusal;
    QString failure;
};

// Runs on a worker thread: touches nothing but the file and its own data.
void ReadInBackground(QPromise<ImportOutcome>& promise, const QString& path, const QDateTime& now,
                      std::stop_token stop) {
    const ConversionControl control{
        [&promise](double share) { promise.setProgressValue(int(share * 100.0)); }, stop};
    try {
        promise.addResult(ImportOutcome{ReadCatalogueForImport(path, now, control), {}, {}});
    } catch (const ImportCancelled&) {
        promise.addResult(ImportOutcome{});
    } catch (const ImportError& refusal) {
        promise.addResult(ImportOutcome{std::nullopt, refusal, {}});
    } catch (const std::exception& error) {
        promise.addResult(
            ImportOutcome{std::nullopt, std::nullopt, QString::fromUtf8(error.what())});
    }
}

QString EnglishText(const char* objectName, const char* property) {
    for (const TranslationEntry& entry : CatalogueMenu::TranslationEntries())
        if (qstrcmp(entry.objectName, objectName) == 0 && qstrcmp(entry.property, property) == 0)
            return QString::fromUtf8(entry.english);
    return {};
}

} // namespace

CatalogueMenu::CatalogueMenu(QMainWindow* window, const WindowTranslation& section, QMenu* fileMenu,
                             QAction* before, const Session* session,
                             std::function<void()> recalculate)
    : QObject(window)
    , m_window(window)
    , m_section(section)
    , m_session(session)
    , m_label(new QLabel(window))
    , m_import(new QAction(window))
    , m_useShipped(new QAction(window))
    , m_recalculate(std::move(recalculate)) {
    m_import->setText(EnglishText("mFileImportCatalogue", "Caption"));
    m_import->setObjectName(QStringLiteral("mFileImportCatalogue"));
    m_useShipped->setObjectName(QStringLiteral("mFileShippedCatalogue"));
    m_useShipped->setText(EnglishText("mFileShippedCatalogue", "Caption"));
    fileMenu->insertAction(before, m_import);
    fileMenu->insertAction(before, m_useShipped);
    fileMenu->insertSeparator(m_import);
    connect(m_import, &QAction::triggered, this, &CatalogueMenu::mFileImportCatalogueClick);
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
        {int(Entry::OldElements), "CatalogueTexts", "OldElements", "element sets %s days old"},
        {int(Entry::ImportedOld), "CatalogueTexts", "ImportedOld",
         "The element sets are %s days old: the positions are those of that time and may be out "
         "of date."},
        {int(Entry::WorkingFolderWins), "CatalogueTexts", "WorkingFolderWins",
         "It is not in use while the working folder holds %s: that file comes first."},
        {int(Entry::Reading), "CatalogueTexts", "Reading", "Reading %s ..."},
        {int(Entry::AddOrReplace), "CatalogueTexts", "AddOrReplace",
         "Add the imported positions to your catalogue (the positions it already holds are "
         "updated), or replace your catalogue with them?"},
        {int(Entry::Add), "CatalogueTexts", "Add", "&Add"},
        {int(Entry::Replace), "CatalogueTexts", "Replace", "&Replace"},
        {int(Entry::Added), "CatalogueTexts", "Added",
         "%s positions added to your catalogue or updated in it."},
        {int(Entry::ConfirmShipped), "CatalogueTexts", "ConfirmShipped",
         "Your imported catalogue will be deleted and the shipped catalogue used again."},
        {int(Entry::DeleteOwn), "CatalogueTexts", "DeleteOwn", "&Delete my catalogue"},
        {int(Entry::VeryOld), "CatalogueTexts", "VeryOld",
         "The element sets are %s days old: the satellites have moved since, and inclined ones "
         "far. Use them all the same?"},
        {int(Entry::UseOld), "CatalogueTexts", "UseOld", "&Use them"},
    };
    return entries;
}

QString CatalogueMenu::Text(Entry entry, const QString& argument) const {
    return TranslatedText(m_section, static_cast<int>(entry))
        .replace(QLatin1String("%s"), argument);
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

QString CatalogueMenu::Description() const {
    const CatalogueSource source = m_session->catalogueSource();
    if (source == CatalogueSource::BuiltIn)
        return m_session->catalogueVersion();
    return QStringLiteral("%1 (%2)").arg(m_session->catalogueVersion(), SourceName(source));
}

QString CatalogueMenu::DescriptionWithAge() const {
    QString text = Description();
    if (const std::optional<int> age =
            OldElementsAge(m_session->catalogueElementsEpoch(), QDateTime::currentDateTimeUtc()))
        text += QStringLiteral("; ") + Text(Entry::OldElements, QString::number(*age));
    return text;
}

void CatalogueMenu::ShowSource() {
    const std::optional<int> age =
        OldElementsAge(m_session->catalogueElementsEpoch(), QDateTime::currentDateTimeUtc());
    m_label->setText(Text(Entry::StatusText, DescriptionWithAge()));
    // Old element sets are told in a warning colour that reads on the window's own.
    QPalette colours = m_window->palette();
    if (age)
        colours.setColor(QPalette::WindowText,
                         ReadableOn(QColor(0xB0, 0x48, 0x00), colours.color(QPalette::Window)));
    m_label->setPalette(colours);
    m_label->setVisible(m_session->catalogueSource() != CatalogueSource::BuiltIn);
    m_useShipped->setEnabled(QFile::exists(UserCatalogueFile()));
}

void CatalogueMenu::mFileImportCatalogueClick() {
    const QString path = DialogSeam::getOpenFileName(m_window, Text(Entry::ImportTitle),
                                                     QtFilterFromPipeFilter(Text(Entry::Filter)));
    if (path.isEmpty())
        return;
    auto* progress = new QProgressDialog(m_window);
    progress->setWindowTitle(Text(Entry::ImportTitle));
    progress->setLabelText(Text(Entry::Reading, QDir::toNativeSeparators(path)));
    progress->setRange(0, 0);
    progress->setWindowModality(Qt::WindowModal);
    progress->setMinimumDuration(kProgressDelayMs);
    // Starts the delay anew: without a value the window would wait the toolkit's four seconds.
    progress->setValue(0);
    m_import->setEnabled(false);
    // On Cancel the reader stops at its next record; whatever it returns is dropped.
    auto stop = std::make_shared<std::stop_source>();
    auto* watcher = WatchWorkAside<ImportOutcome>(
        this, progress, stop, [this] { m_import->setEnabled(true); },
        [this, path](const ImportOutcome& outcome) {
            if (outcome.imported)
                FinishImport(path, *outcome.imported);
            else
                ShowImportFailure(path, outcome.refusal ? ImportErrorText(*outcome.refusal)
                                                        : outcome.failure);
        });
    connect(watcher, &QFutureWatcherBase::progressValueChanged, progress, [progress](int percent) {
        progress->setRange(0, 100);
        progress->setValue(percent);
    });
    watcher->setFuture(QtConcurrent::run(ReadInBackground, path, QDateTime::currentDateTimeUtc(),
                                         stop->get_token()));
    DialogSeam::showProgress(*progress);
}

void CatalogueMenu::ShowImportFailure(const QString& file, const QString& reason) {
    // Messages about the content do not say which file they are about; those about reading
    // and writing do.
    const QString shown = QDir::toNativeSeparators(file);
    const bool named =
        reason.contains(file) || reason.contains(shown) || reason.contains(UserCatalogueFile());
    const QString where = named ? QString() : QStringLiteral("%1: ").arg(shown);
    DialogSeam::showMessage(m_window, QMessageBox::Warning, Text(Entry::ImportTitle),
                            Text(Entry::NotImported) + QStringLiteral("\n\n") + where + reason);
}

void CatalogueMenu::FinishImport(const QString& path, const ImportedCatalogue& imported) {
    const std::optional<int> age =
        OldElementsAge(imported.elementsEpoch, QDateTime::currentDateTimeUtc());
    if (age && *age > kVeryOldElementsDays &&
        DialogSeam::askChoice(m_window, Text(Entry::ImportTitle),
                              Text(Entry::VeryOld, QString::number(*age)),
                              {Text(Entry::UseOld)}) != 0)
        return;
    // With a catalogue of their own, the user chooses whether the import replaces it or joins it.
    bool added = false;
    if (QFileInfo(UserCatalogueFile()).isFile()) {
        const int answer =
            DialogSeam::askChoice(m_window, Text(Entry::ImportTitle), Text(Entry::AddOrReplace),
                                  {Text(Entry::Add), Text(Entry::Replace)});
        if (answer < 0)
            return;
        added = answer == 0;
    }
    try {
        const ImportedCatalogue stored = added ? AddToUserCatalogue(imported) : imported;
        WriteUserCatalogue(stored.bytes);
        WriteUserElements(stored.elements);
    } catch (const CatalogueError& error) {
        ShowImportFailure(path, ImportErrorText(error));
        return;
    }
    m_recalculate();
    QString text =
        Text(added ? Entry::Added : Entry::Imported, QString::number(imported.satellites));
    if (age)
        text += QStringLiteral("\n\n") + Text(Entry::ImportedOld, QString::number(*age));
    if (m_session->catalogueSource() == CatalogueSource::WorkingDirectory)
        text += QStringLiteral("\n\n") + Text(Entry::WorkingFolderWins,
                                              QDir::toNativeSeparators(m_session->cataloguePath()));
    DialogSeam::showMessage(m_window, QMessageBox::Information, Text(Entry::ImportTitle), text);
}

void CatalogueMenu::mFileShippedCatalogueClick() {
    const QString title = WithoutAccelerator(m_useShipped->text());
    if (DialogSeam::askChoice(m_window, title, Text(Entry::ConfirmShipped),
                              {Text(Entry::DeleteOwn)}) != 0)
        return;
    QString reason;
    if (!RemoveUserCatalogue(&reason))
        DialogSeam::showMessage(
            m_window, QMessageBox::Warning, m_useShipped->text().remove(QLatin1Char('&')),
            Text(Entry::NotRemoved) +
                QStringLiteral("\n\n%1: %2")
                    .arg(QDir::toNativeSeparators(UserCatalogueFile()), reason));
    m_recalculate();
}

} // namespace skyvane
