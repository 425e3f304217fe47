#pragma once

#include "SatelliteData.h"
#include "SunOutage.h"

#include <QDate>
#include <QString>

#include <optional>

namespace skyvane {

// The figures an installer reads off the installation sheet of one satellite.
struct SheetFigures {
    double trueAzimuth = 0.0;              // degrees clockwise from true north
    std::optional<double> magneticAzimuth; // from magnetic north, when the declination is known
    double elevation = 0.0;                // degrees above the horizon
    std::optional<double> plateTilt;       // an offset dish's plate: elevation - offset angle
    double skew = 0.0;                     // LNB skew, degrees as the list gives it
    std::optional<double> motorAngle;      // degrees, West positive, when a motor is used
    int outageYear = 2000;                 // the next season with sun outages still ahead
    OutageSeason outageSeason = OutageSeason::Spring;
};

// record: the satellite with its angles for the site (its Azimuth includes the declination
// when `declinationApplied`); declination: degrees West positive, when the model gave one;
// offsetAngle: degrees, 0 for a prime-focus dish.
SheetFigures MakeSheetFigures(const TSatelliteData& record, std::optional<double> declination,
                              bool declinationApplied, double offsetAngle, bool motor,
                              const QDate& today);

// The season whose outages are still to come on `today`: spring until the end of March, fall
// until the end of October, else next year's spring.
std::pair<int, OutageSeason> NextOutageSeason(const QDate& today);

// The site as an RFC 5870 URI, "geo:47.68,17.63": latitude North positive, longitude East
// positive, degrees with up to six decimals.
QString GeoUri(double latitudeNorth, double longitudeEast);

} // namespace skyvane
