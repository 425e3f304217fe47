#include "Unit1.h"

#include "CatalogueMenu.h"
#include "Constants.h"
#include "Coordinates.h"
#include "DataFiles.h"
#include "DialogSeam.h"
#include "ErrorReport.h"
#include "FieldSize.h"
#include "HelpBinding.h"
#include "HelpLanguage.h"
#include "InstallationSheet.h"
#include "LanguageController.h"
#include "LanguageManager.h"
#include "LocationDatabase.h"
#include "MainListReports.h"
#include "NumberText.h"
#include "ProductInfo.h"
#include "QuietFailure.h"
#include "SatelliteList.h"
#include "SaveDialogSettings.h"
#include "SettingsStore.h"
#include "SiteTimeZone.h"
#include "SitesMenu.h"
#include "WindowPlacement.h"
#include "fInit.h"
#include "fLocationDatabase.h"
#include "fMotor.h"
#include "fObstacles.h"
#include "fSatDetail.h"
#include "fSunOutage.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QDate>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QFocusEvent>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QSignalBlocker>
#include <QTimeZone>
#include <QUrl>

#include <algorithm>

namespace skyvane {

namespace {

constexpr int kDoubleClickDelayMs = 150;
constexpr int kRowHeight = 20;

QString& DeclinationLibraryName() {
    static QString name = QStringLiteral("geomag");
    return name;
}

// A save dialog's texts as the current language gives them.
SaveDialogTexts DialogTexts(const SaveDialogSettings& dialog, const QAction* menuItem) {
    return MenuSaveDialogTexts(menuItem->text(), dialog.filter(), dialog.defaultExt());
}

} // namespace

void TfrmMain::SetDeclinationLibraryName(const QString& name) {
    DeclinationLibraryName() = name;
}

TfrmMain::TfrmMain(std::unique_ptr<SettingsStore> store, QWidget* parent, ShippedCatalogue shipped)
    : QMainWindow(parent)
    , m_store(store ? std::move(store) : std::make_unique<SettingsStore>())
    , m_session(new Session(DeclinationLibraryName(), this, shipped)) {
    setupUi(this);
    // Wide enough for a longitude of three digits and the six decimals a converted locator or
    // angle in degrees, minutes and seconds is shown with, in any desktop font.
    for (QLineEdit* site : {edLat, edLong})
        FitEditTo(site, FormatFixed(-188.888888, 6));
    FitButtonsToCaptions();
    HelpBinding::SetHelpContext(this, HelpContext::Main);
    HelpBinding::SetHelpContext(btnEarthmap, HelpContext::WorldMap);
    HelpBinding::SetHelpContext(btnLocDatabase, HelpContext::Locations);
    Panel6->setHeadingText(QStringLiteral("Azimuth & Elevation"));
    mHelpWebsite->setText(QStringLiteral("Visit %1").arg(QLatin1String(kProductWebAddress)));
    mFilePrint->setShortcut(QKeySequence::Print);
    mFileQuit->setShortcut(QKeySequence::Quit);
    new WindowPlacement(this, QStringLiteral("frmMain"));
    // The list's panel and the grid's empty area below the rows take the desktop's own base
    // colour: white in a light theme, dark in a dark one.
    Panel4->setBackgroundRole(QPalette::Base);
    SetUpGrid();
    SetUpPopupMenu();
    SetUpPrintPreview();
    SetUpMotorItems();
    m_tmrDblClickDetails = new QTimer(this);
    m_tmrDblClickDetails->setObjectName(QStringLiteral("tmrDblClickDetails"));
    m_tmrDblClickDetails->setSingleShot(true);
    m_tmrDblClickDetails->setInterval(kDoubleClickDelayMs);
    ConnectHandlers();
    const SaveDialogTexts html = DefaultHtmlSaveDialogTexts();
    const SaveDialogTexts csv = DefaultCsvSaveDialogTexts();
    m_saveDialogHtml = new SaveDialogSettings(QStringLiteral("SaveDialogHTML"), html.defaultExt,
                                              html.filter, this);
    m_saveDialogCsv =
        new SaveDialogSettings(QStringLiteral("SaveDialogCSV"), csv.defaultExt, csv.filter, this);
    m_catalogueMenu =
        new CatalogueMenu(this, Translation(), mFile, N1, m_session, [this] { btnGo->click(); });
    SetUpSitesMenu();
    new LanguageController(this, Translation(), [this] { LanguageController1LanguageChanged(); });
    FormCreate();
}

int TfrmMain::LanguageId() const {
    return LanguageManager::Instance().CurrentLanguageId();
}

// The form's smallest button width would let a long caption in a large font be cut.
void TfrmMain::FitButtonsToCaptions() {
    constexpr int kFormButtonWidth = 75; // pixels
    for (QPushButton* button : {btnGo, btnEarthmap, btnLocDatabase})
        button->setMinimumWidth(std::max(kFormButtonWidth, button->sizeHint().width()));
}

// After a language switch: the list and the status line in the new language, and the product
// title, which no language replaces.
void TfrmMain::LanguageController1LanguageChanged() {
    FitButtonsToCaptions();
    btnGo->click();
    setWindowTitle(QString::fromLatin1(kProductTitle));
}

TfrmMain::~TfrmMain() {
    FormDestroy();
}

namespace {

// The catalogue and sites menus declare their own entries; they belong to the main window's
// section.
WindowTranslation WithCatalogueEntries(WindowTranslation table) {
    for (const auto* menu :
         {&CatalogueMenu::TranslationEntries(), &SitesMenu::TranslationEntries()})
        table.entries.insert(table.entries.end(), menu->begin(), menu->end());
    return table;
}

} // namespace

const WindowTranslation& TfrmMain::Translation() {
    static const WindowTranslation table = WithCatalogueEntries({
        "frmMain",
        {
            {1, "", "Caption", "quor's Skyvane"},
            {3, "lblHeading", "Caption", "Azimuth & Elevation"},
            {5, "btnGo", "Caption", "&Calc"},
            {kLongitudeEntry, "lblLongitude", "Caption", "Longitude"},
            {8, "rbEsLongW", "Caption", "West"},
            {9, "rbEsLongE", "Caption", "East"},
            {kLatitudeEntry, "lblLatitude", "Caption", "Latitude"},
            {12, "rbEsLatN", "Caption", "North"},
            {13, "rbEsLatS", "Caption", "South"},
            {14, "btnEarthmap", "Caption", "&Worldmap"},
            {15, "mFile", "Caption", "&File"},
            {16, "mFilePrint", "Caption", "&Print"},
            {17, "mFileExportToHtml", "Caption", "Export to &HTML"},
            {19, "mFileQuit", "Caption", "&Quit"},
            {20, "mHelp", "Caption", "&Help"},
            {21, "mHelpAbout", "Caption", "&About ..."},
            {22, "pmDetails", "Caption", "&Details"},
            {23, "pmObstacles", "Caption", "&Obstacle calculator"},
            {24, "pmSunOutage", "Caption", "&Sun Outage"},
            {25, "mFileSwitchLanguage", "Caption", "&Switch Language"},
            {26, "btnLocDatabase", "Caption", "&Locations"},
            {27, "cbUseMagDev", "Caption", "Use magnetic declination"},
            {kDeclinationEntry, "lblMagDeclination", "Caption", "Magnetic declination:"},
            {29, "SaveDialogHTML", "DefaultExt", "*.html"},
            {30, "SaveDialogHTML", "Filter",
             "HTML (*.html, *.htm)|*.html;*.htm|All extensions (*.*)|*.*"},
            {31, "Export1", "Caption", "&Export"},
            {32, "ExporttoCSV1", "Caption", "Export to &CSV"},
            {33, "SaveDialogCSV", "DefaultExt", "*.csv"},
            {34, "SaveDialogCSV", "Filter", "CSV (*.csv)|*.csv|All extensions (*.*)|*.*"},
            {35, "mHelpWebsite", "Caption", "Visit https://www.skyvane.org"},
            {36, "mHelpHelp", "Caption", "&Help"},
            {37, "colPosition", "Header.Caption", "Position"},
            {38, "colSatName", "Header.Caption", "Satellite name"},
            {39, "colAzimuth", "Header.Caption", "Azimuth"},
            {40, "colAzimuth", "TextAfter", "\u00b0"},
            {41, "colElevation", "Header.Caption", "Elevation"},
            {42, "colElevation", "TextAfter", "\u00b0"},
            {43, "colSkew", "Header.Caption", "Skew"},
            {44, "colSkew", "TextAfter", "\u00b0"},
            {45, "mTools", "Caption", "&Tools"},
            {46, "mToolsObstacles", "Caption", "&Obstacle calculator"},
            {90, "mFilePrintPreview", "Caption", "Print pre&view"},
            {96, "mView", "Caption", "&View"},
            {97, "mViewMotor", "Caption", "&Motor column"},
            {98, "colMotor", "Header.Caption", "Motor"},
            {99, "mToolsMotor", "Caption", "&Motor"},
            {100, "pmMotor", "Caption", "&Motor"},
            {103, "mViewGeodetic", "Caption", "&Geodetic precision"},
            {int(ListEntry::GeodeticModel), "ListTexts", "GeodeticModel",
             "Look angles: WGS84 ellipsoid, site %s m above it, with refraction"},
            {105, "mViewHeight", "Caption", "Site &height ..."},
            {150, "pmSheet", "Caption", "Installation &sheet ..."},
            {151, "mViewOffset", "Caption", "Dish &offset angle ..."},
            {int(ListEntry::OffsetPrompt), "ListTexts", "OffsetPrompt",
             "Offset angle of the dish in degrees (0 for a prime-focus dish):"},
            {int(ListEntry::SheetTitle), "ListTexts", "SheetTitle", "Installation sheet: %s"},
            {int(ListEntry::SheetTrueAzimuth), "ListTexts", "SheetTrueAzimuth", "True azimuth"},
            {int(ListEntry::SheetMagneticAzimuth), "ListTexts", "SheetMagneticAzimuth",
             "Magnetic azimuth"},
            {int(ListEntry::SheetElevation), "ListTexts", "SheetElevation", "Elevation"},
            {int(ListEntry::SheetPlateTilt), "ListTexts", "SheetPlateTilt",
             "Plate tilt (offset %s°)"},
            {int(ListEntry::SheetSkew), "ListTexts", "SheetSkew", "LNB skew"},
            {int(ListEntry::SheetMotorAngle), "ListTexts", "SheetMotorAngle", "Motor angle"},
            {int(ListEntry::SheetSkewFromBehind), "ListTexts", "SheetSkewFromBehind",
             "LNB seen from behind the dish"},
            {int(ListEntry::SheetHorizon), "ListTexts", "SheetHorizon", "Horizon"},
            {int(ListEntry::SheetSite), "ListTexts", "SheetSite", "Site:"},
            {int(ListEntry::SheetOutages), "ListTexts", "SheetOutages",
             "Next sun outages (%s), %s"},
            {int(ListEntry::SheetNoOutage), "ListTexts", "SheetNoOutage",
             "No sun outage in this season."},
            {int(ListEntry::SheetSavePdf), "ListTexts", "SheetSavePdf", "Save as &PDF ..."},
            {int(ListEntry::HeightPrompt), "ListTexts", "HeightPrompt",
             "Height of the site above the WGS84 ellipsoid, in metres:"},
            {116, "mViewHideBlocked", "Caption", "Hide satellites &blocked by horizon"},
            {int(ListEntry::PrintDate), "ListTexts", "PrintDate", "Date: %s"},
            {int(ListEntry::PrintCatalogue), "ListTexts", "PrintCatalogue", "Catalogue: %s"},
            {int(ListEntry::TrueAzimuths), "ListTexts", "TrueAzimuths",
             "Azimuths: from true north"},
            {int(ListEntry::MagneticAzimuths), "ListTexts", "MagneticAzimuths",
             "Azimuths: magnetic"},
            {int(ListEntry::MagneticCaption), "ListTexts", "MagneticCaption", "(magnetic)"},
        },
        {"*.Font.Name", "Caption", "edLat.*", "edLong.*", "frmMain.Caption", "lblMagDev.*", "N1.*",
         "N2.*", "N3.*"},
    });
    return table;
}

void TfrmMain::SetUpGrid() {
    m_satellites = new SatelliteTableModel(this);
    GridView1->setSourceModel(m_satellites);
    AddSatelliteListColumns(*GridView1);
    GridView1->verticalHeader()->setDefaultSectionSize(kRowHeight);
    GridView1->setCellColoring(
        [this](int row, int) { return GridView::AlternateRowBrush(row, GridView1->palette()); });
}

// An item made here rather than in the form, with its English text from the entry table.
QAction* TfrmMain::NewAction(const char* objectName) {
    auto* action = new QAction(this);
    action->setObjectName(QLatin1String(objectName));
    for (const TranslationEntry& entry : Translation().entries)
        if (qstrcmp(entry.objectName, objectName) == 0)
            action->setText(QString::fromUtf8(entry.english));
    return action;
}

// The print preview item; the texts the printout and the list add are looked up when used.
void TfrmMain::SetUpPrintPreview() {
    mFilePrintPreview = NewAction("mFilePrintPreview");
    mFile->insertAction(Export1->menuAction(), mFilePrintPreview);
    connect(mFilePrintPreview, &QAction::triggered, this, &TfrmMain::mFilePrintPreviewClick);
}

QString TfrmMain::ListText(ListEntry entry) {
    return TranslatedText(Translation(), static_cast<int>(entry));
}

// View chooses the list's optional columns; Tools and the row's popup open the motor window.
void TfrmMain::SetUpMotorItems() {
    mView = new QMenu(this);
    mView->setObjectName(QStringLiteral("mView"));
    mView->setTitle(TranslatedText(Translation(), 96));
    menuBar()->insertMenu(mTools->menuAction(), mView);
    mViewMotor = NewAction("mViewMotor");
    mViewMotor->setCheckable(true);
    mView->addAction(mViewMotor);
    connect(mViewMotor, &QAction::toggled, m_satellites, &SatelliteTableModel::setMotorColumnShown);
    // Off, every angle is the written spherical model's; on, the ellipsoid's with refraction.
    mViewGeodetic = NewAction("mViewGeodetic");
    mViewGeodetic->setCheckable(true);
    mView->addAction(mViewGeodetic);
    connect(mViewGeodetic, &QAction::toggled, this, [this](bool on) {
        m_session->setLookModel(on ? LookModel::Geodetic : LookModel::Sphere);
        btnGo->click();
    });
    QAction* height = NewAction("mViewHeight");
    mView->addAction(height);
    connect(height, &QAction::triggered, this, &TfrmMain::mViewHeightClick);
    QAction* offset = NewAction("mViewOffset");
    mView->addAction(offset);
    connect(offset, &QAction::triggered, this, &TfrmMain::mViewOffsetClick);
    mViewHideBlocked = NewAction("mViewHideBlocked");
    mViewHideBlocked->setCheckable(true);
    mView->addAction(mViewHideBlocked);
    connect(mViewHideBlocked, &QAction::toggled, this, &TfrmMain::ShowRecords);
    QAction* tools = NewAction("mToolsMotor");
    mTools->addAction(tools);
    connect(tools, &QAction::triggered, this,
            [this] { OpenToolWindow<TfrmMotor>(this, ToolLink(), nullptr); });
    QAction* popup = NewAction("pmMotor");
    m_popupGridItem->addAction(popup);
    connect(popup, &QAction::triggered, this, [this] {
        if (const SatelliteRecord record = RecordAtRow(PopupRow()))
            OpenToolWindow<TfrmMotor>(this, ToolLink(), record);
    });
    QAction* sheet = NewAction("pmSheet");
    m_popupGridItem->addAction(sheet);
    connect(sheet, &QAction::triggered, this, &TfrmMain::pmSheetClick);
}

// The site book and the current site's horizon, which the list marks its satellites against.
void TfrmMain::SetUpSitesMenu() {
    m_sitesMenu = new SitesMenu(this, Translation(), menuBar(), mView->menuAction(), m_session,
                                [this] { return TownAtSite(); });
}

void TfrmMain::AddObstacleToHorizon(double azimuth, double elevation) {
    const double trueAzimuth = azimuth - m_session->appliedDeclination();
    m_sitesMenu->SetHorizon(m_session->horizon().withObstacle(trueAzimuth, elevation));
}

void TfrmMain::SetUpPopupMenu() {
    m_popupGridItem = new QMenu(this);
    m_popupGridItem->setObjectName(QStringLiteral("popupGridItem"));
    const auto addItem = [this](const char* name, const QString& text, HelpContext helpContext) {
        QAction* action = m_popupGridItem->addAction(text);
        action->setObjectName(QLatin1String(name));
        if (helpContext != HelpContext::None)
            HelpBinding::SetHelpContext(action, helpContext);
        return action;
    };
    QAction* details = addItem("pmDetails", QStringLiteral("&Details"), HelpContext::Details);
    QAction* obstacles =
        addItem("pmObstacles", QStringLiteral("&Obstacle calculator"), HelpContext::None);
    QAction* sunOutage =
        addItem("pmSunOutage", QStringLiteral("&Sun Outage"), HelpContext::SunOutage);
    connect(details, &QAction::triggered, this, &TfrmMain::pmDetailsClick);
    connect(obstacles, &QAction::triggered, this, &TfrmMain::pmObstaclesClick);
    connect(sunOutage, &QAction::triggered, this, &TfrmMain::pmSunOutageClick);
}

void TfrmMain::ConnectHandlers() {
    connect(m_session, &Session::siteChanged, this, &TfrmMain::ShowSite);
    connect(m_session, &Session::recordsChanged, this, &TfrmMain::ShowRecords);
    connect(m_session, &Session::horizonChanged, this, &TfrmMain::ShowRecords);
    connect(m_session, &Session::catalogueUnreadable, this,
            [](const QString& message) { ReportApplicationError(message); });
    connect(btnGo, &QPushButton::clicked, this, &TfrmMain::btnGoClick);
    edLat->installEventFilter(this);
    edLong->installEventFilter(this);
    // Menu items would put their (empty) status tips over the count in the status bar.
    installEventFilter(this);
    connect(edLat, &QLineEdit::returnPressed, this, [this] { OnAzElChange(edLat); });
    connect(edLong, &QLineEdit::returnPressed, this, [this] { OnAzElChange(edLong); });
    // Checking a radio button, by the user or by code, recalculates (Calc itself does nothing
    // during start-up). Only the newly checked button reacts, so one change is one Calc.
    for (QRadioButton* radio : {rbEsLatN, rbEsLatS, rbEsLongW, rbEsLongE}) {
        connect(radio, &QRadioButton::toggled, this, [this, radio](bool checked) {
            if (checked)
                OnAzElChange(radio);
        });
    }
    connect(cbUseMagDev, &QCheckBox::toggled, this, [this] { OnAzElChange(cbUseMagDev); });
    connect(GridView1, &GridView::cellDoubleClicked, this, &TfrmMain::GridView1DblClick);
    connect(GridView1, &GridView::contextPopup, this, &TfrmMain::GridView1ContextPopup);
    connect(m_tmrDblClickDetails, &QTimer::timeout, this, &TfrmMain::tmrDblClickDetailsTimer);
    connect(btnEarthmap, &QPushButton::clicked, this, &TfrmMain::btnEarthmapClick);
    connect(btnLocDatabase, &QPushButton::clicked, this, &TfrmMain::btnLocDatabaseClick);
    connect(mToolsObstacles, &QAction::triggered, this, &TfrmMain::mToolsObstaclesClick);
    connect(mFileQuit, &QAction::triggered, this, &TfrmMain::mFileQuitClick);
    connect(mHelpHelp, &QAction::triggered, this, &TfrmMain::mHelpHelpClick);
    connect(mHelpWebsite, &QAction::triggered, this, &TfrmMain::mHelpWebsiteClick);
    connect(mHelpAbout, &QAction::triggered, this, &TfrmMain::mHelpAboutClick);
    connect(mFileExportToHtml, &QAction::triggered, this, &TfrmMain::mFileExportToHtmlClick);
    connect(ExporttoCSV1, &QAction::triggered, this, &TfrmMain::ExporttoCSV1Click);
    connect(mFilePrint, &QAction::triggered, this, &TfrmMain::mFilePrintClick);
}

// ---- start-up and shutdown -------------------------------------------------------------------

void TfrmMain::FormCreate() {
    CheckHelpFile();
    ShowSplash();
    try {
        // The best data folder is read last, so its file for a language is the one kept.
        const QStringList dataFolders = DataFolders();
        for (auto folder = dataFolders.crbegin(); folder != dataFolders.crend(); ++folder)
            RegisterStartupLanguages(*folder);
        BuildLanguageMenu(mFileSwitchLanguage, this);
        m_session->sunOutageOptions()->restoreDefaults();
        LoadSettings();
        m_session->loadDeclination();
        pnlMagDev->setVisible(m_session->declinationAvailable());
    } catch (...) {
        m_startingUp = false;
        throw;
    }
    m_startingUp = false;
    btnGo->click();
    m_sitesMenu->ShowLoadProblem();
}

void TfrmMain::CheckHelpFile() {
    const QString helpFile = LocateDataFile(QLatin1String(HelpBinding::kHelpFileName));
    if (helpFile.isEmpty()) {
        DialogSeam::showMessage(
            this, QMessageBox::Warning, QString::fromLatin1(kProductTitle),
            QStringLiteral("Helpfile skyvane.qch missing. Helpfunctions disabled!"));
        return;
    }
    m_help.reset(HelpBinding::Create(helpFile));
    if (m_help)
        FollowInterfaceLanguage(*m_help);
    else
        DialogSeam::showMessage(this, QMessageBox::Warning, QString::fromLatin1(kProductTitle),
                                QStringLiteral("Help support missing. The help file skyvane.qch "
                                               "could not be opened.\rHelpfunctions disabled!"));
}

void TfrmMain::ShowSplash() {
    m_frmInit = nullptr;
    m_startingUp = true;
    m_frmInit = new TfrmInit(this);
    m_frmInit->show();
    m_frmInit->PaintNow();
}

void TfrmMain::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    FormShow();
}

void TfrmMain::FormShow() {
    if (m_frmInit) {
        m_frmInit->close();
        delete m_frmInit;
        m_frmInit = nullptr;
    }
}

void TfrmMain::closeEvent(QCloseEvent* event) {
    FormClose();
    QMainWindow::closeEvent(event);
}

void TfrmMain::FormClose() {
    SaveSettings();
}

void TfrmMain::FormDestroy() {
    m_session->unloadDeclination();
}

// ---- settings --------------------------------------------------------------------------------

// The store keeps the site South and East positive; a coordinate it lacks stays as shown.
void TfrmMain::LoadSiteSettings() {
    const auto lat = m_store->read(settings::kSiteLatitude);
    const auto lon = m_store->read(settings::kSiteLongitude);
    const Site stored = Site::FromSouthEast(lat.value_or(0.0), lon.value_or(0.0));
    const Site shown = SiteFromEdits();
    ShowSite(Site::FromInputs(
        lat ? stored.latitudeText() : shown.latitudeText(), lat ? stored.north() : shown.north(),
        lon ? stored.longitudeText() : shown.longitudeText(), lon ? stored.west() : shown.west()));
}

void TfrmMain::LoadSettings() {
    if (!m_store->exists())
        return;
    LoadSiteSettings();
    SunOutageOptions& outage = *m_session->sunOutageOptions();
    if (const auto spring = m_store->readInt(QStringLiteral("outageSpring")))
        outage.setSpring(*spring != 0);
    if (const auto cband = m_store->readInt(QStringLiteral("outageCband")))
        outage.setCband(*cband != 0);
    if (const auto diameter = m_store->readDouble(QStringLiteral("outageDiameter")))
        outage.setDiameter(*diameter);
    outage.setCarrierToNoise(m_store->value(settings::kOutageCarrierToNoise));
    outage.setNoiseTemperature(m_store->value(settings::kOutageNoiseTemperature));
    outage.setLinkMargin(m_store->value(settings::kOutageLinkMargin));
    if (const auto magnetic = m_store->read(settings::kMagneticDeclination))
        cbUseMagDev->setChecked(*magnetic);
    mViewMotor->setChecked(m_store->value(settings::kMotorColumn));
    m_session->setSiteHeight(m_store->value(settings::kSiteHeight));
    mViewGeodetic->setChecked(m_store->value(settings::kGeodeticPrecision));
    mViewHideBlocked->setChecked(m_store->value(settings::kHideBlocked));
    const QString siteName = QString::fromUtf8(m_store->value(settings::kSiteName));
    if (m_sitesMenu->book().find(siteName))
        m_session->setSiteName(siteName);
    if (const auto horizon = ReadHorizonFile(m_store->value(settings::kSiteHorizon), nullptr))
        m_session->setHorizon(*horizon);
    // Without a stored choice the user's own language is taken, if there is a translation.
    const auto language = m_store->read(settings::kLanguageId);
    SwitchLanguageQuietly(language ? *language : LanguageForLocale(QLocale()));
    CheckLanguageMenuItem(mFileSwitchLanguage, LanguageManager::Instance().CurrentLanguageId());
}

void TfrmMain::SaveSettings() {
    const Site site = SiteToStore();
    m_store->write(settings::kSiteLongitude, site.longitudeEast());
    m_store->write(settings::kSiteLatitude, site.latitudeSouth());
    const SunOutageOptions& outage = *m_session->sunOutageOptions();
    m_store->writeInt(QStringLiteral("outageSpring"), outage.spring() ? 1 : 0);
    m_store->writeInt(QStringLiteral("outageCband"), outage.cband() ? 1 : 0);
    m_store->writeDouble(QStringLiteral("outageDiameter"), outage.diameter());
    m_store->write(settings::kOutageCarrierToNoise, outage.carrierToNoise());
    m_store->write(settings::kOutageNoiseTemperature, outage.noiseTemperature());
    m_store->write(settings::kOutageLinkMargin, outage.linkMargin());
    m_store->write(settings::kMagneticDeclination, cbUseMagDev->isChecked());
    m_store->write(settings::kLanguageId, LanguageId());
    m_store->write(settings::kMotorColumn, mViewMotor->isChecked());
    m_store->write(settings::kGeodeticPrecision, mViewGeodetic->isChecked());
    m_store->write(settings::kSiteHeight, m_session->siteHeight());
    m_store->write(settings::kHideBlocked, mViewHideBlocked->isChecked());
    m_store->write(settings::kSiteName, m_session->siteName().toUtf8());
    m_store->write(settings::kSiteHorizon, HorizonFileText(m_session->horizon()));
    m_store->sync();
}

// ---- the site and the calculation ------------------------------------------------------------

double TfrmMain::GetSiteLatitude() const {
    return m_session->site().latitudeNorth();
}

double TfrmMain::GetSiteLongitude() const {
    return m_session->site().longitudeWest();
}

Site TfrmMain::SiteFromEdits() const {
    return Site::FromInputs(edLat->text(), rbEsLatN->isChecked(), edLong->text(),
                            rbEsLongW->isChecked());
}

namespace {

void ShowCoordinate(QLineEdit* edit, const QString& text, QRadioButton* hemisphere) {
    // Rewriting the same text would move the cursor of a field being typed in.
    if (edit->text() != text)
        edit->setText(text);
    edit->setModified(false);
    // The fields follow the session; they must not set it again.
    const QSignalBlocker quiet(hemisphere);
    hemisphere->setChecked(true);
}

} // namespace

// The fields as they stand, so that what was typed last is kept even if never calculated; but
// an entry still being typed that would be rejected keeps the site of the list.
Site TfrmMain::SiteToStore() const {
    const Site& shown = m_session->site();
    const auto typing = [](const QLineEdit* edit, double limit) {
        return edit->isModified() && !IsAcceptedCoordinateText(edit->text(), limit);
    };
    const bool keepLatitude = typing(edLat, kLatitudeLimit);
    const bool keepLongitude = typing(edLong, kLongitudeLimit);
    return Site::FromInputs(keepLatitude ? shown.latitudeText() : edLat->text(),
                            keepLatitude ? shown.north() : rbEsLatN->isChecked(),
                            keepLongitude ? shown.longitudeText() : edLong->text(),
                            keepLongitude ? shown.west() : rbEsLongW->isChecked());
}

void TfrmMain::ShowSite(const Site& site) {
    ShowCoordinate(edLat, site.latitudeText(), site.north() ? rbEsLatN : rbEsLatS);
    ShowCoordinate(edLong, site.longitudeText(), site.west() ? rbEsLongW : rbEsLongE);
    ShowTownAtSite();
}

void TfrmMain::SetTownDatabase(LocationDatabase* towns) {
    m_towns = towns;
    ShowTownAtSite();
}

void TfrmMain::ShowTownAtSite() {
    if (!m_townLabel) {
        m_townLabel = new QLabel(StatusBar1);
        m_townLabel->setObjectName(QStringLiteral("lblSiteTown"));
        StatusBar1->addPermanentWidget(m_townLabel);
    }
    m_townLabel->setText(TownAtSite());
}

QString TfrmMain::CatalogueDescriptionWithAge() const {
    return m_catalogueMenu->DescriptionWithAge();
}

QString TfrmMain::CatalogueDescription() const {
    return m_catalogueMenu->Description();
}

void TfrmMain::btnGoClick() {
    if (m_startingUp)
        return;
    if (!AcceptSiteField(edLat) || !AcceptSiteField(edLong))
        return;
    m_session->setUseDeclination(cbUseMagDev->isChecked());
    m_session->setSite(SiteFromEdits());
}

void TfrmMain::ShowRecords() {
    GridView1->beginUpdate();
    int firstRow = -1;
    int selectedRow = -1;
    int hiddenCount = 0;
    try {
        firstRow = GridView1->topVisibleRow();
        selectedRow = GridView1->selectedRow();
        const HorizonMask& horizon = m_session->horizon();
        const double declination = m_session->appliedDeclination();
        m_satellites->setHorizon(horizon, declination);
        std::vector<SatelliteRecord> records = m_session->records();
        if (mViewHideBlocked->isChecked()) {
            const auto hidden = std::remove_if(records.begin(), records.end(), [&](const auto& r) {
                return BlockedByHorizon(*r, horizon, declination);
            });
            hiddenCount = int(records.end() - hidden);
            records.erase(hidden, records.end());
        }
        m_satellites->setRecords(std::move(records));
    } catch (const std::exception& error) {
        // A failure in the fill ends it; the status line and the view are still brought up to date.
        LogQuietFailure("filling the list", error);
    }
    GridView1->endUpdate();
    lblMagDev->setText(m_session->declinationText());
    if (GridColumn* azimuth = GridView1->columnByName(QStringLiteral("colAzimuth")))
        azimuth->setCaptionAfter(MagneticAzimuths()
                                     ? QLatin1Char(' ') + ListText(ListEntry::MagneticCaption)
                                     : QString());

    StatusBar1->showMessage(
        StatusCountText(GridView1->gridRowCount(), m_satellites->blockedCount(), hiddenCount));
    m_catalogueMenu->ShowSource();
    try {
        if (firstRow >= 0 && firstRow < GridView1->gridRowCount())
            GridView1->scrollRowToTop(firstRow);
        if (selectedRow >= 0 && selectedRow < GridView1->gridRowCount())
            GridView1->selectGridRow(selectedRow);
    } catch (const std::exception& error) {
        LogQuietFailure("restoring the list position", error);
    }
}

// "67 satellites theoretically visible", with those the horizon hides counted apart.
QString TfrmMain::StatusCountText(int shown, int blocked, int hidden) const {
    QString text = FormatConstant(Constant::SatTheoreticallyVisible, {QString::number(shown)});
    if (hidden > 0)
        text += QStringLiteral(", ") +
                FormatConstant(Constant::HorizonHiddenCount, {QString::number(hidden)});
    else if (blocked > 0)
        text += QStringLiteral(", ") +
                FormatConstant(Constant::HorizonBlockedCount, {QString::number(blocked)});
    return text;
}

bool TfrmMain::ConvertTypedCoordinate(QLineEdit* edit) {
    const bool latitude = edit == edLat;
    const auto check = [](QRadioButton* hemisphere) {
        // The fields are set first; the calculation follows once, from the caller.
        const QSignalBlocker quiet(hemisphere);
        hemisphere->setChecked(true);
    };
    const auto reading = ParseDegreesMinutesSeconds(
        edit->text(), latitude ? CoordinateAxis::Latitude : CoordinateAxis::Longitude);
    if (reading) {
        edit->setText(CoordinateFieldText(reading->degrees));
        if (reading->northOrEast)
            check(latitude ? (*reading->northOrEast ? rbEsLatN : rbEsLatS)
                           : (*reading->northOrEast ? rbEsLongE : rbEsLongW));
        return true;
    }
    const auto centre = MaidenheadCentre(edit->text());
    if (!centre)
        return false;
    edLat->setText(CoordinateFieldText(centre->latitude));
    edLong->setText(CoordinateFieldText(centre->longitude));
    check(centre->latitude >= 0.0 ? rbEsLatN : rbEsLatS);
    check(centre->longitude >= 0.0 ? rbEsLongE : rbEsLongW);
    edLat->setModified(false);
    edLong->setModified(false);
    return true;
}

// A field the user changed is checked before anything is calculated from it. A rejected entry
// gets the text of the site the list shows back, so the field, the list and the reports agree,
// and the focus stays in the field to try again.
bool TfrmMain::AcceptSiteField(QLineEdit* edit) {
    if (!edit->isModified())
        return true;
    const double limit = edit == edLat ? kLatitudeLimit : kLongitudeLimit;
    if (!IsAcceptedCoordinateText(edit->text(), limit) && !ConvertTypedCoordinate(edit)) {
        const Site& shown = m_session->site();
        edit->setText(edit == edLat ? shown.latitudeText() : shown.longitudeText());
        edit->selectAll();
        edit->setFocus();
        return false;
    }
    edit->setModified(false);
    return true;
}

void TfrmMain::OnAzElChange(QObject* sender) {
    const auto* edit = qobject_cast<QLineEdit*>(sender);
    if (edit && !edit->isModified())
        return;
    btnGoClick();
}

namespace {

// Focus that goes to a popup menu, the menu bar or another program comes back to the field;
// only a move to another control of the window ends the entry.
bool FocusMovesWithinWindow(Qt::FocusReason reason) {
    return reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason &&
           reason != Qt::MenuBarFocusReason;
}

} // namespace

bool TfrmMain::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut && (watched == edLat || watched == edLong) &&
        FocusMovesWithinWindow(static_cast<QFocusEvent*>(event)->reason()))
        OnAzElChange(watched);
    if (watched == this && event->type() == QEvent::StatusTip)
        return true;
    return QMainWindow::eventFilter(watched, event);
}

// ---- the list and the tool windows -----------------------------------------------------------

SatelliteRecord TfrmMain::RecordAtRow(int row) const {
    return GridView1->rowRecord(row);
}

void TfrmMain::GridView1DblClick() {
    const GridView::Cell cell = GridView1->cellAtGlobalPoint(QCursor::pos());
    if (!cell.isValid())
        return;
    m_dblClickRow = cell.row;
    m_tmrDblClickDetails->start();
}

void TfrmMain::tmrDblClickDetailsTimer() {
    m_tmrDblClickDetails->stop();
    OpenSatDetail(m_dblClickRow);
}

void TfrmMain::GridView1ContextPopup(const QPoint& globalPos, bool fromKeyboard) {
    if (!fromKeyboard) {
        m_popupPoint = globalPos;
        m_popupGridItem->popup(globalPos);
        return;
    }
    const int row = GridView1->selectedRow();
    if (row < 0)
        return;
    m_popupPoint = GridView1->rowGlobalRect(row).topLeft() + QPoint(1, 1);
    m_popupGridItem->popup(m_popupPoint);
}

int TfrmMain::PopupRow() const {
    const GridView::Cell cell = GridView1->cellAtGlobalPoint(m_popupPoint);
    return cell.isValid() ? cell.row : -1;
}

void TfrmMain::pmDetailsClick() {
    OpenSatDetail(PopupRow());
}

void TfrmMain::pmObstaclesClick() {
    OpenObstacles(PopupRow());
}

void TfrmMain::pmSunOutageClick() {
    OpenSunOutage(PopupRow());
}

void TfrmMain::OpenSatDetail(int row) {
    if (const SatelliteRecord record = RecordAtRow(row))
        OpenToolWindow<TfrmSatDetail>(this, ToolLink(), record);
}

void TfrmMain::OpenSunOutage(int row) {
    if (const SatelliteRecord record = RecordAtRow(row))
        OpenToolWindow<TfrmSunOutage>(this, ToolLink(), record);
}

void TfrmMain::OpenObstacles(int row) {
    if (const SatelliteRecord record = RecordAtRow(row))
        OpenToolWindow<TfrmObstacles>(this, ToolLink(), record);
}

void TfrmMain::mToolsObstaclesClick() {
    OpenToolWindow<TfrmObstacles>(this, ToolLink(), nullptr);
}

void TfrmMain::btnEarthmapClick() {
    if (m_earth) {
        m_earth->show();
        m_earth->raise();
        m_earth->activateWindow();
    }
}

void TfrmMain::SetLocationWindow(TfrmLocations* locations) {
    m_locations = locations;
    btnLocDatabase->setVisible(locations && locations->databaseAvailable());
}

QString TfrmMain::TownAtSite() {
    try {
        if (m_towns)
            return m_towns->GetTownName(m_session->site().latitudeNorth(),
                                        m_session->site().longitudeWest());
    } catch (const std::exception& error) {
        // A report simply leaves the town out.
        LogQuietFailure("looking up the town of the site", error);
    }
    return {};
}

void TfrmMain::btnLocDatabaseClick() {
    if (m_locations)
        m_locations->exec();
}

void TfrmMain::mFileQuitClick() {
    // The same close as the title bar's, so that Quit keeps what the user set and typed; the
    // loop is then ended even while tool windows are open.
    close();
    QCoreApplication::exit(0);
}

void TfrmMain::mHelpHelpClick() {
    if (m_help)
        m_help->ShowTopic(HelpContext::Main);
}

void TfrmMain::mHelpWebsiteClick() {
    QDesktopServices::openUrl(QUrl(QString::fromLatin1(kProductWebAddress)));
}

SiteFacts TfrmMain::SiteReportFacts() {
    // The site the list was calculated for, not a field still being typed in.
    const Site& shown = m_session->site();
    SiteFacts facts;
    facts.latitudeText = shown.latitudeText();
    facts.latitudeNorth = shown.north();
    facts.longitudeText = shown.longitudeText();
    facts.longitudeWest = shown.west();
    facts.townName = TownAtSite();
    facts.declinationTicked = cbUseMagDev->isChecked();
    facts.declinationText = m_session->declinationText();
    return facts;
}

SiteCaptions TfrmMain::SiteReportCaptions() {
    return {TranslatedText(Translation(), kLatitudeEntry),
            TranslatedText(Translation(), kLongitudeEntry),
            TranslatedText(TfrmLocations::Translation(), TfrmLocations::kCityEntry),
            TranslatedText(Translation(), kDeclinationEntry)};
}

SiteReportInputs TfrmMain::SiteReport() {
    return {SiteReportCaptions(), SiteReportFacts()};
}

ToolWindowLink TfrmMain::ToolLink() {
    ToolWindowLink link;
    link.site = [this] { return SiteReportFacts(); };
    link.siteCaptions = &TfrmMain::SiteReportCaptions;
    link.sunOutage = m_session->sunOutageOptions();
    link.records = [this] { return m_session->records(); };
    link.horizon = [this] { return m_session->horizon(); };
    link.declination = [this] { return m_session->appliedDeclination(); };
    link.addToHorizon = [this](double azimuth, double elevation) {
        AddObstacleToHorizon(azimuth, elevation);
    };
    link.countryAt = [this](double latitude, double longitude) {
        return m_towns ? m_towns->NearestCountryCode(latitude, longitude) : QString();
    };
    return link;
}

void TfrmMain::mFileExportToHtmlClick() {
    MainListReportInputs inputs;
    inputs.site = SiteReport();
    inputs.heading = Panel6->heading()->text();
    inputs.modelNote = ModelNote();
    ExportMainListToHtml(this, inputs, *GridView1->model(),
                         DialogTexts(*m_saveDialogHtml, mFileExportToHtml));
}

void TfrmMain::ExporttoCSV1Click() {
    ExportMainListToCsv(this, *GridView1->model(), DialogTexts(*m_saveDialogCsv, ExporttoCSV1));
}

bool TfrmMain::MagneticAzimuths() const {
    return m_session->useDeclination() && m_session->declinationAvailable();
}

MainListPrintInputs TfrmMain::PrintInputs() {
    MainListPrintInputs inputs;
    inputs.site = SiteReport();
    inputs.heading = Panel6->heading()->text();
    const QString date = QLocale().toString(QDate::currentDate(), QLocale::ShortFormat);
    inputs.notes << ListText(ListEntry::PrintDate).replace(QLatin1String("%s"), date);
    inputs.notes
        << ListText(ListEntry::PrintCatalogue).replace(QLatin1String("%s"), CatalogueDescription());
    inputs.notes << ListText(MagneticAzimuths() ? ListEntry::MagneticAzimuths
                                                : ListEntry::TrueAzimuths);
    if (const QString model = ModelNote(); !model.isEmpty())
        inputs.notes << model;
    return inputs;
}

// The height only counts on the ellipsoid, so giving it turns the geodetic model on.
void TfrmMain::mViewHeightClick() {
    const std::optional<double> height =
        DialogSeam::askNumber(this, WithoutAccelerator(TranslatedText(Translation(), 105)),
                              ListText(ListEntry::HeightPrompt), m_session->siteHeight(),
                              settings::kSiteHeight.low, settings::kSiteHeight.high);
    if (!height)
        return;
    m_session->setSiteHeight(*height);
    if (mViewGeodetic->isChecked())
        btnGo->click();
    else
        mViewGeodetic->setChecked(true);
}

void TfrmMain::mViewOffsetClick() {
    const std::optional<double> offset = DialogSeam::askNumber(
        this, WithoutAccelerator(TranslatedText(Translation(), 151)),
        ListText(ListEntry::OffsetPrompt), m_store->value(settings::kDishOffset),
        settings::kDishOffset.low, settings::kDishOffset.high);
    if (offset)
        m_store->write(settings::kDishOffset, *offset);
}

void TfrmMain::pmSheetClick() {
    if (const SatelliteRecord record = RecordAtRow(PopupRow()))
        PreviewInstallationSheet(this, InstallationSheetFor(record),
                                 WithoutAccelerator(ListText(ListEntry::SheetSavePdf)));
}

// The sheet names the site and the catalogue as the printout does, gives the angles an
// installer sets, and the coming season's outages in the site's own clock.
InstallationSheetPage TfrmMain::InstallationSheetFor(const SatelliteRecord& record) {
    InstallationSheetPage sheet;
    const MainListPrintInputs print = PrintInputs();
    sheet.title = ListText(ListEntry::SheetTitle)
                      .replace(QLatin1String("%s"), record->Name.trimmed() + QStringLiteral(", ") +
                                                        OrbitalPositionText(record->Position));
    sheet.siteRows = SiteTextRows(print.site);
    sheet.notes = print.notes.mid(0, 2);
    sheet.offsetAngle = m_store->value(settings::kDishOffset);
    const QDate today = QDate::currentDate();
    sheet.figures = MakeSheetFigures(*record, m_session->declination(), MagneticAzimuths(),
                                     sheet.offsetAngle, mViewMotor->isChecked(), today);
    for (const ListEntry label :
         {ListEntry::SheetTrueAzimuth, ListEntry::SheetMagneticAzimuth, ListEntry::SheetElevation,
          ListEntry::SheetPlateTilt, ListEntry::SheetSkew, ListEntry::SheetMotorAngle,
          ListEntry::SheetSkewFromBehind, ListEntry::SheetHorizon, ListEntry::SheetSite})
        sheet.labels << ListText(label);
    SunOutagePredictor outages;
    outages.Satellite = record;
    outages.Year = sheet.figures.outageYear;
    outages.Season = sheet.figures.outageSeason;
    const SunOutageOptions& options = *m_session->sunOutageOptions();
    outages.Band = options.cband() ? OutageBand::C : OutageBand::Ku;
    outages.Diameter = options.diameter();
    outages.PredictOutages();
    const QString country =
        m_towns ? m_towns->NearestCountryCode(record->SiteLatitude, record->SiteLongitude)
                : QString();
    const QTimeZone zone(NearestTimeZone(record->SiteLatitude, record->SiteLongitude, country));
    const QString band = options.cband() ? QStringLiteral("C") : QStringLiteral("Ku");
    sheet.outageHeading = FormatPercentS(
        ListText(ListEntry::SheetOutages),
        {QString::fromLatin1(zone.id()),
         band + QStringLiteral(", ") + FormatGeneral(options.diameter()) + QStringLiteral(" m")});
    for (const OutageRow& row : outages.Rows)
        sheet.outageLines << QLocale().toString(row.Start.toTimeZone(zone).date(),
                                                QLocale::ShortFormat) +
                                 QStringLiteral("  ") + LocalClockText(row.Start, zone) +
                                 QChar(0x2013) + LocalClockText(row.End, zone) +
                                 QStringLiteral(" (") + UtcOffsetText(row.Start, zone) +
                                 QLatin1Char(')');
    if (sheet.outageLines.isEmpty())
        sheet.outageLines << ListText(ListEntry::SheetNoOutage);
    if (const HorizonMask& horizon = m_session->horizon(); !horizon.isEmpty())
        for (int degree = 0; degree < 360; ++degree)
            sheet.horizon.push_back(horizon.elevationAt(degree));
    sheet.geoUri = GeoUri(record->SiteLatitude, -record->SiteLongitude);
    return sheet;
}

QString TfrmMain::ModelNote() {
    if (m_session->lookModel() != LookModel::Geodetic)
        return {};
    return ListText(ListEntry::GeodeticModel)
        .replace(QLatin1String("%s"), FormatFixed(m_session->siteHeight(), 0));
}

void TfrmMain::mFilePrintClick() {
    PrintMainList(this, PrintInputs(), *GridView1->model(), GridView1->visibleColumnLayouts(),
                  GridView1->font());
}

void TfrmMain::mFilePrintPreviewClick() {
    PreviewMainList(this, PrintInputs(), *GridView1->model(), GridView1->visibleColumnLayouts(),
                    GridView1->font());
}

void TfrmMain::mHelpAboutClick() {
    // Not modal: the box's Credits and License open the help window, which must take input
    // while the box is still open.
    if (m_about) {
        m_about->show();
        m_about->raise();
        m_about->activateWindow();
    }
}

} // namespace skyvane
