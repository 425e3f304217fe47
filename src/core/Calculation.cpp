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

void ComputeLookAngles(TSatelliteData& record, double latitude, double longitude,
                       std::optional<double> declination, LookModel model, double heightMetres) {
    if (model == LookModel::Geodetic) {
        const LookAngles look =
            GeodeticLookAngles(record.Position, latitude, longitude, heightMetres);
        record.Elevation = look.elevation;
        record.Azimuth = look.azimuth;
    } else {
        record.Elevation = CalcElevation(record.Position, latitude, longitude);
        record.Azimuth = CalcAzimuth(record.Position, latitude, longitude);
    }
    if (declination)
        record.Azimuth = WrapToCircle(record.Azimuth + *declination);
    record.Skew = CalcSkew(record.Position, latitude, longitude);
    record.SiteLongitude = longitude;
    record.SiteLatitude = latitude;
}

CalculationResult CalculateVisibleSatellites(const QStringList& lines, double latitude,
                                             double longitude, std::optional<double> declination,
                                             LookModel model, double heightMetres) {
    CalculationResult result;
    int skipped = 0;
    QString firstReason;
    for (const QString& line : lines) {
        try {
            if (line.startsWith(QLatin1Char(';'))) {
                if (auto version = VersionFromComment(line))
                    result.catalogueVersion = std::move(version);
                continue;
            }
            if (IsBlank(line))
                continue;
            std::unique_ptr<TSatelliteData> record = ParseSatelliteLine(line);
            ComputeLookAngles(*record, latitude, longitude, declination, model, heightMetres);
            if (IsVisible(record->Elevation))
                result.visible.push_back(std::move(record));
        } catch (const std::exception& error) {
            // A line that cannot be handled is skipped; the next one is read as usual.
            if (skipped++ == 0)
                firstReason = QString::fromUtf8(error.what());
        }
    }
    // One entry per Calc, however many lines a damaged catalogue has.
    if (skipped > 0)
        LogQuietFailure(
            "reading catalogue lines",
            QStringLiteral("%1 line(s) skipped, the first: %2").arg(skipped).arg(firstReason));
    return result;
}

} // namespace skyvane
