#include "SunOutage.h"

#include <benchmark/benchmark.h>

#include <memory>

using namespace skyvane;

namespace {

// Astra at 19.2 E seen from 47.16 N 16.16 E.
SatelliteRecord ExampleSatellite() {
    auto record = std::make_shared<TSatelliteData>();
    record->Name = QStringLiteral("Astra 1C/1E/1F/1G/2H/2C");
    record->Position = -19.2;
    record->SiteLatitude = 47.16;
    record->SiteLongitude = -16.16;
    return record;
}

void RunPrediction(benchmark::State& state, int year, OutageSeason season, OutageBand band,
                   double diameter) {
    SunOutagePredictor predictor;
    predictor.Satellite = ExampleSatellite();
    predictor.Year = year;
    predictor.Season = season;
    predictor.Band = band;
    predictor.Diameter = diameter;
    for (auto _ : state) {
        benchmark::DoNotOptimize(predictor.PredictOutages());
        benchmark::DoNotOptimize(predictor.Rows.data());
    }
    state.counters["evaluations"] = double(predictor.SeparationEvaluations);
    state.counters["rows"] = double(predictor.Rows.size());
}

void BM_PredictSpring2000CBand36(benchmark::State& state) {
    RunPrediction(state, 2000, OutageSeason::Spring, OutageBand::C, 3.6);
}
BENCHMARK(BM_PredictSpring2000CBand36)->Unit(benchmark::kMicrosecond);

void BM_PredictFall2025KuBand08(benchmark::State& state) {
    RunPrediction(state, 2025, OutageSeason::Fall, OutageBand::Ku, 0.8);
}
BENCHMARK(BM_PredictFall2025KuBand08)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
