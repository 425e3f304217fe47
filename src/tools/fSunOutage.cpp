#include "fSunOutage.h"

#include "Constants.h"
#include "FieldMark.h"
#include "FieldSize.h"
#include "GridView.h"
#include "HelpBinding.h"
#include "LanguageController.h"
#include "LanguageManager.h"
#include "LookAngles.h"
#include "ManySites.h"
#include "NumberText.h"
#include "OutageCalendar.h"
#include "OutageTableModel.h"
#include "QuietFailure.h"
#include "RegularFile.h"
#include "ReportParts.h"
#include "ReportWriter.h"
#include "SatelliteTableModel.h"
#include "SaveDialogSettings.h"
#include "SiteTimeZone.h"
#include "WindowPlacement.h"
#include "WorkAside.h"

#include <QAction>
#include <QButtonGroup>
#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QFutureWatcher>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPromise>
#include <QTimeZone>
#include <QtConcurrent>

#include <exception>

namespace skyvane {

namespace {

constexpr int kRowHeight = 20;    // pixels
constexpr int kColumnWidth = 130; // pixels

GridColumnSpec TextColumn(const char* name) {
    GridColumnSpec column;
    column.objectName = QString::fromLatin1(name);
    column.width = kColumnWidth;
    return column;
}

SaveDialogTexts DialogTexts(const SaveDialogSettings& dialog, const QAction* menuItem) {
    return MenuSaveDialogTexts(menuItem->text(), dialog.filter(), dialog.defaultExt());
}

} // namespace

TfrmSunOutage::TfrmSunOutage(QWidget* owner, const ToolWindowLink& link)
    : QMainWindow(owner, Qt::Window)
    , m_link(link)
    , m_outages(new OutageTableModel(this)) {
    setupUi(this);
    FitEditTo(edYear, QStringLiteral("8888"));
    FitEditTo(edDiameter, FormatFixed(88.88, 2));
    HelpBinding::SetHelpContext(this, HelpContext::SunOutage);
    new WindowPlacement(this, QStringLiteral("frmSunOutage"));
    Panel6->setHeadingText(QStringLiteral("Sun Outage"));
    SetUpGrid();
    SetUpTimeChoice();
    StatusBar1->addWidget(lblSearchCutShort);
    m_tracking = new QLabel(StatusBar1);
    m_tracking->setObjectName(QStringLiteral("lblTrackingNeeded"));
    m_tracking->setWordWrap(true);
    m_tracking->hide();
    StatusBar1->addWidget(m_tracking, 1);
    const SaveDialogTexts html = DefaultHtmlSaveDialogTexts();
    const SaveDialogTexts csv = DefaultCsvSaveDialogTexts();
    SaveDialogHTML = new SaveDialogSettings(QStringLiteral("SaveDialogHTML"), html.defaultExt,
                                            html.filter, this);
    SaveDialogCSV =
        new SaveDialogSettings(QStringLiteral("SaveDialogCSV"), csv.defaultExt, csv.filter, this);
    SaveDialogICS =
        new SaveDialogSettings(QStringLiteral("SaveDialogICS"), TranslatedText(Translation(), 34),
                               TranslatedText(Translation(), 35), this);
    ExporttoICS1 = new QAction(TranslatedText(Translation(), 33), this);
    ExporttoICS1->setObjectName(QStringLiteral("ExporttoICS1"));
    Export1->addAction(ExporttoICS1);
    ExporttoSites1 = new QAction(TranslatedText(Translation(), 42), this);
    ExporttoSites1->setObjectName(QStringLiteral("ExporttoSites1"));
    Export1->addAction(ExporttoSites1);
    FormCreate();
    ConnectHandlers();
    new LanguageController(this, Translation(), [this] { LanguageController1LanguageChanged(); });
}

const WindowTranslation& TfrmSunOutage::Translation() {
    static const WindowTranslation table{
        "frmSunOutage",
        {
            {1, "", "Caption", "Sun Outage"},
            {3, "lblHeading", "Caption", "Sun Outage"},
            {6, "lblDiameter", "Caption", "Dish diameter"},
            {10, "lblDiameterM", "Caption", "m"},
            {11, "rbSpring", "Caption", "Spring"},
            {12, "rbFall", "Caption", "Fall"},
            {14, "rbC", "Caption", "C-Band"},
            {15, "rbKu", "Caption", "Ku-Band"},
            {16, "Datei1", "Caption", "&File"},
            {19, "Close1", "Caption", "&Close"},
            {20, "Export1", "Caption", "&Export"},
            {21, "ExporttoHTML1", "Caption", "Export to &HTML"},
            {22, "ExporttoCSV1", "Caption", "Export to &CSV"},
            {23, "SaveDialogCSV", "DefaultExt", "*.csv"},
            {24, "SaveDialogCSV", "Filter", "CSV (*.csv)|*.csv|All extensions (*.*)|*.*"},
            {25, "SaveDialogHTML", "DefaultExt", "*.html"},
            {26, "SaveDialogHTML", "Filter",
             "HTML (*.html, *.htm)|*.html;*.htm|All extensions (*.*)|*.*"},
            {27, "lblYear", "Caption", "Year"},
            {28, "colPredictedDate", "Header.Caption", "Predicted Date"},
            {29, "colStartGMT", "Header.Caption", "Start (GMT)"},
            {30, "colEndGMT", "Header.Caption", "End (GMT)"},
            {31, "colDuration", "Header.Caption", "Duration"},
            {32, "lblSearchCutShort", "Caption",
             "The search stopped at its limit: the table may be incomplete."},
            {33, "ExporttoICS1", "Caption", "Export to ca&lendar (.ics)"},
            {34, "SaveDialogICS", "DefaultExt", "*.ics"},
            {35, "SaveDialogICS", "Filter", "Calendar (*.ics)|*.ics|All extensions (*.*)|*.*"},
            {36, "CalendarTexts", "Summary", "Sun outage: %s from %s"},
            {37, "CalendarTexts", "Alarm", "Sun outage in %s minutes"},
            {38, "lblTimes", "Caption", "Times in"},
            {39, "rbGmt", "Caption", "GMT"},
            {40, "rbLocal", "Caption", "the site's local time"},
            {41, "colLocalTime", "Header.Caption", "Local time"},
            {42, "ExporttoSites1", "Caption", "Export for a list of &sites (CSV) ..."},
            {43, "SitesTexts", "Filter",
             "Sites (*.csv *.txt)|*.csv;*.txt|All extensions (*.*)|*.*"},
            {44, "SitesTexts", "Progress", "Predicting for %s sites ..."},
            {45, "SitesTexts", "Site", "Site"},
            {46, "SitesTexts", "Latitude", "Latitude"},
            {47, "SitesTexts", "Longitude", "Longitude"},
        },
        {"*.Font.Name", "edDiameter.*", "edYear.*", "N1.*", "cbZone.*"},
    };
    return table;
}

void TfrmSunOutage::SetUpGrid() {
    GridView1->setFrameShape(QFrame::NoFrame);
    GridView1->setSourceModel(m_outages);
    for (const char* name :
         {"colPredictedDate", "colStartGMT", "colEndGMT", "colDuration", "colLocalTime"})
        GridView1->addColumn(TextColumn(name));
    GridView1->verticalHeader()->setDefaultSectionSize(kRowHeight);
    GridView1->setCellColoring(
        [this](int row, int) { return GridView::AlternateRowBrush(row, GridView1->palette()); });
}

// GMT, as the table has always been, or beside it the site's own clock in a zone the window
// guesses from the site and the user may correct.
void TfrmSunOutage::SetUpTimeChoice() {
    auto* row = new QHBoxLayout;
    row->setContentsMargins(8, 4, 8, 4);
    lblTimes = new QLabel(TranslatedText(Translation(), 38), this);
    lblTimes->setObjectName(QStringLiteral("lblTimes"));
    rbGmt = new QRadioButton(TranslatedText(Translation(), 39), this);
    rbGmt->setObjectName(QStringLiteral("rbGmt"));
    rbLocal = new QRadioButton(TranslatedText(Translation(), 40), this);
    rbLocal->setObjectName(QStringLiteral("rbLocal"));
    cbZone = new QComboBox(this);
    cbZone->setObjectName(QStringLiteral("cbZone"));
    for (const QByteArray& zone : QTimeZone::availableTimeZoneIds())
        if (zone.contains('/'))
            cbZone->addItem(QString::fromLatin1(zone));
    rbGmt->setChecked(true);
    cbZone->setEnabled(false);
    auto* times = new QButtonGroup(this);
    times->addButton(rbGmt);
    times->addButton(rbLocal);
    for (QWidget* control : std::initializer_list<QWidget*>{lblTimes, rbGmt, rbLocal, cbZone})
        row->addWidget(control);
    row->addStretch();
    outageLayout->insertLayout(outageLayout->indexOf(GridView1), row);
    connect(rbLocal, &QRadioButton::toggled, this, &TfrmSunOutage::ShowTimes);
    connect(cbZone, &QComboBox::currentTextChanged, this, &TfrmSunOutage::ShowTimes);
}

void TfrmSunOutage::ShowTimes() {
    cbZone->setEnabled(rbLocal->isChecked());
    const QTimeZone zone =
        rbLocal->isChecked() ? QTimeZone(cbZone->currentText().toLatin1()) : QTimeZone();
    m_outages->setLocalZone(zone);
    if (GridColumn* local = GridView1->columnByName(QStringLiteral("colLocalTime")))
        local->setCaptionAfter(zone.isValid()
                                   ? QStringLiteral(" (") + cbZone->currentText() + QLatin1Char(')')
                                   : QString());
}

void TfrmSunOutage::ConnectHandlers() {
    for (QRadioButton* button : {rbSpring, rbFall, rbC, rbKu})
        connect(button, &QRadioButton::clicked, this, &TfrmSunOutage::rbClick);
    connect(edDiameter, &QLineEdit::textChanged, this, &TfrmSunOutage::edDiameterChange);
    connect(edYear, &QLineEdit::textChanged, this, &TfrmSunOutage::edYearChange);
    connect(Close1, &QAction::triggered, this, &TfrmSunOutage::Close1Click);
    connect(ExporttoCSV1, &QAction::triggered, this, &TfrmSunOutage::ExporttoCSV1Click);
    connect(ExporttoHTML1, &QAction::triggered, this, &TfrmSunOutage::ExporttoHTML1Click);
    connect(ExporttoICS1, &QAction::triggered, this, &TfrmSunOutage::ExporttoICS1Click);
    connect(ExporttoSites1, &QAction::triggered, this, &TfrmSunOutage::ExporttoSites1Click);
}

// Runs before the handlers are connected, so restoring the buttons runs no prediction.
void TfrmSunOutage::FormCreate() {
    try {
        const SunOutageOptions defaults;
        const SunOutageOptions& settings = m_link.sunOutage ? *m_link.sunOutage : defaults;
        (settings.spring() ? rbSpring : rbFall)->setChecked(true);
        (settings.cband() ? rbC : rbKu)->setChecked(true);
        m_predictor.Year = QDate::currentDate().year();
        edYear->setText(QString::number(m_predictor.Year));
        // A stored diameter no prediction accepts (a damaged settings file) would leave the edit
        // showing a value the table was never computed for.
        const double diameter = SunOutagePredictor::IsUsableDiameter(settings.diameter())
                                    ? settings.diameter()
                                    : SunOutageOptions::kDefaultDiameter;
        edDiameter->setText(FormatGeneral(diameter));
        edDiameter->setModified(true);
        edDiameterChange();
    } catch (const std::exception& error) {
        LogQuietFailure("restoring the sun outage settings", error);
    }
}

void TfrmSunOutage::SetSatellite(const SatelliteRecord& satellite) {
    m_predictor.Satellite = satellite;
    if (satellite) {
        m_siteTaken = RecordSiteFacts(m_link.currentSite(), satellite->SiteLatitude,
                                      satellite->SiteLongitude);
        const QString zone =
            QString::fromLatin1(NearestTimeZone(satellite->SiteLatitude, satellite->SiteLongitude));
        if (const int found = cbZone->findText(zone); found >= 0)
            cbZone->setCurrentIndex(found);
    }
    UpdateCaption();
    RefreshTable();
}

void TfrmSunOutage::UpdateCaption() {
    const SatelliteRecord& satellite = m_predictor.Satellite;
    if (!satellite)
        return;
    const QString caption =
        FormatConstant(Constant::SunOutageForSatAtLoc,
                       {satellite->Name, OrbitalPositionText(satellite->Position)});
    setWindowTitle(caption);
    Panel6->setHeadingText(caption);
}

PredictionStatus TfrmSunOutage::RefreshTable() {
    GridView1->beginUpdate();
    PredictionStatus status = PredictionStatus::NoSatellite;
    try {
        m_predictor.Season = rbSpring->isChecked() ? OutageSeason::Spring : OutageSeason::Fall;
        m_predictor.Band = rbC->isChecked() ? OutageBand::C : OutageBand::Ku;
        status = m_predictor.PredictOutages();
        if (SearchedAnything(status) || status == PredictionStatus::NoSatellite) {
            ShowRows();
            lblSearchCutShort->setVisible(status == PredictionStatus::SearchBoundReached);
        }
        ShowTrackingNote();
    } catch (...) {
        GridView1->endUpdate();
        throw;
    }
    GridView1->endUpdate();
    return status;
}

// A satellite that swings over the day by more than the beam is lost by a fixed dish, whatever
// the sun does: the window says so beside the table.
void TfrmSunOutage::ShowTrackingNote() {
    const SatelliteRecord& satellite = m_predictor.Satellite;
    const double halfBeam =
        SunOutagePredictor::HalfBeamwidth(m_predictor.Diameter, m_predictor.Band);
    const bool lost =
        satellite && satellite->movesDaily() && DailySwingInTheSky(*satellite) / 2.0 > halfBeam;
    m_tracking->setVisible(lost);
    if (lost)
        m_tracking->setText(DailyMovementText(*satellite) + QLatin1Char(' ') +
                            FormatConstant(Constant::TrackingNeeded, {FormatFixed(halfBeam, 2)}));
}

void TfrmSunOutage::ShowRows() {
    // Days on which the sun stands behind the site's horizon are marked: no outage then.
    if (const SatelliteRecord& satellite = m_predictor.Satellite)
        m_outages->setHorizon(m_link.siteHorizon(), satellite->SiteLatitude,
                              satellite->SiteLongitude);
    m_outages->setRows(m_predictor.Rows);
    // New rows come as predicted, which the old sort indicator no longer describes.
    GridView1->resetSorting();
    if (GridView1->gridRowCount() > 0)
        GridView1->sortRows(OutageTableModel::PredictedDate, Qt::AscendingOrder);
}

void TfrmSunOutage::rbClick() {
    RefreshTable();
    if (m_link.sunOutage) {
        m_link.sunOutage->setSpring(rbSpring->isChecked());
        m_link.sunOutage->setCband(rbC->isChecked());
    }
}

void TfrmSunOutage::edDiameterChange() {
    if (!edDiameter->isModified())
        return;
    double diameter = 0.0;
    try {
        diameter = StrToFloatDot(edDiameter->text(), false);
    } catch (const ConversionError&) {
        MarkRejected(edDiameter, true);
        edDiameter->setFocus();
        return;
    }
    // Typing 0.8 passes through 0 and a minus sign gives a negative value: the last usable
    // diameter, its table and the stored setting stay until a usable one is complete.
    MarkRejected(edDiameter, !SunOutagePredictor::IsUsableDiameter(diameter));
    if (!SunOutagePredictor::IsUsableDiameter(diameter))
        return;
    m_predictor.Diameter = diameter;
    edDiameter->setModified(false);
    RefreshTable();
    if (m_link.sunOutage)
        m_link.sunOutage->setDiameter(diameter);
}

void TfrmSunOutage::edYearChange() {
    if (!edYear->isModified())
        return;
    bool ok = false;
    const int year = edYear->text().toInt(&ok, 10);
    MarkRejected(edYear, !ok);
    if (!ok) {
        edYear->setFocus();
        return;
    }
    m_predictor.Year = year;
    RefreshTable();
}

void TfrmSunOutage::LanguageController1LanguageChanged() {
    UpdateCaption();
    ShowTrackingNote();
}

void TfrmSunOutage::Close1Click() {
    close();
}

QString TfrmSunOutage::SeasonAndBandText() const {
    const QRadioButton* season = rbSpring->isChecked() ? rbSpring : rbFall;
    const QRadioButton* band = rbC->isChecked() ? rbC : rbKu;
    return season->text() + QLatin1Char(' ') + QString::number(m_predictor.Year) +
           QStringLiteral(", ") + band->text();
}

SiteReportInputs TfrmSunOutage::ReportSite() const {
    return {m_link.captions(), m_predictor.Satellite ? m_siteTaken : m_link.currentSite()};
}

QString TfrmSunOutage::DiameterCaption() const {
    return lblDiameter->text() + QLatin1Char(':');
}

QString TfrmSunOutage::DiameterText() const {
    return FormatGeneral(m_predictor.Diameter) + QLatin1Char(' ') + lblDiameterM->text();
}

// The table follows a few lines that say what it is for: the title, the site, the dish and the
// season, then an empty line.
QStringList TfrmSunOutage::CsvLines() const {
    const QAbstractItemModel& shown = *GridView1->model();
    QStringList lines{CsvLine({Panel6->heading()->text()})};
    if (m_link.site)
        for (const QStringList& row : SiteTextRows(ReportSite()))
            lines << CsvLine(row);
    lines << CsvLine({DiameterCaption(), DiameterText()});
    lines << CsvLine({SeasonAndBandText()}) << QString();
    lines << CsvLine(HeaderCaptions(shown));
    for (int row = 0; row < shown.rowCount(); ++row)
        lines << CsvLine(RowTexts(shown, row));
    return lines;
}

QStringList TfrmSunOutage::HtmlBodyLines() const {
    QStringList lines{QStringLiteral("<table>")};
    if (m_link.site)
        lines << SiteInformationRows(ReportSite());
    lines << HtmlInfoRow(HtmlEscape(DiameterCaption()), HtmlEscape(DiameterText()));
    lines << HtmlInfoRow(QStringLiteral("&nbsp;"), HtmlEscape(SeasonAndBandText()));
    lines << QStringLiteral("</table>");
    lines << DetailTableLines(*GridView1->model());
    return lines;
}

void TfrmSunOutage::ExporttoCSV1Click() {
    ExportCsvReport(this, DialogTexts(*SaveDialogCSV, ExporttoCSV1), [this] { return CsvLines(); });
}

QStringList TfrmSunOutage::CalendarLines(const QDateTime& stamp) const {
    const SatelliteRecord& satellite = m_predictor.Satellite;
    if (!satellite)
        return {};
    OutageCalendarInputs inputs;
    inputs.satellite =
        satellite->Name.trimmed() + QStringLiteral(", ") + OrbitalPositionText(satellite->Position);
    const QList<QStringList> site = SiteTextRows(ReportSite());
    QStringList where;
    for (qsizetype i = 0; i < std::min<qsizetype>(2, site.size()); ++i)
        where << site[i].value(1);
    inputs.site = where.join(QLatin1Char(' '));
    if (!m_siteTaken.townName.isEmpty())
        inputs.site += QStringLiteral(" (") + m_siteTaken.townName + QLatin1Char(')');
    inputs.summary = TranslatedText(Translation(), 36);
    inputs.alarm = TranslatedText(Translation(), 37);
    inputs.stamp = stamp;
    return OutageCalendarLines(m_predictor.Rows, inputs);
}

void TfrmSunOutage::ExporttoICS1Click() {
    ExportCalendarReport(this, DialogTexts(*SaveDialogICS, ExporttoICS1),
                         [this] { return CalendarLines(QDateTime::currentDateTimeUtc()); });
}

namespace {

void PredictInBackground(QPromise<std::vector<SiteOutages>>& promise, TSatelliteData satellite,
                         std::vector<NamedSite> sites, SunOutagePredictor options,
                         std::stop_token stop) {
    promise.addResult(PredictForSites(satellite, sites, options, stop,
                                      [&promise](int done) { promise.setProgressValue(done); }));
}

} // namespace

// The table for every site of a list the user gives, written as one CSV file. The predictions
// run off the interface thread; Cancel ends them and writes nothing.
void TfrmSunOutage::ExporttoSites1Click() {
    if (!m_predictor.Satellite || m_sitesRunning)
        return;
    const QString title = WithoutAccelerator(ExporttoSites1->text());
    const QString listPath = DialogSeam::getOpenFileName(
        this, title, QtFilterFromPipeFilter(TranslatedText(Translation(), 43)));
    if (listPath.isEmpty())
        return;
    QString error;
    const std::optional<QByteArray> bytes = ReadRegularFile(listPath, 4 * 1024 * 1024);
    const std::vector<NamedSite> sites =
        bytes ? ReadSiteList(*bytes, &error) : std::vector<NamedSite>{};
    if (sites.empty()) {
        DialogSeam::showMessage(this, QMessageBox::Warning, title,
                                error.isEmpty() ? QDir::toNativeSeparators(listPath) : error);
        return;
    }
    const QString path = DialogSeam::getSaveFileName(
        this, SaveRequestFromDialogTexts(DialogTexts(*SaveDialogCSV, ExporttoSites1)));
    if (path.isEmpty())
        return;
    auto* progress = new QProgressDialog(this);
    progress->setWindowTitle(title);
    progress->setLabelText(TranslatedText(Translation(), 44)
                               .replace(QLatin1String("%s"), QString::number(sites.size())));
    progress->setRange(0, int(sites.size()));
    progress->setWindowModality(Qt::WindowModal);
    progress->setValue(0);
    auto stop = std::make_shared<std::stop_source>();
    m_sitesRunning = true;
    auto* watcher = WatchWorkAside<std::vector<SiteOutages>>(
        this, progress, stop, [this] { m_sitesRunning = false; },
        [this, path](const std::vector<SiteOutages>& outages) {
            QStringList lines{CsvLine(
                QStringList{TranslatedText(Translation(), 45), TranslatedText(Translation(), 46),
                            TranslatedText(Translation(), 47)} +
                HeaderCaptions(*m_outages).mid(0, OutageTableModel::LocalTime))};
            for (const QStringList& row : SiteOutageRows(outages))
                lines << CsvLine(row);
            try {
                WriteReportFile(path, ReportEncoding::System, lines);
            } catch (const std::exception& failure) {
                ReportSaveFailure(this, path, failure);
            }
        });
    connect(watcher, &QFutureWatcherBase::progressValueChanged, progress,
            &QProgressDialog::setValue);
    watcher->setFuture(QtConcurrent::run(PredictInBackground, *m_predictor.Satellite, sites,
                                         m_predictor, stop->get_token()));
    DialogSeam::showProgress(*progress);
}

void TfrmSunOutage::ExporttoHTML1Click() {
    ExportHtmlReport(this, DialogTexts(*SaveDialogHTML, ExporttoHTML1), Panel6->heading()->text(),
                     [this] { return HtmlBodyLines(); });
}

} // namespace skyvane
