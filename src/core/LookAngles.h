#pragma once

#include <QString>

namespace skyvane {

// All angles in degrees. position: orbital position, West positive, East negative.
// latitude: site latitude, North positive; longitude: site longitude, West positive.
// A latitude of exactly 0 is taken as 0.00001 (just North) so no formula divides by zero.

// Ratio of the Earth's radius to the geostationary orbit radius, for every pointing formula.
inline constexpr double kEarthToOrbitRatio = 0.15116;

double DegToRad(double degrees);

// The site's share of the look-angle formulas, computed once for a whole catalogue: a Calc
// gives every satellite the same numbers as the formulas below, bit for bit.
struct SiteTrig {
    SiteTrig(double latitude, double longitude);
    double latitude;        // degrees, North positive, 0 taken as just North
    double longitude;       // degrees, West positive
    double cosLatitude;     // of the latitude in radians
    double sinLatitude;     // of the latitude in radians
    double tanSkewLatitude; // of the latitude in the skew formula's radians
};

// Elevation above the horizon, in (-90, 90).
double CalcElevation(double position, double latitude, double longitude);
double CalcElevation(double position, const SiteTrig& site);

// Azimuth clockwise from true North, in (0, 360]; 360 (not 0) for a satellite due North.
double CalcAzimuth(double position, double latitude, double longitude);
double CalcAzimuth(double position, const SiteTrig& site);

// Polarisation skew; for a northern site negative when the satellite is East of the site.
double CalcSkew(double position, double latitude, double longitude);
double CalcSkew(double position, const SiteTrig& site);

// How look angles are computed. Sphere is the program's written model (every table, report and
// test result of the list); Geodetic puts the site on the WGS84 ellipsoid at a height and adds
// the atmosphere's refraction, the elevation a dish's inclinometer finds.
enum class LookModel { Sphere, Geodetic };

struct LookAngles {
    double azimuth = 0.0;   // degrees from true North, (0, 360]
    double elevation = 0.0; // degrees, refraction included
};

// Geodetic look angles: site on WGS84 (height in metres above the ellipsoid), satellite on the
// geostationary radius, elevation raised by RefractionDegrees.
LookAngles GeodeticLookAngles(double position, double latitude, double longitude,
                              double heightMetres = 0.0);

// The site's share of GeodeticLookAngles, computed once for a whole catalogue.
struct GeodeticSite {
    GeodeticSite(double latitude, double longitude, double heightMetres);
    double sinPhi, cosPhi, sinLambda, cosLambda; // of the geodetic latitude and East longitude
    double sx, sy, sz;                           // the site, Earth-centred, km
};
LookAngles GeodeticLookAngles(double position, const GeodeticSite& site);

// How much the atmosphere raises a body seen at true elevation `elevation` (degrees), after
// Saemundsson's formula R = 1.02' / tan(h + 10.3 / (h + 5.11)), standard pressure and
// temperature. 0 below a degree under the horizon, where the formula no longer holds.
double RefractionDegrees(double elevation);

// "Theoretically visible": elevation, before any rounding, not below 0.
bool IsVisible(double elevation);

// |position| with one decimal, "° " and the West letter for position > 0, else the East
// letter, both from the translatable constants: -19.2 -> "19.2° E".
QString OrbitalPositionText(double position);

// |value| with two decimals, "° " and the given letter: the form of the declination label.
QString DegreesWithLetter(double value, int decimals, const QString& letter);

} // namespace skyvane
