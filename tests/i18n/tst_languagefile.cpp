#include "Constants.h"
#include "LanguageFile.h"

#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <map>

using namespace skyvane;

namespace {

QByteArray FileWithEntry(const QByteArray& value) {
    return "LANGID=1031\r\n[frmMain]\r\n00000001=" + value + "\r\n";
}

QByteArray ReadResource(const QString& resourceName) {
    QFile file(BuiltInLanguagePath(resourceName));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

QSet<int> EntryNumbers(const LanguageSection* section) {
    QSet<int> numbers;
    if (section) {
        for (auto it = section->entries.cbegin(); it != section->entries.cend(); ++it)
            numbers.insert(it.key());
    }
    return numbers;
}

// The text of an optional lookup, or a marker that cannot be a translated text.
QString Found(const std::optional<QString>& text) {
    return text.value_or(QStringLiteral("<missing>"));
}

QStringList SectionNames(const Translation& translation) {
    QStringList names;
    for (const LanguageSection& section : translation.sections())
        names.append(section.name);
    return names;
}

// The entry numbers of every window table; the built-in files must hold exactly these.
const std::map<QString, QList<int>> kWindowEntries = {
    {"frmAbout", {1, 3, 13, 14, 15}},
    {"frmEarth", {1}},
    {"frmMain",
     {1,   3,   5,   6,   8,   9,   10,  12,  13,  14,  15,  16,  17,  19,  20,  21,  22,  23,
      24,  25,  26,  27,  28,  29,  30,  31,  32,  33,  34,  35,  36,  37,  38,  39,  40,  41,
      42,  43,  44,  45,  46,  60,  61,  62,  63,  64,  65,  66,  67,  68,  69,  70,  71,  80,
      81,  82,  83,  84,  85,  86,  87,  88,  89,  90,  91,  92,  93,  94,  95,  96,  97,  98,
      99,  100, 101, 102, 103, 104, 105, 106, 107, 108, 109, 110, 111, 112, 113, 114, 115, 116,
      117, 118, 119, 120, 121, 122, 123, 124, 125, 126, 127, 128, 129, 130, 150, 151, 152, 153,
      154, 155, 156, 157, 158, 159, 160, 161, 162, 163, 164, 165}},
    {"frmSatDetail", {6, 10, 16, 17, 18, 19, 20, 21, 22}},
    {"frmSunOutage", {1,  3,  6,  10, 11, 12, 14, 15, 16, 19, 20, 21, 22, 23, 24, 25, 26, 27,
                      28, 29, 30, 31, 32, 33, 34, 35, 36, 37, 38, 39, 40, 41, 42, 43, 44, 45,
                      46, 47, 48, 49, 50, 51, 52, 53, 54, 55, 56, 57, 58, 59, 60, 61}},
    {"frmLocations", {1, 2, 3, 4, 5, 7, 8}},
    {"frmMotor", {1,  3,  4,  5,  6,  7,  8,  10, 11, 12, 13, 14, 15, 16, 17, 20,
                  21, 22, 23, 24, 30, 31, 32, 33, 34, 35, 40, 41, 42, 43, 44, 45}},
    {"frmObstacles", {1, 3, 6, 7, 8, 10, 11, 12, 13, 14, 15, 16, 17, 18}},
    {"frmHorizon", {1, 2, 3, 4, 5, 6, 8, 9, 10, 11, 12}},
};

const QStringList kSectionOrder = {"frmAbout",     "frmEarth",     "frmMain",
                                   "frmSatDetail", "frmSunOutage", "frmLocations",
                                   "frmMotor",     "frmObstacles", "frmHorizon"};

} // namespace

class TestLanguageFile : public QObject {
    Q_OBJECT

private slots:
    void readsEscapes_data();
    void readsEscapes();
    void writesEscapes_data();
    void writesEscapes();
    void writtenFileReadsBack();
    void writerRefusesCharactersOutsideCodePage();
    void errorsStopReading_data();
    void errorsStopReading();
    void ignoresMalformedLines_data();
    void ignoresMalformedLines();
    void headerLanguageId_data();
    void headerLanguageId();
    void headerKeysIgnoreCaseLaterWins();
    void headerOnlyReadStopsAtFirstBracket();
    void decodesByCodePageOfLanguage_data();
    void decodesByCodePageOfLanguage();
    void codePageOfLanguage_data();
    void codePageOfLanguage();
    void builtInFileIsComplete_data();
    void builtInFileIsComplete();
    void builtInFileIsWrittenAsTheWriterWrites_data();
    void builtInFileIsWrittenAsTheWriterWrites();
    void unreadablePathRaisesLoadingError();
    void oversizedFileIsNotRead();
};

void TestLanguageFile::readsEscapes_data() {
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<QString>("text");
    QTest::newRow("line break between two words") << QByteArray("one\\ntwo") << "one\r\ntwo";
    QTest::newRow("double backslash") << QByteArray("a\\\\b") << "a\\b";
    QTest::newRow("backslash and 65 is A") << QByteArray("\\65") << "A";
    QTest::newRow("backslash and 09 is tab") << QByteArray("x\\09y") << "x\ty";
    QTest::newRow("tab") << QByteArray("a\\tb") << "a\tb";
    QTest::newRow("backslash before a letter stays") << QByteArray("C:\\x") << "C:\\x";
    QTest::newRow("backslash and one digit stays") << QByteArray("\\6x") << "\\6x";
    QTest::newRow("trailing backslash stays") << QByteArray("end\\") << "end\\";
    QTest::newRow("escaped backslash before n") << QByteArray("\\\\n") << "\\n";
    QTest::newRow("value trimmed, equals sign kept") << QByteArray("  a=b  ") << "a=b";
    QTest::newRow("empty value") << QByteArray("") << "";
}

void TestLanguageFile::readsEscapes() {
    QFETCH(QByteArray, stored);
    QFETCH(QString, text);
    const Translation translation = ReadLanguageFile(FileWithEntry(stored));
    QCOMPARE(Found(translation.entryText("frmMain", 1)), QString(text));
}

void TestLanguageFile::writesEscapes_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("stored");
    QTest::newRow("CR LF") << "a\r\nb"
                           << "a\\nb";
    QTest::newRow("LF CR") << "a\n\rb"
                           << "a\\nb";
    QTest::newRow("lone CR") << "a\rb"
                             << "a\\nb";
    QTest::newRow("lone LF") << "a\nb"
                             << "a\\nb";
    QTest::newRow("two line breaks") << "a\n\nb"
                                     << "a\\n\\nb";
    QTest::newRow("tab") << "a\tb"
                         << "a\\tb";
    QTest::newRow("backslash") << "C:\\dir"
                               << "C:\\\\dir";
    QTest::newRow("bell below 32") << QString("a") + QChar(7) << "a\\07";
    QTest::newRow("plain text unchanged") << "Über 100 %s"
                                          << "Über 100 %s";
}

void TestLanguageFile::writesEscapes() {
    QFETCH(QString, text);
    QFETCH(QString, stored);
    QCOMPARE(EscapeLanguageValue(text), stored);
}

void TestLanguageFile::writtenFileReadsBack() {
    Translation original;
    original.header.set("Author", "Kovács Ő. \\ Tóth Ű.");
    original.header.set("LANGID", "1038");
    QMap<int, QString>& main = original.addSection("frmMain").entries;
    main.insert(1, "quor's Skyvane");
    main.insert(7, "két\r\nsor\tés C:\\mappa");
    main.insert(123456789, "nagy szám");
    original.addSection("frmEarth").entries.insert(1, "Világtérkép");
    original.addSection("").entries.insert(2, "section of no window");
    original.constants.insert("constEastShort", "K");
    original.constants.insert("constTranslatedBy", "");

    const Translation read = ReadLanguageFile(WriteLanguageFile(original));

    QCOMPARE(read.header.parameters(), original.header.parameters());
    QCOMPARE(SectionNames(read), SectionNames(original));
    QCOMPARE(read.section("frmMain")->entries, original.section("frmMain")->entries);
    QCOMPARE(Found(read.entryText("FRMEARTH", 1)), QString("Világtérkép"));
    QCOMPARE(read.constants, original.constants);
}

void TestLanguageFile::writerRefusesCharactersOutsideCodePage() {
    Translation german;
    german.header.set("LANGID", "1031");
    german.addSection("frmMain").entries.insert(1, "Hungarian ő has no place in 1252");
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, WriteLanguageFile(german));
}

void TestLanguageFile::errorsStopReading_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("message");
    QTest::newRow("repeated entry number")
        << QByteArray("LANGID=1031\r\n\r\n[frmMain]\r\n00000005=a\r\n; note\r\n5=b\r\n") << 5
        << "Loading translations failed.\nLine 5: Duplicate property value translation ID (5)";
    QTest::newRow("entry repeated in a continued section")
        << QByteArray("[frmMain]\n2=a\n[frmEarth]\n1=b\n[FRMMAIN]\n00000002=c\n") << 5
        << "Loading translations failed.\nLine 5: Duplicate property value translation ID (2)";
    QTest::newRow("constant name starting with a digit")
        << QByteArray("[$CONSTANTS]\r\n1const=x\r\n") << 1
        << "Loading translations failed.\nLine 1: Invalid constant name (\"1const\")";
    QTest::newRow("constant name with a hyphen")
        << QByteArray("LANGID=1038\r[$constants]\rconstEastShort=K\rconst-West=Ny\r") << 3
        << "Loading translations failed.\nLine 3: Invalid constant name (\"const-West\")";
    QTest::newRow("constant repeated in another case")
        << QByteArray("[$CONSTANTS]\nconstEastShort=O\n\nCONSTEASTSHORT=K\n") << 3
        << "Loading translations failed.\nLine 3: Duplicate constant name (\"CONSTEASTSHORT\")";
}

void TestLanguageFile::errorsStopReading() {
    QFETCH(QByteArray, file);
    QFETCH(int, line);
    QFETCH(QString, message);
    try {
        ReadLanguageFile(file);
        QFAIL("the file was read without an error");
    } catch (const LanguageFileError& error) {
        QCOMPARE(QString::fromStdString(error.what()), message);
        QCOMPARE(error.line(), line);
    }
}

void TestLanguageFile::ignoresMalformedLines_data() {
    QTest::addColumn<QByteArray>("lines");
    QTest::addColumn<QList<int>>("numbers");
    QTest::addColumn<QStringList>("constants");
    const QList<int> none;
    QTest::newRow("line without equals sign")
        << QByteArray("00000003 Text") << none << QStringList();
    QTest::newRow("empty name") << QByteArray("  =Text") << none << QStringList();
    QTest::newRow("entry number not a number") << QByteArray("abc=Text") << none << QStringList();
    QTest::newRow("entry number zero") << QByteArray("00000000=Text") << none << QStringList();
    QTest::newRow("entry number negative") << QByteArray("-3=Text") << none << QStringList();
    QTest::newRow("entry number with sign") << QByteArray("+3=Text") << none << QStringList();
    QTest::newRow("entry number too large") << QByteArray("99999999999=x") << none << QStringList();
    QTest::newRow("comment line") << QByteArray("; 3=Text") << none << QStringList();
    QTest::newRow("section without closing bracket keeps the section")
        << QByteArray("[$CONSTANTS\r\n3=Text") << QList<int>{3} << QStringList();
    QTest::newRow("two-character section line is no section")
        << QByteArray("[]\r\n4=Text") << QList<int>{4} << QStringList();
    QTest::newRow("blanks and controls around a line")
        << QByteArray(" \t\x01 00000002 = Text \x7f\r\n") << QList<int>{2} << QStringList();
    QTest::newRow("constants section named in lower case")
        << QByteArray("[ $constants ]\r\nconstSkew=Skew") << none << QStringList{"constSkew"};
}

void TestLanguageFile::ignoresMalformedLines() {
    QFETCH(QByteArray, lines);
    QFETCH(QList<int>, numbers);
    QFETCH(QStringList, constants);
    const Translation translation = ReadLanguageFile("LANGID=1031\r\n[frmMain]\r\n" + lines);
    QCOMPARE(EntryNumbers(translation.section("frmMain")).values().size(), numbers.size());
    QCOMPARE(EntryNumbers(translation.section("frmMain")),
             QSet<int>(numbers.begin(), numbers.end()));
    QCOMPARE(translation.constants.keys(), constants);
}

void TestLanguageFile::headerLanguageId_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("languageId");
    QTest::newRow("German") << QByteArray("LANGID=1031\r\n[frmMain]\r\n") << 1031;
    QTest::newRow("blanks around the value") << QByteArray("  langid =  1038 \n") << 1038;
    QTest::newRow("missing") << QByteArray("Author=someone\r\n[frmMain]\r\n") << 0;
    QTest::newRow("empty") << QByteArray("LANGID=\r\n") << 0;
    QTest::newRow("not a number") << QByteArray("LANGID=German\r\n") << 0;
    QTest::newRow("number followed by text") << QByteArray("LANGID=1031x\r\n") << 0;
    QTest::newRow("beyond 16 bits") << QByteArray("LANGID=70000\r\n") << 0;
    QTest::newRow("zero") << QByteArray("LANGID=0\r\n") << 0;
    QTest::newRow("only inside a section") << QByteArray("[frmMain]\r\nLANGID=1031\r\n") << 0;
    QTest::newRow("empty file") << QByteArray() << 0;
}

void TestLanguageFile::headerLanguageId() {
    QFETCH(QByteArray, file);
    QFETCH(int, languageId);
    QCOMPARE(ReadLanguageFileHeader(file).languageId(), languageId);
    QCOMPARE(ReadLanguageFile(file).languageId(), languageId);
}

void TestLanguageFile::headerKeysIgnoreCaseLaterWins() {
    const LanguageHeader header =
        ReadLanguageFileHeader("LANGID=1031\r\nAuthor=first\r\nlangid=1038\r\nAUTHOR=second\r\n");
    QCOMPARE(header.languageId(), 1038);
    QCOMPARE(Found(header.value("author")), QString("second"));
    QCOMPARE(header.parameters().size(), 2);
}

void TestLanguageFile::headerOnlyReadStopsAtFirstBracket() {
    // The entries after the header would raise an error in a full read.
    const QByteArray file = "; a translation\r\nLANGID=1038\r\n[not a section\r\nLANGID=1031\r\n"
                            "[frmMain]\r\n1=a\r\n1=b\r\n";
    QCOMPARE(ReadLanguageFileHeader(file).languageId(), 1038);
    QVERIFY_THROWS_EXCEPTION(LanguageFileError, ReadLanguageFile(file));
}

void TestLanguageFile::decodesByCodePageOfLanguage_data() {
    QTest::addColumn<QByteArray>("languageId");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("Hungarian o and u with double acute")
        << QByteArray("1038") << QByteArray("\xD5sz, M\xFBhold, \xF5r") << "Ősz, Műhold, őr";
    QTest::newRow("the same bytes in a German file")
        << QByteArray("1031") << QByteArray("\xD5sz, M\xFBhold, \xF5r") << "Õsz, Mûhold, õr";
    QTest::newRow("German umlauts and sharp s")
        << QByteArray("1031") << QByteArray("\xE4 \xF6 \xFC \xDF \xC4\x80") << "ä ö ü ß Ä€";
    QTest::newRow("Russian in Windows-1251")
        << QByteArray("1049") << QByteArray("\xCA\xE0\xF0\xF2\xE0") << "Карта";
    QTest::newRow("no LANGID reads as Windows-1252")
        << QByteArray("") << QByteArray("\xE9t\xE9") << "été";
}

void TestLanguageFile::decodesByCodePageOfLanguage() {
    QFETCH(QByteArray, languageId);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    const QByteArray file = "Author=" + bytes + "\r\nLANGID=" + languageId +
                            "\r\n[frmMain]\r\n1=" + bytes +
                            "\r\n[$CONSTANTS]\r\nconstSkew=" + bytes + "\r\n";
    const Translation translation = ReadLanguageFile(file);
    QCOMPARE(Found(translation.entryText("frmMain", 1)), QString(text));
    QCOMPARE(Found(translation.constantText("CONSTSKEW")), QString(text));
    QCOMPARE(Found(ReadLanguageFileHeader(file).value("Author")), QString(text));
}

void TestLanguageFile::codePageOfLanguage_data() {
    QTest::addColumn<int>("languageId");
    QTest::addColumn<int>("codePage");
    QTest::newRow("none") << 0 << 1252;
    QTest::newRow("English (United States)") << 1033 << 1252;
    QTest::newRow("German") << 1031 << 1252;
    QTest::newRow("Hungarian") << 1038 << 1250;
    QTest::newRow("Polish") << 1045 << 1250;
    QTest::newRow("Czech") << 1029 << 1250;
    QTest::newRow("Russian") << 1049 << 1251;
    QTest::newRow("Serbian, Latin") << 2074 << 1250;
    QTest::newRow("Serbian, Cyrillic") << 3098 << 1251;
    QTest::newRow("Greek") << 1032 << 1253;
    QTest::newRow("Turkish") << 1055 << 1254;
    QTest::newRow("Lithuanian") << 1063 << 1257;
    QTest::newRow("Chinese (Taiwan)") << 1028 << 950;
    QTest::newRow("Chinese (PRC)") << 2052 << 936;
    QTest::newRow("unknown identifier") << 0x7FFF << 1252;
}

void TestLanguageFile::codePageOfLanguage() {
    QFETCH(int, languageId);
    QFETCH(int, codePage);
    QCOMPARE(WindowsCodePage(languageId), codePage);
}

void TestLanguageFile::builtInFileIsComplete_data() {
    QTest::addColumn<QString>("resource");
    QTest::addColumn<int>("languageId");
    QTest::addColumn<QString>("eastShort");
    QTest::addColumn<QString>("fall");
    QTest::addColumn<bool>("hasAuthor");
    QTest::newRow("German") << "RC_LANG_GERMAN" << 1031 << "O"
                            << "Herbst" << true;
    QTest::newRow("Hungarian") << "RC_LANG_HUNGARIAN" << 1038 << "K"
                               << "Ősz" << false;
}

void TestLanguageFile::builtInFileIsComplete() {
    QFETCH(QString, resource);
    QFETCH(int, languageId);
    QFETCH(QString, eastShort);
    QFETCH(QString, fall);
    QFETCH(bool, hasAuthor);
    const QByteArray bytes = ReadResource(resource);
    QVERIFY2(!bytes.isEmpty(), qPrintable(resource));

    const Translation translation = ReadLanguageFile(bytes);
    QCOMPARE(translation.languageId(), languageId);
    QCOMPARE(ReadLanguageFileHeader(bytes).languageId(), languageId);
    QCOMPARE(Found(translation.header.value("SourceLANGID")), QString("1033"));
    QCOMPARE(translation.header.value("Author").has_value(), hasAuthor);
    QCOMPARE(SectionNames(translation), kSectionOrder);
    for (const auto& [section, numbers] : kWindowEntries) {
        QCOMPARE(EntryNumbers(translation.section(section)),
                 QSet<int>(numbers.begin(), numbers.end()));
    }
    QStringList names;
    for (const Constant constant : AllConstants()) {
        const QString name = ConstantName(constant);
        names.append(name);
        QVERIFY2(translation.constants.value(name).count("%s") ==
                     BuiltInConstantText(constant).count("%s"),
                 qPrintable(name));
    }
    names.sort();
    QCOMPARE(translation.constants.keys(), names);
    QCOMPARE(Found(translation.entryText("frmMain", 1)), QString("quor's Skyvane"));
    QCOMPARE(Found(translation.constantText("constEastShort")), QString(eastShort));
    QCOMPARE(Found(translation.constantText("constTranslatedBy")), QString(""));
    QCOMPARE(Found(translation.entryText("frmSunOutage", 12)), QString(fall));
}

void TestLanguageFile::builtInFileIsWrittenAsTheWriterWrites_data() {
    QTest::addColumn<QString>("resource");
    QTest::newRow("German") << "RC_LANG_GERMAN";
    QTest::newRow("Hungarian") << "RC_LANG_HUNGARIAN";
}

// Same layout as the writer: header, empty line, sections separated by empty lines, eight-digit
// entry numbers in rising order, constants last in name order, CR LF throughout.
void TestLanguageFile::builtInFileIsWrittenAsTheWriterWrites() {
    QFETCH(QString, resource);
    const QByteArray bytes = ReadResource(resource);
    QVERIFY(!bytes.isEmpty());
    QCOMPARE(WriteLanguageFile(ReadLanguageFile(bytes)), bytes);
}

void TestLanguageFile::unreadablePathRaisesLoadingError() {
    QVERIFY(!ReadLanguageFileHeaderAt("/nonexistent/missing.lng").languageId());
    try {
        ReadLanguageFileAt("/nonexistent/missing.lng");
        QFAIL("a missing file was read");
    } catch (const LanguageFileError& error) {
        QVERIFY(QString::fromStdString(error.what()).startsWith("Loading translations failed.\n"));
        QCOMPARE(error.line(), -1);
    }
    QCOMPARE(ReadLanguageFileAt(BuiltInLanguagePath("RC_LANG_HUNGARIAN")).languageId(), 1038);
}

void TestLanguageFile::oversizedFileIsNotRead() {
    QTemporaryDir dir;
    const QString path = dir.filePath("huge.lng");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(WriteLanguageFile(ReadLanguageFileAt(BuiltInLanguagePath("RC_LANG_GERMAN"))));
    file.write(QByteArray(kLanguageFileReadLimit, ' ') + "\r\n");
    file.close();
    QCOMPARE(ReadLanguageFileHeaderAt(path).languageId(), 1031);
    try {
        ReadLanguageFileAt(path);
        QFAIL("a file above the limit was read");
    } catch (const LanguageFileError& error) {
        QVERIFY2(error.reason().contains("larger than"), error.what());
    }
}

QTEST_GUILESS_MAIN(TestLanguageFile)
#include "tst_languagefile.moc"
