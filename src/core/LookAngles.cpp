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
