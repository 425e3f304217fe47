// Location database: the search over the whole town table, the unfiltered town list the window
// loads at start, and the reverse town lookup of the reports, on the built location.sqb.
// The file is found beside the program (build/bin), or at $SKYVANE_LOCATION_SQB.

#include "LocationDatabase.h"

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

void BM_FilterBerAllCountries(benchmark::State& state) {
    skyvane::LocationDatabase db;
    if (!OpenDatabase(db, state))
        return;
    size_t towns = 0;
    for (auto _ : state) {
        towns = db.Towns({QString(), QStringLiteral("ber")}).size();
        benchmark::DoNotOptimize(towns);
    }
    state.counters["towns"] = double(towns);
}
BENCHMARK(BM_FilterBerAllCountries)->Unit(benchmark::kMillisecond);

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

BENCHMARK_MAIN();
