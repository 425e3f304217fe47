#pragma once

#include <QString>

namespace skyvane {

// An obstacle at horizontal distance d whose top lies h above the lowest point of the dish's
// rim just touches the line of sight when tan(elevation) = h / d. Given two of the three, the
// obstacle calculator finds the third. Heights and distances are in metres (any one length
// unit works, only their ratio matters); elevations in degrees above the horizon.

// Which of the three values is calculated from the other two.
enum class ObstacleMode {
    Distance,  // the minimum distance to the obstacle
    Height,    // the maximum height of the obstacle
    Elevation, // the minimum elevation of the antenna
};

// A typed input after correction. When `corrected`, the text typed was replaced by `value`, and
// the edit should show ObstacleValueText(value) instead. When `rejected`, the text is no number
// at all (a comma in a point locale, letters): `value` is only a stand-in, nothing should be
// calculated from it, and the text stays for the user to mend.
struct ObstacleInput {
    double value = 0.0;
    bool corrected = false;
    bool rejected = false;
};

// Height in metres as typed ("." always a decimal point); an emptied field or a value not above
// 0 becomes 0.1.
ObstacleInput ReadObstacleHeight(const QString& text);
// Distance in metres as typed; an emptied field or a value not above 0 becomes 0.1.
ObstacleInput ReadObstacleDistance(const QString& text);
// Elevation in degrees as typed; an emptied field or a value not above 0 becomes 0.1, and 90 or
// more becomes 89.9, which keeps the tangent finite and non-zero.
ObstacleInput ReadObstacleElevation(const QString& text);

// d = h / tan(e): metres; e in degrees, within (0, 90).
double ObstacleDistance(double heightMetres, double elevationDegrees);
// h = tan(e) * d: metres.
double ObstacleHeight(double distanceMetres, double elevationDegrees);
// e = arctan(h / d): degrees.
double ObstacleElevation(double heightMetres, double distanceMetres);

// Whether the calculator can show a value, typed or calculated: finite and at most 1e15 in size.
// Larger ones (a height of 1e308 gives an infinite distance) would fill the edit with hundreds
// of digits or "inf".
bool IsShowableObstacleValue(double value);

// A value as the calculator's edits show it: two decimals, the locale's decimal separator.
QString ObstacleValueText(double value);

// The result sentence of a mode in the current language, with the result as the edit shows it.
QString ObstacleResultSentence(ObstacleMode mode, const QString& resultText);

} // namespace skyvane
