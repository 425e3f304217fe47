#pragma once

#include <QString>

#include <memory>

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
};

using SatelliteRecord = std::shared_ptr<const TSatelliteData>;

} // namespace skyvane
