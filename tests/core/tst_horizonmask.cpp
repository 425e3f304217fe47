#include "Calculation.h"
#include "HorizonMask.h"
#include "OutageTableModel.h"
#include "SatelliteTableModel.h"
#include "SunOutage.h"

#include <QtTest>

#include <cmath>

using namespace skyvane;

class TestHorizonMask : public QObject {
    Q_OBJECT

private slots:
    void interpolatesAroundTheCircle_data();
    void interpolatesAroundTheCircle();
    void readsHorizonFiles_data();
    void readsHorizonFiles();
    void writesWhatItReads();
    void obstacleRaisesOnlyItsOwnDirection();
    void sunAtAnOutageStandsAtTheSatellite();
    void marksOutagesBehindTheHorizon_data();
    void marksOutagesBehindTheHorizon();
};

using Points = std::vector<HorizonMask::Point>;

void TestHorizonMask::interpolatesAroundTheCircle_data() {
    QTest::addColumn<double>("azimuth");
    QTest::addColumn<double>("expected");
    // Points at 0/10, 90/20, 180/0, 270/30, given out of order.
    QTest::newRow("on a point") << 90.0 << 20.0;
    QTest::newRow("between two points") << 45.0 << 15.0;
    QTest::newRow("across north, before it") << 315.0 << 20.0;
    QTest::newRow("north itself as 360") << 360.0 << 10.0;
    QTest::newRow("negative azimuth") << -45.0 << 20.0;
    QTest::newRow("more than a turn") << 405.0 << 15.0;
    QTest::newRow("falling side") << 135.0 << 10.0;
}

void TestHorizonMask::interpolatesAroundTheCircle() {
    QFETCH(double, azimuth);
    QFETCH(double, expected);
    const HorizonMask mask(Points{{270, 30}, {0, 10}, {180, 0}, {90, 20}});
    QCOMPARE(mask.elevationAt(azimuth), expected);
    QVERIFY(mask.blocks(azimuth, expected - 0.01));
    QVERIFY(!mask.blocks(azimuth, expected)); // grazing the skyline is free
}

void TestHorizonMask::readsHorizonFiles_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("points");
    QTest::addColumn<double>("elevationAt100");
    QTest::addColumn<QString>("error");
    QTest::newRow("comments, tabs, blank lines, CR LF")
        << QByteArray("# roof survey\r\n0 5\r\n\r\n90\t10 # chimney\r\n180 5\r\n") << 3
        << 10.0 - 5.0 / 9.0 << "";
    QTest::newRow("one point: the same all round") << QByteArray("123 4.5\n") << 1 << 4.5 << "";
    QTest::newRow("comma decimals, 360 is north")
        << QByteArray("360 2,5\n200 2,5\n") << 2 << 2.5 << "";
    QTest::newRow("three numbers") << QByteArray("0 5\n90 10 3\n") << 0 << 0.0 << "Line 2 is not";
    QTest::newRow("elevation beyond the zenith")
        << QByteArray("# x\n\n0 95\n") << 0 << 0.0 << "Line 3 is not";
    QTest::newRow("a word") << QByteArray("0 5\nnorth 5\n") << 0 << 0.0 << "Line 2 is not";
}

void TestHorizonMask::readsHorizonFiles() {
    QFETCH(QByteArray, text);
    QFETCH(int, points);
    QFETCH(double, elevationAt100);
    QFETCH(QString, error);
    QString said;
    const auto mask = ReadHorizonFile(text, &said);
    QCOMPARE(mask.has_value(), error.isEmpty());
    QVERIFY2(error.isEmpty() || said.startsWith(error), qPrintable(said));
    if (!mask)
        return;
    QCOMPARE(int(mask->points().size()), points);
    QCOMPARE(mask->elevationAt(100.0), elevationAt100);
}

void TestHorizonMask::writesWhatItReads() {
    const HorizonMask mask(Points{{0.1, 1.0 / 3.0}, {359.99, 12.5}, {90, 0}, {90, 30}});
    const auto back = ReadHorizonFile(HorizonFileText(mask), nullptr);
    QVERIFY(back);
    QCOMPARE(*back, mask);
    // The step at 90 keeps its order: the rising side ends at 0, the far side starts at 30.
    QVERIFY(back->elevationAt(89.99) < 0.01);
    QVERIFY(back->elevationAt(90.01) > 29.99);
}

void TestHorizonMask::obstacleRaisesOnlyItsOwnDirection() {
    const HorizonMask before(Points{{0, 5}, {180, 5}});
    const double width = HorizonMask::kObstacleHalfWidth;
    // An obstacle right of north, so that its left side crosses north.
    const HorizonMask after = before.withObstacle(0.4, 25.0);
    QCOMPARE(after.elevationAt(0.4), 25.0);
    for (double azimuth = 0.0; azimuth < 360.0; azimuth += 0.25) {
        const double offset = std::fabs(std::remainder(azimuth - 0.4, 360.0));
        QVERIFY2(after.elevationAt(azimuth) >= before.elevationAt(azimuth),
                 qPrintable(QString::number(azimuth)));
        if (offset >= width)
            QCOMPARE(after.elevationAt(azimuth), before.elevationAt(azimuth));
    }
    // A lower obstacle where one stands already changes nothing there.
    QCOMPARE(after.withObstacle(0.4, 10.0).elevationAt(0.4), 25.0);
}

namespace {

SatelliteRecord SatelliteSeenFrom(double position, double latitude, double longitude) {
    auto record = std::make_shared<TSatelliteData>();
    record->Position = position;
    ComputeLookAngles(*record, latitude, longitude, std::nullopt);
    return record;
}

std::vector<OutageRow> Outages(const SatelliteRecord& satellite) {
    SunOutagePredictor predictor;
    predictor.Satellite = satellite;
    predictor.Year = 2026;
    predictor.Season = OutageSeason::Fall;
    predictor.PredictOutages();
    return predictor.Rows;
}

} // namespace

// The outage is the sun behind the satellite: halfway through it the sun's direction, as the
// horizon check takes it, must be the satellite's within the dish's beam.
void TestHorizonMask::sunAtAnOutageStandsAtTheSatellite() {
    struct Case {
        double latitude, longitude, position; // degrees, North and West positive
    };
    for (const auto& [latitude, longitude, position] :
         {Case{47.16, -16.16, -19.2}, Case{-33.87, -151.21, -156.0}, Case{40.69, 74.04, 101.0}}) {
        const SatelliteRecord satellite = SatelliteSeenFrom(position, latitude, longitude);
        const auto rows = Outages(satellite);
        QVERIFY(!rows.empty());
        for (const OutageRow& row : rows) {
            const QDateTime middle = row.Start.addSecs(row.DurationSeconds / 2);
            const SkyDirection sun =
                SunDirectionAt(DateTimeToDayNumber(middle), latitude, longitude);
            const double azimuthGap =
                std::fabs(std::remainder(sun.azimuth - satellite->Azimuth, 360.0)) *
                std::cos(satellite->Elevation * M_PI / 180.0);
            const double elevationGap = std::fabs(sun.elevation - satellite->Elevation);
            QVERIFY2(std::hypot(azimuthGap, elevationGap) < 1.0,
                     qPrintable(middle.toString(Qt::ISODate) +
                                QStringLiteral(": sun %1/%2").arg(sun.azimuth).arg(sun.elevation)));
        }
    }
}

void TestHorizonMask::marksOutagesBehindTheHorizon_data() {
    QTest::addColumn<double>("raise"); // the skyline's height above the satellite, degrees
    QTest::addColumn<bool>("marked");
    QTest::newRow("skyline well above the satellite") << 3.0 << true;
    QTest::newRow("skyline well below the satellite") << -3.0 << false;
}

void TestHorizonMask::marksOutagesBehindTheHorizon() {
    QFETCH(double, raise);
    QFETCH(bool, marked);
    const SatelliteRecord satellite = SatelliteSeenFrom(-19.2, 47.16, -16.16);
    OutageTableModel table;
    table.setRows(Outages(satellite));
    QVERIFY(table.rowCount() > 0);
    // Nothing is marked without a skyline.
    table.setHorizon(HorizonMask(), 47.16, -16.16);
    for (int row = 0; row < table.rowCount(); ++row)
        QVERIFY(!table.index(row, 0).data(kBlockedRole).toBool());
    table.setHorizon(HorizonMask(Points{{0, satellite->Elevation + raise}}), 47.16, -16.16);
    for (int row = 0; row < table.rowCount(); ++row) {
        QCOMPARE(table.index(row, 0).data(kBlockedRole).toBool(), marked);
        QCOMPARE(table.index(row, 0).data(Qt::ToolTipRole).toString().isEmpty(), !marked);
    }
}

QTEST_GUILESS_MAIN(TestHorizonMask)
#include "tst_horizonmask.moc"
