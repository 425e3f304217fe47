#include "WorldMagneticModel.h"
#include "geomag.h"

#include <benchmark/benchmark.h>

#include <dlfcn.h>
#include <filesystem>
#include <string>

namespace {

// The plugin reads wmm.cof from the current directory; the build copies it beside the
// library, so work from there.
std::filesystem::path PluginFolder() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&magdec), &info) == 0 || info.dli_fname == nullptr)
        return {};
    return std::filesystem::path(info.dli_fname).parent_path();
}

bool EnterPluginFolder(benchmark::State& state) {
    std::error_code error;
    std::filesystem::current_path(PluginFolder(), error);
    if (error) {
        state.SkipWithError("cannot enter the plugin's folder");
        return false;
    }
    return true;
}

// One declination once the coefficients are loaded: the cost of each main-window Calc.
void BM_MagdecLoaded(benchmark::State& state) {
    if (!EnterPluginFolder(state))
        return;
    if (magdec(47.16f, -16.16f, 0.0f, 2026.0f) != magdec(47.16f, -16.16f, 0.0f, 2026.0f)) {
        state.SkipWithError("wmm.cof not usable");
        return;
    }
    float latitude = -80.0f;
    for (auto _ : state) {
        benchmark::DoNotOptimize(magdec(latitude, -16.16f, 0.0f, 2026.0f));
        latitude = latitude < 80.0f ? latitude + 1.0f : -80.0f;
    }
}
BENCHMARK(BM_MagdecLoaded)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

// Reading and checking the coefficient file: paid once, on the first call.
void BM_ReadCoefficientFile(benchmark::State& state) {
    const std::string path = (PluginFolder() / "wmm.cof").string();
    for (auto _ : state)
        benchmark::DoNotOptimize(geomag::LoadCoefficientFile(path));
}
BENCHMARK(BM_ReadCoefficientFile)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

} // namespace

BENCHMARK_MAIN();
