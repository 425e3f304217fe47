#include "Catalogue.h"
#include "CatalogueImport.h"
#include "Constants.h"
#include "Session.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>

using namespace skyvane;

namespace {

// Elements at the epoch 2026-03-01 06:00 UTC (GMST 249.0605 degrees), written for this test:
// the mean anomaly of each puts the satellite on its public slot at that instant (Astra 1KR
// 19.2 E, Hot Bird 13F 13.0 E, SES-17 67.1 W, Intelsat 33E 60.0 E, inclined); the last object
// is in low orbit and is no geostationary satellite.
struct Record {
    const char* name;
    const char* ommValues; // MEAN_MOTION,ECCENTRICITY,INCLINATION,RA_OF_ASC_NODE,ARG,MEAN_ANOMALY
    const char* tle1;
    const char* tle2;
};
const Record kRecords[] = {
    {"ASTRA 1KR", "1.0027,0.0004,0.041,285.3,120.5,222.4605",
     "1 29055U 06012A   26060.25000000  .00000000  00000-0  00000-0 0  9991",
     "2 29055   0.0410 285.3000 0004000 120.5000 222.4605  1.00270000    10"},
    {"HOTBIRD 13F", "1.00273,0.0002,0.052,90.2,250.0,281.8605",
     "1 54048U 06012A   26060.25000000  .00000000  00000-0  00000-0 0  9991",
     "2 54048   0.0520  90.2000 0002000 250.0000 281.8605  1.00273000    14"},
    {"SES-17", "1.00272,0.0001,0.023,10.0,300.0,231.9605",
     "1 49055U 06012A   26060.25000000  .00000000  00000-0  00000-0 0  9993",
     "2 49055   0.0230  10.0000 0001000 300.0000 231.9605  1.00272000    14"},
    {"INTELSAT 33E", "1.00271,0.0003,2.514,75.4,200.1,33.5605",
     "1 41748U 06012A   26060.25000000  .00000000  00000-0  00000-0 0  9994",
     "2 41748   2.5140  75.4000 0003000 200.1000  33.5605  1.00271000    14"},
    {"ISS (ZARYA)", "15.50377579,0.0006703,51.6416,247.4627,130.5360,325.0288",
     "1 25544U 98067A   26060.25000000  .00016717  00000-0  10270-3 0  9996",
     "2 25544  51.6416 247.4627 0006703 130.5360 325.0288 15.50377579    19"},
};
const char kEpoch[] = "2026-03-01T06:00:00.000000";
const char kOmmColumns[] =
    "MEAN_MOTION,ECCENTRICITY,INCLINATION,RA_OF_ASC_NODE,ARG_OF_PERICENTER,MEAN_ANOMALY";

QByteArray Tle() {
    QByteArray out;
    for (const Record& r : kRecords)
        out += QByteArray(r.name) + "\n" + r.tle1 + "\n" + r.tle2 + "\n";
    return out;
}

QByteArray OmmCsv() {
    QByteArray out = QByteArray("OBJECT_NAME,OBJECT_ID,EPOCH,") + kOmmColumns + "\r\n";
    for (const Record& r : kRecords)
        out += QByteArray(r.name) + ",X," + kEpoch + "," + r.ommValues + "\r\n";
    return out;
}

QList<QPair<QByteArray, QByteArray>> OmmFields(const Record& r) {
    QList<QPair<QByteArray, QByteArray>> fields{{"OBJECT_NAME", r.name}, {"EPOCH", kEpoch}};
    const QList<QByteArray> keys = QByteArray(kOmmColumns).split(',');
    const QList<QByteArray> values = QByteArray(r.ommValues).split(',');
    for (qsizetype i = 0; i < keys.size(); ++i)
        fields << qMakePair(keys[i], values[i]);
    return fields;
}

QByteArray OmmJson() {
    QByteArrayList objects;
    for (const Record& r : kRecords) {
        QByteArrayList members;
        for (const auto& [key, value] : OmmFields(r))
            members << "\"" + key + "\": " +
                           (key == "OBJECT_NAME" || key == "EPOCH" ? "\"" + value + "\"" : value);
        objects << "{" + members.join(", ") + "}";
    }
    return "[" + objects.join(",\n") + "]";
}

QByteArray OmmXml() {
    QByteArray out = "<?xml version=\"1.0\"?>\n<ndm>\n";
    for (const Record& r : kRecords) {
        out += "<omm><body><segment><metadata><data>";
        for (const auto& [key, value] : OmmFields(r))
            out += "<" + key + ">" + value + "</" + key + ">";
        out += "</data></metadata></segment></body></omm>\n";
    }
    return out + "</ndm>\n";
}

const QDateTime kEpochTime(QDate(2026, 3, 1), QTime(6, 0), Qt::UTC);

// An element line with its checksum made right again after an edit.
QByteArray WithChecksum(QByteArray line) {
    int sum = 0;
    for (int i = 0; i < 68; ++i)
        sum += line[i] == '-' ? 1 : (line[i] >= '0' && line[i] <= '9' ? line[i] - '0' : 0);
    line[68] = char('0' + sum % 10);
    return line;
}

// The first record's element set with `from` replaced by `to` in one of its lines.
QByteArray EditedTle(const QByteArray& from, const QByteArray& to) {
    const Record& r = kRecords[0];
    return QByteArray(r.name) + "\n" + WithChecksum(QByteArray(r.tle1).replace(from, to)) + "\n" +
           WithChecksum(QByteArray(r.tle2).replace(from, to)) + "\n";
}

QByteArray Utf16(const QString& text, QSysInfo::Endian order, bool mark) {
    QByteArray out = mark ? QByteArray(order == QSysInfo::LittleEndian ? "\xFF\xFE" : "\xFE\xFF", 2)
                          : QByteArray();
    for (const QChar c : text) {
        const char high = char(c.unicode() >> 8), low = char(c.unicode() & 0xff);
        out.append(order == QSysInfo::LittleEndian ? low : high);
        out.append(order == QSysInfo::LittleEndian ? high : low);
    }
    return out;
}

const char kSmallTable[] = R"(<satellites>
  <sat name="19.2E Astra 1KR" flags="1" position="192"/>
  <sat name="42.0E Türksat 4A" flags="1" position="420"/>
</satellites>)";

// The position of the line that names `name`, or NaN.
double PositionOf(const QByteArray& catalogue, const QString& name) {
    for (const QString& line : QString::fromUtf8(catalogue).split(QStringLiteral("\r\n")))
        if (line.section(QLatin1Char('|'), 1).contains(name))
            return line.section(QLatin1Char('|'), 0, 0).toDouble();
    return std::nan("");
}

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestCatalogueImport : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void siderealTime_data();
    void siderealTime();
    void elementsGiveSlots_data();
    void elementsGiveSlots();
    void onlyDriftersMove_data();
    void onlyDriftersMove();
    void driftToToday();
    void satellitesXmlMergesBands();
    void brokenFilesKeepPreviousCatalogue_data();
    void brokenFilesKeepPreviousCatalogue();
    void unusualFilesRead_data();
    void unusualFilesRead();
    void jsonReadAsQtReadsIt_data();
    void jsonReadAsQtReadsIt();
    void brokenJsonAsQtReportsIt_data();
    void brokenJsonAsQtReportsIt();
    void progressAndStop();
    void refusalInCurrentLanguage();
    void elementsGoWithTheCatalogue();
};

void TestCatalogueImport::siderealTime_data() {
    QTest::addColumn<QDateTime>("utc");
    QTest::addColumn<double>("degrees");
    QTest::newRow("J2000") << QDateTime(QDate(2000, 1, 1), QTime(12, 0), Qt::UTC) << 280.46061837;
    // A textbook example: 1992-08-20 12:14 UT gives 152.578788 degrees.
    QTest::newRow("1992-08-20 12:14")
        << QDateTime(QDate(1992, 8, 20), QTime(12, 14), Qt::UTC) << 152.578788;
}

void TestCatalogueImport::siderealTime() {
    QFETCH(QDateTime, utc);
    QFETCH(double, degrees);
    const double got = GreenwichSiderealDegrees(utc);
    QVERIFY2(std::fabs(got - degrees) < 1e-5, qPrintable(QString::number(got, 'f', 6)));
}

void TestCatalogueImport::elementsGiveSlots_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("format");
    QTest::newRow("three-line TLE") << Tle() << "TLE";
    QTest::newRow("OMM JSON") << OmmJson() << "OMM JSON";
    QTest::newRow("OMM CSV") << OmmCsv() << "OMM CSV";
    QTest::newRow("OMM XML") << OmmXml() << "OMM XML";
}

void TestCatalogueImport::elementsGiveSlots() {
    QFETCH(QByteArray, content);
    QFETCH(QString, format);
    // Elements 84 days old: station-kept satellites stay where their epoch puts them, though
    // their mean motions alone would have moved Astra more than a degree.
    const ImportedCatalogue imported =
        ConvertCatalogue(content, QStringLiteral("geo.txt"), kEpochTime.addDays(84));
    QCOMPARE(imported.format, format);
    QCOMPARE(imported.satellites, 4);
    const QList<QPair<QString, double>> expected{{QStringLiteral("ASTRA 1KR"), -19.2},
                                                 {QStringLiteral("HOTBIRD 13F"), -13.0},
                                                 {QStringLiteral("SES-17"), 67.1},
                                                 {QStringLiteral("INTELSAT 33E (incl.)"), -60.0}};
    for (const auto& [name, slot] : expected) {
        const double position = PositionOf(imported.bytes, name);
        QVERIFY2(std::fabs(position - slot) <= 0.1,
                 qPrintable(QStringLiteral("%1: %2, slot %3").arg(name).arg(position).arg(slot)));
    }
    QVERIFY(!imported.bytes.contains("ISS"));
    QVERIFY(imported.bytes.startsWith(";Version=20260301\r\n"));
    QVERIFY(imported.bytes.contains("\r\n;Epoch=2026-03-01T06:00:00Z\r\n"));
    QCOMPARE(imported.elementsEpoch, kEpochTime);
}

void TestCatalogueImport::onlyDriftersMove_data() {
    QTest::addColumn<double>("meanMotion"); // revolutions per day
    QTest::addColumn<double>("expected");   // degrees West positive, 84 days after the epoch
    QTest::addColumn<bool>("drifting");
    QTest::newRow("station-kept, 0.014 deg/day slow") << 1.0027 << -19.2 << false;
    QTest::newRow("station-kept, 0.040 deg/day fast") << 1.00285 << -19.2 << false;
    QTest::newRow("moved east at 0.36 deg/day") << 1.0037379 << -19.2 - 0.36 * 84 << true;
    QTest::newRow("moved west at 0.07 deg/day") << 1.0025435 << -19.2 + 0.07 * 84 << true;
}

void TestCatalogueImport::onlyDriftersMove() {
    QFETCH(double, meanMotion);
    QFETCH(double, expected);
    QFETCH(bool, drifting);
    const QByteArray json = QStringLiteral(R"([{"OBJECT_NAME": "SAT", "EPOCH": "%1",
        "MEAN_MOTION": %2, "ECCENTRICITY": 0.0001, "INCLINATION": 0.01, "RA_OF_ASC_NODE": 0,
        "ARG_OF_PERICENTER": 0, "MEAN_ANOMALY": %3}])")
                                .arg(QLatin1String(kEpoch))
                                .arg(meanMotion, 0, 'g', 17)
                                .arg(19.2 + GreenwichSiderealDegrees(kEpochTime), 0, 'g', 17)
                                .toUtf8();
    const ImportedCatalogue imported =
        ConvertCatalogue(json, QStringLiteral("omm.json"), kEpochTime.addDays(84));
    const double position = PositionOf(imported.bytes, QStringLiteral("SAT"));
    // The catalogue keeps tenths of a degree.
    QVERIFY2(std::fabs(position - expected) <= 0.05 + 1e-9,
             qPrintable(QStringLiteral("%1 rev/day: %2, expected %3 +- 0.05")
                            .arg(meanMotion)
                            .arg(position)
                            .arg(expected)));
    QCOMPARE(imported.bytes.contains("|SAT (drifting)\r\n"), drifting);
}

void TestCatalogueImport::driftToToday() {
    MeanElements elements;
    elements.epoch = kEpochTime;
    elements.meanMotion =
        1.0037379; // a thousandth of a turn a day faster: 3.6 degrees east in ten days
    elements.meanAnomaly = 19.2 + GreenwichSiderealDegrees(kEpochTime);
    const std::optional<double> later = GeostationaryPosition(elements, kEpochTime.addDays(10));
    QVERIFY(later);
    QVERIFY2(std::fabs(*later - (-19.2 - 3.6)) < 1e-6, qPrintable(QString::number(*later)));
    elements.eccentricity = 0.02;
    QVERIFY(!GeostationaryPosition(elements, kEpochTime));
}

void TestCatalogueImport::satellitesXmlMergesBands() {
    const QByteArray xml = R"(<?xml version="1.0" encoding="UTF-8"?>
<!-- File created on 2026-08-22T08:35:39 -->
<satellites>
  <sat name="133.0W C-band Galaxy 33" flags="1" position="-1331"><transponder frequency="1"/></sat>
  <sat name="133.0W Ku-band Galaxy 33" flags="1" position="-1330"></sat>
  <sat name="36.0E Eutelsat 36D &amp; Express AMU1" flags="1" position="360"/>
  <sat name="Thor 5" flags="1" position="-8"/>
</satellites>)";
    const ImportedCatalogue imported =
        ConvertCatalogue(xml, QStringLiteral("satellites.xml"), kEpochTime);
    const QStringList lines = QString::fromUtf8(imported.bytes).split(QStringLiteral("\r\n"));
    QCOMPARE(lines.mid(2), QStringList({"-36.0|Eutelsat 36D, Express AMU1", "0.8|Thor 5",
                                        "133.0|Galaxy 33", ""}));
    QCOMPARE(lines.at(0), QStringLiteral(";Version=20260822"));
}

void TestCatalogueImport::brokenFilesKeepPreviousCatalogue_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<qint64>("size"); // a sparse file of this size instead of content
    QTest::addColumn<QString>("message");
    QByteArray badChecksum = Tle();
    badChecksum.replace("285.3000", "285.4000");
    QByteArray wrongFieldCount = OmmCsv();
    wrongFieldCount.replace(",X,", ",");
    QTest::newRow("truncated satellites.xml")
        << QByteArray("<satellites><sat name=\"19.2E Astra\" position=\"192\">") << qint64(0)
        << "XML is broken";
    QTest::newRow("truncated OMM XML") << OmmXml().left(300) << qint64(0) << "XML is broken";
    QTest::newRow("TLE with a bad checksum") << badChecksum << qint64(0) << "checksum";
    QTest::newRow("TLE cut short") << Tle().left(100) << qint64(0) << "cut short";
    QTest::newRow("CSV without a needed column")
        << OmmCsv().replace("MEAN_ANOMALY", "ANOMALY") << qint64(0) << "lacks the column";
    QTest::newRow("CSV rows with wrong columns") << wrongFieldCount << qint64(0) << "fields";
    QTest::newRow("broken JSON") << OmmJson().chopped(5) << qint64(0) << "JSON is broken";
    QTest::newRow("only a low orbit")
        << QByteArray(kRecords[4].name) + "\n" + kRecords[4].tle1 + "\n" + kRecords[4].tle2
        << qint64(0) << "no geostationary";
    QTest::newRow("not a catalogue")
        << QByteArray("hello\nworld\n") << qint64(0) << "not a catalogue line";
    QTest::newRow("over-long name")
        << "-19.2|" + QByteArray(300, 'x') << qint64(0) << "at most 200";
    QTest::newRow("TLE day of year NaN")
        << EditedTle("26060.25000000", "26         nan") << qint64(0) << "hold no number";
    QTest::newRow("TLE day 366 of a common year")
        << EditedTle("26060.25000000", "26366.50000000") << qint64(0) << "day of the year";
    QTest::newRow("TLE node 1e308") << EditedTle("285.3000", "   1e308") << qint64(0)
                                    << "RA_OF_ASC_NODE = 1e+308 is out of range";
    QTest::newRow("TLE inclination nan")
        << EditedTle("  0.0410", "     nan") << qint64(0) << "hold no number";
    QTest::newRow("OMM second 99")
        << OmmCsv().replace("06:00:00.000000", "23:59:99.000000") << qint64(0) << "EPOCH";
    QTest::newRow("OMM node 1e308")
        << OmmJson().replace("285.3", "1e308") << qint64(0) << "out of range";
    QTest::newRow("catalogue position nan")
        << QByteArray("-19.2|Astra\r\nnan|A\r\n") << qint64(0) << "not a catalogue line";
    QTest::newRow("satellites.xml position INT_MIN")
        << QByteArray(R"(<satellites><sat name="X" position="-2147483648"/></satellites>)")
        << qint64(0) << "not in tenths";
    QTest::newRow("XML declaring entities")
        << QByteArray(R"(<!DOCTYPE satellites [<!ENTITY e "Astra">]>
<satellites><sat name="19.2E &e;" position="192"/></satellites>)")
        << qint64(0) << "declares entities";
    QTest::newRow("33 MB satellites.xml")
        << QByteArray(kSmallTable)
               .replace("</satellites>", QByteArray(33 << 20, ' ') + "</satellites>")
        << qint64(0) << "up to 32 MB";
    QTest::newRow("1 GB file") << QByteArray() << (qint64(1) << 30) << "at most 64 MB";
    QTest::newRow("own format longer than a catalogue may be")
        << QByteArray("-19.2|Astra\r\n").repeated(400000) << qint64(0) << "at most 4194304";
}

void TestCatalogueImport::brokenFilesKeepPreviousCatalogue() {
    QFETCH(QByteArray, content);
    QFETCH(qint64, size);
    QFETCH(QString, message);
    const QByteArray previous = "; mine\r\n-19.2|Astra\r\n";
    WriteUserCatalogue(previous);
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("import.txt")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    QVERIFY(size ? file.resize(size) : file.write(content) == content.size());
    file.close();
    try {
        ImportCatalogueFile(file.fileName(), kEpochTime);
        QFAIL("the import succeeded");
    } catch (const CatalogueError& error) {
        QVERIFY2(QString::fromUtf8(error.what()).contains(message), error.what());
    }
    QCOMPARE(ReadAll(UserCatalogueFile()), previous);
    QVERIFY(RemoveUserCatalogue());
    QVERIFY(!QFile::exists(UserCatalogueFile()));
}

void TestCatalogueImport::unusualFilesRead_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("expected"); // a piece of the output
    const QString table = QString::fromUtf8(kSmallTable);
    const QString declared = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-16\"?>\n");
    // Every published table holds the C band of 180.0 E as position 1801.
    QTest::newRow("180.1 E named 180.0E") << QByteArray(R"(<satellites>
  <sat name="180.0E Ku-band Intelsat 18" flags="1" position="1800"/>
  <sat name="180.0E C-band Intelsat 18" flags="1" position="1801"/>
</satellites>)") << "satellites.xml"
                                          << "\r\n-180.0|Intelsat 18\r\n";
    QTest::newRow("name of 200 characters")
        << "<satellites><sat name=\"" + QByteArray(200, 'N') + "\" position=\"192\"/></satellites>"
        << "satellites.xml"
        << "\r\n-19.2|" + QString(200, QLatin1Char('N')) + "\r\n";
    QTest::newRow("180.1 E unnamed")
        << QByteArray(R"(<satellites><sat name="Far East" position="1801"/></satellites>)")
        << "satellites.xml"
        << "\r\n179.9|Far East\r\n";
    QTest::newRow("UTF-8 mark") << "\xEF\xBB\xBF" + QByteArray(kSmallTable) << "satellites.xml"
                                << "\r\n-42.0|Türksat 4A\r\n";
    QTest::newRow("UTF-16 little-endian with mark")
        << Utf16(declared + table, QSysInfo::LittleEndian, true) << "satellites.xml"
        << "\r\n-42.0|Türksat 4A\r\n";
    QTest::newRow("UTF-16 big-endian without mark")
        << Utf16(declared + table, QSysInfo::BigEndian, false) << "satellites.xml"
        << "\r\n-42.0|Türksat 4A\r\n";
    QTest::newRow("JSON with a mark") << "\xEF\xBB\xBF" + OmmJson() << "OMM JSON"
                                      << "|ASTRA 1KR";
    QTest::newRow("TLE named in angle brackets")
        << Tle().replace("ASTRA 1KR", "<ASTRA 1KR>") << "TLE"
        << "|<ASTRA 1KR>\r\n";
    QTest::newRow("catalogue in UTF-16")
        << Utf16(QStringLiteral("-42.0|Türksat\r\n"), QSysInfo::LittleEndian, true) << "catalogue"
        << "-42.0|Türksat\r\n";
}

void TestCatalogueImport::unusualFilesRead() {
    QFETCH(QByteArray, content);
    QFETCH(QString, format);
    QFETCH(QString, expected);
    try {
        const ImportedCatalogue imported =
            ConvertCatalogue(content, QStringLiteral("in"), kEpochTime.addSecs(43200));
        QCOMPARE(imported.format, format);
        QVERIFY2(QString::fromUtf8(imported.bytes).contains(expected), imported.bytes.constData());
    } catch (const CatalogueError& error) {
        QFAIL(error.what());
    }
}

namespace {

// The JSON records of kRecords, the first with `members` added to its object.
QByteArray OmmJsonWith(const QByteArray& members) {
    QByteArray json = OmmJson();
    json.insert(json.indexOf('{') + 1, members + ", ");
    return json;
}

// What a conversion gives: the catalogue and element file, or the error's text.
QByteArray ConversionOf(const QByteArray& content) {
    try {
        const ImportedCatalogue imported =
            ConvertCatalogueAs(ImportReader::OmmJson, content, QStringLiteral("in"), kEpochTime);
        return imported.bytes + "--\n" + imported.elements + "--\n" +
               QByteArray::number(imported.satellites);
    } catch (const CatalogueError& error) {
        return error.what();
    }
}

} // namespace

void TestCatalogueImport::jsonReadAsQtReadsIt_data() {
    QTest::addColumn<QByteArray>("members"); // added to the first record; the last of a name counts
    QTest::newRow("escapes in the name")
        << QByteArray(R"("OBJECT_NAME": "A\u00e9\ud800 \/\"\\ \t\u0041Z")");
    QTest::newRow("raw UTF-8 and a noncharacter in the name")
        << QByteArray("\"OBJECT_NAME\": \"T\xc3\xbcrksat \xef\xbf\xbe\"");
    QTest::newRow("escaped keyword") << QByteArray(R"("OBJECT\u005fNAME": "ESCAPED")");
    QTest::newRow("nested values") << QByteArray(R"("X": {"a": [1, {"b": null}], "c": true})");
    QTest::newRow("number as text") << QByteArray(R"("INCLINATION": "  0.5 ")");
    QTest::newRow("name as number") << QByteArray(R"("OBJECT_NAME": -0.0)");
    QTest::newRow("negative zero") << QByteArray(R"("INCLINATION": -0)");
    QTest::newRow("exponent") << QByteArray(R"("MEAN_MOTION": 1.0027E+0)");
    QTest::newRow("null value") << QByteArray(R"("INCLINATION": null)");
    QTest::newRow("half at the element file's last digit")
        << QByteArray(R"("RA_OF_ASC_NODE": 100.0009765625)");
    QTest::newRow("epoch with a space and Z") << QByteArray(R"("EPOCH": "2026-03-01 06:00:00Z")");
    QTest::newRow("epoch with a bare point") << QByteArray(R"("EPOCH": "2026-03-01T06:00:00.")");
    QTest::newRow("epoch on no day") << QByteArray(R"("EPOCH": "2026-02-30T06:00:00")");
    QTest::newRow("epoch with a long fraction")
        << QByteArray(R"("EPOCH": "2026-03-01T06:00:00.99999999999999999999")");
}

// The streaming reader and Qt's reader give the same conversion: a raw control character in a
// string, which Qt's reader takes and the streaming one leaves to it, sends the second copy of each
// file through Qt's reader.
void TestCatalogueImport::jsonReadAsQtReadsIt() {
    QFETCH(QByteArray, members);
    const QByteArray streamed = ConversionOf(OmmJsonWith(members));
    const QByteArray throughQt = ConversionOf(OmmJsonWith("\"PAD\": \"\x01\", " + members));
    QCOMPARE(streamed, throughQt);
}

void TestCatalogueImport::brokenJsonAsQtReportsIt_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("comma before the end") << QByteArray("[{\"A\": 1},]");
    QTest::newRow("a broken record after one out of range")
        << OmmJsonWith(R"("INCLINATION": 500)") + " x";
    QTest::newRow("number without digits") << OmmJsonWith(R"("X": -)");
    QTest::newRow("number too large") << OmmJsonWith(R"("X": 1e400)");
    QTest::newRow("broken UTF-8") << OmmJsonWith("\"X\": \"\xed\xa0\x80\"");
    QTest::newRow("unterminated string") << QByteArray("[{\"A\": \"x");
    QTest::newRow("value at the top") << QByteArray("\"text\"");
}

void TestCatalogueImport::brokenJsonAsQtReportsIt() {
    QFETCH(QByteArray, content);
    QJsonParseError error;
    QVERIFY(QJsonDocument::fromJson(content, &error).isNull());
    QCOMPARE(QString::fromUtf8(ConversionOf(content)),
             FormatPercentS(BuiltInConstantText(Constant::ImportBrokenJson),
                            {QString::number(error.offset), error.errorString()}));
}

void TestCatalogueImport::progressAndStop() {
    QList<double> shares;
    ConversionControl control;
    control.progress = [&](double share) { shares << share; };
    ConvertCatalogue(Tle(), QStringLiteral("geo.txt"), kEpochTime, control);
    QVERIFY2(shares.size() >= 2 && std::is_sorted(shares.cbegin(), shares.cend()) &&
                 shares.first() >= 0.0 && shares.last() <= 1.0,
             qPrintable(QString::number(shares.size())));
    std::stop_source stop;
    control.stop = stop.get_token();
    stop.request_stop();
    QVERIFY_THROWS_EXCEPTION(ImportCancelled,
                             ConvertCatalogue(OmmXml(), QString(), kEpochTime, control));
}

void TestCatalogueImport::refusalInCurrentLanguage() {
    SetConstantText(Constant::ImportLine, QStringLiteral("Zeile %s"));
    SetConstantText(Constant::ImportTleChecksum, QStringLiteral("%s: Prüfsumme falsch"));
    try {
        ConvertCatalogue(EditedTle("285.3000", "285.4000").replace("99", "98"), QString(),
                         kEpochTime);
        QFAIL("a damaged element set was accepted");
    } catch (const CatalogueError& error) {
        QCOMPARE(ImportErrorText(error), QStringLiteral("Zeile 2: Prüfsumme falsch"));
        QVERIFY2(QByteArray(error.what()).startsWith("Line 2: the checksum"), error.what());
    }
    ResetConstants();
}

// The element sets of an import are kept beside the user's catalogue, give the list the daily
// swing of the inclined satellite, follow an addition and go when the catalogue goes.
void TestCatalogueImport::elementsGoWithTheCatalogue() {
    QTemporaryDir folder; // no satpos.dat here: the user's catalogue is the one read
    const QString start = QDir::currentPath();
    QVERIFY(QDir::setCurrent(folder.path()));
    const ImportedCatalogue imported = ConvertCatalogue(Tle(), "geo.txt", kEpochTime);
    const std::vector<StoredElements> sets = ParseElementLines(imported.elements);
    QCOMPARE(int(sets.size()), 4);
    const double intelsat = PositionOf(imported.bytes, "INTELSAT 33E");
    const MeanElements* found = FindElements(sets, intelsat, "INTELSAT 33E (incl.)");
    QVERIFY(found);
    QCOMPARE(found->inclination, 2.514);
    QCOMPARE(found->epoch, kEpochTime);

    WriteUserCatalogue(imported.bytes);
    WriteUserElements(imported.elements);
    Session session(folder.filePath("libgeomag_absent.so"));
    session.setSite(Site::FromInputs("47.16", true, "16.16", false));
    QCOMPARE(session.catalogueSource(), CatalogueSource::User);
    int moving = 0;
    for (const SatelliteRecord& record : session.records()) {
        if (record->Name.contains("INTELSAT")) {
            // 2.5° of inclination seen from mid-latitudes: several degrees up and down a day.
            QVERIFY2(record->DailyElevationSpan > 2.0 && record->DailyElevationSpan < 6.0,
                     qPrintable(QString::number(record->DailyElevationSpan)));
            QCOMPARE(int(record->DailyPath.size()), 97);
            ++moving;
        } else {
            QVERIFY(!record->movesDaily());
        }
    }
    QCOMPARE(moving, 1);

    // A table stating Astra's position replaces Astra's elements, and only them.
    const ImportedCatalogue table = ConvertCatalogue(kSmallTable, "satellites.xml", kEpochTime);
    const ImportedCatalogue added = AddToUserCatalogue(table);
    const std::vector<StoredElements> kept = ParseElementLines(added.elements);
    QCOMPARE(int(kept.size()), 3);
    QVERIFY(!FindElements(kept, PositionOf(imported.bytes, "ASTRA 1KR"), "ASTRA 1KR"));

    QVERIFY(RemoveUserCatalogue());
    QVERIFY(!QFile::exists(UserElementsFile()));
    QDir::setCurrent(start);
}

QTEST_GUILESS_MAIN(TestCatalogueImport)
#include "tst_catalogueimport.moc"
