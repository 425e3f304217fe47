#include <QProcess>
#include <QTest>

class TestCommandLine : public QObject {
    Q_OBJECT

private slots:
    void answeredWithoutDisplay_data();
    void answeredWithoutDisplay();
};

void TestCommandLine::answeredWithoutDisplay_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("said");
    QTest::newRow("unknown option") << QStringList{"--bogus"} << 1 << "Unknown option 'bogus'";
    QTest::newRow("unknown option after a toolkit option")
        << QStringList{"-style", "fusion", "--bogus"} << 1 << "Unknown option 'bogus'";
    QTest::newRow("version") << QStringList{"--version"} << 0 << "skyvane";
    QTest::newRow("version after a toolkit option")
        << QStringList{"-platform", "offscreen", "--version"} << 0 << "skyvane";
}

void TestCommandLine::answeredWithoutDisplay() {
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, said);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(name));
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(SKYVANE_PROGRAM), arguments);
    QVERIFY(program.waitForFinished(30000));
    const QString output =
        QString::fromLocal8Bit(program.readAllStandardOutput() + program.readAllStandardError());
    QVERIFY2(program.exitStatus() == QProcess::NormalExit, qPrintable(output));
    QCOMPARE(program.exitCode(), status);
    QVERIFY2(output.contains(said), qPrintable(output));
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
