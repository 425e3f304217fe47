#include "../TestFiles.h"
#include "../places/LocationTestData.h"
#include "Constants.h"
#include "DialogSeam.h"
#include "LanguageManager.h"
#include "LocationDatabase.h"
#include "LookAngles.h"
#include "MagneticDeclination.h"
#include "NumberText.h"
#include "SettingsStore.h"
#include "StartUp.h"
#include "Unit1.h"
#include "fAbout.h"
#include "fInit.h"

#include <QCollator>
#include <QContextMenuEvent>
#include <QCursor>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QProcess>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSettings>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <cmath>
#include <memory>

using namespace skyvane;

using skyvane::testing::WriteFile;

namespace {

// A small catalogue for the cases that need empty space below the rows: three satellites
// visible from the initial site, one below its horizon.
const QByteArray kThreeSatellites = ";Version=20990101\r\n"
                                    "-19.2|Astra 1C/1E/1F/1G/2H/2C\r\n"
                                    "-13.0|Hotbird 1/2/3/4/6\r\n"
                                    "-160.0|Optus B1\r\n"
                                    "5.0|Telecom 2C\r\n";

enum class Library { Missing, Plugin, WithoutMagdec };
enum class Coefficients { None, Shipped, Corrupt };

struct SiteSetting {
    QString latitude;
    bool south = false;
    QString longitude;
    bool west = false;
};

} // namespace

Q_DECLARE_METATYPE(Library)
Q_DECLARE_METATYPE(Coefficients)
Q_DECLARE_METATYPE(SiteSetting)

class TestMainWindow : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    // Start-up: help check, splash, first calculation.
    void startUpMessagesAndSplash();
    void applicationIconHasEverySize_data();
    void applicationIconHasEverySize();
    void splashWindow();

    // The list for the built-in catalogue and the initial site.
    void defaultList();
    void geodeticPrecisionRaisesAndIsSaid();
    void installationSheetAsPdf();
    void defaultListRows_data();
    void defaultListRows();
    void belowHorizonNotListed_data();
    void belowHorizonNotListed();
    void statusTextSurvivesMenus_data();
    void statusTextSurvivesMenus();

    // Site input.
    void siteTownInStatusBar();
    void leavingSiteField_data();
    void leavingSiteField();
    void leavingWithoutChange_data();
    void leavingWithoutChange();
    void focusLeavingWindow_data();
    void focusLeavingWindow();
    void clickRecalculates_data();
    void clickRecalculates();
    void siteSetElsewhereShown();

    // The grid.
    void sorting_data();
    void sorting();
    void rowColours();
    void viewRestoredByIndex_data();
    void viewRestoredByIndex();
    void doubleClick_data();
    void doubleClick();
    void popupMenuPoint_data();
    void popupMenuPoint();
    void keyboardPopup_data();
    void keyboardPopup();

    // About box.
    void aboutBox_data();
    void aboutBox();
    void aboutBoxTranslatorCredit();
    void aboutBoxTextsFit_data();
    void aboutBoxTextsFit();

    // Magnetic declination end to end.
    void declination_data();
    void declination();

    // ---- reports
    void exportsMatchTheGoldenFiles_data();
    void exportsMatchTheGoldenFiles();
    void toolWindowReportFollowsTheLanguage();

private:
    // Creates the main window on a settings file of this case's own folder.
    std::unique_ptr<TfrmMain> createWindow();
    std::unique_ptr<TfrmMain> createShownWindow();
    QString pluginCopy(const QString& source);

    QString m_startDirectory;
    std::unique_ptr<QTemporaryDir> m_dir;
    QStringList m_messages;
};

void TestMainWindow::init() {
    m_startDirectory = QDir::currentPath();
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    // satpos.dat and wmm.cof are looked up in the current directory.
    QVERIFY(QDir::setCurrent(m_dir->path()));
    m_messages.clear();
    DialogSeam::setMessageHook(
        [this](QMessageBox::Icon, const QString&, const QString& text) { m_messages << text; });
    // No declination unless a case asks for it.
    TfrmMain::SetDeclinationLibraryName(m_dir->filePath(QStringLiteral("libgeomag_absent.so")));
}

void TestMainWindow::cleanup() {
    DialogSeam::clearHooks();
    LanguageManager::Instance().Reset();
    ResetConstants();
    QDir::setCurrent(m_startDirectory);
    m_dir.reset();
}

// The sheet of Astra 19.2 E at the start site, written as a PDF and read back as text.
void TestMainWindow::installationSheetAsPdf() {
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty())
        QSKIP("pdftotext is not installed");
    auto window = createWindow();
    SatelliteRecord astra;
    for (const SatelliteRecord& record : window->session()->records())
        if (record->Position == -19.2)
            astra = record;
    QVERIFY(astra);
    const InstallationSheetPage sheet = window->InstallationSheetFor(astra);
    const QString pdf = m_dir->filePath(QStringLiteral("sheet.pdf"));
    WriteInstallationSheetPdf(pdf, sheet);
    QProcess reader;
    reader.start(pdftotext, {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    QVERIFY(reader.waitForFinished(30000));
    const QString text = QString::fromUtf8(reader.readAllStandardOutput());
    for (const QString& expected :
         {QStringLiteral("Installation sheet:"), QStringLiteral("19.2° E"),
          QStringLiteral("47.16° N"), QStringLiteral("True azimuth"), QStringLiteral("175.86°"),
          QStringLiteral("35.72°"), QStringLiteral("LNB skew"), QStringLiteral("-2.82°"),
          QStringLiteral("Next sun outages (Europe/"), QStringLiteral("geo:47.16,16.16")})
        QVERIFY2(text.contains(expected),
                 qPrintable(expected + QStringLiteral(" not in:\n") + text));
    QVERIFY2(!sheet.outageLines.isEmpty() &&
                 sheet.outageLines.first().contains(QStringLiteral("(+0")),
             qPrintable(sheet.outageLines.join('\n')));
    QVERIFY(text.contains(sheet.outageLines.first().section(QLatin1Char(' '), -1)));
}

std::unique_ptr<TfrmMain> TestMainWindow::createWindow() {
    return std::make_unique<TfrmMain>(
        std::make_unique<SettingsStore>(m_dir->filePath(QStringLiteral("settings.ini"))));
}

std::unique_ptr<TfrmMain> TestMainWindow::createShownWindow() {
    auto window = createWindow();
    window->show();
    if (!QTest::qWaitForWindowActive(window.get()))
        qWarning("main window did not become active");
    return window;
}

// The plugin reads wmm.cof once per loaded instance, so every case loads a copy of its own.
QString TestMainWindow::pluginCopy(const QString& source) {
    static int serial = 0;
    const QString path = m_dir->filePath(QStringLiteral("libgeomag_case%1.so").arg(++serial));
    return QFile::copy(source, path) ? path : QString();
}

// ---- start-up ---------------------------------------------------------------------------------

void TestMainWindow::applicationIconHasEverySize_data() {
    QTest::addColumn<int>("asked");
    QTest::addColumn<int>("drawn");
    QTest::newRow("its own size") << 48 << 48;
    QTest::newRow("between sizes") << 20 << 20;
    QTest::newRow("the largest") << 256 << 256;
    QTest::newRow("beyond the largest") << 512 << 256;
}

void TestMainWindow::applicationIconHasEverySize() {
    QFETCH(int, asked);
    QFETCH(int, drawn);
    const QIcon icon = ApplicationIcon();
    QCOMPARE(icon.availableSizes().size(), 6);
    const QImage picture = icon.pixmap(QSize(asked, asked)).toImage();
    QCOMPARE(picture.size(), QSize(drawn, drawn));
    QVERIFY2(picture.pixelColor(drawn / 2, drawn / 2).alpha() > 0, "the icon is blank");
}

void TestMainWindow::startUpMessagesAndSplash() {
    auto window = createWindow();
    // The test program has no help file beside it: start-up says so once and goes on.
    QCOMPARE(m_messages.size(), 1);
    QVERIFY2(m_messages.constFirst().contains(QStringLiteral("missing")),
             qPrintable(m_messages.constFirst()));
    QVERIFY(!window->StartingUp());
    // The first calculation ran during construction, before the window was shown.
    QCOMPARE(window->GridView1->gridRowCount(), 67);
    auto* splash = window->findChild<TfrmInit*>();
    QVERIFY2(splash, "the splash window stays up until the main window is shown");
    QVERIFY(splash->isVisible());
    QCOMPARE(splash->lblVersion->text(), QStringLiteral("v0.5"));

    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QVERIFY2(!window->findChild<TfrmInit*>(), "showing the main window frees the splash");
    QCOMPARE(window->windowTitle(), QStringLiteral("quor's Skyvane"));
}

void TestMainWindow::splashWindow() {
    TfrmInit splash;
    splash.show();
    QVERIFY(QTest::qWaitForWindowExposed(&splash));
    QCOMPARE(splash.lblVersion->text(), QStringLiteral("v0.5"));
    QCOMPARE(splash.Panel2->text(), QStringLiteral("Initializing ..."));
    QCOMPARE(splash.size(), QSize(302, 219));
    QVERIFY2(!splash.Image1->pixmap().isNull(), "the splash picture is built in");
    QCOMPARE(splash.Image1->pixmap().size(), QSize(300, 200));
    QVERIFY2(!splash.isEnabled(), "the splash takes no input");
}

// ---- the default list -------------------------------------------------------------------------

void TestMainWindow::defaultList() {
    auto window = createWindow();
    QCOMPARE(window->GridView1->gridRowCount(), 67);
    QCOMPARE(window->StatusBar1->currentMessage(),
             QStringLiteral("67 satellites theoretically visible"));
    QCOMPARE(window->CatalogueVersion(), QStringLiteral("20051201"));
    // Every row carries its record, computed for the site of the inputs.
    for (int row = 0; row < window->GridView1->gridRowCount(); ++row) {
        const SatelliteRecord record = window->RecordAtRow(row);
        QVERIFY2(record, qPrintable(QStringLiteral("row %1 has no record").arg(row)));
        QCOMPARE(record->SiteLatitude, 47.16);
        QCOMPARE(record->SiteLongitude, -16.16);
        QVERIFY2(record->Elevation >= 0.0, qPrintable(record->Name));
        QCOMPARE(window->GridView1->cellText(row, 0), OrbitalPositionText(record->Position));
    }
    QVERIFY(!window->RecordAtRow(67));
    QVERIFY(!window->RecordAtRow(-1));
}

// The option moves every elevation up by the ellipsoid's and the air's few hundredths, says so
// in the printout, and off again gives the written model's angles.
void TestMainWindow::geodeticPrecisionRaisesAndIsSaid() {
    auto window = createWindow();
    auto* option = window->findChild<QAction*>(QStringLiteral("mViewGeodetic"));
    QVERIFY(option);
    const double sphere = window->RecordAtRow(0)->Elevation;
    const QString name = window->RecordAtRow(0)->Name;
    const int rows = window->GridView1->gridRowCount();
    option->setChecked(true);
    // The air lifts satellites up to half a degree under the horizon into the list.
    const int added = window->GridView1->gridRowCount() - rows;
    QVERIFY2(added > 0 && added < 5, qPrintable(QString::number(added)));
    double raised = 0.0;
    for (int row = 0; row < window->GridView1->gridRowCount(); ++row)
        if (window->RecordAtRow(row)->Name == name)
            raised = window->RecordAtRow(row)->Elevation - sphere;
    QVERIFY2(raised > 0.02 && raised < 0.5, qPrintable(QString::number(raised)));
    QVERIFY(window->PrintInputs().notes.contains(
        QStringLiteral("Look angles: WGS84 ellipsoid, site 0 m above it, with refraction")));
    // A mountain site: the height is asked for, counted and said.
    const double atSeaLevel = window->RecordAtRow(0)->Elevation;
    DialogSeam::setNumberHook([](const QString&, const QString&, double) { return 2000.0; });
    window->findChild<QAction*>(QStringLiteral("mViewHeight"))->trigger();
    QVERIFY(window->RecordAtRow(0)->Elevation != atSeaLevel);
    QVERIFY(window->PrintInputs().notes.contains(
        QStringLiteral("Look angles: WGS84 ellipsoid, site 2000 m above it, with refraction")));
    option->setChecked(false);
    QCOMPARE(window->GridView1->gridRowCount(), rows);
    QCOMPARE(window->RecordAtRow(0)->Elevation, sphere);
    QCOMPARE(window->PrintInputs().notes.size(), 3);
}

void TestMainWindow::defaultListRows_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("row"); // -1: wherever it is
    QTest::addColumn<QStringList>("display");

    QTest::newRow("first row, Measat 1")
        << QStringLiteral("Measat 1") << 0
        << QStringList{QStringLiteral("91.5° E"), QStringLiteral("Measat 1")};
    QTest::newRow("worked example, Astra 19.2 E")
        << QStringLiteral("Astra 1C/1E/1F/1G/2H/2C") << -1
        << QStringList{QStringLiteral("19.2° E"), QStringLiteral("Astra 1C/1E/1F/1G/2H/2C"),
                       QStringLiteral("175.86°"), QStringLiteral("35.72°"),
                       QStringLiteral("-2.82°")};
    QTest::newRow("last row, PAS 9")
        << QStringLiteral("PAS 9") << 66
        << QStringList{QStringLiteral("58.0° W"), QStringLiteral("PAS 9")};
}

void TestMainWindow::defaultListRows() {
    QFETCH(QString, name);
    QFETCH(int, row);
    QFETCH(QStringList, display);

    auto window = createWindow();
    GridView* grid = window->GridView1;
    int found = -1;
    for (int r = 0; r < grid->gridRowCount(); ++r)
        if (grid->cellText(r, 1) == name)
            found = r;
    QVERIFY2(found >= 0, qPrintable(name));
    if (row >= 0)
        QCOMPARE(found, row);
    for (int column = 0; column < display.size(); ++column)
        QCOMPARE(grid->displayText(found, column), display.at(column));
    QCOMPARE(window->RecordAtRow(found)->Name, name);
}

void TestMainWindow::belowHorizonNotListed_data() {
    QTest::addColumn<QString>("name");
    QTest::newRow("Amazonas 61.0 W, elevation -0.003") << QStringLiteral("Amazonas");
    QTest::newRow("Insat 3A 93.5 E, elevation -0.12") << QStringLiteral("Insat 3A");
}

void TestMainWindow::belowHorizonNotListed() {
    QFETCH(QString, name);
    auto window = createWindow();
    for (int row = 0; row < window->GridView1->gridRowCount(); ++row)
        QVERIFY2(window->GridView1->cellText(row, 1) != name, qPrintable(name));
}

void TestMainWindow::statusTextSurvivesMenus_data() {
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QString>("item");
    QTest::newRow("Help menu, About item") << "mHelp"
                                           << "mHelpAbout";
    QTest::newRow("File menu, Quit item") << "mFile"
                                          << "mFileQuit";
}

// The status bar shows one text, the count; menu items passed over with the mouse must not
// replace it.
void TestMainWindow::statusTextSurvivesMenus() {
    QFETCH(QString, menu);
    QFETCH(QString, item);

    auto window = createShownWindow();
    auto* popup = window->findChild<QMenu*>(menu);
    auto* action = window->findChild<QAction*>(item);
    QVERIFY(popup && action);
    const QString count = QStringLiteral("67 satellites theoretically visible");
    QCOMPARE(window->StatusBar1->currentMessage(), count);

    popup->popup(window->mapToGlobal(QPoint(20, 20)));
    QVERIFY(QTest::qWaitForWindowExposed(popup));
    QTest::mouseMove(popup, popup->actionGeometry(action).center());
    QTRY_COMPARE(popup->activeAction(), action);
    popup->hide();
    QCoreApplication::processEvents();

    QCOMPARE(window->StatusBar1->currentMessage(), count);
}

// ---- site input -------------------------------------------------------------------------------

void TestMainWindow::leavingSiteField_data() {
    QTest::addColumn<bool>("latitudeField");
    QTest::addColumn<bool>("positiveButton"); // North / West checked, else South / East
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<double>("siteValue"); // the signed site value after an accepted entry

    QTest::newRow("latitude 95, out of range") << true << true << "95" << false << 0.0;
    QTest::newRow("latitude -95, out of range") << true << true << "-95" << false << 0.0;
    QTest::newRow("latitude 90.01, just out of range") << true << true << "90.01" << false << 0.0;
    QTest::newRow("latitude not a number") << true << true << "abc" << false << 0.0;
    QTest::newRow("latitude empty") << true << true << "" << false << 0.0;
    QTest::newRow("latitude with digit grouping") << true << true << "1,000" << false << 0.0;
    QTest::newRow("latitude 90, at the limit") << true << true << "90" << true << 90.0;
    QTest::newRow("latitude -33.5, northern button") << true << true << "-33.5" << true << 33.5;
    QTest::newRow("latitude -33.5, southern button") << true << false << "-33.5" << true << -33.5;
    QTest::newRow("latitude retyped as it was") << true << true << "47.16" << true << 47.16;
    QTest::newRow("longitude 181, out of range") << false << false << "181" << false << 0.0;
    QTest::newRow("longitude not a number") << false << false << "16.16Q" << false << 0.0;
    QTest::newRow("longitude 180, at the limit") << false << true << "180" << true << 180.0;
    QTest::newRow("longitude -70.5, western button") << false << true << "-70.5" << true << 70.5;
    QTest::newRow("longitude 8.25, eastern button") << false << false << "8.25" << true << -8.25;
}

void TestMainWindow::siteTownInStatusBar() {
    const QString path = m_dir->filePath(QStringLiteral("location.sqb"));
    QVERIFY(test::MakeDatabase(path, test::SmallDatabase()));
    LocationDatabase towns;
    QVERIFY(towns.open(path));
    auto window = createWindow();
    window->SetTownDatabase(&towns);
    const auto* label = window->StatusBar1->findChild<QLabel*>(QStringLiteral("lblSiteTown"));
    QVERIFY(label);
    window->session()->setSite(Site::FromInputs("52.52", true, "13.41", false));
    QCOMPARE(label->text(), QString("Berlin"));
    window->session()->setSite(Site::FromInputs("52.00", true, "13.41", false));
    QCOMPARE(label->text(), QString());
}

void TestMainWindow::leavingSiteField() {
    QFETCH(bool, latitudeField);
    QFETCH(bool, positiveButton);
    QFETCH(QString, typed);
    QFETCH(bool, accepted);
    QFETCH(double, siteValue);

    auto window = createShownWindow();
    QLineEdit* edit = latitudeField ? window->edLat : window->edLong;
    QLineEdit* other = latitudeField ? window->edLong : window->edLat;
    if (latitudeField)
        (positiveButton ? window->rbEsLatN : window->rbEsLatS)->setChecked(true);
    else
        (positiveButton ? window->rbEsLongW : window->rbEsLongE)->setChecked(true);

    edit->setFocus();
    QCOMPARE(QApplication::focusWidget(), edit);
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, typed);
    QVERIFY(edit->isModified());
    const SatelliteRecord before = window->RecordAtRow(0);
    QVERIFY(before);
    const QString statusBefore = window->StatusBar1->currentMessage();

    other->setFocus(); // leaves the field

    if (!accepted) {
        // The field shows the site of the list again, as the reports do.
        const SiteFacts report = window->SiteReportFacts();
        QCOMPARE(edit->text(), latitudeField ? QStringLiteral("47.16") : QStringLiteral("16.16"));
        QCOMPARE(latitudeField ? report.latitudeText : report.longitudeText, edit->text());
        QCOMPARE(QApplication::focusWidget(), edit);
        QVERIFY2(window->RecordAtRow(0) == before, "a rejected entry runs no calculation");
        QCOMPARE(window->StatusBar1->currentMessage(), statusBefore);
        return;
    }
    QCOMPARE(edit->text(), typed); // a minus sign stays in the field
    QVERIFY(!edit->isModified());
    QCOMPARE(QApplication::focusWidget(), other);
    QVERIFY2(window->RecordAtRow(0) != before, "an accepted entry recalculates");
    const double site = latitudeField ? window->GetSiteLatitude() : window->GetSiteLongitude();
    QCOMPARE(site, siteValue);
    if (const SatelliteRecord first = window->RecordAtRow(0))
        QCOMPARE(latitudeField ? first->SiteLatitude : first->SiteLongitude, siteValue);
    else
        QCOMPARE(window->StatusBar1->currentMessage(),
                 QStringLiteral("0 satellites theoretically visible"));
}

void TestMainWindow::leavingWithoutChange_data() {
    QTest::addColumn<bool>("latitudeField");
    QTest::addColumn<QString>("how");

    QTest::newRow("latitude entered and left") << true << "untouched";
    QTest::newRow("longitude entered and left") << false << "untouched";
    QTest::newRow("latitude written by the program") << true << "program";
    QTest::newRow("longitude written by the program") << false << "program";
    QTest::newRow("latitude left again after it was accepted") << true << "accepted before";
    QTest::newRow("latitude rejected and left again") << true << "rejected before";
}

void TestMainWindow::leavingWithoutChange() {
    QFETCH(bool, latitudeField);
    QFETCH(QString, how);

    auto window = createShownWindow();
    QLineEdit* edit = latitudeField ? window->edLat : window->edLong;
    QLineEdit* other = latitudeField ? window->edLong : window->edLat;
    edit->setFocus();
    if (how == QLatin1String("program")) {
        // As the world map and the location window do before they click Calc themselves.
        edit->setText(QStringLiteral("12.5"));
    } else if (how == QLatin1String("accepted before")) {
        edit->selectAll();
        QTest::keyClicks(edit, QStringLiteral("48.2"));
        other->setFocus();
        QCOMPARE(window->GetSiteLatitude(), 48.2);
        edit->setFocus();
    } else if (how == QLatin1String("rejected before")) {
        edit->selectAll();
        QTest::keyClicks(edit, QStringLiteral("95"));
        other->setFocus();
        QCOMPARE(edit->text(), QStringLiteral("47.16"));
        QCOMPARE(QApplication::focusWidget(), edit);
    }
    const SatelliteRecord before = window->RecordAtRow(0);
    QVERIFY(before);

    other->setFocus();

    QCOMPARE(QApplication::focusWidget(), other);
    QVERIFY2(window->RecordAtRow(0) == before, "leaving an unchanged field runs no calculation");
}

void TestMainWindow::focusLeavingWindow_data() {
    QTest::addColumn<int>("reason");
    QTest::addColumn<bool>("checked");

    QTest::newRow("context menu opened") << int(Qt::PopupFocusReason) << false;
    QTest::newRow("another program activated") << int(Qt::ActiveWindowFocusReason) << false;
    QTest::newRow("menu bar entered") << int(Qt::MenuBarFocusReason) << false;
    QTest::newRow("tab to the next control") << int(Qt::TabFocusReason) << true;
    QTest::newRow("click on another control") << int(Qt::MouseFocusReason) << true;
}

void TestMainWindow::focusLeavingWindow() {
    QFETCH(int, reason);
    QFETCH(bool, checked);

    auto window = createShownWindow();
    window->edLat->setFocus();
    window->edLat->selectAll();
    QTest::keyClick(window->edLat, Qt::Key_Delete);
    QVERIFY(window->edLat->isModified());

    QFocusEvent leave(QEvent::FocusOut, Qt::FocusReason(reason));
    QCoreApplication::sendEvent(window->edLat, &leave);

    QCOMPARE(window->edLat->text(), checked ? QStringLiteral("47.16") : QString());
    QCOMPARE(window->edLat->isModified(), !checked);
}

// As the world map and the location window set it: fields, list and reports follow.
void TestMainWindow::siteSetElsewhereShown() {
    auto window = createShownWindow();
    const SatelliteRecord before = window->RecordAtRow(0);

    window->session()->setSite(Site::FromSouthEast(33.5, -58.5));

    QCOMPARE(window->edLat->text(), QStringLiteral("33.50"));
    QVERIFY(window->rbEsLatS->isChecked());
    QCOMPARE(window->edLong->text(), QStringLiteral("58.50"));
    QVERIFY(window->rbEsLongW->isChecked());
    QVERIFY(!window->edLat->isModified());
    const SatelliteRecord first = window->RecordAtRow(0);
    QVERIFY(first && first != before);
    QCOMPARE(first->SiteLatitude, -33.5);
    QCOMPARE(first->SiteLongitude, 58.5);
    QCOMPARE(window->SiteReportFacts().longitudeText, QStringLiteral("58.50"));
}

void TestMainWindow::clickRecalculates_data() {
    QTest::addColumn<QString>("preset"); // button checked before the snapshot, or empty
    QTest::addColumn<QString>("clicked");
    QTest::addColumn<bool>("byProgram");
    QTest::addColumn<double>("latitude");
    QTest::addColumn<double>("longitude");

    QTest::newRow("South clicked") << ""
                                   << "rbEsLatS" << false << -47.16 << -16.16;
    QTest::newRow("West clicked") << ""
                                  << "rbEsLongW" << false << 47.16 << 16.16;
    QTest::newRow("North clicked after South") << "rbEsLatS"
                                               << "rbEsLatN" << false << 47.16 << -16.16;
    QTest::newRow("East clicked after West") << "rbEsLongW"
                                             << "rbEsLongE" << false << 47.16 << -16.16;
    QTest::newRow("South checked by program") << ""
                                              << "rbEsLatS" << true << -47.16 << -16.16;
    QTest::newRow("declination box clicked") << ""
                                             << "cbUseMagDev" << false << 47.16 << -16.16;
}

void TestMainWindow::clickRecalculates() {
    QFETCH(QString, preset);
    QFETCH(QString, clicked);
    QFETCH(bool, byProgram);
    QFETCH(double, latitude);
    QFETCH(double, longitude);

    auto window = createShownWindow();
    if (!preset.isEmpty())
        window->findChild<QAbstractButton*>(preset)->click();
    auto* button = window->findChild<QAbstractButton*>(clicked);
    QVERIFY(button);
    const SatelliteRecord before = window->RecordAtRow(0);
    QVERIFY(before);

    if (byProgram)
        button->setChecked(true);
    else
        button->click();

    const SatelliteRecord after = window->RecordAtRow(0);
    QVERIFY2(after != before, "the click recalculates at once");
    if (after) {
        QCOMPARE(after->SiteLatitude, latitude);
        QCOMPARE(after->SiteLongitude, longitude);
    }
}

// ---- the grid ---------------------------------------------------------------------------------

void TestMainWindow::sorting_data() {
    QTest::addColumn<SiteSetting>("site");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("clicks");
    QTest::addColumn<QString>("earlier"); // a cell text that must come before...
    QTest::addColumn<QString>("later");   // ...this one (empty: no such pair)

    const SiteSetting initial{QStringLiteral("47.16"), false, QStringLiteral("16.16"), false};
    const SiteSetting atlantic{QStringLiteral("0"), false, QStringLiteral("40"), true};
    QTest::newRow("Position east to west, 13.0 E before 101.0 W")
        << atlantic << 0 << 1 << QStringLiteral("13.0° E") << QStringLiteral("101.0° W");
    QTest::newRow("Position east to west, initial site")
        << initial << 0 << 1 << QStringLiteral("13.0° E") << QStringLiteral("5.0° E");
    QTest::newRow("Position, second click reverses")
        << initial << 0 << 2 << QStringLiteral("5.0° E") << QStringLiteral("13.0° E");
    QTest::newRow("Satellite name, numbers as numbers")
        << initial << 1 << 1 << QStringLiteral("PAS 9") << QStringLiteral("PAS 12");
    QTest::newRow("Azimuth by number") << initial << 2 << 1 << QString() << QString();
    QTest::newRow("Elevation by number") << initial << 3 << 1 << QString() << QString();
    QTest::newRow("Skew by number, negative and positive")
        << initial << 4 << 1 << QString() << QString();
    QTest::newRow("Skew by number, second click reverses")
        << initial << 4 << 2 << QString() << QString();
}

void TestMainWindow::sorting() {
    QFETCH(SiteSetting, site);
    QFETCH(int, column);
    QFETCH(int, clicks);
    QFETCH(QString, earlier);
    QFETCH(QString, later);

    auto window = createShownWindow();
    window->edLat->setText(site.latitude);
    (site.south ? window->rbEsLatS : window->rbEsLatN)->setChecked(true);
    window->edLong->setText(site.longitude);
    (site.west ? window->rbEsLongW : window->rbEsLongE)->setChecked(true);
    window->btnGo->click();
    GridView* grid = window->GridView1;
    const int rows = grid->gridRowCount();
    QVERIFY(rows > 2);

    QHeaderView* header = grid->horizontalHeader();
    const QPoint onHeader(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                          header->height() / 2);
    for (int click = 0; click < clicks; ++click)
        QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier, onHeader);

    const bool descending = clicks % 2 == 0;
    const bool numeric = column != 1;
    // The number shown: a position's degrees before its "°", East negative; an angle as it
    // stands.
    const auto number = [](const QString& text) {
        const double degrees = QLocale().toDouble(text.section(QChar(0x00B0), 0, 0));
        return text.endsWith(QLatin1String(" E")) ? -degrees : degrees;
    };
    QCollator names(QLocale(QLocale::English));
    names.setNumericMode(true);
    names.setCaseSensitivity(Qt::CaseInsensitive);
    const auto checkOrder = [&] {
        for (int row = 1; row < grid->gridRowCount(); ++row) {
            const QString a = grid->cellText(descending ? row : row - 1, column);
            const QString b = grid->cellText(descending ? row - 1 : row, column);
            const bool inOrder = numeric ? number(a) <= number(b) : names.compare(a, b) <= 0;
            QVERIFY2(inOrder, qPrintable(QStringLiteral("row %1: \"%2\" before \"%3\"")
                                             .arg(row)
                                             .arg(grid->cellText(row - 1, column),
                                                  grid->cellText(row, column))));
        }
    };
    QCOMPARE(grid->gridRowCount(), rows);
    checkOrder();
    // Rows move as a whole: each row's record still belongs to its texts.
    for (int row = 0; row < rows; ++row) {
        const SatelliteRecord record = window->RecordAtRow(row);
        QVERIFY(record);
        QCOMPARE(grid->cellText(row, 1), record->Name);
        QCOMPARE(grid->cellText(row, 2), FormatAngle(record->Azimuth));
    }
    if (!earlier.isEmpty()) {
        int earlierRow = -1;
        int laterRow = -1;
        for (int row = 0; row < rows; ++row) {
            if (grid->cellText(row, column) == earlier && earlierRow < 0)
                earlierRow = row;
            if (grid->cellText(row, column) == later && laterRow < 0)
                laterRow = row;
        }
        QVERIFY2(earlierRow >= 0 && laterRow >= 0, "both texts are listed for this site");
        QVERIFY2(earlierRow < laterRow, qPrintable(QStringLiteral("%1 at row %2, %3 at row %4")
                                                       .arg(earlier)
                                                       .arg(earlierRow)
                                                       .arg(later)
                                                       .arg(laterRow)));
    }
    // A new calculation keeps the order chosen.
    window->edLong->setText(QStringLiteral("20"));
    window->edLong->setModified(true);
    window->btnGo->click();
    QVERIFY(header->isSortIndicatorShown());
    QCOMPARE(header->sortIndicatorSection(), column);
    checkOrder();
}

void TestMainWindow::rowColours() {
    auto window = createShownWindow();
    window->resize(839, 540);
    GridView* grid = window->GridView1;
    // Sorting first: the colours follow the place on screen, not the satellite.
    grid->sortRows(4, Qt::AscendingOrder);
    grid->selectGridRow(2);
    grid->scrollRowToTop(0);
    QCoreApplication::processEvents();

    const QColor tooltip = grid->palette().color(QPalette::Active, QPalette::ToolTipBase);
    const QColor highlight = grid->palette().color(QPalette::Active, QPalette::Highlight);
    QVERIFY2(tooltip != QColor(Qt::white), "the odd-row colour differs from white");
    QCOMPARE(grid->cellBackground(0, 0).color(), QColor(Qt::white));
    QCOMPARE(grid->cellBackground(1, 3).color(), tooltip);
    QCOMPARE(grid->cellBackground(66, 0).color(), QColor(Qt::white));
    QCOMPARE(grid->cellBackground(65, 0).color(), tooltip);

    // What is drawn: a point in the left part of the right-aligned Skew column is background.
    const QImage picture = grid->viewport()->grab().toImage();
    const int x = grid->columnViewportPosition(4) + 4;
    const auto pixel = [&](int row) {
        return picture.pixelColor(x, grid->rowViewportPosition(row) + grid->rowHeight(row) / 2);
    };
    QCOMPARE(pixel(0), QColor(Qt::white));
    QCOMPARE(pixel(1), tooltip);
    QCOMPARE(pixel(2), highlight); // selected
    QCOMPARE(pixel(3), tooltip);
    QCOMPARE(pixel(4), QColor(Qt::white));
}

void TestMainWindow::viewRestoredByIndex_data() {
    QTest::addColumn<int>("selected");
    QTest::addColumn<int>("top");
    QTest::addColumn<QString>("latitude"); // the new site's latitude, North
    QTest::addColumn<int>("expectedSelected");
    QTest::addColumn<int>("expectedTop");

    QTest::newRow("same site again") << 40 << 30 << "47.16" << 40 << 30;
    QTest::newRow("new site, same row index kept") << 40 << 30 << "48.2" << 40 << 30;
    QTest::newRow("selection in the first rows") << 3 << 0 << "30" << 3 << 0;
    QTest::newRow("nothing selected") << -1 << 20 << "48.2" << -1 << 20;
    QTest::newRow("selected index beyond the new list") << 60 << 45 << "78" << -1 << 0;
}

void TestMainWindow::viewRestoredByIndex() {
    QFETCH(int, selected);
    QFETCH(int, top);
    QFETCH(QString, latitude);
    QFETCH(int, expectedSelected);
    QFETCH(int, expectedTop);

    auto window = createShownWindow();
    window->resize(839, 540);
    QCoreApplication::processEvents();
    GridView* grid = window->GridView1;
    if (selected >= 0)
        grid->selectGridRow(selected);
    grid->scrollRowToTop(top);
    QCOMPARE(grid->topVisibleRow(), top);
    QCOMPARE(grid->selectedRow(), selected);
    const QString nameBefore = selected >= 0 ? grid->cellText(selected, 1) : QString();

    window->edLat->setText(latitude);
    window->btnGo->click();

    QCOMPARE(grid->selectedRow(), expectedSelected);
    if (expectedTop > 0) {
        QCOMPARE(grid->topVisibleRow(), expectedTop);
    } else {
        // The old top row is gone: the list shows its start.
        QVERIFY2(grid->topVisibleRow() <= 0,
                 qPrintable(QStringLiteral("top row %1").arg(grid->topVisibleRow())));
    }
    if (expectedSelected >= 0 && latitude == QLatin1String("47.16"))
        QCOMPARE(grid->cellText(expectedSelected, 1), nameBefore);
}

void TestMainWindow::doubleClick_data() {
    QTest::addColumn<QString>("where");
    QTest::addColumn<bool>("timerStarts");

    QTest::newRow("on a satellite name") << "cell" << true;
    QTest::newRow("on the last row's skew") << "last cell" << true;
    QTest::newRow("on the header") << "header" << false;
    QTest::newRow("below the last row") << "below" << false;
    QTest::newRow("right of the last column") << "right" << false;
}

void TestMainWindow::doubleClick() {
    QFETCH(QString, where);
    QFETCH(bool, timerStarts);

    QVERIFY(WriteFile(QStringLiteral("satpos.dat"), kThreeSatellites));
    auto window = createShownWindow();
    GridView* grid = window->GridView1;
    QCOMPARE(grid->gridRowCount(), 3);
    QWidget* viewport = grid->viewport();
    const int last = grid->model()->columnCount() - 1; // the motor column is not shown
    const int rightEdge = grid->columnViewportPosition(last) + grid->columnWidth(last);
    QPoint global;
    if (where == QLatin1String("cell"))
        global = viewport->mapToGlobal(
            QPoint(grid->columnViewportPosition(1) + 5, grid->rowViewportPosition(1) + 5));
    else if (where == QLatin1String("last cell"))
        global = viewport->mapToGlobal(QPoint(rightEdge - 3, grid->rowViewportPosition(2) + 5));
    else if (where == QLatin1String("header"))
        global = grid->horizontalHeader()->viewport()->mapToGlobal(QPoint(20, 5));
    else if (where == QLatin1String("below"))
        global = viewport->mapToGlobal(
            QPoint(20, grid->rowViewportPosition(2) + grid->rowHeight(2) + 10));
    else {
        if (rightEdge + 10 >= viewport->width())
            QSKIP("the last column reaches the grid's right edge");
        global = viewport->mapToGlobal(QPoint(rightEdge + 10, grid->rowViewportPosition(0) + 5));
    }

    QCursor::setPos(global);
    QCOMPARE(QCursor::pos(), global);
    const GridView::Cell cell = grid->cellAtGlobalPoint(global);
    QCOMPARE(cell.isValid(), timerStarts);
    QCOMPARE(bool(window->RecordAtRow(cell.row)), timerStarts);

    window->GridView1DblClick();

    QTimer* timer = window->tmrDblClickDetails();
    QCOMPARE(timer->isActive(), timerStarts);
    QCOMPARE(timer->interval(), 150);
    if (timerStarts) {
        // The timer fires once and stops itself.
        QTRY_VERIFY_WITH_TIMEOUT(!timer->isActive(), 1000);
        QTest::qWait(200);
        QVERIFY(!timer->isActive());
    }
}

void TestMainWindow::popupMenuPoint_data() {
    QTest::addColumn<QString>("where");
    QTest::addColumn<int>("row"); // the row the menu's items act on, -1: none

    QTest::newRow("over the second row") << "row 1" << 1;
    QTest::newRow("over the empty area below the rows") << "below" << -1;
}

void TestMainWindow::popupMenuPoint() {
    QFETCH(QString, where);
    QFETCH(int, row);

    QVERIFY(WriteFile(QStringLiteral("satpos.dat"), kThreeSatellites));
    auto window = createShownWindow();
    GridView* grid = window->GridView1;
    QWidget* viewport = grid->viewport();
    const int y = where == QLatin1String("below")
                      ? grid->rowViewportPosition(2) + grid->rowHeight(2) + 10
                      : grid->rowViewportPosition(1) + 5;
    const QPoint global = viewport->mapToGlobal(QPoint(30, y));

    window->GridView1ContextPopup(global, false);

    QVERIFY(window->popupGridItem()->isVisible());
    QCOMPARE(window->PopupPoint(), global);
    const GridView::Cell cell = grid->cellAtGlobalPoint(window->PopupPoint());
    QCOMPARE(cell.row, row);
    const SatelliteRecord record = window->RecordAtRow(cell.row);
    QCOMPARE(bool(record), row >= 0);
    if (record)
        QCOMPARE(record->Name, grid->cellText(row, 1));
    // The items themselves: nothing to open over an empty area, and nothing breaks.
    window->pmDetailsClick();
    window->pmSunOutageClick();
    window->pmObstaclesClick();
    window->popupGridItem()->hide();
    QCOMPARE(grid->gridRowCount(), 3);
}

void TestMainWindow::keyboardPopup_data() {
    QTest::addColumn<int>("selected");
    QTest::newRow("row selected") << 1;
    QTest::newRow("nothing selected") << -1;
}

void TestMainWindow::keyboardPopup() {
    QFETCH(int, selected);

    QVERIFY(WriteFile(QStringLiteral("satpos.dat"), kThreeSatellites));
    auto window = createShownWindow();
    GridView* grid = window->GridView1;
    grid->clearSelection();
    if (selected >= 0)
        grid->selectGridRow(selected);
    QCOMPARE(grid->selectedRow(), selected);
    const QPoint before = window->PopupPoint();

    // The menu key: a context menu request without a mouse position.
    grid->setFocus();
    QContextMenuEvent event(QContextMenuEvent::Keyboard, QPoint(0, 0),
                            grid->viewport()->mapToGlobal(QPoint(0, 0)));
    QCoreApplication::sendEvent(grid->viewport(), &event);

    if (selected < 0) {
        QVERIFY2(!window->popupGridItem()->isVisible(), "no row, no menu");
        QCOMPARE(window->PopupPoint(), before);
        return;
    }
    QVERIFY(window->popupGridItem()->isVisible());
    QCOMPARE(window->PopupPoint(), grid->rowGlobalRect(selected).topLeft() + QPoint(1, 1));
    QCOMPARE(grid->cellAtGlobalPoint(window->PopupPoint()).row, selected);
    window->popupGridItem()->hide();
}

// ---- about box --------------------------------------------------------------------------------

void TestMainWindow::aboutBox_data() {
    QTest::addColumn<QByteArray>("catalogue"); // satpos.dat in the current directory, or none
    QTest::addColumn<QString>("version");

    QTest::newRow("built-in catalogue") << QByteArray() << "20051201";
    QTest::newRow("satpos.dat without version line")
        << QByteArray("-19.2|Astra 1C/1E/1F/1G/2H/2C\r\n-13.0|Hotbird 1/2/3/4/6\r\n") << "?";
    QTest::newRow("satpos.dat with its own version") << kThreeSatellites << "20990101";
}

void TestMainWindow::aboutBox() {
    QFETCH(QByteArray, catalogue);
    QFETCH(QString, version);

    if (!catalogue.isNull())
        QVERIFY(WriteFile(QStringLiteral("satpos.dat"), catalogue));
    auto window = createShownWindow();
    auto* about = new TfrmAbout(window.get());
    TfrmMain* main = window.get();
    about->SetCatalogueVersionSource([main] { return main->CatalogueVersion(); });
    window->SetAboutBox(about);

    QTimer::singleShot(5000, about, &QDialog::reject); // a box that blocks fails below
    window->mHelpAboutClick();
    // Not modal: the help that Credits and License open must take input beside it.
    QVERIFY2(about->isVisible() && !about->isModal(), "Help > About shows the box modelessly");
    const QStringList shown{about->windowTitle(), about->lblSkyvaneVersionV->text(),
                            about->lblSatposV->text(), about->lblTranslatedBy->text(),
                            about->lblForeign->text()};
    about->btnOk->click();
    QCOMPARE(about->result(), int(QDialog::Accepted));
    QCOMPARE(shown.size(), 5);
    QCOMPARE(shown.at(0), QStringLiteral("About ..."));
    QCOMPARE(shown.at(1), QStringLiteral("0.5"));
    QCOMPARE(shown.at(2), version);
    QCOMPARE(shown.at(3), QString()); // English has no translator
    QCOMPARE(shown.at(4), QStringLiteral("For detailed Copyright informations of foreign "
                                         "components please look into the help file!"));
    QVERIFY(!about->isVisible());
}

void TestMainWindow::aboutBoxTranslatorCredit() {
    auto window = createWindow();
    TfrmAbout about(window.get());
    about.show();
    QCOMPARE(about.lblTranslatedBy->text(), QString());
    about.hide();
    // A language that names its translator: the next showing carries the credit.
    SetConstantText(Constant::TranslatedBy, QStringLiteral("Translated by J. Doe"));
    about.show();
    QCOMPARE(about.lblTranslatedBy->text(), QStringLiteral("Translated by J. Doe"));
    QCOMPARE(about.lblSkyvaneVersionV->text(), QStringLiteral("0.5"));
    about.hide();
}

void TestMainWindow::aboutBoxTextsFit_data() {
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("next"); // the control to its right on the same line

    QTest::newRow("Skyvane: before the program version") << "lblSkyvaneVersionL"
                                                         << "lblSkyvaneVersionV";
    QTest::newRow("satpos.dat: before the catalogue version") << "lblSatposL"
                                                              << "lblSatposV";
    QTest::newRow("notice line before the web link") << "lblCopyright"
                                                     << "lblLink";
}

// A caption drawn in the platform's font must end before the value beside it begins.
void TestMainWindow::aboutBoxTextsFit() {
    QFETCH(QString, label);
    QFETCH(QString, next);

    auto window = createWindow();
    TfrmAbout about(window.get());
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    auto* left = about.findChild<QLabel*>(label);
    auto* right = about.findChild<QLabel*>(next);
    QVERIFY(left && right);
    const int needed = left->fontMetrics().horizontalAdvance(left->text());
    const int room = right->x() - left->x();
    QVERIFY2(needed <= room, qPrintable(QStringLiteral("\"%1\" needs %2 px, has %3 px")
                                            .arg(left->text())
                                            .arg(needed)
                                            .arg(room)));
    about.hide();
}

// ---- magnetic declination ---------------------------------------------------------------------

void TestMainWindow::declination_data() {
    QTest::addColumn<Library>("library");
    QTest::addColumn<Coefficients>("coefficients");
    QTest::addColumn<bool>("tickedAtStart"); // from the store
    QTest::addColumn<bool>("tickByClick");
    QTest::addColumn<bool>("panelShown");
    QTest::addColumn<bool>("declinationRead");

    QTest::newRow("library and wmm.cof, unticked")
        << Library::Plugin << Coefficients::Shipped << false << false << true << true;
    QTest::newRow("library and wmm.cof, ticked by click")
        << Library::Plugin << Coefficients::Shipped << false << true << true << true;
    QTest::newRow("library and wmm.cof, ticked in the store")
        << Library::Plugin << Coefficients::Shipped << true << false << true << true;
    QTest::newRow("library without wmm.cof, ticked")
        << Library::Plugin << Coefficients::None << true << false << false << false;
    QTest::newRow("corrupt wmm.cof, ticked")
        << Library::Plugin << Coefficients::Corrupt << true << false << true << false;
    QTest::newRow("library without magdec, ticked")
        << Library::WithoutMagdec << Coefficients::Shipped << true << false << true << false;
    QTest::newRow("no library, wmm.cof present, ticked")
        << Library::Missing << Coefficients::Shipped << true << false << false << false;
}

void TestMainWindow::declination() {
    QFETCH(Library, library);
    QFETCH(Coefficients, coefficients);
    QFETCH(bool, tickedAtStart);
    QFETCH(bool, tickByClick);
    QFETCH(bool, panelShown);
    QFETCH(bool, declinationRead);

    QString libraryPath = m_dir->filePath(QStringLiteral("libgeomag_absent.so"));
    if (library == Library::Plugin)
        libraryPath = pluginCopy(QStringLiteral(GEOMAG_LIBRARY));
    else if (library == Library::WithoutMagdec)
        libraryPath = pluginCopy(QStringLiteral(GEOMAG_WITHOUT_MAGDEC));
    QVERIFY(!libraryPath.isEmpty());
    TfrmMain::SetDeclinationLibraryName(libraryPath);
    if (coefficients == Coefficients::Shipped)
        QVERIFY(QFile::copy(QStringLiteral(WMM_COF), QStringLiteral("wmm.cof")));
    else if (coefficients == Coefficients::Corrupt)
        QVERIFY(WriteFile(QStringLiteral("wmm.cof"), "    2025.0  WMM-2025  11/13/2024\n"
                                                     "  1  0  not a number at all\n\xff\xfe\n"));
    if (tickedAtStart) {
        SettingsStore store(m_dir->filePath(QStringLiteral("settings.ini")));
        store.writeInt(QStringLiteral("magneticDeclination"), 1);
        QVERIFY(store.sync());
    }

    auto window = createShownWindow();
    QCOMPARE(window->MagDecAvailable(), panelShown);
    QCOMPARE(!window->pnlMagDev->isHidden(), panelShown);
    // The input band makes room for the declination panel only when the panel is shown.
    const int panelBottom =
        window->Panel2->geometry().bottom() + window->pnlMagDev->sizeHint().height();
    QVERIFY2((window->Panel1->height() > panelBottom) == panelShown,
             qPrintable(QStringLiteral("band height %1, panel bottom %2")
                            .arg(window->Panel1->height())
                            .arg(panelBottom)));
    QCOMPARE(window->cbUseMagDev->isChecked(), tickedAtStart);
    if (tickByClick)
        window->cbUseMagDev->click();
    const bool ticked = window->cbUseMagDev->isChecked();
    QCOMPARE(window->GridView1->gridRowCount(), 67);
    QCOMPARE(window->GridView1->model()->headerData(2, Qt::Horizontal).toString(),
             ticked && panelShown ? QStringLiteral("Azimuth (magnetic)")
                                  : QStringLiteral("Azimuth"));

    // What the library says for this site today, read through a loader of our own.
    double d = 0.0;
    if (declinationRead) {
        MagneticDeclination reference(libraryPath);
        reference.load();
        const auto reading = reference.Read(47.16, -16.16, QDate::currentDate());
        QVERIFY(reading);
        d = reading->degrees;
        QVERIFY2(d < 0.0 && d > -15.0, qPrintable(QString::number(d))); // East in Hungary
        QCOMPARE(window->lblMagDev->text(), reading->text);
        static const QRegularExpression eastText(QStringLiteral("^\\d+\\.\\d\\d° E$"));
        QVERIFY2(eastText.match(window->lblMagDev->text()).hasMatch(),
                 qPrintable(window->lblMagDev->text()));
    } else {
        QCOMPARE(window->lblMagDev->text(), QStringLiteral("-"));
    }

    const double applied = ticked && declinationRead ? d : 0.0;
    for (int row = 0; row < window->GridView1->gridRowCount(); ++row) {
        const SatelliteRecord record = window->RecordAtRow(row);
        const double trueAzimuth = CalcAzimuth(record->Position, 47.16, -16.16);
        QCOMPARE(record->Azimuth, trueAzimuth + applied);
        QCOMPARE(record->Elevation, CalcElevation(record->Position, 47.16, -16.16));
        QCOMPARE(record->Skew, CalcSkew(record->Position, 47.16, -16.16));
        QCOMPARE(window->GridView1->cellText(row, 2), FormatAngle(trueAzimuth + applied));
    }
    if (applied != 0.0) {
        // D is negative for an eastern declination: the azimuths become smaller.
        for (int row = 0; row < window->GridView1->gridRowCount(); ++row)
            if (window->GridView1->cellText(row, 1).startsWith(QLatin1String("Astra 1C")))
                QVERIFY(QLocale().toDouble(window->GridView1->cellText(row, 2)) < 175.86);
    }
}

// ---- reports ------------------------------------------------------------------------------------

void TestMainWindow::exportsMatchTheGoldenFiles_data() {
    QTest::addColumn<int>("language");
    QTest::addColumn<bool>("declination");
    QTest::addColumn<QString>("golden");
    QTest::newRow("HTML") << kLanguageEnglish << false << "main_list_en.html";
    QTest::newRow("CSV") << kLanguageEnglish << false << "main_list_en.csv";
    QTest::newRow("HTML in German, declination ticked")
        << kLanguageGerman << true << "main_list_de_declination.html";
    QTest::newRow("CSV in German") << kLanguageGerman << false << "main_list_de.csv";
}

void TestMainWindow::exportsMatchTheGoldenFiles() {
    QFETCH(int, language);
    QFETCH(bool, declination);
    QFETCH(QString, golden);
    auto window = createWindow();
    LanguageManager::Instance().SetCurrentLanguageId(language);
    window->cbUseMagDev->setChecked(declination);
    const QString path = m_dir->filePath(golden);
    DialogSeam::setSaveFileHook([&](const SaveDialogRequest&) { return path; });

    (golden.endsWith(QLatin1String(".csv")) ? window->ExporttoCSV1 : window->mFileExportToHtml)
        ->trigger();

    QFile actual(path);
    QFile expected(QStringLiteral(GOLDEN_DIR "/") + golden);
    QVERIFY(actual.open(QIODevice::ReadOnly));
    QVERIFY2(expected.open(QIODevice::ReadOnly), qPrintable(expected.fileName()));
    const QByteArray bytes = actual.readAll();
    if (bytes != expected.readAll()) {
        const QString kept = QDir::temp().filePath(QStringLiteral("actual-") + golden);
        QFile::remove(kept);
        QFile::copy(path, kept);
        QFAIL(qPrintable(golden + QStringLiteral(" differs; output kept as ") + kept));
    }
}

// The captions of a tool window's site rows are those of the language at the export.
void TestMainWindow::toolWindowReportFollowsTheLanguage() {
    auto window = createWindow();
    window->OpenSatDetail(0);
    auto* detail = window->findChild<QMainWindow*>(QStringLiteral("frmSatDetail"));
    QVERIFY(detail);
    LanguageManager::Instance().SetCurrentLanguageId(kLanguageGerman);
    const QString path = m_dir->filePath(QStringLiteral("detail.html"));
    DialogSeam::setSaveFileHook([&](const SaveDialogRequest&) { return path; });

    detail->findChild<QAction*>(QStringLiteral("ExporttoHTML1"))->trigger();

    QFile page(path);
    QVERIFY(page.open(QIODevice::ReadOnly));
    const QString html = QString::fromLatin1(page.readAll());
    QVERIFY2(html.contains(QStringLiteral("<td class=\"info0\">Breitengrad:</td>")),
             qPrintable(html));
    QVERIFY(html.contains(QStringLiteral("<td class=\"info0\">L\u00e4ngengrad:</td>")));
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
