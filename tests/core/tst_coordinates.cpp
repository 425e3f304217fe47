#include "Coordinates.h"

#include <QtTest>

#include <cmath>

using namespace skyvane;

// Published coordinates of well-known places and the locator examples of the Maidenhead system.
class TestCoordinates : public QObject {
    Q_OBJECT

private slots:
    void readsDegreesMinutesSeconds_data();
    void readsDegreesMinutesSeconds();
    void refusesWhatIsNoAngle_data();
    void refusesWhatIsNoAngle();
    void findsLocatorCentres_data();
    void findsLocatorCentres();
};

constexpr double kTolerance = 1e-6; // degrees

void TestCoordinates::readsDegreesMinutesSeconds_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("latitude");
    QTest::addColumn<double>("expected"); // North or East positive
    QTest::addColumn<bool>("hemisphereGiven");
    QTest::newRow("ASCII marks, letter after") << "47°41'24\"N" << true << 47.69 << true;
    QTest::newRow("typographic marks, Statue of Liberty latitude")
        << QStringLiteral("40°41′21″N") << true << 40.0 + 41.0 / 60 + 21.0 / 3600 << true;
    QTest::newRow("Statue of Liberty longitude, West")
        << QStringLiteral("74°2′40″W") << false << -(74.0 + 2.0 / 60 + 40.0 / 3600) << true;
    QTest::newRow("blanks only") << "47 41 24 N" << true << 47.69 << true;
    QTest::newRow("letter first, Sydney")
        << "S 33 52 04" << true << -(33 + 52.0 / 60 + 4.0 / 3600) << true;
    QTest::newRow("Eiffel Tower longitude, marks and blanks")
        << "2° 17' 40\" E" << false << 2.0 + 17.0 / 60 + 40.0 / 3600 << true;
    QTest::newRow("decimal minutes") << "47°41.4'N" << true << 47.69 << true;
    QTest::newRow("decimal minutes with a comma") << "47°41,4'" << true << 47.69 << false;
    QTest::newRow("two apostrophes for seconds") << "47°41'24''n" << true << 47.69 << true;
    QTest::newRow("degrees only, minus sign") << "-151.21°" << false << -151.21 << true;
    QTest::newRow("masculine ordinal for degrees") << "47º41'" << true << 47.0 + 41.0 / 60 << false;
}

void TestCoordinates::readsDegreesMinutesSeconds() {
    QFETCH(QString, text);
    QFETCH(bool, latitude);
    QFETCH(double, expected);
    QFETCH(bool, hemisphereGiven);
    const auto reading = ParseDegreesMinutesSeconds(text, latitude ? CoordinateAxis::Latitude
                                                                   : CoordinateAxis::Longitude);
    QVERIFY2(reading, qPrintable(text));
    QVERIFY2(std::fabs(reading->signedDegrees() - expected) < kTolerance,
             qPrintable(text + QStringLiteral(": %1").arg(reading->signedDegrees(), 0, 'f', 9)));
    QCOMPARE(reading->northOrEast.has_value(), hemisphereGiven);
}

void TestCoordinates::refusesWhatIsNoAngle_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("latitude");
    QTest::newRow("sixty minutes") << "47°60'N" << true;
    QTest::newRow("longitude letter for a latitude") << "47°41'24\"E" << true;
    QTest::newRow("sign and letter") << "-47 41 24 S" << true;
    QTest::newRow("decimals before the last number") << "47.5 41" << true;
    QTest::newRow("beyond the pole") << "91°N" << true;
    QTest::newRow("beyond the date line") << "180 0 1 E" << false;
    QTest::newRow("numbers run together") << "4741 N" << true;
    QTest::newRow("seconds after degrees") << "47° 24\"" << true;
    QTest::newRow("four numbers") << "47 41 24 5" << true;
    QTest::newRow("a word") << "north" << true;
    QTest::newRow("bare number with digit grouping") << "-1,000" << false;
    QTest::newRow("empty") << "" << true;
}

void TestCoordinates::refusesWhatIsNoAngle() {
    QFETCH(QString, text);
    QFETCH(bool, latitude);
    const auto reading = ParseDegreesMinutesSeconds(text, latitude ? CoordinateAxis::Latitude
                                                                   : CoordinateAxis::Longitude);
    QVERIFY2(!reading, qPrintable(text + QStringLiteral(" was read as ") +
                                  QString::number(reading ? reading->signedDegrees() : 0.0)));
}

void TestCoordinates::findsLocatorCentres_data() {
    QTest::addColumn<QString>("locator");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<double>("latitude");
    QTest::addColumn<double>("longitude");
    QTest::newRow("square JN87") << "JN87" << true << 47.5 << 17.0;
    QTest::newRow("lower case") << "jn87" << true << 47.5 << 17.0;
    QTest::newRow("field JN") << "JN" << true << 45.0 << 10.0;
    QTest::newRow("subsquare FN31pr (W1AW)")
        << "FN31pr" << true << 41.0 + 17.5 / 24 << -72.708333333;
    QTest::newRow("subsquare IO91wm (London)") << "IO91wm" << true << 51.0 + 12.5 / 24 << -0.125;
    QTest::newRow("south-west corner AA00aa00")
        << "AA00aa00" << true << -90.0 + 0.125 / 60 << -180.0 + 0.25 / 60;
    QTest::newRow("odd length") << "JN8" << false << 0.0 << 0.0;
    QTest::newRow("field letter past R") << "SN87" << false << 0.0 << 0.0;
    QTest::newRow("subsquare letter past X") << "JN87ya" << false << 0.0 << 0.0;
    QTest::newRow("digit where a letter belongs") << "J887" << false << 0.0 << 0.0;
}

void TestCoordinates::findsLocatorCentres() {
    QFETCH(QString, locator);
    QFETCH(bool, valid);
    QFETCH(double, latitude);
    QFETCH(double, longitude);
    const auto centre = MaidenheadCentre(locator);
    QCOMPARE(centre.has_value(), valid);
    if (!valid)
        return;
    QVERIFY2(std::fabs(centre->latitude - latitude) < kTolerance &&
                 std::fabs(centre->longitude - longitude) < kTolerance,
             qPrintable(locator + QStringLiteral(": %1 %2")
                                      .arg(centre->latitude, 0, 'f', 9)
                                      .arg(centre->longitude, 0, 'f', 9)));
}

QTEST_GUILESS_MAIN(TestCoordinates)
#include "tst_coordinates.moc"
