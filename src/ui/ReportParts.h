#pragma once

#include "DialogSeam.h"

#include <QString>
#include <QStringList>

#include <exception>
#include <functional>

class QAbstractItemModel;
class QWidget;

namespace skyvane {

// What the site rows of a report say, without their captions: the site as typed, the town
// found for it and the declination as shown.
struct SiteFacts {
    QString latitudeText;           // the site's latitude as typed (Site::latitudeText)
    bool latitudeNorth = true;      // its hemisphere as chosen
    QString longitudeText;          // the longitude as typed
    bool longitudeWest = false;     // its hemisphere as chosen
    QString townName;               // the town found for the site; empty gives no town row
    bool declinationTicked = false; // whether the declination is applied
    QString declinationText;        // the declination as shown ("-" before any reading)
};

// The captions of the site rows in the current language.
struct SiteCaptions {
    QString latitude;    // "Latitude"
    QString longitude;   // "Longitude"
    QString city;        // with its own colon: "City:"
    QString declination; // colon included: "Magnetic declination:"
};

// The site as every HTML report repeats it.
struct SiteReportInputs {
    SiteCaptions captions;
    SiteFacts facts;
};

// A save dialog as the window declares it: the filter in the "Text|patterns|Text|patterns"
// form and the default extension as "*.html"; both follow the language.
struct SaveDialogTexts {
    QString title;
    QString filter;
    QString defaultExt;
};

// A menu item's caption as a title: "Export to &HTML" becomes "Export to HTML", "&&" stays "&".
QString WithoutAccelerator(const QString& text);
// A save dialog titled after the menu item that opens it, so the title follows the language.
SaveDialogTexts MenuSaveDialogTexts(const QString& menuText, const QString& filter,
                                    const QString& defaultExt);

SaveDialogTexts DefaultHtmlSaveDialogTexts();
SaveDialogTexts DefaultCsvSaveDialogTexts();

// "HTML (*.html, *.htm)|*.html;*.htm|All extensions (*.*)|*.*" becomes
// "HTML (*.html *.htm);;All extensions (*)": Qt reads the patterns from the parentheses.
QString QtFilterFromPipeFilter(const QString& pipeFilter);
SaveDialogRequest SaveRequestFromDialogTexts(const SaveDialogTexts& texts);

// One row of an information table; label and value are markup (escape texts first).
QString HtmlInfoRow(const QString& label, const QString& value);
// The site rows of an information table: latitude, longitude, the town when one was found and
// the declination when it is applied. Without the surrounding <table> lines.
QStringList SiteInformationRows(const SiteReportInputs& site);
// The same rows as plain texts, each its caption (colon included) and its value, for a
// printout or the head of a CSV file: {"Latitude:", "47.16° N"}.
QList<QStringList> SiteTextRows(const SiteReportInputs& site);
// The site of a tool window's reports, taken when the window receives its record: the record's
// position, latitude in degrees North positive and longitude in degrees West positive, with two
// decimals, and the town and declination of the main window at that moment (`taken`).
SiteFacts RecordSiteFacts(const SiteFacts& taken, double latitude, double longitude);
// The detail table of a table: "<br><br>", the table in its div, the header row and one row per
// row in the order given, classes alternating from i0.
QStringList DetailTableLines(const QAbstractItemModel& rows);
QStringList DetailTableLines(const QStringList& captions, const QList<QStringList>& rows);
// A table's header captions and the texts of one of its rows, as a report writes them.
QStringList HeaderCaptions(const QAbstractItemModel& rows);
QStringList RowTexts(const QAbstractItemModel& rows, int row);

// The message of a file that could not be saved, in the current language: the file and why.
QString SaveFailureText(const QString& path, const QString& reason);
// Tells the user that saving `path` failed, through the dialog seam, and logs it. The error
// names the file that failed when it is a FileSaveError (a picture beside a page, say), its
// reason in words; any other error is told by its own text.
void ReportSaveFailure(QWidget* parent, const QString& path, const std::exception& error);

// Asks for a file, then writes an HTML report: the frame with `title` around `body()`.
// Cancelling writes nothing; a failure after the dialog is told (ReportSaveFailure) and keeps
// an earlier file of that name.
void ExportHtmlReport(QWidget* parent, const SaveDialogTexts& dialog, const QString& title,
                      const std::function<QStringList()>& body);
// The same for a CSV file of `lines()`, in the system encoding.
void ExportCsvReport(QWidget* parent, const SaveDialogTexts& dialog,
                     const std::function<QStringList()>& lines);
// The same for a calendar file of `lines()`, in UTF-8.
void ExportCalendarReport(QWidget* parent, const SaveDialogTexts& dialog,
                          const std::function<QStringList()>& lines);

} // namespace skyvane
