#include "NumberText.h"

#include <QLocale>

#include <cmath>
#include <cstdio>

namespace skyvane {

double StrToFloatDot(const QString& text, bool zeroOnError) {
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
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.15g", x);
    QString text = QString::fromLatin1(buffer);
    QLocale locale;
    text.replace(QLatin1Char('.'), locale.decimalPoint());
    text.replace(QLatin1Char('-'), locale.negativeSign());
    return text;
}

} // namespace skyvane
