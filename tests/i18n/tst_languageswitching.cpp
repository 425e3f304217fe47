#include "Constants.h"
#include "DialogSeam.h"
#include "LanguageFile.h"
#include "LanguageManager.h"
#include "SettingsStore.h"
#include "Unit1.h"

#include <QAction>
#include <QLocale>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace skyvane;

namespace {

enum class Store { None, WithoutLanguage, WithLanguage };

// The text a built-in translation gives to an entry of the main window.
QString BuiltInMainText(int languageId, int number) {
    if (languageId == kLanguageEnglish)
        return {};
    const QString resource = languageId == kLanguageGerman ? QStringLiteral("RC_LANG_GERMAN")
                                                           : QStringLiteral("RC_LANG_HUNGARIAN");
    return ReadLanguageFileAt(BuiltInLanguagePath(resource))
        .entryText(QStringLiteral("frmMain"), number)
        .value_or(QString());
}

QString ToolkitText() {
    return QCoreApplication::translate("QFileDialog", "Look in:");
}

QString MnemonicLetter(const QString& caption) {
    const qsizetype at = caption.indexOf(QLatin1Char('&'));
    return at >= 0 && at + 1 < caption.size() ? caption.mid(at + 1, 1).toLower() : QString();
}

QAction* CheckedItem(QMenu* menu) {
    for (QAction* item : menu->actions())
        if (item->isChecked())
            return item;
    return nullptr;
}

QAction* ItemOf(QMenu* menu, int languageId) {
    for (QAction* item : menu->actions())
        if (item->data().toInt() == languageId)
            return item;
    return nullptr;
}

} // namespace

Q_DECLARE_METATYPE(Store)

class TestLanguageSwitching : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QLocale m_savedLocale;

    QString StorePath() const { return m_dir->filePath(QStringLiteral("settings.ini")); }

    std::unique_ptr<TfrmMain> CreateWindow() {
        return std::make_unique<TfrmMain>(std::make_unique<SettingsStore>(StorePath()));
    }

private slots:
    void initTestCase() {
        DialogSeam::setMessageHook([](QMessageBox::Icon, const QString&, const QString&) {});
        TfrmMain::SetDeclinationLibraryName(QStringLiteral("libgeomag_absent_for_this_test"));
    }

    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        LanguageManager::Instance().Reset();
    }

    void cleanup() { QLocale::setDefault(m_savedLocale); }

    void startLanguage_data() {
        QTest::addColumn<QLocale>("system");
        QTest::addColumn<Store>("store");
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("expected");
        const QLocale german(QLocale::German, QLocale::Germany);
        const QLocale hungarian(QLocale::Hungarian, QLocale::Hungary);
        const QLocale french(QLocale::French, QLocale::France);
        QTest::newRow("first start on a German system is English")
            << german << Store::None << 0 << 1033;
        QTest::newRow("store without languageID, German system")
            << german << Store::WithoutLanguage << 0 << 1031;
        QTest::newRow("store without languageID, Hungarian system")
            << hungarian << Store::WithoutLanguage << 0 << 1038;
        QTest::newRow("store without languageID, French system")
            << french << Store::WithoutLanguage << 0 << 1033;
        QTest::newRow("stored Hungarian on a German system")
            << german << Store::WithLanguage << 1038 << 1038;
        QTest::newRow("stored language nobody registered is English")
            << german << Store::WithLanguage << 1049 << 1033;
    }

    void startLanguage() {
        QFETCH(const QLocale, system);
        QFETCH(const Store, store);
        QFETCH(const int, stored);
        QFETCH(const int, expected);
        if (store != Store::None) {
            SettingsStore settings(StorePath());
            settings.writeInt(QStringLiteral("magneticDeclination"), 0);
            if (store == Store::WithLanguage)
                settings.writeInt(QStringLiteral("languageID"), stored);
            QVERIFY(settings.sync());
        }
        QLocale::setDefault(system);
        const auto window = CreateWindow();
        QCOMPARE(window->LanguageId(), expected);
        QAction* checked = CheckedItem(window->mFileSwitchLanguage);
        QVERIFY(checked);
        QCOMPARE(checked->data().toInt(), expected);
        const QString calc = BuiltInMainText(expected, 5);
        QCOMPARE(window->btnGo->text(), calc.isEmpty() ? QStringLiteral("&Calc") : calc);
        QCOMPARE(window->windowTitle(), QStringLiteral("quor's Skyvane"));
    }

    void menuLists_threeLanguages() {
        const auto window = CreateWindow();
        const QList<QAction*> items = window->mFileSwitchLanguage->actions();
        QCOMPARE(items.size(), 3);
        QCOMPARE(items[0]->text(), QStringLiteral("English (United States)"));
        QCOMPARE(items[1]->text(), QStringLiteral("German (Germany)"));
        QCOMPARE(items[2]->text(), QStringLiteral("Hungarian (Hungary)"));
        QVERIFY(items[0]->isChecked());
    }

    void switchFromMenu_data() {
        QTest::addColumn<int>("languageId");
        QTest::addColumn<QString>("eastLetter");
        QTest::newRow("German") << 1031 << QStringLiteral("O");
        QTest::newRow("Hungarian") << 1038 << QStringLiteral("K");
    }

    void switchFromMenu() {
        QFETCH(const int, languageId);
        QFETCH(const QString, eastLetter);
        const auto window = CreateWindow();
        window->edLat->setText(QStringLiteral("47.16"));
        ItemOf(window->mFileSwitchLanguage, languageId)->trigger();

        QCOMPARE(window->LanguageId(), languageId);
        QCOMPARE(window->btnGo->text(), BuiltInMainText(languageId, 5));
        QCOMPARE(window->lblLatitude->text(), BuiltInMainText(languageId, 10));
        // On the ignore list, and set back by the window's own handler.
        QCOMPARE(window->windowTitle(), QStringLiteral("quor's Skyvane"));
        QCOMPARE(window->edLat->text(), QStringLiteral("47.16"));

        // The list was rebuilt with the new hemisphere letters.
        QVERIFY(window->GridView1->gridRowCount() > 0);
        int eastRows = 0;
        for (int row = 0; row < window->GridView1->gridRowCount(); ++row) {
            const QString position = window->GridView1->cellText(row, 0);
            QVERIFY2(!position.endsWith(QStringLiteral(" E")), qPrintable(position));
            eastRows += position.endsWith(QLatin1Char(' ') + eastLetter) ? 1 : 0;
        }
        QVERIFY(eastRows > 0);
        QCOMPARE(window->StatusBar1->currentMessage(),
                 FormatConstant(Constant::SatTheoreticallyVisible,
                                {QString::number(window->GridView1->gridRowCount())}));
        // The toolkit's own dialogs speak the language too.
        QVERIFY(ToolkitText() != QLatin1String("Look in:"));
        // Alt and a letter reaches exactly one button or menu of the window.
        QStringList letters;
        for (const QString& caption :
             {window->btnGo->text(), window->btnEarthmap->text(), window->btnLocDatabase->text(),
              window->mFile->title(), window->mTools->title(), window->mHelp->title()})
            if (const QString letter = MnemonicLetter(caption); !letter.isEmpty()) {
                QVERIFY2(!letters.contains(letter), qPrintable(caption));
                letters << letter;
            }

        for (const QMenu* menu : {window->mFile, window->mTools, window->mHelp})
            QVERIFY2(!MnemonicLetter(menu->title()).isEmpty(), qPrintable(menu->title()));

        ItemOf(window->mFileSwitchLanguage, 1033)->trigger();
        QCOMPARE(window->btnGo->text(), QStringLiteral("&Calc"));
        QCOMPARE(ToolkitText(), QStringLiteral("Look in:"));
        QCOMPARE(CheckedItem(window->mFileSwitchLanguage)->data().toInt(), 1033);
    }

    void saveSettingsWritesCurrentLanguage() {
        const auto window = CreateWindow();
        ItemOf(window->mFileSwitchLanguage, 1038)->trigger();
        window->SaveSettings();
        QCOMPARE(SettingsStore(StorePath()).readInt(QStringLiteral("languageID")), 1038);
    }
};

QTEST_MAIN(TestLanguageSwitching)
#include "tst_languageswitching.moc"
