#include "../TestFiles.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using skyvane::testing::FileBytes;

namespace {

struct Run {
    int status = -1;
    QByteArray out;
    QString errors;
};

// The program without a display, as a script or a cron job starts it.
Run RunProgram(const QStringList& arguments) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(name));
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(SKYVANE_PROGRAM), arguments);
    Run run;
    if (!program.waitForFinished(30000) || program.exitStatus() != QProcess::NormalExit)
        return run;
    run.status = program.exitCode();
    run.out = program.readAllStandardOutput();
    run.errors = QString::fromLocal8Bit(program.readAllStandardError());
    return run;
}

} // namespace

class TestCommandLine : public QObject {
    Q_OBJECT

private slots:
    void answeredWithoutDisplay_data();
    void answeredWithoutDisplay();
    void listMatchesTheWindowsExport_data();
    void listMatchesTheWindowsExport();
    void badArgumentsAreRefused_data();
    void badArgumentsAreRefused();
    void sunOutageTableAndCalendar();
};

// The list of a site is the file the main window's export writes for it.
void TestCommandLine::listMatchesTheWindowsExport_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("golden");
    const QString catalogue = QStringLiteral(CATALOGUE);
    QTest::newRow("csv, 47.16 N 16.16 E")
        << QStringList{"--site", "47.16N,16.16E", "--list", "--catalogue", catalogue}
        << QStringLiteral(MAIN_GOLDEN "/main_list_en.csv");
    QTest::newRow("html, 47.16 N 16.16 E")
        << QStringList{"--list", "html", "--site", "47.16 N, 16.16 E", "--catalogue", catalogue}
        << QStringLiteral(MAIN_GOLDEN "/main_list_en.html");
    QTest::newRow("csv, 47.16 N 16.16 E in degrees, minutes and seconds")
        << QStringList{"--site", "47°09'36\"N,16°09'36\"E", "--list", "--catalogue", catalogue}
        << QStringLiteral(MAIN_GOLDEN "/main_list_en.csv");
    QTest::newRow("csv, Sydney in signed degrees")
        << QStringList{"--site", "-33.87,151.21", "--list", "csv", "--catalogue", catalogue}
        << QStringLiteral(APP_GOLDEN "/list_sydney.csv");
}

void TestCommandLine::listMatchesTheWindowsExport() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, golden);
    const Run printed = RunProgram(arguments);
    QVERIFY2(printed.status == 0, qPrintable(printed.errors));
    QCOMPARE(printed.out, FileBytes(golden));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("list"));
    const Run written = RunProgram(arguments + QStringList{"--out", path});
    QCOMPARE(written.status, 0);
    QVERIFY(written.out.isEmpty());
    QCOMPARE(FileBytes(path), FileBytes(golden));
}

void TestCommandLine::badArgumentsAreRefused_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("said");
    QTest::newRow("no site") << QStringList{"--list"} << 2 << "--site";
    QTest::newRow("latitude beyond the pole")
        << QStringList{"--site", "95N,1E", "--list"} << 2 << "'95N,1E' is no site";
    QTest::newRow("a sign and a hemisphere")
        << QStringList{"--site", "-47N,1E", "--list"} << 2 << "is no site";
    QTest::newRow("unknown format")
        << QStringList{"--site", "1,1", "--list", "xml"} << 2 << "csv, html or json";
    QTest::newRow("list and sun outage")
        << QStringList{"--site", "1,1", "--list", "--sun-outage", "19.2E"} << 2 << "not both";
    QTest::newRow("no position") << QStringList{"--site", "1,1", "--sun-outage", "east"} << 2
                                 << "no orbital position";
    QTest::newRow("zero diameter")
        << QStringList{"--site", "1,1", "--sun-outage", "19.2E", "--diameter", "0"} << 2
        << "--diameter";
    QTest::newRow("unknown season")
        << QStringList{"--site", "1,1", "--sun-outage", "19.2E", "--season", "winter"} << 2
        << "spring or fall";
    QTest::newRow("site not in the site book")
        << QStringList{"--site-book", "Nowhere", "--list"} << 2 << "no site 'Nowhere'";
    QTest::newRow("catalogue missing")
        << QStringList{"--site", "1,1", "--list", "--catalogue", "/nonexistent/satpos.dat"} << 1
        << "/nonexistent/satpos.dat";
}

void TestCommandLine::badArgumentsAreRefused() {
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, said);
    const Run run = RunProgram(arguments);
    QCOMPARE(run.status, status);
    QVERIFY(run.out.isEmpty());
    QVERIFY2(run.errors.contains(said), qPrintable(run.errors));
}

// One satellite's outages as a table and as a calendar of the same days.
void TestCommandLine::sunOutageTableAndCalendar() {
    QTemporaryDir dir;
    const QString table = dir.filePath(QStringLiteral("outages.csv"));
    const QString calendar = dir.filePath(QStringLiteral("outages.ics"));
    const Run run = RunProgram({"--site", "47.16N,16.16E", "--sun-outage", "19.2E", "--year",
                                "2000", "--out", table, "--ics", calendar});
    QVERIFY2(run.status == 0, qPrintable(run.errors));
    const QList<QByteArray> lines = FileBytes(table).trimmed().split('\n');
    QCOMPARE(lines.first(), QByteArray("Date;Start (UTC);End (UTC);Duration\r"));
    // The hold-out table of spring 2000, C band, 3.6 m: five days from 29 February.
    QCOMPARE(lines.size(), 6);
    QCOMPARE(lines.value(1), QByteArray("2000-02-29;10:51:23;10:57:13;00:05:50\r"));
    QCOMPARE(FileBytes(calendar).count("BEGIN:VEVENT"), lines.size() - 1);
}

void TestCommandLine::answeredWithoutDisplay_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("said");
    QTest::newRow("unknown option") << QStringList{"--bogus"} << 2 << "Unknown option 'bogus'";
    QTest::newRow("help names the batch options") << QStringList{"--help"} << 0 << "--sun-outage";
    QTest::newRow("unknown option after a toolkit option")
        << QStringList{"-style", "fusion", "--bogus"} << 2 << "Unknown option 'bogus'";
    QTest::newRow("version") << QStringList{"--version"} << 0 << "skyvane";
    QTest::newRow("version after a toolkit option")
        << QStringList{"-platform", "offscreen", "--version"} << 0 << "skyvane";
}

void TestCommandLine::answeredWithoutDisplay() {
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, said);
    const Run run = RunProgram(arguments);
    const QString output = QString::fromLocal8Bit(run.out) + run.errors;
    QCOMPARE(run.status, status);
    QVERIFY2(output.contains(said), qPrintable(output));
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
