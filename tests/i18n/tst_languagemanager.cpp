#include "Constants.h"
#include "DialogSeam.h"
#include "GridView.h"
#include "LanguageController.h"
#include "LanguageManager.h"
#include "SaveDialogSettings.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QVBoxLayout>

#include <memory>
#include <stdexcept>

#include <sys/stat.h>

using namespace skyvane;

namespace {

using NamedFiles = QList<QPair<QString, QByteArray>>;

const WindowTranslation& TestTranslation() {
    static const WindowTranslation table{
        "frmTest",
        {
            {1, "", "Caption", "Test window"},
            {2, "lblLongitude", "Caption", "Longitude"},
            {3, "btnGo", "Caption", "&Calc"},
            {4, "mFile", "Caption", "&File"},
            {5, "mFileQuit", "Caption", "&Quit"},
            {6, "colAzimuth", "Header.Caption", "Azimuth"},
            {7, "colAzimuth", "TextAfter", "\u00b0"},
            {8, "lblMagDev", "Caption", "-"},
            {9, "SaveDialogHTML", "Filter", "HTML (*.html)|*.html"},
            {10, "LabelNote", "Caption", "Note"},
            {11, "lblGone", "Caption", "Not on the window"},
        },
        {"*.Font.Name", "lblMagDev.*", "Label*"},
    };
    return table;
}

// A window with one control of every kind the language files reach, and a tool window of its
// own that holds a label of the same name as one of the window's.
struct TestWindow {
    std::unique_ptr<QWidget> window = std::make_unique<QWidget>();
    QLabel* lblLongitude = nullptr;
    QLabel* lblMagDev = nullptr;
    QLabel* LabelNote = nullptr;
    QPushButton* btnGo = nullptr;
    QMenu* mFile = nullptr;
    QAction* mFileQuit = nullptr;
    GridView* grid = nullptr;
    SaveDialogSettings* saveDialog = nullptr;
    QLabel* ownedWindowLabel = nullptr;
    LanguageController* controller = nullptr;
    QStringList events; // what the language-change handler saw, in order

    explicit TestWindow(const QString& name = QStringLiteral("frmTest")) {
        window->setObjectName(name);
        window->setWindowTitle(QStringLiteral("Test window"));
        auto* layout = new QVBoxLayout(window.get());
        auto* menuBar = new QMenuBar(window.get());
        mFile = menuBar->addMenu(QStringLiteral("&File"));
        mFile->setObjectName(QStringLiteral("mFile"));
        mFileQuit = mFile->addAction(QStringLiteral("&Quit"));
        mFileQuit->setObjectName(QStringLiteral("mFileQuit"));
        layout->setMenuBar(menuBar);
        lblLongitude =
            AddLabel(layout, QStringLiteral("lblLongitude"), QStringLiteral("Longitude"));
        lblMagDev = AddLabel(layout, QStringLiteral("lblMagDev"), QStringLiteral("-"));
        LabelNote = AddLabel(layout, QStringLiteral("LabelNote"), QStringLiteral("Note"));
        btnGo = new QPushButton(QStringLiteral("&Calc"), window.get());
        btnGo->setObjectName(QStringLiteral("btnGo"));
        layout->addWidget(btnGo);
        grid = new GridView(window.get());
        grid->addColumn(
                {QStringLiteral("colAzimuth"), -1, Qt::AlignRight, QStringLiteral("\u00b0")})
            ->setCaption(QStringLiteral("Azimuth"));
        layout->addWidget(grid);
        saveDialog =
            new SaveDialogSettings(QStringLiteral("SaveDialogHTML"), QStringLiteral("*.html"),
                                   QStringLiteral("HTML (*.html)|*.html"), window.get());
        auto* ownedWindow = new QWidget(window.get(), Qt::Window);
        ownedWindowLabel = new QLabel(QStringLiteral("Owned"), ownedWindow);
        ownedWindowLabel->setObjectName(QStringLiteral("lblLongitude"));
    }

    QLabel* AddLabel(QVBoxLayout* layout, const QString& name, const QString& text) {
        auto* label = new QLabel(text, window.get());
        label->setObjectName(name);
        layout->addWidget(label);
        return label;
    }

    void Join() {
        controller = new LanguageController(window.get(), TestTranslation(), [this] {
            events.append(QStringLiteral("handler saw ") + lblLongitude->text());
        });
    }

    QString headerCaption() const {
        return grid->columnByName(QStringLiteral("colAzimuth"))->header()->caption();
    }
    QString textAfter() const {
        return grid->columnByName(QStringLiteral("colAzimuth"))->textAfter();
    }
};

QByteArray LanguageFileBytes(int languageId, const QStringList& body) {
    QStringList lines{QStringLiteral("Author=test"), QStringLiteral("SourceLANGID=1033"),
                      QStringLiteral("LANGID=%1").arg(languageId), QString()};
    lines.append(body);
    return lines.join(QStringLiteral("\r\n")).toLatin1() + "\r\n";
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(path));
    file.write(bytes);
}

const QStringList kFrenchTest{
    QStringLiteral("[frmTest]"),
    QStringLiteral("00000001=Fenetre d'essai"),
    QStringLiteral("00000002=Longitude FR"),
    QStringLiteral("00000003=&Calculer"),
    QStringLiteral("00000004=&Fichier"),
    QStringLiteral("00000005=&Quitter"),
    QStringLiteral("00000006=Azimut FR"),
    QStringLiteral("00000007=deg"),
    QStringLiteral("00000008=changed"),
    QStringLiteral("00000009=Pages (*.html)|*.html"),
    QStringLiteral("00000010=changed"),
    QString(),
    QStringLiteral("[$CONSTANTS]"),
    QStringLiteral("constWestShort=Ou"),
};

// A second translation that lacks entry 3 and the constant constWestShort.
const QStringList kSpanishTest{
    QStringLiteral("[frmTest]"),    QStringLiteral("00000002=Longitud"), QString(),
    QStringLiteral("[$CONSTANTS]"), QStringLiteral("constEastShort=Es"),
};

} // namespace

class TestLanguageManager : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString m_french;
    QString m_spanish;
    LanguageManager& manager = LanguageManager::Instance();

    void RegisterTestLanguages() {
        manager.RegisterBuiltInLanguage(QStringLiteral("RC_LANG_GERMAN"), kLanguageGerman);
        QVERIFY(manager.RegisterLanguageFile(m_french));
        QVERIFY(manager.RegisterLanguageFile(m_spanish));
    }

private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        m_french = m_dir.filePath(QStringLiteral("french.lng"));
        m_spanish = m_dir.filePath(QStringLiteral("spanish.lng"));
        WriteFile(m_french, LanguageFileBytes(1036, kFrenchTest));
        WriteFile(m_spanish, LanguageFileBytes(3082, kSpanishTest));
    }

    void init() {
        manager.Reset();
        DialogSeam::clearHooks();
    }

    // ---- the language list and the menu ------------------------------------------------------

    void menuWithoutTranslationFolder() {
        QTemporaryDir programDir;
        RegisterStartupLanguages(programDir.path());
        QMenu menu;
        QWidget parent;
        BuildLanguageMenu(&menu, &parent);
        const QList<QAction*> items = menu.actions();
        QCOMPARE(items.size(), 3);
        QCOMPARE(items[0]->text(), QStringLiteral("English (United States)"));
        QCOMPARE(items[1]->text(), QStringLiteral("German (Germany)"));
        QCOMPARE(items[2]->text(), QStringLiteral("Hungarian (Hungary)"));
        QCOMPARE(items[0]->data().toInt(), 1033);
        QCOMPARE(items[1]->data().toInt(), 1031);
        QCOMPARE(items[2]->data().toInt(), 1038);
        QVERIFY(items[0]->isChecked());
        QVERIFY(!items[1]->isChecked() && !items[2]->isChecked());
    }

    void menuSwitchChecksItemAndReportsErrors() {
        QTemporaryDir programDir;
        RegisterStartupLanguages(programDir.path());
        QMenu menu;
        QWidget parent;
        BuildLanguageMenu(&menu, &parent);
        QList<QString> messages;
        DialogSeam::setMessageHook(
            [&](QMessageBox::Icon icon, const QString&, const QString& text) {
                QCOMPARE(icon, QMessageBox::Critical);
                messages.append(text);
            });
        menu.actions()[2]->trigger();
        QCOMPARE(manager.CurrentLanguageId(), 1038);
        QVERIFY(menu.actions()[2]->isChecked());
        QVERIFY(messages.isEmpty());

        const QString broken = programDir.filePath(QStringLiteral("broken.lng"));
        WriteFile(broken, LanguageFileBytes(1031, {QStringLiteral("[frmTest]"),
                                                   QStringLiteral("00000001=a"),
                                                   QStringLiteral("00000001=b")}));
        QVERIFY(manager.RegisterLanguageFile(broken));
        menu.actions()[1]->trigger();
        QCOMPARE(manager.CurrentLanguageId(), 1038);
        QVERIFY2(menu.actions()[2]->isChecked(), "the language in use stays checked");
        QVERIFY(!menu.actions()[1]->isChecked());
        QCOMPARE(messages.size(), 1);
        QVERIFY2(messages[0].startsWith(QStringLiteral("Loading translations failed.\nLine 6: ")),
                 qPrintable(messages[0]));
    }

    void scanFolder_data() {
        QTest::addColumn<NamedFiles>("files");
        QTest::addColumn<int>("accepted");
        QTest::addColumn<QList<int>>("languages");
        const QByteArray german = LanguageFileBytes(1031, {QStringLiteral("[frmTest]")});
        QTest::newRow("German file replaces the built-in German in its place")
            << NamedFiles{{QStringLiteral("de.lng"), german}} << 1 << QList<int>{1033, 1031, 1038};
        QTest::newRow("English file is accepted without effect")
            << NamedFiles{{QStringLiteral("en.lng"), LanguageFileBytes(1033, {})}} << 1
            << QList<int>{1033, 1031, 1038};
        QTest::newRow("file without LANGID is rejected")
            << NamedFiles{{QStringLiteral("none.lng"), QByteArray("Author=x\r\n\r\n[frmTest]\r\n")}}
            << 0 << QList<int>{1033, 1031, 1038};
        QTest::newRow("LANGID 0 is rejected")
            << NamedFiles{{QStringLiteral("zero.lng"), LanguageFileBytes(0, {})}} << 0
            << QList<int>{1033, 1031, 1038};
        QTest::newRow("new language follows the built-in ones")
            << NamedFiles{{QStringLiteral("fr.lng"), LanguageFileBytes(1036, {})}} << 1
            << QList<int>{1033, 1031, 1038, 1036};
        QTest::newRow("other extensions are not language files")
            << NamedFiles{{QStringLiteral("fr.txt"), LanguageFileBytes(1036, {})}} << 0
            << QList<int>{1033, 1031, 1038};
    }

    void scanFolder() {
        QFETCH(const NamedFiles, files);
        QFETCH(const int, accepted);
        QFETCH(const QList<int>, languages);
        QTemporaryDir programDir;
        const QString folder = programDir.filePath(QStringLiteral("Translation"));
        QVERIFY(QDir().mkpath(folder + QStringLiteral("/sub")));
        for (const auto& [name, bytes] : files)
            WriteFile(folder + QLatin1Char('/') + name, bytes);
        // Subfolders are not searched.
        WriteFile(folder + QStringLiteral("/sub/it.lng"), LanguageFileBytes(1040, {}));

        manager.RegisterBuiltInLanguage(QStringLiteral("RC_LANG_GERMAN"), kLanguageGerman);
        manager.RegisterBuiltInLanguage(QStringLiteral("RC_LANG_HUNGARIAN"), kLanguageHungarian);
        QCOMPARE(manager.ScanFolder(folder, QStringLiteral("*.lng"), false), accepted);
        QList<int> registered;
        for (int index = 0; index < manager.LanguageCount(); ++index)
            registered.append(manager.LanguageIdAt(index));
        QCOMPARE(registered, languages);
    }

    // Whatever lands in the folder, the scan neither blocks nor reads more than a header.
    void scanFolderSkipsWhatIsNoRegularFile_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("accepted");
        QTest::newRow("link to a FIFO") << "fifo" << 0;
        QTest::newRow("link to a language file") << "link" << 1;
        QTest::newRow("terabyte file after a short header") << "huge" << 1;
    }

    void scanFolderSkipsWhatIsNoRegularFile() {
        QFETCH(const QString, kind);
        QFETCH(const int, accepted);
        QTemporaryDir dir;
        const QString folder = dir.filePath(QStringLiteral("Translation"));
        const QString outside = dir.filePath(QStringLiteral("outside"));
        const QString entry = folder + QStringLiteral("/x.lng");
        QVERIFY(QDir().mkpath(folder));
        const QByteArray french = LanguageFileBytes(1036, kFrenchTest);
        if (kind == QLatin1String("fifo"))
            QVERIFY(::mkfifo(QFile::encodeName(outside).constData(), 0600) == 0);
        else
            WriteFile(kind == QLatin1String("huge") ? entry : outside, french);
        if (kind == QLatin1String("huge") && !QFile(entry).resize(qint64(1) << 40))
            QSKIP("the file system holds no sparse terabyte file");
        if (kind != QLatin1String("huge"))
            QVERIFY(QFile::link(outside, entry));
        QCOMPARE(manager.ScanFolder(folder, QStringLiteral("*.lng"), false), accepted);
    }

    void translationFolderFileReplacesGerman() {
        QTemporaryDir programDir;
        const QString folder = programDir.filePath(QStringLiteral("Translation"));
        QVERIFY(QDir().mkpath(folder));
        WriteFile(folder + QStringLiteral("/de.lng"),
                  LanguageFileBytes(1031, {QStringLiteral("[frmTest]"),
                                           QStringLiteral("00000002=L\xe4nge aus der Datei")}));
        RegisterStartupLanguages(programDir.path());
        TestWindow window;
        window.Join();
        manager.SetCurrentLanguageId(1031);
        QCOMPARE(window.lblLongitude->text(), QStringLiteral("L\u00e4nge aus der Datei"));
        QCOMPARE(manager.LanguageCount(), 3);
    }

    // ---- switching -----------------------------------------------------------------------------

    void switchSetsTextsThenRunsHandler() {
        RegisterTestLanguages();
        TestWindow window;
        window.Join();
        manager.SetCurrentLanguageId(1036);
        QCOMPARE(manager.CurrentLanguageId(), 1036);
        QCOMPARE(window.window->windowTitle(), QStringLiteral("Fenetre d'essai"));
        QCOMPARE(window.btnGo->text(), QStringLiteral("&Calculer"));
        QCOMPARE(window.mFile->title(), QStringLiteral("&Fichier"));
        QCOMPARE(window.mFileQuit->text(), QStringLiteral("&Quitter"));
        QCOMPARE(window.headerCaption(), QStringLiteral("Azimut FR"));
        QCOMPARE(window.textAfter(), QStringLiteral("deg"));
        QCOMPARE(window.saveDialog->filter(), QStringLiteral("Pages (*.html)|*.html"));
        QCOMPARE(window.ownedWindowLabel->text(), QStringLiteral("Owned"));
        QCOMPARE(window.events, QStringList{QStringLiteral("handler saw Longitude FR")});

        manager.SetCurrentLanguageId(1033);
        QCOMPARE(window.lblLongitude->text(), QStringLiteral("Longitude"));
        QCOMPARE(window.headerCaption(), QStringLiteral("Azimuth"));
        QCOMPARE(window.textAfter(), QStringLiteral("\u00b0"));
        QCOMPARE(window.saveDialog->filter(), QStringLiteral("HTML (*.html)|*.html"));
        QCOMPARE(window.events.size(), 2);
    }

    void ignoredPropertiesStayUntouched() {
        RegisterTestLanguages();
        TestWindow window;
        window.Join();
        window.lblMagDev->setText(QStringLiteral("2.5\u00b0 E"));
        manager.SetCurrentLanguageId(1036);
        QCOMPARE(window.lblMagDev->text(), QStringLiteral("2.5\u00b0 E"));
        QCOMPARE(window.LabelNote->text(), QStringLiteral("Note"));
        manager.SetCurrentLanguageId(1033);
        QCOMPARE(window.lblMagDev->text(), QStringLiteral("2.5\u00b0 E"));
    }

    void switchToCurrentLanguageDoesNothing_data() {
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("again");
        QTest::newRow("English again") << 1033 << 1033;
        QTest::newRow("French again") << 1036 << 1036;
        QTest::newRow("unregistered language while English") << 1033 << 1049;
    }

    void switchToCurrentLanguageDoesNothing() {
        QFETCH(const int, first);
        QFETCH(const int, again);
        RegisterTestLanguages();
        TestWindow window;
        window.Join();
        manager.SetCurrentLanguageId(first);
        const QStringList before = window.events;
        window.lblLongitude->setText(QStringLiteral("set by the program"));
        manager.SetCurrentLanguageId(again);
        QCOMPARE(window.events, before);
        QCOMPARE(window.lblLongitude->text(), QStringLiteral("set by the program"));
    }

    void missingEntriesAndConstantsFallBack_data() {
        QTest::addColumn<QList<int>>("switches");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("east");
        QTest::addColumn<QString>("west");
        QTest::newRow("from English: English for what the file lacks")
            << QList<int>{3082} << QStringLiteral("&Calc") << QStringLiteral("Es")
            << QStringLiteral("W");
        QTest::newRow("between two translations: the previous language's constants")
            << QList<int>{1036, 3082} << QStringLiteral("&Calc") << QStringLiteral("Es")
            << QStringLiteral("Ou");
        QTest::newRow("back to English: every constant built-in again")
            << QList<int>{1036, 3082, 1033} << QStringLiteral("&Calc") << QStringLiteral("E")
            << QStringLiteral("W");
    }

    void missingEntriesAndConstantsFallBack() {
        QFETCH(const QList<int>, switches);
        QFETCH(const QString, button);
        QFETCH(const QString, east);
        QFETCH(const QString, west);
        RegisterTestLanguages();
        TestWindow window;
        window.Join();
        for (int languageId : switches)
            manager.SetCurrentLanguageId(languageId);
        QCOMPARE(window.btnGo->text(), button);
        QCOMPARE(ConstantText(Constant::EastShort), east);
        QCOMPARE(ConstantText(Constant::WestShort), west);
    }

    // Texts read without a window: the current language's, else the table's English.
    void translatedTextWithoutAWindow_data() {
        QTest::addColumn<int>("language");
        QTest::addColumn<int>("entry");
        QTest::addColumn<QString>("text");
        QTest::newRow("English") << 1033 << 2 << "Longitude";
        QTest::newRow("translated") << 1036 << 2 << "Longitude FR";
        QTest::newRow("translation lacks the entry") << 3082 << 3 << "&Calc";
        QTest::newRow("entry on no control") << 1036 << 10 << "changed";
    }

    void translatedTextWithoutAWindow() {
        QFETCH(int, language);
        QFETCH(int, entry);
        QFETCH(QString, text);
        RegisterTestLanguages();
        manager.SetCurrentLanguageId(language);
        QCOMPARE(TranslatedText(TestTranslation(), entry), text);
        QVERIFY_THROWS_EXCEPTION(std::logic_error, TranslatedText(TestTranslation(), 12));
    }

    void unreadableTranslationLeavesPreviousLanguage_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("reason");
        QTest::newRow("repeated entry number")
            << LanguageFileBytes(1040, {QStringLiteral("[frmTest]"), QStringLiteral("00000002=a"),
                                        QStringLiteral("00000002=b")})
            << QStringLiteral("Duplicate property value translation ID (2)");
        QTest::newRow("constant name that is no identifier")
            << LanguageFileBytes(1040, {QStringLiteral("[$CONSTANTS]"), QStringLiteral("1st=x")})
            << QStringLiteral("Invalid constant name (\"1st\")");
        QTest::newRow("file removed after the start") << QByteArray() << QString();
    }

    void unreadableTranslationLeavesPreviousLanguage() {
        QFETCH(const QByteArray, bytes);
        QFETCH(const QString, reason);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("bad.lng"));
        WriteFile(path, bytes.isEmpty() ? LanguageFileBytes(1040, {}) : bytes);
        RegisterTestLanguages();
        QVERIFY(manager.RegisterLanguageFile(path));
        if (bytes.isEmpty())
            QVERIFY(QFile::remove(path));
        TestWindow window;
        window.Join();
        manager.SetCurrentLanguageId(1036);

        QString message;
        try {
            manager.SetCurrentLanguageId(1040);
        } catch (const LanguageFileError& error) {
            message = QString::fromUtf8(error.what());
        }
        QVERIFY2(message.startsWith(QStringLiteral("Loading translations failed.")),
                 qPrintable(message));
        QVERIFY2(message.endsWith(reason), qPrintable(message));
        QCOMPARE(manager.CurrentLanguageId(), 1036);
        QCOMPARE(window.btnGo->text(), QStringLiteral("&Calculer"));
        QCOMPARE(ConstantText(Constant::WestShort), QStringLiteral("Ou"));
        QCOMPARE(window.events.size(), 1);
    }

    // ---- windows joining and leaving
    // -------------------------------------------------------------

    void windowsFollowInJoiningOrder() {
        RegisterTestLanguages();
        QStringList order;
        TestWindow first(QStringLiteral("frmFirst"));
        TestWindow second(QStringLiteral("frmSecond"));
        new LanguageController(second.window.get(), TestTranslation(),
                               [&] { order.append(QStringLiteral("second")); });
        new LanguageController(first.window.get(), TestTranslation(),
                               [&] { order.append(QStringLiteral("first")); });
        manager.SetCurrentLanguageId(1036);
        QCOMPARE(order, (QStringList{QStringLiteral("second"), QStringLiteral("first")}));
    }

    void windowCreatedAfterSwitchGetsCurrentLanguage() {
        RegisterTestLanguages();
        manager.SetCurrentLanguageId(1036);
        TestWindow window;
        window.Join();
        QCOMPARE(window.lblLongitude->text(), QStringLiteral("Longitude FR"));
        QCOMPARE(window.events, QStringList{QStringLiteral("handler saw Longitude FR")});
        QCOMPARE(window.controller->RecordedEnglish(2), QStringLiteral("Longitude"));
        manager.SetCurrentLanguageId(1033);
        QCOMPARE(window.lblLongitude->text(), QStringLiteral("Longitude"));
    }

    void windowOpenedLaterReusesTheParsedFile() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("fr.lng"));
        WriteFile(path, LanguageFileBytes(1036, kFrenchTest));
        QVERIFY(manager.RegisterLanguageFile(path));
        manager.SetCurrentLanguageId(1036);
        QVERIFY(QFile::remove(path));
        TestWindow window;
        window.Join();
        QCOMPARE(window.lblLongitude->text(), QStringLiteral("Longitude FR"));
    }

    void windowCreatedInEnglishRunsNoHandler() {
        TestWindow window;
        window.Join();
        QVERIFY(window.events.isEmpty());
    }

    void destroyedWindowLeaves() {
        RegisterTestLanguages();
        int calls = 0;
        {
            TestWindow window;
            new LanguageController(window.window.get(), TestTranslation(), [&] { ++calls; });
        }
        manager.SetCurrentLanguageId(1036);
        QCOMPARE(calls, 0);
    }

    // ---- property paths and ignore masks
    // ---------------------------------------------------------

    void propertyPaths_data() {
        QTest::addColumn<QString>("objectName");
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("found");
        QTest::newRow("window caption") << QString() << QStringLiteral("Caption") << true;
        QTest::newRow("label caption") << QStringLiteral("lblLongitude") << "Caption" << true;
        QTest::newRow("menu caption") << QStringLiteral("mFile") << "Caption" << true;
        QTest::newRow("action caption") << QStringLiteral("mFileQuit") << "Caption" << true;
        QTest::newRow("column header caption")
            << QStringLiteral("colAzimuth") << QStringLiteral("Header.Caption") << true;
        QTest::newRow("column text after") << QStringLiteral("colAzimuth") << "TextAfter" << true;
        QTest::newRow("save dialog filter") << QStringLiteral("SaveDialogHTML") << "Filter" << true;
        QTest::newRow("property the control lacks")
            << QStringLiteral("lblLongitude") << QStringLiteral("Filter") << false;
        QTest::newRow("sub-object the control lacks")
            << QStringLiteral("lblLongitude") << QStringLiteral("Header.Caption") << false;
    }

    void propertyPaths() {
        QFETCH(const QString, objectName);
        QFETCH(const QString, path);
        QFETCH(const bool, found);
        TestWindow window;
        QObject* component = FindComponent(window.window.get(), objectName);
        QVERIFY(component);
        const bool isWindow = objectName.isEmpty();
        QCOMPARE(WriteTranslatableProperty(component, path, QStringLiteral("new text"), isWindow),
                 found);
        const std::optional<QString> read = ReadTranslatableProperty(component, path, isWindow);
        QCOMPARE(read.has_value(), found);
        if (found)
            QCOMPARE(*read, QStringLiteral("new text"));
    }

    void findComponentStaysOutOfOwnedWindows() {
        TestWindow window;
        delete window.lblLongitude;
        QCOMPARE(FindComponent(window.window.get(), QStringLiteral("lblLongitude")), nullptr);
    }

    void ignoreMasks_data() {
        QTest::addColumn<QStringList>("masks");
        QTest::addColumn<QString>("objectName");
        QTest::addColumn<QString>("property");
        QTest::addColumn<bool>("ignored");
        const QStringList main{"*.Font.Name", "Caption", "edLat.*", "lblMagDev.*"};
        QTest::newRow("window caption by property alone") << main << QString() << "Caption" << true;
        QTest::newRow("control caption not hit by window mask")
            << main << QStringLiteral("btnGo") << "Caption" << false;
        QTest::newRow("every property of a component") << main << "edLat"
                                                       << "Text" << true;
        QTest::newRow("case ignored") << main << "LBLMAGDEV"
                                      << "caption" << true;
        QTest::newRow("wildcard in front") << main << "btnGo"
                                           << "Font.Name" << true;
        QTest::newRow("prefix of a name is not the name") << main << "edLatitude"
                                                          << "Text" << false;
        const QStringList obstacles{"ed*", "Label*", "lblResult.*"};
        QTest::newRow("component name alone") << obstacles << "Label3"
                                              << "Caption" << true;
        QTest::newRow("component name with wildcard") << obstacles << "edHeight"
                                                      << "Text" << true;
        QTest::newRow("other component") << obstacles << "lblHeight"
                                         << "Caption" << false;
        QTest::newRow("star tried again further on") << QStringList{"ed*at.*"} << "edLatLat"
                                                     << "Text" << true;
        QTest::newRow("text ends before the mask") << QStringList{"Label*X"} << "Label"
                                                   << "Caption" << false;
        QTest::newRow("regular expression characters are plain")
            << QStringList{"lbl.Caption"} << "lblXCaption"
            << "Caption" << false;
    }

    void ignoreMasks() {
        QFETCH(const QStringList, masks);
        QFETCH(const QString, objectName);
        QFETCH(const QString, property);
        QFETCH(const bool, ignored);
        QCOMPARE(IsIgnoredProperty(masks, objectName, property), ignored);
    }

    // ---- language names and the start choice
    // -------------------------------------------------------

    void languageNames_data() {
        QTest::addColumn<QLocale>("interface");
        QTest::addColumn<int>("languageId");
        QTest::addColumn<QString>("name");
        const QLocale german(QLocale::German, QLocale::Germany);
        QTest::newRow("German in English") << QLocale::c() << 1031 << "German (Germany)";
        QTest::newRow("Hungarian in German") << german << 1038 << "Ungarisch (Ungarn)";
        QTest::newRow("unknown identifier") << QLocale::c() << 0x7ff0 << "32752";
    }

    void languageNames() {
        QFETCH(const QLocale, interface);
        QFETCH(const int, languageId);
        QFETCH(const QString, name);
        const QLocale saved;
        QLocale::setDefault(interface);
        const QString shown = LanguageDisplayName(languageId);
        QLocale::setDefault(saved);
        QCOMPARE(shown, name);
    }

    void languageForLocale_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<int>("languageId");
        QTest::newRow("German in Austria") << QLocale(QLocale::German, QLocale::Austria) << 1031;
        QTest::newRow("Hungarian") << QLocale(QLocale::Hungarian, QLocale::Hungary) << 1038;
        QTest::newRow("French") << QLocale(QLocale::French, QLocale::France) << 1033;
        QTest::newRow("C") << QLocale::c() << 1033;
    }

    void languageForLocale() {
        QFETCH(const QLocale, locale);
        QFETCH(const int, languageId);
        QCOMPARE(LanguageForLocale(locale), languageId);
    }
};

QTEST_MAIN(TestLanguageManager)
#include "tst_languagemanager.moc"
