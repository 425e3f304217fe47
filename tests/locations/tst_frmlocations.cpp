#include "LanguageManager.h"
#include "LocationTestData.h"
#include "SmallMap.h"
#include "TownListModel.h"
#include "fLocationDatabase.h"

#include <QApplication>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace skyvane;

namespace {

// The main window's session, standing alone, at 1 N 2 W unless told otherwise.
struct FakeMainWindow {
    explicit FakeMainWindow(bool north = true, bool west = true) {
        session.setSite(Site::FromInputs("1.00", north, "2.00", west));
    }
    Session session;
};

// The town database as the program opens it for the window.
std::unique_ptr<LocationDatabase> Opened(const QString& path) {
    auto towns = std::make_unique<LocationDatabase>();
    towns->open(path);
    return towns;
}

int RowOf(TfrmLocations& window, const QString& town) {
    const TownListModel* model = window.townModel();
    for (int row = 0; row < model->rowCount(); ++row) {
        if (model->town(row)->town == town)
            return row;
    }
    return -1;
}

bool ClickTown(TfrmLocations& window, const QString& town) {
    const int row = RowOf(window, town);
    if (row < 0)
        return false;
    window.dblCity->setCurrentIndex(window.townModel()->index(row));
    return true;
}

QStringList ListedTowns(TfrmLocations& window) {
    QStringList towns;
    for (int row = 0; row < window.townModel()->rowCount(); ++row)
        towns << window.townModel()->town(row)->town;
    return towns;
}

// A marker whose top row is red and bottom row is blue, to tell which way up it was drawn.
QImage TwoColourMarker() {
    QImage marker(9, 15, QImage::Format_ARGB32);
    marker.fill(Qt::green);
    for (int x = 0; x < 9; ++x) {
        marker.setPixelColor(x, 0, Qt::red);
        marker.setPixelColor(x, 14, Qt::blue);
    }
    return marker;
}

QImage BlackWorld() {
    QImage world(720, 360, QImage::Format_RGB32);
    world.fill(Qt::black);
    return world;
}

} // namespace

class TestFrmLocations : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void apply_data();
    void apply();
    void applyKeepsLastClickedTownAfterFilterChange();
    void cancelLeavesMainWindowAlone();
    void keyboardAndDoubleClickApply_data();
    void keyboardAndDoubleClickApply();

    void markerPlacement_data();
    void markerPlacement();
    void markerIsDrawnUpsideDownNearTheTop_data();
    void markerIsDrawnUpsideDownNearTheTop();

    void countryChoiceFiltersAtOnce();
    void searchWaitsForTheTimer();
    void hostileSearchTexts_data();
    void hostileSearchTexts();

    void missingDatabaseIsReported();
    void unusableDatabaseOpensEmptyAndUnchanged();
    void townThatIsNoPlaceDisablesApply_data();
    void townThatIsNoPlaceDisablesApply();
    void countryShownBesideTownsOnlyWithoutChoice();
    void listsFollowTheInterfaceLanguage();
    void translationTableNamesRealControls();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_path;
};

void TestFrmLocations::init() {
    QLocale::setDefault(QLocale::c());
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_path = m_dir->filePath("location.sqb");
    QVERIFY(test::MakeDatabase(m_path, test::SmallDatabase()));
}

void TestFrmLocations::cleanup() {
    m_dir.reset();
    QLocale::setDefault(QLocale::c());
}

void TestFrmLocations::apply_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("town");
    QTest::addColumn<QString>("lat");
    QTest::addColumn<bool>("north");
    QTest::addColumn<QString>("lon");
    QTest::addColumn<bool>("west");
    QTest::addColumn<QString>("latLabel");
    QTest::addColumn<QString>("longLabel");
    QTest::newRow("0 coordinates are East and North")
        << "C"
        << "Null Island"
        << "0.00" << true << "0.00" << false << "0.00\u00b0 N"
        << "0.00\u00b0 E";
    QTest::newRow("Berlin, north-east") << "C"
                                        << "Berlin"
                                        << "52.52" << true << "13.41" << false << "52.52\u00b0 N"
                                        << "13.41\u00b0 E";
    QTest::newRow("south-west") << "C"
                                << "Southwest Cape"
                                << "54.80" << false << "68.30" << true << "54.80\u00b0 S"
                                << "68.30\u00b0 W";
    QTest::newRow("comma locale") << "de_DE"
                                  << "Berlin"
                                  << "52,52" << true << "13,41" << false << "52,52\u00b0 N"
                                  << "13,41\u00b0 E";
}

void TestFrmLocations::apply() {
    QFETCH(QString, locale);
    QFETCH(QString, town);
    QFETCH(QString, lat);
    QFETCH(bool, north);
    QFETCH(QString, lon);
    QFETCH(bool, west);
    QFETCH(QString, latLabel);
    QFETCH(QString, longLabel);
    QLocale::setDefault(QLocale(locale));

    // The opposite hemispheres first, so that Apply has to change them.
    FakeMainWindow main(!north, !west);
    const auto database = Opened(m_path);
    TfrmLocations window(nullptr, &main.session, database.get());
    QSignalSpy calc(&main.session, &Session::recordsChanged);
    QVERIFY(!window.btnApply->isEnabled());

    QVERIFY(ClickTown(window, town));
    QVERIFY(window.btnApply->isEnabled());
    QCOMPARE(window.lblLatV->text(), latLabel);
    QCOMPARE(window.lblLongV->text(), longLabel);

    window.btnApply->click();
    QCOMPARE(window.result(), int(QDialog::Accepted));
    const Site site = main.session.site();
    QCOMPARE(site.latitudeText(), lat);
    QCOMPARE(site.longitudeText(), lon);
    QCOMPARE(site.north(), north);
    QCOMPARE(site.west(), west);
    QCOMPARE(calc.count(), 1);
}

void TestFrmLocations::applyKeepsLastClickedTownAfterFilterChange() {
    FakeMainWindow main;
    const auto database = Opened(m_path);
    TfrmLocations window(nullptr, &main.session, database.get());
    QVERIFY(ClickTown(window, "Berlin"));
    window.edCity->setText("Aquila");
    window.Timer1Timer();
    QCOMPARE(ListedTowns(window), QStringList{"L'Aquila"});
    QVERIFY(window.btnApply->isEnabled());
    window.btnApply->click();
    QCOMPARE(main.session.site().latitudeText(), QString("52.52"));
    QCOMPARE(main.session.site().longitudeText(), QString("13.41"));
}

void TestFrmLocations::cancelLeavesMainWindowAlone() {
    FakeMainWindow main(false);
    const auto database = Opened(m_path);
    TfrmLocations window(nullptr, &main.session, database.get());
    QSignalSpy calc(&main.session, &Session::siteChanged);
    QVERIFY(ClickTown(window, "Berlin"));
    window.show();
    QTest::keyClick(&window, Qt::Key_Escape);
    QCOMPARE(window.result(), int(QDialog::Rejected));
    window.btnCancel->click();
    QCOMPARE(main.session.site().latitudeText(), QString("1.00"));
    QVERIFY(!main.session.site().north());
    QCOMPARE(calc.count(), 0);
}

void TestFrmLocations::keyboardAndDoubleClickApply_data() {
    QTest::addColumn<bool>("doubleClick");
    QTest::newRow("Down, then Enter") << false;
    QTest::newRow("double-click") << true;
}

void TestFrmLocations::keyboardAndDoubleClickApply() {
    QFETCH(bool, doubleClick);
    FakeMainWindow main;
    const auto database = Opened(m_path);
    TfrmLocations window(nullptr, &main.session, database.get());
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QCOMPARE(QApplication::focusWidget(), window.edCity);
    QTest::keyClicks(window.edCity, "Ber");
    window.Timer1Timer();
    QCOMPARE(ListedTowns(window).first(), QString("Berlin"));
    if (doubleClick) {
        const QRect cell =
            window.dblCity->visualRect(window.townModel()->index(RowOf(window, "Berlin")));
        // A double-click as the system delivers it: a click, then a press that is a double-click.
        QTest::mouseClick(window.dblCity->viewport(), Qt::LeftButton, {}, cell.center());
        QTest::mouseDClick(window.dblCity->viewport(), Qt::LeftButton, {}, cell.center());
    } else {
        QTest::keyClick(window.edCity, Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget(), window.dblCity);
        QCOMPARE(window.dblCity->currentIndex().row(), 0);
        QTest::keyClick(window.dblCity, Qt::Key_Return);
    }
    QCOMPARE(window.result(), int(QDialog::Accepted));
    QCOMPARE(main.session.site().latitudeText(), QString("52.52"));
}

void TestFrmLocations::markerPlacement_data() {
    QTest::addColumn<double>("lat");
    QTest::addColumn<double>("lon");
    QTest::addColumn<QRect>("rect");
    QTest::addColumn<bool>("upsideDown");
    QTest::newRow("origin: x 179, y 89") << 0.0 << 0.0 << QRect(175, 76, 9, 15) << false;
    QTest::newRow("70 N: normal, top at 6") << 70.0 << 0.0 << QRect(175, 6, 9, 15) << false;
    QTest::newRow("76 N: top exactly at 0") << 76.0 << 0.0 << QRect(175, 0, 9, 15) << false;
    QTest::newRow("80 N: upside down under the point")
        << 80.0 << 0.0 << QRect(175, 7, 9, 15) << true;
    QTest::newRow("east is right: 16.5 E rounds to even 196")
        << 47.5 << -16.5 << QRect(192, 29, 9, 15) << false;
    QTest::newRow("west is left: 100 W") << 40.0 << 100.0 << QRect(75, 36, 9, 15) << false;
    QTest::newRow("far off the globe: held at its north-east corner")
        << 1e300 << -1e300 << QRect(355, -3, 9, 15) << true;
}

void TestFrmLocations::markerPlacement() {
    QFETCH(double, lat);
    QFETCH(double, lon);
    QFETCH(QRect, rect);
    QFETCH(bool, upsideDown);
    const MarkerPlacement placement = PlaceMarker(lat, lon);
    QCOMPARE(placement.rect, rect);
    QCOMPARE(placement.upsideDown, upsideDown);
}

void TestFrmLocations::markerIsDrawnUpsideDownNearTheTop_data() {
    QTest::addColumn<QString>("town");
    QTest::addColumn<int>("redRow");
    QTest::addColumn<int>("blueRow");
    QTest::addColumn<bool>("mapFromFile");
    // Marker column x = 179. Normal: top (red) at y - 13, tip (blue) at y + 1.
    QTest::newRow("70 N, y 19: normal") << "Arctic Harbour" << 6 << 20 << false;
    // Upside down: tip (blue) at y - 2, top (red) at y + 12.
    QTest::newRow("80 N, y 9: upside down") << "Polar Station" << 21 << 7 << false;
    QTest::newRow("world map read when first drawn") << "Polar Station" << 21 << 7 << true;
}

void TestFrmLocations::markerIsDrawnUpsideDownNearTheTop() {
    QFETCH(QString, town);
    QFETCH(int, redRow);
    QFETCH(int, blueRow);
    QFETCH(bool, mapFromFile);
    const auto database = Opened(m_path);
    TfrmLocations window(nullptr, {}, database.get());
    if (mapFromFile) {
        const QString file = m_dir->filePath(QStringLiteral("world.png"));
        QVERIFY(BlackWorld().save(file));
        window.SetMapPictures(file, TwoColourMarker());
    } else {
        window.SetMapPictures(BlackWorld(), TwoColourMarker());
    }
    QVERIFY(ClickTown(window, "Berlin"));
    QVERIFY(ClickTown(window, town));
    const QImage map = window.smallMap();
    QCOMPARE(map.size(), QSize(360, 180));
    QCOMPARE(map.pixelColor(179, redRow), QColor(Qt::red));
    QCOMPARE(map.pixelColor(179, blueRow), QColor(Qt::blue));
    // Only one marker: nothing is left where Berlin's marker was (x 166, y 37).
    QCOMPARE(map.pixelColor(166, 30), QColor(Qt::black));
}

void TestFrmLocations::countryChoiceFiltersAtOnce() {
    const auto database = Opened(m_path);
    TfrmLocations window(nullptr, {}, database.get());
    QCOMPARE(window.countryList()->itemText(0), QString());
    QCOMPARE(window.townModel()->rowCount(), 14);
    const int hungary = window.countryList()->findText("Hungary");
    QVERIFY(hungary > 0);
    window.countryList()->setCurrentIndex(hungary);
    emit window.countryList()->activated(hungary);
    QCOMPARE(window.townFilter(), QString("idcountry = 12 and 1=1"));
    QCOMPARE(ListedTowns(window),
             QStringList({"Bernecebar\u00e1ti", "K\u00f6rmend", "Szombathely"}));

    window.countryList()->setCurrentIndex(0);
    emit window.countryList()->activated(0);
    QCOMPARE(window.townFilter(), QString("1=1"));
    QCOMPARE(window.townModel()->rowCount(), 14);
}

void TestFrmLocations::searchWaitsForTheTimer() {
    const auto database = Opened(m_path);
    TfrmLocations window(nullptr, {}, database.get());
    window.edCity->setText("b");
    window.edCity->setText("ber");
    QVERIFY(window.Timer1->isActive());
    QCOMPARE(window.Timer1->interval(), 500);
    QCOMPARE(window.townModel()->rowCount(), 14);
    QTRY_COMPARE_WITH_TIMEOUT(window.townModel()->rowCount(), 3, 2000);
    QVERIFY(!window.Timer1->isActive());
    QCOMPARE(window.townFilter(), QString("town like '%ber%' and 1=1"));
}

void TestFrmLocations::hostileSearchTexts_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QStringList>("towns");
    QTest::newRow("apostrophe") << "l'a"
                                << "town like '%l''a%' and 1=1" << QStringList{"L'Aquila"};
    QTest::newRow("injection") << "'; delete from location; --"
                               << "town like '%''; delete from location; --%' and 1=1"
                               << QStringList{};
    QTest::newRow("double quote") << "\""
                                  << "town like '%\"%' and 1=1" << QStringList{"Quote\"Town"};
    QTest::newRow("question marks") << "a?b"
                                    << "town like '%a??b%' and 1=1" << QStringList{"Pa?bo"};
}

void TestFrmLocations::hostileSearchTexts() {
    QFETCH(QString, text);
    QFETCH(QString, filter);
    QFETCH(QStringList, towns);
    const QByteArray before = test::FileBytes(m_path);
    {
        const auto database = Opened(m_path);
        TfrmLocations window(nullptr, {}, database.get());
        window.edCity->setText(text);
        window.Timer1Timer();
        QCOMPARE(window.townFilter(), filter);
        QCOMPARE(ListedTowns(window), towns);
        window.edCity->clear();
        window.Timer1Timer();
        QCOMPARE(window.townModel()->rowCount(), 14);
    }
    QCOMPARE(test::FileBytes(m_path), before);
}

void TestFrmLocations::missingDatabaseIsReported() {
    const auto database = Opened(m_dir->filePath("absent.sqb"));
    TfrmLocations window(nullptr, {}, database.get());
    QVERIFY(!window.databaseAvailable());
    QCOMPARE(window.countryList()->count(), 0);
    QCOMPARE(window.townModel()->rowCount(), 0);
    QCOMPARE(database->GetTownName(52.52, -13.41), QString());
    QCOMPARE(window.smallMap().size(), QSize(360, 180));
}

void TestFrmLocations::unusableDatabaseOpensEmptyAndUnchanged() {
    const QString path = m_dir->filePath("broken.sqb");
    QByteArray bytes = test::FileBytes(m_path);
    bytes.truncate(bytes.size() / 2);
    bytes.replace(100, 200, QByteArray(200, '\xff'));
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    {
        const auto database = Opened(path);
        TfrmLocations window(nullptr, {}, database.get());
        QVERIFY(window.databaseAvailable());
        window.edCity->setText("ber");
        window.Timer1Timer();
        QCOMPARE(window.townModel()->rowCount(), 0);
        QCOMPARE(database->GetTownName(52.52, -13.41), QString());
    }
    QCOMPARE(test::FileBytes(path), bytes);
}

void TestFrmLocations::townThatIsNoPlaceDisablesApply_data() {
    QTest::addColumn<QString>("row");
    QTest::newRow("latitude not a number") << "(2, 1, 'Bad', 'abc', 10)";
    QTest::newRow("longitude not a number") << "(2, 1, 'Bad', 10, 'abc')";
    QTest::newRow("longitude NULL") << "(2, 1, 'Bad', 10, NULL)";
    QTest::newRow("no key") << "(NULL, 1, 'Bad', 10, 10)";
    QTest::newRow("off the globe") << "(2, 1, 'Bad', 1e300, -1e300)";
    QTest::newRow("latitude beyond the pole") << "(2, 1, 'Bad', 90.5, 10)";
}

void TestFrmLocations::townThatIsNoPlaceDisablesApply() {
    QFETCH(QString, row);
    const QString path = m_dir->filePath("bad.sqb");
    QVERIFY(test::MakeDatabase(path, {"create table country (id integer, country text)",
                                      "create table location (id, idcountry, town, lat, long)",
                                      "insert into location values (1, 1, 'Berlin', 52.52, "
                                      "-13.41), " +
                                          row}));
    const auto database = Opened(path);
    TfrmLocations window(nullptr, {}, database.get());
    QVERIFY(ClickTown(window, "Berlin"));
    QVERIFY(window.btnApply->isEnabled());
    QVERIFY(ClickTown(window, "Bad"));
    QVERIFY(!window.btnApply->isEnabled());
    QCOMPARE(window.SelectedLat, 52.52);
    QCOMPARE(window.SelectedLong, -13.41);
    QCOMPARE(window.lblLatV->text(), QString("52.52\u00b0 N"));
}

void TestFrmLocations::countryShownBesideTownsOnlyWithoutChoice() {
    const auto database = Opened(m_path);
    TfrmLocations window(nullptr, {}, database.get());
    const QModelIndex berlin = window.townModel()->index(RowOf(window, "Berlin"));
    QCOMPARE(berlin.data().toString(), QString("Berlin (Germany)"));
    const int germany = window.countryList()->findText("Germany");
    window.countryList()->setCurrentIndex(germany);
    emit window.countryList()->activated(germany);
    QCOMPARE(window.townModel()->index(RowOf(window, "Berlin")).data().toString(),
             QString("Berlin"));
}

void TestFrmLocations::listsFollowTheInterfaceLanguage() {
    const QString path = m_dir->filePath("codes.sqb");
    QVERIFY(test::MakeDatabase(
        path, {"create table country (id integer, country text, code text)",
               "create table location (id, idcountry, town, lat, long)",
               "insert into country values (1, 'Germany', 'DE'), (2, 'Hungary', 'HU')",
               "insert into location values (1, 2, 'Zs\u00e1mb\u00e9k', 47.5, -18.7), "
               "(2, 2, '\u0150rbotty\u00e1n', 47.7, -19.3), (3, 2, '\u00d3zd', 48.2, -20.3), "
               "(4, 1, 'Berlin', 52.5, -13.4)"}));
    LanguageManager& manager = LanguageManager::Instance();
    const std::shared_ptr<void> english(nullptr, [&manager](void*) { manager.Reset(); });
    manager.RegisterBuiltInLanguage(QStringLiteral("RC_LANG_GERMAN"), kLanguageGerman);
    manager.RegisterBuiltInLanguage(QStringLiteral("RC_LANG_HUNGARIAN"), kLanguageHungarian);
    const auto database = Opened(path);
    TfrmLocations window(nullptr, {}, database.get());
    // The lists of a window never shown are read at first use, in the language of that moment.
    TfrmLocations unread(nullptr, {}, database.get());
    QCOMPARE(window.countryList()->itemText(1), QString("Germany"));
    manager.SetCurrentLanguageId(kLanguageGerman);
    QCOMPARE(window.countryList()->itemText(1), QString("Deutschland"));
    QCOMPARE(unread.countryList()->itemText(1), QString("Deutschland"));
    QCOMPARE(ListedTowns(unread),
             QStringList({"Berlin", "\u0150rbotty\u00e1n", "\u00d3zd", "Zs\u00e1mb\u00e9k"}));
    QCOMPARE(ListedTowns(window),
             QStringList({"Berlin", "\u0150rbotty\u00e1n", "\u00d3zd", "Zs\u00e1mb\u00e9k"}));
    manager.SetCurrentLanguageId(kLanguageHungarian);
    QCOMPARE(window.countryList()->itemText(1), QString("Magyarorsz\u00e1g"));
    QCOMPARE(ListedTowns(window),
             QStringList({"Berlin", "\u00d3zd", "\u0150rbotty\u00e1n", "Zs\u00e1mb\u00e9k"}));
}

void TestFrmLocations::translationTableNamesRealControls() {
    const auto database = Opened(m_path);
    TfrmLocations window(nullptr, {}, database.get());
    const WindowTranslation& translation = TfrmLocations::Translation();
    QCOMPARE(QString(translation.section), window.objectName());
    QCOMPARE(window.property("helpContext").toInt(), 102);
    for (const TranslationEntry& entry : translation.entries) {
        const QString name = QString::fromUtf8(entry.objectName);
        QObject* target = name.isEmpty() ? &window : window.findChild<QObject*>(name);
        QVERIFY2(target, entry.objectName);
        const QString shown =
            name.isEmpty() ? window.windowTitle() : target->property("text").toString();
        QCOMPARE(shown, QString::fromUtf8(entry.english));
    }
}

QTEST_MAIN(TestFrmLocations)
#include "tst_frmlocations.moc"
