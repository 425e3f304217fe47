#include "CatalogueImport.h"

#include "Catalogue.h"
#include "CheckedCommit.h"
#include "DataFiles.h"
#include "TextCodec.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStandardPaths>
#include <QXmlStreamReader>

#include <cmath>
#include <map>

namespace skyvane {

namespace {

constexpr double kEarthRotationsPerDay = 1.0027379;
constexpr double kMinMeanMotion = 0.98; // revolutions per day
constexpr double kMaxMeanMotion = 1.02;
constexpr double kMaxEccentricity = 0.01;
constexpr double kInclinedAbove = 0.5; // degrees
constexpr double kMsPerDay = 86400000.0;

[[noreturn]] void Fail(const QString& message) {
    throw CatalogueError(message.toStdString());
}

// Degrees into (-180, 180].
double NormalisedLongitude(double degrees) {
    double value = std::fmod(degrees, 360.0);
    if (value <= -180.0)
        value += 360.0;
    else if (value > 180.0)
        value -= 360.0;
    return value;
}

double JulianDate(const QDateTime& utc) {
    return 2440587.5 + double(utc.toMSecsSinceEpoch()) / kMsPerDay;
}

// ---- the catalogue text that every format ends in ---------------------------------------------

// A name as it may stand in a catalogue line: one line, no field separator, bounded length.
QString CatalogueName(QString name) {
    name.replace(QLatin1Char('|'), QLatin1Char('/'));
    for (QChar& c : name)
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            c = QLatin1Char(' ');
    return name.simplified().left(kMaxSatelliteNameLength);
}

// Satellites by position in tenths of a degree (West positive), names in the order first seen.
class PositionTable {
public:
    void add(double position, const QString& name) {
        const QString clean = CatalogueName(name);
        if (clean.isEmpty())
            return;
        QStringList& names = m_names[int(std::lround(position * 10.0))];
        const qsizetype length = names.join(QStringLiteral(", ")).size();
        // Co-located satellites share a line, as long as the line stays readable.
        if (!names.contains(clean) && length + 2 + clean.size() <= kMaxSatelliteNameLength)
            names << clean;
    }
    // The element sets' epochs, so that the catalogue can state how old its positions are.
    void noteEpoch(const QDateTime& epoch) {
        if (!m_newestEpoch.isValid() || epoch > m_newestEpoch)
            m_newestEpoch = epoch;
    }
    const QDateTime& newestEpoch() const { return m_newestEpoch; }
    int count() const { return int(m_names.size()); }
    QStringList lines() const {
        QStringList lines;
        for (const auto& [tenths, names] : m_names)
            lines << QStringLiteral("%1|%2").arg(QString::number(tenths / 10.0, 'f', 1),
                                                 names.join(QStringLiteral(", ")));
        return lines;
    }

private:
    std::map<int, QStringList> m_names; // sorted from East to West, as the built-in copy
    QDateTime m_newestEpoch;
};

QString SafeSourceName(const QString& name) {
    return CatalogueName(QFileInfo(name).fileName());
}

ImportedCatalogue Finish(const PositionTable& table, const QString& format, const QString& source,
                         const QDate& version, const QDateTime& now) {
    if (table.count() == 0)
        Fail(QStringLiteral("The file holds no geostationary satellite."));
    // Positions from element sets are those of their epoch, so the catalogue is as new as its
    // newest element set, not as the day it was imported.
    const QDateTime& epoch = table.newestEpoch();
    const QDate stated = epoch.isValid() ? epoch.date() : version;
    QStringList lines{
        QStringLiteral(";Version=%1").arg(stated.toString(QStringLiteral("yyyyMMdd"))),
        QStringLiteral("; Imported from %1 (%2) on %3")
            .arg(SafeSourceName(source), format,
                 now.date().toString(QStringLiteral("yyyy-MM-dd")))};
    if (epoch.isValid())
        lines << ElementsEpochComment(epoch);
    lines += table.lines();
    return {(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8(), format,
            table.count(), epoch};
}

// ---- orbital elements -------------------------------------------------------------------------

void AddElements(PositionTable& table, const MeanElements& elements, const QDateTime& now) {
    const std::optional<double> position = GeostationaryPosition(elements, now);
    if (!position)
        return;
    QString name = elements.name.trimmed();
    if (elements.inclination > kInclinedAbove)
        name += QStringLiteral(" (incl.)");
    if (IsDrifting(elements))
        name += QStringLiteral(" (drifting)");
    table.add(*position, name);
    table.noteEpoch(elements.epoch);
}

// "2026-03-01T00:00:00.123456" (UTC, fraction of any length) as OMM writes it.
QDateTime OmmEpoch(const QString& text) {
    static const QRegularExpression form(
        QStringLiteral(R"(^\s*(\d{4}-\d{2}-\d{2})[T ](\d{2}):(\d{2}):(\d{2}(?:\.\d*)?)\s*Z?\s*$)"));
    const QRegularExpressionMatch match = form.match(text);
    if (!match.hasMatch())
        return {};
    const QDate date = QDate::fromString(match.captured(1), Qt::ISODate);
    const QTime time(match.captured(2).toInt(), match.captured(3).toInt());
    if (!date.isValid() || !time.isValid())
        return {};
    const double seconds = match.captured(4).toDouble();
    return QDateTime(date, time, Qt::UTC).addMSecs(qint64(std::llround(seconds * 1000.0)));
}

// The OMM fields we use, by their keyword.
const QStringList& OmmKeywords() {
    static const QStringList keywords{
        QStringLiteral("OBJECT_NAME"),       QStringLiteral("EPOCH"),
        QStringLiteral("MEAN_MOTION"),       QStringLiteral("ECCENTRICITY"),
        QStringLiteral("INCLINATION"),       QStringLiteral("RA_OF_ASC_NODE"),
        QStringLiteral("ARG_OF_PERICENTER"), QStringLiteral("MEAN_ANOMALY")};
    return keywords;
}

// One OMM record from its keyword values; `where` names the record in a message.
MeanElements OmmElements(const std::map<QString, QString>& values, const QString& where) {
    auto number = [&](const char* keyword) {
        const auto found = values.find(QLatin1String(keyword));
        bool ok = false;
        const double value = found == values.end() ? 0.0 : found->second.trimmed().toDouble(&ok);
        if (!ok || !std::isfinite(value))
            Fail(QStringLiteral("%1: %2 is not a number.").arg(where, QLatin1String(keyword)));
        return value;
    };
    MeanElements elements;
    const auto name = values.find(QStringLiteral("OBJECT_NAME"));
    elements.name = name == values.end() ? QString() : name->second;
    const auto epoch = values.find(QStringLiteral("EPOCH"));
    elements.epoch = epoch == values.end() ? QDateTime() : OmmEpoch(epoch->second);
    if (!elements.epoch.isValid())
        Fail(QStringLiteral("%1: the EPOCH is not a date and time.").arg(where));
    elements.meanMotion = number("MEAN_MOTION");
    elements.eccentricity = number("ECCENTRICITY");
    elements.inclination = number("INCLINATION");
    elements.ascendingNode = number("RA_OF_ASC_NODE");
    elements.argumentOfPerigee = number("ARG_OF_PERICENTER");
    elements.meanAnomaly = number("MEAN_ANOMALY");
    return elements;
}

ImportedCatalogue FromOmmJson(const QByteArray& content, const QString& source,
                              const QDateTime& now) {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(content, &error);
    if (document.isNull())
        Fail(QStringLiteral("The JSON is broken at character %1: %2.")
                 .arg(error.offset)
                 .arg(error.errorString()));
    const QJsonArray records =
        document.isArray() ? document.array() : QJsonArray{document.object()};
    PositionTable table;
    int index = 0;
    for (const QJsonValue& record : records) {
        ++index;
        if (!record.isObject())
            Fail(QStringLiteral("Record %1 is not an OMM object.").arg(index));
        std::map<QString, QString> values;
        const QJsonObject object = record.toObject();
        for (const QString& keyword : OmmKeywords()) {
            const QJsonValue value = object.value(keyword);
            values[keyword] =
                value.isDouble() ? QString::number(value.toDouble(), 'g', 17) : value.toString();
        }
        AddElements(table, OmmElements(values, QStringLiteral("Record %1").arg(index)), now);
    }
    return Finish(table, QStringLiteral("OMM JSON"), source, now.date(), now);
}

// One CSV line split at commas outside double quotes; "" inside quotes is one quote.
QStringList CsvFields(const QString& line) {
    QStringList fields{QString()};
    bool quoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line.at(i);
        if (c == QLatin1Char('"')) {
            if (quoted && i + 1 < line.size() && line.at(i + 1) == QLatin1Char('"'))
                fields.last() += line.at(++i);
            else
                quoted = !quoted;
        } else if (c == QLatin1Char(',') && !quoted) {
            fields << QString();
        } else {
            fields.last() += c;
        }
    }
    return fields;
}

ImportedCatalogue FromOmmCsv(const QStringList& lines, const QString& source,
                             const QDateTime& now) {
    const QStringList header = CsvFields(lines.value(0));
    std::map<QString, qsizetype> columns;
    QStringList missing;
    for (const QString& keyword : OmmKeywords()) {
        const qsizetype at = header.indexOf(keyword);
        if (at < 0)
            missing << keyword;
        columns[keyword] = at;
    }
    if (!missing.isEmpty())
        Fail(QStringLiteral("The CSV header lacks the column(s) %1.")
                 .arg(missing.join(QStringLiteral(", "))));
    PositionTable table;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        if (lines[i].trimmed().isEmpty())
            continue;
        const QStringList fields = CsvFields(lines[i]);
        const QString where = QStringLiteral("Line %1").arg(i + 1);
        if (fields.size() != header.size())
            Fail(QStringLiteral("%1 has %2 fields where the header has %3.")
                     .arg(where)
                     .arg(fields.size())
                     .arg(header.size()));
        std::map<QString, QString> values;
        for (const auto& [keyword, column] : columns)
            values[keyword] = fields[column];
        AddElements(table, OmmElements(values, where), now);
    }
    return Finish(table, QStringLiteral("OMM CSV"), source, now.date(), now);
}

QString XmlFailure(const QXmlStreamReader& xml) {
    return QStringLiteral("The XML is broken at line %1: %2.")
        .arg(xml.lineNumber())
        .arg(xml.errorString());
}

ImportedCatalogue FromOmmXml(QXmlStreamReader& xml, const QString& source, const QDateTime& now) {
    PositionTable table;
    std::map<QString, QString> values;
    int index = 0;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("omm")) {
            values.clear();
            ++index;
        } else if (xml.isStartElement() && OmmKeywords().contains(xml.name().toString())) {
            const QString keyword = xml.name().toString();
            values[keyword] = xml.readElementText();
        } else if (xml.isEndElement() && xml.name() == QLatin1String("omm")) {
            AddElements(table, OmmElements(values, QStringLiteral("Record %1").arg(index)), now);
        }
    }
    if (xml.hasError())
        Fail(XmlFailure(xml));
    return Finish(table, QStringLiteral("OMM XML"), source, now.date(), now);
}

// ---- three-line element sets ------------------------------------------------------------------

bool TleChecksumMatches(const QString& line) {
    int sum = 0;
    for (qsizetype i = 0; i < 68; ++i) {
        const QChar c = line.at(i);
        if (c.isDigit())
            sum += c.digitValue();
        else if (c == QLatin1Char('-'))
            sum += 1;
    }
    return line.at(68).digitValue() == sum % 10;
}

double TleNumber(const QString& line, int column, int width, const QString& where) {
    bool ok = false;
    const double value = line.mid(column - 1, width).trimmed().toDouble(&ok);
    if (!ok)
        Fail(QStringLiteral("%1: columns %2 to %3 hold no number.")
                 .arg(where)
                 .arg(column)
                 .arg(column + width - 1));
    return value;
}

QDateTime TleEpoch(const QString& line1, const QString& where) {
    const int twoDigitYear = int(TleNumber(line1, 19, 2, where));
    const double dayOfYear = TleNumber(line1, 21, 12, where);
    if (dayOfYear < 1.0 || dayOfYear >= 367.0)
        Fail(QStringLiteral("%1: the epoch's day of the year is out of range.").arg(where));
    const int year = twoDigitYear < 57 ? 2000 + twoDigitYear : 1900 + twoDigitYear;
    return QDateTime(QDate(year, 1, 1), QTime(0, 0), Qt::UTC)
        .addMSecs(qint64(std::llround((dayOfYear - 1.0) * kMsPerDay)));
}

MeanElements TleElements(const QString& name, const QString& line1, const QString& line2,
                         int lineNumber) {
    const QString where = QStringLiteral("Line %1").arg(lineNumber);
    for (const QString& line : {line1, line2})
        if (line.size() < 69)
            Fail(QStringLiteral("%1: an element line is cut short.").arg(where));
    if (!TleChecksumMatches(line1) || !TleChecksumMatches(line2))
        Fail(QStringLiteral("%1: the checksum does not match; the element set is damaged.")
                 .arg(where));
    MeanElements elements;
    elements.name = name;
    elements.epoch = TleEpoch(line1, where);
    elements.inclination = TleNumber(line2, 9, 8, where);
    elements.ascendingNode = TleNumber(line2, 18, 8, where);
    elements.eccentricity = TleNumber(QStringLiteral("0.") + line2.mid(26, 7), 1, 9, where);
    elements.argumentOfPerigee = TleNumber(line2, 35, 8, where);
    elements.meanAnomaly = TleNumber(line2, 44, 8, where);
    elements.meanMotion = TleNumber(line2, 53, 11, where);
    return elements;
}

bool IsTleLine(const QString& line, QChar number) {
    return line.size() >= 2 && line.at(0) == number && line.at(1) == QLatin1Char(' ');
}

ImportedCatalogue FromTle(const QStringList& lines, const QString& source, const QDateTime& now) {
    PositionTable table;
    QString name;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (IsTleLine(line, QLatin1Char('1'))) {
            if (i + 1 >= lines.size() || !IsTleLine(lines[i + 1].trimmed(), QLatin1Char('2')))
                Fail(QStringLiteral("Line %1: element line 2 is missing.").arg(i + 2));
            AddElements(table, TleElements(name, line, lines[i + 1].trimmed(), int(i) + 1), now);
            ++i;
            name.clear();
        } else if (!line.isEmpty()) {
            name = line.startsWith(QLatin1String("0 ")) ? line.mid(2) : line;
        }
    }
    return Finish(table, QStringLiteral("TLE"), source, now.date(), now);
}

// ---- satellites.xml -----------------------------------------------------------------------------

// The date such a table states about itself ("File created on 2026-08-22T08:35:39"), if any.
QDate CreationDate(const QByteArray& head) {
    static const QRegularExpression form(QStringLiteral(R"(created on (\d{4}-\d{2}-\d{2}))"));
    const QRegularExpressionMatch match = form.match(QString::fromUtf8(head.left(2000)));
    return match.hasMatch() ? QDate::fromString(match.captured(1), Qt::ISODate) : QDate();
}

// One <sat> entry: its orbital position (West positive) and satellite names. The bands of one
// position differ in the position's last digit, while the name states the position itself
// ("133.0W C-band Galaxy 33"); that one is taken when present, so the bands merge.
void AddSatEntry(PositionTable& table, QString name, const QString& tenths, int lineNumber) {
    static const QRegularExpression stated(
        QStringLiteral(R"(^\s*(\d{1,3}(?:\.\d+)?)\s*([EW])\s+(.*)$)"));
    static const QRegularExpression band(QStringLiteral(R"(^[A-Za-z]{1,2}-band\s+)"),
                                         QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression separators(QStringLiteral(R"(\s*&\s*|\s*,\s+)"));
    bool ok = false;
    double position = -tenths.toInt(&ok) / 10.0;
    if (!ok || std::fabs(position) > 180.0)
        Fail(QStringLiteral("Line %1: the position \"%2\" is not in tenths of a degree.")
                 .arg(lineNumber)
                 .arg(tenths.left(40)));
    const QRegularExpressionMatch match = stated.match(name);
    if (match.hasMatch() && match.captured(1).toDouble() <= 180.0) {
        const double degrees = match.captured(1).toDouble();
        position = match.captured(2) == QLatin1String("W") ? degrees : -degrees;
        name = match.captured(3);
    }
    name.remove(band);
    for (const QString& satellite : name.split(separators, Qt::SkipEmptyParts))
        table.add(position, satellite);
}

ImportedCatalogue FromSatellitesXml(QXmlStreamReader& xml, const QByteArray& content,
                                    const QString& source, const QDateTime& now) {
    PositionTable table;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("sat"))
            AddSatEntry(table, xml.attributes().value(QLatin1String("name")).toString(),
                        xml.attributes().value(QLatin1String("position")).toString(),
                        int(xml.lineNumber()));
    }
    if (xml.hasError())
        Fail(XmlFailure(xml));
    const QDate created = CreationDate(content);
    return Finish(table, QStringLiteral("satellites.xml"), source,
                  created.isValid() ? created : now.date(), now);
}

ImportedCatalogue FromXml(const QByteArray& content, const QString& source, const QDateTime& now) {
    QXmlStreamReader xml(content);
    while (!xml.atEnd() && !xml.isStartElement())
        xml.readNext();
    if (xml.hasError())
        Fail(XmlFailure(xml));
    if (xml.name() == QLatin1String("satellites"))
        return FromSatellitesXml(xml, content, source, now);
    if (xml.name() == QLatin1String("ndm") || xml.name() == QLatin1String("omm"))
        return FromOmmXml(xml, source, now);
    Fail(QStringLiteral("The XML is neither a satellites.xml nor OMM (its root is <%1>).")
             .arg(xml.name().toString().left(40)));
}

// ---- the catalogue's own format -----------------------------------------------------------------

// The catalogue's own lines are stored as they are; they only have to be catalogue lines.
ImportedCatalogue FromOwnFormat(const QByteArray& content, const QStringList& lines) {
    CheckCatalogueLines(lines);
    int satellites = 0;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString& line = lines[i];
        if (line.startsWith(QLatin1Char(';')) || line.trimmed().isEmpty())
            continue;
        bool ok = false;
        const double position = line.section(QLatin1Char('|'), 0, 0).trimmed().toDouble(&ok);
        if (!ok || !line.contains(QLatin1Char('|')) || std::fabs(position) > 180.0)
            Fail(QStringLiteral("Line %1 is not a catalogue line (position|name): \"%2\".")
                     .arg(i + 1)
                     .arg(line.left(60)));
        ++satellites;
    }
    if (satellites == 0)
        Fail(QStringLiteral("The file holds no satellite."));
    return {content, QStringLiteral("catalogue"), satellites, QDateTime()};
}

} // namespace

double GreenwichSiderealDegrees(const QDateTime& utc) {
    const double days = JulianDate(utc) - 2451545.0;
    const double centuries = days / 36525.0;
    const double degrees = 280.46061837 + 360.98564736629 * days +
                           0.000387933 * centuries * centuries -
                           centuries * centuries * centuries / 38710000.0;
    const double value = std::fmod(degrees, 360.0);
    return value < 0.0 ? value + 360.0 : value;
}

double DriftDegreesPerDay(const MeanElements& elements) {
    return -(elements.meanMotion - kEarthRotationsPerDay) * 360.0;
}

bool IsDrifting(const MeanElements& elements) {
    return std::fabs(DriftDegreesPerDay(elements)) > kDriftingAbove;
}

std::optional<double> GeostationaryPosition(const MeanElements& elements, const QDateTime& now) {
    if (!(elements.meanMotion > kMinMeanMotion && elements.meanMotion < kMaxMeanMotion) ||
        !(elements.eccentricity >= 0.0 && elements.eccentricity < kMaxEccentricity) ||
        !elements.epoch.isValid())
        return std::nullopt;
    const double eastAtEpoch = elements.ascendingNode + elements.argumentOfPerigee +
                               elements.meanAnomaly - GreenwichSiderealDegrees(elements.epoch);
    const double days =
        IsDrifting(elements) ? double(elements.epoch.msecsTo(now)) / kMsPerDay : 0.0;
    const double west = NormalisedLongitude(-eastAtEpoch + DriftDegreesPerDay(elements) * days);
    if (!std::isfinite(west))
        return std::nullopt;
    return west == -180.0 ? 180.0 : west;
}

ImportedCatalogue ConvertCatalogue(const QByteArray& content, const QString& sourceName,
                                   const QDateTime& now) {
    const QByteArray head = content.left(4096).trimmed();
    if (head.startsWith('<'))
        return FromXml(content, sourceName, now);
    if (head.startsWith('[') || head.startsWith('{'))
        return FromOmmJson(content, sourceName, now);
    const QStringList lines = SplitTextLines(DecodeUtf8OrWindows1252(content));
    const QString first = lines.value(0).trimmed();
    if (first.contains(QLatin1String("OBJECT_NAME")) || first.contains(QLatin1String("EPOCH")))
        return FromOmmCsv(lines, sourceName, now);
    for (const QString& line : lines)
        if (IsTleLine(line.trimmed(), QLatin1Char('1')))
            return FromTle(lines, sourceName, now);
    return FromOwnFormat(content, lines);
}

ImportedCatalogue ReadCatalogueForImport(const QString& path, const QDateTime& now) {
    const QFileInfo info(path);
    if (!info.isFile())
        Fail(QStringLiteral("\"%1\" is not a file.").arg(path));
    if (info.size() > kMaxImportFileBytes)
        Fail(QStringLiteral("\"%1\" is %2 MB; a catalogue or element list may have at most %3 MB.")
                 .arg(info.fileName())
                 .arg(info.size() / (1024 * 1024))
                 .arg(kMaxImportFileBytes / (1024 * 1024)));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        Fail(QStringLiteral("Cannot open file \"%1\". %2").arg(path, file.errorString()));
    const QByteArray content = file.read(kMaxImportFileBytes + 1);
    if (file.error() != QFileDevice::NoError)
        Fail(QStringLiteral("Cannot read file \"%1\". %2").arg(path, file.errorString()));
    if (content.size() > kMaxImportFileBytes)
        Fail(QStringLiteral("\"%1\" is larger than %2 MB.")
                 .arg(info.fileName())
                 .arg(kMaxImportFileBytes / (1024 * 1024)));
    return ConvertCatalogue(content, info.fileName(), now);
}

ImportedCatalogue ImportCatalogueFile(const QString& path, const QDateTime& now) {
    ImportedCatalogue imported = ReadCatalogueForImport(path, now);
    WriteUserCatalogue(imported.bytes);
    return imported;
}

QString UserCatalogueFile() {
    // Only a look: the folder is made when a catalogue is first written into it.
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    return folder.isEmpty() ? QString()
                            : QDir(folder).filePath(QString::fromLatin1(kCatalogueFileName));
}

void WriteUserCatalogue(const QByteArray& bytes) {
    const QString path = UserCatalogueFile();
    if (path.isEmpty())
        Fail(QStringLiteral("There is no folder for the user's data."));
    // What the reader would refuse at the next Calc is refused now, while the previous
    // catalogue is still there.
    if (bytes.size() > kMaxCatalogueFileBytes)
        Fail(
            QStringLiteral("The catalogue would be %1 bytes long; a catalogue may have at most %2.")
                .arg(bytes.size())
                .arg(kMaxCatalogueFileBytes));
    // A folder that cannot be made is not reported by itself: the write then says why.
    UserDataFolder();
    QString reason;
    if (WriteFileChecked(path, bytes, reason))
        return;
    Fail(QStringLiteral("Cannot write file \"%1\". %2").arg(path, reason));
}

bool RemoveUserCatalogue(QString* reason) {
    QFile file(UserCatalogueFile());
    if (file.fileName().isEmpty() || !file.exists() || file.remove())
        return true;
    if (reason)
        *reason = file.errorString();
    return false;
}

} // namespace skyvane
