#pragma once

#include "CatalogueImport.h"

#include <QDateTime>

#include <vector>

namespace skyvane {

// Where a satellite with mean elements is seen from a site over a day. The mean elements (as
// element lists give them, for SGP4) are carried on as a Keplerian orbit whose node, perigee and
// mean anomaly move at the Earth's oblateness (J2) rates: for geostationary orbits this stays
// within a few thousandths of a degree of SGP4 over the day from the epoch. The site is on a
// sphere of the Earth's equatorial radius at its latitude, the Earth turned by the mean sidereal
// time.

// Satellites inclined more than this (degrees) move visibly over a day.
inline constexpr double kVisiblyInclinedAbove = 0.5;

struct LookPoint {
    double minutes = 0.0;   // from the start of the track
    double azimuth = 0.0;   // degrees from true North, [0, 360)
    double elevation = 0.0; // degrees
};

// The look angles at `steps` + 1 moments spread over one sidereal day from `start`.
// latitude: North positive; longitude: West positive.
std::vector<LookPoint> DailyTrack(const MeanElements& elements, double latitude, double longitude,
                                  const QDateTime& start, int steps = 96);

// The smallest and largest azimuth and elevation of a track. The azimuths are taken as one run
// from the first point, so a box across North reads 355° to 5°, not 5° to 355°.
struct DailyBox {
    double azimuthLow = 0.0;  // [0, 360)
    double azimuthHigh = 0.0; // [0, 360)
    double elevationLow = 0.0;
    double elevationHigh = 0.0;
    double azimuthSpan() const;
    double elevationSpan() const { return elevationHigh - elevationLow; }
};
DailyBox BoxOf(const std::vector<LookPoint>& track);

} // namespace skyvane
