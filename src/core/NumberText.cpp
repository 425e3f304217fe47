#include "NumberText.h"

#include <QLocale>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string_view>

namespace skyvane {

namespace {

// The powers of ten a double holds exactly.
constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                   1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                   1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// Plain decimal text of at most 15 digits as the quotient of two exactly held doubles, the digits
// and a power of ten; one division rounds it as from_chars would. Nothing for longer text.
std::optional<double> ExactDecimal(std::string_view text) {
    const bool negative = text.front() == '-';
    std::uint64_t digits = 0;
    int count = 0;
    int decimals = 0;
    bool afterPoint = false;
    for (const char c : text.substr(negative ? 1 : 0)) {
        if (c == '.') {
            afterPoint = true;
            continue;
        }
        if (++count > 15)
            return std::nullopt;
        digits = digits * 10 + std::uint64_t(c - '0');
        decimals += afterPoint ? 1 : 0;
    }
    const double value = double(digits) / kPowersOfTen[decimals];
    return negative ? -value : value;
}

} // namespace

std::optional<double> PlainDecimal(QStringView text) {
    constexpr qsizetype kLongest = 64;
    const qsizetype size = text.size();
    if (size == 0 || size > kLongest)
        return std::nullopt;
    char buffer[kLongest];
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t c = text.at(i).unicode();
        if (c >= 0x80)
            return std::nullopt;
        buffer[i] = char(c);
    }
    return PlainDecimal(std::string_view(buffer, std::size_t(size)));
}

std::optional<double> PlainDecimal(std::string_view text) {
    bool seenDigit = false;
    bool seenPoint = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9')
            seenDigit = true;
        else if (c == '.' && !seenPoint)
            seenPoint = true;
        else if (!(c == '-' && i == 0))
            return std::nullopt;
    }
    if (!seenDigit)
        return std::nullopt;
    if (const std::optional<double> exact = ExactDecimal(text))
        return exact;
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
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
double Scaled(double magnitude, int scale) {
    return scale >= 0 ? magnitude * kPowersOfTen[scale] : magnitude / kPowersOfTen[-scale];
}

// The integer nearest to `scaled`, halves away from zero as Qt rounds; nothing where `scaled` lies
// so near a half that its own rounding could have moved it across (callers keep `scaled` below
// 2^40, where that rounding is under 2^-13).
std::optional<std::uint64_t> NearestInteger(double scaled) {
    const double whole = std::floor(scaled);
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
    int exponent = int(std::floor(std::log10(magnitude)));
    // log10 may be one off next to a power of ten; the scaled value tells.
    double scaled = Scaled(magnitude, digits - 1 - exponent);
    if (scaled < kPowersOfTen[digits - 1])
        scaled = Scaled(magnitude, digits - 1 - --exponent);
    else if (scaled >= kPowersOfTen[digits])
        scaled = Scaled(magnitude, digits - 1 - ++exponent);
    const std::optional<std::uint64_t> rounded = NearestInteger(scaled);
    if (!rounded)
        return std::nullopt;
    std::uint64_t value = *rounded;
    if (value == PowerOfTen(digits)) {
        value = PowerOfTen(digits - 1);
        ++exponent;
    }
    SignificantDigits d;
    WriteDigits(d.digits, value, digits);
    d.count = digits;
    while (d.count > 1 && d.digits[d.count - 1] == '0')
        --d.count;
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

void AppendGeneralNumber(std::string& out, double x, int digits) {
    if (x == 0.0) {
        out += '0'; // never "-0"
        return;
    }
    const std::optional<SignificantDigits> d = RoundToSignificant(x, digits);
    if (!d) {
        out += QString::number(x, 'g', digits).toStdString();
        return;
    }
    char text[40];
    out.append(text, FormatSignificant(text, x < 0.0, *d, digits));
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
