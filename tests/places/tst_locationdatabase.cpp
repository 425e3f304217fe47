#include "LocationDatabase.h"
#include "LocationTestData.h"
#include "NumberText.h"
#include "TownKey.h"

#include <QDir>
#include <QLocale>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <clocale>
#include <cmath>

using namespace skyvane;

namespace {

QStringList TownNames(const std::vector<TownEntry>& towns) {
    QStringList names;
    for (const TownEntry& town : towns)
        names << town.town;
    return names;
}

// The names of `wanted` in the order the list gives them.
QStringList OrderOf(const QStringList& listed, const QStringList& wanted) {
    QStringList order;
    for (const QString& name : listed) {
        if (wanted.contains(name) && !order.contains(name))
            order << name;
    }
    return order;
}

QString CountryKey(LocationDatabase& db, const QString& name) {
    for (const CountryEntry& country : db.Countries()) {
        if (country.name == name)
            return country.key;
    }
    return {};
}

} // namespace

class TestLocationDatabase : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void townFilterText_data();
    void townFilterText();

    void countryListLeavesOutCountriesWithoutTowns();
    void townsFiltered_data();
    void townsFiltered();
    void hostileSearchTextsLeaveDatabaseIntact_data();
    void hostileSearchTextsLeaveDatabaseIntact();

    void twoDecimalKey_data();
    void twoDecimalKey();
    void getTownName_data();
    void getTownName();
    void getTownNameWithCommaLocale();

    void unusableFilesGiveEmptyResultsAndStayUnchanged_data();
    void unusableFilesGiveEmptyResultsAndStayUnchanged();
    void missingFileIsReported();

    void recursiveViewIsCutOff();
    void hugeNamesAreCut_data();
    void hugeNamesAreCut();

    void builtDatabaseKnowsWellKnownTowns();
    void builtDatabaseFindsFoldedAndAlternateNames_data();
    void builtDatabaseFindsFoldedAndAlternateNames();
    void builtDatabaseTakesWildcardsAsTyped_data();
    void builtDatabaseTakesWildcardsAsTyped();
    void builtDatabaseRanksTheTownMeantFirst_data();
    void builtDatabaseRanksTheTownMeantFirst();
    void sortedByTheInterfaceLanguage_data();
    void sortedByTheInterfaceLanguage();
    void everyTownIsFoundAgainAfterApply();

private:
    QTemporaryDir* m_dir = nullptr;
    QString m_path;
};

void TestLocationDatabase::init() {
    QLocale::setDefault(QLocale::c());
    m_dir = new QTemporaryDir;
    QVERIFY(m_dir->isValid());
    m_path = m_dir->filePath("location.sqb");
    QVERIFY(test::MakeDatabase(m_path, test::SmallDatabase()));
}

void TestLocationDatabase::cleanup() {
    delete m_dir;
    m_dir = nullptr;
    QLocale::setDefault(QLocale::c());
}

void TestLocationDatabase::townFilterText_data() {
    QTest::addColumn<QString>("countryKey");
    QTest::addColumn<QString>("cityText");
    QTest::addColumn<QString>("expected");
    QTest::newRow("no country, no text") << ""
                                         << ""
                                         << "1=1";
    QTest::newRow("country 12 and ber") << "12"
                                        << "ber"
                                        << "idcountry = 12 and town like '%ber%' and 1=1";
    QTest::newRow("country only") << "3"
                                  << ""
                                  << "idcountry = 3 and 1=1";
    QTest::newRow("apostrophe doubled") << ""
                                        << "l'a"
                                        << "town like '%l''a%' and 1=1";
    QTest::newRow("percent stays a wildcard") << ""
                                              << "5%"
                                              << "town like '%5%%%' and 1=1";
    QTest::newRow("question mark doubled") << ""
                                           << "a?b"
                                           << "town like '%a??b%' and 1=1";
    QTest::newRow("all three, each once") << ""
                                          << "%'?"
                                          << "town like '%%%''??%' and 1=1";
    QTest::newRow("key that is no integer lifts the restriction") << "abc"
                                                                  << ""
                                                                  << "1=1";
}

void TestLocationDatabase::townFilterText() {
    QFETCH(QString, countryKey);
    QFETCH(QString, cityText);
    QFETCH(QString, expected);
    QCOMPARE(BuildTownFilter(countryKey, cityText), expected);
}

void TestLocationDatabase::countryListLeavesOutCountriesWithoutTowns() {
    LocationDatabase db;
    QVERIFY(db.open(m_path));
    const auto countries = db.Countries();
    QStringList names;
    for (const auto& country : countries)
        names << country.name;
    QCOMPARE(names, QStringList({"", "Austria", "Germany", "Hungary", "Italy"}));
    QVERIFY(countries.front().key.isEmpty());
    QCOMPARE(countries[3].key, QString("12"));
    QVERIFY(db.Towns({"20", ""}).empty()); // Nowhere Land
}

void TestLocationDatabase::townsFiltered_data() {
    QTest::addColumn<QString>("country");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("country Hungary and ber") << "Hungary"
                                             << "ber" << QStringList{"Bernecebar\u00e1ti"};
    QTest::newRow("blank country: ber in every country")
        << ""
        << "ber" << QStringList{"Berlin", "Bernecebar\u00e1ti", "Oberstdorf"};
    QTest::newRow("apostrophe finds L'Aquila") << ""
                                               << "l'a" << QStringList{"L'Aquila"};
    QTest::newRow("typed percent is searched as typed") << ""
                                                        << "0% t" << QStringList{"100% Town"};
    QTest::newRow("typed percent is no wildcard") << ""
                                                  << "0%n" << QStringList{};
    QTest::newRow("lone percent") << ""
                                  << "%" << QStringList{"100% Town"};
    QTest::newRow("lone underscore") << ""
                                     << "_" << QStringList{};
    QTest::newRow("underscore is no wildcard") << ""
                                               << "b_rlin" << QStringList{};
    QTest::newRow("question mark is searched as typed") << ""
                                                        << "a?b" << QStringList{"Pa?bo"};
    QTest::newRow("case and accents ignored") << ""
                                              << "K\u00d6RM" << QStringList{"K\u00f6rmend"};
    QTest::newRow("accent typed, none stored") << ""
                                               << "bar\u00c1t" << QStringList{"Bernecebar\u00e1ti"};
    QTest::newRow("sorted by lower-cased name")
        << "Italy"
        << "" << QStringList{"Arctic Harbour", "L'Aquila", "Polar Station", "Southwest Cape"};
}

void TestLocationDatabase::townsFiltered() {
    QFETCH(QString, country);
    QFETCH(QString, text);
    QFETCH(QStringList, expected);
    LocationDatabase db;
    QVERIFY(db.open(m_path));
    const QString key = country.isEmpty() ? QString() : CountryKey(db, country);
    QCOMPARE(TownNames(db.Towns({key, text})), expected);
}

void TestLocationDatabase::hostileSearchTextsLeaveDatabaseIntact_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("lone apostrophe") << "'" << QStringList{"L'Aquila"};
    QTest::newRow("double quote") << "\"" << QStringList{"Quote\"Town"};
    QTest::newRow("comment dashes") << "--" << QStringList{};
    QTest::newRow("semicolon") << ";" << QStringList{};
    QTest::newRow("statement injection") << "x'; drop table location; --" << QStringList{};
    QTest::newRow("closing the subquery") << "') or 1=1 or ('" << QStringList{};
    QTest::newRow("numbered parameter") << "?1" << QStringList{};
    QTest::newRow("very long text") << QString(200000, QChar('a')) << QStringList{};
}

void TestLocationDatabase::hostileSearchTextsLeaveDatabaseIntact() {
    QFETCH(QString, text);
    QFETCH(QStringList, expected);
    const QByteArray before = test::FileBytes(m_path);
    {
        LocationDatabase db;
        QVERIFY(db.open(m_path));
        QCOMPARE(TownNames(db.Towns({QString(), text})), expected);
        QCOMPARE(int(db.Towns({QString(), QString()}).size()), 14);
    }
    QCOMPARE(test::FileBytes(m_path), before);
}

void TestLocationDatabase::twoDecimalKey_data() {
    QTest::addColumn<double>("degrees");
    QTest::addColumn<QString>("expected");
    QTest::newRow("rounds down") << 47.1649 << "47.16";
    QTest::newRow("rounds up") << 47.166 << "47.17";
    QTest::newRow("negative") << -16.1612 << "-16.16";
    QTest::newRow("exact tie rounds away from zero") << 46.125 << "46.13";
    QTest::newRow("negative exact tie") << -0.375 << "-0.38";
    QTest::newRow("binary value just under the half") << 2.675 << "2.67";
    QTest::newRow("negative zero is zero") << -0.001 << "0.00";
    QTest::newRow("whole number") << 80.0 << "80.00";
}

void TestLocationDatabase::twoDecimalKey() {
    QFETCH(double, degrees);
    QFETCH(QString, expected);
    // Also under a process locale with a decimal comma, when the system has one.
    const char* german = std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
    const QString actual = QString::fromStdString(TwoDecimalKey(degrees));
    std::setlocale(LC_NUMERIC, "C");
    QVERIFY2(actual == expected, qPrintable(QString("input %1 (process locale %2): expected %3, "
                                                    "got %4")
                                                .arg(degrees, 0, 'g', 17)
                                                .arg(german ? "de_DE" : "C", expected, actual)));
}

void TestLocationDatabase::getTownName_data() {
    QTest::addColumn<double>("latitude");
    QTest::addColumn<double>("longitude");
    QTest::addColumn<QString>("expected");
    QTest::newRow("town present") << 52.52 << -13.41 << "Berlin";
    QTest::newRow("site rounds to the town") << 52.5249 << -13.4149 << "Berlin";
    QTest::newRow("47.16 N 16.16 E") << 47.16 << -16.16 << "K\u00f6rmend";
    QTest::newRow("one hundredth off") << 52.53 << -13.41 << "";
    QTest::newRow("wrong hemisphere") << 52.52 << 13.41 << "";
    QTest::newRow("town absent") << 10.0 << 10.0 << "";
    QTest::newRow("origin") << 0.0 << 0.0 << "Null Island";
    QTest::newRow("just south-west of the origin") << -0.004 << 0.004 << "Null Island";
}

void TestLocationDatabase::getTownName() {
    QFETCH(double, latitude);
    QFETCH(double, longitude);
    QFETCH(QString, expected);
    LocationDatabase db;
    QVERIFY(db.open(m_path));
    QCOMPARE(db.GetTownName(latitude, longitude), expected);
}

void TestLocationDatabase::getTownNameWithCommaLocale() {
    QLocale::setDefault(QLocale("de_DE"));
    std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
    LocationDatabase db;
    QVERIFY(db.open(m_path));
    const QString town = db.GetTownName(47.16, -16.16);
    std::setlocale(LC_NUMERIC, "C");
    QCOMPARE(town, QString("K\u00f6rmend"));
}

void TestLocationDatabase::unusableFilesGiveEmptyResultsAndStayUnchanged_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QStringList>("statements");
    QTest::addColumn<int>("countries");
    QTest::addColumn<int>("towns");
    QTest::addColumn<QString>("townAtBerlin");

    QTest::newRow("text file") << QByteArray("this is not a database\n") << QStringList() << 0 << 0
                               << "";
    QTest::newRow("empty file") << QByteArray() << QStringList() << 0 << 0 << "";
    QTest::newRow("random bytes")
        << QByteArray("SQLite format 3\0garbage garbage garbage", 40).repeated(200) << QStringList()
        << 0 << 0 << "";
    QTest::newRow("no location table")
        << QByteArray()
        << QStringList{"create table country (id integer, country text)",
                       "insert into country values (1, 'Germany')"}
        << 2 << 0 << "";
    QTest::newRow("no country table")
        << QByteArray()
        << QStringList{"create table location (id, idcountry, town, lat, long)",
                       "insert into location values (1, 1, 'Berlin', 52.52, -13.41)"}
        << 0 << 1 << "Berlin";
    QTest::newRow("location without lat column")
        << QByteArray()
        << QStringList{"create table country (id integer, country text)",
                       "create table location (id, idcountry, town, long)",
                       "insert into location values (1, 1, 'Berlin', -13.41)"}
        << 1 << 0 << "";
    QTest::newRow("NULL and text coordinates")
        << QByteArray()
        << QStringList{"create table country (id integer, country text)",
                       "create table location (id, idcountry, town, lat, long)",
                       "insert into location values (1, 1, 'Nowhere', NULL, 'abc'),"
                       " (NULL, 1, NULL, 'x', NULL)"}
        << 1 << 2 << "";
}

void TestLocationDatabase::unusableFilesGiveEmptyResultsAndStayUnchanged() {
    QFETCH(QByteArray, content);
    QFETCH(QStringList, statements);
    QFETCH(int, countries);
    QFETCH(int, towns);
    QFETCH(QString, townAtBerlin);

    const QString path = m_dir->filePath("odd.sqb");
    if (statements.isEmpty()) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    } else {
        QVERIFY(test::MakeDatabase(path, statements));
    }
    const QByteArray before = test::FileBytes(path);
    const QStringList filesBefore = QDir(m_dir->path()).entryList(QDir::Files);
    {
        LocationDatabase db;
        QVERIFY(db.open(path));
        QCOMPARE(int(db.Countries().size()), countries);
        QCOMPARE(int(db.Towns().size()), towns);
        QCOMPARE(int(db.Towns({"2", "ber"}).size()), 0);
        QCOMPARE(db.GetTownName(52.52, -13.41), townAtBerlin);
    }
    QCOMPARE(test::FileBytes(path), before);
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), filesBefore);
}

void TestLocationDatabase::missingFileIsReported() {
    LocationDatabase db;
    QVERIFY(!db.open(m_dir->filePath("absent.sqb")));
    QVERIFY(!QFile::exists(m_dir->filePath("absent.sqb")));
    QVERIFY(db.Countries().empty());
    QVERIFY(db.Towns().empty());
    QCOMPARE(db.GetTownName(52.52, -13.41), QString());
}

void TestLocationDatabase::recursiveViewIsCutOff() {
    const QString path = m_dir->filePath("recursive.sqb");
    QVERIFY(test::MakeDatabase(
        path, {"create table country (id integer, country text)",
               "insert into country values (1, 'Germany')",
               "create view location as with recursive r(n) as (select 1 union all select n + 1 "
               "from r) select n as id, 2 as idcountry, 'x' || n as town, 0 as lat, 0 as long "
               "from r"}));
    LocationDatabase db;
    QVERIFY(db.open(path));
    db.SetQueryLimit(1000);
    QCOMPARE(int(db.Countries().size()), 1);
    QVERIFY(db.Towns().empty());
    QCOMPARE(db.GetTownName(1.0, 1.0), QString());
    QCOMPARE(int(db.OpenTowns({"1", ""}).Fetch(10).size()), 0);
}

void TestLocationDatabase::hugeNamesAreCut_data() {
    QTest::addColumn<int>("length");
    QTest::newRow("town of 5000 characters") << 5000;
    QTest::newRow("town of 3 million characters") << 3'000'000;
}

void TestLocationDatabase::hugeNamesAreCut() {
    QFETCH(int, length);
    const QString path = m_dir->filePath("huge-names.sqb");
    const QString huge = QStringLiteral("replace(zeroblob(%1), x'00', 'x')").arg(length);
    QVERIFY(test::MakeDatabase(path,
                               {"create table country (id integer, country text)",
                                "create table region (id integer primary key, name text)",
                                "create table location (id, idcountry, idregion, town, lat, long)",
                                "insert into country values (1, " + huge + ")",
                                "insert into region values (1, " + huge + ")",
                                "insert into location values (1, 1, 1, " + huge +
                                    ", 1, 2), "
                                    "(2, 1, 1, 'Small', 3, 4)"}));
    LocationDatabase db;
    QVERIFY(db.open(path));
    for (const CountryEntry& country : db.Countries())
        QVERIFY2(country.name.size() <= kMaxPlaceNameLength, qPrintable(country.key));
    for (const TownEntry& town : db.Towns()) {
        QVERIFY2(town.town.size() <= kMaxPlaceNameLength, qPrintable(town.latText));
        QVERIFY2(town.region.size() <= kMaxPlaceNameLength, qPrintable(town.latText));
    }
    QVERIFY(db.GetTownName(1, 2).size() <= kMaxPlaceNameLength);
}

void TestLocationDatabase::builtDatabaseKnowsWellKnownTowns() {
    LocationDatabase db;
    QVERIFY2(db.open(QStringLiteral(LOCATION_SQB)), LOCATION_SQB);
    const auto countries = db.Countries();
    QVERIFY(countries.size() > 200);
    QCOMPARE(countries.front().name, QString());
    QSet<QString> withTowns;
    for (const TownEntry& town : db.Towns())
        withTowns.insert(town.countryKey);
    for (size_t i = 1; i < countries.size(); ++i)
        QVERIFY2(withTowns.contains(countries[i].key), qPrintable(countries[i].name));
    const QString germany = CountryKey(db, "Germany");
    QVERIFY(!germany.isEmpty());
    QVERIFY(TownNames(db.Towns({germany, "Berlin"})).contains("Berlin"));
    // Berlin: 52.52437 N, 13.41053 E, stored West positive.
    QCOMPARE(db.GetTownName(52.52, -13.41), QString("Berlin"));
    QVERIFY(db.Towns().size() > 100000);
    // Szombathely, near the Austrian border; the open sea has no country.
    QCOMPARE(db.NearestCountryCode(47.23, -16.62), QString("HU"));
    QCOMPARE(db.NearestCountryCode(-40.0, 30.0), QString());
}

void TestLocationDatabase::builtDatabaseFindsFoldedAndAlternateNames_data() {
    QTest::addColumn<QString>("country");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("town");
    QTest::newRow("lower-case accented") << "Ungarn"
                                         << "\u00e9rd"
                                         << "\u00c9rd";
    QTest::newRow("upper-case double acute") << "Ungarn"
                                             << "GY\u0150R"
                                             << "Gy\u0151r";
    QTest::newRow("umlaut, start of the name") << "Deutschland"
                                               << "\u00fcberl"
                                               << "\u00dcberlingen";
    QTest::newRow("local name of Munich") << "Deutschland"
                                          << "M\u00fcnchen"
                                          << "Munich";
    QTest::newRow("local name of Vienna") << "\u00d6sterreich"
                                          << "Wien"
                                          << "Vienna";
    QTest::newRow("local name of Prague") << "Tschechien"
                                          << "Praha"
                                          << "Prague";
    QTest::newRow("Cyrillic") << "Russland"
                              << "\u041c\u043e\u0441\u043a\u0432\u0430"
                              << "Moscow";
    // Shorter than a trigram: the index cannot narrow it down alone.
    QTest::newRow("two letters") << "Ungarn"
                                 << "\u00e9r"
                                 << "\u00c9rd";
}

void TestLocationDatabase::builtDatabaseTakesWildcardsAsTyped_data() {
    QTest::addColumn<QString>("text");
    QTest::newRow("percent inside") << "gy%r";
    QTest::newRow("underscore inside") << "gy_r";
    QTest::newRow("lone underscore") << "_";
    QTest::newRow("lone percent") << "%";
}

void TestLocationDatabase::builtDatabaseTakesWildcardsAsTyped() {
    QFETCH(QString, text);
    LocationDatabase db;
    QVERIFY(db.open(QStringLiteral(LOCATION_SQB)));
    db.SetLocale("de_DE");
    const QStringList found = TownNames(db.Towns({CountryKey(db, "Ungarn"), text}));
    QVERIFY2(found.isEmpty(), qPrintable(found.mid(0, 5).join(", ")));
}

void TestLocationDatabase::builtDatabaseFindsFoldedAndAlternateNames() {
    QFETCH(QString, country);
    QFETCH(QString, text);
    QFETCH(QString, town);
    LocationDatabase db;
    QVERIFY(db.open(QStringLiteral(LOCATION_SQB)));
    db.SetLocale("de_DE");
    const QString key = CountryKey(db, country);
    QVERIFY2(!key.isEmpty(), qPrintable(country));
    QVERIFY2(TownNames(db.Towns({key, text})).contains(town), qPrintable(text));
}

void TestLocationDatabase::builtDatabaseRanksTheTownMeantFirst_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("locale");
    QTest::addColumn<QString>("first");
    QTest::addColumn<bool>("byLocalName");
    QTest::addColumn<QString>("localName");
    // Each name is borne by smaller towns elsewhere, or inside longer names of larger ones.
    QTest::newRow("Gy\u0151r") << "Gy\u0151r" << QByteArray("en_US") << "Gy\u0151r" << false << "";
    QTest::newRow("M\u00fcnchen, a word of a local name")
        << "M\u00fcnchen" << QByteArray("de_DE") << "Munich" << true << "";
    QTest::newRow("Z\u00fcrich") << "Z\u00fcrich" << QByteArray("en_US") << "Z\u00fcrich" << false
                                 << "";
    QTest::newRow("S\u00e3o Paulo")
        << "S\u00e3o Paulo" << QByteArray("en_US") << "S\u00e3o Paulo" << false << "";
    QTest::newRow("Sopron") << "Sopron" << QByteArray("hu_HU") << "Sopron" << false << "";
    QTest::newRow("start of a name before a local name's")
        << "Sopr" << QByteArray("en_US") << "Sopron" << false << "";
    QTest::newRow("Wien, German") << "Wien" << QByteArray("de_DE") << "Vienna" << true << "Wien";
    QTest::newRow("Vienna, Hungarian")
        << "Vienna" << QByteArray("hu_HU") << "Vienna" << false << "B\u00e9cs";
}

void TestLocationDatabase::builtDatabaseRanksTheTownMeantFirst() {
    QFETCH(QString, text);
    QFETCH(QByteArray, locale);
    QFETCH(QString, first);
    QFETCH(bool, byLocalName);
    QFETCH(QString, localName);
    LocationDatabase db;
    QVERIFY(db.open(QStringLiteral(LOCATION_SQB)));
    db.SetLocale(locale);
    const std::vector<TownEntry> towns = db.Towns({QString(), text});
    QVERIFY(towns.size() > 1);
    QCOMPARE(towns.front().town, first);
    QCOMPARE(towns.front().byLocalName, byLocalName);
    QCOMPARE(towns.front().localName, localName);
}

void TestLocationDatabase::sortedByTheInterfaceLanguage_data() {
    QTest::addColumn<QByteArray>("locale");
    QTest::addColumn<QStringList>("towns");
    QTest::addColumn<QStringList>("countries");
    QTest::newRow("German") << QByteArray("de_DE")
                            << QStringList{"\u00c9rd", "\u0150rbotty\u00e1n", "\u00d3zd",
                                           "\u00dajsz\u00e1sz", "Zs\u00e1mb\u00e9k"}
                            << QStringList{"\u00c5landinseln", "Simbabwe"};
    QTest::newRow("Hungarian: \u0150 after O, still before Zs")
        << QByteArray("hu_HU")
        << QStringList{"\u00c9rd", "\u00d3zd", "\u0150rbotty\u00e1n", "\u00dajsz\u00e1sz",
                       "Zs\u00e1mb\u00e9k"}
        << QStringList{"\u00c5land-szigetek", "Zimbabwe"};
}

void TestLocationDatabase::sortedByTheInterfaceLanguage() {
    QFETCH(QByteArray, locale);
    QFETCH(QStringList, towns);
    QFETCH(QStringList, countries);
    // The built file carries the order; a foreign file is sorted through the collation.
    const QString foreign = m_dir->filePath("foreign.sqb");
    QStringList statements = test::SmallSchemaAndCountries();
    for (int i = 0; i < towns.size(); ++i)
        statements << QString("insert into location values (%1, 12, '%2', 47, -19)")
                          .arg(100 + towns.size() - i)
                          .arg(towns[i]);
    QVERIFY(test::MakeDatabase(foreign, statements));
    for (const QString& path : {QString(LOCATION_SQB), foreign}) {
        LocationDatabase db;
        QVERIFY(db.open(path));
        db.SetLocale(locale);
        const QString hungary = CountryKey(db, locale == "de_DE" ? "Ungarn" : "Magyarorsz\u00e1g");
        QCOMPARE(OrderOf(TownNames(db.Towns({path == foreign ? "12" : hungary, ""})), towns),
                 towns);
    }
    LocationDatabase db;
    QVERIFY(db.open(QStringLiteral(LOCATION_SQB)));
    db.SetLocale(locale);
    QStringList names;
    for (const CountryEntry& country : db.Countries())
        names << country.name;
    QCOMPARE(OrderOf(names, countries), countries);
}

void TestLocationDatabase::everyTownIsFoundAgainAfterApply() {
    LocationDatabase db;
    QVERIFY(db.open(QStringLiteral(LOCATION_SQB)));
    int checked = 0;
    for (const TownEntry& town : db.Towns()) {
        // What Apply writes into the site fields, read back as the main window reads it.
        const double lat = town.latText.toDouble();
        const double lon = town.longText.toDouble();
        const double siteLat =
            std::copysign(StrToFloatDot(FormatFixed(std::fabs(lat), 2), true), lat);
        const double siteLong =
            std::copysign(StrToFloatDot(FormatFixed(std::fabs(lon), 2), true), lon);
        if (TwoDecimalKey(siteLat) != TwoDecimalKey(lat) ||
            db.GetTownName(siteLat, siteLong).isEmpty())
            QFAIL(qPrintable(QString("%1 at %2, %3").arg(town.town, town.latText, town.longText)));
        ++checked;
    }
    QVERIFY(checked > 100000);
}

QTEST_GUILESS_MAIN(TestLocationDatabase)
#include "tst_locationdatabase.moc"
