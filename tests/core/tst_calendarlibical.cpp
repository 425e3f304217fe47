#include "OutageCalendar.h"

#include <QtTest>

#include <libical/ical.h>

#include <memory>

using namespace skyvane;

namespace {

std::vector<OutageRow> SpringRows() {
    auto record = std::make_shared<TSatelliteData>();
    record->Position = -19.2;
    record->SiteLatitude = 47.16;
    record->SiteLongitude = -16.16;
    SunOutagePredictor predictor;
    predictor.Satellite = record;
    predictor.Year = 2026;
    predictor.PredictOutages();
    return predictor.Rows;
}

OutageCalendarInputs Inputs(const QDateTime& stamp) {
    OutageCalendarInputs inputs;
    inputs.satellite = QStringLiteral("Astra 1KR, 19.2° E; a name, with separators");
    inputs.summary = QStringLiteral("Sun outage: %s from %s");
    inputs.alarm = QStringLiteral("Sun outage in %s minutes");
    inputs.stamp = stamp;
    return inputs;
}

struct Parsed {
    int events = 0;
    int errors = 0; // properties the parser added to say what it could not read
    QStringList uids;
    QStringList summaries;
};

Parsed Parse(const QStringList& lines) {
    const QByteArray text = (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8();
    Parsed parsed;
    icalcomponent* calendar = icalparser_parse_string(text.constData());
    if (!calendar)
        return parsed;
    parsed.errors = icalcomponent_count_errors(calendar);
    for (icalcomponent* event = icalcomponent_get_first_component(calendar, ICAL_VEVENT_COMPONENT);
         event; event = icalcomponent_get_next_component(calendar, ICAL_VEVENT_COMPONENT)) {
        ++parsed.events;
        parsed.uids << QString::fromUtf8(icalcomponent_get_uid(event));
        parsed.summaries << QString::fromUtf8(icalcomponent_get_summary(event));
        if (!icalcomponent_get_first_component(event, ICAL_VALARM_COMPONENT) ||
            icaltime_is_null_time(icalcomponent_get_dtstart(event)) ||
            icaltime_compare(icalcomponent_get_dtstart(event), icalcomponent_get_dtend(event)) >= 0)
            ++parsed.errors;
    }
    icalcomponent_free(calendar);
    return parsed;
}

} // namespace

class TestCalendarLibical : public QObject {
    Q_OBJECT

private slots:
    // One site and many: every event is read without error, with its alarm and times, the texts
    // unescaped as written; exporting again a day later gives the same UIDs.
    void calendarsReadBack_data() {
        QTest::addColumn<int>("sites");
        QTest::newRow("one site") << 1;
        QTest::newRow("three sites") << 3;
    }
    void calendarsReadBack() {
        QFETCH(int, sites);
        const std::vector<OutageRow> rows = SpringRows();
        QVERIFY(!rows.empty());
        std::vector<CalendarSite> book;
        for (int i = 0; i < sites; ++i)
            book.push_back({QStringLiteral("Site %1 (Szombathely, Vas)").arg(i), rows});
        const QDateTime now(QDate(2026, 12, 9), QTime(12, 0), Qt::UTC);
        const Parsed first = Parse(OutageCalendarLines(book, Inputs(now)));
        QCOMPARE(first.errors, 0);
        QCOMPARE(first.events, int(rows.size()) * sites);
        QCOMPARE(first.summaries.first(),
                 QStringLiteral("Sun outage: Astra 1KR, 19.2° E; a name, with separators from "
                                "Site 0 (Szombathely, Vas)"));
        QCOMPARE(QSet<QString>(first.uids.begin(), first.uids.end()).size(), first.events);
        const Parsed again = Parse(OutageCalendarLines(book, Inputs(now.addDays(1))));
        QCOMPARE(again.uids, first.uids);
    }
};

QTEST_GUILESS_MAIN(TestCalendarLibical)
#include "tst_calendarlibical.moc"
