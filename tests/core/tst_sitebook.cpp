#include "DataFiles.h"
#include "SiteBook.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace skyvane;

class TestSiteBook : public QObject {
    Q_OBJECT

private slots:
    void init();
    void keepsSitesAcrossSaves();
    void renamesDeletesAndRemembersRecentSites();
    void keepsADamagedBookAside_data();
    void keepsADamagedBookAside();
    void exchangesSitesAsCsv();
    void refusesABadCsvWhole();

private:
    QString bookPath() const { return m_dir->filePath(QStringLiteral("sites.json")); }
    std::unique_ptr<QTemporaryDir> m_dir;
};

namespace {

SiteRecord Record(const QString& name, double latitude, double longitude) {
    SiteRecord site;
    site.name = name;
    site.latitude = latitude;
    site.longitude = longitude;
    return site;
}

QByteArray Contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

void TestSiteBook::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestSiteBook::keepsSitesAcrossSaves() {
    SiteBook book(bookPath());
    QVERIFY(book.load().ok); // no file yet: an empty book
    SiteRecord roof = Record(QStringLiteral("Győr, roof"), 47.6875, 17.6504);
    roof.height = 123.5;
    roof.town = QStringLiteral("Győr");
    roof.timeZone = QStringLiteral("Europe/Budapest");
    roof.horizon = HorizonMask({{10, 5}, {200, 12.25}});
    roof.notes = QStringLiteral("ladder in the shed\nkey at no. 5");
    QVERIFY(book.put(roof));
    QVERIFY(book.put(Record(QStringLiteral("Quito"), -0.22, -78.51)));
    QString error;
    QVERIFY2(book.save(&error), qPrintable(error));

    SiteBook reopened(bookPath());
    QVERIFY(reopened.load().ok);
    QCOMPARE(reopened.sites().size(), size_t(2));
    QVERIFY(reopened.find(QStringLiteral("  győr, ROOF ")));
    QCOMPARE(*reopened.find(QStringLiteral("Győr, roof")), roof);
    QCOMPARE(reopened.find(QStringLiteral("quito"))->longitude, -78.51);
    QCOMPARE(reopened.recent(),
             QStringList({QStringLiteral("Quito"), QStringLiteral("Győr, roof")}));
}

void TestSiteBook::renamesDeletesAndRemembersRecentSites() {
    SiteBook book(bookPath());
    for (int i = 1; i <= 10; ++i)
        QVERIFY(book.put(Record(QStringLiteral("Site %1").arg(i), i, i)));
    QCOMPARE(book.recent().size(), SiteBook::kRecentCount);
    QCOMPARE(book.recent().front(), QStringLiteral("Site 10"));
    book.touch(QStringLiteral("site 1"));
    QCOMPARE(book.recent().front(), QStringLiteral("Site 1"));
    QCOMPARE(book.recent().size(), SiteBook::kRecentCount);

    QVERIFY(!book.rename(QStringLiteral("Site 2"), QStringLiteral("SITE 3"))); // taken
    // A semicolon would split the name in a CSV line; blank and multi-line names are no names.
    for (const char* unusable : {"roof;north", "  ", "roof\nnorth"}) {
        QVERIFY(!book.put(Record(QLatin1String(unusable), 1, 1)));
        QVERIFY(!book.rename(QStringLiteral("Site 2"), QLatin1String(unusable)));
    }
    QVERIFY(!book.rename(QStringLiteral("Nowhere"), QStringLiteral("Else")));
    QVERIFY(book.rename(QStringLiteral("site 1"), QStringLiteral("Home")));
    QVERIFY(book.rename(QStringLiteral("Home"), QStringLiteral("HOME"))); // only the case
    QVERIFY(book.remove(QStringLiteral("site 10")));
    QVERIFY(!book.remove(QStringLiteral("site 10")));
    QVERIFY(book.save(nullptr));

    SiteBook reopened(bookPath());
    QVERIFY(reopened.load().ok);
    QCOMPARE(reopened.sites().size(), size_t(9));
    QVERIFY(!reopened.find(QStringLiteral("Site 1")));
    QVERIFY(!reopened.find(QStringLiteral("Site 10")));
    QCOMPARE(reopened.find(QStringLiteral("home"))->latitude, 1.0);
    QCOMPARE(reopened.recent().front(), QStringLiteral("HOME"));
    QVERIFY(!reopened.recent().contains(QStringLiteral("Site 10")));
}

void TestSiteBook::keepsADamagedBookAside_data() {
    QTest::addColumn<QByteArray>("contents");
    QTest::newRow("not JSON") << QByteArray("{\"version\": 1, \"sites\": [");
    QTest::newRow("latitude beyond the pole") << QByteArray(
        "{\"version\":1,\"sites\":[{\"name\":\"a\",\"latitude\":91,\"longitude\":0}]}");
    QTest::newRow("one name twice, differing in case")
        << QByteArray("{\"version\":1,\"sites\":[{\"name\":\"a\"},{\"name\":\"A\"}]}");
    QTest::newRow("a site without name")
        << QByteArray("{\"version\":1,\"sites\":[{\"latitude\":1}]}");
    QTest::newRow("horizon point beyond the zenith")
        << QByteArray("{\"version\":1,\"sites\":[{\"name\":\"a\",\"horizon\":[[0,95]]}]}");
}

void TestSiteBook::keepsADamagedBookAside() {
    QFETCH(QByteArray, contents);
    {
        QFile file(bookPath());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(contents);
    }
    SiteBook book(bookPath());
    const SiteBook::LoadResult result = book.load();
    QVERIFY(!result.ok);
    QVERIFY(book.sites().empty());
    QVERIFY2(result.movedTo.startsWith(bookPath() + QStringLiteral(".damaged-")),
             qPrintable(result.movedTo));
    QCOMPARE(Contents(result.movedTo), contents);
    QVERIFY(result.message.contains(QDir::toNativeSeparators(result.movedTo)));
    // The next save makes a new book beside the damaged one.
    QVERIFY(book.put(Record(QStringLiteral("new"), 1, 2)));
    QVERIFY(book.save(nullptr));
    QCOMPARE(Contents(result.movedTo), contents);
    SiteBook reopened(bookPath());
    QVERIFY(reopened.load().ok);
    QVERIFY(reopened.find(QStringLiteral("new")));
}

void TestSiteBook::exchangesSitesAsCsv() {
    SiteBook book(bookPath());
    SiteRecord roof = Record(QStringLiteral("Bob's \"top\" roof"), 47.6875, 17.6504);
    roof.notes = QStringLiteral("kept on import");
    QVERIFY(book.put(roof));
    QVERIFY(book.put(Record(QStringLiteral("Sydney"), -33.87, 151.21)));
    const QByteArray csv = book.exportCsv();
    QCOMPARE(csv,
             QByteArray("\"Bob's \"\"top\"\" roof\";47.6875;17.6504\r\nSydney;-33.87;151.21\r\n"));

    SiteBook other(m_dir->filePath(QStringLiteral("other.json")));
    QString error;
    QCOMPARE(other.importCsv(csv, &error), 2);
    QCOMPARE(other.exportCsv(), csv);
    // Imported again over the first book: the coordinates are taken, the rest kept.
    QCOMPARE(book.importCsv("\"Bob's \"\"top\"\" roof\";10;20\n", &error), 1);
    QCOMPARE(book.find(roof.name)->latitude, 10.0);
    QCOMPARE(book.find(roof.name)->notes, roof.notes);
}

void TestSiteBook::refusesABadCsvWhole() {
    SiteBook book(bookPath());
    QString error;
    QCOMPARE(book.importCsv("Home;47.16;16.16\nNowhere;95;10\n", &error), -1);
    QVERIFY2(error.startsWith(QStringLiteral("Line 2")), qPrintable(error));
    QVERIFY(book.sites().empty());
}

QTEST_GUILESS_MAIN(TestSiteBook)
#include "tst_sitebook.moc"
