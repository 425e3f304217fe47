#include "Session.h"

#include "Calculation.h"
#include "Catalogue.h"
#include "OrbitTrack.h"
#include "QuietFailure.h"

#include <QFileInfo>
#include <QLocale>

#include <exception>
#include <optional>

namespace skyvane {

Session::Session(const QString& declinationLibrary, QObject* parent, ShippedCatalogue shipped)
    : QObject(parent)
    , m_magDec(declinationLibrary)
    , m_catalogueReader(shipped) {}

void Session::setSite(const Site& site) {
    m_site = site;
    emit siteChanged(m_site);
    recalculate();
}

void Session::setHorizon(const HorizonMask& horizon) {
    m_horizon = horizon;
    emit horizonChanged(m_horizon);
}

void Session::loadDeclination() {
    // Without the declination library the program simply works without declination.
    RunQuietly("loading the declination library", [this] { m_magDec.load(); });
}

void Session::unloadDeclination() {
    m_magDec.unload();
}

void Session::recalculate() {
    try {
        if (std::optional<CatalogueText> catalogue = m_catalogueReader.load()) {
            // A position that is not plain decimal text is read in the default locale.
            if (catalogue->lines != m_catalogueLines || QLocale() != m_parsedLocale) {
                m_catalogueLines = std::move(catalogue->lines);
                m_parsedCatalogue = ParseCatalogue(m_catalogueLines);
                m_parsedLocale = QLocale();
                m_catalogueElementsEpoch = ElementsEpochOf(m_catalogueLines);
            }
            m_catalogueSource = catalogue->source;
            m_cataloguePath = catalogue->path;
        }
    } catch (const std::exception& error) {
        emit catalogueUnreadable(QString::fromLocal8Bit(error.what()));
        return;
    }
    try {
        const double latitude = m_site.latitudeNorth();
        const double longitude = m_site.longitudeWest();
        std::optional<double> declination;
        if (m_magDec.MagDecAvailable()) {
            const double d =
                m_magDec.UpdateMagneticDeclination(latitude, longitude, m_declinationText);
            m_declination = d;
            if (m_useDeclination)
                declination = d;
        }
        m_appliedDeclination = declination.value_or(0.0);
        m_records.clear();
        CalculationResult result = CalculateVisibleSatellites(
            m_parsedCatalogue, latitude, longitude, declination, m_lookModel, m_siteHeight);
        if (result.catalogueVersion)
            m_catalogueVersion = *result.catalogueVersion;
        m_records = std::move(result.visible);
        AddDailyMovement();
    } catch (const std::exception& error) {
        // A failure in the calculation ends it; the list and its count still show what it gave.
        LogQuietFailure("Calc", error);
    }
    emit recordsChanged();
}

const std::vector<StoredElements>& Session::UserElements() {
    const QFileInfo file(UserElementsFile());
    const QDateTime stamp = file.exists() ? file.lastModified() : QDateTime();
    if (stamp != m_elementsStamp) {
        m_elementsStamp = stamp;
        m_elements =
            stamp.isValid() ? ParseElementLines(ReadUserElements()) : std::vector<StoredElements>{};
        m_movements.clear();
    }
    return m_elements;
}

void Session::AddDailyMovement() {
    if (m_catalogueSource != CatalogueSource::User)
        return;
    const std::vector<StoredElements>& sets = UserElements();
    if (sets.empty())
        return;
    for (SatelliteRecord& record : m_records) {
        const MeanElements* elements = FindElements(sets, record->Position, record->Name);
        if (!elements)
            continue;
        auto moved = std::make_shared<TSatelliteData>(*record);
        moved->Inclination = elements->inclination;
        if (elements->inclination > kVisiblyInclinedAbove) {
            const DailyMovement& movement = MovementOf(*elements, *record);
            moved->DailyAzimuthSpan = movement.azimuthSpan;
            moved->DailyElevationSpan = movement.elevationSpan;
            moved->DailyPath = movement.path;
        }
        record = std::move(moved);
    }
}

// A Calc for the same site (a language switch, a declination change) reuses the tracks.
const Session::DailyMovement& Session::MovementOf(const MeanElements& elements,
                                                  const TSatelliteData& record) {
    if (record.SiteLatitude != m_movementLatitude || record.SiteLongitude != m_movementLongitude) {
        m_movements.clear();
        m_movementLatitude = record.SiteLatitude;
        m_movementLongitude = record.SiteLongitude;
    }
    const auto known = m_movements.find(&elements);
    if (known != m_movements.end())
        return known->second;
    // The day of the epoch: the elements tell the box's size best then; its place follows the
    // listed angles.
    const std::vector<LookPoint> track =
        DailyTrack(elements, record.SiteLatitude, record.SiteLongitude, elements.epoch);
    const DailyBox box = BoxOf(track);
    DailyMovement movement{box.azimuthSpan(), box.elevationSpan(), {}};
    for (const LookPoint& point : track)
        movement.path.emplace_back(point.azimuth, point.elevation);
    return m_movements.emplace(&elements, std::move(movement)).first->second;
}

} // namespace skyvane
