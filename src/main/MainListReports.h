#pragma once

#include "ColumnLayout.h"
#include "DialogSeam.h"
#include "ReportParts.h"

#include <QFont>

#include <QSize>
#include <QString>
#include <QStringList>

#include <vector>

class QAbstractItemModel;
class QPrinter;
class QWidget;

namespace skyvane {

// What the main window's list report reads from the window: the site rows and the title.
struct MainListReportInputs {
    SiteReportInputs site;
    QString heading; // lblHeading, the report title: "Azimuth & Elevation"
    // Said below the site when the look angles are not the written model's; empty otherwise.
    QString modelNote;
};

// The lines of the list's CSV file. `rows` is the list as shown (the grid's model(): sorted as
// on screen, captions in the current language); the rows come from their records (kRecordRole).
QStringList MainListCsvLines(const QAbstractItemModel& rows);

// The lines of the list's HTML page between its frame's head and footer.
QStringList MainListHtmlBodyLines(const MainListReportInputs& inputs,
                                  const QAbstractItemModel& rows);

// File > Export > HTML / CSV: ask for a file, then write it. Cancelling writes nothing; a
// failure after the dialog is told to the user and keeps an earlier file.
void ExportMainListToHtml(QWidget* parent, const MainListReportInputs& inputs,
                          const QAbstractItemModel& rows,
                          const SaveDialogTexts& dialog = DefaultHtmlSaveDialogTexts());
void ExportMainListToCsv(QWidget* parent, const QAbstractItemModel& rows,
                         const SaveDialogTexts& dialog = DefaultCsvSaveDialogTexts());

// What the printout says above the list, besides the site: lines of plain text, already in
// the current language ("Date: 09/12/2026", "Catalogue: 20250601", "Azimuths: true north").
struct MainListPrintInputs : MainListReportInputs {
    QStringList notes;
};

// The lines above a printed list: the title, the site rows (as typed, with their hemispheres,
// the town when one was found, the declination when applied), then the notes.
QStringList MainListPrintHeading(const MainListPrintInputs& inputs);

// Printer device units.
struct GridPrintSettings {
    int marginLeft = 50;
    int marginTop = 50;
    int marginRight = 50;
    int marginBottom = 50;
    int titleHeight = 0; // above the column captions on the first page
    int headerHeight = 100;
    int rowHeight = 86;
};

// Where everything of a grid printout goes, in printer device units.
struct GridPrintLayout {
    std::vector<int> columnLeft;  // left edge of each printed column's share
    std::vector<int> columnShare; // its width, proportional to the width on screen
    std::vector<int> rowPage;     // page of each row, from 0
    std::vector<int> rowTop;      // top of each row's band on its page
    int pageCount = 1;
};

// screenWidths: the widths of the printed columns on screen; page: the printable page size.
GridPrintLayout LayoutGridPrint(const std::vector<int>& screenWidths, int rowCount, QSize page,
                                const GridPrintSettings& settings = {});

// Prints `heading`, one line a row, then `columns` of every row of `rows` in their order, the
// captions from its header data, the widths and texts-after as on screen, in `font` (shrunk
// where a row would not hold it), on an already configured printer. Neighbouring columns keep
// a gap; a text too wide for its column is cut short with an ellipsis. Throws
// std::runtime_error when the print job cannot be started or continued.
void PrintTable(const QAbstractItemModel& rows, const std::vector<ColumnLayout>& columns,
                QPrinter& printer, const QFont& font = QFont(),
                const GridPrintSettings& settings = {}, const QStringList& heading = {});

// File > Print: the print dialog, then the printout; cancelling prints nothing.
void PrintMainList(QWidget* parent, const MainListPrintInputs& inputs,
                   const QAbstractItemModel& rows, const std::vector<ColumnLayout>& columns,
                   const QFont& font = QFont());
// File > Print preview: the printout in the preview dialog, from which it can be printed.
void PreviewMainList(QWidget* parent, const MainListPrintInputs& inputs,
                     const QAbstractItemModel& rows, const std::vector<ColumnLayout>& columns,
                     const QFont& font = QFont());

} // namespace skyvane
