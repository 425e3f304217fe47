// Location database: the folded search over every town and its alternate names, the first rows
// of the unfiltered list as the window shows them, the window opened until its first rows show,
// the country list with its names in the interface language, and the reverse town lookup of the
// reports, on the built location.sqb. The file is found beside the program (build/bin), or at
// $SKYVANE_LOCATION_SQB. Its size is reported as a counter; its build time is printed by the
// build itself ("Building location.sqb").

#include "LocationDatabase.h"
#include "TownListModel.h"
#include "fLocationDatabase.h"

#include <QApplication>
#include <QFileInfo>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

namespace {

QString DatabasePath() {
    if (const char* path = std::getenv("SKYVANE_LOCATION_SQB"))
        return QString::fromLocal8Bit(path);
    const auto exe = std::filesystem::read_symlink("/proc/self/exe");
    return QString::fromStdString(
        (exe.parent_path().parent_path() / "bin" / "location.sqb").string());
}

bool OpenDatabase(skyvane::LocationDatabase& db, benchmark::State& state) {
    if (db.open(DatabasePath()) && db.isOpen())
        return true;
    state.SkipWithError("location.sqb not found");
    return false;
}

// Folded search over all towns, every country: a common piece ("ber") and a local name that
// only an alternate name holds ("München").
void BM_FoldedSearchAllTowns(benchmark::State& state, const char* text) {
    skyvane::LocationDatabase db;
    if (!OpenDatabase(db, state))
        return;
    db.SetLocale("de_DE");
    size_t towns = 0;
    for (auto _ : state) {
        towns = db.Towns({QString(), QString::fromUtf8(text)}).size();
        benchmark::DoNotOptimize(towns);
    }
    state.counters["towns"] = double(towns);
    state.counters["database_KiB"] = double(QFileInfo(DatabasePath()).size() / 1024);
}
BENCHMARK_CAPTURE(BM_FoldedSearchAllTowns, ber, "ber")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FoldedSearchAllTowns, muenchen, "M\xc3\xbcnchen")
    ->Unit(benchmark::kMillisecond);

// The unfiltered list in German (root order) and Hungarian (tailored order): its first batch.
void BM_FirstRowsUnfiltered(benchmark::State& state, const char* locale) {
    skyvane::LocationDatabase db;
    if (!OpenDatabase(db, state))
        return;
    db.SetLocale(locale);
    for (auto _ : state) {
        auto rows = db.OpenTowns({}).Fetch(256);
        benchmark::DoNotOptimize(rows);
    }
}
BENCHMARK_CAPTURE(BM_FirstRowsUnfiltered, de, "de_DE")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FirstRowsUnfiltered, hu, "hu_HU")->Unit(benchmark::kMillisecond);

// The whole list read, for comparison with the first rows.
void BM_AllTownsUnfiltered(benchmark::State& state) {
    skyvane::LocationDatabase db;
    if (!OpenDatabase(db, state))
        return;
    size_t towns = 0;
    for (auto _ : state) {
        towns = db.Towns().size();
        benchmark::DoNotOptimize(towns);
    }
    state.counters["towns"] = double(towns);
}
BENCHMARK(BM_AllTownsUnfiltered)->Unit(benchmark::kMillisecond);

// The window created (countries read) and shown until its list holds its first rows.
void BM_OpenWindowUntilFirstRows(benchmark::State& state) {
    if (!QFileInfo::exists(DatabasePath())) {
        state.SkipWithError("location.sqb not found");
        return;
    }
    for (auto _ : state) {
        skyvane::LocationDatabase towns;
        towns.open(DatabasePath());
        skyvane::TfrmLocations window(nullptr, {}, &towns);
        window.show();
        benchmark::DoNotOptimize(window.townModel()->rowCount());
    }
}
BENCHMARK(BM_OpenWindowUntilFirstRows)->Unit(benchmark::kMillisecond);

void BM_Countries(benchmark::State& state) {
    skyvane::LocationDatabase db;
    if (!OpenDatabase(db, state))
        return;
    db.SetLocale("hu_HU");
    for (auto _ : state) {
        auto countries = db.Countries();
        benchmark::DoNotOptimize(countries);
    }
}
BENCHMARK(BM_Countries)->Unit(benchmark::kMillisecond);

void BM_GetTownName(benchmark::State& state) {
    skyvane::LocationDatabase db;
    if (!OpenDatabase(db, state))
        return;
    for (auto _ : state) {
        QString town = db.GetTownName(52.52, -13.41);
        benchmark::DoNotOptimize(town);
    }
}
BENCHMARK(BM_GetTownName)->Unit(benchmark::kMicrosecond);

void BM_GetTownNameAbsent(benchmark::State& state) {
    skyvane::LocationDatabase db;
    if (!OpenDatabase(db, state))
        return;
    for (auto _ : state) {
        QString town = db.GetTownName(-89.99, 179.99);
        benchmark::DoNotOptimize(town);
    }
}
BENCHMARK(BM_GetTownNameAbsent)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
