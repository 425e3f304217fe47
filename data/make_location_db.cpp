// Builds location.sqb from the committed source: countries.tsv (id, ISO code, name) and
// towns.tsv.gz (GeoNames id, ISO code, latitude North positive, longitude East positive,
// population, name). The database stores longitudes West positive, as the program reads them.
//
//   make_location_db <countries.tsv> <towns.tsv.gz> <location.sqb>
//
// The file is written beside the target and renamed into place, so an interrupted build never
// leaves a half-written database behind.

#include "TownKey.h"

#include <sqlite3.h>
#include <zlib.h>

#include <charconv>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
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

struct Town {
    long long id = 0;
    long long countryId = 0;
    std::string name;
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

std::vector<Country> ReadCountries(const std::string& path) {
    std::ifstream in(path);
    if (!in)
        throw std::runtime_error("cannot read " + path);
    std::vector<Country> countries;
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!IsDataLine(line))
            continue;
        const std::string where = path + ":" + std::to_string(number);
        const auto fields = SplitTabs(line);
        if (fields.size() != 3)
            throw std::runtime_error(where + ": expected 3 fields");
        countries.push_back({ParseNumber<long long>(fields[0], where), std::string(fields[1]),
                             std::string(fields[2])});
    }
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

std::vector<Town> ReadTowns(const std::string& path,
                            const std::map<std::string, long long>& countryIds) {
    GzipLines in(path);
    std::vector<Town> towns;
    std::string line;
    for (int number = 1; in.next(line); ++number) {
        if (!IsDataLine(line))
            continue;
        const std::string where = path + ":" + std::to_string(number);
        const auto fields = SplitTabs(line);
        if (fields.size() != 6)
            throw std::runtime_error(where + ": expected 6 fields");
        const auto country = countryIds.find(std::string(fields[1]));
        if (country == countryIds.end())
            throw std::runtime_error(where + ": unknown country " + std::string(fields[1]));
        Town town;
        town.id = ParseNumber<long long>(fields[0], where);
        town.countryId = country->second;
        town.latitudeNorth = ParseNumber<double>(fields[2], where);
        // Negation is exact; adding 0.0 turns -0 into 0.
        town.longitudeWest = -ParseNumber<double>(fields[3], where) + 0.0;
        town.population = ParseNumber<long long>(fields[4], where);
        town.name = std::string(fields[5]);
        if (town.name.empty())
            throw std::runtime_error(where + ": town without a name");
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

void WriteDatabase(const std::string& path, const std::vector<Country>& countries,
                   const std::vector<Town>& towns) {
    Database db(path);
    db.execute("PRAGMA journal_mode = OFF; PRAGMA synchronous = OFF; BEGIN;"
               "CREATE TABLE country (id INTEGER PRIMARY KEY, country TEXT NOT NULL,"
               "  code TEXT NOT NULL);"
               "CREATE TABLE location (id INTEGER PRIMARY KEY,"
               "  idcountry INTEGER NOT NULL REFERENCES country(id), town TEXT NOT NULL,"
               "  lat REAL NOT NULL, long REAL NOT NULL, population INTEGER,"
               "  latkey TEXT NOT NULL, longkey TEXT NOT NULL);");

    sqlite3_stmt* insertCountry =
        db.prepare("INSERT INTO country (id, country, code) VALUES (?1, ?2, ?3)");
    for (const Country& country : countries) {
        sqlite3_bind_int64(insertCountry, 1, country.id);
        BindText(insertCountry, 2, country.name);
        BindText(insertCountry, 3, country.code);
        db.stepDone(insertCountry);
    }
    sqlite3_finalize(insertCountry);

    sqlite3_stmt* insertTown =
        db.prepare("INSERT INTO location (id, idcountry, town, lat, long, population, latkey,"
                   " longkey) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8)");
    for (const Town& town : towns) {
        sqlite3_bind_int64(insertTown, 1, town.id);
        sqlite3_bind_int64(insertTown, 2, town.countryId);
        BindText(insertTown, 3, town.name);
        sqlite3_bind_double(insertTown, 4, town.latitudeNorth);
        sqlite3_bind_double(insertTown, 5, town.longitudeWest);
        sqlite3_bind_int64(insertTown, 6, town.population);
        BindText(insertTown, 7, skyvane::TwoDecimalKey(town.latitudeNorth));
        BindText(insertTown, 8, skyvane::TwoDecimalKey(town.longitudeWest));
        db.stepDone(insertTown);
    }
    sqlite3_finalize(insertTown);

    db.execute("CREATE INDEX location_idcountry ON location (idcountry);"
               "CREATE INDEX location_key ON location (latkey, longkey);"
               "COMMIT; VACUUM;");
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::cerr << "usage: make_location_db <countries.tsv> <towns.tsv.gz> <location.sqb>\n";
        return 2;
    }
    const std::filesystem::path target = argv[3];
    std::filesystem::path partial = target;
    partial += ".partial";
    try {
        const std::vector<Country> countries = ReadCountries(argv[1]);
        std::map<std::string, long long> countryIds;
        for (const Country& country : countries)
            countryIds[country.code] = country.id;
        const std::vector<Town> towns = ReadTowns(argv[2], countryIds);

        std::filesystem::remove(partial);
        WriteDatabase(partial.string(), countries, towns);
        std::filesystem::rename(partial, target);
        std::cout << "location.sqb: " << countries.size() << " countries, " << towns.size()
                  << " towns\n";
        return 0;
    } catch (const std::exception& error) {
        std::error_code ignored;
        std::filesystem::remove(partial, ignored);
        std::cerr << "make_location_db: " << error.what() << "\n";
        return 1;
    }
}
