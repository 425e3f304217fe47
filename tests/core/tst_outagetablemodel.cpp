#include "OutageTableModel.h"
#include "SatelliteTableModel.h"
#include "SiteTimeZone.h"

#include <QSortFilterProxyModel>
#include <QtTest>

using namespace skyvane;

namespace {

OutageRow Row(const char* date, const char* start, qint64 seconds) {
    OutageRow row;
    row.Start = QDateTime(QDate::fromString(QLatin1String(date), Qt::ISODate),
                          QTime::fromString(QLatin1String(start), Qt::ISODate), Qt::UTC);
    row.End = row.Start.addSecs(seconds);
    row.DurationSeconds = seconds;
    return row;
}

// Rows whose texts sort otherwise than their values in a two-digit-year, 12-hour locale.
std::vector<OutageRow> Rows() {
    return {Row("2000-02-29", "10:51:23", 350), Row("1999-03-01", "09:50:15", 1465),
            Row("2000-03-01", "13:49:51", 490)};
}

} // namespace

class TestOutageTableModel : public QObject {
    Q_OBJECT

private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void sortsOnTimesAndSeconds_data() {
        QTest::addColumn<int>("column");
        QTest::addColumn<QList<int>>("order"); // rows of Rows(), ascending
        QTest::newRow("date: 3/1/99 before 2/29/00") << 0 << QList<int>{1, 0, 2};
        QTest::newRow("start by time of day, not as 12-hour texts") << 1 << QList<int>{1, 0, 2};
        QTest::newRow("end by time of day") << 2 << QList<int>{1, 0, 2};
        QTest::newRow("duration in seconds") << 3 << QList<int>{0, 2, 1};
    }
    void sortsOnTimesAndSeconds() {
        QFETCH(int, column);
        QFETCH(QList<int>, order);
        OutageTableModel model;
        model.setRows(Rows());
        QSortFilterProxyModel sorted;
        sorted.setSourceModel(&model);
        sorted.setSortRole(kSortRole);
        sorted.sort(column);
        QList<int> actual;
        for (int r = 0; r < sorted.rowCount(); ++r)
            actual << sorted.mapToSource(sorted.index(r, 0)).row();
        QCOMPARE(actual, order);
    }

    // The zone guessed for the site, and the local clock with the offset of each row's day.
    void localTimeOfTheSite_data() {
        QTest::addColumn<double>("latitude");
        QTest::addColumn<double>("longitude"); // West positive
        QTest::addColumn<QString>("country");
        QTest::addColumn<QString>("zone");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("Budapest, either side of 2026-03-29")
            << 47.50 << -19.04 << ""
            << "Europe/Budapest"
            << QStringList{"11:41:00\u201311:49:12 (+01:00)", "12:40:00\u201312:48:30 (+02:00)"};
        QTest::newRow("Sydney, daylight saving until 2026-04-05")
            << -33.87 << -151.21 << ""
            << "Australia/Sydney"
            << QStringList{"21:41:00\u201321:49:12 (+11:00)", "21:40:00\u201321:48:30 (+11:00)"};
        // Nearer Vienna than Budapest, but in Hungary.
        QTest::newRow("Szombathely, by its country")
            << 47.23 << -16.62 << "HU"
            << "Europe/Budapest"
            << QStringList{"11:41:00\u201311:49:12 (+01:00)", "12:40:00\u201312:48:30 (+02:00)"};
    }
    void localTimeOfTheSite() {
        QFETCH(double, latitude);
        QFETCH(double, longitude);
        QFETCH(QString, country);
        QFETCH(QString, zone);
        QFETCH(QStringList, texts);
        QCOMPARE(QString::fromLatin1(NearestTimeZone(latitude, longitude, country)), zone);
        OutageTableModel model;
        model.setRows({Row("2026-03-28", "10:41:00", 492), Row("2026-03-30", "10:40:00", 510)});
        QCOMPARE(model.columnCount(), 4);
        model.setLocalZone(QTimeZone(zone.toLatin1()));
        QCOMPARE(model.columnCount(), 5);
        QStringList shown;
        for (int row = 0; row < model.rowCount(); ++row)
            shown << model.index(row, OutageTableModel::LocalTime).data().toString();
        QCOMPARE(shown, texts);
        model.setLocalZone({});
        QCOMPARE(model.columnCount(), 4);
    }
};

QTEST_MAIN(TestOutageTableModel)
#include "tst_outagetablemodel.moc"
