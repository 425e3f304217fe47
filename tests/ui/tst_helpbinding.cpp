#include "../TestFiles.h"
#include "../TestSupport.h"
#include "HelpBinding.h"

#include <QApplication>
#include <QLineEdit>
#include <QTextBrowser>
#include <QtTest>

using namespace skyvane;
using namespace skyvane::testing;

class TestHelpBinding : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { delete HelpBinding::Instance(); }
    void missingFileBindsNothing();
    void everyContextHasItsTopic_data();
    void everyContextHasItsTopic();
    void unknownContextOpensNothing();
    void contextComesFromTheNearestWidget();
    void f1OpensTheFocusedWindowsTopic();
    void damagedCacheIsRebuilt_data();
    void damagedCacheIsRebuilt();
    void collectionIsRewrittenOnlyForAChangedHelpFile_data();
    void collectionIsRewrittenOnlyForAChangedHelpFile();
};

void TestHelpBinding::collectionIsRewrittenOnlyForAChangedHelpFile_data() {
    QTest::addColumn<QString>("change");
    QTest::addColumn<bool>("rewritten");
    QTest::newRow("same file") << "none" << false;
    QTest::newRow("file touched") << "touch" << true;
    QTest::newRow("file moved, old one gone") << "move" << true;
}

void TestHelpBinding::collectionIsRewrittenOnlyForAChangedHelpFile() {
    QFETCH(QString, change);
    QFETCH(bool, rewritten);
    const QString collection = QStandardPaths::writableLocation(QStandardPaths::CacheLocation) +
                               QStringLiteral("/skyvane-help.qhc");
    QDir(collection).removeRecursively();
    QFile::remove(collection);
    QTemporaryDir folder;
    QString helpFile = folder.filePath(QStringLiteral("first.qch"));
    QVERIFY(QFile::copy(QStringLiteral(HELP_FILE), helpFile));
    HelpBinding* first = HelpBinding::Create(helpFile);
    QVERIFY(first);
    delete first;
    const QByteArray registered = FileBytes(collection);
    QVERIFY(!registered.isEmpty());

    if (change == QLatin1String("touch")) {
        QFile file(helpFile);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(QDateTime::currentDateTimeUtc().addSecs(-3600),
                                 QFileDevice::FileModificationTime));
    } else if (change == QLatin1String("move")) {
        const QString moved = folder.filePath(QStringLiteral("second.qch"));
        QVERIFY(QFile::rename(helpFile, moved));
        helpFile = moved;
    }
    HelpBinding* help = HelpBinding::Create(helpFile);
    QVERIFY(help);
    QCOMPARE(FileBytes(collection) != registered, rewritten);
    QVERIFY(help->ShowTopic(HelpContext::Licence));
    QTextBrowser* viewer = VisibleHelpViewer();
    QVERIFY(viewer);
    QVERIFY2(!viewer->toPlainText().trimmed().isEmpty(), "the topic's page is empty");
}

void TestHelpBinding::damagedCacheIsRebuilt_data() {
    QTest::addColumn<QByteArray>("cache");
    QTest::addColumn<bool>("folder");
    QTest::newRow("text instead of a database") << QByteArray("not a help collection\n") << false;
    QTest::newRow("database header, then garbage")
        << QByteArray("SQLite format 3\0", 16) + QByteArray(4080, '\x5a') << false;
    QTest::newRow("folder in its place") << QByteArray() << true;
}

void TestHelpBinding::damagedCacheIsRebuilt() {
    QFETCH(QByteArray, cache);
    QFETCH(bool, folder);
    const QString cacheFolder = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    const QString path = cacheFolder + QStringLiteral("/skyvane-help.qhc");
    QDir(path).removeRecursively();
    QFile::remove(path);
    if (folder) {
        QVERIFY(QDir().mkpath(path + QStringLiteral("/inside")));
    } else {
        QVERIFY(QDir().mkpath(cacheFolder));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(cache);
    }

    HelpBinding* help = HelpBinding::Create(QStringLiteral(HELP_FILE));
    QVERIFY(help);
    QCOMPARE(help->TopicTitle(HelpContext::Licence), QStringLiteral("Licence"));
    QCOMPARE(QFileInfo(path).isDir(), folder);
}

void TestHelpBinding::missingFileBindsNothing() {
    QCOMPARE(HelpBinding::Create(QStringLiteral("/nonexistent/skyvane.qch")), nullptr);
    QCOMPARE(HelpBinding::Instance(), nullptr);
}

void TestHelpBinding::everyContextHasItsTopic_data() {
    QTest::addColumn<QString>("language");
    QTest::addColumn<int>("context");
    QTest::addColumn<QString>("title");
    for (const QString language : {"", "de", "hu"}) {
        const QString name = language.isEmpty() ? QStringLiteral("English") : language;
        const auto row = [&name](const char* what) {
            return QStringLiteral("%1, %2").arg(name, QLatin1String(what)).toUtf8();
        };
        QTest::newRow(row("main window").constData())
            << language << 1 << (language.isEmpty() ? "The satellite list" : "");
        QTest::newRow(row("licence").constData())
            << language << 998 << (language.isEmpty() ? "Licence" : "");
        QTest::newRow(row("credits").constData())
            << language << 999 << (language.isEmpty() ? "Credits" : "");
        for (const int context : {102, 103, 104, 105, 106})
            QTest::newRow(qPrintable(QStringLiteral("%1, tool window %2").arg(name).arg(context)))
                << language << context << QString();
    }
}

// Every topic has its page in English and in every translation.
void TestHelpBinding::everyContextHasItsTopic() {
    QFETCH(QString, language);
    QFETCH(int, context);
    QFETCH(QString, title);
    HelpBinding* help = HelpBinding::Create(QStringLiteral(HELP_FILE));
    QVERIFY(help);
    help->SetLanguageSource([language] { return language; });
    QVERIFY2(help->ShowTopic(HelpContext(context)),
             qPrintable(QStringLiteral("context %1").arg(context)));
    QTextBrowser* viewer = VisibleHelpViewer();
    QVERIFY(viewer);
    const QString page = QStringLiteral("topic-%1.html").arg(context);
    QCOMPARE(viewer->source().path(),
             QStringLiteral("/doc/") + (language.isEmpty() ? page : language + '/' + page));
    QVERIFY2(!viewer->toPlainText().trimmed().isEmpty(), "the topic's page is empty");
    if (!title.isEmpty())
        QCOMPARE(help->TopicTitle(HelpContext(context)), title);
}

void TestHelpBinding::unknownContextOpensNothing() {
    HelpBinding* help = HelpBinding::Create(QStringLiteral(HELP_FILE));
    QVERIFY(help);
    QVERIFY(!help->ShowTopic(HelpContext(5)));
    QCOMPARE(help->TopicTitle(HelpContext(5)), QString());
}

void TestHelpBinding::contextComesFromTheNearestWidget() {
    QWidget window;
    HelpBinding::SetHelpContext(&window, HelpContext::Main);
    QWidget panel(&window);
    QLineEdit edit(&panel);
    QCOMPARE(HelpBinding::ContextFor(&edit), HelpContext::Main);
    HelpBinding::SetHelpContext(&panel, HelpContext::WorldMap);
    QCOMPARE(HelpBinding::ContextFor(&edit), HelpContext::WorldMap);
    QCOMPARE(HelpBinding::ContextFor(nullptr), HelpContext::None);
}

void TestHelpBinding::f1OpensTheFocusedWindowsTopic() {
    HelpBinding* help = HelpBinding::Create(QStringLiteral(HELP_FILE));
    QVERIFY(help);
    QWidget window;
    HelpBinding::SetHelpContext(&window, HelpContext::Credits);
    QLineEdit edit(&window);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    edit.setFocus();
    QTest::keyClick(&edit, Qt::Key_F1);
    QTextBrowser* viewer = VisibleHelpViewer();
    QVERIFY2(viewer, "F1 opened no help window");
    QCOMPARE(viewer->windowTitle(), QStringLiteral("Credits"));
}

QTEST_MAIN(TestHelpBinding)
#include "tst_helpbinding.moc"
