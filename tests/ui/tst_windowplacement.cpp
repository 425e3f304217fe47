#include "SettingsStore.h"
#include "WindowPlacement.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTest>
#include <QWidget>

#include <sys/stat.h>

using namespace skyvane;

namespace {

QString UserStorePath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/quors_skyvane/skyvane.ini");
}

} // namespace

class TestWindowPlacement : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { QFile::remove(UserStorePath()); }
    void sizeKeptBetweenRuns();
    void storeThatIsNoFileIsLeftAlone();
};

void TestWindowPlacement::sizeKeptBetweenRuns() {
    {
        QWidget window;
        new WindowPlacement(&window, QStringLiteral("frmTest"));
        window.show();
        window.resize(321, 234);
        window.hide();
    }
    QVERIFY(SettingsStore().read(settings::WindowPlacementOf(QStringLiteral("frmTest"))));
    QWidget again;
    new WindowPlacement(&again, QStringLiteral("frmTest"));
    again.show();
    QCOMPARE(again.size(), QSize(321, 234));
}

void TestWindowPlacement::storeThatIsNoFileIsLeftAlone() {
    // Opening a FIFO for reading waits for a writer that never comes.
    QVERIFY(QDir().mkpath(QFileInfo(UserStorePath()).path()));
    QVERIFY(mkfifo(QFile::encodeName(UserStorePath()).constData(), 0600) == 0);
    QWidget window;
    new WindowPlacement(&window, QStringLiteral("frmTest"));
    window.show();
    window.hide();
    QVERIFY(!QFileInfo(UserStorePath()).isFile());
}

QTEST_MAIN(TestWindowPlacement)
#include "tst_windowplacement.moc"
