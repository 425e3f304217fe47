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

SiteTrig::SiteTrig(double latitude, double longitude)
    : latitude(EffectiveLatitude(latitude))
    , longitude(longitude)
    , cosLatitude(std::cos(DegToRad(this->latitude)))
    , sinLatitude(std::sin(DegToRad(this->latitude)))
    , tanSkewLatitude(std::tan(this->latitude / kSkewDegreesPerRadian)) {}

double CalcElevation(double position, const SiteTrig& site) {
    const double g = position - site.longitude;
    const double c = std::cos(DegToRad(g)) * site.cosLatitude;
    return RadToDeg(std::atan((c - kEarthToOrbitRatio) / std::sqrt(1.0 - c * c)));
}

double CalcElevation(double position, double latitude, double longitude) {
    return CalcElevation(position, SiteTrig(latitude, longitude));
}

double CalcAzimuth(double position, const SiteTrig& site) {
    const double g = position - site.longitude;
    double a = RadToDeg(std::atan(std::tan(DegToRad(g)) / site.sinLatitude)) + 180.0;
    if (site.latitude < 0.0)
        a += 180.0;
    while (a > 360.0)
        a -= 360.0;
    return a;
}

double CalcAzimuth(double position, double latitude, double longitude) {
    return CalcAzimuth(position, SiteTrig(latitude, longitude));
}

double CalcSkew(double position, const SiteTrig& site) {
    const double g = position - site.longitude;
    return std::atan(std::sin(g / kSkewDegreesPerRadian) / site.tanSkewLatitude) *
           kSkewDegreesPerRadian;
}

double CalcSkew(double position, double latitude, double longitude) {
    return CalcSkew(position, SiteTrig(latitude, longitude));
}

double RefractionDegrees(double elevation) {
    if (elevation < -1.0)
        return 0.0;
    const double arcMinutes = 1.02 / std::tan(DegToRad(elevation + 10.3 / (elevation + 5.11)));
    return arcMinutes / 60.0;
}

namespace {

constexpr double kA = 6378.137;                   // WGS84 equatorial radius, km
constexpr double kF = 1.0 / 298.257223563;        // flattening
constexpr double kGeostationaryRadius = 42164.17; // km

} // namespace

GeodeticSite::GeodeticSite(double latitude, double longitude, double heightMetres) {
    const double e2 = kF * (2.0 - kF);
    const double phi = DegToRad(latitude);
    const double lambda = DegToRad(-longitude);
    sinPhi = std::sin(phi);
    cosPhi = std::cos(phi);
    sinLambda = std::sin(lambda);
    cosLambda = std::cos(lambda);
    const double h = heightMetres / 1000.0;
    const double n = kA / std::sqrt(1.0 - e2 * sinPhi * sinPhi);
    sx = (n + h) * cosPhi * cosLambda;
    sy = (n + h) * cosPhi * sinLambda;
    sz = (n * (1.0 - e2) + h) * sinPhi;
}

LookAngles GeodeticLookAngles(double position, const GeodeticSite& site) {
    const double satellite = DegToRad(-position);
    const double dx = kGeostationaryRadius * std::cos(satellite) - site.sx;
    const double dy = kGeostationaryRadius * std::sin(satellite) - site.sy;
    const double dz = -site.sz;
    const double east = -site.sinLambda * dx + site.cosLambda * dy;
    const double north =
        -site.sinPhi * site.cosLambda * dx - site.sinPhi * site.sinLambda * dy + site.cosPhi * dz;
    const double up =
        site.cosPhi * site.cosLambda * dx + site.cosPhi * site.sinLambda * dy + site.sinPhi * dz;
    LookAngles look;
    look.azimuth = RadToDeg(std::atan2(east, north));
    if (look.azimuth <= 0.0)
        look.azimuth += 360.0;
    const double trueElevation = RadToDeg(std::atan2(up, std::hypot(east, north)));
    look.elevation = trueElevation + RefractionDegrees(trueElevation);
    return look;
}

LookAngles GeodeticLookAngles(double position, double latitude, double longitude,
                              double heightMetres) {
    return GeodeticLookAngles(position, GeodeticSite(latitude, longitude, heightMetres));
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
