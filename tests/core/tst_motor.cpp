#include "LookAngles.h"
#include "Motor.h"

#include <QtTest>

#include <cmath>

using namespace skyvane;

class TestMotor : public QObject {
    Q_OBJECT

private slots:
    void motorAngle_data();
    void motorAngle();
    void declinationOffset_data();
    void declinationOffset();
    void gotoXBytes_data();
    void gotoXBytes();
    void reachableArc_data();
    void reachableArc();
    void modifiedPolarMount_data();
    void modifiedPolarMount();
};

// Latitudes North positive, longitudes and positions West positive, motor angles West positive.
void TestMotor::motorAngle_data() {
    QTest::addColumn<double>("latitude");
    QTest::addColumn<double>("longitude");
    QTest::addColumn<double>("position");
    QTest::addColumn<double>("motor");
    QTest::addColumn<QString>("text");
    // A published forum calculation for Belfast gives azimuth 150.08° and 27.43° E.
    QTest::newRow("Belfast, 19.2 E") << 54.597 << 5.93 << -19.2 << -27.44 << "27.44\u00b0 E";
    QTest::newRow("on the meridian") << 47.0 << -16.0 << -16.0 << 0.0 << "0.00\u00b0 E";
    QTest::newRow("southern site, satellite to the west")
        << -33.87 << -151.21 << -140.0 << 12.80 << "12.80\u00b0 W";
}

void TestMotor::motorAngle() {
    QFETCH(double, latitude);
    QFETCH(double, longitude);
    QFETCH(double, position);
    QFETCH(double, motor);
    QFETCH(QString, text);
    const double angle = UsalsMotorAngle(position, latitude, longitude);
    QVERIFY2(std::fabs(angle - motor) < 0.005, qPrintable(QString::number(angle)));
    QCOMPARE(MotorAngleText(angle), text);
    if (QByteArray(QTest::currentDataTag()).startsWith("Belfast"))
        QVERIFY(std::fabs(CalcAzimuth(position, latitude, longitude) - 150.08) < 0.005);
}

void TestMotor::declinationOffset_data() {
    QTest::addColumn<double>("latitude");
    QTest::addColumn<double>("offset");
    QTest::addColumn<double>("tolerance");
    // A published calculator's table, to its two decimals.
    QTest::newRow("15") << 15.0 << 2.63 << 0.01;
    QTest::newRow("35") << 35.0 << 5.66 << 0.01;
    QTest::newRow("45") << 45.0 << 6.83 << 0.01;
    QTest::newRow("55") << 55.0 << 7.73 << 0.01;
    QTest::newRow("-45: the same in the south") << -45.0 << 6.83 << 0.01;
    // The textbook's example: "about 7°".
    QTest::newRow("49") << 49.0 << 7.0 << 0.3;
}

void TestMotor::declinationOffset() {
    QFETCH(double, latitude);
    QFETCH(double, offset);
    QFETCH(double, tolerance);
    const PolarMountSetup setup = ComputePolarMountSetup(latitude, 0.0, 60.0);
    QVERIFY2(std::fabs(setup.declinationOffset - offset) <= tolerance,
             qPrintable(QString::number(setup.declinationOffset)));
    QCOMPARE(setup.motorElevation, 90.0 - std::fabs(latitude));
    // The dish on the meridian points at the satellite on the meridian.
    const double meridian = CalcElevation(0.0, std::fabs(latitude), 0.0);
    QVERIFY(std::fabs(setup.meridianElevation - meridian) < 1e-6);
}

// The positioner documents give the Goto X angle as three nibbles of whole degrees and one of
// sixteenths (the tenth 0.1..0.9 as 2, 3, 5, 6, 8, A, B, D, E), after a direction nibble of E
// for East and D for West: E0 31 6E <direction and degrees> <degrees and sixteenths>.
void TestMotor::gotoXBytes_data() {
    QTest::addColumn<double>("motor");
    QTest::addColumn<bool>("southern");
    QTest::addColumn<QString>("bytes");
    QTest::newRow("0") << 0.0 << false << "E0 31 6E E0 00";
    QTest::newRow("27.44 E rounds to 27.4") << -27.44 << false << "E0 31 6E E1 B6";
    QTest::newRow("10.5 W") << 10.5 << false << "E0 31 6E D0 A8";
    QTest::newRow("0.1 W") << 0.1 << false << "E0 31 6E D0 02";
    QTest::newRow("0.96 E rounds to 1.0") << -0.96 << false << "E0 31 6E E0 10";
    QTest::newRow("75.9 E") << -75.9 << false << "E0 31 6E E4 BE";
    QTest::newRow("10.5 W, southern: the motor turns East") << 10.5 << true << "E0 31 6E E0 A8";
}

void TestMotor::gotoXBytes() {
    QFETCH(double, motor);
    QFETCH(bool, southern);
    QFETCH(QString, bytes);
    QCOMPARE(GotoXText(GotoXBytes(motor, southern)), bytes);
}

void TestMotor::reachableArc_data() {
    QTest::addColumn<double>("latitude");
    QTest::addColumn<double>("minElevation");
    QTest::addColumn<bool>("any");
    QTest::newRow("equator") << 0.0 << 0.0 << true;
    QTest::newRow("45 N") << 45.0 << 0.0 << true;
    QTest::newRow("80 N") << 80.0 << 0.0 << true;
    QTest::newRow("45 S, above 10") << -45.0 << 10.0 << true;
    QTest::newRow("70 N, above 15: only near the meridian") << 70.0 << 15.0 << false;
    QTest::newRow("82 N: the arc below the horizon") << 82.0 << 0.0 << false;
}

void TestMotor::reachableArc() {
    QFETCH(double, latitude);
    QFETCH(double, minElevation);
    QFETCH(bool, any);
    const double longitude = 170.0; // the west end passes 180°
    const auto arc = ComputeReachableArc(latitude, longitude, minElevation);
    QCOMPARE(arc.has_value(), any);
    if (!arc)
        return;
    if (minElevation == 0.0) {
        const double limit =
            std::acos(0.1513 / std::cos(DegToRad(latitude))) * 180.0 / 3.14159265358979;
        QVERIFY2(std::fabs(*VisibleArcHalfWidth(latitude, 0.0) - limit) < 0.1,
                 qPrintable(QString::number(limit)));
    }
    for (const double end : {arc->westmost, arc->eastmost}) {
        QVERIFY(end > -180.0 && end <= 180.0);
        QVERIFY(std::fabs(CalcElevation(end, latitude, longitude) - minElevation) < 1e-6);
    }
    QVERIFY(arc->westMotorAngle > 0.0 && arc->eastMotorAngle < 0.0);
}

void TestMotor::modifiedPolarMount_data() {
    QTest::addColumn<double>("latitude");
    QTest::newRow("20") << 20.0;
    QTest::newRow("45") << 45.0;
    QTest::newRow("60 S") << -60.0;
}

// The modified mount tilts the axis a fraction of a degree more and the dish as much less, so
// that the beam still meets the satellite on the meridian.
void TestMotor::modifiedPolarMount() {
    QFETCH(double, latitude);
    const double arcEnd = *VisibleArcHalfWidth(latitude, 5.0);
    const PolarMountSetup setup = ComputePolarMountSetup(latitude, 22.0, arcEnd);
    QVERIFY2(setup.modifiedCorrection > 0.0 && setup.modifiedCorrection < 1.0,
             qPrintable(QString::number(setup.modifiedCorrection)));
    QCOMPARE(setup.modifiedDeclination, setup.declinationOffset - setup.modifiedCorrection);
    QCOMPARE(setup.dishScaleElevation, setup.meridianElevation - 22.0);
    QCOMPARE(ComputePolarMountSetup(latitude, 0.0, 0.0).modifiedCorrection, 0.0);
}

QTEST_GUILESS_MAIN(TestMotor)
#include "tst_motor.moc"
