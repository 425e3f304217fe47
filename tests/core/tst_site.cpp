#include "Site.h"

#include <QtTest>

#include <cmath>

using namespace skyvane;

namespace {

enum class Form { Inputs, NorthWest, SouthEast };

// Equal values with equal signs, so that 0 and -0 (which the settings store tells apart) differ.
bool Same(double a, double b) {
    return a == b && std::signbit(a) == std::signbit(b);
}

} // namespace

Q_DECLARE_METATYPE(Form)

class TestSite : public QObject {
    Q_OBJECT

private slots:
    void conversions_data();
    void conversions();
};

void TestSite::conversions_data() {
    QTest::addColumn<Form>("form");
    QTest::addColumn<QString>("latitude"); // text for Inputs, else a number
    QTest::addColumn<bool>("north");       // Inputs only
    QTest::addColumn<QString>("longitude");
    QTest::addColumn<bool>("west");
    QTest::addColumn<double>("latitudeNorth");
    QTest::addColumn<double>("longitudeWest");
    QTest::addColumn<QString>("shown"); // texts and hemispheres as the fields show them

    QTest::newRow("typed minus signs, hemispheres from the buttons")
        << Form::Inputs << "-33.5" << true << "-8" << false << 33.5 << -8.0 << "-33.5 N / -8 E";
    QTest::newRow("typed text that is no number counts as 0 in its hemisphere")
        << Form::Inputs << "abc" << true << "" << true << 0.0 << 0.0 << "abc N /  W";
    QTest::newRow("southern and eastern 0 are negative zeros")
        << Form::Inputs << "0" << false << "0" << false << -0.0 << -0.0 << "0 S / 0 E";
    QTest::newRow("town south and west") << Form::NorthWest << "-33.5" << false << "58.5" << false
                                         << -33.5 << 58.5 << "33.50 S / 58.50 W";
    QTest::newRow("town on the equator and prime meridian: North and East")
        << Form::NorthWest << "0" << false << "0" << false << 0.0 << -0.0 << "0.00 N / 0.00 E";
    QTest::newRow("stored or mapped north and west")
        << Form::SouthEast << "-47.16" << false << "-16.16" << false << 47.16 << 16.16
        << "47.16 N / 16.16 W";
    QTest::newRow("stored or mapped 0: South and East")
        << Form::SouthEast << "-0" << false << "0" << false << -0.0 << -0.0 << "0.00 S / 0.00 E";
}

void TestSite::conversions() {
    QFETCH(Form, form);
    QFETCH(QString, latitude);
    QFETCH(bool, north);
    QFETCH(QString, longitude);
    QFETCH(bool, west);
    QFETCH(double, latitudeNorth);
    QFETCH(double, longitudeWest);
    QFETCH(QString, shown);

    const double lat = latitude.toDouble();
    const double lon = longitude.toDouble();
    const Site site = form == Form::Inputs      ? Site::FromInputs(latitude, north, longitude, west)
                      : form == Form::NorthWest ? Site::FromNorthWest(lat, lon)
                                                : Site::FromSouthEast(lat, lon);

    QVERIFY2(
        Same(site.latitudeNorth(), latitudeNorth) && Same(site.longitudeWest(), longitudeWest),
        qPrintable(QStringLiteral("%1 / %2").arg(site.latitudeNorth()).arg(site.longitudeWest())));
    QVERIFY(Same(site.latitudeSouth(), -latitudeNorth));
    QVERIFY(Same(site.longitudeEast(), -longitudeWest));
    QCOMPARE(QStringLiteral("%1 %2 / %3 %4")
                 .arg(site.latitudeText(), site.north() ? "N" : "S", site.longitudeText(),
                      site.west() ? "W" : "E"),
             shown);
    // What the fields show is read back as the same site.
    const Site again =
        Site::FromInputs(site.latitudeText(), site.north(), site.longitudeText(), site.west());
    QCOMPARE(again, site);
    QCOMPARE(again.latitudeNorth(), site.latitudeNorth());
}

QTEST_GUILESS_MAIN(TestSite)
#include "tst_site.moc"
