#include "Calculation.h"
#include "Catalogue.h"
#include "Constants.h"
#include "LookAngles.h"
#include "NumberText.h"

#include <QtTest>

using namespace skyvane;

class TestLookAngles : public QObject {
    Q_OBJECT

private slots:
    void angles_data();
    void angles();
    void equatorNeverDividesByZero();
    void visibilityBoundary();
    void geodeticLookAngles_data();
    void geodeticLookAngles();
    void orbitalPositionText_data();
    void orbitalPositionText();
    void builtInCatalogueAtDefaultSite();
    void declinationAddsToAzimuthOnly();
    void declinationKeepsAzimuthOnTheCircle_data();
    void declinationKeepsAzimuthOnTheCircle();
    void blankAndCommentLinesCarryNoSatellite();
    void listAgreesWithOneRecord_data();
    void listAgreesWithOneRecord();
};

Q_DECLARE_METATYPE(LookModel)

// Reference values after display rounding (hundredths, ties to even).
void TestLookAngles::angles_data() {
    QTest::addColumn<double>("position");
    QTest::addColumn<double>("latitude");
    QTest::addColumn<double>("longitude");
    QTest::addColumn<QString>("elevation");
    QTest::addColumn<QString>("azimuth");
    QTest::addColumn<QString>("skew");

    QTest::newRow("Astra 19.2 E from 47.16 N 16.16 E") << -19.2 << 47.16 << -16.16 << "35.72"
                                                       << "175.86"
                                                       << "-2.82";
    QTest::newRow("satellite due south of a northern site") << -16.16 << 47.16 << -16.16 << "35.80"
                                                            << "180.00"
                                                            << "0.00";
    QTest::newRow("satellite due north of a southern site") << 30.0 << -33.5 << 30.0 << "51.05"
                                                            << "360.00"
                                                            << "0.00";
    QTest::newRow("southern site, satellite to the east") << -10.0 << -33.5 << 0.0 << "49.58"
                                                          << "17.72"
                                                          << "14.70";
    QTest::newRow("northern site, satellite to the west gives positive skew")
        << 30.0 << 40.0 << 0.0 << "34.40"
        << "221.93"
        << "30.79";
}

void TestLookAngles::angles() {
    QFETCH(double, position);
    QFETCH(double, latitude);
    QFETCH(double, longitude);
    QFETCH(QString, elevation);
    QFETCH(QString, azimuth);
    QFETCH(QString, skew);
    QCOMPARE(FormatAngle(CalcElevation(position, latitude, longitude)), elevation);
    QCOMPARE(FormatAngle(CalcAzimuth(position, latitude, longitude)), azimuth);
    QCOMPARE(FormatAngle(CalcSkew(position, latitude, longitude)), skew);
}

void TestLookAngles::equatorNeverDividesByZero() {
    // Latitude 0 (and -0, which the South button gives for "0") is computed as just North.
    for (const double latitude : {0.0, -0.0}) {
        const double azimuth = CalcAzimuth(-19.2, latitude, -16.16);
        const double skew = CalcSkew(-19.2, latitude, -16.16);
        QVERIFY2(std::isfinite(azimuth) && std::isfinite(skew),
                 qPrintable(QStringLiteral("latitude %1: azimuth %2 skew %3")
                                .arg(latitude)
                                .arg(azimuth)
                                .arg(skew)));
        QCOMPARE(azimuth, CalcAzimuth(-19.2, 0.00001, -16.16));
        QCOMPARE(skew, CalcSkew(-19.2, 0.00001, -16.16));
    }
}

void TestLookAngles::visibilityBoundary() {
    QVERIFY(IsVisible(0.0));
    QVERIFY(!IsVisible(-0.001));
    // Amazonas (61.0 W) and Insat 3A (93.5 E) stand just below the horizon of the default site.
    QVERIFY(!IsVisible(CalcElevation(61.0, 47.16, -16.16)));
    QVERIFY(!IsVisible(CalcElevation(-93.5, 47.16, -16.16)));
    QVERIFY(IsVisible(CalcElevation(58.0, 47.16, -16.16)));
}

void TestLookAngles::orbitalPositionText_data() {
    QTest::addColumn<double>("position");
    QTest::addColumn<QString>("text");
    QTest::newRow("east is negative") << -19.2 << QStringLiteral("19.2° E");
    QTest::newRow("west is positive") << 30.0 << QStringLiteral("30.0° W");
    QTest::newRow("zero counts as east") << 0.0 << QStringLiteral("0.0° E");
    QTest::newRow("one decimal, half to even is the formatter's")
        << 177.0 << QStringLiteral("177.0° W");
}

void TestLookAngles::orbitalPositionText() {
    QFETCH(double, position);
    QFETCH(QString, text);
    QCOMPARE(OrbitalPositionText(position), text);
}

void TestLookAngles::builtInCatalogueAtDefaultSite() {
    const CalculationResult result =
        CalculateVisibleSatellites(BuiltInCatalogueLines(), 47.16, -16.16);
    QCOMPARE(result.catalogueVersion.value_or(QString()), QStringLiteral("20051201"));
    QCOMPARE(int(result.visible.size()), 67);
    QCOMPARE(result.visible.front()->Name, QStringLiteral("Measat 1"));
    QCOMPARE(result.visible.back()->Name, QStringLiteral("PAS 9"));
    bool astraSeen = false;
    for (const SatelliteRecord& r : result.visible) {
        QVERIFY2(r->Name != QStringLiteral("Amazonas") && r->Name != QStringLiteral("Insat 3A"),
                 qPrintable(r->Name));
        QCOMPARE(r->SiteLatitude, 47.16);
        QCOMPARE(r->SiteLongitude, -16.16);
        if (r->Name == QStringLiteral("Astra 1C/1E/1F/1G/2H/2C")) {
            astraSeen = true;
            QCOMPARE(OrbitalPositionText(r->Position), QStringLiteral("19.2° E"));
            QCOMPARE(FormatAngle(r->Azimuth), QStringLiteral("175.86"));
            QCOMPARE(FormatAngle(r->Elevation), QStringLiteral("35.72"));
            QCOMPARE(FormatAngle(r->Skew), QStringLiteral("-2.82"));
        }
    }
    QVERIFY(astraSeen);
}

void TestLookAngles::declinationAddsToAzimuthOnly() {
    const QStringList lines{QStringLiteral("-19.2|Astra")};
    const auto plain = CalculateVisibleSatellites(lines, 47.16, -16.16);
    const auto corrected = CalculateVisibleSatellites(lines, 47.16, -16.16, -4.5);
    QCOMPARE(corrected.visible.at(0)->Azimuth, plain.visible.at(0)->Azimuth - 4.5);
    QCOMPARE(corrected.visible.at(0)->Elevation, plain.visible.at(0)->Elevation);
    QCOMPARE(corrected.visible.at(0)->Skew, plain.visible.at(0)->Skew);
}

void TestLookAngles::declinationKeepsAzimuthOnTheCircle_data() {
    QTest::addColumn<double>("declination"); // degrees, West positive
    QTest::addColumn<double>("azimuth");     // degrees, expected
    // The satellite stands due North of the southern site: a true azimuth of 360.
    QTest::newRow("past North clockwise") << 25.06 << 25.06;
    QTest::newRow("short of North") << -4.5 << 355.5;
    QTest::newRow("zero declination, North as 0") << 0.0 << 0.0;
}

void TestLookAngles::declinationKeepsAzimuthOnTheCircle() {
    QFETCH(double, declination);
    QFETCH(double, azimuth);
    const auto result = CalculateVisibleSatellites({QStringLiteral("-16.16|Due North")}, -33.5,
                                                   -16.16, declination);
    const double actual = result.visible.at(0)->Azimuth;
    QVERIFY2(std::fabs(actual - azimuth) < 1e-9,
             qPrintable(QStringLiteral("expected %1, got %2").arg(azimuth).arg(actual)));
}

void TestLookAngles::blankAndCommentLinesCarryNoSatellite() {
    const QStringList lines{QString(),
                            QStringLiteral("   "),
                            QStringLiteral("; a comment"),
                            QStringLiteral(";Version=7"),
                            QStringLiteral("-19.2|Astra"),
                            QStringLiteral("; version = 8")};
    const auto result = CalculateVisibleSatellites(lines, 47.16, -16.16);
    QCOMPARE(int(result.visible.size()), 1);
    QCOMPARE(result.catalogueVersion.value_or(QString()), QStringLiteral("= 8"));
}

// References from tools/make_geodetic_reference.py (the published WGS84 formulas and Bennett's
// refraction). Longitudes and positions West positive.
void TestLookAngles::geodeticLookAngles_data() {
    QTest::addColumn<double>("latitude");
    QTest::addColumn<double>("longitude");
    QTest::addColumn<double>("position");
    QTest::addColumn<double>("azimuth");
    QTest::addColumn<double>("elevation");
    QTest::newRow("Szombathely, 19.2 E") << 47.16 << -16.16 << -19.2 << 175.8546 << 35.7656;
    QTest::newRow("Belfast, 19.2 E") << 54.597 << 5.93 << -19.2 << 150.0643 << 23.7370;
    QTest::newRow("40 N 75 W, 101 W") << 40.0 << 75.0 << 101.0 << 217.2143 << 36.5792;
    QTest::newRow("Sydney, 156 E") << -33.87 << -151.21 << -156.0 << 8.5580 << 50.3301;
    QTest::newRow("Helsinki, 5 E") << 60.17 << -24.94 << -5.0 << 202.7053 << 19.7669;
}

void TestLookAngles::geodeticLookAngles() {
    QFETCH(double, latitude);
    QFETCH(double, longitude);
    QFETCH(double, position);
    QFETCH(double, azimuth);
    QFETCH(double, elevation);
    const LookAngles look = GeodeticLookAngles(position, latitude, longitude);
    QVERIFY2(std::fabs(look.azimuth - azimuth) < 0.005, qPrintable(QString::number(look.azimuth)));
    QVERIFY2(std::fabs(look.elevation - elevation) < 0.005,
             qPrintable(QString::number(look.elevation, 'f', 4)));
    // Mid-latitudes: the ellipsoid and the air each raise the satellite a few hundredths.
    const double raised = look.elevation - CalcElevation(position, latitude, longitude);
    QVERIFY2(raised > 0.02 && raised < 0.08, qPrintable(QString::number(raised)));
}

// The list works out the elevation of every satellite first and the other angles of the visible
// ones after: each listed record must be what the one-record calculation gives, in catalogue
// order, and no satellite it finds visible may be missing.
void TestLookAngles::listAgreesWithOneRecord_data() {
    QTest::addColumn<double>("latitude");
    QTest::addColumn<double>("longitude");
    QTest::addColumn<LookModel>("model");
    QTest::addColumn<double>("declination"); // NaN: none applied

    const double none = std::numeric_limits<double>::quiet_NaN();
    QTest::newRow("sphere, north, east") << 47.16 << -16.16 << LookModel::Sphere << none;
    QTest::newRow("sphere, south, west, declination")
        << -33.5 << 70.4 << LookModel::Sphere << -14.25;
    QTest::newRow("sphere, equator") << 0.0 << 120.0 << LookModel::Sphere << none;
    QTest::newRow("geodetic, north, declination") << 60.17 << -24.94 << LookModel::Geodetic << 8.5;
    QTest::newRow("geodetic, south") << -33.87 << -151.21 << LookModel::Geodetic << none;
}

void TestLookAngles::listAgreesWithOneRecord() {
    QFETCH(double, latitude);
    QFETCH(double, longitude);
    QFETCH(LookModel, model);
    QFETCH(double, declination);
    const std::optional<double> applied =
        std::isnan(declination) ? std::nullopt : std::optional<double>(declination);
    const auto position = [](int i) { return -179.75 + i * 0.5; };
    QStringList lines;
    for (int i = 0; i < 720; ++i)
        lines.append(QString::number(position(i), 'f', 2) + QStringLiteral("|S%1").arg(i));

    const CalculationResult list =
        CalculateVisibleSatellites(lines, latitude, longitude, applied, model, 250.0);
    std::size_t next = 0;
    for (int i = 0; i < int(lines.size()); ++i) {
        TSatelliteData expected;
        expected.Position = position(i);
        ComputeLookAngles(expected, latitude, longitude, applied, model, 250.0);
        if (!IsVisible(expected.Elevation))
            continue;
        QVERIFY2(next < list.visible.size(), qPrintable(QStringLiteral("S%1 missing").arg(i)));
        const TSatelliteData& listed = *list.visible[next++];
        QCOMPARE(listed.Name, QStringLiteral("S%1").arg(i));
        QCOMPARE(listed.Position, expected.Position);
        QCOMPARE(listed.Elevation, expected.Elevation);
        QCOMPARE(listed.Azimuth, expected.Azimuth);
        QCOMPARE(listed.Skew, expected.Skew);
        QCOMPARE(listed.SiteLatitude, latitude);
        QCOMPARE(listed.SiteLongitude, longitude);
    }
    QCOMPARE(list.visible.size(), next);
    QVERIFY(next > 100);
}

QTEST_GUILESS_MAIN(TestLookAngles)
#include "tst_lookangles.moc"
