#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QTimeZone>

namespace skyvane {

// The time zone database's table of zones and their principal places (zone1970.tab).
QString DefaultZoneTable();

// The IANA zone whose principal place lies nearest the site, among the zones of its country
// when `countryCode` (ISO 3166) names one the table knows: a guess the user may correct. Empty
// when the table cannot be read. latitude: North positive; longitude: West positive.
QByteArray NearestTimeZone(double latitude, double longitude, const QString& countryCode = {},
                           const QString& zoneTable = DefaultZoneTable());

// "12:41:23" in the zone, and the zone's offset from UTC at that moment: "+01:00".
QString LocalClockText(const QDateTime& utc, const QTimeZone& zone);
QString UtcOffsetText(const QDateTime& utc, const QTimeZone& zone);

} // namespace skyvane
