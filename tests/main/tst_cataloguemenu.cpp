#include "../TestFiles.h"
#include "CatalogueImport.h"
#include "DataFiles.h"
#include "DialogSeam.h"
#include "LanguageManager.h"
#include "SettingsStore.h"
#include "StartUp.h"
#include "Unit1.h"
#include "fAbout.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QThreadPool>
#include <QtTest>

#include <cerrno>

using namespace skyvane;

using skyvane::testing::WriteFile;

namespace {

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

const QByteArray kSatellitesXml = "<satellites>\n"
                                  "<sat name=\"19.2E Astra 1P\" position=\"192\"/>\n"
                                  "<sat name=\"19.2E Ku-band Astra 1N\" position=\"192\"/>\n"
                                  "<sat name=\"13.0E Hotbird 13F/13G\" position=\"130\"/>\n"
                                  "</satellites>\n";

// One object at 19.2 E whose elements are `daysOld` days old.
QByteArray OmmJsonOfAge(int daysOld) {
    const QDateTime epoch = QDateTime::currentDateTimeUtc().addDays(-daysOld);
    return QStringLiteral(R"([{"OBJECT_NAME": "ASTRA", "EPOCH": "%1", "MEAN_MOTION": 1.0027,
        "ECCENTRICITY": 0.0001, "INCLINATION": 0.01, "RA_OF_ASC_NODE": 0,
        "ARG_OF_PERICENTER": 0, "MEAN_ANOMALY": 100}])")
        .arg(epoch.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")))
        .toUtf8();
}

} // namespace

class TestCatalogueMenu : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void importThenUseShipped();
    void importAddsOrReplaces_data();
    void importAddsOrReplaces();
    void shippedCatalogueAsksFirst();
    void brokenImportKeepsCatalogue();
    void catalogueThatStaysIsSaid();
    void hostileCatalogueAtStartUp_data();
    void hostileCatalogueAtStartUp();
    void failedImportSaysWhy_data();
    void failedImportSaysWhy();
    void importBehindWorkingFolderFile();
    void oldElementsAreSaid();
    void veryOldElementsAskFirst_data();
    void veryOldElementsAskFirst();
    void importRunsAsideAndCancels();
    void checkNamesCatalogueInUse_data();
    void checkNamesCatalogueInUse();
    void menuTranslated();
    void aboutBoxShowsCatalogue_data();
    void aboutBoxShowsCatalogue();

private:
    std::unique_ptr<TfrmMain> createWindow() {
        return std::make_unique<TfrmMain>(
            std::make_unique<SettingsStore>(m_dir->filePath(QStringLiteral("settings.ini"))));
    }
    QString importFile(const QByteArray& content) {
        const QString path = m_dir->filePath(QStringLiteral("chosen.xml"));
        DialogSeam::setOpenFileHook([path](const QString&, const QString&) { return path; });
        return WriteFile(path, content) ? path : QString();
    }
    // Chooses Import and lets the reading end; the messages said since.
    QStringList runImport(TfrmMain& window) {
        const qsizetype before = m_messages.size();
        window.findChild<QAction*>(QStringLiteral("mFileImportCatalogue"))->trigger();
        QThreadPool::globalInstance()->waitForDone();
        QCoreApplication::processEvents();
        return m_messages.mid(before);
    }

    QString m_startDirectory;
    std::unique_ptr<QTemporaryDir> m_dir;
    QStringList m_messages;
    QStringList m_questions;
    int m_choice = kLastAnswer; // what the user answers a question with
    static constexpr int kLastAnswer = -2;
};

void TestCatalogueMenu::initTestCase() {
    // The user's catalogue goes to a data folder of the test's own.
    QStandardPaths::setTestModeEnabled(true);
    TfrmMain::SetDeclinationLibraryName(QStringLiteral("libgeomag_absent_for_this_test"));
}

void TestCatalogueMenu::init() {
    m_startDirectory = QDir::currentPath();
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(QDir::setCurrent(m_dir->path()));
    m_messages.clear();
    DialogSeam::setMessageHook(
        [this](QMessageBox::Icon, const QString&, const QString& text) { m_messages << text; });
    // Unless a test says otherwise, the user replaces their catalogue and confirms its removal.
    m_questions.clear();
    m_choice = kLastAnswer;
    DialogSeam::setChoiceHook(
        [this](const QString&, const QString& text, const QStringList& answers) {
            m_questions << text;
            return m_choice == kLastAnswer ? int(answers.size()) - 1 : m_choice;
        });
}

void TestCatalogueMenu::cleanup() {
    RemoveUserCatalogue();
    DialogSeam::clearHooks();
    LanguageManager::Instance().Reset();
    QDir::setCurrent(m_startDirectory);
    m_dir.reset();
}

void TestCatalogueMenu::importThenUseShipped() {
    auto window = createWindow();
    auto* label = window->findChild<QLabel*>(QStringLiteral("lblCatalogue"));
    QVERIFY(label);
    const int builtInRows = window->GridView1->gridRowCount();
    QVERIFY(label->isHidden());

    QVERIFY(!importFile(kSatellitesXml).isEmpty());
    QCOMPARE(runImport(*window), {QStringLiteral("2 positions imported into your catalogue.")});
    QCOMPARE(window->GridView1->gridRowCount(), 2);
    QVERIFY(!label->isHidden());
    const QString today =
        QDateTime::currentDateTimeUtc().date().toString(QStringLiteral("yyyyMMdd"));
    QCOMPARE(label->text(), QStringLiteral("Catalogue: %1 (your import)").arg(today));
    QCOMPARE(window->CatalogueDescription(), QStringLiteral("%1 (your import)").arg(today));

    window->findChild<QAction*>(QStringLiteral("mFileShippedCatalogue"))->trigger();
    QVERIFY(!QFile::exists(UserCatalogueFile()));
    QCOMPARE(window->GridView1->gridRowCount(), builtInRows);
    QVERIFY(label->isHidden());
}

void TestCatalogueMenu::importAddsOrReplaces_data() {
    QTest::addColumn<int>("choice");
    QTest::addColumn<QByteArray>("stored"); // the user's catalogue afterwards, without comments
    QTest::addColumn<QString>("message");
    QTest::newRow("add: 19.2 E updated, 28.2 E kept")
        << 0 << QByteArray("-28.2|Mine\r\n-19.2|Astra 1P, Astra 1N\r\n-13.0|Hotbird 13F/13G\r\n")
        << "2 positions added to your catalogue or updated in it.";
    QTest::newRow("replace") << 1
                             << QByteArray("-19.2|Astra 1P, Astra 1N\r\n-13.0|Hotbird 13F/13G\r\n")
                             << "2 positions imported into your catalogue.";
    QTest::newRow("cancel") << -1 << QByteArray("-28.2|Mine\r\n-19.2|Old\r\n") << QString();
}

void TestCatalogueMenu::importAddsOrReplaces() {
    QFETCH(int, choice);
    QFETCH(QByteArray, stored);
    QFETCH(QString, message);
    WriteUserCatalogue(";Version=1\r\n-28.2|Mine\r\n-19.2|Old\r\n");
    auto window = createWindow();
    QVERIFY(!importFile(kSatellitesXml).isEmpty());
    m_choice = choice;
    QCOMPARE(runImport(*window), message.isEmpty() ? QStringList() : QStringList{message});
    QCOMPARE(m_questions.size(), 1);
    QByteArray lines;
    for (const QByteArray& line : ReadAll(UserCatalogueFile()).split('\n'))
        if (!line.isEmpty() && !line.startsWith(';'))
            lines += line + '\n';
    QCOMPARE(lines, stored);
}

void TestCatalogueMenu::shippedCatalogueAsksFirst() {
    WriteUserCatalogue(";Version=1\r\n-19.2|Mine\r\n");
    auto window = createWindow();
    m_choice = -1;
    window->findChild<QAction*>(QStringLiteral("mFileShippedCatalogue"))->trigger();
    QCOMPARE(m_questions.size(), 1);
    QVERIFY(QFile::exists(UserCatalogueFile()));
    QCOMPARE(window->GridView1->gridRowCount(), 1);
}

void TestCatalogueMenu::brokenImportKeepsCatalogue() {
    const QByteArray previous = ";Version=1\r\n-19.2|Mine\r\n";
    WriteUserCatalogue(previous);
    auto window = createWindow();
    QCOMPARE(window->GridView1->gridRowCount(), 1);
    const QString chosen = importFile(kSatellitesXml.left(60)); // truncated XML
    QCOMPARE(runImport(*window).size(), 1);
    QVERIFY2(m_messages.constLast().startsWith(
                 QStringLiteral("The catalogue was not imported; the previous one stays in "
                                "use.\n\n%1: The XML is broken")
                     .arg(chosen)),
             qPrintable(m_messages.constLast()));
    QCOMPARE(ReadAll(UserCatalogueFile()), previous);
    QCOMPARE(window->GridView1->gridRowCount(), 1);
}

void TestCatalogueMenu::catalogueThatStaysIsSaid() {
    // A folder in the catalogue's place cannot be removed like a file.
    const QString blocked = UserCatalogueFile();
    QVERIFY(QDir().mkpath(blocked + QStringLiteral("/inside")));
    auto window = createWindow();
    window->findChild<QAction*>(QStringLiteral("mFileShippedCatalogue"))->trigger();
    const QStringList messages = m_messages;
    QVERIFY(QDir(blocked).removeRecursively());
    QVERIFY2(messages.constLast().startsWith(
                 QStringLiteral("Your catalogue could not be removed and stays in use.\n\n%1: ")
                     .arg(blocked)),
             qPrintable(messages.constLast()));
    QVERIFY2(!messages.constLast().endsWith(QStringLiteral("Unknown error")),
             qPrintable(messages.constLast()));
}

void TestCatalogueMenu::hostileCatalogueAtStartUp_data() {
    QTest::addColumn<qint64>("size"); // sparse satpos.dat of this size, or a 4 MB name
    QTest::newRow("1 GB satpos.dat") << (qint64(1) << 30);
    QTest::newRow("4 MB name") << qint64(0);
}

void TestCatalogueMenu::hostileCatalogueAtStartUp() {
    QFETCH(qint64, size);
    QFile file(QStringLiteral("satpos.dat"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    QVERIFY(size ? file.resize(size) : file.write("1.0|" + QByteArray(4000000, 'x')) > 0);
    file.close();
    auto window = createWindow();
    QVERIFY2(m_messages.constLast().contains(QStringLiteral("at most")),
             qPrintable(m_messages.constLast().left(200)));
    QCOMPARE(window->GridView1->gridRowCount(), 0);
    // The window works: without the file the next Calc lists the built-in catalogue.
    QVERIFY(file.remove());
    window->btnGo->click();
    QVERIFY(window->GridView1->gridRowCount() > 0);
}

void TestCatalogueMenu::failedImportSaysWhy_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("folderIsFile"); // a file where the user's data folder belongs
    QTest::addColumn<QString>("reason");
    QByteArray huge;
    for (int i = 0; huge.size() <= 5 * 1024 * 1024; ++i)
        huge += QByteArray::number(-180.0 + (i % 3600) / 10.0, 'f', 1) + "|Satellite\r\n";
    QTest::newRow("own format larger than a catalogue may be")
        << huge << false << "a catalogue may have at most 4194304";
    QTest::newRow("data folder cannot be made")
        << kSatellitesXml << true << qt_error_string(ENOTDIR);
}

// Nothing is replaced, and the message names the file and the reason in words.
void TestCatalogueMenu::failedImportSaysWhy() {
    QFETCH(QByteArray, content);
    QFETCH(bool, folderIsFile);
    QFETCH(QString, reason);
    const QByteArray previous = ";Version=1\r\n-19.2|Mine\r\n";
    const QString folder = QFileInfo(UserCatalogueFile()).absolutePath();
    if (folderIsFile)
        QVERIFY(QDir(folder).removeRecursively() && WriteFile(folder, "not a folder"));
    else
        WriteUserCatalogue(previous);
    auto window = createWindow();
    const int rows = window->GridView1->gridRowCount();
    QVERIFY(!importFile(content).isEmpty());
    const QStringList said = runImport(*window);
    const QByteArray stays = ReadAll(UserCatalogueFile());
    if (folderIsFile)
        QVERIFY(QFile::remove(folder));
    QCOMPARE(said.size(), 1);
    QVERIFY2(said.first().contains(reason), qPrintable(said.first()));
    // The file the message is about: the one that cannot be written, or the one chosen.
    const QString about = folderIsFile ? QStringLiteral("\"%1\"").arg(UserCatalogueFile())
                                       : m_dir->filePath(QStringLiteral("chosen.xml: "));
    QVERIFY2(said.first().contains(about), qPrintable(said.first()));
    QCOMPARE(said.first().count(QStringLiteral("/satpos.dat")), folderIsFile ? 1 : 0);
    if (!folderIsFile)
        QCOMPARE(stays, previous);
    QCOMPARE(window->GridView1->gridRowCount(), rows);
}

void TestCatalogueMenu::importBehindWorkingFolderFile() {
    QVERIFY(
        WriteFile(QStringLiteral("satpos.dat"), "-19.2|Astra\r\n-13.0|Hotbird\r\n1.0|Thor\r\n"));
    auto window = createWindow();
    QVERIFY(!importFile(kSatellitesXml).isEmpty());
    const QStringList said = runImport(*window);
    QCOMPARE(said.size(), 1);
    const QString expected = QStringLiteral("2 positions imported into your catalogue.\n\nIt is "
                                            "not in use while the working folder "
                                            "holds %1: that file comes first.")
                                 .arg(QDir::toNativeSeparators(QDir::current().absoluteFilePath(
                                     QStringLiteral("satpos.dat"))));
    QCOMPARE(said.first(), expected);
    QCOMPARE(window->GridView1->gridRowCount(), 3);
}

void TestCatalogueMenu::oldElementsAreSaid() {
    auto window = createWindow();
    auto* label = window->findChild<QLabel*>(QStringLiteral("lblCatalogue"));
    QVERIFY(!importFile(OmmJsonOfAge(84)).isEmpty());
    const QStringList said = runImport(*window);
    QCOMPARE(said.size(), 1);
    QVERIFY2(
        said.first().endsWith(QStringLiteral("The element sets are 84 days old: the positions "
                                             "are those of that time and may be out of date.")),
        qPrintable(said.first()));
    QVERIFY2(label->text().endsWith(QStringLiteral("(your import); element sets 84 days old")),
             qPrintable(label->text()));
    // The about box says it as the status bar does.
    QVERIFY(window->CatalogueDescriptionWithAge().endsWith(
        QStringLiteral("(your import); element sets 84 days old")));
    // Elements of last week are not old.
    QVERIFY(!importFile(OmmJsonOfAge(7)).isEmpty());
    QCOMPARE(runImport(*window), {QStringLiteral("1 positions imported into your catalogue.")});
    QVERIFY2(label->text().endsWith(QStringLiteral("(your import)")), qPrintable(label->text()));
}

void TestCatalogueMenu::veryOldElementsAskFirst_data() {
    QTest::addColumn<int>("choice");
    QTest::addColumn<bool>("used");
    QTest::newRow("used all the same") << 0 << true;
    QTest::newRow("cancelled") << -1 << false;
}

// Half a year old, the elements wait for the user's word; the warning colour marks old ones.
void TestCatalogueMenu::veryOldElementsAskFirst() {
    QFETCH(int, choice);
    QFETCH(bool, used);
    auto window = createWindow();
    QVERIFY(!importFile(OmmJsonOfAge(200)).isEmpty());
    m_choice = choice;
    runImport(*window);
    QCOMPARE(m_questions.size(), 1);
    QVERIFY2(m_questions.first().startsWith(QStringLiteral("The element sets are 200 days old")),
             qPrintable(m_questions.first()));
    QCOMPARE(QFile::exists(UserCatalogueFile()), used);
    const auto* label = window->findChild<QLabel*>(QStringLiteral("lblCatalogue"));
    QCOMPARE(label->palette().color(QPalette::WindowText) !=
                 window->palette().color(QPalette::WindowText),
             used);
}

// The reading runs while the window goes on; Cancel drops it and the previous catalogue stays.
void TestCatalogueMenu::importRunsAsideAndCancels() {
    const QByteArray previous = ";Version=1\r\n-19.2|Mine\r\n";
    WriteUserCatalogue(previous);
    auto window = createWindow();
    const QString path = importFile(kSatellitesXml);
    QString label;
    QByteArray whileReading;
    DialogSeam::setProgressHook([&](QProgressDialog& progress) {
        label = progress.labelText();
        whileReading = ReadAll(UserCatalogueFile());
        progress.findChild<QPushButton*>()->click();
    });
    const QStringList said = runImport(*window);
    QCOMPARE(label, QStringLiteral("Reading %1 ...").arg(QDir::toNativeSeparators(path)));
    QCOMPARE(whileReading, previous);
    QCOMPARE(said, QStringList());
    QCOMPARE(ReadAll(UserCatalogueFile()), previous);
    QVERIFY(window->findChild<QAction*>(QStringLiteral("mFileImportCatalogue"))->isEnabled());
    // Without Cancel the same import goes through.
    DialogSeam::setProgressHook(nullptr);
    QCOMPARE(runImport(*window), {QStringLiteral("2 positions imported into your catalogue.")});
}

void TestCatalogueMenu::checkNamesCatalogueInUse_data() {
    QTest::addColumn<QString>("placed"); // file name put into the user's data folder, or none
    QTest::addColumn<QString>("shown");  // after "satpos.dat: "; %1 the placed file's path
    QTest::newRow("none") << QString() << "built-in catalogue";
    QTest::newRow("shipped catalogue") << "satellites-current.dat"
                                       << "shipped catalogue %1";
    QTest::newRow("user's satpos.dat") << "satpos.dat"
                                       << "%1";
}

void TestCatalogueMenu::checkNamesCatalogueInUse() {
    QFETCH(QString, placed);
    QFETCH(QString, shown);
    const QString path = QDir(UserDataFolder()).filePath(placed);
    if (!placed.isEmpty())
        QVERIFY(WriteFile(path, "-19.2|Astra\r\n"));
    QString out;
    QTextStream stream(&out);
    CheckDataFiles(stream);
    if (!placed.isEmpty())
        QVERIFY(QFile::remove(path));
    const QString expected = QStringLiteral("satpos.dat: ") + shown.arg(path) + u'\n';
    QVERIFY2(out.contains(expected), qPrintable(out));
}

void TestCatalogueMenu::menuTranslated() {
    auto window = createWindow();
    for (QAction* item : window->mFileSwitchLanguage->actions())
        if (item->data().toInt() == 1031)
            item->trigger();
    QCOMPARE(window->findChild<QAction*>(QStringLiteral("mFileImportCatalogue"))->text(),
             QStringLiteral("Katalog &importieren ..."));
    QCOMPARE(window->findChild<QAction*>(QStringLiteral("mFileShippedCatalogue"))->text(),
             QStringLiteral("&Mitgelieferten Katalog verwenden"));
    WriteUserCatalogue(";Version=7\r\n-19.2|Mine\r\n");
    window->btnGo->click();
    QCOMPARE(window->findChild<QLabel*>(QStringLiteral("lblCatalogue"))->text(),
             QStringLiteral("Katalog: 7 (Ihr Import)"));
}

void TestCatalogueMenu::aboutBoxShowsCatalogue_data() {
    QTest::addColumn<int>("languageId");
    QTest::addColumn<QString>("shown");
    QTest::newRow("English") << 1033 << "20260822 (working folder)";
    QTest::newRow("German") << 1031 << "20260822 (Arbeitsordner)";
    QTest::newRow("Hungarian") << 1038 << "20260822 (munkamappa)";
}

// The longest description (satpos.dat in the working folder) fits the box's value label.
void TestCatalogueMenu::aboutBoxShowsCatalogue() {
    QFETCH(int, languageId);
    QFETCH(QString, shown);
    QVERIFY(WriteFile(QStringLiteral("satpos.dat"), ";Version=20260822\r\n-19.2|Astra\r\n"));
    auto window = createWindow();
    for (QAction* item : window->mFileSwitchLanguage->actions())
        if (item->data().toInt() == languageId)
            item->trigger();
    TfrmAbout about(window.get());
    TfrmMain* main = window.get();
    about.SetCatalogueVersionSource([main] { return main->CatalogueDescriptionWithAge(); });
    about.show();
    QCOMPARE(about.lblSatposV->text(), shown);
    const int needed = about.lblSatposV->fontMetrics().horizontalAdvance(shown);
    QVERIFY2(needed <= about.lblSatposV->width(),
             qPrintable(QStringLiteral("%1 px of %2").arg(needed).arg(about.lblSatposV->width())));
}

QTEST_MAIN(TestCatalogueMenu)
#include "tst_cataloguemenu.moc"
