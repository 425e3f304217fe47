#include "SettingsStore.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

using namespace skyvane;

class TestSettingsStore : public QObject {
    Q_OBJECT

private slots:
    void keyOfAnotherTypeIsNeitherWrittenNorRead_data();
    void keyOfAnotherTypeIsNeitherWrittenNorRead();
    void typedEntriesKeepTheStoredFormat();
};

void TestSettingsStore::keyOfAnotherTypeIsNeitherWrittenNorRead_data() {
    QTest::addColumn<QString>("key");
    QTest::addColumn<bool>("asDouble");
    QTest::newRow("integer into a double") << "siteLat" << false;
    QTest::newRow("double into a boolean") << "outageSpring" << true;
    QTest::newRow("double into an integer") << "languageID" << true;
    QTest::newRow("key outside the table") << "siteLatitude" << true;
}

void TestSettingsStore::keyOfAnotherTypeIsNeitherWrittenNorRead() {
    QFETCH(QString, key);
    QFETCH(bool, asDouble);
    QTemporaryDir dir;
    const QString path = dir.filePath("settings.ini");
    {
        SettingsStore store(path);
        if (asDouble)
            store.writeDouble(key, 2.0);
        else
            store.writeInt(key, 2);
        store.sync();
    }
    QVERIFY(!QSettings(path, QSettings::IniFormat).contains(key));
    QSettings(path, QSettings::IniFormat)
        .setValue(key, asDouble ? QVariant(QByteArray(8, '\0')) : QVariant(2));
    const SettingsStore store(path);
    QVERIFY(asDouble ? !store.readDouble(key) : !store.readInt(key));
}

void TestSettingsStore::typedEntriesKeepTheStoredFormat() {
    QTemporaryDir dir;
    const QString path = dir.filePath("settings.ini");
    {
        SettingsStore store(path);
        store.write(settings::kOutageDiameter, 1.5);
        store.write(settings::kMagneticDeclination, true);
        store.write(settings::WindowPlacement("frmMain"), QByteArray("\x01\x02", 2));
        store.sync();
    }
    QSettings raw(path, QSettings::IniFormat);
    QCOMPARE(raw.value("outageDiameter").toByteArray(), QByteArray::fromHex("000000000000f83f"));
    QCOMPARE(raw.value("magneticDeclination").toString(), QString("1"));
    QCOMPARE(raw.value("WindowPlacement/frmMain").toByteArray(), QByteArray("\x01\x02", 2));
    const SettingsStore store(path);
    QCOMPARE(store.value(settings::kOutageDiameter), 1.5);
    QCOMPARE(store.value(settings::kOutageSpring), true);
}

QTEST_GUILESS_MAIN(TestSettingsStore)
#include "tst_settingsstore.moc"
