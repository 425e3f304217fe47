#include "Calculation.h"
#include "Catalogue.h"
#include "OrbitTrack.h"
#include "SatelliteTableModel.h"
#include "Session.h"

#include <QDir>
#include <QFile>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace skyvane;

namespace {

QStringList SyntheticCatalogue(int satellites) {
    QStringList lines{QStringLiteral(";Version=synthetic")};
    for (int i = 0; i < satellites; ++i) {
        const double position = -180.0 + 360.0 * i / satellites;
        lines.append(QString::number(position, 'f', 1) + QStringLiteral("|Satellite %1").arg(i));
    }
    return lines;
}

void BM_CalcBuiltInCatalogue(benchmark::State& state) {
    const QStringList lines = BuiltInCatalogueLines();
    for (auto _ : state) {
        CalculationResult result = CalculateVisibleSatellites(lines, 47.16, -16.16);
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(BM_CalcBuiltInCatalogue)->Unit(benchmark::kMicrosecond);

void BM_CalcSyntheticCatalogue(benchmark::State& state) {
    const QStringList lines = SyntheticCatalogue(int(state.range(0)));
    for (auto _ : state) {
        CalculationResult result = CalculateVisibleSatellites(lines, 47.16, -16.16);
        benchmark::DoNotOptimize(result);
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_CalcSyntheticCatalogue)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Complexity(benchmark::oN)
    ->Unit(benchmark::kMicrosecond);

// One Calc for a site, its own function so that
// `valgrind --tool=callgrind --toggle-collect='*SessionCalcOnce*'` counts exactly this.
[[gnu::noinline]] void SessionCalcOnce(Session& session, const Site& site) {
    session.setSite(site);
}

// Calc as the program runs it: a session reading satpos.dat from its folder (unchanged between
// Calcs), for a site moved between two places so every Calc computes anew.
void BM_SessionCalc(benchmark::State& state) {
    QTemporaryDir dir;
    const QString start = QDir::currentPath();
    QDir::setCurrent(dir.path());
    QFile file(dir.filePath(QStringLiteral("satpos.dat")));
    if (!file.open(QIODevice::WriteOnly)) {
        state.SkipWithError("cannot write satpos.dat");
        return;
    }
    file.write(SyntheticCatalogue(int(state.range(0))).join(QStringLiteral("\r\n")).toUtf8());
    file.close();
    Session session(dir.filePath(QStringLiteral("libgeomag_absent.so")));
    const Site sites[] = {
        Site::FromInputs(QStringLiteral("47.16"), true, QStringLiteral("16.16"), false),
        Site::FromInputs(QStringLiteral("47.17"), true, QStringLiteral("16.16"), false)};
    // The first Calc reads the file; the ones measured find it unchanged.
    session.setSite(sites[1]);
    int next = 0;
    for (auto _ : state) {
        SessionCalcOnce(session, sites[next]);
        next = 1 - next;
        benchmark::DoNotOptimize(session.records().size());
    }
    QDir::setCurrent(start);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_SessionCalc)->Arg(10000)->Unit(benchmark::kMicrosecond);

// The motor column's texts for every row, as the grid asks for them on a full repaint.
void BM_MotorColumn(benchmark::State& state) {
    const QStringList lines = SyntheticCatalogue(int(state.range(0)));
    SatelliteTableModel table;
    table.setRecords(CalculateVisibleSatellites(lines, 47.16, -16.16).visible);
    table.setMotorColumnShown(true);
    for (auto _ : state) {
        for (int row = 0; row < table.rowCount(); ++row) {
            QVariant text = table.index(row, SatelliteTableModel::Motor).data();
            benchmark::DoNotOptimize(text);
        }
    }
    state.SetItemsProcessed(state.iterations() * table.rowCount());
}
BENCHMARK(BM_MotorColumn)->Arg(10000)->Unit(benchmark::kMicrosecond);

// A day's track (96 steps) of 1,000 inclined satellites spread along the arc, as a catalogue
// of kept element sets gives them to the list.
void BM_DailyTracks(benchmark::State& state) {
    std::vector<MeanElements> sets(1000);
    for (size_t i = 0; i < sets.size(); ++i) {
        MeanElements& e = sets[i];
        e.epoch = QDateTime(QDate(2026, 3, 1), QTime(6, 0), Qt::UTC);
        e.inclination = 4.0, e.ascendingNode = 50.0, e.eccentricity = 0.0003;
        e.argumentOfPerigee = 25.0, e.meanAnomaly = double(i) * 0.36, e.meanMotion = 1.0027;
    }
    for (auto _ : state) {
        for (const MeanElements& e : sets) {
            DailyBox box = BoxOf(DailyTrack(e, 47.16, -16.16, e.epoch));
            benchmark::DoNotOptimize(box);
        }
    }
}
BENCHMARK(BM_DailyTracks)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
