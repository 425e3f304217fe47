#include "NumberText.h"

#include <QLocale>

#include <charconv>
#include <cmath>
#include <optional>

namespace skyvane {

namespace {

// Plain decimal text ("-19.2", "47", "0.15") reads the same in every locale once "." stands for
// its decimal separator, so the common case skips the locale machinery. Anything else (blanks,
// exponents, the locale's own separator, grouping) takes the locale-aware path.
std::optional<double> ParsePlainDecimal(const QString& text) {
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
    double value = 0.0;
    const auto [end, error] = std::from_chars(buffer, buffer + size, value);
    if (error != std::errc() || end != buffer + size || !std::isfinite(value))
        return std::nullopt;
    return value;
}

} // namespace

double StrToFloatDot(const QString& text, bool zeroOnError) {
    if (const std::optional<double> plain = ParsePlainDecimal(text))
        return *plain;
    QLocale locale;
    locale.setNumberOptions(QLocale::RejectGroupSeparator);
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
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
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
    QLocale locale;
    text.replace(QLatin1Char('.'), locale.decimalPoint());
    text.replace(QLatin1Char('-'), locale.negativeSign());
    return text;
}

QByteArray ShortestPointText(double x) {
    return QString::number(x, 'g', QLocale::FloatingPointShortest).toLatin1();
}

} // namespace skyvane
