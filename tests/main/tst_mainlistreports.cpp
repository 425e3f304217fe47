#include "../TestSupport.h"
#include "MainListReports.h"

#include "Calculation.h"
#include "Catalogue.h"
#include "GridView.h"
#include "LookAngles.h"
#include "NumberText.h"
#include "SatelliteList.h"
#include "SatelliteTableModel.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QSortFilterProxyModel>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <memory>

using namespace skyvane;
using namespace skyvane::testing;

namespace {

// The list as the main window fills it for the built-in catalogue and the default site,
// 47.16 N 16.16 E, in the current default locale.
void FillDefaultSite(SatelliteTableModel& table) {
    table.setRecords(CalculateVisibleSatellites(BuiltInCatalogueLines(), 47.16, -16.16).visible);
}

// The same on a grid, for the printout.
void FillDefaultSite(GridView& grid, SatelliteTableModel& table) {
    FillDefaultSite(table);
    grid.setSourceModel(&table);
    AddSatelliteListColumns(grid);
}

MainListReportInputs DefaultInputs();

// A printout's heading with fixed notes, so that the text does not depend on the day.
MainListPrintInputs PrintInputs() {
    return {DefaultInputs(),
            {QStringLiteral("Date: 01/02/2026"), QStringLiteral("Catalogue: 20250601"),
             QStringLiteral("Azimuths: from true north")}};
}

MainListReportInputs DefaultInputs() {
    MainListReportInputs inputs;
    inputs.heading = QStringLiteral("Azimuth & Elevation");
    inputs.site.captions.latitude = QStringLiteral("Latitude");
    inputs.site.facts.latitudeText = QStringLiteral("47.16");
    inputs.site.facts.latitudeNorth = true;
    inputs.site.captions.longitude = QStringLiteral("Longitude");
    inputs.site.facts.longitudeText = QStringLiteral("16.16");
    inputs.site.facts.longitudeWest = false;
    inputs.site.captions.city = QStringLiteral("City:");
    inputs.site.captions.declination = QStringLiteral("Magnetic declination:");
    inputs.site.facts.declinationText = QStringLiteral("-");
    return inputs;
}

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray("<missing>");
    return file.readAll();
}

QStringList Lines(const QByteArray& bytes) {
    QStringList lines = QString::fromLatin1(bytes).split(QStringLiteral("\r\n"));
    if (!lines.isEmpty() && lines.constLast().isEmpty())
        lines.removeLast();
    return lines;
}

// Answers every save dialog with `path` and remembers what was asked.
struct SaveAnswer {
    explicit SaveAnswer(const QString& path) {
        DialogSeam::setSaveFileHook([this, path](const SaveDialogRequest& request) {
            requests << request;
            return path;
        });
    }
    ~SaveAnswer() { DialogSeam::clearHooks(); }
    QList<SaveDialogRequest> requests;
};

QString ExportHtml(const QTemporaryDir& dir, const MainListReportInputs& inputs,
                   const QAbstractItemModel& rows) {
    const QString path = dir.filePath(QStringLiteral("list.html"));
    SaveAnswer answer(path);
    ExportMainListToHtml(nullptr, inputs, rows);
    return path;
}

QString ExportCsv(const QTemporaryDir& dir, const QAbstractItemModel& rows) {
    const QString path = dir.filePath(QStringLiteral("list.csv"));
    SaveAnswer answer(path);
    ExportMainListToCsv(nullptr, rows);
    return path;
}

// Detail table data rows of an exported page.
QStringList DataRows(const QStringList& lines) {
    QStringList rows;
    for (const QString& line : lines)
        if (line.startsWith(QStringLiteral("<tr class=\"i")))
            rows << line;
    return rows;
}

void CompareWithGolden(const QString& actualPath, const QString& goldenName) {
    const QByteArray actual = ReadAll(actualPath);
    const QByteArray golden = ReadAll(QStringLiteral(GOLDEN_DIR "/") + goldenName);
    if (actual != golden) {
        const QString kept = QDir::temp().filePath(QStringLiteral("actual-") + goldenName);
        QFile::remove(kept);
        QFile::copy(actualPath, kept);
        QFAIL(qPrintable(QStringLiteral("%1 differs from the golden file; output kept as %2")
                             .arg(goldenName, kept)));
    }
}

struct PrintAnswer {
    PrintAnswer(const QString& pdfPath, int resolution, bool confirm) {
        DialogSeam::setPrintHook([=](QPrinter& printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdfPath);
            printer.setPageSize(QPageSize(QPageSize::A4));
            printer.setPageOrientation(QPageLayout::Portrait);
            printer.setFullPage(true);
            printer.setResolution(resolution);
            return confirm;
        });
    }
    ~PrintAnswer() { DialogSeam::clearHooks(); }
};

// The text of each page of a PDF, or an empty list when pdftotext is not installed.
QStringList PdfPages(const QString& pdfPath) {
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        return {};
    QProcess process;
    process.start(QStringLiteral("pdftotext"),
                  {QStringLiteral("-layout"), pdfPath, QStringLiteral("-")});
    process.waitForFinished(60000);
    QStringList pages = QString::fromUtf8(process.readAllStandardOutput()).split(QChar('\f'));
    if (!pages.isEmpty() && pages.constLast().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

} // namespace

class TestMainListReports : public QObject {
    Q_OBJECT

private slots:
    void init() { QLocale::setDefault(QLocale::c()); }
    void cleanup() {
        DialogSeam::clearHooks();
        QLocale::setDefault(QLocale::c());
    }

    void htmlMatchesTheGoldenFile();
    void csvMatchesTheGoldenFile();
    void motorColumnOnlyWhenShown_data();
    void motorColumnOnlyWhenShown();
    void saveDialogsAskInQtsForm_data();
    void saveDialogsAskInQtsForm();
    void cancelledExportsWriteNothing();

    void csvInACommaLocale();
    void emptyListHasOnlyHeaders();
    void sortedGridKeepsAlternatingClasses();
    void awkwardNameIsEscapedAndQuoted();
    void optionalInformationRows_data();
    void optionalInformationRows();
    void siteRowsRepeatTheTypedText();
    void failedExportKeepsTheEarlierFile();
    void failedExportTellsFileAndReason_data();
    void failedExportTellsFileAndReason();

    void layoutSharesAndPages();
    void printsOnPages_data();
    void printsOnPages();
    void cancelledPrintPrintsNothing();
    void printoutMatchesTheGoldenText();
    void previewShowsWhatIsPrinted_data();
    void previewShowsWhatIsPrinted();
    void printedColumnsKeepAGap();
};

void TestMainListReports::htmlMatchesTheGoldenFile() {
    QTemporaryDir dir;
    SatelliteTableModel table;
    FillDefaultSite(table);
    QCOMPARE(table.rowCount(), 67);

    CompareWithGolden(ExportHtml(dir, DefaultInputs(), table), QStringLiteral("main_list_en.html"));
}

void TestMainListReports::csvMatchesTheGoldenFile() {
    QTemporaryDir dir;
    SatelliteTableModel table;
    FillDefaultSite(table);

    CompareWithGolden(ExportCsv(dir, table), QStringLiteral("main_list_en.csv"));
}

void TestMainListReports::motorColumnOnlyWhenShown_data() {
    QTest::addColumn<bool>("shown");
    QTest::addColumn<int>("columns");
    QTest::newRow("hidden, as by default") << false << 5;
    QTest::newRow("shown") << true << 6;
}

// The reports and the printout follow the list's columns: the motor column only when shown.
void TestMainListReports::motorColumnOnlyWhenShown() {
    QFETCH(bool, shown);
    QFETCH(int, columns);
    SatelliteTableModel table;
    GridView grid;
    FillDefaultSite(grid, table);
    table.setMotorColumnShown(!shown);
    table.setMotorColumnShown(shown);
    const QStringList csv = MainListCsvLines(*grid.model());
    QCOMPARE(csv.first().count(QLatin1Char(';')) + 1, columns);
    QCOMPARE(csv.at(1).count(QLatin1Char(';')) + 1, columns);
    const QStringList html = DetailTableLines(*grid.model());
    QCOMPARE(html.at(2).count(QStringLiteral("<th>")), columns);
    QCOMPARE(int(grid.visibleColumnLayouts().size()), columns);
    if (shown) {
        // Astra at 19.2 E seen from 16.16 E: a few degrees East, signed West positive in CSV.
        const int astra = int(csv.indexOf(QRegularExpression(QStringLiteral("^-19\\.2;.*"))));
        QVERIFY(astra > 0);
        QVERIFY2(csv.at(astra).endsWith(QStringLiteral(";-3.39")), qPrintable(csv.at(astra)));
        QCOMPARE(table.headerData(SatelliteTableModel::Motor, Qt::Horizontal).toString(),
                 QString("Motor"));
    }
}

void TestMainListReports::saveDialogsAskInQtsForm_data() {
    QTest::addColumn<bool>("html");
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("suffix");

    QTest::newRow("HTML") << true << "HTML (*.html *.htm);;All extensions (*)"
                          << "html";
    QTest::newRow("CSV") << false << "CSV (*.csv);;All extensions (*)"
                         << "csv";
}

void TestMainListReports::saveDialogsAskInQtsForm() {
    QFETCH(bool, html);
    QFETCH(QString, filter);
    QFETCH(QString, suffix);
    SatelliteTableModel table;
    SaveAnswer answer(QString{});

    if (html)
        ExportMainListToHtml(nullptr, DefaultInputs(), table);
    else
        ExportMainListToCsv(nullptr, table);

    QCOMPARE(answer.requests.size(), 1);
    QCOMPARE(answer.requests.at(0).filter, filter);
    QCOMPARE(answer.requests.at(0).defaultSuffix, suffix);
}

void TestMainListReports::cancelledExportsWriteNothing() {
    QTemporaryDir dir;
    SatelliteTableModel table;
    FillDefaultSite(table);
    SaveAnswer cancel(QString{});

    ExportMainListToHtml(nullptr, DefaultInputs(), table);
    ExportMainListToCsv(nullptr, table);

    QCOMPARE(cancel.requests.size(), 2);
    QVERIFY(QDir(dir.path()).isEmpty());
}

void TestMainListReports::csvInACommaLocale() {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    QTemporaryDir dir;
    SatelliteTableModel table;
    FillDefaultSite(table);

    const QStringList csv = Lines(ReadAll(ExportCsv(dir, table)));
    const QStringList html = Lines(ReadAll(ExportHtml(dir, DefaultInputs(), table)));

    const auto astra = std::find_if(csv.begin(), csv.end(), [](const QString& line) {
        return line.startsWith(QStringLiteral("-19,2;Astra"));
    });
    QVERIFY2(astra != csv.end(), "no line for 19.2 E");
    const QStringList fields = astra->split(QLatin1Char(';'));
    QCOMPARE(fields.size(), 5);
    for (int i = 2; i < 5; ++i)
        QVERIFY2(QRegularExpression(QStringLiteral("^-?\\d+,\\d\\d$")).match(fields[i]).hasMatch(),
                 qPrintable(*astra));
    QVERIFY(html.join(QChar('\n')).contains(QStringLiteral("<tr class=\"i0\"><td>19,2")) ||
            html.join(QChar('\n')).contains(QStringLiteral("<tr class=\"i1\"><td>19,2")));
}

void TestMainListReports::emptyListHasOnlyHeaders() {
    QTemporaryDir dir;
    SatelliteTableModel table;

    const QStringList html = Lines(ReadAll(ExportHtml(dir, DefaultInputs(), table)));
    const QStringList csv = Lines(ReadAll(ExportCsv(dir, table)));

    const qsizetype header = html.indexOf(
        QStringLiteral("<tr class=\"hd\"><th>Position</th><th>Satellite name</th><th>Azimuth</th>"
                       "<th>Elevation</th><th>Skew</th></tr>"));
    QVERIFY(header > 0);
    QCOMPARE(html.at(header + 1), QStringLiteral("</table></div>"));
    QCOMPARE(csv, QStringList{"Position;Satellite name;Azimuth;Elevation;Skew"});
}

void TestMainListReports::sortedGridKeepsAlternatingClasses() {
    QTemporaryDir dir;
    SatelliteTableModel table;
    FillDefaultSite(table);
    // Sorted as a view sorts it, without one.
    QSortFilterProxyModel sorted;
    sorted.setSourceModel(&table);
    sorted.setSortRole(kSortRole);
    sorted.sort(SatelliteTableModel::Azimuth);
    double smallest = 1e9;
    QString westmost;
    for (const SatelliteRecord& record : table.records())
        if (record->Azimuth < smallest) {
            smallest = record->Azimuth;
            westmost = record->Name;
        }

    const QStringList rows = DataRows(Lines(ReadAll(ExportHtml(dir, DefaultInputs(), sorted))));
    const QStringList csv = Lines(ReadAll(ExportCsv(dir, sorted)));

    QCOMPARE(rows.size(), 67);
    for (int r = 0; r < rows.size(); ++r)
        QVERIFY2(rows[r].startsWith(r % 2 ? QStringLiteral("<tr class=\"i1\">")
                                          : QStringLiteral("<tr class=\"i0\">")),
                 qPrintable(rows[r]));
    QVERIFY2(rows[0].contains(QStringLiteral("<td>") + westmost + QStringLiteral("</td>")),
             qPrintable(rows[0]));
    QCOMPARE(csv.at(1).section(QLatin1Char(';'), 1, 1), westmost);
}

void TestMainListReports::awkwardNameIsEscapedAndQuoted() {
    QTemporaryDir dir;
    SatelliteTableModel table;
    auto record = std::make_shared<TSatelliteData>();
    record->Name = QStringLiteral("A&B <C>; D");
    record->Position = -13.0;
    record->Azimuth = 180.004;
    record->Elevation = 35.005;
    record->Skew = -0.015;
    table.setRecords({record});

    const QStringList html = Lines(ReadAll(ExportHtml(dir, DefaultInputs(), table)));
    const QStringList csv = Lines(ReadAll(ExportCsv(dir, table)));

    QCOMPARE(DataRows(html), QStringList{"<tr class=\"i0\"><td>13.0° E</td><td>A&amp;B "
                                         "&lt;C&gt;; D</td><td>180.00</td><td>35.00</td>"
                                         "<td>-0.02</td></tr>"});
    QCOMPARE(csv.at(1), QStringLiteral("-13;\"A&B <C>; D\";180.00;35.00;-0.02"));
}

void TestMainListReports::optionalInformationRows_data() {
    QTest::addColumn<QString>("town");
    QTest::addColumn<bool>("declination");
    QTest::addColumn<QStringList>("rows");

    const QString latitude = QStringLiteral(
        "<tr><td class=\"info0\">Latitude:</td><td class=\"value0\">47.16&deg; N</td></tr>");
    const QString longitude = QStringLiteral(
        "<tr><td class=\"info0\">Longitude:</td><td class=\"value0\">16.16&deg; E</td></tr>");
    const QString city = QStringLiteral(
        "<tr><td class=\"info0\">City:</td><td class=\"value0\">Szombathely</td></tr>");
    const QString magnetic = QStringLiteral("<tr><td class=\"info0\">Magnetic declination:</td>"
                                            "<td class=\"value0\">-</td></tr>");

    QTest::newRow("site only") << "" << false << QStringList{latitude, longitude};
    QTest::newRow("town found") << "Szombathely" << false << QStringList{latitude, longitude, city};
    QTest::newRow("declination ticked") << "" << true << QStringList{latitude, longitude, magnetic};
    QTest::newRow("town, then declination")
        << "Szombathely" << true << QStringList{latitude, longitude, city, magnetic};
}

void TestMainListReports::optionalInformationRows() {
    QFETCH(QString, town);
    QFETCH(bool, declination);
    QFETCH(QStringList, rows);
    QTemporaryDir dir;
    SatelliteTableModel table;
    MainListReportInputs inputs = DefaultInputs();
    inputs.site.facts.townName = town;
    inputs.site.facts.declinationTicked = declination;

    const QStringList html = Lines(ReadAll(ExportHtml(dir, inputs, table)));

    const qsizetype start = html.indexOf(QStringLiteral("<table>"));
    const qsizetype end = html.indexOf(QStringLiteral("</table>"));
    QVERIFY(start > 0 && end > start);
    QCOMPARE(html.mid(start + 1, end - start - 1), rows);
}

void TestMainListReports::siteRowsRepeatTheTypedText() {
    QTemporaryDir dir;
    SatelliteTableModel table;
    MainListReportInputs inputs = DefaultInputs();
    inputs.site.facts.latitudeText = QStringLiteral("47,160");
    inputs.site.facts.latitudeNorth = false;
    inputs.site.facts.longitudeText = QStringLiteral("-16.16");
    inputs.site.facts.longitudeWest = true;

    const QString page = QString::fromLatin1(ReadAll(ExportHtml(dir, inputs, table)));

    QVERIFY(page.contains(QStringLiteral("<td class=\"value0\">47,160&deg; S</td>")));
    QVERIFY(page.contains(QStringLiteral("<td class=\"value0\">-16.16&deg; W</td>")));
}

void TestMainListReports::failedExportKeepsTheEarlierFile() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("list.csv"));
    {
        QFile earlier(path);
        QVERIFY(earlier.open(QIODevice::WriteOnly));
        earlier.write("earlier\r\n");
    }
    SatelliteTableModel table;
    std::vector<SatelliteRecord> records =
        CalculateVisibleSatellites(BuiltInCatalogueLines(), 47.16, -16.16).visible;
    records.push_back(nullptr); // a row without its record fails the export
    table.setRecords(records);
    SaveAnswer answer(path);
    QStringList messages;
    DialogSeam::setMessageHook(
        [&](QMessageBox::Icon, const QString&, const QString& text) { messages << text; });

    ExportMainListToCsv(nullptr, table);

    QCOMPARE(ReadAll(path), QByteArray("earlier\r\n"));
    QCOMPARE(messages.size(), 1);
}

void TestMainListReports::failedExportTellsFileAndReason_data() {
    QTest::addColumn<bool>("html");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("reason");
    QTest::newRow("HTML into a missing folder") << true << "missing/list.html"
                                                << "No such file or directory";
    QTest::newRow("CSV below a regular file") << false << "file/list.csv" << NotADirectory();
}

void TestMainListReports::failedExportTellsFileAndReason() {
    QFETCH(bool, html);
    QFETCH(QString, name);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    QFile regular(dir.filePath(QStringLiteral("file")));
    QVERIFY(regular.open(QIODevice::WriteOnly));
    regular.close();
    SatelliteTableModel table;
    FillDefaultSite(table);
    const QString path = dir.filePath(name);
    SaveAnswer answer(path);
    QStringList messages;
    DialogSeam::setMessageHook(
        [&](QMessageBox::Icon, const QString&, const QString& text) { messages << text; });

    if (html)
        ExportMainListToHtml(nullptr, DefaultInputs(), table);
    else
        ExportMainListToCsv(nullptr, table);

    QCOMPARE(messages.size(), 1);
    QVERIFY2(messages[0].contains(QDir::toNativeSeparators(path)), qPrintable(messages[0]));
    QVERIFY2(messages[0].contains(reason), qPrintable(messages[0]));
}

void TestMainListReports::layoutSharesAndPages() {
    // 900 printable units shared by 564 screen pixels.
    const GridPrintLayout layout = LayoutGridPrint({50, 214, 100, 100, 100}, 16, QSize(1000, 842));

    QCOMPARE(layout.columnShare, (std::vector<int>{80, 341, 160, 160, 160}));
    QCOMPARE(layout.columnLeft, (std::vector<int>{50, 130, 471, 631, 791}));
    // First page: rows from 50 + 100; the last band must end by 842 - 50.
    QCOMPARE(layout.rowTop[0], 150);
    QCOMPARE(layout.rowTop[6], 666);
    QCOMPARE(layout.rowPage[6], 0);
    // Later pages start at the top margin: no header there.
    QCOMPARE(layout.rowPage[7], 1);
    QCOMPARE(layout.rowTop[7], 50);
    QCOMPARE(layout.rowTop[14], 652);
    QCOMPARE(layout.rowPage[15], 2);
    QCOMPARE(layout.pageCount, 3);
}

void TestMainListReports::printsOnPages_data() {
    QTest::addColumn<int>("resolution");
    QTest::addColumn<int>("pages");
    QTest::addColumn<int>("firstRowOfPageTwo");

    // A4 at 300 dpi is 3508 units high: 31 rows below the heading's seven lines and the
    // captions, 39 on a later page.
    QTest::newRow("A4 at 300 dpi") << 300 << 2 << 31;
    // At 72 dpi, 842 units: the heading leaves room for no row, yet the first page takes one;
    // then 8 a page.
    QTest::newRow("A4 at 72 dpi") << 72 << 10 << 1;
    QTest::newRow("A4 at 600 dpi, one page") << 600 << 1 << -1;
}

void TestMainListReports::printsOnPages() {
    QFETCH(int, resolution);
    QFETCH(int, pages);
    QFETCH(int, firstRowOfPageTwo);
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("list.pdf"));
    GridView grid;
    SatelliteTableModel table;
    FillDefaultSite(grid, table);
    PrintAnswer answer(pdf, resolution, true);

    PrintMainList(nullptr, PrintInputs(), *grid.model(), grid.visibleColumnLayouts(), grid.font());

    QVERIFY(QFile::exists(pdf));
    const QStringList text = PdfPages(pdf);
    if (text.isEmpty())
        QSKIP("pdftotext is not installed");
    QCOMPARE(text.size(), pages);
    QVERIFY(text.at(0).contains(QStringLiteral("Satellite name")));
    QVERIFY(text.at(0).contains(grid.cellText(0, 1).trimmed()));
    for (int page = 1; page < text.size(); ++page)
        QVERIFY2(!text.at(page).contains(QStringLiteral("Satellite name")),
                 qPrintable(QStringLiteral("header on page %1").arg(page + 1)));
    if (firstRowOfPageTwo >= 0) {
        QVERIFY(text.at(1).contains(grid.cellText(firstRowOfPageTwo, 1).trimmed()));
        QVERIFY(!text.at(0).contains(grid.cellText(firstRowOfPageTwo, 1).trimmed()));
    }
}

void TestMainListReports::cancelledPrintPrintsNothing() {
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("list.pdf"));
    GridView grid;
    SatelliteTableModel table;
    FillDefaultSite(grid, table);
    PrintAnswer answer(pdf, 300, false);

    PrintMainList(nullptr, PrintInputs(), *grid.model(), grid.visibleColumnLayouts(), grid.font());

    QVERIFY(!QFile::exists(pdf));
}

// The texts drawn and their order, page by page; positions depend on the fonts installed.
void TestMainListReports::printoutMatchesTheGoldenText() {
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("list.pdf"));
    GridView grid;
    SatelliteTableModel table;
    FillDefaultSite(grid, table);
    grid.sortRows(SatelliteTableModel::Elevation, Qt::DescendingOrder);
    grid.setColumnHidden(SatelliteTableModel::Skew, true);
    PrintAnswer answer(pdf, 300, true);

    PrintMainList(nullptr, PrintInputs(), *grid.model(), grid.visibleColumnLayouts(), grid.font());

    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("pdftotext is not installed");
    QProcess process;
    const QString text = dir.filePath(QStringLiteral("main_list_print.txt"));
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-raw"), pdf, text});
    QVERIFY(process.waitForFinished(60000));
    CompareWithGolden(text, QStringLiteral("main_list_print.txt"));
}

void TestMainListReports::previewShowsWhatIsPrinted_data() {
    QTest::addColumn<bool>("magnetic");
    QTest::addColumn<QString>("town");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("true north, no town")
        << false << QString()
        << QStringList{"Azimuth & Elevation", "Latitude: 47.16\u00b0 N", "Longitude: 16.16\u00b0 E",
                       "Catalogue: 20250601", "Azimuths: from true north"};
    QTest::newRow("magnetic, with town")
        << true << QStringLiteral("Szombathely")
        << QStringList{"City: Szombathely", "Magnetic declination: 4.50\u00b0",
                       "Azimuths: magnetic"};
}

void TestMainListReports::previewShowsWhatIsPrinted() {
    QFETCH(bool, magnetic);
    QFETCH(QString, town);
    QFETCH(QStringList, expected);
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("preview.pdf"));
    GridView grid;
    SatelliteTableModel table;
    FillDefaultSite(grid, table);
    MainListPrintInputs inputs = PrintInputs();
    inputs.site.facts.townName = town;
    inputs.site.facts.declinationTicked = magnetic;
    inputs.site.facts.declinationText = QStringLiteral("4.50\u00b0");
    if (magnetic)
        inputs.notes.last() = QStringLiteral("Azimuths: magnetic");
    DialogSeam::setPrintPreviewHook([&](QPrinter& printer, const auto& paint) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        paint(printer);
    });

    PreviewMainList(nullptr, inputs, *grid.model(), grid.visibleColumnLayouts(), grid.font());

    const QStringList pages = PdfPages(pdf);
    if (pages.isEmpty())
        QSKIP("pdftotext is not installed");
    const QString head = pages.at(0).left(pages.at(0).indexOf(QStringLiteral("Satellite name")));
    for (const QString& text : expected)
        QVERIFY2(head.contains(text),
                 qPrintable(QStringLiteral("%1 missing in:\n%2").arg(text, head)));
}

// A right-aligned position and the left-aligned name after it: the space between them is at
// least the height of the text, as pdftotext measures the words.
void TestMainListReports::printedColumnsKeepAGap() {
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("list.pdf"));
    GridView grid;
    SatelliteTableModel table;
    FillDefaultSite(grid, table);
    PrintAnswer answer(pdf, 300, true);
    PrintMainList(nullptr, PrintInputs(), *grid.model(), grid.visibleColumnLayouts(), grid.font());
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("pdftotext is not installed");
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    QVERIFY(process.waitForFinished(60000));
    // A hemisphere letter, then the next word on the same line: the name in the next column.
    static const QRegularExpression pair(
        QStringLiteral("yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">[EW]</word>\\s*"
                       "<word xMin=\"([\\d.]+)\" yMin=\"\\1\""));
    int checked = 0;
    for (const auto& m : pair.globalMatch(QString::fromUtf8(process.readAllStandardOutput()))) {
        const double height = m.captured(3).toDouble() - m.captured(1).toDouble();
        const double gap = m.captured(4).toDouble() - m.captured(2).toDouble();
        QVERIFY2(gap >= height, qPrintable(QStringLiteral("gap %1 for text %2 high at y %3")
                                               .arg(gap)
                                               .arg(height)
                                               .arg(m.captured(1))));
        ++checked;
    }
    QVERIFY2(checked > 20, qPrintable(QStringLiteral("%1 rows checked").arg(checked)));
}

QTEST_MAIN(TestMainListReports)
#include "tst_mainlistreports.moc"
