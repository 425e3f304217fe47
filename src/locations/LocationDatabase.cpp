#include "LocationDatabase.h"

#include "TownKey.h"

#include <QFileInfo>

#include <sqlite3.h>

namespace skyvane {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

QString CountryStatement() {
    return QStringLiteral("select id, country from country") + kCrLf + QStringLiteral("union") +
           kCrLf + QStringLiteral("select NULL as id, '' as country") + kCrLf +
           QStringLiteral("order by country");
}

QString TownStatementLines() {
    return QStringLiteral("select * from location") + kCrLf + QStringLiteral("-- where") + kCrLf +
           QStringLiteral("order by lower(town)");
}

// The filter as it runs: the same parts as BuildTownFilter, with the user's values as
// parameters ?1 (country key) and ?2 (like pattern).
QString BoundTownFilter(bool hasCountry, bool hasText) {
    QString filter;
    if (hasCountry)
        filter += QStringLiteral("idcountry = ?1 and ");
    if (hasText)
        filter += QStringLiteral("town like ?2 and ");
    return filter + QStringLiteral("1=1");
}

// The SQL side of the two-decimal comparison for databases without precomputed key columns,
// so that both sides are written by TwoDecimalKey.
void TwoDecimalKeyFunction(sqlite3_context* context, int, sqlite3_value** arguments) {
    if (sqlite3_value_type(arguments[0]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    const std::string key = TwoDecimalKey(sqlite3_value_double(arguments[0]));
    sqlite3_result_text(context, key.c_str(), int(key.size()), SQLITE_TRANSIENT);
}

const char* const kKeyFunctionName = "skyvane_two_decimals";

} // namespace

std::optional<qint64> CountryKeyValue(const QString& countryKey) {
    bool ok = false;
    const qint64 value = countryKey.trimmed().toLongLong(&ok);
    if (!ok)
        return std::nullopt;
    return value;
}

QString BuildTownFilter(const QString& countryKey, const QString& cityText) {
    QString filter;
    if (const auto key = CountryKeyValue(countryKey))
        filter += QStringLiteral("idcountry = %1 and ").arg(*key);
    if (!cityText.isEmpty()) {
        QString text = cityText;
        text.replace(QLatin1Char('%'), QStringLiteral("%%"));
        text.replace(QLatin1Char('\''), QStringLiteral("''"));
        text.replace(QLatin1Char('?'), QStringLiteral("??"));
        filter += QStringLiteral("town like '%") + text + QStringLiteral("%' and ");
    }
    return filter + QStringLiteral("1=1");
}

bool LocationDatabase::open(const QString& path) {
    close();
    if (!QFileInfo(path).isFile())
        return false;
    m_db.open(path, SqliteDatabase::OpenMode::ReadOnly);
    return true;
}

void LocationDatabase::close() {
    m_db.close();
    m_keyFunctionRegistered = false;
}

std::vector<CountryEntry> LocationDatabase::Countries() {
    std::vector<CountryEntry> countries;
    SqliteStatement statement = m_db.prepare(CountryStatement());
    const int idColumn = statement.columnIndex(QStringLiteral("id"));
    const int nameColumn = statement.columnIndex(QStringLiteral("country"));
    if (idColumn < 0 || nameColumn < 0)
        return countries;
    while (statement.step() == SqliteStatement::StepResult::Row) {
        countries.push_back(
            {statement.columnIsNull(idColumn) ? QString() : statement.columnText(idColumn),
             statement.columnText(nameColumn)});
    }
    return countries;
}

std::vector<TownEntry> LocationDatabase::Towns() {
    SqliteStatement statement = m_db.prepare(TownStatementLines());
    return ReadTowns(statement);
}

std::vector<TownEntry> LocationDatabase::Towns(const TownFilter& filter) {
    const auto countryKey = CountryKeyValue(filter.countryKey);
    const bool hasText = !filter.cityText.isEmpty();
    const QString sql = QStringLiteral("select * from (") + TownStatementLines() + kCrLf +
                        QStringLiteral(") where ") +
                        BoundTownFilter(countryKey.has_value(), hasText);
    SqliteStatement statement = m_db.prepare(sql);
    if (countryKey)
        statement.bindInt64(1, *countryKey);
    if (hasText)
        statement.bindText(2, QLatin1Char('%') + filter.cityText + QLatin1Char('%'));
    return ReadTowns(statement);
}

std::vector<TownEntry> LocationDatabase::ReadTowns(SqliteStatement& statement) {
    std::vector<TownEntry> towns;
    const int idColumn = statement.columnIndex(QStringLiteral("id"));
    const int townColumn = statement.columnIndex(QStringLiteral("town"));
    const int latColumn = statement.columnIndex(QStringLiteral("lat"));
    const int longColumn = statement.columnIndex(QStringLiteral("long"));
    if (idColumn < 0 || townColumn < 0 || latColumn < 0 || longColumn < 0)
        return towns;
    while (statement.step() == SqliteStatement::StepResult::Row) {
        TownEntry town;
        if (!statement.columnIsNull(idColumn)) {
            bool ok = false;
            const qint64 key = statement.columnText(idColumn).toLongLong(&ok);
            if (ok)
                town.key = key;
        }
        town.town = statement.columnText(townColumn);
        town.latText = statement.columnText(latColumn);
        town.longText = statement.columnText(longColumn);
        towns.push_back(std::move(town));
    }
    return towns;
}

SqliteStatement LocationDatabase::PrepareTownLookup() {
    // The database we build carries the keys precomputed and indexed; any other database is
    // compared through the same formatting routine, row by row.
    SqliteStatement keyed = m_db.prepare(
        QStringLiteral("select town from location where latkey = ?1 and longkey = ?2"));
    if (keyed.isValid())
        return keyed;
    if (!m_keyFunctionRegistered && m_db.isOpen()) {
        m_keyFunctionRegistered =
            sqlite3_create_function_v2(
                m_db.handle(), kKeyFunctionName, 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                &TwoDecimalKeyFunction, nullptr, nullptr, nullptr) == SQLITE_OK;
    }
    if (!m_keyFunctionRegistered)
        return {};
    return m_db.prepare(QStringLiteral("select town from location where %1(lat) = ?1 and "
                                       "%1(long) = ?2")
                            .arg(QLatin1String(kKeyFunctionName)));
}

QString LocationDatabase::GetTownName(double latitude, double longitude) {
    if (!m_db.isOpen())
        return {};
    SqliteStatement statement = PrepareTownLookup();
    statement.bindText(1, QString::fromStdString(TwoDecimalKey(latitude)));
    statement.bindText(2, QString::fromStdString(TwoDecimalKey(longitude)));
    if (statement.step() != SqliteStatement::StepResult::Row)
        return {};
    return statement.columnText(0);
}

} // namespace skyvane
