#include "../TestSupport.h"
#include "DialogSeam.h"
#include "HelpBinding.h"
#include "LanguageManager.h"
#include "SettingsStore.h"
#include "Unit1.h"
#include "fAbout.h"

#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTimer>
#include <QtTest>

#include <memory>

using namespace skyvane;
using namespace skyvane::testing;

// The help as the main window binds it: the help file found among the data files, its pages in
// the interface language, and the about box's way into it.
class TestHelpWindow : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    std::unique_ptr<TfrmMain> m_window;

private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_dir.filePath(QStringLiteral("data"))));
        qputenv("XDG_CACHE_HOME", QFile::encodeName(m_dir.filePath(QStringLiteral("cache"))));
        const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
        QVERIFY(QDir().mkpath(data));
        QVERIFY(QFile::copy(QStringLiteral(HELP_FILE), data + QStringLiteral("/skyvane.qch")));
        DialogSeam::setMessageHook([](QMessageBox::Icon, const QString&, const QString& text) {
            QFAIL(qPrintable(text));
        });
        TfrmMain::SetDeclinationLibraryName(QStringLiteral("libgeomag_absent_for_this_test"));
        m_window = std::make_unique<TfrmMain>(
            std::make_unique<SettingsStore>(m_dir.filePath(QStringLiteral("settings.ini"))));
        QVERIFY(HelpBinding::Instance());

        // A language with a translation of the windows but no help pages.
        QFile french(m_dir.filePath(QStringLiteral("fr.lng")));
        QVERIFY(french.open(QIODevice::WriteOnly));
        french.write("Author=test\r\nSourceLANGID=1033\r\nLANGID=1036\r\n\r\n");
        french.close();
        QVERIFY(LanguageManager::Instance().RegisterLanguageFile(french.fileName()));
    }
    void cleanupTestCase() {
        m_window.reset();
        DialogSeam::clearHooks();
    }
    void cleanup() {
        LanguageManager::Instance().SetCurrentLanguageId(kLanguageEnglish);
        if (HelpBinding* help = HelpBinding::Instance())
            help->CloseWindows();
    }

    // The rows switch the language of the one running window in turn.
    void topicInTheInterfaceLanguage_data() {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("title");
        QTest::newRow("German") << kLanguageGerman << "/de/topic-105.html"
                                << "Sonnenstörung";
        QTest::newRow("Hungarian") << kLanguageHungarian << "/hu/topic-105.html"
                                   << "Napzavar";
        QTest::newRow("French, without help pages: English") << 1036 << "/topic-105.html"
                                                             << "Sun Outage";
        QTest::newRow("German again after French") << kLanguageGerman << "/de/topic-105.html"
                                                   << "Sonnenstörung";
        QTest::newRow("English") << kLanguageEnglish << "/topic-105.html"
                                 << "Sun Outage";
    }
    void topicInTheInterfaceLanguage() {
        QFETCH(int, language);
        QFETCH(QString, page);
        QFETCH(QString, title);
        LanguageManager::Instance().SetCurrentLanguageId(language);
        QVERIFY(HelpBinding::Instance()->ShowTopic(HelpContext::SunOutage));
        QTextBrowser* viewer = VisibleHelpViewer();
        QVERIFY(viewer);
        QCOMPARE(viewer->source().path(), QStringLiteral("/doc") + page);
        QCOMPARE(viewer->windowTitle(), title);
        QVERIFY(viewer->toPlainText().contains(title));
    }

    void aboutButtonOpensUsableHelp_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("title");
        QTest::newRow("Credits") << "btnCredits"
                                 << "Credits";
        QTest::newRow("License") << "btnLicense"
                                 << "Licence";
    }
    void aboutButtonOpensUsableHelp() {
        QFETCH(QString, button);
        QFETCH(QString, title);
        m_window->show();
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        auto* about = new TfrmAbout(m_window.get());
        m_window->SetAboutBox(about);
        // A box that blocks until it is closed fails below instead of hanging the test.
        QTimer::singleShot(3000, about, &QDialog::reject);
        m_window->mHelpAboutClick();
        QVERIFY2(about->isVisible(), "Help > About returned only once the box was closed");
        QVERIFY(!about->isModal());
        QVERIFY(QTest::qWaitForWindowActive(about));

        about->findChild<QPushButton*>(button)->click();
        QTextBrowser* viewer = VisibleHelpViewer();
        QVERIFY(viewer);
        QCOMPARE(viewer->windowTitle(), title);
        QTRY_COMPARE(QApplication::activeWindow(), viewer);
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
        QVERIFY(viewer->isEnabled());
        QVERIFY(about->isVisible());
        delete about;
    }
};

QTEST_MAIN(TestHelpWindow)
#include "tst_helpwindow.moc"
