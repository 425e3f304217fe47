#include "Obstacles.h"

#include <QLocale>
#include <QtTest>

using namespace skyvane;

Q_DECLARE_METATYPE(ObstacleMode)

namespace {

enum class Field { Height, Distance, Elevation };

ObstacleInput Read(Field field, const QString& text) {
    switch (field) {
    case Field::Height:
        return ReadObstacleHeight(text);
    case Field::Distance:
        return ReadObstacleDistance(text);
    case Field::Elevation:
        return ReadObstacleElevation(text);
    }
    return {};
}

} // namespace

Q_DECLARE_METATYPE(Field)

class TestObstacles : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void inputCorrection_data();
    void inputCorrection();
    void result_data();
    void result();
    void resultSentence_data();
    void resultSentence();
};

void TestObstacles::inputCorrection_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<Field>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<double>("value");
    QTest::addColumn<bool>("corrected");
    QTest::addColumn<bool>("rejected");

    QTest::newRow("valid height") << "C" << Field::Height << "10" << 10.0 << false << false;
    QTest::newRow("small positive distance kept")
        << "C" << Field::Distance << "0.05" << 0.05 << false << false;
    QTest::newRow("zero height") << "C" << Field::Height << "0" << 0.1 << true << false;
    QTest::newRow("negative distance") << "C" << Field::Distance << "-3" << 0.1 << true << false;
    QTest::newRow("letters in the height") << "C" << Field::Height << "abc" << 0.1 << false << true;
    QTest::newRow("emptied distance") << "C" << Field::Distance << "" << 0.1 << true << false;
    QTest::newRow("zero elevation") << "C" << Field::Elevation << "0" << 0.1 << true << false;
    QTest::newRow("elevation 90") << "C" << Field::Elevation << "90" << 89.9 << true << false;
    QTest::newRow("elevation above 90")
        << "C" << Field::Elevation << "135" << 89.9 << true << false;
    QTest::newRow("elevation just below 90")
        << "C" << Field::Elevation << "89.99" << 89.99 << false << false;
    QTest::newRow("point in a comma locale")
        << "de_DE" << Field::Height << "12.5" << 12.5 << false << false;
    QTest::newRow("comma in a comma locale")
        << "de_DE" << Field::Height << "12,5" << 12.5 << false << false;
    QTest::newRow("digit grouping is no number")
        << "C" << Field::Distance << "1,000" << 0.1 << false << true;
    QTest::newRow("decimal comma in a point locale")
        << "C" << Field::Height << "12,5" << 0.1 << false << true;
    QTest::newRow("letters in the elevation")
        << "C" << Field::Elevation << "x" << 0.1 << false << true;
}

void TestObstacles::inputCorrection() {
    QFETCH(QString, locale);
    QFETCH(Field, field);
    QFETCH(QString, typed);
    QFETCH(double, value);
    QFETCH(bool, corrected);
    QFETCH(bool, rejected);
    QLocale::setDefault(QLocale(locale));

    const ObstacleInput input = Read(field, typed);
    QCOMPARE(input.value, value);
    QCOMPARE(input.corrected, corrected);
    QCOMPARE(input.rejected, rejected);
}

void TestObstacles::result_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<ObstacleMode>("mode");
    QTest::addColumn<double>("first");
    QTest::addColumn<double>("second");
    QTest::addColumn<QString>("shown");

    // first/second: height and elevation, distance and elevation, height and distance.
    QTest::newRow("distance, 10 m at 30.5 deg")
        << "C" << ObstacleMode::Distance << 10.0 << 30.5 << "16.98";
    QTest::newRow("height, 50 m at 20 deg")
        << "C" << ObstacleMode::Height << 50.0 << 20.0 << "18.20";
    QTest::newRow("elevation, 10 m over 10 m")
        << "C" << ObstacleMode::Elevation << 10.0 << 10.0 << "45.00";
    QTest::newRow("distance at the highest elevation")
        << "C" << ObstacleMode::Distance << 10.0 << 89.9 << "0.02";
    QTest::newRow("distance at the lowest elevation")
        << "C" << ObstacleMode::Distance << 0.1 << 0.1 << "57.30";
    QTest::newRow("comma locale shows a comma")
        << "de_DE" << ObstacleMode::Distance << 10.0 << 30.5 << "16,98";
}

void TestObstacles::result() {
    QFETCH(QString, locale);
    QFETCH(ObstacleMode, mode);
    QFETCH(double, first);
    QFETCH(double, second);
    QFETCH(QString, shown);
    QLocale::setDefault(QLocale(locale));

    double value = 0.0;
    switch (mode) {
    case ObstacleMode::Distance:
        value = ObstacleDistance(first, second);
        break;
    case ObstacleMode::Height:
        value = ObstacleHeight(first, second);
        break;
    case ObstacleMode::Elevation:
        value = ObstacleElevation(first, second);
        break;
    }
    QCOMPARE(ObstacleValueText(value), shown);
}

void TestObstacles::resultSentence_data() {
    QTest::addColumn<ObstacleMode>("mode");
    QTest::addColumn<QString>("sentence");

    QTest::newRow("distance") << ObstacleMode::Distance
                              << "The mimimum possible distance to the obstacle is 16.98 m.";
    QTest::newRow("height") << ObstacleMode::Height
                            << "The maximum possible difference between the total height of the "
                               "obstacle and the lowest point of the antenna is 16.98 m.";
    QTest::newRow("elevation") << ObstacleMode::Elevation
                               << QString::fromUtf8("The minimum possible elevation is 16.98 °.");
}

void TestObstacles::resultSentence() {
    QFETCH(ObstacleMode, mode);
    QFETCH(QString, sentence);
    QCOMPARE(ObstacleResultSentence(mode, QStringLiteral("16.98")), sentence);
}

QTEST_GUILESS_MAIN(TestObstacles)
#include "tst_obstacles.moc"
