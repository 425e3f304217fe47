#include "Catalogue.h"

#include "DataFiles.h"
#include "NumberText.h"
#include "TextCodec.h"

#include <QFile>
#include <QFileInfo>

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

std::unique_ptr<TSatelliteData> ParseSatelliteLine(const QString& line) {
    // The same cuts as SplitAtChar, taken by index: this runs for every line of every Calc.
    auto record = std::make_unique<TSatelliteData>();
    const qsizetype bar = line.indexOf(QLatin1Char('|'));
    record->Position = StrToFloatDot(bar < 0 ? line : line.left(bar), true);
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

namespace {

std::optional<QStringList> ReadBuiltInCatalogue() {
    QFile resource(QString::fromLatin1(kBuiltInCatalogueResource));
    if (!resource.open(QIODevice::ReadOnly))
        return std::nullopt;
    return SplitTextLines(DecodeWindows1252(resource.readAll()));
}

} // namespace

QStringList BuiltInCatalogueLines() {
    return ReadBuiltInCatalogue().value_or(QStringList{});
}

std::optional<QStringList> LoadCatalogueLines() {
    const QString name = LocateCatalogueFile();
    if (!name.isEmpty()) {
        QFile file(name);
        if (!QFileInfo(name).isFile() || !file.open(QIODevice::ReadOnly))
            throw CatalogueError(QStringLiteral("Cannot open file \"%1\". %2")
                                     .arg(QFileInfo(name).absoluteFilePath(),
                                          QFileInfo(name).isDir() ? QStringLiteral("Is a directory")
                                                                  : file.errorString())
                                     .toStdString());
        const QByteArray bytes = file.readAll();
        if (file.error() != QFileDevice::NoError)
            throw CatalogueError(QStringLiteral("Cannot read file \"%1\". %2")
                                     .arg(QFileInfo(name).absoluteFilePath(), file.errorString())
                                     .toStdString());
        return SplitTextLines(DecodeUtf8OrWindows1252(bytes));
    }
    return ReadBuiltInCatalogue();
}

} // namespace skyvane
