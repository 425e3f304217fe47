#pragma once

#include "SqliteDatabase.h"

#include <QByteArray>
#include <QString>

#include <memory>
#include <optional>
#include <vector>

namespace skyvane {

// One entry of the country list. The blank first entry has no key and an empty name.
struct CountryEntry {
    QString key;  // text of column id; empty for NULL
    QString name; // in the interface language where the database gives the ISO code
};

// The longest town, region or country name read from the database; longer ones are cut.
inline constexpr int kMaxPlaceNameLength = 200;

// One entry of the town list, with the row's coordinates as the database gives them as text.
struct TownEntry {
    std::optional<qint64> key; // column id; none for NULL or a non-integer
    QString town;
    QString latText;                 // column lat: degrees, North positive
    QString longText;                // column long: degrees, West positive
    std::optional<double> latitude;  // column lat as a number; none when it is not one
    std::optional<double> longitude; // column long as a number; none when it is not one
    QString region;                  // first-level division; empty where the database has none
    QString countryKey;              // text of column idcountry
    bool byLocalName = false;        // a search found it by a local name, not by its own
    QString localName; // in the interface language, where known and not the town's own name
};

// The text as the search compares it: case and accents folded away (FoldForSearch).
QString FoldForSearch(const QString& text);

// Where a town of the list lies. latitude: degrees, North positive; longitude: degrees, West
// positive.
struct TownPlace {
    double latitude;
    double longitude;
};

// The town's place when the row gives one on the globe: a key, both coordinates numbers,
// latitude within ±90°, longitude within ±180°. A row without one is no place to apply.
std::optional<TownPlace> PlaceOf(const TownEntry& town);

struct ConnectionState;

// The rows of one town query, read as they are asked for, so that a long list shows its first
// rows at once. Valid while its database is open; an invalid cursor is at its end.
class TownCursor {
public:
    TownCursor() = default;
    TownCursor(SqliteStatement statement, std::shared_ptr<ConnectionState> state);

    // Up to `count` further rows; fewer at the end or when the query fails or runs too long.
    // Each call has the query limit to itself.
    std::vector<TownEntry> Fetch(int count);
    bool AtEnd() const { return m_atEnd; }

private:
    SqliteStatement m_statement;
    std::shared_ptr<ConnectionState> m_state;
    bool m_atEnd = true;
    int m_id = -1, m_town = -1, m_lat = -1, m_long = -1, m_region = -1, m_country = -1,
        m_localMatch = -1, m_countryCode = -1;
};

// The country restriction and search text of the town list.
struct TownFilter {
    QString countryKey; // empty: every country
    QString cityText;   // empty: every town
};

// The country key as the filter uses it: none for an empty or non-integer key.
std::optional<qint64> CountryKeyValue(const QString& countryKey);

// The town query's filter text as the window keeps it: "idcountry = <key> and " when a country
// is chosen, "town like '%<text>%' and " when a text is typed (the text with "%" doubled, "'"
// doubled and "?" doubled, in that order), then "1=1". The statement that runs binds the
// country key and the typed text as parameters instead of splicing this text into SQL.
QString BuildTownFilter(const QString& countryKey, const QString& cityText);

// The location database file: countries, towns and the reverse town lookup. Opened read-only,
// never written. The program opens one and hands it to the windows that browse it and to the
// reports that look up the site's town. Every query failure (not a database, missing table or
// column) gives an empty result, never an exception.
//
// Names are compared folded (FoldForSearch), so a search ignores case and accents, and found by
// their alternate names where the database holds them; lists are sorted by the collation of
// the interface language. A query that works longer than its limit (a hostile file, say a view
// that recurses for ever) is cut off and gives what it had.
class LocationDatabase {
public:
    LocationDatabase();
    ~LocationDatabase();
    LocationDatabase(const LocationDatabase&) = delete;
    LocationDatabase& operator=(const LocationDatabase&) = delete;

    // location.sqb among the data files; empty when there is none.
    static QString DefaultPath();

    // Opens the file read-only. Returns false only when no file exists at the path; a file that
    // exists but cannot be used still counts as present and yields empty results.
    bool open(const QString& path);
    void close();
    bool isOpen() const { return m_db.isOpen(); }
    // Whether the last open found a file (what open returned).
    bool present() const { return m_present; }

    // The interface language as an ICU locale ("de_DE"): country names and sort order follow
    // it. No town cursor may be running while it changes.
    void SetLocale(const QByteArray& icuLocale);
    // The work, in thousands of SQLite instructions, one call (or one Fetch) may do before
    // its query is cut off.
    void SetQueryLimit(qint64 thousandInstructions);

    // The countries that have towns, sorted by name, with a blank entry (no key, empty name)
    // first.
    std::vector<CountryEntry> Countries();
    // Every town, sorted by name in the interface language's collation.
    std::vector<TownEntry> Towns();
    // The towns that pass the filter, sorted likewise; a search in our own database puts the
    // towns named the text first, then those with a name or word starting with it, each
    // group by population.
    std::vector<TownEntry> Towns(const TownFilter& filter);
    // The same rows, to be read as they are needed.
    TownCursor OpenTowns(const TownFilter& filter);

    // The town whose coordinates, each rounded to two decimals, equal the site's; empty when
    // none does or the database is not open.
    // latitude: degrees, North positive; longitude: degrees, West positive.
    QString GetTownName(double latitude, double longitude);
    // The ISO code of the country of the town nearest the site within a few degrees; empty when
    // there is none or the database has no codes.
    QString NearestCountryCode(double latitude, double longitude);

private:
    SqliteStatement PrepareTownLookup();
    SqliteStatement PrepareTowns(bool hasCountry, bool hasText);
    void RegisterFunctions();
    void StartQuery();

    SqliteDatabase m_db;
    SqliteStatement m_townLookup; // prepared once: the reports look up a town per page
    std::shared_ptr<ConnectionState> m_state;
    bool m_present = false;
    bool m_functionsRegistered = false;
    bool m_keyFunctionRegistered = false;
};

} // namespace skyvane
