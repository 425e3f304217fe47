#pragma once

#include <QString>

#include <optional>

namespace skyvane {

// Coordinates as users copy them from maps, charts and radio logs, turned into the decimal
// degrees the site fields take.

enum class CoordinateAxis { Latitude, Longitude };

// An angle read from text: its size and, when the text names it, its hemisphere.
struct AngleReading {
    double degrees = 0.0; // unsigned, degrees
    // North (latitude) or East (longitude): true; South or West: false; none when the text
    // gives neither a letter nor a sign.
    std::optional<bool> northOrEast;
    // degrees, North or East positive; a text without hemisphere counts as North or East.
    double signedDegrees() const { return northOrEast.value_or(true) ? degrees : -degrees; }
};

// Degrees, minutes and seconds as they are written: 47°41'24"N, 47° 41′ 24″ N, 47 41 24 N,
// N 47 41 24, 47°41.4'N, 47.69°, -47 41 24. Degrees may be followed by ° (or º), minutes by
// ' or ′, seconds by ", ″ or ''; without marks the numbers are taken in that order, separated by
// blanks. Only the last number may have decimals (point or comma). The hemisphere is a letter
// N, S (latitude) or E, W (longitude) before or after the numbers, or a leading minus sign, not
// both. Minutes and seconds are below 60; the result is at most 90 (latitude) or 180 degrees.
// A bare number without mark or hemisphere is left to the number fields' own reading. None for
// anything else.
std::optional<AngleReading> ParseDegreesMinutesSeconds(const QString& text, CoordinateAxis axis);

// A place on the globe, degrees: latitude North positive, longitude East positive.
struct GeoPoint {
    double latitude = 0.0;
    double longitude = 0.0;
};

// The centre of the square a Maidenhead locator names: 2 letters A-R (field, 20° x 10°), then
// optionally 2 digits (square, 2° x 1°), 2 letters A-X (subsquare, 5' x 2.5') and 2 digits
// (extended square, 30" x 15"); letters of either case. JN87 gives 47.5 N 17 E. None when the
// text is no locator.
std::optional<GeoPoint> MaidenheadCentre(const QString& locator);

// Degrees as a site field shows them: unsigned, rounded to a millionth (about 0.1 m), with the
// locale's decimal separator and no trailing zeros.
QString CoordinateFieldText(double degrees);

} // namespace skyvane
