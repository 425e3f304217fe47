#pragma once

#include "Calculation.h"
#include "Catalogue.h"
#include "CatalogueImport.h"
#include "HorizonMask.h"
#include "LookAngles.h"
#include "MagneticDeclination.h"
#include "SatelliteData.h"
#include "Site.h"
#include "SunOutageOptions.h"

#include <QDateTime>
#include <QLocale>
#include <QObject>
#include <QString>
#include <QStringList>

#include <map>
#include <optional>
#include <utility>
#include <vector>

namespace skyvane {

// The program's state apart from its windows: the site, the declination choice and the records
// computed for them. Every window that sets or shows the site goes through one session, so the
// main window's fields, the list, the map and the reports describe the same site.
class Session : public QObject {
    Q_OBJECT

public:
    // declinationLibrary: the optional magnetic-model library, by bare name or path.
    // shipped: whether the shipped catalogue takes part in the catalogue lookup.
    explicit Session(const QString& declinationLibrary = QStringLiteral("geomag"),
                     QObject* parent = nullptr,
                     ShippedCatalogue shipped = ShippedCatalogue::Ignored);

    const Site& site() const { return m_site; }
    // Takes the site and recalculates (also when the site is the same: the catalogue file and
    // the language may have changed): siteChanged, then recordsChanged, or catalogueUnreadable
    // with the records kept.
    void setSite(const Site& site);
    // Calculates again for the current site.
    void recalculate();

    // Whether the declination is added to the azimuths; taken at the next calculation.
    bool useDeclination() const { return m_useDeclination; }
    void setUseDeclination(bool use) { m_useDeclination = use; }
    // The model of the look angles of the next calculations.
    void setLookModel(LookModel model) { m_lookModel = model; }
    LookModel lookModel() const { return m_lookModel; }
    // The site's height above the ellipsoid for the geodetic model, metres.
    void setSiteHeight(double metres) { m_siteHeight = metres; }
    double siteHeight() const { return m_siteHeight; }

    // The skyline of the current site, which the list, the sun outage and the details mark
    // and draw; empty when nothing is known of it.
    const HorizonMask& horizon() const { return m_horizon; }
    // Takes a new skyline: horizonChanged (the records stay as they are).
    void setHorizon(const HorizonMask& horizon);
    // The name of the current site in the site book; empty for a site that has none.
    const QString& siteName() const { return m_siteName; }
    void setSiteName(const QString& name) { m_siteName = name; }
    // The declination the last calculation added to every azimuth, degrees, West positive; 0
    // when none was added.
    double appliedDeclination() const { return m_appliedDeclination; }

    // Loads the declination library (failures leave it unavailable) and releases it.
    void loadDeclination();
    void unloadDeclination();
    bool declinationAvailable() const { return m_magDec.MagDecAvailable(); }
    // The declination at the site of the last calculation, as its label shows it ("-" before
    // any reading).
    QString declinationText() const { return m_declinationText; }
    // Degrees West positive at the site of the last calculation, when the model is loaded.
    std::optional<double> declination() const { return m_declination; }

    // The visible satellites of the last calculation, in catalogue order.
    const std::vector<SatelliteRecord>& records() const { return m_records; }
    // The version the catalogue of the last calculation states, "?" before any.
    QString catalogueVersion() const { return m_catalogueVersion; }
    // Which catalogue the last calculation read, and its file (empty for the built-in copy).
    CatalogueSource catalogueSource() const { return m_catalogueSource; }
    QString cataloguePath() const { return m_cataloguePath; }
    // The epoch of the element sets that catalogue was computed from; invalid when it states
    // positions of its own.
    QDateTime catalogueElementsEpoch() const { return m_catalogueElementsEpoch; }

    // The options the sun outage windows share.
    SunOutageOptions* sunOutageOptions() { return &m_sunOutageOptions; }

signals:
    void siteChanged(const skyvane::Site& site);
    void recordsChanged();
    void horizonChanged(const skyvane::HorizonMask& horizon);
    // The catalogue could not be read: the calculation stopped, the records are kept.
    void catalogueUnreadable(const QString& message);

private:
    // The element sets kept with the user's catalogue, read again only when their file changes.
    const std::vector<StoredElements>& UserElements();
    // The records with the day's swing of the visibly inclined satellites whose elements are kept.
    void AddDailyMovement();
    struct DailyMovement {
        double azimuthSpan = 0.0;
        double elevationSpan = 0.0;
        std::vector<std::pair<double, double>> path;
    };
    const DailyMovement& MovementOf(const MeanElements& elements, const TSatelliteData& record);

    Site m_site;
    HorizonMask m_horizon;
    QString m_siteName;
    double m_appliedDeclination = 0.0; // degrees, West positive
    bool m_useDeclination = false;
    LookModel m_lookModel = LookModel::Sphere;
    double m_siteHeight = 0.0;
    MagneticDeclination m_magDec;
    QString m_declinationText = QStringLiteral("-");
    std::optional<double> m_declination;
    CatalogueReader m_catalogueReader;
    QStringList m_catalogueLines;
    // m_catalogueLines as each Calc reads them, parsed when they or the default locale changed.
    ParsedCatalogue m_parsedCatalogue;
    QLocale m_parsedLocale;
    QString m_catalogueVersion = QStringLiteral("?");
    CatalogueSource m_catalogueSource = CatalogueSource::BuiltIn;
    QString m_cataloguePath;
    QDateTime m_catalogueElementsEpoch;
    std::vector<SatelliteRecord> m_records;
    SunOutageOptions m_sunOutageOptions;
    std::vector<StoredElements> m_elements;
    QDateTime m_elementsStamp;
    // The movements of m_elements' sets for the site below, computed when first asked for.
    std::map<const MeanElements*, DailyMovement> m_movements;
    double m_movementLatitude = 0.0, m_movementLongitude = 0.0;
};

} // namespace skyvane
