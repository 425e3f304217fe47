#include "DialogSeam.h"
#include "SettingsStore.h"
#include "Unit1.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <QtEndian>
#include <QtTest>

#include <cmath>
#include <limits>
#include <memory>

#include <sys/stat.h>

using namespace skyvane;

namespace {

const QStringList kSevenValues{
    QStringLiteral("siteLat"),        QStringLiteral("siteLong"),
    QStringLiteral("outageSpring"),   QStringLiteral("outageCband"),
    QStringLiteral("outageDiameter"), QStringLiteral("magneticDeclination"),
    QStringLiteral("languageID"),
};

// What the window shows of its settings, in one comparable text.
QString SiteShown(const TfrmMain& window) {
    return QStringLiteral("%1 %2 / %3 %4")
        .arg(window.edLat->text(), window.rbEsLatN->isChecked() ? "N" : "S", window.edLong->text(),
             window.rbEsLongE->isChecked() ? "E" : "W");
}

// A double as the store keeps it: its 8 bytes, little-endian.
QVariant StoredDouble(double value) {
    QByteArray bytes(8, '\0');
    qToLittleEndian(value, bytes.data());
    return bytes;
}

QString Describe(std::optional<double> value) {
    return value ? QString::number(*value, 'g', 17) : QStringLiteral("absent");
}

} // namespace

class TestSettings : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void firstStartDefaults();
    void storedSite_data();
    void storedSite();
    void roundTrip_data();
    void roundTrip();
    void otherValuesRoundTrip();
    void unfinishedEntryNotStored();
    void closeWritesAllSeven();
    void quitKeepsTypedSite_data();
    void quitKeepsTypedSite();
    void wrongTypedValueSkipped_data();
    void wrongTypedValueSkipped();
    void storeThatIsNoFileIsLeftAlone();

private:
    QString storePath() const { return m_dir->filePath(QStringLiteral("settings.ini")); }
    std::unique_ptr<TfrmMain> createWindow() {
        return std::make_unique<TfrmMain>(std::make_unique<SettingsStore>(storePath()));
    }

    QString m_startDirectory;
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestSettings::init() {
    m_startDirectory = QDir::currentPath();
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    QVERIFY(QDir::setCurrent(m_dir->path()));
    DialogSeam::setMessageHook([](QMessageBox::Icon, const QString&, const QString&) {});
    TfrmMain::SetDeclinationLibraryName(m_dir->filePath(QStringLiteral("libgeomag_absent.so")));
}

void TestSettings::cleanup() {
    DialogSeam::clearHooks();
    QDir::setCurrent(m_startDirectory);
    m_dir.reset();
}

void TestSettings::firstStartDefaults() {
    QVERIFY(!QFile::exists(storePath()));
    auto window = createWindow();
    QCOMPARE(SiteShown(*window), QStringLiteral("47.16 N / 16.16 E"));
    QVERIFY(!window->cbUseMagDev->isChecked());
    QCOMPARE(window->session()->sunOutageOptions()->spring(), true);
    QCOMPARE(window->session()->sunOutageOptions()->cband(), true);
    QCOMPARE(window->session()->sunOutageOptions()->diameter(), 3.6);
    QCOMPARE(window->LanguageId(), 1033);
    QVERIFY2(!QFile::exists(storePath()), "reading creates no store");
}

void TestSettings::storedSite_data() {
    QTest::addColumn<double>("siteLat");  // as stored: South positive
    QTest::addColumn<double>("siteLong"); // as stored: East positive
    QTest::addColumn<QString>("shown");

    QTest::newRow("stored -47.16 and 16.16: north and east")
        << -47.16 << 16.16 << QStringLiteral("47.16 N / 16.16 E");
    QTest::newRow("stored 33.5 and -70.25: south and west")
        << 33.5 << -70.25 << QStringLiteral("33.50 S / 70.25 W");
    QTest::newRow("stored 0: south and east") << 0.0 << 0.0 << QStringLiteral("0.00 S / 0.00 E");
    QTest::newRow("stored -0: south and east") << -0.0 << -0.0 << QStringLiteral("0.00 S / 0.00 E");
    QTest::newRow("stored -0.001: north and west, shown as 0.00")
        << -0.001 << -0.001 << QStringLiteral("0.00 N / 0.00 W");
    QTest::newRow("stored -47.1: two decimals")
        << -47.1 << 180.0 << QStringLiteral("47.10 N / 180.00 E");
}

void TestSettings::storedSite() {
    QFETCH(double, siteLat);
    QFETCH(double, siteLong);
    QFETCH(QString, shown);
    {
        SettingsStore store(storePath());
        store.writeDouble(QStringLiteral("siteLat"), siteLat);
        store.writeDouble(QStringLiteral("siteLong"), siteLong);
        QVERIFY(store.sync());
    }
    auto window = createWindow();
    QCOMPARE(SiteShown(*window), shown);
    // Loaded texts count as accepted: leaving the fields untouched recalculates nothing.
    QVERIFY(!window->edLat->isModified());
    QVERIFY(!window->edLong->isModified());
    // The first calculation already used the stored site.
    if (const SatelliteRecord first = window->RecordAtRow(0)) {
        QCOMPARE(first->SiteLatitude, window->GetSiteLatitude());
        QCOMPARE(first->SiteLongitude, window->GetSiteLongitude());
    }
}

void TestSettings::roundTrip_data() {
    QTest::addColumn<QString>("latitude");
    QTest::addColumn<bool>("north");
    QTest::addColumn<QString>("longitude");
    QTest::addColumn<bool>("east");
    QTest::addColumn<double>("storedLat");
    QTest::addColumn<double>("storedLong");
    QTest::addColumn<QString>("restarted");

    QTest::newRow("47.1 comes back as 47.10")
        << "47.1" << true << "16.16" << true << -47.1 << 16.16 << "47.10 N / 16.16 E";
    QTest::newRow("south and west")
        << "33.5" << false << "70.25" << false << 33.5 << -70.25 << "33.50 S / 70.25 W";
    QTest::newRow("minus signs typed, hemispheres from the buttons")
        << "-33.5" << true << "-8" << true << -33.5 << 8.0 << "33.50 N / 8.00 E";
    QTest::newRow("not a number with north and west: stored as -0")
        << "abc" << true << "x1" << false << -0.0 << -0.0 << "0.00 S / 0.00 E";
    QTest::newRow("not a number with south and east: stored as 0")
        << "" << false << "?" << true << 0.0 << 0.0 << "0.00 S / 0.00 E";
    QTest::newRow("equator and prime meridian, north and west")
        << "0" << true << "0.00" << false << -0.0 << -0.0 << "0.00 S / 0.00 E";
}

void TestSettings::roundTrip() {
    QFETCH(QString, latitude);
    QFETCH(bool, north);
    QFETCH(QString, longitude);
    QFETCH(bool, east);
    QFETCH(double, storedLat);
    QFETCH(double, storedLong);
    QFETCH(QString, restarted);

    {
        auto window = createWindow();
        window->show();
        window->edLat->setText(latitude);
        (north ? window->rbEsLatN : window->rbEsLatS)->setChecked(true);
        window->edLong->setText(longitude);
        (east ? window->rbEsLongE : window->rbEsLongW)->setChecked(true);
        QVERIFY(window->close());
    }

    SettingsStore store(storePath());
    const std::optional<double> lat = store.readDouble(QStringLiteral("siteLat"));
    const std::optional<double> lon = store.readDouble(QStringLiteral("siteLong"));
    QVERIFY(lat && lon);
    QVERIFY2(
        *lat == storedLat && std::signbit(*lat) == std::signbit(storedLat),
        qPrintable(
            QStringLiteral("siteLat %1, expected %2").arg(Describe(lat), Describe(storedLat))));
    QVERIFY2(
        *lon == storedLong && std::signbit(*lon) == std::signbit(storedLong),
        qPrintable(
            QStringLiteral("siteLong %1, expected %2").arg(Describe(lon), Describe(storedLong))));

    auto window = createWindow();
    QCOMPARE(SiteShown(*window), restarted);
}

void TestSettings::unfinishedEntryNotStored() {
    {
        auto window = createWindow();
        window->show();
        window->edLat->setFocus();
        window->edLat->selectAll();
        QTest::keyClicks(window->edLat, QStringLiteral("95")); // typed, never accepted
        QVERIFY(window->close());
    }
    const std::optional<double> lat =
        SettingsStore(storePath()).readDouble(QStringLiteral("siteLat"));
    QCOMPARE(lat.value_or(0.0), -47.16);
}

void TestSettings::otherValuesRoundTrip() {
    {
        auto window = createWindow();
        window->show();
        window->session()->sunOutageOptions()->setSpring(false);
        window->session()->sunOutageOptions()->setCband(false);
        window->session()->sunOutageOptions()->setDiameter(1.25);
        window->cbUseMagDev->setChecked(true);
        QVERIFY(window->close());
    }
    auto window = createWindow();
    QCOMPARE(window->session()->sunOutageOptions()->spring(), false);
    QCOMPARE(window->session()->sunOutageOptions()->cband(), false);
    QCOMPARE(window->session()->sunOutageOptions()->diameter(), 1.25);
    QVERIFY(window->cbUseMagDev->isChecked());
    QCOMPARE(window->LanguageId(), 1033);
}

void TestSettings::closeWritesAllSeven() {
    {
        auto window = createWindow();
        window->show();
        QVERIFY(window->close());
    }
    SettingsStore store(storePath());
    QCOMPARE(store.readDouble(QStringLiteral("siteLat")), std::optional<double>(-47.16));
    QCOMPARE(store.readDouble(QStringLiteral("siteLong")), std::optional<double>(16.16));
    QCOMPARE(store.readInt(QStringLiteral("outageSpring")), std::optional<int>(1));
    QCOMPARE(store.readInt(QStringLiteral("outageCband")), std::optional<int>(1));
    QCOMPARE(store.readDouble(QStringLiteral("outageDiameter")), std::optional<double>(3.6));
    QCOMPARE(store.readInt(QStringLiteral("magneticDeclination")), std::optional<int>(0));
    QCOMPARE(store.readInt(QStringLiteral("languageID")), std::optional<int>(1033));
    // Doubles are their 8 bytes, little-endian.
    QSettings raw(storePath(), QSettings::IniFormat);
    const QByteArray lat = raw.value(QStringLiteral("siteLat")).toByteArray();
    QCOMPARE(lat.size(), 8);
    QCOMPARE(lat.toHex(), QByteArray("14ae47e17a9447c0")); // -47.16
    for (const QString& name : kSevenValues)
        QVERIFY2(raw.contains(name), qPrintable(name));
}

void TestSettings::quitKeepsTypedSite_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("restarted");
    QTest::newRow("accepted entry still in the field") << "12.5"
                                                       << "12.50 N / 16.16 W";
    QTest::newRow("rejected entry keeps the listed site") << "95"
                                                          << "47.16 N / 16.16 W";
}

void TestSettings::quitKeepsTypedSite() {
    QFETCH(QString, typed);
    QFETCH(QString, restarted);
    {
        auto window = createWindow();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        window->rbEsLongW->setChecked(true);
        window->session()->sunOutageOptions()->setDiameter(2.0);
        window->edLat->setFocus();
        window->edLat->selectAll();
        QTest::keyClicks(window->edLat, typed);

        QTimer::singleShot(0, window.get(), [&] { window->mFileQuit->trigger(); });
        QTimer guard;
        guard.setSingleShot(true);
        QObject::connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(1); });
        guard.start(5000);
        QCOMPARE(QApplication::exec(), 0);
    }
    auto window = createWindow();
    QCOMPARE(SiteShown(*window), restarted);
    QCOMPARE(window->session()->sunOutageOptions()->diameter(), 2.0);
}

void TestSettings::wrongTypedValueSkipped_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QVariant>("value");

    QTest::newRow("siteLat as an integer") << "siteLat" << QVariant(5);
    QTest::newRow("siteLat of 4 bytes") << "siteLat" << QVariant(QByteArray(4, '\x01'));
    QTest::newRow("siteLong of 9 bytes") << "siteLong" << QVariant(QByteArray(9, '\x01'));
    QTest::newRow("siteLong as text") << "siteLong" << QVariant(QStringLiteral("-70.25"));
    QTest::newRow("outageSpring as bytes") << "outageSpring" << QVariant(QByteArray(4, '\0'));
    QTest::newRow("outageCband as a word") << "outageCband" << QVariant(QStringLiteral("no"));
    QTest::newRow("outageDiameter as an integer") << "outageDiameter" << QVariant(1);
    QTest::newRow("magneticDeclination as bytes")
        << "magneticDeclination" << QVariant(QByteArray(4, '\x01'));
    QTest::newRow("languageID as bytes") << "languageID" << QVariant(QByteArray(4, '\x07'));
    QTest::newRow("siteLat not a number") << "siteLat" << StoredDouble(std::nan(""));
    QTest::newRow("siteLat beyond the pole") << "siteLat" << StoredDouble(90.5);
    QTest::newRow("siteLong of 1e308") << "siteLong" << StoredDouble(1e308);
    QTest::newRow("siteLong of 500") << "siteLong" << StoredDouble(500.0);
    QTest::newRow("outageDiameter negative") << "outageDiameter" << StoredDouble(-3.0);
    QTest::newRow("outageDiameter infinite")
        << "outageDiameter" << StoredDouble(std::numeric_limits<double>::infinity());
}

void TestSettings::wrongTypedValueSkipped() {
    QFETCH(QString, name);
    QFETCH(QVariant, value);

    // Every value valid and different from its default, except the one under test.
    {
        SettingsStore store(storePath());
        store.writeDouble(QStringLiteral("siteLat"), 33.5);
        store.writeDouble(QStringLiteral("siteLong"), -70.25);
        store.writeInt(QStringLiteral("outageSpring"), 0);
        store.writeInt(QStringLiteral("outageCband"), 0);
        store.writeDouble(QStringLiteral("outageDiameter"), 1.25);
        store.writeInt(QStringLiteral("magneticDeclination"), 1);
        store.writeInt(QStringLiteral("languageID"), 1031);
        QVERIFY(store.sync());
    }
    {
        QSettings raw(storePath(), QSettings::IniFormat);
        raw.setValue(name, value);
        raw.sync();
        QCOMPARE(raw.status(), QSettings::NoError);
    }

    auto window = createWindow();
    const auto expect = [&](const QString& key, auto stored, auto fallback) {
        return key == name ? fallback : stored;
    };
    QCOMPARE(window->edLat->text(),
             expect("siteLat", QStringLiteral("33.50"), QStringLiteral("47.16")));
    QCOMPARE(window->rbEsLatS->isChecked(), expect("siteLat", true, false));
    QCOMPARE(window->edLong->text(),
             expect("siteLong", QStringLiteral("70.25"), QStringLiteral("16.16")));
    QCOMPARE(window->rbEsLongW->isChecked(), expect("siteLong", true, false));
    QCOMPARE(window->session()->sunOutageOptions()->spring(), expect("outageSpring", false, true));
    QCOMPARE(window->session()->sunOutageOptions()->cband(), expect("outageCband", false, true));
    QCOMPARE(window->session()->sunOutageOptions()->diameter(),
             expect("outageDiameter", 1.25, 3.6));
    QCOMPARE(window->cbUseMagDev->isChecked(), expect("magneticDeclination", true, false));
    QCOMPARE(window->LanguageId(), expect("languageID", 1031, 1033));
}

void TestSettings::storeThatIsNoFileIsLeftAlone() {
    // Opening a FIFO for reading waits for a writer that never comes.
    QVERIFY(mkfifo(QFile::encodeName(storePath()).constData(), 0600) == 0);
    auto window = createWindow();
    QCOMPARE(SiteShown(*window), QStringLiteral("47.16 N / 16.16 E"));
    window->close();
    QVERIFY(!QFileInfo(storePath()).isFile());
}

QTEST_MAIN(TestSettings)
#include "tst_settings.moc"
