#include "WorldMagneticModel.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <fstream>
#include <iterator>
#include <numbers>
#include <vector>

namespace geomag {

namespace {

// WGS84 ellipsoid: semi-major axis in km and flattening.
constexpr double kWgs84SemiMajorKm = 6378.137;
constexpr double kWgs84Flattening = 1.0 / 298.257223563;
// Geomagnetic reference radius of the spherical harmonic expansion, in km.
constexpr double kReferenceRadiusKm = 6371.2;
// Latitudes closer to a pole than this (degrees) are moved to it: at the pole itself the
// east component divides by cos(latitude) = 0; the limit along the given meridian remains.
constexpr double kPoleLimitDeg = 90.0 - 1e-7;
// No coefficient file is anywhere near this size; a larger file is not one.
constexpr std::size_t kMaxFileBytes = 1 << 20;
// Plausibility bound for any coefficient (nT or nT/year).
constexpr double kMaxCoefficient = 1e6;

constexpr double kDegToRad = std::numbers::pi / 180.0;

std::vector<std::string_view> SplitFields(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == '\r'))
            ++i;
        const std::size_t start = i;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r')
            ++i;
        if (i > start)
            fields.push_back(line.substr(start, i - start));
    }
    return fields;
}

std::optional<double> ParseDouble(std::string_view field) {
    double value = 0.0;
    const char* end = field.data() + field.size();
    const auto [ptr, ec] = std::from_chars(field.data(), end, value);
    if (ec != std::errc() || ptr != end || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<int> ParseInt(std::string_view field) {
    int value = 0;
    const char* end = field.data() + field.size();
    const auto [ptr, ec] = std::from_chars(field.data(), end, value);
    if (ec != std::errc() || ptr != end)
        return std::nullopt;
    return value;
}

bool IsTerminator(const std::vector<std::string_view>& fields) {
    return fields.size() == 1 && fields[0].find_first_not_of('9') == std::string_view::npos;
}

bool ParseHeader(const std::vector<std::string_view>& fields, MagneticModel& model) {
    if (fields.size() < 2)
        return false;
    const std::optional<double> epoch = ParseDouble(fields[0]);
    if (!epoch || *epoch < 1900.0 || *epoch > 2200.0)
        return false;
    model.epoch = *epoch;
    model.name = std::string(fields[1]);
    return true;
}

// One "n m g h dg dh" line; false when it is malformed, out of range or a repeat.
bool ParseTerm(const std::vector<std::string_view>& fields, MagneticModel& model,
               std::array<std::array<bool, kMaxDegree + 1>, kMaxDegree + 1>& seen) {
    if (fields.size() != 6)
        return false;
    const std::optional<int> n = ParseInt(fields[0]);
    const std::optional<int> m = ParseInt(fields[1]);
    if (!n || !m || *n < 1 || *n > kMaxDegree || *m < 0 || *m > *n || seen[*n][*m])
        return false;
    double values[4];
    for (int i = 0; i < 4; ++i) {
        const std::optional<double> v = ParseDouble(fields[2 + i]);
        if (!v || std::fabs(*v) > kMaxCoefficient)
            return false;
        values[i] = *v;
    }
    seen[*n][*m] = true;
    model.g[*n][*m] = values[0];
    model.h[*n][*m] = values[1];
    model.dg[*n][*m] = values[2];
    model.dh[*n][*m] = values[3];
    return true;
}

bool AllTermsSeen(const std::array<std::array<bool, kMaxDegree + 1>, kMaxDegree + 1>& seen) {
    for (int n = 1; n <= kMaxDegree; ++n)
        for (int m = 0; m <= n; ++m)
            if (!seen[n][m])
                return false;
    return true;
}

struct GeocentricPosition {
    double latitudeRad; // geocentric latitude, North positive
    double radiusKm;    // distance from the Earth's centre
};

GeocentricPosition GeodeticToGeocentric(double latitudeDeg, double heightKm) {
    const double e2 = kWgs84Flattening * (2.0 - kWgs84Flattening);
    const double sinLat = std::sin(latitudeDeg * kDegToRad);
    const double cosLat = std::cos(latitudeDeg * kDegToRad);
    const double primeVerticalKm = kWgs84SemiMajorKm / std::sqrt(1.0 - e2 * sinLat * sinLat);
    const double p = (primeVerticalKm + heightKm) * cosLat;
    const double z = (primeVerticalKm * (1.0 - e2) + heightKm) * sinLat;
    const double r = std::hypot(p, z);
    return {std::asin(z / r), r};
}

using Table = std::array<std::array<double, kMaxDegree + 1>, kMaxDegree + 1>;

// Schmidt semi-normalised associated Legendre functions P[n][m](cos theta) and their
// derivatives with respect to the colatitude theta.
void SchmidtLegendre(double cosTheta, double sinTheta, Table& p, Table& dp) {
    p[0][0] = 1.0;
    dp[0][0] = 0.0;
    for (int n = 1; n <= kMaxDegree; ++n) {
        // Sectoral term from the previous one; the step from m = 0 to m = 1 has no sqrt(1/2).
        const double k = n == 1 ? 1.0 : std::sqrt((2.0 * n - 1.0) / (2.0 * n));
        p[n][n] = k * sinTheta * p[n - 1][n - 1];
        dp[n][n] = k * (sinTheta * dp[n - 1][n - 1] + cosTheta * p[n - 1][n - 1]);
        for (int m = 0; m < n; ++m) {
            const double a = 2.0 * n - 1.0;
            const double b = n >= 2 ? std::sqrt(double((n - 1) * (n - 1) - m * m)) : 0.0;
            const double c = std::sqrt(double(n * n - m * m));
            const double p2 = n >= 2 && m <= n - 2 ? p[n - 2][m] : 0.0;
            const double dp2 = n >= 2 && m <= n - 2 ? dp[n - 2][m] : 0.0;
            p[n][m] = (a * cosTheta * p[n - 1][m] - b * p2) / c;
            dp[n][m] = (a * (cosTheta * dp[n - 1][m] - sinTheta * p[n - 1][m]) - b * dp2) / c;
        }
    }
}

} // namespace

std::optional<MagneticModel> ParseCoefficients(std::string_view text) {
    MagneticModel model;
    std::array<std::array<bool, kMaxDegree + 1>, kMaxDegree + 1> seen{};
    bool haveHeader = false;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string_view::npos)
            end = text.size();
        const std::vector<std::string_view> fields = SplitFields(text.substr(pos, end - pos));
        pos = end + 1;
        if (fields.empty())
            continue;
        if (!haveHeader) {
            if (!ParseHeader(fields, model))
                return std::nullopt;
            haveHeader = true;
        } else if (IsTerminator(fields)) {
            return AllTermsSeen(seen) ? std::optional<MagneticModel>(std::move(model))
                                      : std::nullopt;
        } else if (!ParseTerm(fields, model, seen)) {
            return std::nullopt;
        }
    }
    return std::nullopt; // no closing line: the file was cut short
}

std::optional<MagneticModel> LoadCoefficientFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::string text;
    char buffer[4096];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        text.append(buffer, std::size_t(in.gcount()));
        if (text.size() > kMaxFileBytes)
            return std::nullopt;
    }
    if (in.bad())
        return std::nullopt;
    return ParseCoefficients(text);
}

double DeclinationEast(const MagneticModel& model, double latitudeDeg, double longitudeEastDeg,
                       double heightKm, double year) {
    const double latitude = std::clamp(latitudeDeg, -kPoleLimitDeg, kPoleLimitDeg);
    const GeocentricPosition geo = GeodeticToGeocentric(latitude, heightKm);
    const double lambda = longitudeEastDeg * kDegToRad;
    const double dt = year - model.epoch;

    Table p{};
    Table dp{};
    // Colatitude theta: cos theta = sin(geocentric latitude).
    SchmidtLegendre(std::sin(geo.latitudeRad), std::cos(geo.latitudeRad), p, dp);

    // Field components in the geocentric frame: north, east, down (nT).
    double north = 0.0;
    double east = 0.0;
    double down = 0.0;
    const double ratio = kReferenceRadiusKm / geo.radiusKm;
    double power = ratio * ratio; // becomes (a / r)^(n + 2)
    for (int n = 1; n <= kMaxDegree; ++n) {
        power *= ratio;
        for (int m = 0; m <= n; ++m) {
            const double g = model.g[n][m] + dt * model.dg[n][m];
            const double h = model.h[n][m] + dt * model.dh[n][m];
            const double cosM = std::cos(m * lambda);
            const double sinM = std::sin(m * lambda);
            const double inPhase = g * cosM + h * sinM;
            north += power * inPhase * dp[n][m];
            east += power * m * (g * sinM - h * cosM) * p[n][m];
            down -= (n + 1) * power * inPhase * p[n][m];
        }
    }
    east /= std::cos(geo.latitudeRad);

    // Turn the horizontal north component from the geocentric to the ellipsoidal frame.
    const double tilt = geo.latitudeRad - latitude * kDegToRad;
    const double northEllipsoidal = north * std::cos(tilt) - down * std::sin(tilt);
    return std::atan2(east, northEllipsoidal) / kDegToRad;
}

} // namespace geomag
