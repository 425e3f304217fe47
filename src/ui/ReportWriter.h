#pragma once

#include "CheckedCommit.h"

#include <QSaveFile>
#include <QString>
#include <QStringList>

#include <stdexcept>

namespace skyvane {

// Raised when a report file cannot be created, written or completed.
class ReportWriteError : public FileSaveError {
public:
    using FileSaveError::FileSaveError;
};

enum class ReportEncoding {
    // Windows-1252, a character outside it as a numeric character reference ("&#337;"), as
    // the HTML head's charset declares.
    Html1252,
    // The user's system encoding (UTF-8 here), for CSV files.
    System,
    // UTF-8 whatever the system uses, as calendar files must be.
    Utf8,
};

// One report file, written line by line with CR LF after every line. The file appears under
// its name only when commit() succeeds; until then an earlier file of that name is kept, and a
// writer destroyed without commit leaves nothing behind.
class ReportWriter {
public:
    ReportWriter(const QString& path, ReportEncoding encoding);
    ReportWriter(const ReportWriter&) = delete;
    ReportWriter& operator=(const ReportWriter&) = delete;

    void writeLine(const QString& line);
    void writeLines(const QStringList& lines);
    void commit();

private:
    QSaveFile m_file;
    ReportEncoding m_encoding;
};

// The bytes a report file of these lines holds: each line in the encoding, ended by CR LF.
QByteArray EncodeReportLines(const QStringList& lines, ReportEncoding encoding);

// Writes all lines to path in one go (see ReportWriter).
void WriteReportFile(const QString& path, ReportEncoding encoding, const QStringList& lines);

// The frame around every HTML report: the 23 lines of the document head up to the page's
// first heading (title escaped), and the 4 closing lines with the product's name, the given
// version and a link to the product's web site.
QStringList HtmlFrameHeaderLines(const QString& title);
QStringList HtmlFrameFooterLines(const QString& version);

// Text placed into HTML: "&", "<" and ">" as entities, everything else unchanged.
QString HtmlEscape(const QString& text);

// A CSV field: quoted, with inner quotes doubled, when it holds ";", '"', CR or LF. A text a
// spreadsheet would take for a formula ("=...", "@...", "+" or "-" not starting a number) is
// written after a "'", so that it shows as text.
QString CsvField(const QString& text);

// Fields joined by ";", each through CsvField.
QString CsvLine(const QStringList& fields);

} // namespace skyvane
