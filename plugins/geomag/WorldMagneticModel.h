#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace geomag {

inline constexpr int kMaxDegree = 12;

// Gauss coefficients of one model, indexed [n][m] with 0 <= m <= n <= kMaxDegree.
// Main field in nT at the epoch, secular variation in nT per year.
struct MagneticModel {
    double epoch = 0.0; // decimal year
    std::string name;
    std::array<std::array<double, kMaxDegree + 1>, kMaxDegree + 1> g{};
    std::array<std::array<double, kMaxDegree + 1>, kMaxDegree + 1> h{};
    std::array<std::array<double, kMaxDegree + 1>, kMaxDegree + 1> dg{};
    std::array<std::array<double, kMaxDegree + 1>, kMaxDegree + 1> dh{};
};

// Parses a coefficient file in NOAA's text format: a header line "epoch name [date]", one
// line "n m g h dg dh" for every 1 <= n <= 12, 0 <= m <= n, then a line of 9s. Anything else
// (missing or repeated terms, extra fields, non-numbers, no closing line) gives nullopt, so a
// truncated or damaged file is never half used.
std::optional<MagneticModel> ParseCoefficients(std::string_view text);

// Reads and parses a coefficient file; nullopt when it cannot be read or parsed.
std::optional<MagneticModel> LoadCoefficientFile(const std::string& path);

// Declination in degrees, East positive (the geophysical convention), at a geodetic position
// (latitude in degrees North positive, longitude in degrees East positive, height in km above
// the WGS84 ellipsoid) for a decimal year. The caller checks ranges; see magdec().
double DeclinationEast(const MagneticModel& model, double latitudeDeg, double longitudeEastDeg,
                       double heightKm, double year);

} // namespace geomag
