#include "DataFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace skyvane;

// Each case gets a working directory, a user data home and two system data folders of its own.
class TestDataFiles : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void suiteKeepsAwayFromTheMachinesFolders();
    void foldersBestFirst();
    void lookupOrder_data();
    void lookupOrder();
    void userDataFolderIsCreated();

private:
    QString place(const QString& name) const { return m_dir->filePath(name); }
    bool makeEntry(const QString& where, const QString& kind);

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_startDirectory;
    QHash<QByteArray, QByteArray> m_suiteEnvironment;
};

void TestDataFiles::initTestCase() {
    QCoreApplication::setApplicationName(QString::fromLatin1(kApplicationName));
    m_startDirectory = QDir::currentPath();
    for (const char* name :
         {"HOME", "XDG_DATA_HOME", "XDG_DATA_DIRS", "XDG_CONFIG_HOME", "XDG_CACHE_HOME"})
        m_suiteEnvironment.insert(name, qgetenv(name));
}

// Every test runs with folders of its own, so Skyvane installed on the machine goes unseen.
void TestDataFiles::suiteKeepsAwayFromTheMachinesFolders() {
    const QByteArray home = m_suiteEnvironment.value("HOME");
    QVERIFY(!home.isEmpty());
    for (auto it = m_suiteEnvironment.cbegin(); it != m_suiteEnvironment.cend(); ++it)
        QVERIFY2(it.value().startsWith(home), it.key() + '=' + it.value());
}

void TestDataFiles::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    for (const char* folder : {"work", "home/skyvane", "sys1/skyvane", "sys2/skyvane"})
        QVERIFY(QDir(m_dir->path()).mkpath(QLatin1String(folder)));
    qputenv("XDG_DATA_HOME", place(QStringLiteral("home")).toLocal8Bit());
    qputenv("XDG_DATA_DIRS",
            (place(QStringLiteral("sys1")) + u':' + place(QStringLiteral("sys2"))).toLocal8Bit());
    QVERIFY(QDir::setCurrent(place(QStringLiteral("work"))));
}

void TestDataFiles::cleanup() {
    QDir::setCurrent(m_startDirectory);
    m_dir.reset();
}

// kind: "file", "folder" or "dangling" (a link to nothing), named satpos.dat in `where`.
bool TestDataFiles::makeEntry(const QString& where, const QString& kind) {
    const QString folder =
        where == QLatin1String("work") ? where : where + QStringLiteral("/skyvane");
    const QString path = place(folder + QStringLiteral("/satpos.dat"));
    if (kind == QLatin1String("folder"))
        return QDir().mkdir(path);
    if (kind == QLatin1String("dangling"))
        return QFile::link(place(QStringLiteral("nothing")), path);
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write("0|A\n") == 4;
}

void TestDataFiles::foldersBestFirst() {
    const QDir program(QCoreApplication::applicationDirPath());
    const QStringList expected{
        program.path(), place(QStringLiteral("home/skyvane")),
        place(QStringLiteral("sys1/skyvane")), place(QStringLiteral("sys2/skyvane")),
        QDir::cleanPath(program.filePath(QStringLiteral("../share/skyvane")))};
    QCOMPARE(DataFolders(), expected);
}

void TestDataFiles::lookupOrder_data() {
    QTest::addColumn<QStringList>("entries");   // "<where>:<kind>"
    QTest::addColumn<QString>("dataFile");      // where LocateDataFile finds it, "" for nowhere
    QTest::addColumn<QString>("catalogueFile"); // where LocateCatalogueFile finds it

    QTest::newRow("nowhere") << QStringList{} << ""
                             << "";
    QTest::newRow("user before system") << QStringList{"sys1:file", "home:file"} << "home"
                                        << "home";
    QTest::newRow("first system folder before second")
        << QStringList{"sys2:file", "sys1:file"} << "sys1"
        << "sys1";
    QTest::newRow("working directory only for the catalogue")
        << QStringList{"work:file", "sys2:file"} << "sys2"
        << "work";
    QTest::newRow("folder in user data is absent")
        << QStringList{"home:folder", "sys1:file"} << "sys1"
        << "sys1";
    QTest::newRow("dangling link in user data is absent")
        << QStringList{"home:dangling", "sys2:file"} << "sys2"
        << "sys2";
    QTest::newRow("folder in working directory is reported to the reader")
        << QStringList{"work:folder", "home:file"} << "home"
        << "work";
    QTest::newRow("dangling link in working directory is absent")
        << QStringList{"work:dangling", "sys1:file"} << "sys1"
        << "sys1";
}

void TestDataFiles::lookupOrder() {
    QFETCH(QStringList, entries);
    QFETCH(QString, dataFile);
    QFETCH(QString, catalogueFile);
    for (const QString& entry : entries)
        QVERIFY2(makeEntry(entry.section(u':', 0, 0), entry.section(u':', 1)), qPrintable(entry));

    const auto expected = [this](const QString& where) {
        if (where.isEmpty())
            return QString();
        const QString folder =
            where == QLatin1String("work") ? where : where + QStringLiteral("/skyvane");
        return place(folder + QStringLiteral("/satpos.dat"));
    };
    QCOMPARE(LocateDataFile(QStringLiteral("satpos.dat")), expected(dataFile));
    QCOMPARE(LocateCatalogueFile(), expected(catalogueFile));
}

void TestDataFiles::userDataFolderIsCreated() {
    QVERIFY(QDir(place(QStringLiteral("home/skyvane"))).removeRecursively());
    QCOMPARE(UserDataFolder(), place(QStringLiteral("home/skyvane")));
    QVERIFY(QFileInfo(place(QStringLiteral("home/skyvane"))).isDir());
}

QTEST_GUILESS_MAIN(TestDataFiles)
#include "tst_datafiles.moc"
