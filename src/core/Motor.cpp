#include "Motor.h"

#include "Constants.h"
#include "LookAngles.h"

#include <QStringList>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace skyvane {

namespace {

constexpr std::uint8_t kFraming = 0xE0;    // from the master, no reply wanted
constexpr std::uint8_t kPositioner = 0x31; // any polar or azimuth positioner
constexpr std::uint8_t kGotoX = 0x6E;
constexpr std::uint8_t kEastNibble = 0xE;
constexpr std::uint8_t kWestNibble = 0xD;

double ToDegrees(double radians) {
    return radians * 180.0 / std::numbers::pi;
}

// The angle of the whole degrees and the tenth, in sixteenths: a tenth is 1.6 sixteenths.
int Sixteenths(double degrees) {
    const long tenths = std::lround(std::fabs(degrees) * 10.0);
    const long whole = tenths / 10;
    const long fraction = std::lround(double(tenths % 10) * 1.6);
    return int(std::min(whole * 16 + fraction, 0xFFFL));
}

// The modified mount meets the arc at `arcEnd` when its axis, tilted `c` beyond the polar axis,
// makes the angle 90° + (δ − c) with the direction to that satellite (a beam swung about an axis
// keeps its angle to it). Coordinates: x away from the Earth's axis through the site's meridian,
// y East, z along the Earth's axis; Earth radius 1.
double ModifiedMountMismatch(double c, double latitude, double arcEnd, double declination) {
    const double orbit = 1.0 / kEarthToOrbitRatio;
    const double phi = DegToRad(latitude);
    const double dl = DegToRad(arcEnd);
    const double dx = orbit * std::cos(dl) - std::cos(phi);
    const double dy = orbit * std::sin(dl);
    const double dz = -std::sin(phi);
    const double length = std::sqrt(dx * dx + dy * dy + dz * dz);
    return (std::sin(c) * dx + std::cos(c) * dz) / length + std::sin(declination - c);
}

double ModifiedMountCorrection(double latitude, double arcEnd, double declinationDegrees) {
    // On the meridian every tilt meets the arc: there is nothing to correct for.
    if (arcEnd < 1.0)
        return 0.0;
    const double declination = DegToRad(declinationDegrees);
    double low = DegToRad(-10.0);
    double high = DegToRad(10.0);
    const double atLow = ModifiedMountMismatch(low, latitude, arcEnd, declination);
    if (atLow * ModifiedMountMismatch(high, latitude, arcEnd, declination) > 0.0)
        return 0.0;
    for (int step = 0; step < 60; ++step) {
        const double middle = (low + high) / 2.0;
        const double atMiddle = ModifiedMountMismatch(middle, latitude, arcEnd, declination);
        if ((atMiddle > 0.0) == (atLow > 0.0))
            low = middle;
        else
            high = middle;
    }
    return ToDegrees((low + high) / 2.0);
}

// An orbital position past ±180° as the catalogue writes it, within (−180, 180].
double WrapPosition(double position) {
    if (position > 180.0)
        return position - 360.0;
    if (position <= -180.0)
        return position + 360.0;
    return position;
}

} // namespace

double UsalsMotorAngle(double position, double latitude, double longitude) {
    const double dl = DegToRad(position - longitude);
    const double phi = DegToRad(latitude);
    return ToDegrees(std::atan2(std::sin(dl), std::cos(dl) - kEarthToOrbitRatio * std::cos(phi)));
}

double MotorAngleOf(const TSatelliteData& record) {
    return UsalsMotorAngle(record.Position, record.SiteLatitude, record.SiteLongitude);
}

QString MotorAngleText(double motorAngle) {
    return DegreesWithLetter(
        motorAngle, 2, ConstantText(motorAngle > 0.0 ? Constant::WestShort : Constant::EastShort));
}

std::array<std::uint8_t, 5> GotoXBytes(double motorAngle, bool southernHemisphere) {
    const bool towardsEast = (motorAngle <= 0.0) != southernHemisphere;
    const int angle = Sixteenths(motorAngle);
    const std::uint8_t direction = towardsEast ? kEastNibble : kWestNibble;
    return {kFraming, kPositioner, kGotoX, std::uint8_t((direction << 4) | (angle >> 8)),
            std::uint8_t(angle & 0xFF)};
}

QString GotoXText(const std::array<std::uint8_t, 5>& bytes) {
    QStringList parts;
    for (const std::uint8_t byte : bytes)
        parts << QStringLiteral("%1").arg(byte, 2, 16, QLatin1Char('0')).toUpper();
    return parts.join(QLatin1Char(' '));
}

std::optional<double> VisibleArcHalfWidth(double latitude, double minElevation) {
    const double e = DegToRad(minElevation);
    // The angle at the Earth's centre between the site and a satellite seen at elevation e.
    const double central = std::acos(kEarthToOrbitRatio * std::cos(e)) - e;
    const double cosine = std::cos(central) / std::cos(DegToRad(latitude));
    if (!(cosine <= 1.0))
        return std::nullopt;
    return ToDegrees(std::acos(cosine));
}

std::optional<ReachableArc> ComputeReachableArc(double latitude, double longitude,
                                                double minElevation) {
    const auto half = VisibleArcHalfWidth(latitude, minElevation);
    if (!half)
        return std::nullopt;
    ReachableArc arc;
    arc.westmost = WrapPosition(longitude + *half);
    arc.eastmost = WrapPosition(longitude - *half);
    arc.westMotorAngle = UsalsMotorAngle(arc.westmost, latitude, longitude);
    arc.eastMotorAngle = UsalsMotorAngle(arc.eastmost, latitude, longitude);
    return arc;
}

double SwingSeconds(double fromMotorAngle, double toMotorAngle, double degreesPerSecond) {
    return std::fabs(toMotorAngle - fromMotorAngle) / degreesPerSecond;
}

double DeclinationOffset(double latitude) {
    const double phi = DegToRad(std::fabs(latitude));
    return ToDegrees(
        std::atan(kEarthToOrbitRatio * std::sin(phi) / (1.0 - kEarthToOrbitRatio * std::cos(phi))));
}

PolarMountSetup ComputePolarMountSetup(double latitude, double offsetAngle, double arcEnd) {
    const double phi = std::fabs(latitude);
    PolarMountSetup setup;
    setup.motorElevation = 90.0 - phi;
    setup.declinationOffset = DeclinationOffset(phi);
    setup.meridianElevation = setup.motorElevation - setup.declinationOffset;
    setup.dishScaleElevation = setup.meridianElevation - offsetAngle;
    setup.modifiedCorrection =
        ModifiedMountCorrection(phi, std::fabs(arcEnd), setup.declinationOffset);
    setup.modifiedDeclination = setup.declinationOffset - setup.modifiedCorrection;
    return setup;
}

} // namespace skyvane
