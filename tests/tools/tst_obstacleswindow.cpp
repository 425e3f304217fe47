#include "Constants.h"
#include "FieldMark.h"
#include "LanguageController.h"
#include "fObstacles.h"

#include <QPointer>
#include <QtTest>

#include <memory>

using namespace skyvane;

Q_DECLARE_METATYPE(ObstacleMode)

namespace {

SatelliteRecord SatelliteAt(double elevation) {
    auto record = std::make_shared<TSatelliteData>();
    record->Name = QStringLiteral("Astra 1C/1E/1F/1G/2H/2C");
    record->Elevation = elevation;
    return record;
}

QRadioButton* ModeButton(TfrmObstacles& window, ObstacleMode mode) {
    switch (mode) {
    case ObstacleMode::Distance:
        return window.rbDistance;
    case ObstacleMode::Height:
        return window.rbHeight;
    case ObstacleMode::Elevation:
        return window.rbElevation;
    }
    return nullptr;
}

bool IsMarked(const QLineEdit* edit) {
    return edit->isReadOnly() && edit->palette().color(QPalette::Base) == QColor(Qt::yellow);
}

} // namespace

class TestObstaclesWindow : public QObject {
    Q_OBJECT

private slots:
    void cleanup() {
        QLocale::setDefault(QLocale::c());
        ResetConstants();
    }

    void openedForSatellite() {
        TfrmObstacles window(nullptr, {});
        window.SetSatellite(SatelliteAt(30.5));
        window.show();
        QCOMPARE(window.CurrentMode(), ObstacleMode::Distance);
        QCOMPARE(window.edElevation->text(), QStringLiteral("30.50"));
        QCOMPARE(window.edHeight->text(), QStringLiteral("10.00"));
        QCOMPARE(window.edDistance->text(), QStringLiteral("16.98"));
        QCOMPARE(window.lblResult->text(),
                 QStringLiteral("The mimimum possible distance to the obstacle is 16.98 m."));
    }

    void modeSwitch_data() {
        QTest::addColumn<ObstacleMode>("mode");
        QTest::addColumn<QString>("elevation");
        QTest::addColumn<QString>("distance");
        QTest::addColumn<QString>("result");
        QTest::newRow("height from elevation 20 and distance 50") << ObstacleMode::Height << "20"
                                                                  << "50"
                                                                  << "18.20";
        QTest::newRow("elevation from height 10 and distance 10") << ObstacleMode::Elevation << ""
                                                                  << "10"
                                                                  << "45.00";
    }

    void modeSwitch() {
        QFETCH(ObstacleMode, mode);
        QFETCH(QString, elevation);
        QFETCH(QString, distance);
        QFETCH(QString, result);
        TfrmObstacles window(nullptr, {});
        window.show();
        const QString lastDistance = window.edDistance->text();
        ModeButton(window, mode)->setChecked(true);

        for (QLineEdit* edit : {window.edElevation, window.edDistance, window.edHeight})
            QCOMPARE(IsMarked(edit), edit == window.ResultEdit(mode));
        QCOMPARE(window.edDistance->text(), lastDistance);
        if (!elevation.isEmpty())
            window.edElevation->setText(elevation);
        window.edDistance->setText(distance);
        QCOMPARE(window.ResultEdit(mode)->text(), result);
    }

    // The edit is cleared first; `typed` is typed key by key, then Enter is pressed. Text that
    // is no number stays, marked, and leaves no result. The locale writes a point.
    void typedInputCorrected_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<bool>("rejected");
        QTest::newRow("90 degrees") << "90"
                                    << "89.90" << false;
        QTest::newRow("0.5, passing through zero") << "0.5"
                                                   << "0.5" << false;
        QTest::newRow("25 into a cleared edit") << "25"
                                                << "25" << false;
        QTest::newRow("zero") << "0"
                              << "0.10" << false;
        QTest::newRow("negative") << "-5"
                                  << "0.10" << false;
        QTest::newRow("letters") << "x"
                                 << "x" << true;
        QTest::newRow("decimal comma") << "12,5"
                                       << "12,5" << true;
    }

    void typedInputCorrected() {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(bool, rejected);
        QLocale::setDefault(QLocale::c());
        TfrmObstacles window(nullptr, {});
        window.show();
        window.edElevation->selectAll();
        QTest::keyClick(window.edElevation, Qt::Key_Delete);
        QTest::keyClicks(window.edElevation, typed);
        QCOMPARE(window.edElevation->text(), typed);
        QCOMPARE(IsMarkedRejected(window.edElevation), rejected);
        QTest::keyClick(window.edElevation, Qt::Key_Return);
        QCOMPARE(window.edElevation->text(), shown);
        QCOMPARE(IsMarkedRejected(window.edElevation), rejected);
        const QString distance = window.edDistance->text();
        QVERIFY2(rejected ? distance.isEmpty() && window.lblResult->text().isEmpty()
                          : distance.toDouble() > 0.0,
                 qPrintable(distance));
        // A mode change keeps the mark on the text that is still no number.
        window.rbHeight->setChecked(true);
        QCOMPARE(IsMarkedRejected(window.edElevation), rejected);
    }

    void oversizedResultRefused_data() {
        QTest::addColumn<double>("elevation"); // degrees
        QTest::addColumn<QString>("height");   // metres, typed
        QTest::addColumn<QString>("distance"); // metres, shown for a height of 10 m
        QTest::newRow("infinite distance") << 30.0 << "1e308"
                                           << "17.32";
        QTest::newRow("a distance of 300 digits") << 30.0 << "1e300"
                                                  << "17.32";
        QTest::newRow("a usable height, too far at the lowest elevation") << 0.0 << "1e14"
                                                                          << "5729.57";
    }

    void oversizedResultRefused() {
        QFETCH(double, elevation);
        QFETCH(QString, height);
        QFETCH(QString, distance);
        TfrmObstacles window(nullptr, {});
        window.SetSatellite(SatelliteAt(elevation));
        window.show();
        window.edHeight->setText(height);
        QCOMPARE(window.edDistance->text(), QString());
        QVERIFY(IsMarkedRejected(window.edHeight));
        window.edHeight->setText(QStringLiteral("10"));
        QCOMPARE(window.edDistance->text(), distance);
        QVERIFY(!IsMarkedRejected(window.edHeight) && !IsMarkedRejected(window.edElevation));
    }

    void satelliteBelowHorizonOpensAtLowestElevation() {
        TfrmObstacles window(nullptr, {});
        window.SetSatellite(SatelliteAt(0.0));
        window.show();
        QCOMPARE(window.edElevation->text(), QStringLiteral("0.10"));
    }

    void pointReadInCommaLocale() {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        TfrmObstacles window(nullptr, {});
        window.SetSatellite(SatelliteAt(45.0));
        window.show();
        window.edHeight->setText(QStringLiteral("12.5"));
        QCOMPARE(window.edDistance->text(), QStringLiteral("12,50"));
    }

    void languageChangeRebuildsSentence() {
        TfrmObstacles window(nullptr, {});
        window.SetSatellite(SatelliteAt(30.5));
        window.show();
        SetConstantText(Constant::ObstacleRsltDistance, QStringLiteral("Mindestabstand %s m."));
        window.findChild<LanguageController*>()->ApplyTranslation(nullptr);
        QCOMPARE(window.lblResult->text(), QStringLiteral("Mindestabstand 16.98 m."));
    }

    void closeDestroysWindow() {
        QPointer<TfrmObstacles> window = new TfrmObstacles(nullptr, {});
        window->show();
        window->Close1->trigger();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(window.isNull());
    }
};

QTEST_MAIN(TestObstaclesWindow)
#include "tst_obstacleswindow.moc"
