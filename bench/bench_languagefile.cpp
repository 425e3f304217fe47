#include "LanguageFile.h"

#include <QByteArray>

#include <benchmark/benchmark.h>

using namespace skyvane;

namespace {

// A language file of `sections` window sections with one entry each.
QByteArray ManySections(int sections) {
    QByteArray bytes = "LANGID=1031\r\n";
    for (int i = 0; i < sections; ++i)
        bytes += "[s" + QByteArray::number(i) + "]\r\n1=x\r\n";
    return bytes;
}

void BM_ReadLanguageFileSections(benchmark::State& state) {
    const QByteArray bytes = ManySections(int(state.range(0)));
    for (auto _ : state) {
        Translation translation = ReadLanguageFile(bytes);
        benchmark::DoNotOptimize(translation);
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_ReadLanguageFileSections)
    ->Arg(5000)
    ->Arg(20000)
    ->Arg(60000)
    ->Complexity(benchmark::oN)
    ->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
