#include "SunNoise.h"

#include <QtTest>

#include <cmath>
#include <memory>
#include <numbers>

using namespace skyvane;

Q_DECLARE_METATYPE(OutageBand)
Q_DECLARE_METATYPE(PredictionStatus)

namespace {

constexpr double kDegree = std::numbers::pi / 180.0;

SunOutagePredictor Prediction(double diameter, OutageBand band) {
    auto record = std::make_shared<TSatelliteData>();
    record->Name = QStringLiteral("Astra");
    record->Position = -19.2; // 19.2 E, seen from 47.16 N 16.16 E
    record->SiteLatitude = 47.16;
    record->SiteLongitude = -16.16;
    SunOutagePredictor predictor;
    predictor.Satellite = record;
    predictor.Year = 2026;
    predictor.Season = OutageSeason::Spring;
    predictor.Band = band;
    predictor.Diameter = diameter;
    return predictor;
}

qint64 LongestOutage(const std::vector<OutageRow>& rows) {
    qint64 longest = 0;
    for (const OutageRow& row : rows)
        longest = std::max<qint64>(longest, row.DurationSeconds);
    return longest;
}

} // namespace

class TestSunNoise : public QObject {
    Q_OBJECT

private slots:
    // Two limits with closed forms check the sum over the sun's disc: a beam much wider than
    // the sun sees the whole disc at its peak gain, a beam much narrower sees only its own solid
    // angle of the sun (pi * beamwidth^2 / (4 ln 2) for a Gaussian beam).
    void noiseRiseMeetsItsLimits_data() {
        QTest::addColumn<double>("diameter");  // metres
        QTest::addColumn<double>("frequency"); // GHz
        QTest::addColumn<bool>("wideBeam");
        QTest::newRow("0.3 m at 3.95 GHz, 17 degree beam") << 0.3 << 3.95 << true;
        QTest::newRow("60 m at 11.95 GHz, 0.03 degree beam") << 60.0 << 11.95 << false;
    }
    void noiseRiseMeetsItsLimits() {
        QFETCH(double, diameter);
        QFETCH(double, frequency);
        QFETCH(bool, wideBeam);
        const double wavelength = 0.299792458 / frequency;
        const double gain = 0.65 * std::pow(std::numbers::pi * diameter / wavelength, 2);
        const double beamwidth = HalfPowerBeamwidth(diameter, frequency) * kDegree;
        const double seen =
            wideBeam ? std::numbers::pi * std::pow(0.25 * kDegree, 2)
                     : std::numbers::pi * beamwidth * beamwidth / (4.0 * std::numbers::ln2);
        const double expected =
            QuietSunTemperature(frequency) * gain / (4.0 * std::numbers::pi) * seen;
        const double actual = SunNoiseIncrease(0.0, diameter, frequency);
        QVERIFY2(std::abs(actual / expected - 1.0) < 0.02,
                 qPrintable(QStringLiteral("expected %1 K, actual %2 K (tolerance 2 %)")
                                .arg(expected)
                                .arg(actual)));
    }

    // The half-power beamwidth of the C/N model and the 3 dB rule's beam are the same beam.
    void beamAgreesWithTheRule_data() {
        QTest::addColumn<double>("diameter");
        QTest::addColumn<OutageBand>("band");
        QTest::newRow("0.9 m Ku") << 0.9 << OutageBand::Ku;
        QTest::newRow("3.6 m C") << 3.6 << OutageBand::C;
    }
    void beamAgreesWithTheRule() {
        QFETCH(double, diameter);
        QFETCH(OutageBand, band);
        const double model = HalfPowerBeamwidth(diameter, BandFrequency(band)) / 2.0;
        const double rule = SunOutagePredictor::HalfBeamwidth(diameter, band);
        QVERIFY2(std::abs(model / rule - 1.0) < 0.06,
                 qPrintable(QStringLiteral("model %1°, rule %2°").arg(model).arg(rule)));
    }

    void marginSeparationIsWhereTheLossMeetsTheMargin() {
        const LinkNoise link{120.0, 3.0, 11.95};
        const double separation = MarginSeparation(0.9, link);
        QVERIFY(separation > 0.0);
        QCOMPARE(std::round(CarrierToNoiseLoss(separation, 0.9, link) * 1e6) / 1e6, 3.0);
        QVERIFY(CarrierToNoiseLoss(separation / 2.0, 0.9, link) >
                CarrierToNoiseLoss(separation, 0.9, link));
        QCOMPARE(MarginSeparation(0.9, {120.0, 40.0, 11.95}), 0.0);
    }

    // An operator's Ku table for a 0.9 m dish: outages of about +-7 minutes around the peak on
    // about +-5 days around the peak day. A 2 dB margin over 120 K gives that; the days are
    // within one of it, the peak within a minute.
    void kuDishMatchesAnOperatorTable() {
        SunOutagePredictor predictor = Prediction(0.9, OutageBand::Ku);
        const PredictionStatus status =
            PredictCarrierToNoiseOutages(predictor, {120.0, 2.0, 11.95});
        QCOMPARE(status, PredictionStatus::Complete);
        const auto days = qint64(predictor.Rows.size());
        QVERIFY2(days >= 9 && days <= 12, qPrintable(QString::number(days)));
        const qint64 longest = LongestOutage(predictor.Rows);
        QVERIFY2(std::abs(longest - 14 * 60) <= 60, qPrintable(QString::number(longest)));
        // The closest approach of the middle day loses more than the first day's.
        const auto loss = [&](const OutageRow& row) {
            return CarrierToNoiseLoss(row.LeastSeparation, 0.9, {120.0, 2.0, 11.95});
        };
        QVERIFY(loss(predictor.Rows[size_t(days / 2)]) > loss(predictor.Rows.front()));
        QVERIFY(loss(predictor.Rows.front()) > 2.0);
    }

    // Larger margins leave shorter outages; one the sun cannot reach leaves none.
    void marginsOrderTheOutages() {
        SunOutagePredictor predictor = Prediction(1.2, OutageBand::Ku);
        std::vector<qint64> longest;
        for (const double margin : {1.0, 3.0, 6.0}) {
            QCOMPARE(PredictCarrierToNoiseOutages(predictor, {120.0, margin, 11.95}),
                     PredictionStatus::Complete);
            longest.push_back(LongestOutage(predictor.Rows));
        }
        QVERIFY2(
            longest[0] > longest[1] && longest[1] > longest[2],
            qPrintable(QStringLiteral("%1 %2 %3").arg(longest[0]).arg(longest[1]).arg(longest[2])));
        QCOMPARE(PredictCarrierToNoiseOutages(predictor, {120.0, 30.0, 11.95}),
                 PredictionStatus::BelowMargin);
        QVERIFY(predictor.Rows.empty());
        QCOMPARE(PredictCarrierToNoiseOutages(predictor, {0.0, 3.0, 11.95}),
                 PredictionStatus::UnusableLink);
    }
};

QTEST_GUILESS_MAIN(TestSunNoise)
#include "tst_sunnoise.moc"
