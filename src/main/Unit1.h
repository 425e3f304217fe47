#pragma once

#include "InstallationSheetPage.h"
#include "MainListReports.h"
#include "SatelliteData.h"
#include "SatelliteTableModel.h"
#include "Session.h"
#include "SettingsStore.h"
#include "ToolWindowLink.h"
#include "Translatable.h"
#include "ui_Unit1.h"

#include <QDialog>
#include <QMainWindow>
#include <QPoint>
#include <QPointer>
#include <QStringList>
#include <QTimer>

#include <memory>

class QMenu;
class QAction;

class QLabel;

namespace skyvane {

class HelpBinding;

class CatalogueMenu;
class SitesMenu;
class TfrmInit;
class TfrmLocations;
class LocationDatabase;
class SaveDialogSettings;

// The main window: the site, the calculation and the list of visible satellites, and the way
// into every other window.
class TfrmMain : public QMainWindow, public Ui::TfrmMain {
    Q_OBJECT

public:
    // store: where the settings are read and written (the user's own store when null).
    // shipped: whether the catalogue shipped with the program takes part in the lookup.
    explicit TfrmMain(std::unique_ptr<SettingsStore> store = nullptr, QWidget* parent = nullptr,
                      ShippedCatalogue shipped = ShippedCatalogue::Ignored);
    ~TfrmMain() override;

    // The site of the last calculation as it computes: degrees, North positive / West positive.
    // The sign typed into a field is ignored; only the radio buttons give the hemisphere.
    double GetSiteLatitude() const;
    double GetSiteLongitude() const;

    // The site, the declination choice and the list: what the other windows set and read.
    Session* session() const { return m_session; }
    QString CatalogueVersion() const { return m_session->catalogueVersion(); }
    // The version and, unless it is the built-in one, which catalogue the list comes from.
    QString CatalogueDescription() const;
    // With the element sets' age when they are old, as the about box gives it.
    QString CatalogueDescriptionWithAge() const;
    bool StartingUp() const { return m_startingUp; }
    // Whether the help file was found and opened at start-up.
    bool HelpAvailable() const { return m_help != nullptr; }

    // The single instances created after the main window.
    void SetAboutBox(QDialog* about) { m_about = about; }
    void SetWorldMap(QWidget* earth) { m_earth = earth; }
    // The location window; when it has no database the Locations button is hidden.
    void SetLocationWindow(TfrmLocations* locations);
    // The town database the reports look the site's town up in; it outlives the window.
    void SetTownDatabase(LocationDatabase* towns);
    // The town at the current site, or an empty text (no database, no town there).
    QString TownAtSite();
    // The site rows every report repeats: the site of the list, its town and declination now,
    // and the captions in the current language.
    SiteReportInputs SiteReport();
    SiteFacts SiteReportFacts();
    static SiteCaptions SiteReportCaptions();
    // What the tool windows are given of the main window.
    ToolWindowLink ToolLink();

    // The language the program shows now (1033 English).
    int LanguageId() const;
    bool MagDecAvailable() const { return m_session->declinationAvailable(); }
    // Replaces the declination library before start-up work (tests); default "geomag".
    static void SetDeclinationLibraryName(const QString& name);

    static const WindowTranslation& Translation();
    // Entries of the table that reports read as well.
    static constexpr int kLongitudeEntry = 6;
    static constexpr int kLatitudeEntry = 10;
    static constexpr int kDeclinationEntry = 28;
    // Texts of the printout and the list that are no control's caption.
    enum class ListEntry {
        PrintDate = 91,
        PrintCatalogue = 92,
        TrueAzimuths = 93,
        MagneticAzimuths = 94,
        MagneticCaption = 95,
        GeodeticModel = 104,
        HeightPrompt = 106,
        OffsetPrompt = 152,
        SheetTitle,
        SheetTrueAzimuth,
        SheetMagneticAzimuth,
        SheetElevation,
        SheetPlateTilt,
        SheetSkew,
        SheetMotorAngle,
        SheetSkewFromBehind,
        SheetHorizon,
        SheetSite,
        SheetOutages,
        SheetNoOutage,
        SheetSavePdf,
    };

    // Event handlers, public so tests can drive them as the user would.
    void btnGoClick();
    void OnAzElChange(QObject* sender);
    void GridView1DblClick();
    void tmrDblClickDetailsTimer();
    void GridView1ContextPopup(const QPoint& globalPos, bool fromKeyboard);
    void pmDetailsClick();
    void pmObstaclesClick();
    void pmSunOutageClick();
    void mViewOffsetClick();
    void pmSheetClick();
    // The installation sheet of a list row's satellite, as the popup's item shows it.
    InstallationSheetPage InstallationSheetFor(const SatelliteRecord& record);
    void OpenSatDetail(int row);
    void OpenSunOutage(int row);
    void OpenObstacles(int row);
    void btnEarthmapClick();
    void btnLocDatabaseClick();
    void mToolsObstaclesClick();
    void mFileQuitClick();
    void mHelpHelpClick();
    void mHelpWebsiteClick();
    void mHelpAboutClick();
    void LanguageController1LanguageChanged();
    void mFileExportToHtmlClick();
    void ExporttoCSV1Click();
    void mFilePrintClick();
    void mFilePrintPreviewClick();
    // What the printout says above the list, read from the window now.
    MainListPrintInputs PrintInputs();

    QAction* mFilePrintPreview = nullptr;
    QMenu* mView = nullptr;
    QAction* mViewMotor = nullptr;       // the optional motor column
    QAction* mViewGeodetic = nullptr;    // look angles on the ellipsoid, with refraction
    QAction* mViewHideBlocked = nullptr; // leaves out the satellites behind the horizon
    SitesMenu* sitesMenu() const { return m_sitesMenu; }
    // The model of the list (all its rows, before sorting).
    const SatelliteTableModel* satelliteModel() const { return m_satellites; }
    // Raises the site's horizon by an obstacle; azimuth as the list gives it.
    void AddObstacleToHorizon(double azimuth, double elevation);

    void LoadSettings();
    void SaveSettings();

    QMenu* popupGridItem() const { return m_popupGridItem; }
    QTimer* tmrDblClickDetails() const { return m_tmrDblClickDetails; }
    // The point at which the popup menu was last opened, in global coordinates.
    QPoint PopupPoint() const { return m_popupPoint; }
    // The record of a row, or null: what the tool windows are opened with.
    SatelliteRecord RecordAtRow(int row) const;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    void FormShow();
    void FormClose();
    void FormDestroy();
    void SetUpGrid();
    void SetUpPopupMenu();
    void SetUpPrintPreview();
    void SetUpMotorItems();
    QAction* NewAction(const char* objectName);
    // What the reports say of the look angles' model: nothing for the written spherical one.
    QString ModelNote();
    void mViewHeightClick();
    static QString ListText(ListEntry entry);
    // Whether the list's azimuths have the declination added.
    bool MagneticAzimuths() const;
    // The list row under the point where the popup menu opened; -1 when none.
    int PopupRow() const;
    void ConnectHandlers();
    void CheckHelpFile();
    void ShowSplash();
    void FitButtonsToCaptions();
    void LoadSiteSettings();
    Site SiteFromEdits() const;
    Site SiteToStore() const;
    void ShowSite(const Site& site);
    void ShowTownAtSite();
    void ShowRecords();
    bool AcceptSiteField(QLineEdit* edit);
    // Turns degrees, minutes and seconds, or a locator, typed into a field into the fields'
    // decimal degrees and hemispheres; false when the text is neither.
    bool ConvertTypedCoordinate(QLineEdit* edit);
    void SetUpSitesMenu();
    QString StatusCountText(int shown, int blocked, int hidden) const;

    std::unique_ptr<SettingsStore> m_store;
    Session* m_session = nullptr;
    SatelliteTableModel* m_satellites = nullptr;
    CatalogueMenu* m_catalogueMenu = nullptr;
    SitesMenu* m_sitesMenu = nullptr;
    bool m_startingUp = false;
    QPointer<TfrmInit> m_frmInit;
    std::unique_ptr<HelpBinding> m_help;
    QMenu* m_popupGridItem = nullptr;
    QTimer* m_tmrDblClickDetails = nullptr;
    int m_dblClickRow = -1;
    QPoint m_popupPoint;
    QPointer<QDialog> m_about;
    QPointer<QWidget> m_earth;
    QPointer<TfrmLocations> m_locations;
    LocationDatabase* m_towns = nullptr;
    QLabel* m_townLabel = nullptr; // the site's town, in the status bar
    SaveDialogSettings* m_saveDialogHtml = nullptr;
    SaveDialogSettings* m_saveDialogCsv = nullptr;
};

} // namespace skyvane
