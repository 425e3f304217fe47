#include "OrbitTrack.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace skyvane {

namespace {

// The constants SGP4's element lists are fitted with (WGS72).
constexpr double kEarthRadiusKm = 6378.135;
constexpr double kMuKm3PerS2 = 398600.8;
constexpr double kJ2 = 0.001082616;
constexpr double kSiderealDayMinutes = 1436.0682;
constexpr double kTwoPi = 2.0 * std::numbers::pi;

double Radians(double degrees) {
    return degrees * std::numbers::pi / 180.0;
}

double Degrees(double radians) {
    return radians * 180.0 / std::numbers::pi;
}

struct Vector {
    double x, y, z;
};

// The mean elements' orbit in Earth radii and radians a minute, the mean motion freed of the J2
// part the element lists fold into it (the "un-Kozai" step of SGP4).
struct MeanOrbit {
    double a = 0.0;                                  // semi-major axis, Earth radii
    double n = 0.0;                                  // mean motion, radians a minute
    double e = 0.0, i = 0.0;                         // eccentricity, inclination (radians)
    double node = 0.0, perigee = 0.0, anomaly = 0.0; // radians at the epoch
    double nodeRate = 0.0, perigeeRate = 0.0, anomalyRate = 0.0; // radians a minute
};

MeanOrbit MeanOrbitOf(const MeanElements& elements) {
    MeanOrbit orbit;
    orbit.e = elements.eccentricity;
    orbit.i = Radians(elements.inclination);
    orbit.node = Radians(elements.ascendingNode);
    orbit.perigee = Radians(elements.argumentOfPerigee);
    orbit.anomaly = Radians(elements.meanAnomaly);
    // Earth radii to the 3/2 a minute: sqrt(mu / Re^3) in per-minute units.
    const double ke =
        60.0 / std::sqrt(kEarthRadiusKm * kEarthRadiusKm * kEarthRadiusKm / kMuKm3PerS2);
    const double kozai = elements.meanMotion * kTwoPi / 1440.0;
    const double k2 = 0.5 * kJ2;
    const double cosI = std::cos(orbit.i);
    const double beta = std::sqrt(1.0 - orbit.e * orbit.e);
    const double shape = 1.5 * k2 * (3.0 * cosI * cosI - 1.0) / (beta * beta * beta);
    const double a1 = std::pow(ke / kozai, 2.0 / 3.0);
    const double d1 = shape / (a1 * a1);
    const double a0 = a1 * (1.0 - d1 / 3.0 - d1 * d1 - 134.0 / 81.0 * d1 * d1 * d1);
    const double d0 = shape / (a0 * a0);
    orbit.n = kozai / (1.0 + d0);
    orbit.a = a0 / (1.0 - d0);
    const double p = orbit.a * beta * beta;
    const double j2Term = 1.5 * kJ2 / (p * p) * orbit.n;
    orbit.nodeRate = -j2Term * cosI;
    orbit.perigeeRate = 0.5 * j2Term * (5.0 * cosI * cosI - 1.0);
    orbit.anomalyRate = orbit.n + 0.5 * j2Term * beta * (3.0 * cosI * cosI - 1.0);
    return orbit;
}

double EccentricAnomaly(double meanAnomaly, double e) {
    double anomaly = meanAnomaly;
    for (int step = 0; step < 10; ++step) {
        const double change =
            (anomaly - e * std::sin(anomaly) - meanAnomaly) / (1.0 - e * std::cos(anomaly));
        anomaly -= change;
        if (std::fabs(change) < 1e-12)
            break;
    }
    return anomaly;
}

// Inertial position (Earth radii) `minutes` after the epoch.
Vector PositionAt(const MeanOrbit& orbit, double minutes) {
    const double node = orbit.node + orbit.nodeRate * minutes;
    const double perigee = orbit.perigee + orbit.perigeeRate * minutes;
    const double mean = std::fmod(orbit.anomaly + orbit.anomalyRate * minutes, kTwoPi);
    const double eccentric = EccentricAnomaly(mean, orbit.e);
    const double xOrbit = orbit.a * (std::cos(eccentric) - orbit.e);
    const double yOrbit = orbit.a * std::sqrt(1.0 - orbit.e * orbit.e) * std::sin(eccentric);
    const double cw = std::cos(perigee), sw = std::sin(perigee);
    const double cn = std::cos(node), sn = std::sin(node);
    const double ci = std::cos(orbit.i), si = std::sin(orbit.i);
    const double xPlane = xOrbit * cw - yOrbit * sw;
    const double yPlane = xOrbit * sw + yOrbit * cw;
    return {xPlane * cn - yPlane * ci * sn, xPlane * sn + yPlane * ci * cn, yPlane * si};
}

LookPoint LookAt(const Vector& inertial, double siderealRadians, double latitude,
                 double longitude) {
    const double cg = std::cos(siderealRadians), sg = std::sin(siderealRadians);
    const Vector fixed{inertial.x * cg + inertial.y * sg, -inertial.x * sg + inertial.y * cg,
                       inertial.z};
    const double phi = Radians(latitude);
    const double lambda = Radians(-longitude);
    const double cp = std::cos(phi), sp = std::sin(phi), cl = std::cos(lambda),
                 sl = std::sin(lambda);
    const Vector d{fixed.x - cp * cl, fixed.y - cp * sl, fixed.z - sp};
    const double east = -sl * d.x + cl * d.y;
    const double north = -sp * cl * d.x - sp * sl * d.y + cp * d.z;
    const double up = cp * cl * d.x + cp * sl * d.y + sp * d.z;
    double azimuth = Degrees(std::atan2(east, north));
    if (azimuth < 0.0)
        azimuth += 360.0;
    return {0.0, azimuth, Degrees(std::atan2(up, std::hypot(east, north)))};
}

double Wrap360(double degrees) {
    const double value = std::fmod(degrees, 360.0);
    return value < 0.0 ? value + 360.0 : value;
}

} // namespace

std::vector<LookPoint> DailyTrack(const MeanElements& elements, double latitude, double longitude,
                                  const QDateTime& start, int steps) {
    std::vector<LookPoint> track;
    if (steps < 1 || !elements.epoch.isValid() || !start.isValid() || !(elements.meanMotion > 0.0))
        return track;
    const MeanOrbit orbit = MeanOrbitOf(elements);
    const double startMinutes = double(elements.epoch.msecsTo(start)) / 60000.0;
    const double startSidereal = GreenwichSiderealDegrees(start);
    // The Earth turns once a sidereal day: 360° in the track's span.
    track.reserve(size_t(steps) + 1);
    for (int step = 0; step <= steps; ++step) {
        const double minutes = kSiderealDayMinutes * step / steps;
        const double sidereal = Radians(startSidereal + 360.0 * step / steps);
        LookPoint point =
            LookAt(PositionAt(orbit, startMinutes + minutes), sidereal, latitude, longitude);
        point.minutes = minutes;
        track.push_back(point);
    }
    return track;
}

double DailyBox::azimuthSpan() const {
    return Wrap360(azimuthHigh - azimuthLow);
}

DailyBox BoxOf(const std::vector<LookPoint>& track) {
    DailyBox box;
    if (track.empty())
        return box;
    const double first = track.front().azimuth;
    double low = 0.0, high = 0.0;
    box.elevationLow = box.elevationHigh = track.front().elevation;
    for (const LookPoint& point : track) {
        // The azimuth as a turn from the first point's, within half a circle.
        double turn = std::remainder(point.azimuth - first, 360.0);
        low = std::min(low, turn);
        high = std::max(high, turn);
        box.elevationLow = std::min(box.elevationLow, point.elevation);
        box.elevationHigh = std::max(box.elevationHigh, point.elevation);
    }
    box.azimuthLow = Wrap360(first + low);
    box.azimuthHigh = Wrap360(first + high);
    return box;
}

} // namespace skyvane
