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

QTEST_GUILESS_MAIN(TestSettingsStore)
#include "tst_settingsstore.moc"
