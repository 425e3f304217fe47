#include "../TestFiles.h"
#include "DialogSeam.h"
#include "LanguageManager.h"
#include "SettingsStore.h"
#include "SiteBook.h"
#include "SitesMenu.h"
#include "Unit1.h"
#include "fHorizon.h"
#include "fObstacles.h"

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>
#include <set>

using namespace skyvane;

using skyvane::testing::WriteFile;

namespace {

// Satellites far enough apart in azimuth that an obstacle in one's direction leaves the others.
const QByteArray kSpacedSatellites = ";Version=20990101\r\n"
                                     "-28.2|Astra 2\r\n"
                                     "-19.2|Astra 1\r\n"
                                     "-13.0|Hotbird\r\n"
                                     "-5.0|Eutelsat 5W\r\n"
                                     "0.8|Thor\r\n"
                                     "7.0|Nilesat\r\n"
                                     "15.0|Telstar 12\r\n";

} // namespace

class TestSitesMenu : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void savesOpensRenamesAndDeletes();
    void damagedBookIsToldAndKept();
    void typedCoordinatesAreConverted_data();
    void typedCoordinatesAreConverted();
    void obstaclesFlagWhatTheCalculatorBlocks();
    void horizonFromAFileHidesAndCounts();

private:
    std::unique_ptr<TfrmMain> createWindow() {
        return std::make_unique<TfrmMain>(
            std::make_unique<SettingsStore>(m_dir->filePath(QStringLiteral("settings.ini"))));
    }
    void trigger(TfrmMain& window, const char* name) {
        QAction* action = window.findChild<QAction*>(QLatin1String(name));
        QVERIFY2(action, name);
        action->trigger();
    }

    QString m_startDirectory;
    std::unique_ptr<QTemporaryDir> m_dir;
    QStringList m_messages;
    QStringList m_answers; // what the user types or picks, in turn
    int m_choice = 0;      // the answer to a question, -1 for Cancel
};

void TestSitesMenu::initTestCase() {
    QStandardPaths::setTestModeEnabled(true);
    TfrmMain::SetDeclinationLibraryName(QStringLiteral("libgeomag_absent_for_this_test"));
}

void TestSitesMenu::init() {
    m_startDirectory = QDir::currentPath();
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(QDir::setCurrent(m_dir->path()));
    QVERIFY(WriteFile(m_dir->filePath(QStringLiteral("satpos.dat")), kSpacedSatellites));
    QFile::remove(SiteBook::DefaultPath());
    m_messages.clear();
    m_answers.clear();
    DialogSeam::setMessageHook(
        [this](QMessageBox::Icon, const QString&, const QString& text) { m_messages << text; });
    DialogSeam::setTextHook([this](const QString&, const QString&, const QString&,
                                   const QStringList&) -> std::optional<QString> {
        if (m_answers.isEmpty())
            return std::nullopt;
        return m_answers.takeFirst();
    });
    m_choice = 0;
    DialogSeam::setChoiceHook(
        [this](const QString&, const QString&, const QStringList&) { return m_choice; });
}

void TestSitesMenu::cleanup() {
    DialogSeam::clearHooks();
    LanguageManager::Instance().Reset();
    QFile::remove(SiteBook::DefaultPath());
    QDir::setCurrent(m_startDirectory);
    m_dir.reset();
}

void TestSitesMenu::savesOpensRenamesAndDeletes() {
    {
        auto window = createWindow();
        window->edLat->setText(QStringLiteral("47.69"));
        window->edLong->setText(QStringLiteral("17.65"));
        window->btnGo->click();
        m_answers = {QStringLiteral("Roof")};
        trigger(*window, "mSitesSave");
        window->edLat->setText(QStringLiteral("10"));
        window->btnGo->click();
        m_answers = {QStringLiteral("Garden")};
        trigger(*window, "mSitesSave");
    }
    auto window = createWindow(); // the book as the next start reads it
    m_messages.clear();
    QCOMPARE(window->sitesMenu()->book().recent(),
             QStringList({QStringLiteral("Garden"), QStringLiteral("Roof")}));
    m_answers = {QStringLiteral("roof")};
    trigger(*window, "mSitesOpen");
    QCOMPARE(window->edLat->text(), QStringLiteral("47.69"));
    QCOMPARE(window->session()->site().longitudeEast(), 17.65);
    QCOMPARE(window->session()->siteName(), QStringLiteral("Roof"));
    // Another place saved under the open site's name asks first; Cancel keeps the saved one.
    window->edLat->setText(QStringLiteral("10"));
    window->btnGo->click();
    m_answers = {QStringLiteral("Roof")};
    m_choice = -1;
    trigger(*window, "mSitesSave");
    QCOMPARE(window->sitesMenu()->book().find(QStringLiteral("roof"))->latitude, 47.69);
    m_choice = 0;
    m_answers = {QStringLiteral("Roof"), QStringLiteral("Attic")};
    trigger(*window, "mSitesRename");
    QCOMPARE(window->session()->siteName(), QStringLiteral("Attic"));
    m_answers = {QStringLiteral("Garden")};
    trigger(*window, "mSitesDelete");
    QVERIFY(m_messages.isEmpty());

    SiteBook saved(SiteBook::DefaultPath());
    QVERIFY(saved.load().ok);
    QCOMPARE(saved.sites().size(), size_t(1));
    QCOMPARE(saved.sites().front().name, QStringLiteral("Attic"));
    QCOMPARE(saved.sites().front().latitude, 47.69);
}

void TestSitesMenu::damagedBookIsToldAndKept() {
    QVERIFY(QDir().mkpath(QFileInfo(SiteBook::DefaultPath()).path()));
    QVERIFY(WriteFile(SiteBook::DefaultPath(), "{ not a site book"));
    auto window = createWindow();
    QCOMPARE(m_messages.filter(QStringLiteral("sites.json.damaged-")).size(), 1);
    QDir folder = QFileInfo(SiteBook::DefaultPath()).dir();
    const QStringList aside = folder.entryList({QStringLiteral("sites.json.damaged-*")});
    QCOMPARE(aside.size(), 1);
    folder.remove(aside.front());
}

void TestSitesMenu::typedCoordinatesAreConverted_data() {
    QTest::addColumn<bool>("intoLatitude");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<double>("latitude");  // North positive, after the conversion
    QTest::addColumn<double>("longitude"); // East positive
    QTest::newRow("latitude in DMS, south") << true << "33°52'04\"S" << -33.867778 << 16.16;
    QTest::newRow("longitude in DMS, west") << false << "74 2 40 W" << 47.16 << -74.044444;
    QTest::newRow("latitude without hemisphere keeps North")
        << true << "47°41.4'" << 47.69 << 16.16;
    QTest::newRow("locator in the longitude field") << false << "JN87" << 47.5 << 17.0;
}

void TestSitesMenu::typedCoordinatesAreConverted() {
    QFETCH(bool, intoLatitude);
    QFETCH(QString, typed);
    QFETCH(double, latitude);
    QFETCH(double, longitude);
    auto window = createWindow();
    QLineEdit* edit = intoLatitude ? window->edLat : window->edLong;
    edit->clear();
    QTest::keyClicks(edit, typed);
    QTest::keyClick(edit, Qt::Key_Return);
    const Site& site = window->session()->site();
    QVERIFY2(std::fabs(site.latitudeNorth() - latitude) < 1e-6 &&
                 std::fabs(site.longitudeEast() - longitude) < 1e-6,
             qPrintable(QStringLiteral("%1 gave %2 %3")
                            .arg(typed)
                            .arg(site.latitudeNorth())
                            .arg(site.longitudeEast())));
}

// Each satellite's calculator gets an obstacle a little higher or lower than it; the list then
// flags exactly those the calculator found blocked.
void TestSitesMenu::obstaclesFlagWhatTheCalculatorBlocks() {
    auto window = createWindow();
    const int rows = window->satelliteModel()->rowCount();
    QVERIFY(rows >= 6);
    std::set<QString> saidBlocked;
    for (int row = 0; row < rows; ++row) {
        const SatelliteRecord record = window->satelliteModel()->record(row);
        TfrmObstacles calculator(window.get(), window->ToolLink());
        calculator.SetSatellite(record);
        calculator.rbElevation->setChecked(true);
        // 10 m at a distance that puts the top 1.5 degrees above or below the satellite.
        const double top = record->Elevation + (row % 2 ? 1.5 : -1.5);
        calculator.edHeight->setText(QStringLiteral("10"));
        calculator.edDistance->setText(
            QString::number(10.0 / std::tan(top * M_PI / 180.0), 'f', 2));
        if (calculator.BlockedElevation() > record->Elevation)
            saidBlocked.insert(record->Name);
        QVERIFY(calculator.mAddToHorizon->isEnabled());
        calculator.mAddToHorizon->trigger();
    }
    std::set<QString> flagged;
    const SatelliteTableModel& list = *window->satelliteModel();
    for (int row = 0; row < rows; ++row) {
        if (list.isBlocked(row))
            flagged.insert(list.record(row)->Name);
        QCOMPARE(list.index(row, 0).data(Qt::ToolTipRole).toString() ==
                     QStringLiteral("blocked by horizon"),
                 list.isBlocked(row));
        QCOMPARE(list.index(row, 0).data(kBlockedRole).toBool(), list.isBlocked(row));
    }
    QCOMPARE(flagged, saidBlocked);
    QCOMPARE(int(saidBlocked.size()), rows / 2);
    QVERIFY(window->StatusBar1->currentMessage().endsWith(
        QStringLiteral("%1 of them blocked by horizon").arg(rows / 2)));
}

void TestSitesMenu::horizonFromAFileHidesAndCounts() {
    const QString file = m_dir->filePath(QStringLiteral("roof.hzn"));
    // A wall from south-east to south-west, 40 degrees high: it hides the satellites near south.
    QVERIFY(WriteFile(file, "# wall\n0 0\n150 0\n150 40\n210 40\n210 0\n"));
    DialogSeam::setOpenFileHook([file](const QString&, const QString&) { return file; });
    int blocked = 0;
    int listed = 0;
    {
        auto window = createWindow();
        trigger(*window, "mSitesHorizon");
        auto* editor = window->findChild<TfrmHorizon*>();
        QVERIFY(editor);
        editor->btnImport->click();
        QCOMPARE(editor->tblHorizon->rowCount(), 5);
        editor->btnBox->button(QDialogButtonBox::Ok)->click();
        blocked = window->satelliteModel()->blockedCount();
        window->mViewHideBlocked->setChecked(true);
        window->close();
        listed = window->satelliteModel()->rowCount();
    }
    QVERIFY(blocked > 0);
    // The next start keeps the horizon and the choice to hide.
    auto window = createWindow();
    QVERIFY(window->mViewHideBlocked->isChecked());
    QCOMPARE(window->satelliteModel()->rowCount(), listed);
    QCOMPARE(window->session()->horizon().points().size(), size_t(5));
    QVERIFY2(window->StatusBar1->currentMessage().endsWith(
                 QStringLiteral("%1 more blocked by horizon (hidden)").arg(blocked)),
             qPrintable(window->StatusBar1->currentMessage()));
}

QTEST_MAIN(TestSitesMenu)
#include "tst_sitesmenu.moc"
