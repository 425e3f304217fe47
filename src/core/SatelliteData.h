#pragma once

#include <QString>

#include <memory>
#include <utility>
#include <vector>

namespace skyvane {

// One catalogue satellite with the look angles computed for one site. A record is a snapshot:
// a later calculation makes new records and never changes one that was handed out, which is
// why everything outside the calculation holds it as SatelliteRecord (shared, const).
struct TSatelliteData {
    QString Name;           // as in the catalogue line, untrimmed
    double Position = 0.0;  // orbital position, degrees, West positive, East negative
    double Azimuth = 0.0;   // degrees clockwise from true North, plus the declination when applied
    double Elevation = 0.0; // degrees above the horizon
    double SiteLongitude = 0.0; // site the angles belong to, degrees, West positive, East negative
    double SiteLatitude = 0.0;  // degrees, North positive, South negative
    double Skew = 0.0;          // polarisation skew, degrees
    // From the element set the user's catalogue keeps for the satellite, when it keeps one: the
    // inclination, and how far azimuth and elevation swing over a day from this site (the
    // widths of the day's box, degrees; 0 when unknown or below visible inclination).
    double Inclination = 0.0;
    double DailyAzimuthSpan = 0.0;
    double DailyElevationSpan = 0.0;
    // The day's path as (azimuth, elevation) pairs, degrees: the figure of eight the swing
    // draws in the sky; empty when the satellite does not move visibly.
    std::vector<std::pair<double, double>> DailyPath = {};
    bool movesDaily() const { return DailyAzimuthSpan > 0.0 || DailyElevationSpan > 0.0; }
};

using SatelliteRecord = std::shared_ptr<const TSatelliteData>;

} // namespace skyvane
