#include "OutageTableModel.h"
#include "SatelliteTableModel.h"

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
};

QTEST_MAIN(TestOutageTableModel)
#include "tst_outagetablemodel.moc"
