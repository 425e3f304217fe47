// Imports of element lists as the user's import reads them, with records made here: three-line
// element sets and OMM JSON of geostationary satellites spread along the arc.
#include "CatalogueImport.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <benchmark/benchmark.h>

#include <cstdio>

using namespace skyvane;

namespace {

const QDateTime kNow(QDate(2026, 3, 2), QTime(12, 0), Qt::UTC);

// A line's last column: the sum of its digits, a minus counting 1, modulo 10.
QByteArray WithChecksum(QByteArray line) {
    int sum = 0;
    for (const char c : line)
        sum += c >= '0' && c <= '9' ? c - '0' : c == '-' ? 1 : 0;
    return line + char('0' + sum % 10);
}

// Record i of n: a station-kept satellite whose position steps along the arc.
struct Orbit {
    double inclination, node, perigee, anomaly, meanMotion;
    int eccentricity; // 1e-7
};

Orbit OrbitOf(int i, int n) {
    return {0.01 + (i % 50) * 0.1, (i * 7) % 3600 / 10.0,    100.0 + (i % 90),
            360.0 * i / n,         1.0027 + (i % 10) * 1e-6, 100 + i % 900};
}

QByteArray TleRecords(int n) {
    QByteArray text;
    text.reserve(qsizetype(n) * 170);
    char buffer[80];
    for (int i = 0; i < n; ++i) {
        const Orbit o = OrbitOf(i, n);
        text += "SAT " + QByteArray::number(i) + "\r\n";
        std::snprintf(buffer, sizeof buffer,
                      "1 %05dU 26001A   26060.50000000  .00000000  00000-0  00000-0 0  999",
                      i % 100000);
        text += WithChecksum(buffer) + "\r\n";
        std::snprintf(buffer, sizeof buffer, "2 %05d %8.4f %8.4f %07d %8.4f %8.4f %11.8f    1",
                      i % 100000, o.inclination, o.node, o.eccentricity, o.perigee, o.anomaly,
                      o.meanMotion);
        text += WithChecksum(buffer) + "\r\n";
    }
    return text;
}

QByteArray OmmJsonRecords(int n) {
    QByteArray text = "[";
    text.reserve(qsizetype(n) * 230);
    char buffer[320];
    for (int i = 0; i < n; ++i) {
        const Orbit o = OrbitOf(i, n);
        std::snprintf(buffer, sizeof buffer,
                      "%s{\"OBJECT_NAME\":\"SAT %d\",\"EPOCH\":\"2026-03-01T12:00:00.000000\","
                      "\"MEAN_MOTION\":%.8f,\"ECCENTRICITY\":%.7f,\"INCLINATION\":%.4f,"
                      "\"RA_OF_ASC_NODE\":%.4f,\"ARG_OF_PERICENTER\":%.4f,\"MEAN_ANOMALY\":%.4f}",
                      i == 0 ? "" : ",", i, o.meanMotion, o.eccentricity * 1e-7, o.inclination,
                      o.node, o.perigee, o.anomaly);
        text += buffer;
    }
    return text + "]";
}

void RunImport(benchmark::State& state, ImportReader reader, const QByteArray& content) {
    for (auto _ : state) {
        ImportedCatalogue imported =
            ConvertCatalogueAs(reader, content, QStringLiteral("bench"), kNow);
        benchmark::DoNotOptimize(imported);
        if (imported.satellites == 0) {
            state.SkipWithError("the records gave no satellite");
            return;
        }
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.SetBytesProcessed(state.iterations() * content.size());
}

void BM_ImportTle(benchmark::State& state) {
    RunImport(state, ImportReader::Tle, TleRecords(int(state.range(0))));
}
BENCHMARK(BM_ImportTle)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_ImportOmmJson(benchmark::State& state) {
    RunImport(state, ImportReader::OmmJson, OmmJsonRecords(int(state.range(0))));
}
BENCHMARK(BM_ImportOmmJson)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
