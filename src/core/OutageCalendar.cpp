#include "OutageCalendar.h"

#include "Constants.h"

#include <QCryptographicHash>

namespace skyvane {

namespace {

constexpr int kMaxLineOctets = 75;

QString UtcStamp(const QDateTime& time) {
    return time.toUTC().toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'"));
}

QString EventUid(const OutageRow& row, const OutageCalendarInputs& inputs) {
    const QByteArray who = (inputs.satellite + QLatin1Char('|') + inputs.site).toUtf8();
    const QByteArray hash = QCryptographicHash::hash(who, QCryptographicHash::Sha1).toHex();
    return QStringLiteral("sun-outage-%1-%2@skyvane.org")
        .arg(row.Start.toUTC().toString(QStringLiteral("yyyyMMdd")),
             QString::fromLatin1(hash.left(16)));
}

void AddEvents(QStringList& content, const std::vector<OutageRow>& rows,
               const OutageCalendarInputs& inputs) {
    const QString summary =
        CalendarText(FormatPercentS(inputs.summary, {inputs.satellite, inputs.site}));
    for (const OutageRow& row : rows) {
        content << QStringLiteral("BEGIN:VEVENT") << QStringLiteral("UID:") + EventUid(row, inputs)
                << QStringLiteral("DTSTAMP:") + UtcStamp(inputs.stamp)
                << QStringLiteral("DTSTART:") + UtcStamp(row.Start)
                << QStringLiteral("DTEND:") + UtcStamp(row.End)
                << QStringLiteral("SUMMARY:") + summary << QStringLiteral("TRANSP:TRANSPARENT");
        if (inputs.alarmMinutes > 0)
            content << QStringLiteral("BEGIN:VALARM") << QStringLiteral("ACTION:DISPLAY")
                    << QStringLiteral("DESCRIPTION:") +
                           CalendarText(
                               FormatPercentS(inputs.alarm, {QString::number(inputs.alarmMinutes)}))
                    << QStringLiteral("TRIGGER:-PT%1M").arg(inputs.alarmMinutes)
                    << QStringLiteral("END:VALARM");
        content << QStringLiteral("END:VEVENT");
    }
}

} // namespace

QString CalendarText(const QString& text) {
    QString escaped;
    escaped.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('\\') || c == QLatin1Char(';') || c == QLatin1Char(','))
            escaped += QLatin1Char('\\') + c;
        else if (c == QLatin1Char('\n'))
            escaped += QStringLiteral("\\n");
        else if (c != QLatin1Char('\r'))
            escaped += c;
    }
    return escaped;
}

QStringList FoldCalendarLine(const QString& line) {
    QStringList lines;
    QString current;
    int octets = 0;
    for (qsizetype i = 0; i < line.size(); ++i) {
        // A surrogate pair is one character of four octets.
        const qsizetype length = line[i].isHighSurrogate() && i + 1 < line.size() ? 2 : 1;
        const QString character = line.mid(i, length);
        const int size = int(character.toUtf8().size());
        const int room = lines.isEmpty() ? kMaxLineOctets : kMaxLineOctets - 1;
        if (octets + size > room) {
            lines << (lines.isEmpty() ? current : QLatin1Char(' ') + current);
            current.clear();
            octets = 0;
        }
        current += character;
        octets += size;
        i += length - 1;
    }
    lines << (lines.isEmpty() ? current : QLatin1Char(' ') + current);
    return lines;
}

QStringList OutageCalendarLines(const std::vector<OutageRow>& rows,
                                const OutageCalendarInputs& inputs) {
    return OutageCalendarLines(std::vector<CalendarSite>{{inputs.site, rows}}, inputs);
}

QStringList OutageCalendarLines(const std::vector<CalendarSite>& sites,
                                const OutageCalendarInputs& inputs) {
    QStringList content{QStringLiteral("BEGIN:VCALENDAR"), QStringLiteral("VERSION:2.0"),
                        QStringLiteral("PRODID:-//quor//Skyvane sun outages//EN"),
                        QStringLiteral("CALSCALE:GREGORIAN"), QStringLiteral("METHOD:PUBLISH")};
    for (const CalendarSite& site : sites) {
        OutageCalendarInputs each = inputs;
        each.site = site.site;
        AddEvents(content, site.rows, each);
    }
    content << QStringLiteral("END:VCALENDAR");
    QStringList folded;
    for (const QString& line : content)
        folded += FoldCalendarLine(line);
    return folded;
}

} // namespace skyvane
