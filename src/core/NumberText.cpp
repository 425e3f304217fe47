#include "NumberText.h"

#include <QLocale>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string_view>

namespace skyvane {

namespace {

// Plain decimal text of at most 15 digits as the quotient of two exactly held doubles, the digits
// and a power of ten; one division rounds it as from_chars would. Nothing for longer text.
std::optional<double> ExactDecimal(std::string_view text) {
    static constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                              1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
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
    bool seenDigit = false;
    bool seenPoint = false;
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t c = text.at(i).unicode();
        if (c >= u'0' && c <= u'9')
            seenDigit = true;
        else if (c == u'.' && !seenPoint)
            seenPoint = true;
        else if (!(c == u'-' && i == 0))
            return std::nullopt;
        buffer[i] = char(c);
    }
    if (!seenDigit)
        return std::nullopt;
    if (const std::optional<double> exact = ExactDecimal({buffer, std::size_t(size)}))
        return exact;
    double value = 0.0;
    const auto [end, error] = std::from_chars(buffer, buffer + size, value);
    if (error != std::errc() || end != buffer + size || !std::isfinite(value))
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

// The digits of a number, x = d1.d2d3...dn times ten to the exponent.
struct DecimalDigits {
    char digits[24];
    int count = 0;
    int exponent = 0;
};

// The shortest digits that read back as x, for a finite, normal x.
DecimalDigits ShortestDigits(double x) {
    char text[32];
    const char* const end =
        std::to_chars(text, text + sizeof text, std::fabs(x), std::chars_format::scientific).ptr;
    DecimalDigits d;
    const char* c = text;
    for (; c != end && *c != 'e'; ++c)
        if (*c != '.')
            d.digits[d.count++] = *c;
    std::from_chars(c + (*(c + 1) == '+' ? 2 : 1), end, d.exponent);
    return d;
}

// Keeps `keep` leading digits, rounding half away from zero as Qt does; false when the dropped
// digits are exactly "5": the shortest digits do not tell whether x is the half itself or just
// above or below it. A negative `keep` drops every digit.
bool RoundDigits(DecimalDigits& d, int keep) {
    if (d.count <= keep)
        return true;
    if (keep < 0) {
        d.count = 0;
        return true;
    }
    const char next = d.digits[keep];
    if (next == '5' && d.count == keep + 1)
        return false;
    d.count = keep;
    if (next >= '5') {
        int i = keep - 1;
        while (i >= 0 && d.digits[i] == '9')
            --i;
        if (i < 0) {
            d.digits[0] = '1';
            d.count = 1;
            ++d.exponent;
        } else {
            ++d.digits[i];
            d.count = i + 1;
        }
    }
    while (d.count > 0 && d.digits[d.count - 1] == '0')
        --d.count;
    return true;
}

// Digit i of d, zero beyond the last.
char DigitAt(const DecimalDigits& d, int i) {
    return i >= 0 && i < d.count ? d.digits[i] : '0';
}

void AppendExponent(QByteArray& out, int exponent) {
    out += exponent < 0 ? "e-" : "e+";
    char text[8];
    const int magnitude = std::abs(exponent);
    const char* const end = std::to_chars(text, text + sizeof text, magnitude).ptr;
    if (magnitude < 10)
        out += '0';
    out.append(text, end - text);
}

// The shortest digits stand for x's exact value when rounded at a place far above the last bit
// of x: within 15 significant digits of a normal number.
bool ShortestDigitsSuffice(double x) {
    return std::isnormal(x);
}

} // namespace

void AppendGeneralNumber(QByteArray& out, double x, int digits) {
    if (x == 0.0) {
        out += '0';
        return;
    }
    DecimalDigits d;
    if (digits >= 1 && digits <= 15 && ShortestDigitsSuffice(x))
        d = ShortestDigits(x);
    if (d.count == 0 || !RoundDigits(d, digits)) {
        out += QString::number(x, 'g', digits).toLatin1();
        return;
    }
    if (x < 0.0)
        out += '-';
    if (d.exponent < -4 || d.exponent >= digits) {
        out += d.digits[0];
        if (d.count > 1) {
            out += '.';
            out.append(d.digits + 1, d.count - 1);
        }
        AppendExponent(out, d.exponent);
    } else if (d.exponent < 0) {
        out += "0.";
        out.append(-d.exponent - 1, '0');
        out.append(d.digits, d.count);
    } else {
        for (int i = 0; i <= d.exponent; ++i)
            out += DigitAt(d, i);
        if (d.count > d.exponent + 1) {
            out += '.';
            out.append(d.digits + d.exponent + 1, d.count - d.exponent - 1);
        }
    }
}

void AppendFixedNumber(QByteArray& out, double x, int decimals) {
    DecimalDigits d; // zero has no digits
    if (x != 0.0) {
        bool shortestSuffice =
            decimals >= 0 && decimals <= 6 && ShortestDigitsSuffice(x) && std::fabs(x) < 1e9;
        if (shortestSuffice) {
            d = ShortestDigits(x);
            shortestSuffice = RoundDigits(d, d.exponent + 1 + decimals);
        }
        if (!shortestSuffice) {
            out += QString::number(x, 'f', decimals).toLatin1();
            return;
        }
        // A negative number that rounds to zero keeps its sign ("-0.0"), as in Qt.
        if (x < 0.0)
            out += '-';
    }
    if (d.count == 0 || d.exponent < 0)
        out += '0';
    else
        for (int i = 0; i <= d.exponent; ++i)
            out += DigitAt(d, i);
    if (decimals == 0)
        return;
    out += '.';
    for (int place = 1; place <= decimals; ++place)
        out += DigitAt(d, d.exponent + place);
}

} // namespace skyvane
