#pragma once

#include "LookAngles.h"
#include "SatelliteData.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace skyvane {

struct CalculationResult {
    // The value of the last version comment among the lines, if any.
    std::optional<QString> catalogueVersion;
    // The visible satellites in catalogue order, their angles filled in.
    std::vector<SatelliteRecord> visible;
};

// A catalogue's lines read once: what each Calc needs of them, in catalogue order.
struct ParsedCatalogue {
    struct Satellite {
        QString name;    // as in the line, untrimmed
        double position; // degrees, West positive
    };
    std::vector<Satellite> satellites;
    // The value of the last version comment among the lines, if any.
    std::optional<QString> catalogueVersion;
    // Lines that cannot be handled are skipped: how many, and why the first was.
    int skipped = 0;
    QString firstSkipReason;
};

// Reads catalogue lines as CalculateVisibleSatellites does; comments and blank lines carry no
// satellite.
ParsedCatalogue ParseCatalogue(const QStringList& lines);

// CalculateVisibleSatellites for a catalogue read before (same arguments otherwise).
CalculationResult CalculateVisibleSatellites(const ParsedCatalogue& catalogue, double latitude,
                                             double longitude,
                                             std::optional<double> declination = std::nullopt,
                                             LookModel model = LookModel::Sphere,
                                             double heightMetres = 0.0);

// The heart of Calc: reads the catalogue lines, computes elevation, azimuth and skew for the
// site and keeps the records at or above the horizon. latitude: degrees, North positive;
// longitude: degrees, West positive. declination (degrees, West positive) is added to every
// azimuth when given, the sum brought into [0, 360). Blank lines carry no satellite and are
// skipped.
// With LookModel::Geodetic the azimuth and elevation are GeodeticLookAngles' for the site at
// `heightMetres` above the ellipsoid; the spherical model has no height.
CalculationResult CalculateVisibleSatellites(const QStringList& lines, double latitude,
                                             double longitude,
                                             std::optional<double> declination = std::nullopt,
                                             LookModel model = LookModel::Sphere,
                                             double heightMetres = 0.0);

// Fills the look angles of a parsed record for a site (same units as above).
void ComputeLookAngles(TSatelliteData& record, double latitude, double longitude,
                       std::optional<double> declination, LookModel model = LookModel::Sphere,
                       double heightMetres = 0.0);

} // namespace skyvane
