#include "Calculation.h"
#include "Catalogue.h"
#include "DataFiles.h"
#include "TextCodec.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

using namespace skyvane;

class TestCatalogue : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void splitAtChar_data();
    void splitAtChar();
    void parseLine_data();
    void parseLine();
    void versionComment_data();
    void versionComment();
    void splitLines_data();
    void splitLines();
    void builtInCopy();
    void fileWinsAndIsReadAfresh();
    void fileEncodings_data();
    void fileEncodings();
    void unreadableFileRaises_data();
    void unreadableFileRaises();
    void hostileLinesNeverCrash();
    void nonFinitePositionsSkipped_data();
    void nonFinitePositionsSkipped();
    void lookupOrder();

private:
    QString m_previousDir;
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestCatalogue::init() {
    m_previousDir = QDir::currentPath();
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    QVERIFY(QDir::setCurrent(m_dir->path()));
}

void TestCatalogue::cleanup() {
    QDir::setCurrent(m_previousDir);
    m_dir.reset();
}

void TestCatalogue::splitAtChar_data() {
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("rest");
    QTest::newRow("separator present") << "13.0|Name|extra"
                                       << "13.0"
                                       << "Name|extra";
    QTest::newRow("separator first") << "|Name"
                                     << ""
                                     << "Name";
    QTest::newRow("separator absent") << "12.5"
                                      << "12.5"
                                      << "";
    QTest::newRow("empty") << ""
                           << ""
                           << "";
}

void TestCatalogue::splitAtChar() {
    QFETCH(QString, input);
    QFETCH(QString, before);
    QFETCH(QString, rest);
    QString working = input;
    QCOMPARE(SplitAtChar(working, QLatin1Char('|')), before);
    QCOMPARE(working, rest);
}

void TestCatalogue::parseLine_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("line");
    QTest::addColumn<double>("position");
    QTest::addColumn<QString>("name");
    QTest::newRow("plain") << "C"
                           << "-19.2|Astra" << -19.2 << "Astra";
    QTest::newRow("extra field ignored") << "C"
                                         << "13.0|Name|extra" << 13.0 << "Name";
    QTest::newRow("no separator: empty name") << "C"
                                              << "12.5" << 12.5 << "";
    QTest::newRow("tab kept in name") << "C"
                                      << "-154.0|JCSAT 2A\t" << -154.0 << "JCSAT 2A\t";
    QTest::newRow("not a number gives 0") << "C"
                                          << "abc|Name" << 0.0 << "Name";
    QTest::newRow("dot read in a comma locale") << "de_DE"
                                                << "19.2|Test" << 19.2 << "Test";
    QTest::newRow("comma read in a comma locale") << "de_DE"
                                                  << "19,2|Test" << 19.2 << "Test";
    QTest::newRow("comma rejected in a dot locale") << "C"
                                                    << "19,2|Test" << 0.0 << "Test";
    QTest::newRow("grouping rejected") << "en_US"
                                       << "1,019.2|Test" << 0.0 << "Test";
}

void TestCatalogue::parseLine() {
    QFETCH(QString, locale);
    QFETCH(QString, line);
    QFETCH(double, position);
    QFETCH(QString, name);
    const QLocale previous;
    QLocale::setDefault(QLocale(locale));
    const auto record = ParseSatelliteLine(line);
    QLocale::setDefault(previous);
    QVERIFY(record);
    QCOMPARE(record->Position, position);
    QCOMPARE(record->Name, name);
    QCOMPARE(record->Azimuth, 0.0);
    QCOMPARE(record->Elevation, 0.0);
}

void TestCatalogue::versionComment_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("isVersion");
    QTest::addColumn<QString>("version");
    QTest::newRow("built-in form") << ";Version=20051201" << true << "20051201";
    QTest::newRow("capitals") << ";VERSION=1.2" << true << "1.2";
    QTest::newRow("blanks around equals keep from ninth character")
        << "; version = 7" << true << "= 7";
    QTest::newRow("no equals sign") << ";Versionless" << false << "";
    QTest::newRow("other comment") << "; satellites of 2005" << false << "";
    QTest::newRow("equals elsewhere") << ";name=value" << false << "";
}

void TestCatalogue::versionComment() {
    QFETCH(QString, line);
    QFETCH(bool, isVersion);
    QFETCH(QString, version);
    const auto found = VersionFromComment(line);
    QCOMPARE(found.has_value(), isVersion);
    if (isVersion)
        QCOMPARE(*found, version);
}

void TestCatalogue::splitLines_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("CR LF, no final break") << "a\r\nb" << QStringList{"a", "b"};
    QTest::newRow("final break adds no line") << "a\r\nb\r\n" << QStringList{"a", "b"};
    QTest::newRow("lone CR and lone LF") << "a\rb\nc" << QStringList{"a", "b", "c"};
    QTest::newRow("LF CR is two breaks") << "a\n\rb" << QStringList{"a", "", "b"};
    QTest::newRow("empty text") << "" << QStringList{};
    // Lines are scanned four characters at a time: breaks at each place in such a group, beside
    // other small characters and large ones.
    QTest::newRow("breaks at every place in four")
        << QString::fromUtf16(u"abcd\re\nfghij\r\nklmnopq\tr\n\u8000\u000e\r\u000b\u000c\uffff\n")
        << QStringList{"abcd",
                       "e",
                       "fghij",
                       "klmnopq\tr",
                       QString::fromUtf16(u"\u8000\u000e"),
                       QString::fromUtf16(u"\u000b\u000c\uffff")};
}

void TestCatalogue::splitLines() {
    QFETCH(QString, text);
    QFETCH(QStringList, lines);
    QCOMPARE(SplitTextLines(text), lines);
}

void TestCatalogue::builtInCopy() {
    const QStringList lines = BuiltInCatalogueLines();
    QCOMPARE(lines.size(), 150);
    QCOMPARE(lines.first(), QStringLiteral(";Version=20051201"));
    QCOMPARE(lines.last(), QStringLiteral("177.0|NSS 5"));
    QVERIFY(lines.contains(QStringLiteral("-42.0|Türksat 1C, Eurasiasat 1")));
    QVERIFY(lines.contains(QStringLiteral("-154.0|JCSAT 2A\t")));
    // The shipped bytes stand unchanged: Windows-1252, CR LF, no break after the last line.
    QFile resource(QString::fromLatin1(kBuiltInCatalogueResource));
    QVERIFY(resource.open(QIODevice::ReadOnly));
    const QByteArray bytes = resource.readAll();
    QCOMPARE(bytes.count("\r\n"), 149);
    QVERIFY(bytes.contains("T\xfcrksat"));
    QVERIFY(bytes.endsWith("177.0|NSS 5"));
}

void TestCatalogue::fileWinsAndIsReadAfresh() {
    auto loaded = LoadCatalogueLines();
    QVERIFY(loaded);
    QCOMPARE(loaded->size(), 150);

    QFile file(QString::fromLatin1(kCatalogueFileName));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("1.0|Only one\n");
    file.close();
    loaded = LoadCatalogueLines();
    QVERIFY(loaded);
    QCOMPARE(*loaded, QStringList{QStringLiteral("1.0|Only one")});

    QVERIFY(QFile::remove(QString::fromLatin1(kCatalogueFileName)));
    loaded = LoadCatalogueLines();
    QVERIFY(loaded);
    QCOMPARE(loaded->size(), 150);
}

void TestCatalogue::fileEncodings_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("name");
    QTest::newRow("valid UTF-8") << QByteArray("1.0|T\xc3\xbcrksat") << QStringLiteral("Türksat");
    QTest::newRow("Windows-1252") << QByteArray("1.0|T\xfcrksat") << QStringLiteral("Türksat");
    QTest::newRow("Windows-1252 punctuation") << QByteArray("1.0|A\x96"
                                                            "B")
                                              << QStringLiteral("A–B");
    QTest::newRow("NUL byte kept as a character")
        << QByteArray("1.0|A\0B", 7) << QString::fromUtf8("A\0B", 3);
}

void TestCatalogue::fileEncodings() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, name);
    QFile file(QString::fromLatin1(kCatalogueFileName));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();
    const auto lines = LoadCatalogueLines();
    QVERIFY(lines);
    QCOMPARE(lines->size(), 1);
    QCOMPARE(ParseSatelliteLine(lines->first())->Name, name);
}

void TestCatalogue::unreadableFileRaises_data() {
    QTest::addColumn<bool>("directory");
    QTest::newRow("a directory named satpos.dat") << true;
    QTest::newRow("a file without read permission") << false;
}

void TestCatalogue::unreadableFileRaises() {
    QFETCH(bool, directory);
    const QString name = QString::fromLatin1(kCatalogueFileName);
    if (directory) {
        QVERIFY(QDir().mkdir(name));
    } else {
        QFile file(name);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("1.0|x");
        file.close();
        QVERIFY(file.setPermissions(QFileDevice::WriteOwner));
        QFile probe(name);
        if (probe.open(QIODevice::ReadOnly))
            QSKIP("running as a user who reads any file; permissions cannot make it unreadable");
    }
    try {
        LoadCatalogueLines();
        QFAIL("an unreadable satpos.dat must raise an error");
    } catch (const CatalogueError& error) {
        QVERIFY2(QString::fromStdString(error.what()).contains(name), error.what());
    }
}

void TestCatalogue::hostileLinesNeverCrash() {
    QStringList lines;
    lines << QString(100000, QLatin1Char('9')) + QStringLiteral("|long") << QStringLiteral("|")
          << QStringLiteral("||||") << QStringLiteral(";") << QStringLiteral("nan|x")
          << QStringLiteral("inf|y") << QStringLiteral("1e308|z") << QString(QChar(0))
          << QStringLiteral("-19.2|") + QString(70000, QLatin1Char('x'));
    const auto result = CalculateVisibleSatellites(lines, 47.16, -16.16);
    for (const SatelliteRecord& r : result.visible)
        QVERIFY2(std::isfinite(r->Elevation), qPrintable(r->Name.left(20)));
    QVERIFY(result.visible.size() >= 1); // the 70000-character name at 19.2 E is listed
}

void TestCatalogue::nonFinitePositionsSkipped_data() {
    QTest::addColumn<QString>("line");
    QTest::newRow("nan") << "nan|A";
    QTest::newRow("infinity") << "inf|A";
    QTest::newRow("negative infinity") << " -inf|A";
    QTest::newRow("beyond a double") << "1e999|A";
}

void TestCatalogue::nonFinitePositionsSkipped() {
    QFETCH(QString, line);
    // From this site a satellite at 0.0 would be listed.
    const auto result = CalculateVisibleSatellites({line}, 47.16, -16.16);
    QVERIFY2(result.visible.empty(), qPrintable(QString::number(result.visible.size())));
}

void TestCatalogue::lookupOrder() {
    QStandardPaths::setTestModeEnabled(true);
    CatalogueReader reader(ShippedCatalogue::Used);
    const QDir data(UserDataFolder());
    const QString working = QDir::current().filePath(QString::fromLatin1(kCatalogueFileName));
    const QString user = data.filePath(QString::fromLatin1(kCatalogueFileName));
    const QString shipped = data.filePath(QString::fromLatin1(kShippedCatalogueFileName));
    for (const QString& path : {working, user, shipped}) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("1.0|" + QFileInfo(path).absolutePath().toUtf8());
    }
    const QList<QPair<CatalogueSource, QString>> order{{CatalogueSource::WorkingDirectory, working},
                                                       {CatalogueSource::User, user},
                                                       {CatalogueSource::Shipped, shipped}};
    for (const auto& [source, path] : order) {
        const std::optional<CatalogueText> loaded = reader.load();
        QVERIFY(loaded);
        QCOMPARE(int(loaded->source), int(source));
        QCOMPARE(QFileInfo(loaded->path), QFileInfo(path));
        QVERIFY(QFile::remove(path));
    }
    const std::optional<CatalogueText> builtIn = reader.load();
    QStandardPaths::setTestModeEnabled(false);
    QVERIFY(builtIn);
    QCOMPARE(int(builtIn->source), int(CatalogueSource::BuiltIn));
    QCOMPARE(builtIn->lines.size(), 150);
}

QTEST_GUILESS_MAIN(TestCatalogue)
#include "tst_catalogue.moc"
