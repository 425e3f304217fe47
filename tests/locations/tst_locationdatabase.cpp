#include "LocationDatabase.h"
#include "LocationTestData.h"
#include "TownKey.h"

#include <QDir>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>

#include <clocale>

using namespace skyvane;

namespace {

QStringList TownNames(const std::vector<TownEntry>& towns) {
    QStringList names;
    for (const TownEntry& town : towns)
        names << town.town;
    return names;
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

    void countryListStartsWithBlankEntry();
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

    void builtDatabaseKnowsWellKnownTowns();

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

void TestLocationDatabase::countryListStartsWithBlankEntry() {
    LocationDatabase db;
    QVERIFY(db.open(m_path));
    const auto countries = db.Countries();
    QStringList names;
    for (const auto& country : countries)
        names << country.name;
    QCOMPARE(names, QStringList({"", "Austria", "Germany", "Hungary", "Italy", "Nowhere Land"}));
    QVERIFY(countries.front().key.isEmpty());
    QCOMPARE(countries[3].key, QString("12"));
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
    QTest::newRow("typed percent is a wildcard") << ""
                                                 << "0%n" << QStringList{"100% Town"};
    QTest::newRow("question mark is searched as typed") << ""
                                                        << "a?b" << QStringList{"Pa?bo"};
    QTest::newRow("country without towns") << "Nowhere Land"
                                           << "" << QStringList{};
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
    QTest::newRow("binary value just under the half") << 0.125 << "0.12";
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

void TestLocationDatabase::builtDatabaseKnowsWellKnownTowns() {
    LocationDatabase db;
    QVERIFY2(db.open(QStringLiteral(LOCATION_SQB)), LOCATION_SQB);
    const auto countries = db.Countries();
    QCOMPARE(int(countries.size()), 251);
    QCOMPARE(countries.front().name, QString());
    const QString germany = CountryKey(db, "Germany");
    QVERIFY(!germany.isEmpty());
    QVERIFY(TownNames(db.Towns({germany, "Berlin"})).contains("Berlin"));
    // Berlin: 52.52437 N, 13.41053 E, stored West positive.
    QCOMPARE(db.GetTownName(52.52, -13.41), QString("Berlin"));
    QVERIFY(db.Towns().size() > 100000);
}

QTEST_GUILESS_MAIN(TestLocationDatabase)
#include "tst_locationdatabase.moc"
