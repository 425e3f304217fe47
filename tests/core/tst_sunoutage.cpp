#include "SunNoise.h"
#include "SunOutage.h"

#include <QtTest>

#include <cmath>
#include <limits>
#include <memory>

using namespace skyvane;

Q_DECLARE_METATYPE(OutageSeason)
Q_DECLARE_METATYPE(OutageBand)
Q_DECLARE_METATYPE(PredictionStatus)

namespace {

// The worked examples' site: 47.16 N 16.16 E, satellite at 19.2 E.
SatelliteRecord MakeSatellite(double position = -19.2, double latitude = 47.16,
                              double longitude = -16.16) {
    auto record = std::make_shared<TSatelliteData>();
    record->Name = QStringLiteral("Astra 1C/1E/1F/1G/2H/2C");
    record->Position = position;
    record->SiteLatitude = latitude;
    record->SiteLongitude = longitude;
    return record;
}

SunOutagePredictor MakePredictor(int year, OutageSeason season, OutageBand band, double diameter) {
    SunOutagePredictor predictor;
    predictor.Satellite = MakeSatellite();
    predictor.Year = year;
    predictor.Season = season;
    predictor.Band = band;
    predictor.Diameter = diameter;
    return predictor;
}

QDateTime Utc(const QString& date, const QString& time) {
    return QDateTime(QDate::fromString(date, Qt::ISODate), QTime::fromString(time, Qt::ISODate),
                     Qt::UTC);
}

QString Describe(const OutageRow& row) {
    return row.Start.toString(Qt::ISODate) + QStringLiteral(" .. ") +
           row.End.toString(Qt::ISODate) + QStringLiteral(" (%1 s)").arg(row.DurationSeconds);
}

// The reference times may differ by one 5-second search step where an evaluation lands within
// rounding of the threshold.
constexpr qint64 kStepToleranceSeconds = 5;

void VerifyWithinOneStep(const QDateTime& actual, const QDateTime& expected, const char* what) {
    const qint64 error = std::abs(expected.secsTo(actual));
    QVERIFY2(error <= kStepToleranceSeconds,
             qPrintable(QStringLiteral("%1: expected %2, actual %3, off by %4 s (tolerance %5 s)")
                            .arg(QLatin1String(what), expected.toString(Qt::ISODate),
                                 actual.toString(Qt::ISODate))
                            .arg(error)
                            .arg(kStepToleranceSeconds)));
}

} // namespace

class TestSunOutage : public QObject {
    Q_OBJECT

private slots:
    void searchStartDay_data();
    void searchStartDay();
    void outageThreshold_data();
    void outageThreshold();
    void normalize360_data();
    void normalize360();

    void spring2000CBandTable();
    void fall2025KuBandSeason();
    void rowsAreOrderedWholeSeconds_data();
    void rowsAreOrderedWholeSeconds();
    void smallerDishGivesMoreAndLongerRows();
    void everyOutageDayIsARow_data();
    void everyOutageDayIsARow();
    void siteComesFromTheRecord();
    void rowsOfTheWrittenModel_data();
    void rowsOfTheWrittenModel();

    void unusableInputsSearchNothing_data();
    void unusableInputsSearchNothing();
    void degenerateInputsStayBounded_data();
    void degenerateInputsStayBounded();
    void farYearsEndAtTheEvaluationBound_data();
    void farYearsEndAtTheEvaluationBound();
    void separationEqualToThresholdMovesOn();
    void angleBetween_data();
    void angleBetween();

    void dayNumberToDateTime_data();
    void dayNumberToDateTime();
    void formatOutageRow_data();
    void formatOutageRow();
    void formatOutageRowUsesDefaultLocale();
};

void TestSunOutage::searchStartDay_data() {
    QTest::addColumn<int>("year");
    QTest::addColumn<OutageSeason>("season");
    QTest::addColumn<qint64>("expected");

    QTest::newRow("spring 2000, 15 February") << 2000 << OutageSeason::Spring << qint64(35109);
    QTest::newRow("fall 2000, 17 August") << 2000 << OutageSeason::Fall << qint64(35293);
    QTest::newRow("spring 2025, 14 February") << 2025 << OutageSeason::Spring << qint64(44240);
    QTest::newRow("fall 2025, 17 August") << 2025 << OutageSeason::Fall << qint64(44424);
    QTest::newRow("spring 1904, the day count's own year")
        << 1904 << OutageSeason::Spring << qint64(45);
    QTest::newRow("spring 1903, floor goes down") << 1903 << OutageSeason::Spring << qint64(-321);
}

void TestSunOutage::searchStartDay() {
    QFETCH(int, year);
    QFETCH(OutageSeason, season);
    QFETCH(qint64, expected);
    QCOMPARE(qint64(SunOutagePredictor::SearchStartDay(year, season)), expected);
}

void TestSunOutage::outageThreshold_data() {
    QTest::addColumn<double>("diameter");
    QTest::addColumn<OutageBand>("band");
    QTest::addColumn<double>("expected");

    QTest::newRow("3.6 m, C band") << 3.6 << OutageBand::C << 1.02355836849508;
    QTest::newRow("0.8 m, Ku band") << 0.8 << OutageBand::Ku << 1.40062761506276;
}

void TestSunOutage::outageThreshold() {
    QFETCH(double, diameter);
    QFETCH(OutageBand, band);
    QFETCH(double, expected);
    constexpr double tolerance = 1e-12; // degrees
    const double actual = SunOutagePredictor::OutageThreshold(diameter, band);
    QVERIFY2(std::abs(actual - expected) <= tolerance,
             qPrintable(QStringLiteral("diameter %1: expected %2, actual %3, tolerance %4")
                            .arg(diameter)
                            .arg(expected, 0, 'g', 17)
                            .arg(actual, 0, 'g', 17)
                            .arg(tolerance)));
}

void TestSunOutage::normalize360_data() {
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("expected");

    QTest::newRow("zero") << 0.0 << 0.0;
    QTest::newRow("full turn becomes zero") << 360.0 << 0.0;
    QTest::newRow("more than a turn") << 719.5 << 359.5;
    QTest::newRow("small negative") << -30.0 << 330.0;
    QTest::newRow("minus a full turn") << -360.0 << 0.0;
    QTest::newRow("negative, two turns and more") << -725.0 << 355.0;
}

void TestSunOutage::normalize360() {
    QFETCH(double, x);
    QFETCH(double, expected);
    QCOMPARE(SunOutagePredictor::Normalize360(x), expected);
}

void TestSunOutage::spring2000CBandTable() {
    auto predictor = MakePredictor(2000, OutageSeason::Spring, OutageBand::C, 3.6);
    QCOMPARE(predictor.PredictOutages(), PredictionStatus::Complete);

    struct Expected {
        const char* date;
        const char* start;
        const char* end;
    };
    const Expected table[] = {
        {"2000-02-29", "10:51:23", "10:57:13"}, {"2000-03-01", "10:50:15", "10:58:00"},
        {"2000-03-02", "10:49:51", "10:58:01"}, {"2000-03-03", "10:50:02", "10:57:22"},
        {"2000-03-04", "10:51:07", "10:55:52"},
    };
    QCOMPARE(predictor.Rows.size(), std::size(table));
    QCOMPARE(predictor.OutageCount, int(std::size(table)));
    for (std::size_t i = 0; i < std::size(table); ++i) {
        const OutageRow& row = predictor.Rows[i];
        const QString date = QLatin1String(table[i].date);
        QCOMPARE(row.Start.date(), QDate::fromString(date, Qt::ISODate));
        VerifyWithinOneStep(row.Start, Utc(date, QLatin1String(table[i].start)), "start");
        VerifyWithinOneStep(row.End, Utc(date, QLatin1String(table[i].end)), "end");
    }
}

void TestSunOutage::fall2025KuBandSeason() {
    auto predictor = MakePredictor(2025, OutageSeason::Fall, OutageBand::Ku, 0.8);
    QCOMPARE(predictor.PredictOutages(), PredictionStatus::Complete);
    QCOMPARE(predictor.Rows.size(), std::size_t(8));
    for (std::size_t i = 0; i < predictor.Rows.size(); ++i)
        QCOMPARE(predictor.Rows[i].Start.date(), QDate(2025, 10, 7).addDays(qint64(i)));

    const auto longest =
        std::max_element(predictor.Rows.begin(), predictor.Rows.end(),
                         [](auto& a, auto& b) { return a.DurationSeconds < b.DurationSeconds; });
    QCOMPARE(longest->Start.date(), QDate(2025, 10, 11));
    VerifyWithinOneStep(longest->Start, Utc("2025-10-11", "10:22:57"), "longest start");
    VerifyWithinOneStep(longest->End, Utc("2025-10-11", "10:34:02"), "longest end");
}

void TestSunOutage::rowsAreOrderedWholeSeconds_data() {
    QTest::addColumn<int>("year");
    QTest::addColumn<OutageSeason>("season");
    QTest::addColumn<OutageBand>("band");
    QTest::addColumn<double>("diameter");

    QTest::newRow("spring 2000, C band, 3.6 m")
        << 2000 << OutageSeason::Spring << OutageBand::C << 3.6;
    QTest::newRow("fall 2025, Ku band, 0.8 m")
        << 2025 << OutageSeason::Fall << OutageBand::Ku << 0.8;
    QTest::newRow("spring 2025, C band, 0.2 m, long season")
        << 2025 << OutageSeason::Spring << OutageBand::C << 0.2;
    QTest::newRow("fall 1999, Ku band, 1.2 m")
        << 1999 << OutageSeason::Fall << OutageBand::Ku << 1.2;
}

void TestSunOutage::rowsAreOrderedWholeSeconds() {
    QFETCH(int, year);
    QFETCH(OutageSeason, season);
    QFETCH(OutageBand, band);
    QFETCH(double, diameter);
    auto predictor = MakePredictor(year, season, band, diameter);
    predictor.PredictOutages();
    QVERIFY(!predictor.Rows.empty());
    for (std::size_t i = 0; i < predictor.Rows.size(); ++i) {
        const OutageRow& row = predictor.Rows[i];
        QVERIFY2(row.Start.time().msec() == 0 && row.End.time().msec() == 0,
                 qPrintable(Describe(row)));
        QCOMPARE(row.Start.timeSpec(), Qt::UTC);
        QVERIFY2(row.Start <= row.End, qPrintable(Describe(row)));
        QCOMPARE(row.DurationSeconds, row.Start.secsTo(row.End));
        if (i > 0) {
            const OutageRow& previous = predictor.Rows[i - 1];
            QVERIFY2(previous.End < row.Start,
                     qPrintable(Describe(previous) + QStringLiteral(" then ") + Describe(row)));
            QVERIFY2(previous.Start.date() < row.Start.date(),
                     qPrintable(Describe(previous) + QStringLiteral(" then ") + Describe(row)));
        }
    }
}

void TestSunOutage::smallerDishGivesMoreAndLongerRows() {
    std::size_t previousRows = 0;
    qint64 previousLongest = 0;
    for (const double diameter : {3.6, 1.8, 0.9, 0.45}) {
        auto predictor = MakePredictor(2000, OutageSeason::Spring, OutageBand::C, diameter);
        QCOMPARE(predictor.PredictOutages(), PredictionStatus::Complete);
        qint64 longest = 0;
        for (const OutageRow& row : predictor.Rows)
            longest = std::max<qint64>(longest, row.DurationSeconds);
        const QString message = QStringLiteral("%1 m: %2 rows, longest %3 s; larger dish: %4 rows, "
                                               "longest %5 s")
                                    .arg(diameter)
                                    .arg(predictor.Rows.size())
                                    .arg(longest)
                                    .arg(previousRows)
                                    .arg(previousLongest);
        QVERIFY2(predictor.Rows.size() > previousRows && longest > previousLongest,
                 qPrintable(message));
        previousRows = predictor.Rows.size();
        previousLongest = longest;
    }

    auto ku = MakePredictor(2000, OutageSeason::Spring, OutageBand::Ku, 3.6);
    ku.PredictOutages();
    auto c = MakePredictor(2000, OutageSeason::Spring, OutageBand::C, 3.6);
    c.PredictOutages();
    QVERIFY2(
        ku.Rows.size() < c.Rows.size(),
        qPrintable(QStringLiteral("Ku %1 rows, C %2 rows").arg(ku.Rows.size()).arg(c.Rows.size())));
}

void TestSunOutage::everyOutageDayIsARow_data() {
    QTest::addColumn<double>("latitude");  // degrees, North positive
    QTest::addColumn<double>("longitude"); // degrees, West positive
    QTest::addColumn<double>("position");  // degrees, West positive
    QTest::addColumn<int>("year");
    QTest::addColumn<OutageSeason>("season");
    QTest::addColumn<OutageBand>("band");
    QTest::addColumn<double>("diameter");

    QTest::newRow("Los Angeles, 119 W, Ku 0.6 m, spring 2024")
        << 34.05 << 118.24 << 119.0 << 2024 << OutageSeason::Spring << OutageBand::Ku << 0.6;
    QTest::newRow("Los Angeles, 119 W, Ku 0.6 m, fall 2024")
        << 34.05 << 118.24 << 119.0 << 2024 << OutageSeason::Fall << OutageBand::Ku << 0.6;
    QTest::newRow("equator, 78 W, C 0.6 m, spring 1999")
        << 0.0 << 75.0 << 78.0 << 1999 << OutageSeason::Spring << OutageBand::C << 0.6;
    QTest::newRow("equator, 70 W, C 0.6 m, fall 1999")
        << 0.0 << 75.0 << 70.0 << 1999 << OutageSeason::Fall << OutageBand::C << 0.6;
    QTest::newRow("equator, 70 W, C 0.6 m, spring 1999")
        << 0.0 << 75.0 << 70.0 << 1999 << OutageSeason::Spring << OutageBand::C << 0.6;
    QTest::newRow("Vienna, 19.2 E, C 2.0 m, fall 2025")
        << 47.16 << -16.16 << -19.2 << 2025 << OutageSeason::Fall << OutageBand::C << 2.0;
    QTest::newRow("Vienna, 19.2 E, Ku 0.45 m, spring 2000")
        << 47.16 << -16.16 << -19.2 << 2000 << OutageSeason::Spring << OutageBand::Ku << 0.45;
    QTest::newRow("Cape Town, 68.5 E, C 1.2 m, spring 2010")
        << -33.9 << -18.4 << -68.5 << 2010 << OutageSeason::Spring << OutageBand::C << 1.2;
}

// Every stretch below the threshold that the five-second search steps cannot miss must be a row,
// and every row such a stretch. The scan steps no further than the separation can fall in that
// time, so it misses no stretch longer than its one-second floor.
void TestSunOutage::everyOutageDayIsARow() {
    QFETCH(double, latitude);
    QFETCH(double, longitude);
    QFETCH(double, position);
    QFETCH(int, year);
    QFETCH(OutageSeason, season);
    QFETCH(OutageBand, band);
    QFETCH(double, diameter);
    auto predictor = MakePredictor(year, season, band, diameter);
    predictor.Satellite = MakeSatellite(position, latitude, longitude);
    QCOMPARE(predictor.PredictOutages(), PredictionStatus::Complete);

    const double threshold = predictor.OutageThreshold(diameter);
    constexpr double kFastestFallPerDay = 400.0; // degrees; the sun circles the sky once a day
    constexpr double kSecond = 1.0 / 86400.0;
    struct Stretch {
        QDateTime start, end;
        bool mustBeFound;
    };
    std::vector<Stretch> stretches;
    const double first = double(predictor.SearchStartDay(year));
    double inside = -1.0;
    for (double t = first; t < first + 120.0;) {
        const double separation = predictor.SunSatelliteSeparation(t);
        if (separation < threshold && inside < 0.0)
            inside = t;
        if (separation >= threshold && inside >= 0.0) {
            const bool stepsCannotMiss = t - inside > 2.0 * SunOutagePredictor::Delta;
            stretches.push_back(
                {DayNumberToDateTime(inside), DayNumberToDateTime(t), stepsCannotMiss});
            inside = -1.0;
        }
        t += std::max(kSecond, std::fabs(separation - threshold) / kFastestFallPerDay);
    }
    QVERIFY(!stretches.empty());

    const auto overlaps = [](const Stretch& s, const OutageRow& row) {
        return s.start.addSecs(-kStepToleranceSeconds) <= row.End &&
               row.Start <= s.end.addSecs(kStepToleranceSeconds);
    };
    for (const Stretch& s : stretches) {
        if (!s.mustBeFound)
            continue;
        const bool found = std::any_of(predictor.Rows.begin(), predictor.Rows.end(),
                                       [&](const OutageRow& row) { return overlaps(s, row); });
        QVERIFY2(found,
                 qPrintable(QStringLiteral("no row for %1 .. %2 (threshold %3 deg)")
                                .arg(s.start.toString(Qt::ISODate), s.end.toString(Qt::ISODate))
                                .arg(threshold)));
    }
    for (const OutageRow& row : predictor.Rows) {
        const bool found = std::any_of(stretches.begin(), stretches.end(),
                                       [&](const Stretch& s) { return overlaps(s, row); });
        QVERIFY2(found,
                 qPrintable(QStringLiteral("row %1 lies outside every outage").arg(Describe(row))));
    }
}

void TestSunOutage::siteComesFromTheRecord() {
    auto vienna = MakePredictor(2000, OutageSeason::Spring, OutageBand::C, 3.6);
    vienna.PredictOutages();
    auto south = MakePredictor(2000, OutageSeason::Spring, OutageBand::C, 3.6);
    south.Satellite = MakeSatellite(-19.2, -33.9, -18.4);
    south.PredictOutages();
    QVERIFY(!vienna.Rows.empty() && !south.Rows.empty());
    // Seen from a southern site the satellite stands north of the celestial equator, and the
    // sun, moving north in spring, reaches it later than for the northern site.
    QVERIFY2(south.Rows.front().Start.date() > vienna.Rows.front().Start.date(),
             qPrintable(Describe(south.Rows.front()) + QStringLiteral(" vs ") +
                        Describe(vienna.Rows.front())));
}

// Rows of sites on every side of the satellite and of the equator, and of the C/N model's own
// threshold, as the written model has always given them: the five-second lattice, the search and
// the rounding put every start and end on this second exactly.
void TestSunOutage::rowsOfTheWrittenModel_data() {
    QTest::addColumn<double>("latitude");
    QTest::addColumn<double>("longitude");
    QTest::addColumn<double>("position");
    QTest::addColumn<int>("year");
    QTest::addColumn<OutageSeason>("season");
    QTest::addColumn<OutageBand>("band");
    QTest::addColumn<double>("diameter");
    QTest::addColumn<bool>("carrierToNoise"); // a 3 dB margin at 120 K and 11.95 GHz
    QTest::addColumn<QDate>("firstDay");      // the rows are consecutive days from it
    QTest::addColumn<QStringList>("times");   // start and end of each row, UTC
    QTest::addColumn<double>("leastSeparation");

    QTest::newRow("Sydney, 156 E, Ku 0.6 m, fall 2024")
        << -33.87 << -151.21 << -156.0 << 2024 << OutageSeason::Fall << OutageBand::Ku << 0.6
        << false << QDate(2024, 9, 4)
        << QStringList{"01:28:42 01:35:52", "01:26:34 01:37:19", "01:25:17 01:37:57",
                       "01:24:21 01:38:11", "01:23:49 01:38:04", "01:23:37 01:37:37",
                       "01:23:39 01:36:44", "01:24:16 01:35:31", "01:25:27 01:33:32"}
        << 0.052990;
    QTest::newRow("40 N 75 W, 101 W, C 1.8 m, spring 2026")
        << 40.0 << 75.0 << 101.0 << 2026 << OutageSeason::Spring << OutageBand::C << 1.8 << false
        << QDate(2026, 2, 28)
        << QStringList{"19:05:49 19:13:04", "19:03:46 19:14:41", "19:02:37 19:15:32",
                       "19:01:50 19:15:50", "19:01:26 19:15:51", "19:01:21 19:15:26",
                       "19:01:40 19:14:40", "19:02:24 19:13:29", "19:03:57 19:11:27"}
        << 0.024263;
    QTest::newRow("Quito, 61 W, Ku 1.2 m, spring 2030")
        << -0.18 << 78.47 << 61.0 << 2030 << OutageSeason::Spring << OutageBand::Ku << 1.2 << false
        << QDate(2030, 3, 18)
        << QStringList{"15:57:19 16:02:24", "15:55:51 16:03:16", "15:55:15 16:03:15",
                       "15:55:15 16:02:40", "15:56:09 16:01:09"}
        << 0.005101;
    QTest::newRow("Tromso, 0.8 W, C 3.0 m, fall 2025")
        << 69.65 << -18.96 << 0.8 << 2025 << OutageSeason::Fall << OutageBand::C << 3.0 << false
        << QDate(2025, 10, 12)
        << QStringList{"11:50:51 11:57:01", "11:49:28 11:57:58", "11:48:43 11:58:08",
                       "11:48:36 11:57:51", "11:48:58 11:57:03", "11:50:04 11:55:34"}
        << 0.142791;
    QTest::newRow("Vienna, 19.2 E, 0.9 m, C/N, spring 2026")
        << 47.16 << -16.16 << -19.2 << 2026 << OutageSeason::Spring << OutageBand::Ku << 0.9 << true
        << QDate(2026, 2, 26)
        << QStringList{"10:53:59 10:55:24", "10:50:20 10:58:40", "10:48:54 10:59:44",
                       "10:48:04 11:00:14", "10:47:37 11:00:17", "10:47:28 10:59:58",
                       "10:47:49 10:59:09", "10:48:44 10:57:54", "10:50:47 10:55:22"}
        << 0.061453;
}

void TestSunOutage::rowsOfTheWrittenModel() {
    QFETCH(double, latitude);
    QFETCH(double, longitude);
    QFETCH(double, position);
    QFETCH(int, year);
    QFETCH(OutageSeason, season);
    QFETCH(OutageBand, band);
    QFETCH(double, diameter);
    QFETCH(bool, carrierToNoise);
    QFETCH(QDate, firstDay);
    QFETCH(QStringList, times);
    QFETCH(double, leastSeparation);

    auto predictor = MakePredictor(year, season, band, diameter);
    predictor.Satellite = MakeSatellite(position, latitude, longitude);
    const PredictionStatus status =
        carrierToNoise ? PredictCarrierToNoiseOutages(predictor, {120.0, 3.0, 11.95})
                       : predictor.PredictOutages();
    QCOMPARE(status, PredictionStatus::Complete);
    QStringList actual;
    for (std::size_t i = 0; i < predictor.Rows.size(); ++i) {
        const OutageRow& row = predictor.Rows[i];
        QCOMPARE(row.Start.date(), firstDay.addDays(qint64(i)));
        actual.append(row.Start.toString(QStringLiteral("HH:mm:ss ")) +
                      row.End.toString(QStringLiteral("HH:mm:ss")));
    }
    QCOMPARE(actual, times);
    const auto least =
        std::min_element(predictor.Rows.begin(), predictor.Rows.end(),
                         [](auto& a, auto& b) { return a.LeastSeparation < b.LeastSeparation; });
    QVERIFY2(std::abs(least->LeastSeparation - leastSeparation) < 1e-6,
             qPrintable(QString::number(least->LeastSeparation, 'f', 9)));
}

void TestSunOutage::unusableInputsSearchNothing_data() {
    QTest::addColumn<double>("diameter");
    QTest::addColumn<double>("position");
    QTest::addColumn<bool>("hasSatellite");
    QTest::addColumn<PredictionStatus>("expected");

    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    QTest::newRow("zero diameter, typed on the way to 0.8")
        << 0.0 << -19.2 << true << PredictionStatus::UnusableDiameter;
    QTest::newRow("negative zero diameter")
        << -0.0 << -19.2 << true << PredictionStatus::UnusableDiameter;
    QTest::newRow("negative diameter")
        << -0.8 << -19.2 << true << PredictionStatus::UnusableDiameter;
    QTest::newRow("diameter not a number")
        << nan << -19.2 << true << PredictionStatus::UnusableDiameter;
    QTest::newRow("infinite diameter")
        << inf << -19.2 << true << PredictionStatus::UnusableDiameter;
    QTest::newRow("position not a number")
        << 3.6 << nan << true << PredictionStatus::UnusableSatellite;
    QTest::newRow("no satellite set") << 3.6 << -19.2 << false << PredictionStatus::NoSatellite;
}

void TestSunOutage::unusableInputsSearchNothing() {
    QFETCH(double, diameter);
    QFETCH(double, position);
    QFETCH(bool, hasSatellite);
    QFETCH(PredictionStatus, expected);

    // A usable prediction first, so that leftovers of it would show.
    auto predictor = MakePredictor(2000, OutageSeason::Spring, OutageBand::C, 3.6);
    QCOMPARE(predictor.PredictOutages(), PredictionStatus::Complete);
    QVERIFY(!predictor.Rows.empty());

    predictor.Diameter = diameter;
    predictor.Satellite = hasSatellite ? MakeSatellite(position) : nullptr;
    const PredictionStatus status = predictor.PredictOutages();
    QCOMPARE(status, expected);
    QVERIFY(!SearchedAnything(status));
    QVERIFY(predictor.Rows.empty());
    QCOMPARE(predictor.OutageCount, 0);
    QCOMPARE(predictor.SeparationEvaluations, std::int64_t(0));
}

void TestSunOutage::degenerateInputsStayBounded_data() {
    QTest::addColumn<int>("year");
    QTest::addColumn<OutageBand>("band");
    QTest::addColumn<double>("diameter");
    QTest::addColumn<double>("position");
    QTest::addColumn<double>("latitude");
    QTest::addColumn<bool>("expectBound");

    QTest::newRow("1 cm dish, C band: the sun never leaves the beam")
        << 2025 << OutageBand::C << 0.01 << -19.2 << 47.16 << true;
    QTest::newRow("1 cm dish, Ku band") << 2025 << OutageBand::Ku << 0.01 << -19.2 << 47.16 << true;
    QTest::newRow("5 cm dish: every day has an outage")
        << 2025 << OutageBand::C << 0.05 << -19.2 << 47.16 << true;
    QTest::newRow("100 m dish") << 2025 << OutageBand::C << 100.0 << -19.2 << 47.16 << false;
    QTest::newRow("huge dish, threshold at the sun's radius")
        << 2025 << OutageBand::Ku << 1e12 << -19.2 << 47.16 << false;
    QTest::newRow("year 1") << 1 << OutageBand::C << 3.6 << -19.2 << 47.16 << false;
    QTest::newRow("year 9999") << 9999 << OutageBand::C << 3.6 << -19.2 << 47.16 << false;
    QTest::newRow("partial year 2, typed on the way to 2025")
        << 2 << OutageBand::C << 3.6 << -19.2 << 47.16 << false;
    QTest::newRow("satellite below the horizon, far west")
        << 2025 << OutageBand::C << 3.6 << 163.84 << 47.16 << false;
    QTest::newRow("satellite below the horizon, site near the pole")
        << 2025 << OutageBand::Ku << 0.8 << -19.2 << 89.0 << false;
}

void TestSunOutage::degenerateInputsStayBounded() {
    QFETCH(int, year);
    QFETCH(OutageBand, band);
    QFETCH(double, diameter);
    QFETCH(double, position);
    QFETCH(double, latitude);
    QFETCH(bool, expectBound);

    auto predictor = MakePredictor(year, OutageSeason::Spring, band, diameter);
    predictor.Satellite = MakeSatellite(position, latitude);
    const PredictionStatus status = predictor.PredictOutages();

    // The last day begun before a bound may run its full one-day start search (three
    // evaluations a step) and a one-day end search.
    const double stepsPerDay = 1.0 / SunOutagePredictor::Delta;
    const auto lastDayAllowance = std::int64_t(4.0 * stepsPerDay + 10.0);
    QVERIFY2(predictor.SeparationEvaluations <=
                 SunOutagePredictor::MaxEvaluations + lastDayAllowance,
             qPrintable(QStringLiteral("%1 evaluations").arg(predictor.SeparationEvaluations)));

    const double firstDay = double(predictor.SearchStartDay(year));
    QCOMPARE(predictor.SearchLimit, firstDay + SunOutagePredictor::MaxSearchDays);
    for (const OutageRow& row : predictor.Rows) {
        const QDateTime limit = DayNumberToDateTime(predictor.SearchLimit);
        QVERIFY2(row.Start <= limit, qPrintable(Describe(row)));
        QVERIFY2(row.DurationSeconds < 86400, qPrintable(Describe(row)));
    }
    QVERIFY(SearchedAnything(status));
    QCOMPARE(status == PredictionStatus::SearchBoundReached, expectBound);
    if (expectBound)
        QVERIFY2(predictor.Rows.size() > 1, qPrintable(QString::number(predictor.Rows.size())));
}

void TestSunOutage::farYearsEndAtTheEvaluationBound_data() {
    QTest::addColumn<int>("year");
    // So far from the epoch that a five-second step no longer changes the day number.
    QTest::newRow("two billion years ahead") << 2000000000;
    QTest::newRow("two billion years back") << -2000000000;
}

void TestSunOutage::farYearsEndAtTheEvaluationBound() {
    QFETCH(int, year);
    auto predictor = MakePredictor(year, OutageSeason::Spring, OutageBand::C, 3.6);
    QCOMPARE(predictor.PredictOutages(), PredictionStatus::SearchBoundReached);
    QVERIFY2(predictor.SeparationEvaluations <= SunOutagePredictor::MaxEvaluations + 2,
             qPrintable(QString::number(predictor.SeparationEvaluations)));
}

// Finds a diameter whose threshold equals the separation at the start of the search exactly,
// by walking the last bits of the diameter that solves it on paper.
static bool FindDiameterAtThreshold(SunOutagePredictor& predictor, double dayNumber) {
    const double separation = predictor.StartSearchSeparation(dayNumber);
    const double k = SunOutagePredictor::OutageThreshold(1.0, predictor.Band) - 0.25;
    double up = k / (separation - 0.25);
    double down = up;
    for (int i = 0; i < 100000; ++i) {
        for (const double candidate : {up, down}) {
            if (SunOutagePredictor::OutageThreshold(candidate, predictor.Band) == separation) {
                predictor.Diameter = candidate;
                return true;
            }
        }
        up = std::nextafter(up, 1e9);
        down = std::nextafter(down, 0.0);
    }
    return false;
}

void TestSunOutage::separationEqualToThresholdMovesOn() {
    auto predictor = MakePredictor(2000, OutageSeason::Spring, OutageBand::C, 3.6);
    bool found = false;
    double origin = 0.0;
    for (int offset = 0; offset < 50 && !found; ++offset) {
        origin = double(predictor.SearchStartDay(2000)) + offset * 0.01;
        found = FindDiameterAtThreshold(predictor, origin);
    }
    QVERIFY2(found, "no diameter gives a threshold equal to the separation");

    predictor.SearchFrom = origin;
    predictor.SearchLimit = origin + SunOutagePredictor::MaxSearchDays;
    const bool inside = predictor.FindOutageStart();
    QVERIFY2(predictor.SearchFrom > origin,
             qPrintable(QStringLiteral("search from %1 stayed at %2, inside %3")
                            .arg(origin, 0, 'f', 9)
                            .arg(predictor.SearchFrom, 0, 'f', 9)
                            .arg(inside)));
    if (inside)
        QVERIFY(predictor.StartSeparation < predictor.OutageThreshold(predictor.Diameter));
}

void TestSunOutage::angleBetween_data() {
    QTest::addColumn<double>("declination1");
    QTest::addColumn<double>("rightAscension1");
    QTest::addColumn<double>("declination2");
    QTest::addColumn<double>("rightAscension2");
    QTest::addColumn<double>("expected");

    // At these declinations sin² + cos² of the same angle rounds to just above 1.
    QTest::newRow("same direction, declination -57.3") << -57.3 << 120.0 << -57.3 << 120.0 << 0.0;
    QTest::newRow("same direction, declination 81.3") << 81.3 << 10.0 << 81.3 << 10.0 << 0.0;
    QTest::newRow("quarter turn along the equator") << 0.0 << 0.0 << 0.0 << 90.0 << 90.0;
    QTest::newRow("opposite directions") << 0.0 << 0.0 << 0.0 << 180.0 << 180.0;
    QTest::newRow("pole to equator") << 90.0 << 0.0 << 0.0 << 33.0 << 90.0;
    QTest::newRow("right ascensions across 360") << 0.0 << 359.5 << 0.0 << 0.5 << 1.0;
}

void TestSunOutage::angleBetween() {
    QFETCH(double, declination1);
    QFETCH(double, rightAscension1);
    QFETCH(double, declination2);
    QFETCH(double, rightAscension2);
    QFETCH(double, expected);
    constexpr double tolerance = 1e-6; // degrees
    const double actual = SunOutagePredictor::AngleBetween(declination1, rightAscension1,
                                                           declination2, rightAscension2);
    QVERIFY2(std::abs(actual - expected) <= tolerance,
             qPrintable(QStringLiteral("expected %1, actual %2, tolerance %3")
                            .arg(expected)
                            .arg(actual, 0, 'g', 17)
                            .arg(tolerance)));
}

void TestSunOutage::dayNumberToDateTime_data() {
    QTest::addColumn<double>("dayNumber");
    QTest::addColumn<QDateTime>("expected");

    const double second = 1.0 / 86400.0;
    QTest::newRow("day 0 is 1904-01-01 midnight") << 0.0 << Utc("1904-01-01", "00:00:00");
    QTest::newRow("half a day") << 0.5 << Utc("1904-01-01", "12:00:00");
    QTest::newRow("499 ms rounds down") << 0.499 * second << Utc("1904-01-01", "00:00:00");
    QTest::newRow("500 ms rounds up") << 0.5 * second << Utc("1904-01-01", "00:00:01");
    QTest::newRow("499.6 ms reaches 500 first, then rounds up")
        << 0.4996 * second << Utc("1904-01-01", "00:00:01");
    QTest::newRow("just before midnight rounds into the next day")
        << 0.9999999 << Utc("1904-01-02", "00:00:00");
    QTest::newRow("date-time origin") << -1462.0 << Utc("1899-12-30", "00:00:00");
    QTest::newRow("before the origin counts forward within the day")
        << -1462.25 << Utc("1899-12-29", "18:00:00");
    QTest::newRow("worked example start")
        << 35123.0 + 39111.0 * second << Utc("2000-02-29", "10:51:51");
}

void TestSunOutage::dayNumberToDateTime() {
    QFETCH(double, dayNumber);
    QFETCH(QDateTime, expected);
    QCOMPARE(DayNumberToDateTime(dayNumber), expected);
}

void TestSunOutage::formatOutageRow_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QDateTime>("start");
    QTest::addColumn<QDateTime>("end");
    QTest::addColumn<QStringList>("expected");

    const QLocale german(QLocale::German, QLocale::Germany);
    const QLocale american(QLocale::English, QLocale::UnitedStates);
    const QDateTime morningStart = Utc("2000-03-02", "10:49:51");
    const QDateTime morningEnd = Utc("2000-03-02", "10:58:01");
    const QDateTime eveningStart = Utc("2025-10-11", "22:55:00");
    const QDateTime eveningEnd = Utc("2025-10-11", "23:06:05");

    QTest::newRow("24-hour locale, morning")
        << german << morningStart << morningEnd
        << QStringList{"02.03.00", "10:49:51", "10:58:01", "00:08:10"};
    QTest::newRow("24-hour locale, evening")
        << german << eveningStart << eveningEnd
        << QStringList{"11.10.25", "22:55:00", "23:06:05", "00:11:05"};
    QTest::newRow("12-hour locale, morning; the duration is no time of day")
        << american << morningStart << morningEnd
        << QStringList{"3/2/00", "10:49:51 AM", "10:58:01 AM", "00:08:10"};
    QTest::newRow("12-hour locale, evening")
        << american << eveningStart << eveningEnd
        << QStringList{"10/11/25", "10:55:00 PM", "11:06:05 PM", "00:11:05"};
}

void TestSunOutage::formatOutageRow() {
    QFETCH(QLocale, locale);
    QFETCH(QDateTime, start);
    QFETCH(QDateTime, end);
    QFETCH(QStringList, expected);

    const OutageRow row{start, end, start.secsTo(end)};
    const OutageRowTexts texts = FormatOutageRow(row, locale);
    // Some locale data puts a no-break space before the day period; compare with plain blanks.
    auto plain = [](QString text) {
        return text.replace(QChar(0x202F), QLatin1Char(' ')).replace(QChar(0xA0), QLatin1Char(' '));
    };
    QCOMPARE(texts.Date, expected[0]);
    QCOMPARE(plain(texts.Start), expected[1]);
    QCOMPARE(plain(texts.End), expected[2]);
    QCOMPARE(plain(texts.Duration), expected[3]);
}

void TestSunOutage::formatOutageRowUsesDefaultLocale() {
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const OutageRow row{Utc("2000-03-02", "10:49:51"), Utc("2000-03-02", "10:58:01"), 490};
    const OutageRowTexts texts = FormatOutageRow(row);
    QLocale::setDefault(previous);
    QCOMPARE(texts.Date, QStringLiteral("02.03.00"));
    QCOMPARE(texts.Duration, QStringLiteral("00:08:10"));
    QVERIFY2(!LongTimeFormatWithoutZone(QLocale(QLocale::German)).contains(QLatin1Char('t')),
             qPrintable(LongTimeFormatWithoutZone(QLocale(QLocale::German))));
}

QTEST_GUILESS_MAIN(TestSunOutage)
#include "tst_sunoutage.moc"
