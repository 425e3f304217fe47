#pragma once

#include "ManySites.h"
#include "OutageCalendar.h"
#include "SatelliteData.h"
#include "SunNoise.h"
#include "SunOutage.h"
#include "ToolWindowLink.h"
#include "Translatable.h"

#include "ui_fSunOutage.h"

#include <QMainWindow>
#include <QStringList>

class QComboBox;
class QLineEdit;
class QLabel;
class QRadioButton;

namespace skyvane {

class OutageTableModel;
class SaveDialogSettings;

// The sun outage table of one satellite: season, band, dish diameter and year chosen by the
// user, one row per predicted outage day. The site is the one recorded in the satellite's
// record, so the table does not follow later changes of the main window's inputs.
//
// Closing only hides the window; it stays with the main window until the program ends.
class TfrmSunOutage : public QMainWindow, public Ui::TfrmSunOutage {
    Q_OBJECT

public:
    TfrmSunOutage(QWidget* owner, const ToolWindowLink& link);

    static const WindowTranslation& Translation();

    // Called once, after creation and before the window is shown.
    void SetSatellite(const SatelliteRecord& satellite);

    // The prediction's inputs as last accepted (Satellite, Diameter in metres, Year, season,
    // band) and its working state.
    const SunOutagePredictor& Prediction() const { return m_predictor; }

    // Recomputes the table for the current inputs. A prediction that searched nothing because
    // an input is unusable leaves the previous rows in place.
    PredictionStatus RefreshTable();

    void rbClick();
    void edDiameterChange();
    void edYearChange();
    void rbModelClick();
    void edLinkChange();
    // The C/N degradation model is in use, with these link figures.
    bool CarrierToNoiseMode() const;
    const LinkNoise& Link() const { return m_linkNoise; }
    // What the window says of the model in use, as the reports repeat it.
    QString ModelNote() const;
    void LanguageController1LanguageChanged();
    void Close1Click();
    void ExporttoCSV1Click();
    void ExporttoICS1Click();
    void ExporttoSites1Click();
    QAction* ExportForSites() const { return ExporttoSites1; }
    QAction* ExportCalendar() const { return ExporttoICS1; }
    // The calendar of the table's outages, one event a row (OutageCalendarLines).
    QStringList CalendarLines(const QDateTime& stamp) const;
    OutageCalendarInputs CalendarInputs(const QDateTime& stamp) const;
    // The outages of a list of sites as CSV, HTML or calendar, after the file's name.
    void WriteSitesReport(const QString& path, const std::vector<SiteOutages>& outages) const;
    void ExporttoHTML1Click();

    QStringList CsvLines() const;
    // The report between the frame's head and footer: information table and outage table.
    QStringList HtmlBodyLines() const;

private:
    void SetUpGrid();
    void ConnectHandlers();
    void FormCreate();
    void UpdateCaption();
    void ShowRows();
    void ShowTrackingNote();
    void SetUpTimeChoice();
    void SetUpModelChoice();
    void RestoreModelChoice(const SunOutageOptions& settings);
    void ShowModelNote();
    void ShowFrequencyOfBand();
    void HideEmptyLocalTime();
    std::vector<double> PeakLosses() const;
    void ShowTimes();
    QString SeasonAndBandText() const;
    // The site the table was predicted for, as the reports name it.
    SiteReportInputs ReportSite() const;
    QString DiameterCaption() const;
    QString DiameterText() const;

    ToolWindowLink m_link;
    SunOutagePredictor m_predictor;
    OutageTableModel* m_outages;  // the rows of the last prediction that searched anything
    QLabel* m_tracking = nullptr; // says when the satellite swings out of the beam over a day
    SiteFacts m_siteTaken; // the record's site and the main window's town and declination then
    SaveDialogSettings* SaveDialogCSV = nullptr;
    SaveDialogSettings* SaveDialogICS = nullptr;
    QAction* ExporttoICS1 = nullptr;
    QAction* ExporttoSites1 = nullptr;
    bool m_sitesRunning = false; // a prediction for a list of sites is under way
    LinkNoise m_linkNoise;       // the link figures last accepted
    PredictionStatus m_status = PredictionStatus::NoSatellite; // of the last prediction

public:
    QLabel* lblTimes = nullptr;
    QRadioButton* rbGmt = nullptr;
    QRadioButton* rbLocal = nullptr;
    QComboBox* cbZone = nullptr;
    QLabel* lblModel = nullptr;
    QRadioButton* rbRule3dB = nullptr;
    QRadioButton* rbCarrierToNoise = nullptr;
    QLineEdit* edNoiseTemperature = nullptr; // kelvin
    QLineEdit* edMargin = nullptr;           // dB
    QLineEdit* edFrequency = nullptr;        // GHz
    QLabel* lblModelNote = nullptr;

private:
    SaveDialogSettings* SaveDialogHTML = nullptr;
};

} // namespace skyvane
