#include "CommandLineRun.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

#include <benchmark/benchmark.h>

using namespace skyvane;

namespace {

// A catalogue file of `satellites` lines spread evenly round the orbit.
QString WriteCatalogue(const QTemporaryDir& dir, int satellites) {
    const QString path = dir.filePath(QStringLiteral("satpos.dat"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {};
    QTextStream out(&file);
    out << ";Version=synthetic\r\n";
    for (int i = 0; i < satellites; ++i)
        out << QString::number(-180.0 + 360.0 * i / satellites, 'f', 3) << "|Satellite " << i
            << "\r\n";
    return path;
}

// `skyvane --site 47.68N,17.63E --list FORMAT --catalogue FILE --out FILE`: read, calculate and
// write, as a script runs it, without starting the process.
void BM_CommandLineList(benchmark::State& state, const char* format) {
    QTemporaryDir dir;
    const QString catalogue = WriteCatalogue(dir, int(state.range(0)));
    const QStringList arguments{QStringLiteral("skyvane"),
                                QStringLiteral("--site"),
                                QStringLiteral("47.68N,17.63E"),
                                QStringLiteral("--list"),
                                QString::fromLatin1(format),
                                QStringLiteral("--catalogue"),
                                catalogue,
                                QStringLiteral("--out"),
                                dir.filePath(QStringLiteral("list"))};
    QCommandLineParser parser;
    AddBatchOptions(parser);
    parser.parse(arguments);
    QString messages;
    QTextStream errors(&messages);
    for (auto _ : state)
        benchmark::DoNotOptimize(RunBatch(parser, errors));
    if (!messages.isEmpty())
        state.SkipWithError(qPrintable(messages));
}
BENCHMARK_CAPTURE(BM_CommandLineList, csv, "csv")->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_CommandLineList, json, "json")->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
