#include "InstallationSheet.h"

#include "Motor.h"

#include <QLocale>

namespace skyvane {

namespace {

QString UriDegrees(double degrees) {
    QString text = QLocale::c().toString(degrees, 'f', 6);
    while (text.endsWith(QLatin1Char('0')))
        text.chop(1);
    if (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    return text == QLatin1String("-0") ? QStringLiteral("0") : text;
}

} // namespace

std::pair<int, OutageSeason> NextOutageSeason(const QDate& today) {
    if (today.month() <= 3)
        return {today.year(), OutageSeason::Spring};
    if (today.month() <= 10)
        return {today.year(), OutageSeason::Fall};
    return {today.year() + 1, OutageSeason::Spring};
}

SheetFigures MakeSheetFigures(const TSatelliteData& record, std::optional<double> declination,
                              bool declinationApplied, double offsetAngle, bool motor,
                              const QDate& today) {
    SheetFigures figures;
    const double applied = declinationApplied && declination ? *declination : 0.0;
    figures.trueAzimuth = SunOutagePredictor::Normalize360(record.Azimuth - applied);
    if (declination)
        figures.magneticAzimuth =
            SunOutagePredictor::Normalize360(figures.trueAzimuth + *declination);
    figures.elevation = record.Elevation;
    if (offsetAngle > 0.0)
        figures.plateTilt = record.Elevation - offsetAngle;
    figures.skew = record.Skew;
    if (motor)
        figures.motorAngle = MotorAngleOf(record);
    std::tie(figures.outageYear, figures.outageSeason) = NextOutageSeason(today);
    return figures;
}

QString GeoUri(double latitudeNorth, double longitudeEast) {
    return QStringLiteral("geo:") + UriDegrees(latitudeNorth) + QLatin1Char(',') +
           UriDegrees(longitudeEast);
}

} // namespace skyvane
