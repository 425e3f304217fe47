#include "Calculation.h"

#include "Catalogue.h"
#include "LookAngles.h"
#include "QuietFailure.h"

#include <cmath>
#include <exception>

namespace skyvane {

namespace {

bool IsBlank(const QString& line) {
    for (const QChar c : line)
        if (!c.isSpace())
            return false;
    return true;
}

// A compass bearing in [0, 360): the declination can carry an azimuth past North either way.
double WrapToCircle(double degrees) {
    double wrapped = std::fmod(degrees, 360.0);
    if (wrapped < 0.0)
        wrapped += 360.0;
    return wrapped >= 360.0 ? 0.0 : wrapped;
}

} // namespace

namespace {

// The site's share of the formulas of either model, computed once for a whole catalogue.
class SiteLook {
public:
    SiteLook(double latitude, double longitude, std::optional<double> declination, LookModel model,
             double heightMetres)
        : m_latitude(latitude)
        , m_longitude(longitude)
        , m_declination(declination)
        , m_trig(latitude, longitude) {
        if (model == LookModel::Geodetic)
            m_geodetic.emplace(latitude, longitude, heightMetres);
    }

    void fill(TSatelliteData& record) const {
        fillElevation(record);
        fillListed(record);
    }

    // The elevation, all that decides whether a satellite is listed (the geodetic model gives
    // the azimuth with it).
    void fillElevation(TSatelliteData& record) const {
        if (m_geodetic) {
            const LookAngles look = GeodeticLookAngles(record.Position, *m_geodetic);
            record.Elevation = look.elevation;
            record.Azimuth = look.azimuth;
        } else {
            record.Elevation = CalcElevation(record.Position, m_trig);
        }
    }

    // What a listed satellite shows beside its elevation.
    void fillListed(TSatelliteData& record) const {
        if (!m_geodetic)
            record.Azimuth = CalcAzimuth(record.Position, m_trig);
        if (m_declination)
            record.Azimuth = WrapToCircle(record.Azimuth + *m_declination);
        record.Skew = CalcSkew(record.Position, m_trig);
        record.SiteLongitude = m_longitude;
        record.SiteLatitude = m_latitude;
    }

private:
    double m_latitude;
    double m_longitude;
    std::optional<double> m_declination;
    SiteTrig m_trig;
    std::optional<GeodeticSite> m_geodetic;
};

} // namespace

void ComputeLookAngles(TSatelliteData& record, double latitude, double longitude,
                       std::optional<double> declination, LookModel model, double heightMetres) {
    SiteLook(latitude, longitude, declination, model, heightMetres).fill(record);
}

ParsedCatalogue ParseCatalogue(const QStringList& lines) {
    ParsedCatalogue catalogue;
    catalogue.satellites.reserve(size_t(lines.size()));
    for (const QString& line : lines) {
        try {
            if (line.startsWith(QLatin1Char(';'))) {
                if (auto version = VersionFromComment(line))
                    catalogue.catalogueVersion = std::move(version);
                continue;
            }
            if (IsBlank(line))
                continue;
            const std::unique_ptr<TSatelliteData> record = ParseSatelliteLine(line);
            catalogue.satellites.push_back({record->Name, record->Position});
        } catch (const std::exception& error) {
            // A line that cannot be handled is skipped; the next one is read as usual.
            if (catalogue.skipped++ == 0)
                catalogue.firstSkipReason = QString::fromUtf8(error.what());
        }
    }
    return catalogue;
}

CalculationResult CalculateVisibleSatellites(const ParsedCatalogue& catalogue, double latitude,
                                             double longitude, std::optional<double> declination,
                                             LookModel model, double heightMetres) {
    CalculationResult result;
    result.catalogueVersion = catalogue.catalogueVersion;
    const SiteLook site(latitude, longitude, declination, model, heightMetres);
    struct Listed {
        const ParsedCatalogue::Satellite* satellite;
        double elevation;
        double azimuth; // of the geodetic model only
    };
    std::vector<Listed> listed;
    TSatelliteData record;
    for (const ParsedCatalogue::Satellite& satellite : catalogue.satellites) {
        record.Position = satellite.position;
        site.fillElevation(record);
        if (IsVisible(record.Elevation))
            listed.push_back({&satellite, record.Elevation, record.Azimuth});
    }
    // The records of one Calc share one allocation, freed when the last of them is let go:
    // thousands of visible satellites would otherwise cost an allocation each.
    const auto records = std::make_shared<TSatelliteData[]>(listed.size());
    result.visible.reserve(listed.size());
    for (std::size_t i = 0; i < listed.size(); ++i) {
        TSatelliteData& visible = records[i];
        visible.Name = listed[i].satellite->name;
        visible.Position = listed[i].satellite->position;
        visible.Elevation = listed[i].elevation;
        visible.Azimuth = listed[i].azimuth;
        site.fillListed(visible);
        result.visible.emplace_back(records, &visible);
    }
    // One entry per Calc, however many lines a damaged catalogue has.
    if (catalogue.skipped > 0)
        LogQuietFailure("reading catalogue lines",
                        QStringLiteral("%1 line(s) skipped, the first: %2")
                            .arg(catalogue.skipped)
                            .arg(catalogue.firstSkipReason));
    return result;
}

CalculationResult CalculateVisibleSatellites(const QStringList& lines, double latitude,
                                             double longitude, std::optional<double> declination,
                                             LookModel model, double heightMetres) {
    return CalculateVisibleSatellites(ParseCatalogue(lines), latitude, longitude, declination,
                                      model, heightMetres);
}

} // namespace skyvane
