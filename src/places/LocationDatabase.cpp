#include "LocationDatabase.h"

#include "DataFiles.h"
#include "LocalTownNames.h"
#include "TownFold.h"
#include "TownKey.h"

#include <QFileInfo>

#include <sqlite3.h>
#include <unicode/ucol.h>
#include <unicode/uloc.h>

#include <algorithm>
#include <cmath>

namespace skyvane {

// What the functions registered on a connection and its running statements share: the
// interface language's collator and the work left to the query that runs, counted in
// thousands of SQLite instructions so that the bound is the same on a slow or busy machine.
struct ConnectionState {
    ~ConnectionState() { ucol_close(collator); }

    UCollator* collator = nullptr;
    QByteArray locale = "en_US";
    qint64 limit = 100000; // about a second's work; a search over every town takes a few %
    qint64 remaining = 0;
    LocalTownNames localNames;
};

namespace {

constexpr int kProgressInstructions = 1000;
const char* const kFoldFunctionName = "skyvane_fold";
const char* const kCollationName = "skyvane_ui";

const QString kCrLf = QStringLiteral("\r\n");

// No name or coordinate comes near it; a hostile file's huge value ends its query instead of
// being read into memory.
constexpr int kMaxValueBytes = 1 << 20;

// The typed text is matched as it stands: LIKE over the folded names lets the trigram index
// find the candidates (a typed "%" or "_" only widens them), instr keeps the literal matches.
QString SearchCondition(const QString& names) {
    return QStringLiteral("%1 like ?2 and instr(%1, ?3) > 0 and ").arg(names);
}

// The statement of files without ISO codes or without a town table.
QString PlainCountryStatement() {
    return QStringLiteral("select id, country from country") + kCrLf + QStringLiteral("union") +
           kCrLf + QStringLiteral("select NULL as id, '' as country") + kCrLf +
           QStringLiteral("order by country");
}

// A file without the folded search table and the ranks (any older or foreign database) is
// searched and sorted through the same folding and collation, row by row.
QString PlainTownStatement(bool hasCountry, bool hasText) {
    QString sql = QStringLiteral("select * from location where ");
    if (hasCountry)
        sql += QStringLiteral("idcountry = ?1 and ");
    if (hasText)
        sql += SearchCondition(QStringLiteral("%1(town)").arg(QLatin1String(kFoldFunctionName)));
    return sql + QStringLiteral("1=1 order by town collate %1").arg(QLatin1String(kCollationName));
}

// The keys hold the town's folded name on their first line and its local names on the others.
const QString kOwnName =
    QStringLiteral("substr(s.keys, 1, instr(s.keys || char(10), char(10)) - 1)");

// Whether the text is found in a local name only, not in the town's own.
QString LocalMatchColumn() {
    return QStringLiteral(", instr(%1, ?3) = 0 as localmatch ").arg(kOwnName);
}

// The names as words: a hyphen parts words as a space does, " | " parts the names.
QString Words(const QString& names) {
    return QStringLiteral("(' ' || replace(replace(%1, char(10), ' | '), '-', ' ') || ' ')")
        .arg(names);
}

// Where a search finds the folded names: the trigram index over them, or the names themselves.
enum class FoldedNames { TrigramIndex, Table };

// Our own database: the folded names of every town in townsearch, the ranks of the collations
// it was built with, the region beside the town.
QString RankedTownStatement(bool hasCountry, bool hasText, const QString& order,
                            FoldedNames names) {
    QString sql = QStringLiteral("select l.id, l.town, l.lat, l.long, l.idcountry, "
                                 "r.name as region, c.code as countrycode ");
    sql += hasText ? LocalMatchColumn() : QString();
    sql += QStringLiteral("from ");
    // A search finds the folded names first and sorts the few towns it finds; walking the rank
    // index would visit every town out of order first.
    if (!hasText)
        sql += QStringLiteral("location l ");
    else if (names == FoldedNames::TrigramIndex)
        sql += QStringLiteral("townfts s cross join location l on l.id = s.rowid ");
    else
        sql += QStringLiteral("townsearch s cross join location l on l.id = s.id ");
    sql += QStringLiteral("left join region r on r.id = l.idregion "
                          "left join country c on c.id = l.idcountry where ");
    if (hasCountry)
        sql += QStringLiteral("l.idcountry = ?1 and ");
    if (hasText)
        sql += SearchCondition(QStringLiteral("s.keys"));
    return sql + QStringLiteral("1=1 order by ") + order;
}

// A search shows first the towns one of whose names is the text, then those with a name that
// holds it as whole words (Munich's "Lungsod ng München"), then those whose own name or a word
// of it starts with it, then those with such a local name, then the rest; each group largest
// town first, so that the town meant comes before the many smaller ones named after it.
QString SearchOrder(const QString& nameOrder) {
    const QString typed = QStringLiteral("replace(?3, '-', ' ')");
    return QStringLiteral("case when instr(char(10) || s.keys || char(10), "
                          "char(10) || ?3 || char(10)) > 0 then 0 "
                          "when instr(%1, ' ' || %3 || ' ') > 0 then 1 "
                          "when instr(%2, ' ' || %3) > 0 then 2 "
                          "when instr(%1, ' ' || %3) > 0 then 3 else 4 end, "
                          "l.population desc, ")
               .arg(Words(QStringLiteral("s.keys")), Words(kOwnName), typed) +
           nameOrder;
}

int ProgressHandler(void* context) {
    return --static_cast<ConnectionState*>(context)->remaining < 0 ? 1 : 0;
}

void FoldFunction(sqlite3_context* context, int, sqlite3_value** arguments) {
    const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(arguments[0]));
    if (!text) {
        sqlite3_result_null(context);
        return;
    }
    const std::string folded = FoldForSearch({text, size_t(sqlite3_value_bytes(arguments[0]))});
    sqlite3_result_text(context, folded.c_str(), int(folded.size()), SQLITE_TRANSIENT);
}

int CollationFunction(void* context, int length1, const void* text1, int length2,
                      const void* text2) {
    const auto* state = static_cast<ConnectionState*>(context);
    if (!state->collator) {
        const int order = std::memcmp(text1, text2, size_t(std::min(length1, length2)));
        return order != 0 ? order : length1 - length2;
    }
    UErrorCode status = U_ZERO_ERROR;
    return int(ucol_strcollUTF8(state->collator, static_cast<const char*>(text1), length1,
                                static_cast<const char*>(text2), length2, &status));
}

// The collator's rank column: the root order serves every language whose collation has no
// tailored rules; a tailored one needs its own column.
QString RankColumn(const ConnectionState& state) {
    int32_t rulesLength = 0;
    if (state.collator)
        ucol_getRules(state.collator, &rulesLength);
    if (rulesLength == 0)
        return QStringLiteral("rank_root");
    char language[ULOC_LANG_CAPACITY] = {};
    UErrorCode status = U_ZERO_ERROR;
    uloc_getLanguage(state.locale.constData(), language, sizeof language, &status);
    return QStringLiteral("rank_") + QString::fromLatin1(language);
}

// The country's name in the interface language, when ICU knows its ISO code.
QString CountryDisplayName(const QString& code, const QByteArray& locale) {
    if (code.size() != 2)
        return {};
    const QByteArray region = "und_" + code.toLatin1();
    UChar name[128] = {};
    UErrorCode status = U_ZERO_ERROR;
    const int32_t length = uloc_getDisplayCountry(region.constData(), locale.constData(), name,
                                                  int32_t(std::size(name)) - 1, &status);
    if (U_FAILURE(status) || length <= 0 || length >= int32_t(std::size(name)))
        return {};
    const QString text = QString::fromUtf16(reinterpret_cast<const char16_t*>(name), length);
    return text == code ? QString() : text;
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

QString FoldForSearch(const QString& text) {
    return QString::fromStdString(FoldForSearch(text.toUtf8().toStdString()));
}

std::optional<TownPlace> PlaceOf(const TownEntry& town) {
    if (!town.key || !town.latitude || !town.longitude)
        return std::nullopt;
    if (!(std::fabs(*town.latitude) <= 90.0 && std::fabs(*town.longitude) <= 180.0))
        return std::nullopt;
    return TownPlace{*town.latitude, *town.longitude};
}

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

TownCursor::TownCursor(SqliteStatement statement, std::shared_ptr<ConnectionState> state)
    : m_statement(std::move(statement))
    , m_state(std::move(state)) {
    m_id = m_statement.columnIndex(QStringLiteral("id"));
    m_town = m_statement.columnIndex(QStringLiteral("town"));
    m_lat = m_statement.columnIndex(QStringLiteral("lat"));
    m_long = m_statement.columnIndex(QStringLiteral("long"));
    m_region = m_statement.columnIndex(QStringLiteral("region"));
    m_country = m_statement.columnIndex(QStringLiteral("idcountry"));
    m_localMatch = m_statement.columnIndex(QStringLiteral("localmatch"));
    m_countryCode = m_statement.columnIndex(QStringLiteral("countrycode"));
    m_atEnd = m_id < 0 || m_town < 0 || m_lat < 0 || m_long < 0;
}

std::vector<TownEntry> TownCursor::Fetch(int count) {
    std::vector<TownEntry> towns;
    if (m_atEnd)
        return towns;
    m_state->remaining = m_state->limit;
    while (int(towns.size()) < count) {
        if (m_statement.step() != SqliteStatement::StepResult::Row) {
            m_atEnd = true;
            m_statement.finalize();
            break;
        }
        TownEntry town;
        if (!m_statement.columnIsNull(m_id)) {
            bool ok = false;
            const qint64 key = m_statement.columnText(m_id).toLongLong(&ok);
            if (ok)
                town.key = key;
        }
        town.town = m_statement.columnText(m_town, kMaxPlaceNameLength);
        // Before the texts: reading a number as text may change the type SQLite reports.
        town.latitude = m_statement.columnNumber(m_lat);
        town.longitude = m_statement.columnNumber(m_long);
        town.latText = m_statement.columnText(m_lat, kMaxPlaceNameLength);
        town.longText = m_statement.columnText(m_long, kMaxPlaceNameLength);
        town.region = m_statement.columnText(m_region, kMaxPlaceNameLength);
        town.countryKey = m_statement.columnText(m_country);
        town.byLocalName = m_localMatch >= 0 && m_statement.columnNumber(m_localMatch) == 1.0;
        if (m_countryCode >= 0)
            town.localName =
                m_state->localNames.NameOf(m_statement.columnText(m_countryCode, 2), town.town);
        towns.push_back(std::move(town));
    }
    return towns;
}

LocationDatabase::LocationDatabase()
    : m_state(std::make_shared<ConnectionState>()) {
    SetLocale(m_state->locale);
}

LocationDatabase::~LocationDatabase() = default;

QString LocationDatabase::DefaultPath() {
    return LocateDataFile(QStringLiteral("location.sqb"));
}

bool LocationDatabase::open(const QString& path) {
    close();
    m_present = QFileInfo(path).isFile();
    if (!m_present)
        return false;
    if (m_db.open(path, SqliteDatabase::OpenMode::ReadOnly)) {
        m_db.setLengthLimit(kMaxValueBytes);
        RegisterFunctions();
    }
    return true;
}

void LocationDatabase::close() {
    m_present = false;
    m_townLookup.finalize();
    m_db.close();
    m_functionsRegistered = false;
    m_keyFunctionRegistered = false;
}

void LocationDatabase::RegisterFunctions() {
    sqlite3* db = m_db.handle();
    sqlite3_progress_handler(db, kProgressInstructions, &ProgressHandler, m_state.get());
    m_functionsRegistered =
        sqlite3_create_function_v2(db, kFoldFunctionName, 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC,
                                   nullptr, &FoldFunction, nullptr, nullptr,
                                   nullptr) == SQLITE_OK &&
        sqlite3_create_collation_v2(db, kCollationName, SQLITE_UTF8, m_state.get(),
                                    &CollationFunction, nullptr) == SQLITE_OK;
}

void LocationDatabase::SetLocale(const QByteArray& icuLocale) {
    UErrorCode status = U_ZERO_ERROR;
    UCollator* collator = ucol_open(icuLocale.constData(), &status);
    if (U_FAILURE(status)) {
        ucol_close(collator);
        return;
    }
    ucol_close(m_state->collator);
    m_state->collator = collator;
    m_state->locale = icuLocale;
    m_state->localNames.SetLocale(icuLocale);
}

void LocationDatabase::SetQueryLimit(qint64 thousandInstructions) {
    m_state->limit = thousandInstructions;
}

void LocationDatabase::StartQuery() {
    m_state->remaining = m_state->limit;
}

std::vector<CountryEntry> LocationDatabase::Countries() {
    std::vector<CountryEntry> countries;
    StartQuery();
    SqliteStatement statement =
        m_db.prepare(QStringLiteral("select id, country, code from country c where exists "
                                    "(select 1 from location l where l.idcountry = c.id)"));
    if (!statement.isValid())
        statement = m_db.prepare(QStringLiteral("select id, country from country c where exists "
                                                "(select 1 from location l where "
                                                "l.idcountry = c.id)"));
    if (!statement.isValid())
        statement = m_db.prepare(PlainCountryStatement());
    const int idColumn = statement.columnIndex(QStringLiteral("id"));
    const int nameColumn = statement.columnIndex(QStringLiteral("country"));
    const int codeColumn = statement.columnIndex(QStringLiteral("code"));
    if (idColumn < 0 || nameColumn < 0)
        return countries;
    // No more than the world has, whatever a hostile file holds.
    constexpr size_t kMaxCountries = 1000;
    while (countries.size() < kMaxCountries &&
           statement.step() == SqliteStatement::StepResult::Row) {
        if (statement.columnIsNull(idColumn))
            continue;
        const QString name = CountryDisplayName(statement.columnText(codeColumn), m_state->locale);
        countries.push_back(
            {statement.columnText(idColumn, kMaxPlaceNameLength),
             name.isEmpty() ? statement.columnText(nameColumn, kMaxPlaceNameLength) : name});
    }
    // Finding the countries with towns reads much of the town index; the program starts with
    // this list filled, so its pages are not kept for a window that may never open.
    statement.finalize();
    sqlite3_db_release_memory(m_db.handle());
    UCollator* collator = m_state->collator;
    std::stable_sort(countries.begin(), countries.end(),
                     [collator](const CountryEntry& a, const CountryEntry& b) {
                         if (!collator)
                             return a.name < b.name;
                         return ucol_strcoll(collator,
                                             reinterpret_cast<const UChar*>(a.name.utf16()),
                                             int32_t(a.name.size()),
                                             reinterpret_cast<const UChar*>(b.name.utf16()),
                                             int32_t(b.name.size())) == UCOL_LESS;
                     });
    countries.insert(countries.begin(), CountryEntry{});
    return countries;
}

std::vector<TownEntry> LocationDatabase::Towns() {
    return Towns(TownFilter{});
}

std::vector<TownEntry> LocationDatabase::Towns(const TownFilter& filter) {
    // Each batch has the query limit to itself; a file whose list never ends stops here.
    constexpr size_t kMaxTowns = 2'000'000;
    TownCursor cursor = OpenTowns(filter);
    std::vector<TownEntry> towns;
    while (!cursor.AtEnd() && towns.size() < kMaxTowns) {
        std::vector<TownEntry> more = cursor.Fetch(4096);
        towns.insert(towns.end(), std::make_move_iterator(more.begin()),
                     std::make_move_iterator(more.end()));
    }
    return towns;
}

SqliteStatement LocationDatabase::PrepareTowns(bool hasCountry, bool hasText) {
    const QString rankOrder = QStringLiteral("l.") + RankColumn(*m_state);
    // A tailored collation the file carries no ranks for still sorts right, only slower.
    const QString collatedOrder =
        QStringLiteral("l.town collate %1, region collate %1").arg(QLatin1String(kCollationName));
    // A file built before the trigram index existed is searched through the names themselves.
    for (const FoldedNames names : {FoldedNames::TrigramIndex, FoldedNames::Table}) {
        for (const QString& order : {rankOrder, collatedOrder}) {
            SqliteStatement ranked = m_db.prepare(RankedTownStatement(
                hasCountry, hasText, hasText ? SearchOrder(order) : order, names));
            if (ranked.isValid())
                return ranked;
        }
    }
    return m_db.prepare(PlainTownStatement(hasCountry, hasText));
}

TownCursor LocationDatabase::OpenTowns(const TownFilter& filter) {
    if (!m_db.isOpen() || !m_functionsRegistered)
        return {};
    const auto countryKey = CountryKeyValue(filter.countryKey);
    const bool hasText = !filter.cityText.isEmpty();
    StartQuery();
    SqliteStatement statement = PrepareTowns(countryKey.has_value(), hasText);
    if (countryKey)
        statement.bindInt64(1, *countryKey);
    if (hasText) {
        const QString folded = FoldForSearch(filter.cityText);
        statement.bindText(2, QLatin1Char('%') + folded + QLatin1Char('%'));
        statement.bindText(3, folded);
    }
    return TownCursor(std::move(statement), m_state);
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
    StartQuery();
    if (m_townLookup.isValid())
        m_townLookup.reset();
    else
        m_townLookup = PrepareTownLookup();
    m_townLookup.bindText(1, QString::fromStdString(TwoDecimalKey(latitude)));
    m_townLookup.bindText(2, QString::fromStdString(TwoDecimalKey(longitude)));
    const bool found = m_townLookup.step() == SqliteStatement::StepResult::Row;
    const QString town = found ? m_townLookup.columnText(0, kMaxPlaceNameLength) : QString();
    m_townLookup.reset();
    return town;
}

QString LocationDatabase::NearestCountryCode(double latitude, double longitude) {
    if (!m_db.isOpen() || !std::isfinite(latitude) || !std::isfinite(longitude))
        return {};
    StartQuery();
    SqliteStatement nearest = m_db.prepare(QStringLiteral(
        "select c.code from location l join country c on c.id = l.idcountry "
        "where l.lat between ?1 - 3 and ?1 + 3 and l.long between ?2 - 4 and ?2 + 4 "
        "order by (l.lat - ?1) * (l.lat - ?1) + (l.long - ?2) * (l.long - ?2) * ?3 limit 1"));
    if (!nearest.isValid())
        return {};
    const double shrink = std::cos(latitude * 3.14159265358979 / 180.0);
    nearest.bindDouble(1, latitude);
    nearest.bindDouble(2, longitude);
    nearest.bindDouble(3, shrink * shrink);
    return nearest.step() == SqliteStatement::StepResult::Row ? nearest.columnText(0, 2)
                                                              : QString();
}

} // namespace skyvane
