#include "ManySites.h"

#include <QtTest>

using namespace skyvane;

class TestManySites : public QObject {
    Q_OBJECT

private slots:
    void readsSiteLists_data();
    void readsSiteLists();
    void predictsEverySiteAndStops();
};

void TestManySites::readsSiteLists_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("count");
    QTest::addColumn<double>("latitude");  // of the last site, North positive
    QTest::addColumn<double>("longitude"); // West positive
    QTest::addColumn<QString>("error");
    QTest::newRow("signed, East positive")
        << QByteArray("# my sites\nHome;47.16;16.16\n\nSydney;-33.87;151.21\n") << 2 << -33.87
        << -151.21 << "";
    QTest::newRow("letters and a comma")
        << QByteArray("Quito;0,22 S;78,51 W\r\n") << 1 << -0.22 << 78.51 << "";
    QTest::newRow("off the globe")
        << QByteArray("Home;47.16;16.16\nNowhere;95;10\n") << 0 << 0.0 << 0.0 << "Line 2 is not";
    QTest::newRow("sign and letter")
        << QByteArray("Twice;-47 S;10 E\n") << 0 << 0.0 << 0.0 << "Line 1 is not";
    QTest::newRow("two fields") << QByteArray("Home;47.16\n") << 0 << 0.0 << 0.0 << "Line 1 is not";
}

void TestManySites::readsSiteLists() {
    QFETCH(QByteArray, text);
    QFETCH(int, count);
    QFETCH(double, latitude);
    QFETCH(double, longitude);
    QFETCH(QString, error);
    QString said;
    const std::vector<NamedSite> sites = ReadSiteList(text, &said);
    QCOMPARE(int(sites.size()), count);
    QVERIFY2(error.isEmpty() ? said.isEmpty() : said.startsWith(error), qPrintable(said));
    if (count > 0) {
        QCOMPARE(sites.back().latitude, latitude);
        QCOMPARE(sites.back().longitude, longitude);
    }
}

// Each site gets the prediction the window makes for it; a stop ends the list at once.
void TestManySites::predictsEverySiteAndStops() {
    TSatelliteData astra;
    astra.Name = QStringLiteral("Astra 1C");
    astra.Position = -19.2;
    SunOutagePredictor options;
    options.Year = 2000;
    const std::vector<NamedSite> sites{{"Szombathely", 47.16, -16.16}, {"Belfast", 54.597, 5.93}};
    int reported = 0;
    const auto outages =
        PredictForSites(astra, sites, options, {}, [&](int done) { reported = done; });
    QCOMPARE(int(outages.size()), 2);
    QCOMPARE(reported, 2);
    SunOutagePredictor single = options;
    auto here = std::make_shared<TSatelliteData>(astra);
    here->SiteLatitude = 47.16, here->SiteLongitude = -16.16;
    single.Satellite = here;
    single.PredictOutages();
    QCOMPARE(outages[0].rows.size(), single.Rows.size());
    QCOMPARE(outages[0].rows.front().Start, single.Rows.front().Start);
    QVERIFY(outages[1].rows.front().Start != outages[0].rows.front().Start);
    QCOMPARE(SiteOutageRows(outages).size(),
             qsizetype(outages[0].rows.size() + outages[1].rows.size()));
    std::stop_source stop;
    stop.request_stop();
    QVERIFY(PredictForSites(astra, sites, options, stop.get_token()).empty());
}

QTEST_GUILESS_MAIN(TestManySites)
#include "tst_manysites.moc"
