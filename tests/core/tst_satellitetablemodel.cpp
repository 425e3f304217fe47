#include "SatelliteTableModel.h"

#include <QSortFilterProxyModel>
#include <QtTest>

using namespace skyvane;

namespace {

SatelliteRecord Record(double position, const QString& name, double azimuth, double skew) {
    auto record = std::make_shared<TSatelliteData>();
    record->Position = position;
    record->Name = name;
    record->Azimuth = azimuth;
    record->Skew = skew;
    return record;
}

} // namespace

class TestSatelliteTableModel : public QObject {
    Q_OBJECT

private slots:
    void sortsOnValues_data();
    void sortsOnValues();
};

void TestSatelliteTableModel::sortsOnValues_data() {
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("order");
    QTest::addColumn<QStringList>("shown"); // the sorted column's texts, top to bottom

    QTest::newRow("positions east to west, not by their degrees")
        << int(SatelliteTableModel::Position) << int(Qt::AscendingOrder)
        << QStringList{"10.0° E", "1.0° W", "11.0° W", "100.0° W"};
    QTest::newRow("positions descending")
        << int(SatelliteTableModel::Position) << int(Qt::DescendingOrder)
        << QStringList{"100.0° W", "11.0° W", "1.0° W", "10.0° E"};
    QTest::newRow("names ignoring case")
        << int(SatelliteTableModel::Name) << int(Qt::AscendingOrder)
        << QStringList{"astra", "Eutelsat", "Galaxy", "Hispasat"};
    QTest::newRow("azimuths as numbers: 9 before 10 before 100")
        << int(SatelliteTableModel::Azimuth) << int(Qt::AscendingOrder)
        << QStringList{"9.00", "10.00", "100.00", "200.00"};
    QTest::newRow("skews with negative values")
        << int(SatelliteTableModel::Skew) << int(Qt::AscendingOrder)
        << QStringList{"-12.50", "-2.00", "0.00", "3.25"};
}

void TestSatelliteTableModel::sortsOnValues() {
    QFETCH(int, column);
    QFETCH(int, order);
    QFETCH(QStringList, shown);

    SatelliteTableModel table;
    // In catalogue order, every column unsorted.
    table.setRecords({Record(-10.0, "Eutelsat", 100.0, 0.0), Record(100.0, "Galaxy", 9.0, -2.0),
                      Record(1.0, "Hispasat", 200.0, 3.25), Record(11.0, "astra", 10.0, -12.5)});
    QSortFilterProxyModel sorted;
    sorted.setSourceModel(&table);
    sorted.setSortRole(kSortRole);
    sorted.setSortCaseSensitivity(Qt::CaseInsensitive);
    sorted.sort(column, Qt::SortOrder(order));

    QStringList texts;
    for (int row = 0; row < sorted.rowCount(); ++row) {
        const QModelIndex cell = sorted.index(row, column);
        texts << cell.data().toString();
        // The record travels with its row.
        const auto record = cell.data(kRecordRole).value<SatelliteRecord>();
        QVERIFY(record);
        QCOMPARE(sorted.index(row, SatelliteTableModel::Name).data().toString(), record->Name);
    }
    QCOMPARE(texts, shown);
}

QTEST_GUILESS_MAIN(TestSatelliteTableModel)
#include "tst_satellitetablemodel.moc"
