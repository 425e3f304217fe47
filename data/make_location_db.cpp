// Builds location.sqb from the committed source: countries.tsv (id, ISO code, name), regions.tsv
// (ISO code, first-level division code, name) and towns.tsv.gz (GeoNames id, ISO code, latitude
// North positive, longitude East positive, population, division code, name, alternate names).
// The database stores longitudes West positive, as the program reads them.
//
// Besides the tables the program has always read, it holds what makes the town list quick in
// every language: each town's names folded for searching (table townsearch), its region, and
// its rank in the collations of the built-in interface languages whose order differs from
// Unicode's root order (rank_root, rank_hu), each indexed, so the list streams in order.
//
//   make_location_db <countries.tsv> <regions.tsv> <towns.tsv.gz> <location.sqb>
//
// The file is written beside the target and renamed into place, so an interrupted build never
// leaves a half-written database behind.

#include "TownFold.h"
#include "TownKey.h"

#include <sqlite3.h>
#include <unicode/ucol.h>
#include <zlib.h>

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace {

struct Country {
    long long id = 0;
    std::string code;
    std::string name;
};

struct Region {
    long long id = 0;
    long long countryId = 0;
    std::string name;
};

struct Town {
    long long id = 0;
    long long countryId = 0;
    long long regionId = 0; // 0: no known region
    std::string name;
    std::string searchKeys;   // every name folded, one a line
    double latitudeNorth = 0; // degrees, North positive
    double longitudeWest = 0; // degrees, West positive
    long long population = 0;
};

std::vector<std::string_view> SplitTabs(std::string_view line) {
    std::vector<std::string_view> fields;
    size_t start = 0;
    for (;;) {
        const size_t tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab == std::string_view::npos ? tab : tab - start));
        if (tab == std::string_view::npos)
            return fields;
        start = tab + 1;
    }
}

template <typename T> T ParseNumber(std::string_view text, const std::string& where) {
    T value{};
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size())
        throw std::runtime_error(where + ": not a number: '" + std::string(text) + "'");
    return value;
}

bool IsDataLine(const std::string& line) {
    return !line.empty() && line[0] != '#';
}

// Calls record(fields, where) for every data line of the tab-separated file at `path`, after
// checking that the line has `fieldCount` fields; `where` names the line in messages.
template <typename Record>
void ForEachTsvRecord(const std::string& path, size_t fieldCount, Record record) {
    std::ifstream in(path);
    if (!in)
        throw std::runtime_error("cannot read " + path);
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!IsDataLine(line))
            continue;
        const std::string where = path + ":" + std::to_string(number);
        const auto fields = SplitTabs(line);
        if (fields.size() != fieldCount)
            throw std::runtime_error(where + ": expected " + std::to_string(fieldCount) +
                                     " fields");
        record(fields, where);
    }
}

std::vector<Country> ReadCountries(const std::string& path) {
    std::vector<Country> countries;
    ForEachTsvRecord(path, 3, [&](const auto& fields, const std::string& where) {
        countries.push_back({ParseNumber<long long>(fields[0], where), std::string(fields[1]),
                             std::string(fields[2])});
    });
    return countries;
}

// Reads a gzip file line by line.
class GzipLines {
public:
    explicit GzipLines(const std::string& path)
        : m_file(gzopen(path.c_str(), "rb")) {
        if (!m_file)
            throw std::runtime_error("cannot read " + path);
        gzbuffer(m_file, 1 << 16);
    }
    ~GzipLines() { gzclose(m_file); }
    GzipLines(const GzipLines&) = delete;
    GzipLines& operator=(const GzipLines&) = delete;

    bool next(std::string& line) {
        line.clear();
        char buffer[4096];
        while (gzgets(m_file, buffer, sizeof buffer)) {
            line += buffer;
            if (!line.empty() && line.back() == '\n') {
                line.pop_back();
                if (!line.empty() && line.back() == '\r')
                    line.pop_back();
                return true;
            }
        }
        int error = Z_OK;
        const char* message = gzerror(m_file, &error);
        if (error != Z_OK && error != Z_STREAM_END)
            throw std::runtime_error(std::string("gzip: ") + message);
        return !line.empty();
    }

private:
    gzFile m_file;
};

// Regions by "<country code>.<division code>".
std::map<std::string, Region> ReadRegions(const std::string& path,
                                          const std::map<std::string, long long>& countryIds) {
    std::map<std::string, Region> regions;
    ForEachTsvRecord(path, 3, [&](const auto& fields, const std::string& where) {
        const auto country = countryIds.find(std::string(fields[0]));
        if (country == countryIds.end())
            throw std::runtime_error(where + ": unknown country " + std::string(fields[0]));
        const long long id = (long long)regions.size() + 1;
        regions[std::string(fields[0]) + "." + std::string(fields[1])] = {id, country->second,
                                                                          std::string(fields[2])};
    });
    return regions;
}

// The folded forms of a town's name and its comma-separated alternate names, one a line.
std::string SearchKeys(std::string_view name, std::string_view alternates) {
    std::string keys = skyvane::FoldForSearch(name);
    // Whole lines are compared: a name found only inside a longer one ("munchen" in "lungsod ng
    // munchen") is still a name of its own, which the search ranks as an exact match.
    std::set<std::string> seen{keys};
    while (!alternates.empty()) {
        const size_t comma = alternates.find(',');
        const std::string_view alternate = alternates.substr(0, comma);
        std::string folded = skyvane::FoldForSearch(alternate);
        if (!folded.empty() && seen.insert(folded).second)
            keys += "\n" + folded;
        alternates =
            comma == std::string_view::npos ? std::string_view() : alternates.substr(comma + 1);
    }
    return keys;
}

bool IsCoordinate(double degrees, double limit) {
    return std::isfinite(degrees) && std::fabs(degrees) <= limit;
}

std::vector<Town> ReadTowns(const std::string& path,
                            const std::map<std::string, long long>& countryIds,
                            const std::map<std::string, Region>& regions) {
    GzipLines in(path);
    std::vector<Town> towns;
    std::string line;
    for (int number = 1; in.next(line); ++number) {
        if (!IsDataLine(line))
            continue;
        const std::string where = path + ":" + std::to_string(number);
        const auto fields = SplitTabs(line);
        if (fields.size() != 8)
            throw std::runtime_error(where + ": expected 8 fields");
        const auto country = countryIds.find(std::string(fields[1]));
        if (country == countryIds.end())
            throw std::runtime_error(where + ": unknown country " + std::string(fields[1]));
        Town town;
        town.id = ParseNumber<long long>(fields[0], where);
        town.countryId = country->second;
        town.latitudeNorth = ParseNumber<double>(fields[2], where);
        // Negation is exact; adding 0.0 turns -0 into 0.
        town.longitudeWest = -ParseNumber<double>(fields[3], where) + 0.0;
        if (!IsCoordinate(town.latitudeNorth, 90) || !IsCoordinate(town.longitudeWest, 180))
            throw std::runtime_error(where + ": coordinates out of range");
        town.population = ParseNumber<long long>(fields[4], where);
        const auto region = regions.find(std::string(fields[1]) + "." + std::string(fields[5]));
        if (region != regions.end())
            town.regionId = region->second.id;
        town.name = std::string(fields[6]);
        if (town.name.empty())
            throw std::runtime_error(where + ": town without a name");
        town.searchKeys = SearchKeys(fields[6], fields[7]);
        towns.push_back(std::move(town));
    }
    return towns;
}

class Database {
public:
    explicit Database(const std::string& path) {
        if (sqlite3_open_v2(path.c_str(), &m_db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                            nullptr) != SQLITE_OK)
            throw std::runtime_error("cannot create " + path + ": " + sqlite3_errmsg(m_db));
    }
    ~Database() { sqlite3_close(m_db); }
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    void execute(const char* sql) {
        char* message = nullptr;
        if (sqlite3_exec(m_db, sql, nullptr, nullptr, &message) != SQLITE_OK) {
            const std::string text = message ? message : "unknown error";
            sqlite3_free(message);
            throw std::runtime_error(text);
        }
    }

    sqlite3_stmt* prepare(const char* sql) {
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(m_db, sql, -1, &statement, nullptr) != SQLITE_OK)
            throw std::runtime_error(sqlite3_errmsg(m_db));
        return statement;
    }

    void stepDone(sqlite3_stmt* statement) {
        if (sqlite3_step(statement) != SQLITE_DONE)
            throw std::runtime_error(sqlite3_errmsg(m_db));
        sqlite3_reset(statement);
        sqlite3_clear_bindings(statement);
    }

private:
    sqlite3* m_db = nullptr;
};

void BindText(sqlite3_stmt* statement, int index, const std::string& text) {
    sqlite3_bind_text(statement, index, text.data(), int(text.size()), SQLITE_TRANSIENT);
}

// The collations whose town order the database carries: Unicode's root order, which serves
// every language without tailored rules (English, German, ...), and the tailored orders of the
// built-in interface languages.
const char* const kRankCollations[] = {"root", "hu"};

std::u16string Utf16(const std::string& utf8) {
    return skyvane::fold_detail::ToUtf16(utf8);
}

std::string SortKey(const UCollator* collator, const std::string& utf8) {
    const std::u16string text = Utf16(utf8);
    std::string key(64, '\0');
    for (;;) {
        const int32_t length =
            ucol_getSortKey(collator, text.data(), int32_t(text.size()),
                            reinterpret_cast<uint8_t*>(key.data()), int32_t(key.size()));
        if (length <= int32_t(key.size())) {
            key.resize(size_t(std::max(length, 1) - 1)); // without the terminating zero
            return key;
        }
        key.resize(size_t(length));
    }
}

// Each town's place (1 = first) in the collation's order of name, then region, then id.
std::vector<long long> Ranks(const char* collation, const std::vector<Town>& towns,
                             const std::vector<std::string>& regionNames) {
    UErrorCode status = U_ZERO_ERROR;
    UCollator* collator = ucol_open(collation, &status);
    if (U_FAILURE(status))
        throw std::runtime_error(std::string("no ICU collation ") + collation);
    std::vector<std::pair<std::string, std::string>> keys;
    keys.reserve(towns.size());
    for (const Town& town : towns)
        keys.emplace_back(SortKey(collator, town.name),
                          SortKey(collator, regionNames[size_t(town.regionId)]));
    ucol_close(collator);
    std::vector<size_t> order(towns.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        if (keys[a] != keys[b])
            return keys[a] < keys[b];
        return towns[a].id < towns[b].id;
    });
    std::vector<long long> ranks(towns.size());
    for (size_t place = 0; place < order.size(); ++place)
        ranks[order[place]] = (long long)place + 1;
    return ranks;
}

void WriteDatabase(const std::string& path, const std::vector<Country>& countries,
                   const std::map<std::string, Region>& regions, const std::vector<Town>& towns) {
    std::vector<std::string> regionNames(regions.size() + 1);
    for (const auto& [code, region] : regions)
        regionNames[size_t(region.id)] = region.name;
    std::vector<std::vector<long long>> ranks;
    for (const char* collation : kRankCollations)
        ranks.push_back(Ranks(collation, towns, regionNames));

    Database db(path);
    db.execute("PRAGMA journal_mode = OFF; PRAGMA synchronous = OFF; BEGIN;"
               "CREATE TABLE country (id INTEGER PRIMARY KEY, country TEXT NOT NULL,"
               "  code TEXT NOT NULL);"
               "CREATE TABLE region (id INTEGER PRIMARY KEY,"
               "  idcountry INTEGER NOT NULL REFERENCES country(id), name TEXT NOT NULL);"
               "CREATE TABLE location (id INTEGER PRIMARY KEY,"
               "  idcountry INTEGER NOT NULL REFERENCES country(id), town TEXT NOT NULL,"
               "  lat REAL NOT NULL, long REAL NOT NULL, population INTEGER,"
               "  latkey TEXT NOT NULL, longkey TEXT NOT NULL,"
               "  idregion INTEGER REFERENCES region(id),"
               "  rank_root INTEGER NOT NULL, rank_hu INTEGER NOT NULL);"
               "CREATE TABLE townsearch (id INTEGER PRIMARY KEY REFERENCES location(id),"
               "  keys TEXT NOT NULL);");

    sqlite3_stmt* insertCountry =
        db.prepare("INSERT INTO country (id, country, code) VALUES (?1, ?2, ?3)");
    for (const Country& country : countries) {
        sqlite3_bind_int64(insertCountry, 1, country.id);
        BindText(insertCountry, 2, country.name);
        BindText(insertCountry, 3, country.code);
        db.stepDone(insertCountry);
    }
    sqlite3_finalize(insertCountry);

    sqlite3_stmt* insertRegion =
        db.prepare("INSERT INTO region (id, idcountry, name) VALUES (?1, ?2, ?3)");
    for (const auto& [code, region] : regions) {
        sqlite3_bind_int64(insertRegion, 1, region.id);
        sqlite3_bind_int64(insertRegion, 2, region.countryId);
        BindText(insertRegion, 3, region.name);
        db.stepDone(insertRegion);
    }
    sqlite3_finalize(insertRegion);

    sqlite3_stmt* insertTown =
        db.prepare("INSERT INTO location (id, idcountry, town, lat, long, population, latkey,"
                   " longkey, idregion, rank_root, rank_hu)"
                   " VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11)");
    sqlite3_stmt* insertKeys = db.prepare("INSERT INTO townsearch (id, keys) VALUES (?1, ?2)");
    for (size_t i = 0; i < towns.size(); ++i) {
        const Town& town = towns[i];
        sqlite3_bind_int64(insertTown, 1, town.id);
        sqlite3_bind_int64(insertTown, 2, town.countryId);
        BindText(insertTown, 3, town.name);
        sqlite3_bind_double(insertTown, 4, town.latitudeNorth);
        sqlite3_bind_double(insertTown, 5, town.longitudeWest);
        sqlite3_bind_int64(insertTown, 6, town.population);
        BindText(insertTown, 7, skyvane::TwoDecimalKey(town.latitudeNorth));
        BindText(insertTown, 8, skyvane::TwoDecimalKey(town.longitudeWest));
        if (town.regionId != 0)
            sqlite3_bind_int64(insertTown, 9, town.regionId);
        sqlite3_bind_int64(insertTown, 10, ranks[0][i]);
        sqlite3_bind_int64(insertTown, 11, ranks[1][i]);
        db.stepDone(insertTown);
        sqlite3_bind_int64(insertKeys, 1, town.id);
        BindText(insertKeys, 2, town.searchKeys);
        db.stepDone(insertKeys);
    }
    sqlite3_finalize(insertTown);
    sqlite3_finalize(insertKeys);

    db.execute("CREATE INDEX location_idcountry ON location (idcountry);"
               "CREATE INDEX location_key ON location (latkey, longkey);"
               "CREATE INDEX location_rank_root ON location (rank_root);"
               "CREATE INDEX location_rank_hu ON location (rank_hu);"
               // A trigram index over the folded names answers a search without reading every
               // name; searches shorter than three letters still read them all.
               "CREATE VIRTUAL TABLE townfts USING fts5(keys, tokenize = 'trigram',"
               "  content = 'townsearch', content_rowid = 'id');"
               "INSERT INTO townfts (townfts) VALUES ('rebuild');"
               "COMMIT; VACUUM;");
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 5) {
        std::cerr << "usage: make_location_db <countries.tsv> <regions.tsv> <towns.tsv.gz>"
                     " <location.sqb>\n";
        return 2;
    }
    const auto started = std::chrono::steady_clock::now();
    const std::filesystem::path target = argv[4];
    std::filesystem::path partial = target;
    partial += ".partial";
    try {
        const std::vector<Country> countries = ReadCountries(argv[1]);
        std::map<std::string, long long> countryIds;
        for (const Country& country : countries)
            countryIds[country.code] = country.id;
        const std::map<std::string, Region> regions = ReadRegions(argv[2], countryIds);
        const std::vector<Town> towns = ReadTowns(argv[3], countryIds, regions);

        std::filesystem::remove(partial);
        WriteDatabase(partial.string(), countries, regions, towns);
        std::filesystem::rename(partial, target);
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
        std::cout << "location.sqb: " << countries.size() << " countries, " << regions.size()
                  << " regions, " << towns.size() << " towns, "
                  << std::filesystem::file_size(target) / 1024 << " KiB, built in " << seconds
                  << " s\n";
        return 0;
    } catch (const std::exception& error) {
        std::error_code ignored;
        std::filesystem::remove(partial, ignored);
        std::cerr << "make_location_db: " << error.what() << "\n";
        return 1;
    }
}
