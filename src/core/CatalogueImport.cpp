#include "CatalogueImport.h"

#include "Catalogue.h"
#include "CheckedCommit.h"
#include "DataFiles.h"
#include "JsonRecords.h"
#include "NumberText.h"
#include "RegularFile.h"
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
#include <QStringDecoder>
#include <QXmlStreamReader>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <map>
#include <string>
#include <string_view>

namespace skyvane {

namespace {

constexpr double kEarthRotationsPerDay = 1.0027379;
constexpr double kMinMeanMotion = 0.98; // revolutions per day
constexpr double kMaxMeanMotion = 1.02;
constexpr double kMaxEccentricity = 0.01;
constexpr double kInclinedAbove = 0.5; // degrees
constexpr double kMsPerDay = 86400000.0;
// XML and JSON readers hold a whole document and its parsed form in memory at once; public
// element lists and satellite tables are a few megabytes.
constexpr qint64 kMaxStructuredFileBytes = 32 * 1024 * 1024;
// A satellites.xml position written past the date line ("1801", 180.1 degrees East) is still a
// position; anything beyond a full turn is not.
constexpr int kMaxSatEntryTenths = 3600;
// A table entry's name is a few words; an absurd one is cut before it is split into satellites.
constexpr qsizetype kMaxSatEntryNameLength = 4 * kMaxSatelliteNameLength;

[[noreturn]] void Fail(const QString& message) {
    throw CatalogueError(message.toStdString());
}

[[noreturn]] void Fail(Constant reason, const QStringList& arguments = {}) {
    throw ImportError(reason, arguments);
}

[[noreturn]] void Fail(const ImportPlace& place, Constant reason,
                       const QStringList& arguments = {}) {
    throw ImportError(reason, arguments, place);
}

ImportPlace Line(qsizetype number) {
    return {Constant::ImportLine, number};
}

ImportPlace Record(qsizetype number) {
    return {Constant::ImportRecord, number};
}

QString Number(qint64 value) {
    return QString::number(value);
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

// A day of the proleptic Gregorian calendar as the days since 1970-01-01 and back: the epochs
// of element sets go by the hundred thousand, and QDate takes several times as long.
struct CivilDate {
    qint64 year;
    int month, day;
};

qint64 DaysSinceUnixEpoch(const CivilDate& date) {
    const qint64 year = date.year - (date.month <= 2 ? 1 : 0);
    const qint64 era = (year >= 0 ? year : year - 399) / 400;
    const qint64 yearOfEra = year - era * 400;
    const int dayOfYear =
        (153 * (date.month > 2 ? date.month - 3 : date.month + 9) + 2) / 5 + date.day - 1;
    const qint64 dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

CivilDate CivilDateOf(qint64 daysSinceUnixEpoch) {
    const qint64 days = daysSinceUnixEpoch + 719468;
    const qint64 era = (days >= 0 ? days : days - 146096) / 146097;
    const qint64 dayOfEra = days - era * 146097;
    const qint64 yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int dayOfYear = int(dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100));
    const int shiftedMonth = (5 * dayOfYear + 2) / 153; // March is 0
    const int month = shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9;
    return {yearOfEra + era * 400 + (month <= 2 ? 1 : 0), month,
            dayOfYear - (153 * shiftedMonth + 2) / 5 + 1};
}

double JulianDate(const QDateTime& utc) {
    return 2440587.5 + double(utc.toMSecsSinceEpoch()) / kMsPerDay;
}

// ---- the catalogue text that every format ends in ---------------------------------------------

// A name as it may stand in a catalogue line: one line, no field separator, bounded length.
// Whether CatalogueName leaves `name` as it is: printable ASCII without "|", no space at either
// end or next to another, not too long.
bool IsCatalogueName(const QString& name) {
    const qsizetype size = name.size();
    if (size == 0 || size > kMaxSatelliteNameLength)
        return false;
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t c = name.at(i).unicode();
        if (c == u' ' ? i == 0 || i == size - 1 || name.at(i - 1) == u' '
                      : c < 0x21 || c > 0x7e || c == u'|')
            return false;
    }
    return true;
}

QString CatalogueName(QString name) {
    if (IsCatalogueName(name))
        return name;
    name.replace(QLatin1Char('|'), QLatin1Char('/'));
    for (QChar& c : name)
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            c = QLatin1Char(' ');
    return name.simplified().left(kMaxSatelliteNameLength);
}

void AppendUtf8(std::string& out, const QString& text) {
    // Names are nearly always ASCII, which is its own UTF-8.
    const QStringView view(text);
    if (std::all_of(view.begin(), view.end(), [](QChar c) { return c.unicode() < 0x80; })) {
        const std::size_t at = out.size();
        out.resize(at + std::size_t(view.size()));
        std::transform(view.utf16(), view.utf16() + view.size(), out.begin() + qsizetype(at),
                       [](char16_t c) { return char(c); });
        return;
    }
    const QByteArray bytes = text.toUtf8();
    out.append(bytes.constData(), std::size_t(bytes.size()));
}

// The catalogue's position text of a position in tenths of a degree: QString::number(tenths /
// 10.0, 'f', 1), which is the tenths themselves with a point before the last digit.
void AppendTenths(std::string& out, int tenths) {
    if (tenths < 0)
        out += '-';
    const int magnitude = std::abs(tenths);
    out += std::to_string(magnitude / 10);
    out += '.';
    out += char('0' + magnitude % 10);
}

void AppendElementLine(std::string& out, double position, const QString& name,
                       const MeanElements& elements);

// Satellites by position in tenths of a degree (West positive), names in the order first seen.
class PositionTable {
public:
    void add(double position, const QString& name) { addClean(position, CatalogueName(name)); }
    // A name as CatalogueName gives it.
    void addClean(double position, const QString& clean) {
        if (clean.isEmpty())
            return;
        Slot& slot = m_slots[int(std::lround(position * 10.0))];
        // Co-located satellites share a line, as long as the line stays readable.
        // QString's == compares the lengths first, QStringList::contains the characters.
        const bool known =
            std::find(slot.names.cbegin(), slot.names.cend(), clean) != slot.names.cend();
        if (slot.names.isEmpty() ||
            (!known && slot.length + 2 + clean.size() <= kMaxSatelliteNameLength)) {
            slot.length += (slot.names.isEmpty() ? 0 : 2) + clean.size();
            slot.names << clean;
        }
    }
    // The element sets' epochs, so that the catalogue can state how old its positions are.
    void noteEpoch(const QDateTime& epoch) {
        if (!m_newestEpoch.isValid() || epoch > m_newestEpoch)
            m_newestEpoch = epoch;
    }
    const QDateTime& newestEpoch() const { return m_newestEpoch; }
    // The element set behind a position, kept under the name the catalogue line gives it (as
    // CatalogueName gives it).
    void keepElements(double position, const QString& clean, const MeanElements& elements) {
        if (!clean.isEmpty())
            AppendElementLine(m_elements, position, clean, elements);
    }
    QByteArray elementBytes() const { return QByteArray::fromStdString(m_elements); }
    int count() const { return int(m_slots.size()); }
    void appendLines(std::string& out) const {
        for (const auto& [tenths, slot] : m_slots) {
            AppendTenths(out, tenths);
            out += '|';
            for (qsizetype i = 0; i < slot.names.size(); ++i) {
                if (i > 0)
                    out += ", ";
                AppendUtf8(out, slot.names[i]);
            }
            out += "\r\n";
        }
    }

private:
    struct Slot {
        QStringList names;
        qsizetype length = 0; // of the names joined with ", "
    };
    std::map<int, Slot> m_slots; // sorted from East to West, as the built-in copy
    QDateTime m_newestEpoch;
    std::string m_elements; // element lines, each ending in CR LF
};

QString SafeSourceName(const QString& name) {
    return CatalogueName(QFileInfo(name).fileName());
}

// One conversion: where its content came from, the time positions are computed for, and the
// caller's progress report and stop request.
struct Conversion {
    QString source;
    QDateTime now;
    const ConversionControl& control;
    mutable int reportedPercent = -1;

    // Called once per record read, `done` of `total` in any unit.
    void step(qint64 done, qint64 total) const {
        if (control.stop.stop_requested())
            throw ImportCancelled();
        if (!control.progress || total <= 0)
            return;
        const int percent = int(std::clamp(done * 100 / total, qint64(0), qint64(100)));
        if (percent != reportedPercent) {
            reportedPercent = percent;
            control.progress(percent / 100.0);
        }
    }
};

ImportedCatalogue Finish(const PositionTable& table, const QString& format, const QDate& version,
                         const Conversion& conversion) {
    if (table.count() == 0)
        Fail(Constant::ImportNoGeostationary);
    // Positions from element sets are those of their epoch, so the catalogue is as new as its
    // newest element set, not as the day it was imported.
    const QDateTime& epoch = table.newestEpoch();
    const QDate stated = epoch.isValid() ? epoch.date() : version;
    QStringList lines{
        QStringLiteral(";Version=%1").arg(stated.toString(QStringLiteral("yyyyMMdd"))),
        QStringLiteral("; Imported from %1 (%2) on %3")
            .arg(SafeSourceName(conversion.source), format,
                 conversion.now.date().toString(QStringLiteral("yyyy-MM-dd")))};
    if (epoch.isValid())
        lines << ElementsEpochComment(epoch);
    std::string bytes;
    for (const QString& line : lines) {
        AppendUtf8(bytes, line);
        bytes += "\r\n";
    }
    table.appendLines(bytes);
    return {QByteArray::fromStdString(bytes), format, table.count(), epoch, table.elementBytes()};
}

// ---- orbital elements -------------------------------------------------------------------------

// The name the catalogue gives an element set, marked when inclined or drifting. Nearly every
// name gains a mark, so the whole name is made in one allocation.
QString MarkedName(const MeanElements& elements) {
    const QString trimmed = elements.name.trimmed();
    const std::u16string_view inclined =
        elements.inclination > kInclinedAbove ? u" (incl.)" : std::u16string_view();
    const std::u16string_view drifting =
        IsDrifting(elements) ? u" (drifting)" : std::u16string_view();
    if (inclined.empty() && drifting.empty())
        return trimmed;
    QString name(trimmed.size() + qsizetype(inclined.size() + drifting.size()), Qt::Uninitialized);
    QChar* out = std::copy(trimmed.cbegin(), trimmed.cend(), name.data());
    out = std::copy(inclined.begin(), inclined.end(), out);
    std::copy(drifting.begin(), drifting.end(), out);
    return name;
}

void AddElements(PositionTable& table, const MeanElements& elements, const QDateTime& now) {
    const std::optional<double> position = GeostationaryPosition(elements, now);
    if (!position)
        return;
    const QString clean = CatalogueName(MarkedName(elements));
    table.addClean(*position, clean);
    table.noteEpoch(elements.epoch);
    table.keepElements(*position, clean, elements);
}

// The epoch of the plain form nearly every file writes, "2026-03-01T00:00:00.123456" in ASCII
// digits with a fraction of one digit or more, or none, and maybe a "Z"; nothing for any other
// text, which OmmEpoch reads by its pattern.
std::optional<QDateTime> PlainOmmEpoch(const QString& text) {
    constexpr qsizetype kLongest = 64;
    qsizetype size = text.size();
    if (size < 19 || size > kLongest)
        return std::nullopt;
    char c[kLongest];
    for (qsizetype i = 0; i < size; ++i) {
        if (text.at(i).unicode() >= 0x80)
            return std::nullopt;
        c[i] = char(text.at(i).unicode());
    }
    if (c[size - 1] == 'Z')
        --size;
    const auto digit = [&c](int i) { return c[i] >= '0' && c[i] <= '9'; };
    for (const int i : {0, 1, 2, 3, 5, 6, 8, 9, 11, 12, 14, 15, 17, 18})
        if (!digit(i))
            return std::nullopt;
    if (c[0] == '0' || c[4] != '-' || c[7] != '-' || (c[10] != 'T' && c[10] != ' ') ||
        c[13] != ':' || c[16] != ':' || (size > 19 && (c[19] != '.' || size == 20)))
        return std::nullopt;
    for (qsizetype i = 20; i < size; ++i)
        if (!digit(int(i)))
            return std::nullopt;
    const auto number = [&c](int at, int width) {
        int value = 0;
        for (int i = at; i < at + width; ++i)
            value = value * 10 + (c[i] - '0');
        return value;
    };
    const QDate date(number(0, 4), number(5, 2), number(8, 2));
    const QTime time(number(11, 2), number(14, 2));
    if (!date.isValid() || !time.isValid())
        return QDateTime();
    const double seconds =
        PlainDecimal(std::string_view(c + 17, std::size_t(size - 17))).value_or(0.0);
    if (!(seconds < 60.0))
        return QDateTime();
    return QDateTime(date, time, Qt::UTC).addMSecs(qint64(std::llround(seconds * 1000.0)));
}

// "2026-03-01T00:00:00.123456" (UTC, fraction of any length) as OMM writes it.
QDateTime OmmEpoch(const QString& text) {
    if (const std::optional<QDateTime> plain = PlainOmmEpoch(text))
        return *plain;
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
    if (!(seconds < 60.0))
        return {};
    return QDateTime(date, time, Qt::UTC).addMSecs(qint64(std::llround(seconds * 1000.0)));
}

// Elements that describe no orbit are refused like a damaged file, never turned into a position.
// Each test is written so that NaN fails it.
// Elements are named by their OMM keywords, the same in every language.
void CheckElementRanges(const MeanElements& elements, const ImportPlace& where) {
    const auto check = [&](double value, double low, double high, const char* keyword) {
        if (!(value >= low && value <= high))
            Fail(where, Constant::ImportOutOfRange,
                 {QLatin1String(keyword), QString::number(value, 'g', 8)});
    };
    check(elements.inclination, 0.0, 180.0, "INCLINATION");
    check(elements.ascendingNode, 0.0, 360.0, "RA_OF_ASC_NODE");
    check(elements.argumentOfPerigee, 0.0, 360.0, "ARG_OF_PERICENTER");
    check(elements.meanAnomaly, 0.0, 360.0, "MEAN_ANOMALY");
    check(elements.eccentricity, 0.0, 0.9999999, "ECCENTRICITY");
    check(elements.meanMotion, 1e-6, 100.0, "MEAN_MOTION");
}

// The OMM fields we use, by their keyword.
constexpr std::array<std::string_view, 8> kOmmKeywords{
    "OBJECT_NAME", "EPOCH",          "MEAN_MOTION",       "ECCENTRICITY",
    "INCLINATION", "RA_OF_ASC_NODE", "ARG_OF_PERICENTER", "MEAN_ANOMALY"};

const QStringList& OmmKeywords() {
    static const QStringList keywords = [] {
        QStringList list;
        for (const std::string_view keyword : kOmmKeywords)
            list << QString::fromLatin1(keyword.data(), qsizetype(keyword.size()));
        return list;
    }();
    return keywords;
}

// A keyword's value in a record of text values (CSV, XML): the text, and the number it reads as
// (nothing for a missing keyword or text that is no finite number).
std::optional<QString> OmmText(const std::map<QString, QString>& values, QLatin1String keyword) {
    const auto found = values.find(keyword);
    return found == values.end() ? std::nullopt : std::optional<QString>(found->second);
}

std::optional<double> OmmNumber(const std::map<QString, QString>& values, QLatin1String keyword) {
    const auto found = values.find(keyword);
    bool ok = false;
    const double value = found == values.end() ? 0.0 : found->second.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// The same for a JSON record, where every keyword has a value (empty text when missing) and a
// number is taken as it was read, not written out and read back; only zero loses its sign, as
// the text "0" did.
std::optional<QString> OmmText(const QJsonObject& record, QLatin1String keyword) {
    const QJsonValue value = record.value(keyword);
    return value.isDouble() ? QString::number(value.toDouble(), 'g', 17) : value.toString();
}

std::optional<double> OmmNumber(const QJsonObject& record, QLatin1String keyword) {
    const QJsonValue value = record.value(keyword);
    if (value.isDouble()) {
        const double number = value.toDouble();
        if (!std::isfinite(number))
            return std::nullopt;
        return number == 0.0 ? 0.0 : number;
    }
    bool ok = false;
    const double number = value.toString().trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(number))
        return std::nullopt;
    return number;
}

// The same for a record of the streaming JSON reader, which gives the values as Qt's reader does.
struct OmmJsonFields {
    std::array<JsonField, kOmmKeywords.size()> fields;

    const JsonField& field(QLatin1String keyword) const {
        const std::string_view name(keyword.data(), std::size_t(keyword.size()));
        for (std::size_t i = 0; i < kOmmKeywords.size(); ++i)
            if (kOmmKeywords[i] == name)
                return fields[i];
        static const JsonField none;
        return none;
    }
};

std::optional<QString> OmmText(const OmmJsonFields& record, QLatin1String keyword) {
    const JsonField& value = record.field(keyword);
    if (value.kind == JsonField::Kind::Number)
        return QString::number(value.number, 'g', 17);
    return value.kind == JsonField::Kind::String ? value.text : QString();
}

std::optional<double> OmmNumber(const OmmJsonFields& record, QLatin1String keyword) {
    const JsonField& value = record.field(keyword);
    if (value.kind == JsonField::Kind::Number)
        return value.number == 0.0 ? 0.0 : value.number;
    bool ok = false;
    const double number =
        value.kind == JsonField::Kind::String ? value.text.trimmed().toDouble(&ok) : 0.0;
    if (!ok || !std::isfinite(number))
        return std::nullopt;
    return number;
}

// One OMM record from its keyword values; `where` names the record in a message.
template <typename Values>
MeanElements OmmElements(const Values& values, const ImportPlace& where) {
    auto number = [&](const char* keyword) {
        const std::optional<double> value = OmmNumber(values, QLatin1String(keyword));
        if (!value)
            Fail(where, Constant::ImportNotANumber, {QLatin1String(keyword)});
        return *value;
    };
    MeanElements elements;
    elements.name = OmmText(values, QLatin1String("OBJECT_NAME")).value_or(QString());
    const std::optional<QString> epoch = OmmText(values, QLatin1String("EPOCH"));
    elements.epoch = epoch ? OmmEpoch(*epoch) : QDateTime();
    if (!elements.epoch.isValid())
        Fail(where, Constant::ImportBadEpoch);
    elements.meanMotion = number("MEAN_MOTION");
    elements.eccentricity = number("ECCENTRICITY");
    elements.inclination = number("INCLINATION");
    elements.ascendingNode = number("RA_OF_ASC_NODE");
    elements.argumentOfPerigee = number("ARG_OF_PERICENTER");
    elements.meanAnomaly = number("MEAN_ANOMALY");
    CheckElementRanges(elements, where);
    return elements;
}

// OMM JSON read where it lies, each record as it comes, so that memory stays near the file's size.
ImportedCatalogue FromOmmJsonRecords(const JsonRecords& records, const Conversion& conversion) {
    PositionTable table;
    OmmJsonFields values;
    for (qsizetype index = 0; index < records.size(); ++index) {
        conversion.step(index, records.size());
        if (!records.readObject(index, kOmmKeywords, values.fields))
            Fail(Record(index + 1), Constant::ImportNotOmmObject);
        AddElements(table, OmmElements(values, Record(index + 1)), conversion.now);
    }
    return Finish(table, QStringLiteral("OMM JSON"), conversion.now.date(), conversion);
}

ImportedCatalogue FromOmmJson(const QByteArray& content, const Conversion& conversion) {
    if (const std::optional<JsonRecords> records = JsonRecords::Read(content))
        return FromOmmJsonRecords(*records, conversion);
    // Anything else Qt's reader takes or refuses with its own message.
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(content, &error);
    if (document.isNull())
        Fail(Constant::ImportBrokenJson, {Number(error.offset), error.errorString()});
    const QJsonArray records =
        document.isArray() ? document.array() : QJsonArray{document.object()};
    PositionTable table;
    int index = 0;
    for (const QJsonValue& record : records) {
        conversion.step(index, records.size());
        ++index;
        if (!record.isObject())
            Fail(Record(index), Constant::ImportNotOmmObject);
        AddElements(table, OmmElements(record.toObject(), Record(index)), conversion.now);
    }
    return Finish(table, QStringLiteral("OMM JSON"), conversion.now.date(), conversion);
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

ImportedCatalogue FromOmmCsv(const QStringList& lines, const Conversion& conversion) {
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
        Fail(Constant::ImportMissingColumns, {missing.join(QStringLiteral(", "))});
    PositionTable table;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        conversion.step(i, lines.size());
        if (lines[i].trimmed().isEmpty())
            continue;
        const QStringList fields = CsvFields(lines[i]);
        const ImportPlace where = Line(i + 1);
        if (fields.size() != header.size())
            Fail(where, Constant::ImportFieldCount, {Number(fields.size()), Number(header.size())});
        std::map<QString, QString> values;
        for (const auto& [keyword, column] : columns)
            values[keyword] = fields[column];
        AddElements(table, OmmElements(values, where), conversion.now);
    }
    return Finish(table, QStringLiteral("OMM CSV"), conversion.now.date(), conversion);
}

[[noreturn]] void FailXml(const QXmlStreamReader& xml) {
    Fail(Constant::ImportBrokenXml, {Number(xml.lineNumber()), xml.errorString()});
}

ImportedCatalogue FromOmmXml(QXmlStreamReader& xml, qint64 size, const Conversion& conversion) {
    PositionTable table;
    std::map<QString, QString> values;
    int index = 0;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("omm")) {
            conversion.step(xml.characterOffset(), size);
            values.clear();
            ++index;
        } else if (xml.isStartElement() && OmmKeywords().contains(xml.name().toString())) {
            const QString keyword = xml.name().toString();
            values[keyword] = xml.readElementText();
        } else if (xml.isEndElement() && xml.name() == QLatin1String("omm")) {
            AddElements(table, OmmElements(values, Record(index)), conversion.now);
        }
    }
    if (xml.hasError())
        FailXml(xml);
    return Finish(table, QStringLiteral("OMM XML"), conversion.now.date(), conversion);
}

// ---- three-line element sets ------------------------------------------------------------------

// What each ASCII character adds to a line's checksum: its value for a digit, 1 for a minus.
constexpr std::array<std::uint8_t, 128> kChecksumValues = [] {
    std::array<std::uint8_t, 128> values{};
    for (int c = '0'; c <= '9'; ++c)
        values[std::size_t(c)] = std::uint8_t(c - '0');
    values['-'] = 1;
    return values;
}();

// The checksum of a line with characters beyond ASCII, where any other digit counts its value.
bool WideTleChecksumMatches(QStringView line) {
    int sum = 0;
    for (qsizetype i = 0; i < 68; ++i) {
        const char16_t c = line[i].unicode();
        if (c < kChecksumValues.size())
            sum += kChecksumValues[c];
        else if (QChar(c).isDigit())
            sum += QChar(c).digitValue();
    }
    return line.at(68).digitValue() == sum % 10;
}

bool TleChecksumMatches(QStringView line) {
    // ASCII lines, nearly all, are summed without a branch a character, which vectorises.
    // Sixteen bits hold the largest sum, 68 nines.
    std::uint16_t sum = 0;
    std::uint16_t bits = 0;
    for (qsizetype i = 0; i < 68; ++i) {
        const std::uint16_t c = line[i].unicode();
        bits |= c;
        const std::uint16_t digit = std::uint16_t(c - u'0');
        sum += std::uint16_t((digit < 10 ? digit : 0) + (c == u'-' ? 1 : 0));
    }
    if (bits < 0x80)
        return line.at(68).digitValue() == int(sum % 10);
    return WideTleChecksumMatches(line);
}

// line.trimmed(), with no call for a line that starts and ends in a printable ASCII character.
QStringView TrimmedLine(QStringView line) {
    const auto printable = [](QChar c) { return c.unicode() > 0x20 && c.unicode() < 0x7f; };
    if (line.isEmpty() || (printable(line.front()) && printable(line.back())))
        return line;
    return line.trimmed();
}

// field.trimmed(), the spaces around nearly every field taken off without a call.
QStringView TrimmedField(QStringView field) {
    while (!field.isEmpty() && field.front() == u' ')
        field = field.sliced(1);
    while (!field.isEmpty() && field.back() == u' ')
        field.chop(1);
    return TrimmedLine(field);
}

double TleNumber(QStringView line, int column, int width, const ImportPlace& where) {
    const QStringView field = TrimmedField(line.sliced(column - 1, width));
    // Nearly every field is a plain decimal, read directly; any other form as Qt reads it.
    if (const std::optional<double> plain = PlainDecimal(field))
        return *plain;
    bool ok = false;
    const double value = field.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        Fail(where, Constant::ImportTleNoNumber, {Number(column), Number(column + width - 1)});
    return value;
}

QDateTime TleEpoch(QStringView line1, const ImportPlace& where) {
    const double twoDigitYear = TleNumber(line1, 19, 2, where);
    if (!(twoDigitYear >= 0.0 && twoDigitYear <= 99.0) || twoDigitYear != std::floor(twoDigitYear))
        Fail(where, Constant::ImportTleYear);
    const int year = twoDigitYear < 57 ? 2000 + int(twoDigitYear) : 1900 + int(twoDigitYear);
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    const double dayOfYear = TleNumber(line1, 21, 12, where);
    if (!(dayOfYear >= 1.0 && dayOfYear < (leap ? 367.0 : 366.0)))
        Fail(where, Constant::ImportTleDay);
    const qint64 newYear = DaysSinceUnixEpoch({year, 1, 1}) * qint64(kMsPerDay);
    return QDateTime::fromMSecsSinceEpoch(
        newYear + qint64(std::llround((dayOfYear - 1.0) * kMsPerDay)), Qt::UTC);
}

MeanElements TleElements(const QString& name, QStringView line1, QStringView line2,
                         int lineNumber) {
    const ImportPlace where = Line(lineNumber);
    for (const QStringView line : {line1, line2})
        if (line.size() < 69)
            Fail(where, Constant::ImportTleShort);
    if (!TleChecksumMatches(line1) || !TleChecksumMatches(line2))
        Fail(where, Constant::ImportTleChecksum);
    MeanElements elements;
    elements.name = name;
    elements.epoch = TleEpoch(line1, where);
    elements.inclination = TleNumber(line2, 9, 8, where);
    elements.ascendingNode = TleNumber(line2, 18, 8, where);
    // The field's digits follow an implied point; its columns are reported as those of "0." and
    // the digits.
    std::array<QChar, 9> eccentricity{u'0', u'.'};
    std::copy_n(line2.begin() + 26, 7, eccentricity.begin() + 2);
    elements.eccentricity =
        TleNumber(QStringView(eccentricity.data(), eccentricity.size()), 1, 9, where);
    elements.argumentOfPerigee = TleNumber(line2, 35, 8, where);
    elements.meanAnomaly = TleNumber(line2, 44, 8, where);
    elements.meanMotion = TleNumber(line2, 53, 11, where);
    CheckElementRanges(elements, where);
    return elements;
}

bool IsTleLine(QStringView line, QChar number) {
    return line.size() >= 2 && line.at(0) == number && line.at(1) == QLatin1Char(' ');
}

ImportedCatalogue FromTle(const QString& text, const Conversion& conversion) {
    const std::vector<QStringView> lines = SplitTextLineViews(text);
    const qsizetype count = qsizetype(lines.size());
    PositionTable table;
    QString name;
    for (qsizetype i = 0; i < count; ++i) {
        conversion.step(i, count);
        const QStringView line = TrimmedLine(lines[i]);
        if (IsTleLine(line, QLatin1Char('1'))) {
            const QStringView next = i + 1 < count ? TrimmedLine(lines[i + 1]) : QStringView();
            if (!IsTleLine(next, QLatin1Char('2')))
                Fail(Line(i + 2), Constant::ImportTleLine2Missing);
            AddElements(table, TleElements(name, line, next, int(i) + 1), conversion.now);
            ++i;
            name.clear();
        } else if (!line.isEmpty()) {
            name = (line.startsWith(u"0 ") ? line.mid(2) : line).toString();
        }
    }
    return Finish(table, QStringLiteral("TLE"), conversion.now.date(), conversion);
}

// ---- satellites.xml -----------------------------------------------------------------------------

// The date such a table states about itself ("File created on 2026-08-22T08:35:39"), if any.
QDate CreationDate(const QString& head) {
    static const QRegularExpression form(QStringLiteral(R"(created on (\d{4}-\d{2}-\d{2}))"));
    const QRegularExpressionMatch match = form.match(head.left(2000));
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
    const int eastTenths = tenths.toInt(&ok);
    if (!ok || !(eastTenths >= -kMaxSatEntryTenths && eastTenths <= kMaxSatEntryTenths))
        Fail(Line(lineNumber), Constant::ImportSatPosition, {tenths.left(40)});
    double position = -eastTenths / 10.0;
    if (std::fabs(position) > 180.0)
        position = NormalisedLongitude(position);
    name.truncate(kMaxSatEntryNameLength);
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

ImportedCatalogue FromSatellitesXml(QXmlStreamReader& xml, const QString& head, qint64 size,
                                    const Conversion& conversion) {
    PositionTable table;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("sat")) {
            conversion.step(xml.characterOffset(), size);
            AddSatEntry(table, xml.attributes().value(QLatin1String("name")).toString(),
                        xml.attributes().value(QLatin1String("position")).toString(),
                        int(xml.lineNumber()));
        }
    }
    if (xml.hasError())
        FailXml(xml);
    const QDate created = CreationDate(head);
    return Finish(table, QStringLiteral("satellites.xml"),
                  created.isValid() ? created : conversion.now.date(), conversion);
}

// The content of an imported file: its bytes as UTF-8 without a byte-order mark, and the text
// itself when it came in another Unicode form, so that XML in UTF-16 is read with the encoding it
// had and not the one its declaration names.
struct ImportText {
    QByteArray utf8;
    std::optional<QString> unicode;
};

// The encoding of text written in UTF-16 or UTF-32: stated by a byte-order mark, or seen in the
// zero bytes around the first characters.
std::optional<QStringConverter::Encoding> WideEncoding(const QByteArray& content) {
    if (const auto marked = QStringConverter::encodingForData(content);
        marked && *marked != QStringConverter::Utf8)
        return marked;
    for (const char16_t first : {u'<', u'[', u'{'})
        if (const auto seen = QStringConverter::encodingForData(content, first);
            seen && *seen != QStringConverter::Utf8)
            return seen;
    if (content.size() >= 4 && content.size() % 2 == 0) {
        if (content[0] != 0 && content[1] == 0 && content[2] != 0 && content[3] == 0)
            return QStringConverter::Utf16LE;
        if (content[0] == 0 && content[1] != 0 && content[2] == 0 && content[3] != 0)
            return QStringConverter::Utf16BE;
    }
    return std::nullopt;
}

ImportText ReadImportText(const QByteArray& content) {
    if (content.startsWith("\xEF\xBB\xBF"))
        return {content.mid(3), std::nullopt};
    const std::optional<QStringConverter::Encoding> wide = WideEncoding(content);
    if (!wide)
        return {content, std::nullopt};
    QStringDecoder decoder(*wide);
    QString text = decoder.decode(content);
    if (decoder.hasError())
        Fail(Constant::ImportBadUnicode, {QLatin1String(QStringConverter::nameForEncoding(*wide))});
    return {text.toUtf8(), std::move(text)};
}

ImportedCatalogue FromXml(const ImportText& input, const Conversion& conversion) {
    QXmlStreamReader xml;
    if (input.unicode)
        xml.addData(*input.unicode);
    else
        xml.addData(input.utf8);
    const qint64 size = input.unicode ? input.unicode->size() : input.utf8.size();
    while (!xml.atEnd() && !xml.isStartElement()) {
        xml.readNext();
        // Neither format uses entities; expanding declared ones lets a small file grow without
        // bound in memory.
        if (xml.isDTD() && !xml.entityDeclarations().isEmpty())
            Fail(Constant::ImportXmlEntities);
    }
    if (xml.hasError())
        FailXml(xml);
    if (xml.name() == QLatin1String("satellites"))
        return FromSatellitesXml(xml, QString::fromUtf8(input.utf8.left(4000)), size, conversion);
    if (xml.name() == QLatin1String("ndm") || xml.name() == QLatin1String("omm"))
        return FromOmmXml(xml, size, conversion);
    Fail(Constant::ImportUnknownXml, {xml.name().toString().left(40)});
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
        if (!ok || !line.contains(QLatin1Char('|')) || !(std::fabs(position) <= 180.0))
            Fail(Line(i + 1), Constant::ImportNotCatalogueLine, {line.left(60)});
        ++satellites;
    }
    if (satellites == 0)
        Fail(Constant::ImportNoSatellite);
    return {content, QStringLiteral("catalogue"), satellites, QDateTime(), {}};
}

} // namespace

ImportError::ImportError(Constant reason, QStringList arguments, std::optional<ImportPlace> place)
    : CatalogueError(
          FormatPercentS(BuiltInConstantText(reason),
                         (place ? QStringList{FormatPercentS(BuiltInConstantText(place->kind),
                                                             {Number(place->number)})}
                                : QStringList{}) +
                             arguments)
              .toStdString())
    , m_reason(reason)
    , m_arguments(std::move(arguments))
    , m_place(place) {}

QString ImportError::text(bool translated) const {
    const auto pattern = [translated](Constant constant) {
        return translated ? ConstantText(constant) : BuiltInConstantText(constant);
    };
    QStringList arguments = m_arguments;
    if (m_place)
        arguments.prepend(FormatPercentS(pattern(m_place->kind), {Number(m_place->number)}));
    return FormatPercentS(pattern(m_reason), arguments);
}

ImportCancelled::ImportCancelled()
    : ImportError(Constant::ImportCancelled, {}) {}

QString ImportErrorText(const CatalogueError& error) {
    if (const auto* refusal = dynamic_cast<const ImportError*>(&error))
        return refusal->text(true);
    return QString::fromUtf8(error.what());
}

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

std::optional<ImportReader> DetectImportReader(const QByteArray& content) {
    const QByteArray head = ReadImportText(content.left(4096)).utf8.trimmed();
    const QStringList lines = SplitTextLines(DecodeUtf8OrWindows1252(head));
    // A three-line element set may be named anything, "<unnamed>" or "[+] SES-17" too.
    if (lines.size() >= 2 && IsTleLine(lines[1].trimmed(), QLatin1Char('1')))
        return ImportReader::Tle;
    if (head.startsWith('[') || head.startsWith('{'))
        return ImportReader::OmmJson;
    if (head.startsWith('<'))
        return ImportReader::Xml;
    const QString first = lines.value(0).trimmed();
    if (first.contains(QLatin1String("OBJECT_NAME")) || first.contains(QLatin1String("EPOCH")))
        return ImportReader::OmmCsv;
    return std::nullopt;
}

ImportedCatalogue ConvertCatalogueAs(ImportReader reader, const QByteArray& content,
                                     const QString& sourceName, const QDateTime& now,
                                     const ConversionControl& control) {
    const Conversion conversion{sourceName, now, control};
    if (reader != ImportReader::Catalogue && reader != ImportReader::Tle &&
        content.size() > kMaxStructuredFileBytes)
        Fail(Constant::ImportTooLarge, {Number(content.size() / (1024 * 1024)),
                                        Number(kMaxStructuredFileBytes / (1024 * 1024))});
    const ImportText input = ReadImportText(content);
    switch (reader) {
    case ImportReader::Xml:
        return FromXml(input, conversion);
    case ImportReader::OmmJson:
        return FromOmmJson(input.utf8, conversion);
    case ImportReader::OmmCsv:
        return FromOmmCsv(SplitTextLines(DecodeUtf8OrWindows1252(input.utf8)), conversion);
    case ImportReader::Tle:
        return FromTle(DecodeUtf8OrWindows1252(input.utf8), conversion);
    case ImportReader::Catalogue:
        break;
    }
    return FromOwnFormat(input.utf8, SplitTextLines(DecodeUtf8OrWindows1252(input.utf8)));
}

ImportedCatalogue ConvertCatalogue(const QByteArray& content, const QString& sourceName,
                                   const QDateTime& now, const ConversionControl& control) {
    if (const std::optional<ImportReader> reader = DetectImportReader(content))
        return ConvertCatalogueAs(*reader, content, sourceName, now, control);
    // Text holding an element line anywhere is a damaged element list, and says so.
    const QStringList lines = SplitTextLines(DecodeUtf8OrWindows1252(ReadImportText(content).utf8));
    for (const QString& line : lines)
        if (IsTleLine(line.trimmed(), QLatin1Char('1')))
            return ConvertCatalogueAs(ImportReader::Tle, content, sourceName, now, control);
    return ConvertCatalogueAs(ImportReader::Catalogue, content, sourceName, now, control);
}

ImportedCatalogue ReadCatalogueForImport(const QString& path, const QDateTime& now,
                                         const ConversionControl& control) {
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
    const QByteArray content = ReadAtMost(file, kMaxImportFileBytes + 1);
    if (file.error() != QFileDevice::NoError)
        Fail(QStringLiteral("Cannot read file \"%1\". %2").arg(path, file.errorString()));
    if (content.size() > kMaxImportFileBytes)
        Fail(QStringLiteral("\"%1\" is larger than %2 MB.")
                 .arg(info.fileName())
                 .arg(kMaxImportFileBytes / (1024 * 1024)));
    return ConvertCatalogue(content, info.fileName(), now, control);
}

ImportedCatalogue ImportCatalogueFile(const QString& path, const QDateTime& now) {
    ImportedCatalogue imported = ReadCatalogueForImport(path, now);
    WriteUserCatalogue(imported.bytes);
    WriteUserElements(imported.elements);
    return imported;
}

namespace {

// Writes `value` with `width` digits, leading zeros included.
char* WriteDigits(char* out, int value, int width) {
    for (int i = width - 1; i >= 0; --i, value /= 10)
        out[i] = char('0' + value % 10);
    return out + width;
}

constexpr int kIsoTextWithMsSize = 24; // "2026-03-01T06:00:00.000Z"

// time.toUTC().toString(Qt::ISODateWithMs) for the years of four digits, written to `out`, which
// holds kIsoTextWithMsSize characters; nothing (and nothing written) for any other time.
char* WriteIsoTextWithMs(char* out, const QDateTime& time) {
    constexpr qint64 kMs = qint64(kMsPerDay);
    const qint64 ms = time.toMSecsSinceEpoch();
    const qint64 days = ms >= 0 ? ms / kMs : -((-ms + kMs - 1) / kMs);
    const CivilDate date = CivilDateOf(days);
    if (!time.isValid() || date.year < 1 || date.year > 9999)
        return nullptr;
    const int msOfDay = int(ms - days * kMs);
    char* p = WriteDigits(out, int(date.year), 4);
    *p++ = '-';
    p = WriteDigits(p, date.month, 2);
    *p++ = '-';
    p = WriteDigits(p, date.day, 2);
    *p++ = 'T';
    p = WriteDigits(p, msOfDay / 3600000, 2);
    *p++ = ':';
    p = WriteDigits(p, msOfDay / 60000 % 60, 2);
    *p++ = ':';
    p = WriteDigits(p, msOfDay / 1000 % 60, 2);
    *p++ = '.';
    p = WriteDigits(p, msOfDay % 1000, 3);
    *p++ = 'Z';
    return p;
}

// The fields of an element line after the name, each after a "|". An import writes them for
// every element set it keeps, so they are put together in a buffer and appended at once.
void AppendElementFields(std::string& out, const MeanElements& e) {
    constexpr std::size_t kNumbers = 6;
    std::array<char, 1 + kIsoTextWithMsSize + kNumbers*(1 + kGeneralNumberTextSize)> fields;
    char* p = fields.data();
    *p++ = '|';
    if (char* end = WriteIsoTextWithMs(p, e.epoch)) {
        p = end;
    } else {
        out += '|';
        out += e.epoch.toUTC().toString(Qt::ISODateWithMs).toStdString();
        p = fields.data();
    }
    for (const double value : {e.inclination, e.ascendingNode, e.eccentricity, e.argumentOfPerigee,
                               e.meanAnomaly, e.meanMotion}) {
        *p++ = '|';
        p = WriteGeneralNumber(p, value, 12);
    }
    out.append(fields.data(), std::size_t(p - fields.data()));
}

// ElementLine(position, elements under `name`) in UTF-8, and its line break.
void AppendElementLine(std::string& out, double position, const QString& name,
                       const MeanElements& elements) {
    AppendFixedNumber(out, position, 1);
    out += '|';
    AppendUtf8(out, name);
    AppendElementFields(out, elements);
    out += "\r\n";
}

} // namespace

QString ElementLine(double position, const MeanElements& e) {
    std::string before;
    AppendFixedNumber(before, position, 1);
    std::string after;
    AppendElementFields(after, e);
    return QString::fromStdString(before) + QLatin1Char('|') + e.name +
           QString::fromStdString(after);
}

std::vector<StoredElements> ParseElementLines(const QByteArray& bytes) {
    std::vector<StoredElements> sets;
    for (const QString& line : SplitTextLines(QString::fromUtf8(bytes))) {
        const QStringList f = line.split(QLatin1Char('|'));
        if (f.size() != 9)
            continue;
        bool ok = true;
        const auto number = [&ok](const QString& text) {
            bool good = false;
            const double value = text.toDouble(&good);
            ok = ok && good && std::isfinite(value);
            return value;
        };
        StoredElements set;
        set.positionTenths = int(std::lround(number(f[0]) * 10.0));
        MeanElements& e = set.elements;
        e.name = f[1];
        e.epoch = QDateTime::fromString(f[2], Qt::ISODateWithMs);
        e.inclination = number(f[3]);
        e.ascendingNode = number(f[4]);
        e.eccentricity = number(f[5]);
        e.argumentOfPerigee = number(f[6]);
        e.meanAnomaly = number(f[7]);
        e.meanMotion = number(f[8]);
        if (ok && e.epoch.isValid() && e.eccentricity >= 0.0 && e.eccentricity < 1.0 &&
            e.meanMotion > 0.0)
            sets.push_back(std::move(set));
    }
    return sets;
}

const MeanElements* FindElements(const std::vector<StoredElements>& sets, double position,
                                 const QString& lineName) {
    const int tenths = int(std::lround(position * 10.0));
    const QStringList names = lineName.trimmed().split(QStringLiteral(", "));
    for (const StoredElements& set : sets)
        if (set.positionTenths == tenths && names.contains(set.elements.name))
            return &set.elements;
    return nullptr;
}

QString UserElementsFile() {
    const QString catalogue = UserCatalogueFile();
    return catalogue.isEmpty()
               ? QString()
               : QFileInfo(catalogue).dir().filePath(QStringLiteral("satpos-elements.dat"));
}

void WriteUserElements(const QByteArray& bytes) {
    const QString path = UserElementsFile();
    if (path.isEmpty())
        Fail(QStringLiteral("There is no folder for the user's data."));
    if (bytes.isEmpty()) {
        QFile file(path);
        if (file.exists() && !file.remove())
            Fail(QStringLiteral("Cannot remove file \"%1\". %2").arg(path, file.errorString()));
        return;
    }
    UserDataFolder();
    QString reason;
    if (!WriteFileChecked(path, bytes, reason))
        Fail(QStringLiteral("Cannot write file \"%1\". %2").arg(path, reason));
}

QByteArray ReadUserElements() {
    return ReadRegularFile(UserElementsFile(), kMaxCatalogueFileBytes + 1).value_or(QByteArray());
}

QString UserCatalogueFile() {
    // Only a look: the folder is made when a catalogue is first written into it.
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    return folder.isEmpty() ? QString()
                            : QDir(folder).filePath(QString::fromLatin1(kCatalogueFileName));
}

namespace {

// A catalogue's leading comment lines and its satellite lines by position in tenths of a degree.
struct CatalogueParts {
    QStringList comments;
    QDateTime epoch;
    std::map<int, QString> lines;
};

CatalogueParts SplitCatalogue(const QByteArray& bytes) {
    CatalogueParts parts;
    for (const QString& line : SplitTextLines(DecodeUtf8OrWindows1252(bytes))) {
        if (line.startsWith(QLatin1Char(';'))) {
            if (const std::optional<QDateTime> epoch = ElementsEpochFromComment(line))
                parts.epoch = *epoch;
            else if (parts.lines.empty())
                parts.comments << line;
            continue;
        }
        if (line.trimmed().isEmpty())
            continue;
        try {
            if (const auto satellite = ParseSatelliteLine(line))
                parts.lines[int(std::lround(satellite->Position * 10.0))] = line;
        } catch (const CatalogueError&) {
            // A line the calculation would skip is dropped here too.
        }
    }
    return parts;
}

} // namespace

ImportedCatalogue AddToCatalogue(const QByteArray& existing, const ImportedCatalogue& imported) {
    CatalogueParts merged = SplitCatalogue(existing);
    const CatalogueParts added = SplitCatalogue(imported.bytes);
    for (const auto& [tenths, line] : added.lines)
        merged.lines[tenths] = line;
    const QDateTime epoch =
        merged.epoch.isValid() && (!added.epoch.isValid() || merged.epoch > added.epoch)
            ? merged.epoch
            : added.epoch;
    QStringList lines = added.comments;
    if (epoch.isValid())
        lines << ElementsEpochComment(epoch);
    for (const auto& [tenths, line] : merged.lines)
        lines << line;
    return {(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8(),
            imported.format,
            int(merged.lines.size()),
            epoch,
            {}};
}

QByteArray AddToElements(const QByteArray& existing, const ImportedCatalogue& imported) {
    const CatalogueParts stated = SplitCatalogue(imported.bytes);
    QStringList lines;
    for (const QString& line : SplitTextLines(QString::fromUtf8(existing))) {
        const std::vector<StoredElements> set = ParseElementLines(line.toUtf8());
        if (!set.empty() && !stated.lines.contains(set.front().positionTenths))
            lines << line;
    }
    lines += SplitTextLines(QString::fromUtf8(imported.elements));
    lines.removeAll(QString());
    return lines.isEmpty() ? QByteArray()
                           : (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8();
}

ImportedCatalogue AddToUserCatalogue(const ImportedCatalogue& imported) {
    const QString path = UserCatalogueFile();
    const std::optional<QByteArray> existing = ReadRegularFile(path, kMaxCatalogueFileBytes + 1);
    if (!existing)
        Fail(QStringLiteral("Cannot read file \"%1\".").arg(path));
    ImportedCatalogue added = AddToCatalogue(*existing, imported);
    added.elements = AddToElements(ReadUserElements(), imported);
    return added;
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
    // The elements go first: left behind, they would describe a catalogue no longer there.
    QFile elements(UserElementsFile());
    if (!elements.fileName().isEmpty() && elements.exists() && !elements.remove()) {
        if (reason)
            *reason = elements.errorString();
        return false;
    }
    QFile file(UserCatalogueFile());
    if (file.fileName().isEmpty() || !file.exists() || file.remove())
        return true;
    if (reason)
        *reason = file.errorString();
    return false;
}

} // namespace skyvane
