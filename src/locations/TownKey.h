#pragma once

// Header only, free of Qt: the database builder and the program share it, so a town's stored
// key and a site's lookup key are written by the very same routine.

#include <charconv>
#include <string>
#include <system_error>

namespace skyvane {

// A coordinate in degrees (any sign convention) as the reverse town lookup compares it: fixed
// notation with two decimals and "." as decimal point, rounded from the exact binary value like
// printf's "%.2f" in the C locale, whatever the process locale is. A value that rounds to zero
// is written "0.00", never "-0.00", so a site at 0 matches a town at -0.001.
inline std::string TwoDecimalKey(double degrees) {
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
