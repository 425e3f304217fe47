#include "LookAngles.h"

#include "Constants.h"
#include "NumberText.h"

#include <cmath>
#include <numbers>

namespace skyvane {

namespace {

constexpr long double kPi = std::numbers::pi_v<long double>;
constexpr double kEquatorLatitude = 0.00001;
// Degrees per radian as the skew formula has always used it (not 180 / pi).
constexpr double kSkewDegreesPerRadian = 57.29578;

double EffectiveLatitude(double latitude) {
    return latitude == 0.0 ? kEquatorLatitude : latitude;
}

double RadToDeg(double radians) {
    return double(radians * 180.0L / kPi);
}

} // namespace

double DegToRad(double degrees) {
    return double(degrees * kPi / 180.0L);
}

double CalcElevation(double position, double latitude, double longitude) {
    const double l = EffectiveLatitude(latitude);
    const double g = position - longitude;
    const double c = std::cos(DegToRad(g)) * std::cos(DegToRad(l));
    return RadToDeg(std::atan((c - kEarthToOrbitRatio) / std::sqrt(1.0 - c * c)));
}

double CalcAzimuth(double position, double latitude, double longitude) {
    const double l = EffectiveLatitude(latitude);
    const double g = position - longitude;
    double a = RadToDeg(std::atan(std::tan(DegToRad(g)) / std::sin(DegToRad(l)))) + 180.0;
    if (l < 0.0)
        a += 180.0;
    while (a > 360.0)
        a -= 360.0;
    return a;
}

double CalcSkew(double position, double latitude, double longitude) {
    const double l = EffectiveLatitude(latitude);
    const double g = position - longitude;
    return std::atan(std::sin(g / kSkewDegreesPerRadian) / std::tan(l / kSkewDegreesPerRadian)) *
           kSkewDegreesPerRadian;
}

double RefractionDegrees(double elevation) {
    if (elevation < -1.0)
        return 0.0;
    const double arcMinutes = 1.02 / std::tan(DegToRad(elevation + 10.3 / (elevation + 5.11)));
    return arcMinutes / 60.0;
}

LookAngles GeodeticLookAngles(double position, double latitude, double longitude,
                              double heightMetres) {
    constexpr double kA = 6378.137;                   // WGS84 equatorial radius, km
    constexpr double kF = 1.0 / 298.257223563;        // flattening
    constexpr double kGeostationaryRadius = 42164.17; // km
    const double e2 = kF * (2.0 - kF);
    const double phi = DegToRad(latitude);
    const double lambda = DegToRad(-longitude);
    const double h = heightMetres / 1000.0;
    const double n = kA / std::sqrt(1.0 - e2 * std::sin(phi) * std::sin(phi));
    const double sx = (n + h) * std::cos(phi) * std::cos(lambda);
    const double sy = (n + h) * std::cos(phi) * std::sin(lambda);
    const double sz = (n * (1.0 - e2) + h) * std::sin(phi);
    const double satellite = DegToRad(-position);
    const double dx = kGeostationaryRadius * std::cos(satellite) - sx;
    const double dy = kGeostationaryRadius * std::sin(satellite) - sy;
    const double dz = -sz;
    const double east = -std::sin(lambda) * dx + std::cos(lambda) * dy;
    const double north = -std::sin(phi) * std::cos(lambda) * dx -
                         std::sin(phi) * std::sin(lambda) * dy + std::cos(phi) * dz;
    const double up = std::cos(phi) * std::cos(lambda) * dx +
                      std::cos(phi) * std::sin(lambda) * dy + std::sin(phi) * dz;
    LookAngles look;
    look.azimuth = RadToDeg(std::atan2(east, north));
    if (look.azimuth <= 0.0)
        look.azimuth += 360.0;
    const double trueElevation = RadToDeg(std::atan2(up, std::hypot(east, north)));
    look.elevation = trueElevation + RefractionDegrees(trueElevation);
    return look;
}

bool IsVisible(double elevation) {
    return elevation >= 0.0;
}

QString DegreesWithLetter(double value, int decimals, const QString& letter) {
    return FormatFixed(std::fabs(value), decimals) + QStringLiteral("° ") + letter;
}

QString OrbitalPositionText(double position) {
    return DegreesWithLetter(
        position, 1, ConstantText(position > 0.0 ? Constant::WestShort : Constant::EastShort));
}

} // namespace skyvane
