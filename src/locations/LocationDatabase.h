#pragma once

#include "SqliteDatabase.h"

#include <QString>

#include <optional>
#include <vector>

namespace skyvane {

// One entry of the country list. The blank first entry has no key and an empty name.
struct CountryEntry {
    QString key; // text of column id; empty for NULL
    QString name;
};

// One entry of the town list, with the row's coordinates as the database gives them as text.
struct TownEntry {
    std::optional<qint64> key; // column id; none for NULL or a non-integer
    QString town;
    QString latText;  // column lat: degrees, North positive
    QString longText; // column long: degrees, West positive
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
// never written. Every query failure (not a database, missing table or column) gives an empty
// result, never an exception.
class LocationDatabase {
public:
    // Opens the file read-only. Returns false only when no file exists at the path; a file that
    // exists but cannot be used still counts as present and yields empty results.
    bool open(const QString& path);
    void close();
    bool isOpen() const { return m_db.isOpen(); }

    // Every country sorted by name, with a blank entry (no key, empty name) first.
    std::vector<CountryEntry> Countries();
    // Every town sorted by lower-cased name, without any restriction.
    std::vector<TownEntry> Towns();
    // The towns that pass the filter, sorted by lower-cased name.
    std::vector<TownEntry> Towns(const TownFilter& filter);

    // The town whose coordinates, each rounded to two decimals, equal the site's; empty when
    // none does or the database is not open.
    // latitude: degrees, North positive; longitude: degrees, West positive.
    QString GetTownName(double latitude, double longitude);

private:
    std::vector<TownEntry> ReadTowns(SqliteStatement& statement);
    SqliteStatement PrepareTownLookup();

    SqliteDatabase m_db;
    bool m_keyFunctionRegistered = false;
};

} // namespace skyvane
