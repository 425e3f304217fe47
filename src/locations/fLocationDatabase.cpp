#include "fLocationDatabase.h"

#include "Constants.h"
#include "HelpBinding.h"
#include "LanguageController.h"
#include "LanguageManager.h"
#include "NumberText.h"
#include "QuietFailure.h"
#include "TownListModel.h"
#include "WindowPlacement.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <exception>

namespace skyvane {

namespace {

constexpr int kSearchDelayMs = 500;

QString CoordinateText(double degrees, Constant positiveLetter, Constant otherLetter,
                       bool positive) {
    return FormatFixed(std::fabs(degrees), 2) + QStringLiteral("\u00b0 ") +
           ConstantText(positive ? positiveLetter : otherLetter);
}

QByteArray InterfaceLocale() {
    return IcuLocaleName(LanguageManager::Instance().CurrentLanguageId());
}

} // namespace

TfrmLocations::TfrmLocations(QWidget* parent, Session* session, LocationDatabase* database)
    : QDialog(parent)
    , m_session(session)
    , m_database(database)
    , m_marker(DefaultMarkerPicture()) {
    setupUi(this);
    // As tall as a large desktop font needs.
    edCity->setMinimumHeight(std::max(edCity->minimumHeight(), edCity->sizeHint().height()));
    setWindowFlags(Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    HelpBinding::SetHelpContext(this, HelpContext::Locations);
    new WindowPlacement(this, QStringLiteral("frmLocations"));

    m_townModel = new TownListModel(this);
    dblCity->setModel(m_townModel);
    dblCity->setUniformItemSizes(true);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(kSearchDelayMs);

    ConnectHandlers();
    FormCreate();
    new LanguageController(this, Translation(), [this] { LanguageChanged(); });
}

TfrmLocations::~TfrmLocations() = default;

const WindowTranslation& TfrmLocations::Translation() {
    static const WindowTranslation translation{
        "frmLocations",
        {
            {1, "", "Caption", "Location database"},
            {2, "btnApply", "Caption", "&Apply"},
            {3, "lblCountry", "Caption", "Country:"},
            {kCityEntry, "lblCity", "Caption", "City:"},
            {5, "btnCancel", "Caption", "&Cancel"},
            {7, "lblLatitudeC", "Caption", "Latitude:"},
            {8, "lblLongitudeC", "Caption", "Longitude:"},
        },
        {QStringLiteral("*.Font.Name"), QStringLiteral("SQLiteDB1.*"), QStringLiteral("dblCity.*"),
         QStringLiteral("dblCountry.*"), QStringLiteral("edCity.*"), QStringLiteral("lblLatV.*"),
         QStringLiteral("lblLongV.*"), QStringLiteral("memoLocations.*"),
         QStringLiteral("qryCountry.*"), QStringLiteral("qryGetTown.*"),
         QStringLiteral("qryTown.*")},
    };
    return translation;
}

void TfrmLocations::ConnectHandlers() {
    connect(dblCountry, &QComboBox::activated, this, &TfrmLocations::dblCountryClick);
    connect(edCity, &QLineEdit::textChanged, this, &TfrmLocations::edCityChange);
    connect(Timer1, &QTimer::timeout, this, &TfrmLocations::Timer1Timer);
    connect(dblCity->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &TfrmLocations::dblCityClick);
    connect(dblCity, &QAbstractItemView::clicked, this, &TfrmLocations::dblCityClick);
    connect(btnApply, &QPushButton::clicked, this, [this] {
        btnApplyClick();
        accept();
    });
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(dblCity, &QAbstractItemView::doubleClicked, this, &TfrmLocations::ApplyChosenTown);
    edCity->installEventFilter(this);
    dblCity->installEventFilter(this);
}

void TfrmLocations::ApplyChosenTown() {
    if (btnApply->isEnabled())
        btnApply->click();
}

// Down leaves the search field for the list; Enter in the list applies its town.
bool TfrmLocations::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (watched == edCity && key == Qt::Key_Down && townModel()->rowCount() > 0) {
        dblCity->setFocus(Qt::TabFocusReason);
        if (!dblCity->currentIndex().isValid())
            dblCity->setCurrentIndex(m_townModel->index(0));
        return true;
    }
    if (watched == dblCity && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
        ApplyChosenTown();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TfrmLocations::FormCreate() {
    try {
        m_databaseAvailable = m_database && m_database->present();
        if (m_databaseAvailable) {
            m_database->SetLocale(InterfaceLocale());
            m_listsPending = true;
        }
    } catch (const std::exception& error) {
        // A database that cannot be used leaves the lists empty; the window still opens.
        LogQuietFailure("opening the town database", error);
    }
    RedrawSmallMap(std::nullopt);
}

void TfrmLocations::SetMapPictures(const QImage& worldMap, const QImage& marker) {
    m_worldMap = worldMap;
    m_worldMapFile.clear();
    m_marker = marker.isNull() ? DefaultMarkerPicture() : marker;
    RedrawSmallMap(m_markerPlacement);
}

void TfrmLocations::SetMapPictures(const QString& worldMapFile, const QImage& marker) {
    SetMapPictures(QImage(), marker);
    m_worldMapFile = worldMapFile;
}

void TfrmLocations::FillCountries() {
    const QVariant chosen = dblCountry->currentData();
    dblCountry->clear();
    m_countryNames.clear();
    for (const CountryEntry& country : m_database->Countries()) {
        dblCountry->addItem(country.name, country.key.isEmpty() ? QVariant() : country.key);
        m_countryNames.insert(country.key, country.name);
    }
    if (chosen.isValid())
        dblCountry->setCurrentIndex(std::max(0, dblCountry->findData(chosen)));
    m_townModel->setCountries(m_countryNames,
                              !CountryKeyValue(dblCountry->currentData().toString()));
}

void TfrmLocations::ShowTowns(const TownFilter& filter) {
    // Only a sort the file carries no order for makes the first rows wait.
    QGuiApplication::setOverrideCursor(Qt::BusyCursor);
    try {
        m_townModel->setCursor(m_databaseAvailable ? m_database->OpenTowns(filter) : TownCursor(),
                               filter.cityText);
    } catch (const std::exception& error) {
        m_townModel->setCursor({}); // an unusable database leaves the list empty
        LogQuietFailure("reading the towns", error);
    }
    QGuiApplication::restoreOverrideCursor();
}

void TfrmLocations::EnsureListsLoaded() {
    if (!m_listsPending)
        return;
    m_listsPending = false;
    try {
        FillCountries();
    } catch (const std::exception& error) {
        // An unusable country table leaves that list empty; the towns may still be read.
        LogQuietFailure("reading the countries", error);
    }
    ShowTowns({});
}

void TfrmLocations::LanguageChanged() {
    if (!m_databaseAvailable)
        return;
    // The running town query uses the collation that is about to change.
    m_townModel->setCursor({});
    m_database->SetLocale(InterfaceLocale());
    if (m_listsPending)
        return;
    FillCountries();
    ShowTowns({dblCountry->currentData().toString(), edCity->text()});
}

TownListModel* TfrmLocations::townModel() {
    EnsureListsLoaded();
    return m_townModel;
}

QComboBox* TfrmLocations::countryList() {
    EnsureListsLoaded();
    return dblCountry;
}

void TfrmLocations::showEvent(QShowEvent* event) {
    EnsureListsLoaded();
    EnsureSmallMap();
    edCity->setFocus(Qt::OtherFocusReason);
    QDialog::showEvent(event);
}

void TfrmLocations::dblCountryClick() {
    EnsureListsLoaded();
    try {
        m_townFilter.clear();
        const QString countryKey = dblCountry->currentData().toString();
        const QString cityText = edCity->text();
        m_townFilter = BuildTownFilter(countryKey, cityText);
        m_townModel->setCountries(m_countryNames, !CountryKeyValue(countryKey));
        ShowTowns({countryKey, cityText});
    } catch (const std::exception& error) {
        // A failed filter run leaves the list as it is.
        LogQuietFailure("filtering the towns", error);
    }
}

void TfrmLocations::edCityChange() {
    Timer1->stop();
    Timer1->start();
}

void TfrmLocations::Timer1Timer() {
    Timer1->stop();
    dblCountryClick();
}

void TfrmLocations::dblCityClick() {
    const TownEntry* town = townModel()->town(dblCity->currentIndex().row());
    const std::optional<TownPlace> place = town ? PlaceOf(*town) : std::nullopt;
    if (!place) {
        btnApply->setEnabled(false);
        return;
    }
    SelectedLong = place->longitude;
    SelectedLat = place->latitude;
    btnApply->setEnabled(true);
    ShowSelectedCoordinates();
    RedrawSmallMap(PlaceMarker(SelectedLat, SelectedLong));
}

void TfrmLocations::ShowSelectedCoordinates() {
    lblLongV->setText(
        CoordinateText(SelectedLong, Constant::WestShort, Constant::EastShort, SelectedLong > 0));
    lblLatV->setText(
        CoordinateText(SelectedLat, Constant::NorthShort, Constant::SouthShort, SelectedLat >= 0));
}

void TfrmLocations::RedrawSmallMap(const std::optional<MarkerPlacement>& marker) {
    m_markerPlacement = marker;
    m_smallMapStale = true;
    if (isVisible())
        EnsureSmallMap();
}

void TfrmLocations::EnsureSmallMap() {
    if (!m_smallMapStale)
        return;
    m_smallMapStale = false;
    if (m_worldMap.isNull() && !m_worldMapFile.isEmpty())
        m_worldMap.load(m_worldMapFile);
    m_smallMap = DrawSmallMap(m_worldMap, m_marker, m_markerPlacement);
    imgWorldSmall->setPixmap(QPixmap::fromImage(m_smallMap));
}

QImage TfrmLocations::smallMap() {
    EnsureSmallMap();
    return m_smallMap;
}

void TfrmLocations::btnApplyClick() {
    if (m_session)
        m_session->setSite(Site::FromNorthWest(SelectedLat, SelectedLong));
}

} // namespace skyvane
