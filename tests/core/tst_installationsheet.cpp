#include "InstallationSheet.h"

#include <QtTest>

using namespace skyvane;

Q_DECLARE_METATYPE(OutageSeason)

class TestInstallationSheet : public QObject {
    Q_OBJECT

private slots:
    void nextSeason_data() {
        QTest::addColumn<QDate>("today");
        QTest::addColumn<int>("year");
        QTest::addColumn<OutageSeason>("season");
        QTest::newRow("last day of March") << QDate(2026, 3, 31) << 2026 << OutageSeason::Spring;
        QTest::newRow("first day of April") << QDate(2026, 4, 1) << 2026 << OutageSeason::Fall;
        QTest::newRow("November") << QDate(2026, 11, 1) << 2027 << OutageSeason::Spring;
    }
    void nextSeason() {
        QFETCH(QDate, today);
        QFETCH(int, year);
        QFETCH(OutageSeason, season);
        QCOMPARE(NextOutageSeason(today), std::make_pair(year, season));
    }

    void geoUri_data() {
        QTest::addColumn<double>("north");
        QTest::addColumn<double>("east");
        QTest::addColumn<QString>("uri");
        QTest::newRow("Szombathely") << 47.16 << 16.16 << "geo:47.16,16.16";
        QTest::newRow("Sydney, south and east") << -33.8688 << 151.2093 << "geo:-33.8688,151.2093";
        QTest::newRow("Quito, west") << -0.22 << -78.5125 << "geo:-0.22,-78.5125";
        QTest::newRow("on both zeros") << -0.0 << 0.0 << "geo:0,0";
    }
    void geoUri() {
        QFETCH(double, north);
        QFETCH(double, east);
        QFETCH(QString, uri);
        QCOMPARE(GeoUri(north, east), uri);
    }

    // The list's azimuth holds the declination when it is applied (degrees West positive): the
    // sheet gives both bearings either way; an offset dish's plate tilts by the offset less.
    void figures_data() {
        QTest::addColumn<bool>("applied");
        QTest::addColumn<double>("listAzimuth");
        QTest::addColumn<double>("trueAzimuth");
        QTest::addColumn<double>("magneticAzimuth");
        QTest::newRow("true azimuths in the list") << false << 175.86 << 175.86 << 180.86;
        QTest::newRow("magnetic azimuths in the list") << true << 180.86 << 175.86 << 180.86;
        QTest::newRow("through north") << false << 358.0 << 358.0 << 3.0;
    }
    void figures() {
        QFETCH(bool, applied);
        QFETCH(double, listAzimuth);
        QFETCH(double, trueAzimuth);
        QFETCH(double, magneticAzimuth);
        TSatelliteData record;
        record.Azimuth = listAzimuth;
        record.Elevation = 35.72;
        const SheetFigures f = MakeSheetFigures(record, 5.0, applied, 22.0, false, {2026, 5, 1});
        QCOMPARE(std::round(f.trueAzimuth * 100) / 100, trueAzimuth);
        QVERIFY(f.magneticAzimuth);
        QCOMPARE(std::round(*f.magneticAzimuth * 100) / 100, magneticAzimuth);
        QCOMPARE(f.plateTilt.value_or(0.0), 35.72 - 22.0);
        QVERIFY(!f.motorAngle);
        QCOMPARE(f.outageSeason, OutageSeason::Fall);
    }
};

QTEST_GUILESS_MAIN(TestInstallationSheet)
#include "tst_installationsheet.moc"
