#pragma once

#include "SunOutage.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <vector>

namespace skyvane {

// What a calendar of sun outages says besides the times, already in the user's language.
struct OutageCalendarInputs {
    QString satellite;     // "Astra 1KR at 19.2° E"
    QString site;          // "47.16° N 16.16° E (Szombathely)"
    QString summary;       // pattern with two "%s": the satellite, then the site
    QString alarm;         // pattern with one "%s": the minutes before the outage
    int alarmMinutes = 15; // 0: no alarm
    QDateTime stamp;       // when the calendar is made (UTC), every event's DTSTAMP
};

// An iCalendar file (RFC 5545) with one event a row: start and end in UTC, the summary, and an
// alarm before it. Each event's UID is made of its day, satellite and site, so that exporting
// the same prediction again updates the events in a calendar instead of doubling them. Lines
// are folded at 75 octets; the caller writes them in UTF-8 with CR LF.
QStringList OutageCalendarLines(const std::vector<OutageRow>& rows,
                                const OutageCalendarInputs& inputs);

// The outage days of one site of a calendar for many sites.
struct CalendarSite {
    QString site; // as OutageCalendarInputs::site
    std::vector<OutageRow> rows;
};

// One calendar with the events of every site, each named after its site; inputs.site is not
// used.
QStringList OutageCalendarLines(const std::vector<CalendarSite>& sites,
                                const OutageCalendarInputs& inputs);

// A text value with backslash, semicolon, comma and line breaks escaped.
QString CalendarText(const QString& text);
// A content line cut into lines of at most 75 octets (UTF-8), each continuation led by a space,
// never inside a character.
QStringList FoldCalendarLine(const QString& line);

} // namespace skyvane
