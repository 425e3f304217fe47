#include "Catalogue.h"

#include "DataFiles.h"
#include "NumberText.h"
#include "RegularFile.h"
#include "TextCodec.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cmath>

namespace skyvane {

QString SplitAtChar(QString& rest, QChar separator) {
    const qsizetype at = rest.indexOf(separator);
    if (at < 0) {
        QString all = rest;
        rest.clear();
        return all;
    }
    QString before = rest.left(at);
    rest.remove(0, at + 1);
    return before;
}

namespace {

// "nan", "inf" or a number beyond a double's range: read as 0.0 like any text that is no number,
// such a line would show a satellite at Greenwich that is nowhere near it.
bool IsNonFiniteNumber(const QString& text) {
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    return !std::isfinite(value) && (ok || value != 0.0);
}

} // namespace

std::unique_ptr<TSatelliteData> ParseSatelliteLine(const QString& line) {
    // The same cuts as SplitAtChar, taken by index: this runs for every line of every Calc.
    auto record = std::make_unique<TSatelliteData>();
    const qsizetype bar = line.indexOf(QLatin1Char('|'));
    const QString position = bar < 0 ? line : line.left(bar);
    record->Position = StrToFloatDot(position, true);
    if (record->Position == 0.0 && IsNonFiniteNumber(position))
        throw CatalogueError(QStringLiteral("The position \"%1\" is no finite number.")
                                 .arg(position.left(40))
                                 .toStdString());
    if (bar >= 0) {
        const qsizetype next = line.indexOf(QLatin1Char('|'), bar + 1);
        record->Name = line.mid(bar + 1, next < 0 ? -1 : next - bar - 1);
    }
    return record;
}

std::optional<QString> VersionFromComment(const QString& line) {
    const QString comment = line.mid(1, 999).trimmed();
    if (!comment.contains(QLatin1Char('=')))
        return std::nullopt;
    if (comment.left(7).toLower() != QLatin1String("version"))
        return std::nullopt;
    return comment.mid(8, 999);
}

std::optional<QDateTime> ElementsEpochFromComment(const QString& line) {
    static const QString prefix = QStringLiteral(";Epoch=");
    if (!line.startsWith(prefix))
        return std::nullopt;
    QDateTime epoch = QDateTime::fromString(line.mid(prefix.size()).trimmed(), Qt::ISODate);
    if (!epoch.isValid())
        return std::nullopt;
    return epoch.toUTC();
}

QString ElementsEpochComment(const QDateTime& epoch) {
    return QStringLiteral(";Epoch=") + epoch.toUTC().toString(Qt::ISODate);
}

QDateTime ElementsEpochOf(const QStringList& lines) {
    for (const QString& line : lines) {
        if (!line.startsWith(QLatin1Char(';')))
            break;
        if (std::optional<QDateTime> epoch = ElementsEpochFromComment(line))
            return *epoch;
    }
    return {};
}

std::optional<int> OldElementsAge(const QDateTime& epoch, const QDateTime& now) {
    if (!epoch.isValid() || !now.isValid())
        return std::nullopt;
    const qint64 days = epoch.msecsTo(now) / (24 * 3600 * 1000);
    if (days <= kOldElementsDays)
        return std::nullopt;
    return int(days);
}

namespace {

std::optional<QStringList> ReadBuiltInCatalogue() {
    QFile resource(QString::fromLatin1(kBuiltInCatalogueResource));
    if (!resource.open(QIODevice::ReadOnly))
        return std::nullopt;
    return SplitTextLines(DecodeWindows1252(resource.readAll()));
}

[[noreturn]] void FailFile(const char* what, const QString& path, const QString& reason) {
    throw CatalogueError(QStringLiteral("%1 \"%2\". %3")
                             .arg(QLatin1String(what), QFileInfo(path).absoluteFilePath(), reason)
                             .toStdString());
}

[[noreturn]] void FailTooLong(const QString& path, qint64 size) {
    FailFile("Cannot read file", path,
             QStringLiteral("It is %1 bytes long; a catalogue may have at most %2.")
                 .arg(size)
                 .arg(kMaxCatalogueFileBytes));
}

bool InWorkingDirectory(const QString& path) {
    return QFileInfo(path).absolutePath() == QDir::current().absolutePath();
}

} // namespace

QStringList BuiltInCatalogueLines() {
    return ReadBuiltInCatalogue().value_or(QStringList{});
}

void CheckCatalogueLines(const QStringList& lines, const QString& path) {
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString& line = lines[i];
        if (line.startsWith(QLatin1Char(';')))
            continue;
        const qsizetype bar = line.indexOf(QLatin1Char('|'));
        if (bar < 0)
            continue;
        const qsizetype next = line.indexOf(QLatin1Char('|'), bar + 1);
        const qsizetype length = (next < 0 ? line.size() : next) - bar - 1;
        if (length > kMaxSatelliteNameLength)
            throw CatalogueError(
                QStringLiteral("Line %1%2: the name is %3 characters long; a name may have at "
                               "most %4.")
                    .arg(i + 1)
                    .arg(path.isEmpty() ? QString() : QStringLiteral(" of \"%1\"").arg(path))
                    .arg(length)
                    .arg(kMaxSatelliteNameLength)
                    .toStdString());
    }
}

CatalogueLocation LocateCatalogue(ShippedCatalogue shipped) {
    const QString found = LocateCatalogueFile();
    if (!found.isEmpty())
        return {InWorkingDirectory(found) ? CatalogueSource::WorkingDirectory
                                          : CatalogueSource::User,
                found};
    if (shipped == ShippedCatalogue::Used) {
        const QString path = LocateDataFile(QString::fromLatin1(kShippedCatalogueFileName));
        if (!path.isEmpty())
            return {CatalogueSource::Shipped, path};
    }
    return {};
}

CatalogueReader::CatalogueReader(ShippedCatalogue shipped)
    : m_shipped(shipped) {}

QStringList CatalogueReader::readFile(const QString& path) {
    const QFileInfo info(path);
    QFile file(path);
    if (!info.isFile() || !file.open(QIODevice::ReadOnly))
        FailFile("Cannot open file", path,
                 info.isDir() ? QStringLiteral("Is a directory") : file.errorString());
    if (info.size() > kMaxCatalogueFileBytes)
        FailTooLong(path, info.size());
    const FileStamp stamp{info.absoluteFilePath(), info.size(), info.lastModified(),
                          info.metadataChangeTime()};
    if (stamp == m_lastStamp)
        return m_lastLines;
    const QByteArray bytes = ReadAtMost(file, kMaxCatalogueFileBytes + 1);
    if (file.error() != QFileDevice::NoError)
        FailFile("Cannot read file", path, file.errorString());
    if (bytes.size() > kMaxCatalogueFileBytes)
        FailFile("Cannot read file", path,
                 QStringLiteral("It is longer than %1 bytes.").arg(kMaxCatalogueFileBytes));
    QStringList lines = SplitTextLines(DecodeUtf8OrWindows1252(bytes));
    CheckCatalogueLines(lines, path);
    m_lastStamp = stamp;
    m_lastLines = lines;
    return lines;
}

std::optional<CatalogueText> CatalogueReader::load() {
    const CatalogueLocation location = LocateCatalogue(m_shipped);
    if (!location.path.isEmpty())
        return CatalogueText{readFile(location.path), location.source, location.path};
    // The built-in copy cannot change while the program runs.
    if (!m_builtInLines)
        m_builtInLines = ReadBuiltInCatalogue();
    if (m_builtInLines)
        return CatalogueText{*m_builtInLines, CatalogueSource::BuiltIn, QString()};
    return std::nullopt;
}

std::optional<QStringList> LoadCatalogueLines() {
    if (std::optional<CatalogueText> catalogue = CatalogueReader().load())
        return std::move(catalogue->lines);
    return std::nullopt;
}

} // namespace skyvane
