#pragma once

#include "SatelliteData.h"

#include <QString>

#include <array>
#include <cstdint>
#include <optional>

namespace skyvane {

// A motor that turns the dish about a polar axis (USALS, DiSEqC 1.2). All angles in degrees.
// position: orbital position, West positive; latitude: North positive; longitude: West
// positive, as for the look angles. Motor angles are West positive too: the rotation from the
// meridian towards the satellite's side of the sky.

// The motor angle that points a true polar mount at the satellite:
// atan(sin Δλ / (cos Δλ − k·cos φ)), k the Earth-to-orbit ratio of the look angles.
double UsalsMotorAngle(double position, double latitude, double longitude);

// The motor angle of a calculated satellite, for the site it was calculated for.
double MotorAngleOf(const TSatelliteData& record);

// "27.44° E": the size of a motor angle and its side.
QString MotorAngleText(double motorAngle);

// The DiSEqC 1.2 "Goto X" command for a motor angle: E0 31 6E, then the angle in sixteenths of a
// degree after its rounding to a tenth, the high nibble of the first byte giving the direction
// the motor turns (E East, D West). A motor in the southern hemisphere faces north, so the
// direction it calls East turns the dish to the west there.
std::array<std::uint8_t, 5> GotoXBytes(double motorAngle, bool southernHemisphere);
// The bytes as a receiver's log writes them: "E0 31 6E E1 B6".
QString GotoXText(const std::array<std::uint8_t, 5>& bytes);

// The orbital positions a fixed site can see at or above a minimum elevation, and the motor
// angles at those ends. None at a latitude whose sky holds no part of the arc that high.
struct ReachableArc {
    double westmost = 0.0; // orbital position, West positive
    double eastmost = 0.0;
    double westMotorAngle = 0.0;
    double eastMotorAngle = 0.0;
};
// The half width, in longitude from the site, of the arc seen at `minElevation`: for 0° it is
// acos(k / cos φ). None when the arc is nowhere that high.
std::optional<double> VisibleArcHalfWidth(double latitude, double minElevation);
std::optional<ReachableArc> ComputeReachableArc(double latitude, double longitude,
                                                double minElevation);

// Seconds the motor needs between two motor angles at `degreesPerSecond`.
double SwingSeconds(double fromMotorAngle, double toMotorAngle, double degreesPerSecond);

// Typical motor speeds with 13 V and 18 V on the cable, degrees a second.
inline constexpr double kMotorSpeed13V = 1.7;
inline constexpr double kMotorSpeed18V = 2.3;

// How a polar mount is set up at a site. A true polar mount points the satellite on the meridian
// exactly and drifts off the arc slightly towards its ends; the modified polar mount tilts the
// axis a little more and the dish a little less, so that it also meets the arc at its ends.
struct PolarMountSetup {
    double motorElevation = 0.0;      // the motor's elevation scale: 90° − |latitude|
    double declinationOffset = 0.0;   // the dish's tilt below the equatorial plane
    double meridianElevation = 0.0;   // the beam's elevation at the meridian
    double dishScaleElevation = 0.0;  // what the dish's own scale reads then: less its offset
    double modifiedCorrection = 0.0;  // extra axis tilt of the modified polar mount
    double modifiedDeclination = 0.0; // its declination offset: the true one less the correction
};
// offsetAngle: the dish's offset angle (0 for a prime focus dish). arcEnd: the distance in
// longitude from the site where the modified mount meets the arc (the reachable arc's end).
PolarMountSetup ComputePolarMountSetup(double latitude, double offsetAngle, double arcEnd);

// The declination offset alone: atan(k·sin φ / (1 − k·cos φ)).
double DeclinationOffset(double latitude);

} // namespace skyvane
