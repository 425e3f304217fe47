#include "FieldMark.h"
#include "LookAngles.h"
#include "fMotor.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QtTest>

using namespace skyvane;

namespace {

// Belfast, 54.597 N 5.93 W.
constexpr double kLatitude = 54.597;
constexpr double kLongitude = 5.93;

SatelliteRecord At(double position, const QString& name) {
    auto record = std::make_shared<TSatelliteData>();
    record->Name = name;
    record->Position = position;
    record->SiteLatitude = kLatitude;
    record->SiteLongitude = kLongitude;
    record->Elevation = CalcElevation(position, kLatitude, kLongitude);
    record->Azimuth = CalcAzimuth(position, kLatitude, kLongitude);
    return record;
}

ToolWindowLink LinkWith(std::vector<SatelliteRecord> records) {
    ToolWindowLink link;
    link.records = [records] { return records; };
    return link;
}

} // namespace

class TestMotorWindow : public QObject {
    Q_OBJECT

private slots:
    void chosenSatellite_data();
    void chosenSatellite();
    void rejectedInputKeepsTheValues();
};

void TestMotorWindow::chosenSatellite_data() {
    QTest::addColumn<double>("position");
    QTest::addColumn<QString>("motor");
    QTest::addColumn<QString>("gotoX");
    QTest::addColumn<QString>("swing");
    // From Hot Bird at 13 E, 20.70 E by motor, the nearest to the meridian; values worked out by
    // hand from the published formula, swings at 1.7 and 2.3 degrees a second.
    QTest::newRow("Astra 19.2 E") << -19.2 << "27.44\u00b0 E"
                                  << "E0 31 6E E1 B6"
                                  << "4.0 s at 13 V, 2.9 s at 18 V";
    QTest::newRow("Hispasat 30 W") << 30.0 << "26.29\u00b0 W"
                                   << "E0 31 6E D1 A5"
                                   << "27.6 s at 13 V, 20.4 s at 18 V";
    QTest::newRow("70 E, below the horizon")
        << -70.0 << "80.89\u00b0 E: below the minimum elevation"
        << "E0 31 6E E5 0E"
        << "35.4 s at 13 V, 26.2 s at 18 V";
}

void TestMotorWindow::chosenSatellite() {
    QFETCH(double, position);
    QFETCH(QString, motor);
    QFETCH(QString, gotoX);
    QFETCH(QString, swing);
    const std::vector<SatelliteRecord> listed{At(-19.2, "Astra"), At(-13.0, "Hot Bird"),
                                              At(30.0, "Hispasat"), At(-70.0, "Low")};
    TfrmMotor window(nullptr, LinkWith(listed));
    window.SetSatellite(*std::find_if(listed.begin(), listed.end(),
                                      [&](const auto& r) { return r->Position == position; }));
    QCOMPARE(window.cbFrom->currentText(), QString("13.0\u00b0 E Hot Bird"));
    QCOMPARE(window.valMotorAngle->text(), motor);
    QCOMPARE(window.valGotoX->text(), gotoX);
    QCOMPARE(window.valSwing->text(), swing);
    const QString html = window.HtmlBodyLines().join(QLatin1Char('\n'));
    QVERIFY(html.contains(gotoX));
    QVERIFY(html.contains(QStringLiteral("Declination offset:")));
}

void TestMotorWindow::rejectedInputKeepsTheValues() {
    const std::vector<SatelliteRecord> listed{At(-19.2, "Astra"), At(-13.0, "Hot Bird")};
    TfrmMotor window(nullptr, LinkWith(listed));
    window.SetSatellite(listed.front());
    const QString before = window.valSwing->text();
    window.edSpeed13->setText(QStringLiteral("fast"));
    QCOMPARE(window.valSwing->text(), before);
    QVERIFY(IsMarkedRejected(window.edSpeed13));
    window.edSpeed13->setText(QStringLiteral("0.85"));
    QVERIFY(!IsMarkedRejected(window.edSpeed13));
    QCOMPARE(window.valSwing->text(), QString("7.9 s at 13 V, 2.9 s at 18 V"));
    // A minimum elevation the site never sees leaves no arc.
    window.edMinElevation->setText(QStringLiteral("40"));
    QCOMPARE(window.valArc->text(), QString("No part of the arc is that high here."));
}

QTEST_MAIN(TestMotorWindow)
#include "tst_motorwindow.moc"
