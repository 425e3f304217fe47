#include "../TestFiles.h"
#include "Session.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace skyvane;

using skyvane::testing::WriteFile;

namespace {} // namespace

class TestSession : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void siteThenRecords_data();
    void siteThenRecords();
    void recordsAreForTheSite_data();
    void recordsAreForTheSite();
    void unreadableCatalogueKeepsTheList();

private:
    std::unique_ptr<Session> makeSession();

    QString m_startDirectory;
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestSession::init() {
    m_startDirectory = QDir::currentPath();
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    // satpos.dat is looked up in the current directory first.
    QVERIFY(QDir::setCurrent(m_dir->path()));
}

void TestSession::cleanup() {
    QDir::setCurrent(m_startDirectory);
    m_dir.reset();
}

std::unique_ptr<Session> TestSession::makeSession() {
    return std::make_unique<Session>(m_dir->filePath(QStringLiteral("libgeomag_absent.so")));
}

void TestSession::siteThenRecords_data() {
    QTest::addColumn<bool>("sameSite");
    QTest::newRow("another site") << false;
    // The catalogue file or the language may have changed since.
    QTest::newRow("the same site again") << true;
}

void TestSession::siteThenRecords() {
    QFETCH(bool, sameSite);
    auto session = makeSession();
    const Site first =
        Site::FromInputs(QStringLiteral("47.16"), true, QStringLiteral("16.16"), false);
    session->setSite(first);
    QStringList order;
    connect(session.get(), &Session::siteChanged, this, [&] { order << "site"; });
    connect(session.get(), &Session::recordsChanged, this, [&] { order << "records"; });
    QSignalSpy sites(session.get(), &Session::siteChanged);

    const Site second =
        sameSite ? first
                 : Site::FromInputs(QStringLiteral("10"), false, QStringLiteral("20,5"), true);
    session->setSite(second);

    QCOMPARE(order, QStringList({"site", "records"}));
    QCOMPARE(sites.at(0).at(0).value<Site>().latitudeText(), second.latitudeText());
    QCOMPARE(session->site().longitudeText(), second.longitudeText());
    QCOMPARE(session->site().west(), second.west());
}

void TestSession::recordsAreForTheSite_data() {
    QTest::addColumn<bool>("north");
    QTest::addColumn<bool>("west");
    QTest::newRow("North East") << true << false;
    QTest::newRow("South West") << false << true;
}

void TestSession::recordsAreForTheSite() {
    QFETCH(bool, north);
    QFETCH(bool, west);
    auto session = makeSession();
    session->setSite(Site::FromInputs(QStringLiteral("30"), north, QStringLiteral("40"), west));

    QVERIFY(!session->records().empty());
    for (const SatelliteRecord& record : session->records()) {
        QCOMPARE(record->SiteLatitude, north ? 30.0 : -30.0);
        QCOMPARE(record->SiteLongitude, west ? 40.0 : -40.0);
    }
}

void TestSession::unreadableCatalogueKeepsTheList() {
    auto session = makeSession();
    session->setSite(Site());
    const std::vector<SatelliteRecord> before = session->records();
    const QString version = session->catalogueVersion();
    QVERIFY(!before.empty());
    const QByteArray longName(kMaxSatelliteNameLength + 1, 'x');
    QVERIFY(WriteFile(QStringLiteral("satpos.dat"), "-19.2|" + longName + "\r\n"));
    QSignalSpy unreadable(session.get(), &Session::catalogueUnreadable);
    QSignalSpy records(session.get(), &Session::recordsChanged);

    session->setSite(Site::FromInputs(QStringLiteral("10"), true, QStringLiteral("10"), true));

    QCOMPARE(unreadable.size(), 1);
    QVERIFY(!unreadable.at(0).at(0).toString().isEmpty());
    QCOMPARE(records.size(), 0);
    QVERIFY(session->records() == before);
    QCOMPARE(session->catalogueVersion(), version);

    // Once the file is gone the next calculation reads the built-in catalogue again.
    QVERIFY(QFile::remove(QStringLiteral("satpos.dat")));
    session->recalculate();
    QCOMPARE(unreadable.size(), 1);
    QCOMPARE(records.size(), 1);
    QCOMPARE(session->records().front()->SiteLatitude, 10.0);
}

QTEST_MAIN(TestSession)
#include "tst_session.moc"
