#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace skyvane {

// Raised when typed text is not a number; what() is meant to be shown to the user as it is.
class ConversionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Converts typed text with the default QLocale after replacing every "." by the locale's
// decimal separator, so both "." and the locale's own separator are accepted. Digit grouping
// is rejected. On failure returns 0.0 when zeroOnError is true, else throws ConversionError.
double StrToFloatDot(const QString& text, bool zeroOnError);

// Plain decimal text ("-19.2", "47", ".5"; an optional "-", digits and at most one ".") read
// without any locale, the same double as every locale-aware reading gives it; nothing for any
// other text (blanks, "+", exponents, separators), which the caller reads its own way.
std::optional<double> PlainDecimal(QStringView text);
std::optional<double> PlainDecimal(std::string_view text);

// x rounded to hundredths: nearest integer of x / 0.01, ties to even, times 0.01.
double RoundToHundredths(double x);

// Fixed notation with exactly `decimals` decimals, the default locale's decimal separator and
// no grouping. A result of zero is written without a sign.
QString FormatFixed(double x, int decimals);

// An angle as the list shows it: rounded to hundredths, then fixed with two decimals.
QString FormatAngle(double degrees);

// General notation: the shortest form of at most 15 significant digits, no trailing zeros and
// no trailing separator, with the default locale's decimal separator (-19.2, -13, 0.1), whatever
// the C library's locale; zero is "0", never "-0".
QString FormatGeneral(double x);

// The shortest text that reads back as the same double, with a point whatever the locale
// ("47.6875", "-0.1", "1e-07"): for files exchanged between users.
QByteArray ShortestPointText(double x);

// QString::number(x, 'g', digits) (1 to 15 significant digits) and QString::number(x, 'f',
// decimals), appended to `out` as bytes: for files written by the thousand lines.
void AppendGeneralNumber(std::string& out, double x, int digits);
void AppendFixedNumber(std::string& out, double x, int decimals);

// The longest text of QString::number(x, 'g', digits) for 1 to 15 digits
// ("-1.23456789012345e-308").
inline constexpr int kGeneralNumberTextSize = 24;

// AppendGeneralNumber's text written to `out`, which holds kGeneralNumberTextSize characters;
// returns the end of the text.
char* WriteGeneralNumber(char* out, double x, int digits);

} // namespace skyvane
