#include "NumberText.h"

#include <QLocale>

#include <charconv>
#include <cmath>
#include <optional>

namespace skyvane {

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

} // namespace skyvane
