#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QTimeZone>

namespace skyvane {

// The time zone database's table of zones and their principal places (zone1970.tab).
QString DefaultZoneTable();

// The IANA zone whose principal place lies nearest the site: a guess the user may correct, as a
// border can lie between a site and its nearest zone city. Empty when the table cannot be read.
// latitude: North positive; longitude: West positive.
QByteArray NearestTimeZone(double latitude, double longitude,
                           const QString& zoneTable = DefaultZoneTable());

// "12:41:23" in the zone, and the zone's offset from UTC at that moment: "+01:00".
QString LocalClockText(const QDateTime& utc, const QTimeZone& zone);
QString UtcOffsetText(const QDateTime& utc, const QTimeZone& zone);

} // namespace skyvane
