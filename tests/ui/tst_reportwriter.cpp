#include "GifWriter.h"
#include "ReportWriter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <QImage>

#include <csignal>
#include <stdexcept>

#include <sys/resource.h>

using namespace skyvane;

namespace {

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray("<missing>");
    return file.readAll();
}

void WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// Lowers the largest file size this process may write, like a disk with little room left.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        std::signal(SIGXFSZ, SIG_IGN);
        m_active = getrlimit(RLIMIT_FSIZE, &m_saved) == 0 &&
                   (m_saved.rlim_max == RLIM_INFINITY || m_saved.rlim_max >= bytes);
        rlimit lowered = m_saved;
        lowered.rlim_cur = bytes;
        m_active = m_active && setrlimit(RLIMIT_FSIZE, &lowered) == 0;
    }
    ~FileSizeLimit() {
        if (m_active)
            setrlimit(RLIMIT_FSIZE, &m_saved);
    }
    bool active() const { return m_active; }

private:
    rlimit m_saved{};
    bool m_active = false;
};

} // namespace

class TestReportWriter : public QObject {
    Q_OBJECT

private slots:
    void writesLinesWithCrLf_data();
    void writesLinesWithCrLf();
    void encodesEachReportKind_data();
    void encodesEachReportKind();

    void escapesHtmlText_data();
    void escapesHtmlText();
    void quotesCsvFields_data();
    void quotesCsvFields();
    void joinsCsvFieldsWithSemicolons();

    void failedWriteKeepsTheEarlierFile();
    void uncreatableFileIsReportedAndLeavesNothing();
    void fullDiskKeepsTheEarlierFile_data();
    void fullDiskKeepsTheEarlierFile();
    void frameHasItsFixedLineCounts();
};

void TestReportWriter::writesLinesWithCrLf_data() {
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("last line ended too") << QStringList{"a", "b"} << QByteArray("a\r\nb\r\n");
    QTest::newRow("empty line kept") << QStringList{"a", "", "c"} << QByteArray("a\r\n\r\nc\r\n");
    QTest::newRow("no lines, empty file") << QStringList{} << QByteArray();
}

void TestReportWriter::writesLinesWithCrLf() {
    QFETCH(QStringList, lines);
    QFETCH(QByteArray, bytes);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("report.csv"));

    WriteReportFile(path, ReportEncoding::System, lines);

    QCOMPARE(ReadAll(path), bytes);
}

void TestReportWriter::encodesEachReportKind_data() {
    QTest::addColumn<int>("encoding");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");

    const int html = int(ReportEncoding::Html1252);
    const int csv = int(ReportEncoding::System);
    QTest::newRow("HTML degree sign, one byte")
        << html << "19.2° E" << QByteArray("19.2\xb0 E\r\n");
    QTest::newRow("HTML euro sign, code page 1252") << html << "€" << QByteArray("\x80\r\n");
    QTest::newRow("HTML o double acute, a reference")
        << html << "Győr" << QByteArray("Gy&#337;r\r\n");
    QTest::newRow("HTML CJK, a reference") << html << "東" << QByteArray("&#26481;\r\n");
    QTest::newRow("CSV u umlaut, UTF-8") << csv << "Türksat" << QByteArray("T\xc3\xbcrksat\r\n");
    QTest::newRow("CSV o double acute, UTF-8") << csv << "ő" << QByteArray("\xc5\x91\r\n");
}

void TestReportWriter::encodesEachReportKind() {
    QFETCH(int, encoding);
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("report"));

    WriteReportFile(path, ReportEncoding(encoding), {text});

    QCOMPARE(ReadAll(path), bytes);
}

void TestReportWriter::escapesHtmlText_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("escaped");

    QTest::newRow("ampersand") << "Azimuth & Elevation"
                               << "Azimuth &amp; Elevation";
    QTest::newRow("angle brackets") << "<b>x</b>"
                                    << "&lt;b&gt;x&lt;/b&gt;";
    QTest::newRow("entity-like text stays text") << "&deg;"
                                                 << "&amp;deg;";
    QTest::newRow("quotes and apostrophes unchanged") << "quor's \"x\""
                                                      << "quor's \"x\"";
    QTest::newRow("plain") << "Astra 1KR"
                           << "Astra 1KR";
}

void TestReportWriter::escapesHtmlText() {
    QFETCH(QString, text);
    QFETCH(QString, escaped);
    QCOMPARE(HtmlEscape(text), escaped);
}

void TestReportWriter::quotesCsvFields_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("written");

    QTest::newRow("plain name unquoted") << "Astra 1KR"
                                         << "Astra 1KR";
    QTest::newRow("decimal comma unquoted") << "-19,2"
                                            << "-19,2";
    QTest::newRow("empty unquoted") << ""
                                    << "";
    QTest::newRow("semicolon") << "A;B"
                               << "\"A;B\"";
    QTest::newRow("double quote doubled") << "Sat \"X\""
                                          << "\"Sat \"\"X\"\"\"";
    QTest::newRow("carriage return") << "a\rb"
                                     << "\"a\rb\"";
    QTest::newRow("line feed") << "a\nb"
                               << "\"a\nb\"";
    QTest::newRow("formula") << "=HYPERLINK(\"x\")"
                             << "\"'=HYPERLINK(\"\"x\"\")\"";
    QTest::newRow("at sign") << "@SUM(A1)"
                             << "'@SUM(A1)";
    QTest::newRow("minus and a letter") << "-cmd"
                                        << "'-cmd";
    QTest::newRow("plus and a letter") << "+A1"
                                       << "'+A1";
    QTest::newRow("minus and a sum") << "-1+A1"
                                     << "'-1+A1";
    QTest::newRow("negative number kept") << "-19.25"
                                          << "-19.25";
    QTest::newRow("signed decimal comma kept") << "+0,5"
                                               << "+0,5";
    QTest::newRow("lone dash kept") << "-"
                                    << "-";
}

void TestReportWriter::quotesCsvFields() {
    QFETCH(QString, field);
    QFETCH(QString, written);
    QCOMPARE(CsvField(field), written);
}

void TestReportWriter::joinsCsvFieldsWithSemicolons() {
    QCOMPARE(CsvLine({"-19.2", "Astra; 1", "123.46"}), QStringLiteral("-19.2;\"Astra; 1\";123.46"));
    QCOMPARE(CsvLine({}), QString());
}

void TestReportWriter::failedWriteKeepsTheEarlierFile() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("list.html"));
    WriteBytes(path, "earlier report\r\n");

    try {
        ReportWriter writer(path, ReportEncoding::Html1252);
        writer.writeLine(QStringLiteral("<html>"));
        throw std::runtime_error("the grid could not be read");
    } catch (const std::runtime_error&) {
    }

    QCOMPARE(ReadAll(path), QByteArray("earlier report\r\n"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"list.html"});
}

void TestReportWriter::uncreatableFileIsReportedAndLeavesNothing() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("no such folder/list.csv"));

    QVERIFY_THROWS_EXCEPTION(ReportWriteError,
                             WriteReportFile(path, ReportEncoding::System, {"x"}));
    QVERIFY(!QFile::exists(path));
}

void TestReportWriter::fullDiskKeepsTheEarlierFile_data() {
    QTest::addColumn<QString>("kind");
    QTest::newRow("HTML report") << "html";
    QTest::newRow("CSV report") << "csv";
    QTest::newRow("GIF picture") << "gif";
}

void TestReportWriter::fullDiskKeepsTheEarlierFile() {
    QFETCH(QString, kind);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("report.") + kind);
    WriteBytes(path, "earlier\r\n");
    // Smaller than the write buffer, so the data reaches the disk only when the file completes.
    const QStringList lines(100, QStringLiteral("0123456789012345678901234567890123456789"));
    QImage picture(48, 48, QImage::Format_RGB32);
    for (int i = 0; i < 48 * 48; ++i)
        picture.setPixel(i % 48, i / 48, qRgb(i * 37 % 256, i * 11 % 256, i % 7 * 40));
    QVERIFY(EncodeGif(picture).size() > 1024);

    bool failed = false;
    {
        const FileSizeLimit limit(1024);
        if (!limit.active())
            QSKIP("the file size limit cannot be lowered here");
        try {
            if (kind == QLatin1String("gif"))
                WriteGif(picture, path);
            else
                WriteReportFile(path,
                                kind == QLatin1String("html") ? ReportEncoding::Html1252
                                                              : ReportEncoding::System,
                                lines);
        } catch (const std::runtime_error&) {
            failed = true;
        }
    }

    QVERIFY(failed);
    QCOMPARE(ReadAll(path), QByteArray("earlier\r\n"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"report." + kind});
}

void TestReportWriter::frameHasItsFixedLineCounts() {
    const QStringList header = HtmlFrameHeaderLines(QStringLiteral("A & B"));
    const QStringList footer = HtmlFrameFooterLines(QStringLiteral("0.5"));

    QCOMPARE(header.size(), 23);
    QCOMPARE(header.at(4), QStringLiteral("<title>A &amp; B</title>"));
    QCOMPARE(header.at(22), QStringLiteral("<h1>A &amp; B</h1>"));
    QCOMPARE(footer.size(), 4);
    QCOMPARE(footer.at(1), QStringLiteral("<span class=\"cp\">Generated by: quor's Skyvane v0.5, "
                                          "<a href=\"https://www.skyvane.org\">"
                                          "https://www.skyvane.org</a></span>"));
}

QTEST_MAIN(TestReportWriter)
#include "tst_reportwriter.moc"
