#include "SiteBook.h"

#include "CheckedCommit.h"
#include "Coordinates.h"
#include "DataFiles.h"
#include "NumberText.h"
#include "RegularFile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <cmath>
#include <optional>

namespace skyvane {

namespace {

constexpr int kFormatVersion = 1;
// Far more than any book of typed sites; a larger file is not one.
constexpr qint64 kMaxBookBytes = 64 * 1024 * 1024;

QString Key(const QString& name) {
    return name.trimmed().toCaseFolded();
}

QJsonObject ToJson(const SiteRecord& site) {
    QJsonArray horizon;
    for (const HorizonMask::Point& point : site.horizon.points())
        horizon.append(QJsonArray{point.azimuth, point.elevation});
    return {
        {QStringLiteral("name"), site.name},           {QStringLiteral("latitude"), site.latitude},
        {QStringLiteral("longitude"), site.longitude}, {QStringLiteral("height"), site.height},
        {QStringLiteral("town"), site.town},           {QStringLiteral("timeZone"), site.timeZone},
        {QStringLiteral("horizon"), horizon},          {QStringLiteral("notes"), site.notes}};
}

std::optional<double> NumberIn(const QJsonObject& object, const char* key, double limit) {
    const QJsonValue value = object.value(QLatin1String(key));
    if (value.isUndefined())
        return 0.0;
    if (!value.isDouble() || !std::isfinite(value.toDouble()) ||
        std::fabs(value.toDouble()) > limit)
        return std::nullopt;
    return value.toDouble();
}

std::optional<QString> TextIn(const QJsonObject& object, const char* key) {
    const QJsonValue value = object.value(QLatin1String(key));
    if (value.isUndefined())
        return QString();
    if (!value.isString())
        return std::nullopt;
    return value.toString();
}

std::optional<HorizonMask> HorizonIn(const QJsonObject& object) {
    const QJsonValue value = object.value(QLatin1String("horizon"));
    if (value.isUndefined())
        return HorizonMask();
    if (!value.isArray())
        return std::nullopt;
    std::vector<HorizonMask::Point> points;
    for (const QJsonValue& pair : value.toArray()) {
        const QJsonArray numbers = pair.toArray();
        if (numbers.size() != 2 || !numbers[0].isDouble() || !numbers[1].isDouble() ||
            !HorizonMask::IsUsablePoint(numbers[0].toDouble(), numbers[1].toDouble()))
            return std::nullopt;
        points.push_back({numbers[0].toDouble(), numbers[1].toDouble()});
    }
    return HorizonMask(std::move(points));
}

std::optional<SiteRecord> FromJson(const QJsonValue& value) {
    if (!value.isObject())
        return std::nullopt;
    const QJsonObject object = value.toObject();
    const auto name = TextIn(object, "name");
    const auto latitude = NumberIn(object, "latitude", 90.0);
    const auto longitude = NumberIn(object, "longitude", 180.0);
    const auto height = NumberIn(object, "height", 1e5);
    const auto town = TextIn(object, "town");
    const auto zone = TextIn(object, "timeZone");
    const auto notes = TextIn(object, "notes");
    const auto horizon = HorizonIn(object);
    if (!name || !SiteBook::IsUsableName(*name) || !latitude || !longitude || !height || !town ||
        !zone || !notes || !horizon)
        return std::nullopt;
    return SiteRecord{name->trimmed(), *latitude, *longitude, *height,
                      *town,           *zone,     *horizon,   *notes};
}

struct ParsedBook {
    std::vector<SiteRecord> sites;
    QStringList recent;
};

std::optional<ParsedBook> ParseBook(const QByteArray& bytes) {
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &parseError);
    if (parseError.error != QJsonParseError::NoError || !document.isObject())
        return std::nullopt;
    const QJsonObject root = document.object();
    if (!root.value(QLatin1String("sites")).isArray() ||
        root.value(QLatin1String("version")).toInt() != kFormatVersion)
        return std::nullopt;
    ParsedBook book;
    QStringList keys;
    for (const QJsonValue& value : root.value(QLatin1String("sites")).toArray()) {
        auto site = FromJson(value);
        if (!site || keys.contains(Key(site->name)))
            return std::nullopt;
        keys << Key(site->name);
        book.sites.push_back(std::move(*site));
    }
    // A recent name whose site is gone is simply forgotten.
    for (const QJsonValue& value : root.value(QLatin1String("recent")).toArray())
        if (keys.contains(Key(value.toString())) && book.recent.size() < SiteBook::kRecentCount)
            book.recent << value.toString().trimmed();
    return book;
}

QString MoveAside(const QString& path) {
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString target = path + QStringLiteral(".damaged-") + stamp;
    for (int n = 2; QFileInfo::exists(target); ++n)
        target = path + QStringLiteral(".damaged-") + stamp + QLatin1Char('-') + QString::number(n);
    return QFile::rename(path, target) ? target : QString();
}

QByteArray CsvName(const QString& name) {
    if (!name.contains(QLatin1Char('"')))
        return name.toUtf8();
    QString quoted = name;
    quoted.replace(QLatin1String("\""), QLatin1String("\"\""));
    return '"' + quoted.toUtf8() + '"';
}

} // namespace

Site SiteOfRecord(const SiteRecord& record) {
    return Site::FromInputs(CoordinateFieldText(record.latitude), record.latitude >= 0.0,
                            CoordinateFieldText(record.longitude), record.longitude < 0.0);
}

SiteRecord RecordAtSite(const Site& site) {
    SiteRecord record;
    record.latitude = site.latitudeNorth();
    record.longitude = site.longitudeEast();
    return record;
}

QString SiteBook::DefaultPath() {
    const QString folder = UserDataFolder();
    return folder.isEmpty() ? QString() : QDir(folder).filePath(QStringLiteral("sites.json"));
}

SiteBook::SiteBook(QString path)
    : m_path(std::move(path)) {}

SiteBook::LoadResult SiteBook::load() {
    m_sites.clear();
    m_recent.clear();
    m_damagedFileInPlace = false;
    if (m_path.isEmpty() || !QFileInfo::exists(m_path))
        return {};
    const auto bytes = ReadRegularFile(m_path, kMaxBookBytes + 1);
    auto book = bytes && bytes->size() <= kMaxBookBytes ? ParseBook(*bytes) : std::nullopt;
    if (book) {
        m_sites = std::move(book->sites);
        m_recent = std::move(book->recent);
        return {};
    }
    LoadResult result;
    result.ok = false;
    result.movedTo = MoveAside(m_path);
    if (result.movedTo.isEmpty()) {
        m_damagedFileInPlace = true;
        result.message =
            QStringLiteral("The site book %1 cannot be read and could not be moved aside. It is "
                           "left as it is; sites are not saved until it is mended or removed.")
                .arg(QDir::toNativeSeparators(m_path));
    } else {
        result.message =
            QStringLiteral("The site book %1 cannot be read. It was kept as %2; "
                           "the site book starts empty.")
                .arg(QDir::toNativeSeparators(m_path), QDir::toNativeSeparators(result.movedTo));
    }
    return result;
}

bool SiteBook::save(QString* error) const {
    QString reason;
    if (m_path.isEmpty())
        reason = QStringLiteral("There is no user data folder to keep the site book in.");
    else if (m_damagedFileInPlace)
        reason = QStringLiteral("The damaged site book %1 would be overwritten.")
                     .arg(QDir::toNativeSeparators(m_path));
    if (!reason.isEmpty()) {
        if (error)
            *error = reason;
        return false;
    }
    QJsonArray sites;
    for (const SiteRecord& site : m_sites)
        sites.append(ToJson(site));
    const QJsonObject root{{QStringLiteral("version"), kFormatVersion},
                           {QStringLiteral("sites"), sites},
                           {QStringLiteral("recent"), QJsonArray::fromStringList(m_recent)}};
    if (WriteFileChecked(m_path, QJsonDocument(root).toJson(), reason))
        return true;
    if (error)
        *error = reason;
    return false;
}

std::vector<SiteRecord>::iterator SiteBook::findSite(const QString& name) {
    const QString key = Key(name);
    return std::find_if(m_sites.begin(), m_sites.end(),
                        [&](const SiteRecord& site) { return Key(site.name) == key; });
}

const SiteRecord* SiteBook::find(const QString& name) const {
    const auto found = const_cast<SiteBook*>(this)->findSite(name);
    return found == m_sites.end() ? nullptr : &*found;
}

bool SiteBook::IsUsableName(const QString& name) {
    return !name.trimmed().isEmpty() && !name.contains(QLatin1Char(';')) &&
           !name.contains(QLatin1Char('\n')) && !name.contains(QLatin1Char('\r'));
}

void SiteBook::makeRecent(const QString& name) {
    m_recent.removeIf([&](const QString& recent) { return Key(recent) == Key(name); });
    m_recent.prepend(name.trimmed());
    while (m_recent.size() > kRecentCount)
        m_recent.removeLast();
}

bool SiteBook::put(SiteRecord record) {
    if (!IsUsableName(record.name))
        return false;
    record.name = record.name.trimmed();
    if (const auto found = findSite(record.name); found != m_sites.end())
        *found = record;
    else
        m_sites.push_back(record);
    makeRecent(record.name);
    return true;
}

bool SiteBook::rename(const QString& from, const QString& to) {
    const auto site = findSite(from);
    if (site == m_sites.end() || !IsUsableName(to))
        return false;
    const auto other = findSite(to);
    if (other != m_sites.end() && other != site)
        return false;
    for (QString& recent : m_recent)
        if (Key(recent) == Key(from))
            recent = to.trimmed();
    site->name = to.trimmed();
    return true;
}

bool SiteBook::remove(const QString& name) {
    const auto site = findSite(name);
    if (site == m_sites.end())
        return false;
    m_sites.erase(site);
    m_recent.removeIf([&](const QString& recent) { return Key(recent) == Key(name); });
    return true;
}

void SiteBook::touch(const QString& name) {
    if (const SiteRecord* site = find(name))
        makeRecent(site->name);
}

int SiteBook::importCsv(const QByteArray& bytes, QString* error) {
    QString reason;
    const std::vector<NamedSite> read = ReadSiteList(bytes, &reason);
    if (read.empty()) {
        if (error)
            *error = reason.isEmpty() ? QStringLiteral("The file names no site.") : reason;
        return -1;
    }
    for (const NamedSite& named : read) {
        const SiteRecord* known = find(named.name);
        SiteRecord site = known ? *known : SiteRecord{};
        site.name = named.name;
        site.latitude = named.latitude;
        site.longitude = -named.longitude; // the list's West positive
        put(std::move(site));
    }
    return static_cast<int>(read.size());
}

QByteArray SiteBook::exportCsv() const {
    QByteArray text;
    for (const SiteRecord& site : m_sites)
        text += CsvName(site.name) + ';' + ShortestPointText(site.latitude) + ';' +
                ShortestPointText(site.longitude) + "\r\n";
    return text;
}

} // namespace skyvane
