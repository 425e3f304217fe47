#pragma once

#include <QString>

namespace skyvane {

// A site on Earth, in every sign convention the program meets, and the text it was typed as.
//
// The site is entered as an unsigned text per coordinate with its hemisphere chosen apart, so a
// site keeps both: the hemisphere as chosen (also for 0, where no sign could tell it) and the
// text for the reports, which repeat the input as it stands. The signed values are read once,
// when the site is made.
//
// Conventions, each with its named constructor or accessor:
// - North / West positive: the calculation, the records and the location database; the
//   declination plugin's "East negative" longitude is the same number (longitudeWest).
// - South / East positive: the settings store and the world map.
class Site {
public:
    // 47.16 N, 16.16 E, the site a first start shows.
    Site();

    // As typed: the absolute value of each text counts (text that is no number counts as 0),
    // the hemisphere comes from its button.
    static Site FromInputs(const QString& latitudeText, bool north, const QString& longitudeText,
                           bool west);
    // latitude: degrees, North positive; longitude: degrees, West positive. The texts get two
    // decimals; the equator counts as North, the prime meridian as East.
    static Site FromNorthWest(double latitudeNorth, double longitudeWest);
    // latitude: degrees, South positive; longitude: degrees, East positive (the settings and
    // the map). The texts get two decimals; 0 counts as South and East.
    static Site FromSouthEast(double latitudeSouth, double longitudeEast);

    double latitudeNorth() const { return m_latitudeNorth; }  // degrees, North positive
    double longitudeWest() const { return m_longitudeWest; }  // degrees, West positive
    double latitudeSouth() const { return -m_latitudeNorth; } // degrees, South positive
    double longitudeEast() const { return -m_longitudeWest; } // degrees, East positive

    // The hemispheres as chosen.
    bool north() const { return m_north; }
    bool west() const { return m_west; }

    // The coordinates' texts as entered, without hemisphere: "47.16", "-33.5", "abc".
    QString latitudeText() const { return m_latitudeText; }
    QString longitudeText() const { return m_longitudeText; }

    // Same texts and hemispheres: the same input.
    bool operator==(const Site& other) const;

private:
    QString m_latitudeText;
    QString m_longitudeText;
    bool m_north = true;
    bool m_west = false;
    double m_latitudeNorth = 0.0; // degrees, North positive
    double m_longitudeWest = 0.0; // degrees, West positive
};

// Whether a typed coordinate text is accepted: a number (either decimal separator, no digit
// grouping) whose absolute value is at most `limit` degrees (90 for latitude, 180 for
// longitude). The sign is ignored, as the calculation ignores it.
bool IsAcceptedCoordinateText(const QString& text, double limit);

inline constexpr double kLatitudeLimit = 90.0;   // degrees
inline constexpr double kLongitudeLimit = 180.0; // degrees

} // namespace skyvane
