// Feeds arbitrary bytes to one of the import readers (chosen when built). A file may be refused
// with CatalogueError, but never crash the reader; whatever it accepts must be a catalogue the
// calculation reads as the importer wrote it: every position finite and within 180 degrees of
// Greenwich, read back as written, and the output imported again unchanged.
#include "Catalogue.h"
#include "CatalogueImport.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

using namespace skyvane;

namespace {

enum class FuzzFormat { Tle, OmmJson, OmmCsv, OmmXml, SatellitesXml };

constexpr ImportReader ReaderFor(FuzzFormat format) {
    switch (format) {
    case FuzzFormat::Tle:
        return ImportReader::Tle;
    case FuzzFormat::OmmJson:
        return ImportReader::OmmJson;
    case FuzzFormat::OmmCsv:
        return ImportReader::OmmCsv;
    case FuzzFormat::OmmXml:
    case FuzzFormat::SatellitesXml:
        break;
    }
    return ImportReader::Xml;
}

constexpr ImportReader kReader = ReaderFor(FuzzFormat::SKYVANE_FUZZ_READER);

[[noreturn]] void Broken(const char* what, const QString& line) {
    std::fprintf(stderr, "%s: %s\n", what, qPrintable(line.left(300)));
    std::abort();
}

void CheckLinesReadBack(const QByteArray& bytes) {
    const QStringList lines = QString::fromUtf8(bytes).split(QStringLiteral("\r\n"));
    if (!lines.last().isEmpty())
        Broken("the output does not end in a line break", lines.last());
    for (const QString& line : lines) {
        if (line.isEmpty() || line.startsWith(QLatin1Char(';')))
            continue;
        const double written = line.section(QLatin1Char('|'), 0, 0).toDouble();
        const std::unique_ptr<TSatelliteData> record = ParseSatelliteLine(line);
        if (!std::isfinite(record->Position) || !(std::fabs(record->Position) <= 180.0))
            Broken("a position outside 180 degrees", line);
        if (record->Position != written || record->Name.isEmpty())
            Broken("a line read back differently", line);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray content(reinterpret_cast<const char*>(data), qsizetype(size));
    const QDateTime now(QDate(2026, 3, 1), QTime(6, 0), Qt::UTC);
    ImportedCatalogue imported;
    try {
        imported = ConvertCatalogueAs(kReader, content, QStringLiteral("fuzz"), now);
    } catch (const CatalogueError&) {
        return 0;
    }
    try {
        CheckLinesReadBack(imported.bytes);
        const ImportedCatalogue again =
            ConvertCatalogue(imported.bytes, QStringLiteral("again"), now);
        if (again.bytes != imported.bytes || again.satellites != imported.satellites ||
            again.format != QLatin1String("catalogue"))
            Broken("the output imported again differs", QString::fromUtf8(again.bytes));
    } catch (const CatalogueError& error) {
        Broken("the output cannot be read back", QString::fromUtf8(error.what()));
    }
    return 0;
}
