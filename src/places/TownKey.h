#pragma once

// Header only, free of Qt: the database builder and the program share it, so a town's stored
// key and a site's lookup key are written by the very same routine.

#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <system_error>

namespace skyvane {

// A coordinate in degrees (any sign convention) as the reverse town lookup compares it: fixed
// notation with two decimals and "." as decimal point, whatever the process locale is, rounded
// from the exact binary value with exact ties (x.125, x.375, x.625, x.875) away from zero, as
// the number formatting that writes a town's coordinates into the site fields rounds them, so a
// town applied from the list is found again. A value that rounds to zero is written "0.00",
// never "-0.00", so a site at 0 matches a town at -0.001.
inline std::string TwoDecimalKey(double degrees) {
    // Only odd multiples of 1/8 lie exactly halfway between two hundredths.
    const double eighths = degrees * 8.0;
    if (std::isfinite(eighths) && eighths == std::trunc(eighths) && std::fmod(eighths, 2.0) != 0.0)
        degrees = std::nextafter(degrees,
                                 std::copysign(std::numeric_limits<double>::infinity(), degrees));
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, degrees, std::chars_format::fixed, 2);
    if (result.ec != std::errc())
        return {};
    std::string text(buffer, result.ptr);
    if (text == "-0.00")
        text = "0.00";
    return text;
}

} // namespace skyvane
