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
#include "ProductInfo.h"
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
#include <QFileInfo>
#include <QFutureWatcher>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPromise>
#include <QSignalBlocker>
#include <QSortFilterProxyModel>
#include <QTimeZone>
#include <QtConcurrent>

#include <exception>

namespace skyvane {

namespace {

constexpr int kRowHeight = 20;     // pixels
constexpr int kColumnWidth = 130;  // pixels
constexpr int kControlSpacing = 6; // pixels between a caption and its control
constexpr int kGroupSpacing = 12;  // pixels between one field's unit and the next caption

GridColumnSpec TextColumn(const char* name) {
    GridColumnSpec column;
    column.objectName = QString::fromLatin1(name);
    column.width = kColumnWidth;
    return column;
}

SaveDialogTexts DialogTexts(const SaveDialogSettings& dialog, const QAction* menuItem) {
    return MenuSaveDialogTexts(menuItem->text(), dialog.filter(), dialog.defaultExt());
}

// The grid's rows with the columns the grid shows, as the reports write them.
class ShownColumns : public QSortFilterProxyModel {
public:
    ShownColumns(QAbstractItemModel* rows, const QTableView& view)
        : m_view(view) {
        setSourceModel(rows);
    }

protected:
    bool filterAcceptsColumn(int column, const QModelIndex&) const override {
        return !m_view.isColumnHidden(column);
    }

private:
    const QTableView& m_view;
};

QLineEdit* NumberEdit(QWidget* parent, const char* name) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    FitEditTo(edit, FormatFixed(88888.8, 1));
    return edit;
}

QLabel* NamedLabel(QWidget* parent, const char* name, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

// A number typed in a field, or nothing when it is no number or `usable` refuses it; the field
// is marked either way.
std::optional<double> AcceptedNumber(QLineEdit* field, bool (*usable)(double)) {
    std::optional<double> value;
    try {
        value = StrToFloatDot(field->text(), false);
    } catch (const ConversionError&) {
    }
    if (value && !usable(*value))
        value.reset();
    MarkRejected(field, !value);
    return value;
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
    SetUpModelChoice();
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
            {42, "ExporttoSites1", "Caption", "Export for a list of &sites (CSV, HTML, ICS) ..."},
            {43, "SitesTexts", "Filter",
             "Sites (*.csv *.txt)|*.csv;*.txt|All extensions (*.*)|*.*"},
            {44, "SitesTexts", "Progress", "Predicting for %s sites ..."},
            {45, "SitesTexts", "Site", "Site"},
            {46, "SitesTexts", "Latitude", "Latitude"},
            {47, "SitesTexts", "Longitude", "Longitude"},
            {48, "lblModel", "Caption", "Outage by"},
            {49, "rbRule3dB", "Caption", "the 3 dB beamwidth"},
            {50, "rbCarrierToNoise", "Caption", "C/N degradation (ITU-R S.1525-1)"},
            {51, "lblNoiseTemperature", "Caption", "System noise"},
            {52, "lblNoiseTemperatureK", "Caption", "K"},
            {53, "lblMargin", "Caption", "Link margin"},
            {54, "lblMarginDb", "Caption", "dB"},
            {55, "lblFrequency", "Caption", "Frequency"},
            {56, "lblFrequencyGHz", "Caption", "GHz"},
            {57, "colPeakLoss", "Header.Caption", "Peak C/N loss (dB)"},
            {58, "ModelTexts", "Rule",
             "Outage within %s° of the satellite: half the 3 dB beamwidth plus the sun's radius."},
            {59, "ModelTexts", "CarrierToNoise",
             "Outage within %s°, where the quiet sun (%s K) costs more than the margin, up to %s "
             "dB."},
            {60, "ModelTexts", "BelowMargin",
             "The quiet sun (%s K) costs %s dB at most, within the margin: no outage."},
            {61, "SitesTexts", "SaveFilter",
             "CSV (*.csv)|*.csv|HTML (*.html, *.htm)|*.html;*.htm|Calendar (*.ics)|*.ics|All "
             "extensions (*.*)|*.*"},
        },
        {"*.Font.Name", "edDiameter.*", "edYear.*", "N1.*", "cbZone.*", "edNoiseTemperature.*",
         "edMargin.*", "edFrequency.*", "lblModelNote.*"},
    };
    return table;
}

void TfrmSunOutage::SetUpGrid() {
    GridView1->setFrameShape(QFrame::NoFrame);
    GridView1->setSourceModel(m_outages);
    for (const char* name : {"colPredictedDate", "colStartGMT", "colEndGMT", "colDuration",
                             "colLocalTime", "colPeakLoss"})
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
    row->setSpacing(kControlSpacing);
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

// The 3 dB rule as the table has always been predicted, or the loss of C/N against the link's
// margin; a line under the choice says which, with the figures it comes to.
void TfrmSunOutage::SetUpModelChoice() {
    auto* choice = new QHBoxLayout;
    choice->setContentsMargins(8, 4, 8, 0);
    choice->setSpacing(kControlSpacing);
    lblModel = NamedLabel(this, "lblModel", TranslatedText(Translation(), 48));
    rbRule3dB = new QRadioButton(TranslatedText(Translation(), 49), this);
    rbRule3dB->setObjectName(QStringLiteral("rbRule3dB"));
    rbCarrierToNoise = new QRadioButton(TranslatedText(Translation(), 50), this);
    rbCarrierToNoise->setObjectName(QStringLiteral("rbCarrierToNoise"));
    rbRule3dB->setChecked(true);
    auto* models = new QButtonGroup(this);
    models->addButton(rbRule3dB);
    models->addButton(rbCarrierToNoise);
    for (QWidget* control : std::initializer_list<QWidget*>{lblModel, rbRule3dB, rbCarrierToNoise})
        choice->addWidget(control);
    choice->addStretch();

    auto* link = new QHBoxLayout;
    link->setContentsMargins(8, 2, 8, 2);
    link->setSpacing(kControlSpacing);
    edNoiseTemperature = NumberEdit(this, "edNoiseTemperature");
    edMargin = NumberEdit(this, "edMargin");
    edFrequency = NumberEdit(this, "edFrequency");
    const auto addField = [&](const char* caption, int captionEntry, QLineEdit* edit,
                              const char* unit, int unitEntry) {
        if (link->count() > 0)
            link->addSpacing(kGroupSpacing);
        link->addWidget(NamedLabel(this, caption, TranslatedText(Translation(), captionEntry)));
        link->addWidget(edit);
        link->addWidget(NamedLabel(this, unit, TranslatedText(Translation(), unitEntry)));
    };
    addField("lblNoiseTemperature", 51, edNoiseTemperature, "lblNoiseTemperatureK", 52);
    addField("lblMargin", 53, edMargin, "lblMarginDb", 54);
    addField("lblFrequency", 55, edFrequency, "lblFrequencyGHz", 56);
    link->addStretch();

    lblModelNote = new QLabel(this);
    lblModelNote->setObjectName(QStringLiteral("lblModelNote"));
    lblModelNote->setContentsMargins(8, 0, 8, 0);
    const int at = outageLayout->indexOf(GridView1) - 1; // above the choice of times
    outageLayout->insertLayout(at, choice);
    outageLayout->insertLayout(at + 1, link);
    outageLayout->insertWidget(at + 2, lblModelNote);
}

bool TfrmSunOutage::CarrierToNoiseMode() const {
    return rbCarrierToNoise->isChecked();
}

void TfrmSunOutage::RestoreModelChoice(const SunOutageOptions& settings) {
    (settings.carrierToNoise() ? rbCarrierToNoise : rbRule3dB)->setChecked(true);
    m_linkNoise.SystemNoiseTemperature = settings.noiseTemperature();
    m_linkNoise.LinkMargin = settings.linkMargin();
    if (!IsUsableLink(m_linkNoise)) {
        m_linkNoise.SystemNoiseTemperature = SunOutageOptions::kDefaultNoiseTemperature;
        m_linkNoise.LinkMargin = SunOutageOptions::kDefaultLinkMargin;
    }
    edNoiseTemperature->setText(FormatGeneral(m_linkNoise.SystemNoiseTemperature));
    edMargin->setText(FormatGeneral(m_linkNoise.LinkMargin));
    ShowFrequencyOfBand();
}

// The frequency follows the band chosen; a frequency typed afterwards holds until the next band.
void TfrmSunOutage::ShowFrequencyOfBand() {
    m_linkNoise.Frequency = BandFrequency(rbC->isChecked() ? OutageBand::C : OutageBand::Ku);
    const QSignalBlocker quiet(edFrequency);
    edFrequency->setText(FormatGeneral(m_linkNoise.Frequency));
    MarkRejected(edFrequency, false);
}

void TfrmSunOutage::rbModelClick() {
    RefreshTable();
    if (m_link.sunOutage)
        m_link.sunOutage->setCarrierToNoise(CarrierToNoiseMode());
}

// A figure half typed keeps the table of the last complete set.
void TfrmSunOutage::edLinkChange() {
    const auto positive = [](double x) { return std::isfinite(x) && x > 0.0; };
    const auto notNegative = [](double x) { return std::isfinite(x) && x >= 0.0; };
    const std::optional<double> kelvin = AcceptedNumber(edNoiseTemperature, positive);
    const std::optional<double> margin = AcceptedNumber(edMargin, notNegative);
    const std::optional<double> frequency = AcceptedNumber(edFrequency, positive);
    if (!kelvin || !margin || !frequency)
        return;
    m_linkNoise = {*kelvin, *margin, *frequency};
    if (CarrierToNoiseMode())
        RefreshTable();
    if (m_link.sunOutage) {
        m_link.sunOutage->setNoiseTemperature(*kelvin);
        m_link.sunOutage->setLinkMargin(*margin);
    }
}

QString TfrmSunOutage::ModelNote() const {
    const double diameter = m_predictor.Diameter;
    if (!CarrierToNoiseMode())
        return FormatPercentS(TranslatedText(Translation(), 58),
                              {FormatFixed(m_predictor.OutageThreshold(diameter), 2)});
    const QString sun = FormatFixed(QuietSunTemperature(m_linkNoise.Frequency), 0);
    const QString peak = FormatFixed(CarrierToNoiseLoss(0.0, diameter, m_linkNoise), 1);
    if (m_status == PredictionStatus::BelowMargin)
        return FormatPercentS(TranslatedText(Translation(), 60), {sun, peak});
    return FormatPercentS(TranslatedText(Translation(), 59),
                          {FormatFixed(MarginSeparation(diameter, m_linkNoise), 2), sun, peak});
}

void TfrmSunOutage::ShowModelNote() {
    for (QLineEdit* field : {edNoiseTemperature, edMargin, edFrequency})
        field->setEnabled(CarrierToNoiseMode());
    lblModelNote->setText(ModelNote());
}

std::vector<double> TfrmSunOutage::PeakLosses() const {
    std::vector<double> losses;
    if (!CarrierToNoiseMode())
        return losses;
    for (const OutageRow& row : m_predictor.Rows)
        losses.push_back(
            CarrierToNoiseLoss(row.LeastSeparation, m_predictor.Diameter, m_linkNoise));
    return losses;
}

// With peak losses the local-time column is in the table even without a zone; then it stays
// off the screen and out of the reports.
void TfrmSunOutage::HideEmptyLocalTime() {
    GridView1->setColumnHidden(OutageTableModel::LocalTime, !m_outages->localZone().isValid());
}

void TfrmSunOutage::ShowTimes() {
    cbZone->setEnabled(rbLocal->isChecked());
    const QTimeZone zone =
        rbLocal->isChecked() ? QTimeZone(cbZone->currentText().toLatin1()) : QTimeZone();
    m_outages->setLocalZone(zone);
    HideEmptyLocalTime();
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
    for (QRadioButton* button : {rbRule3dB, rbCarrierToNoise})
        connect(button, &QRadioButton::clicked, this, &TfrmSunOutage::rbModelClick);
    for (QLineEdit* field : {edNoiseTemperature, edMargin, edFrequency})
        connect(field, &QLineEdit::textChanged, this, &TfrmSunOutage::edLinkChange);
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
        RestoreModelChoice(settings);
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
        m_predictor.ThresholdOverride.reset();
        status = CarrierToNoiseMode() ? PredictCarrierToNoiseOutages(m_predictor, m_linkNoise)
                                      : m_predictor.PredictOutages();
        if (SearchedAnything(status) || status == PredictionStatus::NoSatellite) {
            m_status = status;
            ShowRows();
            lblSearchCutShort->setVisible(status == PredictionStatus::SearchBoundReached);
        }
        ShowTrackingNote();
        ShowModelNote();
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
    m_outages->setPeakLosses(PeakLosses());
    HideEmptyLocalTime();
    // New rows come as predicted, which the old sort indicator no longer describes.
    GridView1->resetSorting();
    if (GridView1->gridRowCount() > 0)
        GridView1->sortRows(OutageTableModel::PredictedDate, Qt::AscendingOrder);
}

void TfrmSunOutage::rbClick() {
    if (m_predictor.Band != (rbC->isChecked() ? OutageBand::C : OutageBand::Ku))
        ShowFrequencyOfBand();
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
    ShowModelNote();
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
    ShownColumns shown(GridView1->model(), *GridView1);
    QStringList lines{CsvLine({Panel6->heading()->text()})};
    if (m_link.site)
        for (const QStringList& row : SiteTextRows(ReportSite()))
            lines << CsvLine(row);
    lines << CsvLine({DiameterCaption(), DiameterText()});
    lines << CsvLine({SeasonAndBandText()});
    if (CarrierToNoiseMode())
        lines << CsvLine({ModelNote()});
    lines << QString();
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
    if (CarrierToNoiseMode())
        lines << HtmlInfoRow(QStringLiteral("&nbsp;"), HtmlEscape(ModelNote()));
    lines << QStringLiteral("</table>");
    lines << DetailTableLines(ShownColumns(GridView1->model(), *GridView1));
    return lines;
}

void TfrmSunOutage::ExporttoCSV1Click() {
    ExportCsvReport(this, DialogTexts(*SaveDialogCSV, ExporttoCSV1), [this] { return CsvLines(); });
}

QStringList TfrmSunOutage::CalendarLines(const QDateTime& stamp) const {
    if (!m_predictor.Satellite)
        return {};
    return OutageCalendarLines(m_predictor.Rows, CalendarInputs(stamp));
}

OutageCalendarInputs TfrmSunOutage::CalendarInputs(const QDateTime& stamp) const {
    const SatelliteRecord& satellite = m_predictor.Satellite;
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
    return inputs;
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
    SaveDialogTexts saveTexts = DialogTexts(*SaveDialogCSV, ExporttoSites1);
    saveTexts.filter = TranslatedText(Translation(), 61);
    const QString path = DialogSeam::getSaveFileName(this, SaveRequestFromDialogTexts(saveTexts));
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
            try {
                WriteSitesReport(path, outages);
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

// The file's type is the one its name ends in: a calendar, an HTML page, else a CSV table.
void TfrmSunOutage::WriteSitesReport(const QString& path,
                                     const std::vector<SiteOutages>& outages) const {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("ics")) {
        std::vector<CalendarSite> sites;
        for (const SiteOutages& each : outages)
            sites.push_back({each.site.name, each.rows});
        OutageCalendarInputs inputs = CalendarInputs(QDateTime::currentDateTimeUtc());
        WriteReportFile(path, ReportEncoding::Utf8, OutageCalendarLines(sites, inputs));
        return;
    }
    const QStringList captions =
        QStringList{TranslatedText(Translation(), 45), TranslatedText(Translation(), 46),
                    TranslatedText(Translation(), 47)} +
        HeaderCaptions(*m_outages).mid(0, OutageTableModel::LocalTime);
    const QList<QStringList> rows = SiteOutageRows(outages);
    if (suffix == QLatin1String("html") || suffix == QLatin1String("htm")) {
        QStringList lines = HtmlFrameHeaderLines(Panel6->heading()->text());
        lines << QStringLiteral("<table>");
        lines << HtmlInfoRow(HtmlEscape(DiameterCaption()), HtmlEscape(DiameterText()));
        lines << HtmlInfoRow(QStringLiteral("&nbsp;"), HtmlEscape(SeasonAndBandText()));
        lines << HtmlInfoRow(QStringLiteral("&nbsp;"), HtmlEscape(ModelNote()));
        lines << QStringLiteral("</table>") << DetailTableLines(captions, rows);
        lines << HtmlFrameFooterLines(QString::fromUtf8(kProductVersion));
        WriteReportFile(path, ReportEncoding::Html1252, lines);
        return;
    }
    QStringList lines{CsvLine(captions)};
    for (const QStringList& row : rows)
        lines << CsvLine(row);
    WriteReportFile(path, ReportEncoding::System, lines);
}

void TfrmSunOutage::ExporttoHTML1Click() {
    ExportHtmlReport(this, DialogTexts(*SaveDialogHTML, ExporttoHTML1), Panel6->heading()->text(),
                     [this] { return HtmlBodyLines(); });
}

} // namespace skyvane
