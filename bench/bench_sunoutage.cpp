#include "ManySites.h"
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

// The sun outage table for 1,000 sites of a list, as "Export for a list of sites" makes it.
void BM_PredictForSites(benchmark::State& state) {
    std::vector<NamedSite> sites;
    for (int i = 0; i < 1000; ++i)
        sites.push_back({QStringLiteral("Site %1").arg(i), 35.0 + (i % 25), -5.0 - (i / 25) * 0.5});
    SunOutagePredictor options;
    options.Year = 2026;
    for (auto _ : state) {
        auto outages = PredictForSites(*ExampleSatellite(), sites, options, {});
        benchmark::DoNotOptimize(outages);
    }
}
BENCHMARK(BM_PredictForSites)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
