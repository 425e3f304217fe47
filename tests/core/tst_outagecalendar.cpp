#include "OutageCalendar.h"

#include <QtTest>

using namespace skyvane;

namespace {

OutageRow Row(int day, int hour, int minute, int seconds) {
    OutageRow row;
    row.Start = QDateTime(QDate(2026, 3, day), QTime(hour, minute), Qt::UTC);
    row.End = row.Start.addSecs(seconds);
    row.DurationSeconds = seconds;
    return row;
}

OutageCalendarInputs Inputs(const QString& satellite = QStringLiteral("Astra 1KR, 19.2\u00b0 E")) {
    OutageCalendarInputs inputs;
    inputs.satellite = satellite;
    inputs.site = QStringLiteral("47.16\u00b0 N 16.16\u00b0 E (Szombathely)");
    inputs.summary = QStringLiteral("Sun outage: %s from %s");
    inputs.alarm = QStringLiteral("Sun outage in %s minutes");
    inputs.stamp = QDateTime(QDate(2026, 2, 1), QTime(8, 0), Qt::UTC);
    return inputs;
}

QStringList Values(const QStringList& lines, const QString& name) {
    QStringList values;
    for (const QString& line : lines)
        if (line.startsWith(name + QLatin1Char(':')))
            values << line.mid(name.size() + 1);
    return values;
}

} // namespace

class TestOutageCalendar : public QObject {
    Q_OBJECT

private slots:
    void oneEventADayWithAlarm();
    void uidsStayAcrossExports();
    void textsEscapedAndFolded_data();
    void textsEscapedAndFolded();
};

void TestOutageCalendar::oneEventADayWithAlarm() {
    const QStringList lines =
        OutageCalendarLines({Row(2, 10, 41, 492), Row(3, 10, 40, 510)}, Inputs());
    QCOMPARE(lines.first(), QString("BEGIN:VCALENDAR"));
    QCOMPARE(lines.last(), QString("END:VCALENDAR"));
    QCOMPARE(Values(lines, "VERSION"), QStringList{"2.0"});
    QCOMPARE(Values(lines, "PRODID").size(), 1);
    QCOMPARE(Values(lines, "DTSTART"), (QStringList{"20260302T104100Z", "20260303T104000Z"}));
    QCOMPARE(Values(lines, "DTEND"), (QStringList{"20260302T104912Z", "20260303T104830Z"}));
    QCOMPARE(Values(lines, "DTSTAMP").first(), QString("20260201T080000Z"));
    QCOMPARE(Values(lines, "TRIGGER"), (QStringList{"-PT15M", "-PT15M"}));
    QCOMPARE(lines.count("BEGIN:VEVENT"), 2);
    QCOMPARE(lines.count("END:VALARM"), 2);
    OutageCalendarInputs quiet = Inputs();
    quiet.alarmMinutes = 0;
    QVERIFY(!OutageCalendarLines({Row(2, 10, 41, 492)}, quiet).contains("BEGIN:VALARM"));
}

// The same prediction exported twice, on another day, updates the events; another satellite's
// events are others.
void TestOutageCalendar::uidsStayAcrossExports() {
    OutageCalendarInputs later = Inputs();
    later.stamp = later.stamp.addDays(20);
    const QStringList first =
        Values(OutageCalendarLines({Row(2, 10, 41, 492), Row(3, 10, 40, 510)}, Inputs()), "UID");
    QCOMPARE(first.size(), 2);
    QVERIFY(first[0] != first[1]);
    QCOMPARE(Values(OutageCalendarLines({Row(2, 10, 41, 492), Row(3, 10, 40, 510)}, later), "UID"),
             first);
    QVERIFY(Values(OutageCalendarLines({Row(2, 10, 41, 492)}, Inputs("Eutelsat 16A, 16.0\u00b0 E")),
                   "UID")
                .first() != first[0]);
}

void TestOutageCalendar::textsEscapedAndFolded_data() {
    QTest::addColumn<QString>("satellite");
    QTest::addColumn<QString>("escaped");
    QTest::newRow("separators") << "A; B, C\\D"
                                << "A\\; B\\, C\\\\D";
    QTest::newRow("long and accented")
        << QString("T\u00fcrksat 4A ") + QString(40, QChar(0x0151)) << QString();
}

void TestOutageCalendar::textsEscapedAndFolded() {
    QFETCH(QString, satellite);
    QFETCH(QString, escaped);
    const QStringList lines = OutageCalendarLines({Row(2, 10, 41, 492)}, Inputs(satellite));
    QString summary;
    bool inSummary = false;
    for (const QString& line : lines) {
        QVERIFY2(line.toUtf8().size() <= 75, qPrintable(line));
        if (line.startsWith("SUMMARY:"))
            inSummary = true, summary = line.mid(8);
        else if (inSummary && line.startsWith(QLatin1Char(' ')))
            summary += line.mid(1);
        else
            inSummary = false;
    }
    // Unfolded, the summary is whole again, not a character lost or split.
    if (!escaped.isEmpty())
        QVERIFY2(summary.startsWith("Sun outage: " + escaped), qPrintable(summary));
    else
        QCOMPARE(summary, CalendarText("Sun outage: " + satellite + " from " + Inputs().site));
}

QTEST_GUILESS_MAIN(TestOutageCalendar)
#include "tst_outagecalendar.moc"
