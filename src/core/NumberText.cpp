#include "NumberText.h"

#include <QLocale>

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <optional>
#include <string_view>

namespace skyvane {

namespace {

// The powers of ten a double holds exactly.
constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                   1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                   1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

std::optional<double> FromChars(const char* text, std::size_t size) {
    double value = 0.0;
    const auto [end, error] = std::from_chars(text, text + size, value);
    if (error != std::errc() || end != text + size || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// Plain decimal text: an optional "-", digits and at most one "."; at least one digit. Up to 15
// digits it is the quotient of two exactly held doubles, the digits and a power of ten, and one
// division rounds it as from_chars would; longer text goes to from_chars itself. Nothing for any
// other text. One pass, as the imports read millions of fields.
template <typename Char>
std::optional<double> ReadPlainDecimal(const Char* text, std::size_t size) {
    const std::size_t first = size > 0 && text[0] == Char('-') ? 1 : 0;
    std::uint64_t digits = 0;
    std::size_t point = size; // none
    for (std::size_t i = first; i < size; ++i) {
        const auto digit = unsigned(text[i]) - unsigned('0');
        if (digit < 10)
            digits = digits * 10 + digit;
        else if (text[i] == Char('.') && point == size)
            point = i;
        else
            return std::nullopt;
    }
    const int count = int(size - first) - (point == size ? 0 : 1);
    const int decimals = point == size ? 0 : int(size - point - 1);
    const bool negative = first == 1;
    if (count == 0)
        return std::nullopt;
    if (count <= 15) {
        const double value = double(digits) / kPowersOfTen[decimals];
        return negative ? -value : value;
    }
    if constexpr (sizeof(Char) == 1) {
        return FromChars(reinterpret_cast<const char*>(text), size);
    } else {
        constexpr std::size_t kLongest = 64;
        if (size > kLongest)
            return std::nullopt;
        char buffer[kLongest];
        std::copy_n(text, size, buffer); // the characters checked above are all ASCII
        return FromChars(buffer, size);
    }
}

} // namespace

std::optional<double> PlainDecimal(QStringView text) {
    return ReadPlainDecimal(text.utf16(), std::size_t(text.size()));
}

std::optional<double> PlainDecimal(std::string_view text) {
    return ReadPlainDecimal(reinterpret_cast<const unsigned char*>(text.data()), text.size());
}

namespace {

// The default locale with the number options a conversion needs. Building one allocates, and a
// repaint of the list asks for hundreds of texts, so each thread keeps its copy until the
// default locale changes.
class LocaleWithOptions {
public:
    explicit LocaleWithOptions(QLocale::NumberOptions options)
        : m_options(options) {
        m_adjusted.setNumberOptions(options);
    }

    const QLocale& get() {
        const QLocale current;
        if (current != m_default) {
            m_default = current;
            m_adjusted = current;
            m_adjusted.setNumberOptions(m_options);
        }
        return m_adjusted;
    }

private:
    QLocale::NumberOptions m_options;
    QLocale m_default;
    QLocale m_adjusted = m_default;
};

const QLocale& ReadingLocale() {
    thread_local LocaleWithOptions locale(QLocale::RejectGroupSeparator);
    return locale.get();
}

const QLocale& WritingLocale() {
    thread_local LocaleWithOptions locale(QLocale::OmitGroupSeparator);
    return locale.get();
}

} // namespace

double StrToFloatDot(const QString& text, bool zeroOnError) {
    if (const std::optional<double> plain = PlainDecimal(text))
        return *plain;
    const QLocale& locale = ReadingLocale();
    QString localised = text;
    localised.replace(QLatin1Char('.'), locale.decimalPoint());
    bool ok = false;
    const double value = locale.toDouble(localised.trimmed(), &ok);
    if (ok && std::isfinite(value))
        return value;
    if (zeroOnError)
        return 0.0;
    throw ConversionError(
        QStringLiteral("'%1' is not a valid floating point value.").arg(text).toStdString());
}

double RoundToHundredths(double x) {
    return std::nearbyint(x / 0.01) * 0.01;
}

QString FormatFixed(double x, int decimals) {
    const QLocale& locale = WritingLocale();
    QString text = locale.toString(x, 'f', decimals);
    // A value that rounds to zero at this precision has no sign ("0.00", never "-0.00").
    if (text.startsWith(locale.negativeSign()) && std::fabs(x) * std::pow(10.0, decimals) < 0.5)
        text.remove(0, locale.negativeSign().size());
    return text;
}

QString FormatAngle(double degrees) {
    return FormatFixed(RoundToHundredths(degrees), 2);
}

QString FormatGeneral(double x) {
    // Qt's own conversion ignores the C library's locale, which the application object sets
    // from the environment; the default QLocale alone decides the separator.
    if (x == 0.0)
        x = 0.0; // no "-0"
    QString text = QString::fromLatin1(QByteArray::number(x, 'g', 15));
    const QLocale& locale = WritingLocale();
    text.replace(QLatin1Char('.'), locale.decimalPoint());
    text.replace(QLatin1Char('-'), locale.negativeSign());
    return text;
}

QByteArray ShortestPointText(double x) {
    return QString::number(x, 'g', QLocale::FloatingPointShortest).toLatin1();
}

namespace {

// |x| times ten to the `scale` (each power up to 22 is held exactly, so this is one rounding).
// Not a number for a scale beyond the exact powers.
double Scaled(double magnitude, int scale) {
    if (scale > 22 || scale < -22)
        return std::numeric_limits<double>::quiet_NaN();
    return scale >= 0 ? magnitude * kPowersOfTen[scale] : magnitude / kPowersOfTen[-scale];
}

// The integer nearest to `scaled`, halves away from zero as Qt rounds; nothing where `scaled` lies
// so near a half that its own rounding could have moved it across (callers keep `scaled` below
// 2^40, where that rounding is under 2^-13).
std::optional<std::uint64_t> NearestInteger(double scaled) {
    const double whole = double(std::uint64_t(scaled)); // floor, as `scaled` is positive
    const double fraction = scaled - whole;
    if (std::fabs(fraction - 0.5) < 1e-3)
        return std::nullopt;
    return std::uint64_t(whole) + (fraction > 0.5 ? 1 : 0);
}

// Writes `value` with exactly `width` digits, leading zeros included.
void WriteDigits(char* out, std::uint64_t value, int width) {
    for (int i = width - 1; i >= 0; --i, value /= 10)
        out[i] = char('0' + value % 10);
}

std::uint64_t PowerOfTen(int n) {
    return std::uint64_t(kPowersOfTen[n]);
}

// The decimal digits of 0 to 99 in pairs.
constexpr std::array<char, 200> kDigitPairs = [] {
    std::array<char, 200> pairs{};
    for (int i = 0; i < 100; ++i) {
        pairs[std::size_t(2 * i)] = char('0' + i / 10);
        pairs[std::size_t(2 * i + 1)] = char('0' + i % 10);
    }
    return pairs;
}();

// Writes the `count` digits of `value` (10^(count-1) <= value < 10^count), two at a time.
void WriteLeadingDigits(char* out, std::uint64_t value, int count) {
    char* p = out + count;
    for (; value >= 100; value /= 100) {
        p -= 2;
        std::copy_n(&kDigitPairs[2 * (value % 100)], 2, p);
    }
    if (value >= 10)
        std::copy_n(&kDigitPairs[2 * value], 2, p - 2);
    else
        p[-1] = char('0' + value);
}

// Drops the trailing zeros of `value`, `count` digits long, and counts them off, halving the
// steps: most numbers written have many.
void StripTrailingZeros(std::uint64_t& value, int& count) {
    for (const int step : {8, 4, 2, 1}) {
        const std::uint64_t power = PowerOfTen(step);
        if (count > step && value % power == 0) {
            value /= power;
            count -= step;
        }
    }
}

// floor(log10(magnitude)) or one less, from the binary exponent: log10 was a fifth of writing a
// number. 78913 / 2^18 is log10(2) to six digits, close enough over the range written here.
int DecimalExponentEstimate(double magnitude) {
    const int binaryExponent = int((std::bit_cast<std::uint64_t>(magnitude) >> 52) & 0x7ff) - 1023;
    return (binaryExponent * 78913) >> 18;
}

// The significant digits of a number, the first standing for ten to the exponent.
struct SignificantDigits {
    char digits[16];
    int count = 0;
    int exponent = 0; // of the first digit
};

// |x| rounded to `digits` significant digits (at most 12) as Qt rounds them, trailing zeros
// dropped; nothing where that is not certain or x is no normal number of moderate size.
std::optional<SignificantDigits> RoundToSignificant(double x, int digits) {
    const double magnitude = std::fabs(x);
    if (!(digits >= 1 && digits <= 12) || !std::isnormal(x) || !(magnitude >= 1e-11) ||
        !(magnitude < 1e15))
        return std::nullopt;
    int exponent = DecimalExponentEstimate(magnitude);
    // The estimate may be one off; the scaled value tells.
    double scaled = Scaled(magnitude, digits - 1 - exponent);
    if (scaled < kPowersOfTen[digits - 1])
        scaled = Scaled(magnitude, digits - 1 - --exponent);
    else if (scaled >= kPowersOfTen[digits])
        scaled = Scaled(magnitude, digits - 1 - ++exponent);
    if (!(scaled >= kPowersOfTen[digits - 1] && scaled <= kPowersOfTen[digits]))
        return std::nullopt;
    const std::optional<std::uint64_t> rounded = NearestInteger(scaled);
    if (!rounded)
        return std::nullopt;
    std::uint64_t value = *rounded;
    if (value == PowerOfTen(digits)) {
        value = PowerOfTen(digits - 1);
        ++exponent;
    }
    SignificantDigits d;
    d.count = digits;
    StripTrailingZeros(value, d.count);
    WriteLeadingDigits(d.digits, value, d.count);
    d.exponent = exponent;
    return d;
}

// Qt's %g: exponent form below 1e-4 and from ten to the `digits` on, with at least two exponent
// digits.
int FormatSignificant(char* out, bool negative, const SignificantDigits& d, int digits) {
    char* p = out;
    if (negative)
        *p++ = '-';
    if (d.exponent < -4 || d.exponent >= digits) {
        *p++ = d.digits[0];
        if (d.count > 1) {
            *p++ = '.';
            p = std::copy_n(d.digits + 1, d.count - 1, p);
        }
        *p++ = 'e';
        *p++ = d.exponent < 0 ? '-' : '+';
        const int magnitude = std::abs(d.exponent);
        const int width = magnitude >= 100 ? 3 : 2;
        WriteDigits(p, std::uint64_t(magnitude), width);
        p += width;
    } else if (d.exponent < 0) {
        *p++ = '0';
        *p++ = '.';
        p = std::fill_n(p, -d.exponent - 1, '0');
        p = std::copy_n(d.digits, d.count, p);
    } else {
        for (int i = 0; i <= d.exponent; ++i)
            *p++ = i < d.count ? d.digits[i] : '0';
        if (d.count > d.exponent + 1) {
            *p++ = '.';
            p = std::copy_n(d.digits + d.exponent + 1, d.count - d.exponent - 1, p);
        }
    }
    return int(p - out);
}

} // namespace

char* WriteGeneralNumber(char* out, double x, int digits) {
    if (x == 0.0) {
        *out = '0'; // never "-0"
        return out + 1;
    }
    const std::optional<SignificantDigits> d = RoundToSignificant(x, digits);
    if (!d) {
        const QByteArray text = QString::number(x, 'g', std::clamp(digits, 1, 15)).toLatin1();
        return std::copy_n(text.constData(),
                           std::min(text.size(), qsizetype(kGeneralNumberTextSize)), out);
    }
    return out + FormatSignificant(out, x < 0.0, *d, digits);
}

void AppendGeneralNumber(std::string& out, double x, int digits) {
    char text[kGeneralNumberTextSize];
    out.append(text, std::size_t(WriteGeneralNumber(text, x, digits) - text));
}

void AppendFixedNumber(std::string& out, double x, int decimals) {
    const double magnitude = std::fabs(x);
    std::optional<std::uint64_t> rounded;
    if (x == 0.0)
        rounded = 0;
    else if (decimals >= 0 && decimals <= 6 && magnitude < 1e5)
        rounded = NearestInteger(Scaled(magnitude, decimals));
    if (!rounded) {
        out += QString::number(x, 'f', decimals).toStdString();
        return;
    }
    char text[40];
    char* p = text;
    // A negative number that rounds to zero keeps its sign ("-0.0"), as in Qt; zero has none.
    if (x < 0.0)
        *p++ = '-';
    int width = 1;
    while (width < 12 && *rounded >= PowerOfTen(width + decimals))
        ++width;
    WriteDigits(p, *rounded / PowerOfTen(decimals), width);
    p += width;
    if (decimals > 0) {
        *p++ = '.';
        WriteDigits(p, *rounded % PowerOfTen(decimals), decimals);
        p += decimals;
    }
    out.append(text, p - text);
}

} // namespace skyvane
