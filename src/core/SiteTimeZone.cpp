#include "SiteTimeZone.h"

#include "RegularFile.h"
#include "TextCodec.h"

#include <QRegularExpression>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <optional>

namespace skyvane {

namespace {

// "+4730" or "+473000" (degrees, minutes and maybe seconds) as degrees; NaN when it is neither.
double TableAngle(const QString& text, int degreeDigits) {
    const int rest = int(text.size()) - 1 - degreeDigits;
    if (text.size() < 1 + degreeDigits || (rest != 2 && rest != 4))
        return std::nan("");
    bool ok = true;
    const auto part = [&](int from, int length) {
        bool good = false;
        const int value = text.mid(from, length).toInt(&good);
        ok = ok && good;
        return double(value);
    };
    const double degrees = part(1, degreeDigits) + part(1 + degreeDigits, 2) / 60.0 +
                           (rest == 4 ? part(3 + degreeDigits, 2) / 3600.0 : 0.0);
    if (!ok || (text[0] != QLatin1Char('+') && text[0] != QLatin1Char('-')))
        return std::nan("");
    return text[0] == QLatin1Char('-') ? -degrees : degrees;
}

double CentralAngle(double lat1, double lon1, double lat2, double lon2) {
    const double k = std::numbers::pi / 180.0;
    const double c = std::sin(lat1 * k) * std::sin(lat2 * k) +
                     std::cos(lat1 * k) * std::cos(lat2 * k) * std::cos((lon1 - lon2) * k);
    return std::acos(std::clamp(c, -1.0, 1.0));
}

} // namespace

QString DefaultZoneTable() {
    return QStringLiteral("/usr/share/zoneinfo/zone1970.tab");
}

QByteArray NearestTimeZone(double latitude, double longitude, const QString& countryCode,
                           const QString& zoneTable) {
    // A table of a few hundred lines; anything far larger is no zone table.
    const std::optional<QByteArray> bytes = ReadRegularFile(zoneTable, 1 << 20);
    if (!bytes)
        return {};
    QByteArray nearest;
    double best = std::numeric_limits<double>::infinity();
    const QStringList lines = SplitTextLines(QString::fromUtf8(*bytes));
    // A country the table does not list restricts nothing.
    const bool known =
        !countryCode.isEmpty() && std::any_of(lines.begin(), lines.end(), [&](const QString& line) {
            return line.section(QLatin1Char('\t'), 0, 0)
                .split(QLatin1Char(','))
                .contains(countryCode);
        });
    for (const QString& line : lines) {
        if (line.startsWith(QLatin1Char('#')))
            continue;
        const QStringList fields = line.split(QLatin1Char('\t'));
        if (fields.size() < 3)
            continue;
        if (known && !fields[0].split(QLatin1Char(',')).contains(countryCode))
            continue;
        const QString& place = fields[1];
        const qsizetype split = place.indexOf(QRegularExpression(QStringLiteral("[+-]")), 1);
        if (split < 0)
            continue;
        const double lat = TableAngle(place.left(split), 2);
        const double east = TableAngle(place.mid(split), 3);
        if (!std::isfinite(lat) || !std::isfinite(east))
            continue;
        const double distance = CentralAngle(latitude, -longitude, lat, east);
        if (distance < best) {
            best = distance;
            nearest = fields[2].trimmed().toLatin1();
        }
    }
    return nearest;
}

QString LocalClockText(const QDateTime& utc, const QTimeZone& zone) {
    return utc.toTimeZone(zone).toString(QStringLiteral("HH:mm:ss"));
}

QString UtcOffsetText(const QDateTime& utc, const QTimeZone& zone) {
    const int seconds = zone.offsetFromUtc(utc);
    const int minutes = std::abs(seconds) / 60;
    return QStringLiteral("%1%2:%3")
        .arg(seconds < 0 ? QLatin1Char('-') : QLatin1Char('+'))
        .arg(minutes / 60, 2, 10, QLatin1Char('0'))
        .arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

} // namespace skyvane
