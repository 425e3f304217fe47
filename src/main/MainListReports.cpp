#include "MainListReports.h"

#include "Constants.h"
#include "ErrorReport.h"
#include "Motor.h"
#include "NumberText.h"
#include "ReportParts.h"
#include "ReportWriter.h"
#include "SatelliteTableModel.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>

#include <cmath>
#include <stdexcept>

namespace skyvane {

namespace {

QStringList InformationTableLines(const MainListReportInputs& inputs) {
    QStringList lines{QStringLiteral("<table>")};
    lines << SiteInformationRows(inputs.site);
    if (!inputs.modelNote.isEmpty())
        lines << HtmlInfoRow(QStringLiteral("&nbsp;"), HtmlEscape(inputs.modelNote));
    lines << QStringLiteral("</table>");
    return lines;
}

QStringList CsvRecordFields(const QAbstractItemModel& rows, int row) {
    const auto record = rows.index(row, 0).data(kRecordRole).value<SatelliteRecord>();
    if (!record)
        throw std::runtime_error("A list row has no satellite attached.");
    QStringList fields{FormatGeneral(record->Position), record->Name, FormatAngle(record->Azimuth),
                       FormatAngle(record->Elevation), FormatAngle(record->Skew)};
    // The motor angle signed as the position, West positive, when the list shows it.
    if (rows.columnCount() > SatelliteTableModel::Motor)
        fields << FormatAngle(MotorAngleOf(*record));
    return fields;
}

int CellInset(const GridPrintSettings& settings) {
    return std::max(2, settings.rowHeight / 10);
}

// Half the gap between neighbouring columns' texts: a right-aligned position and the name
// after it must read as two columns.
int ColumnGapHalf(const GridPrintSettings& settings) {
    return std::max(2, settings.rowHeight / 3);
}

QRect CellRect(const GridPrintLayout& layout, size_t printed, int top, int height,
               const GridPrintSettings& settings) {
    // The cell is 2 units narrower than its share; the text keeps a little air inside it.
    QRect cell(layout.columnLeft[printed] + 1, top, layout.columnShare[printed] - 2, height);
    const int inset = ColumnGapHalf(settings);
    return cell.adjusted(inset, 0, -inset, 0);
}

// The screen's font, made smaller when its lines would not fit a printed row.
QFont PrintFont(const QFont& screenFont, QPrinter& printer, const GridPrintSettings& settings) {
    QFont font(screenFont, &printer);
    const int room = settings.rowHeight - 2 * CellInset(settings);
    if (QFontMetrics(font, &printer).height() > room)
        font.setPixelSize(std::max(1, room * 3 / 4));
    return font;
}

// A horizontal rule across the printed columns, `thickness` device units high from `y` down.
void DrawRule(QPainter& painter, const GridPrintLayout& layout, const GridPrintSettings& settings,
              int y, int thickness) {
    const int right = layout.columnLeft.empty()
                          ? settings.marginLeft
                          : layout.columnLeft.back() + layout.columnShare.back();
    painter.fillRect(QRect(settings.marginLeft, y, right - settings.marginLeft, thickness),
                     Qt::black);
}

void DrawCellText(QPainter& painter, const QRect& cell, Qt::Alignment alignment,
                  const QString& text) {
    const QString fitting = painter.fontMetrics().elidedText(text, Qt::ElideRight, cell.width());
    painter.drawText(cell, static_cast<int>(alignment | Qt::AlignVCenter), fitting);
}

void PrintTitle(QPainter& painter, const QStringList& heading, const GridPrintLayout& layout,
                const GridPrintSettings& settings) {
    const int right = layout.columnLeft.empty()
                          ? settings.marginLeft
                          : layout.columnLeft.back() + layout.columnShare.back();
    for (qsizetype i = 0; i < heading.size(); ++i) {
        const QRect line(settings.marginLeft, settings.marginTop + int(i) * settings.rowHeight,
                         right - settings.marginLeft, settings.rowHeight);
        DrawCellText(painter, line, Qt::AlignLeft, heading[i]);
    }
}

void PrintHeader(QPainter& painter, const QAbstractItemModel& rows,
                 const std::vector<ColumnLayout>& columns, const GridPrintLayout& layout,
                 const GridPrintSettings& settings) {
    const int top = settings.marginTop + settings.titleHeight;
    for (size_t i = 0; i < columns.size(); ++i) {
        DrawCellText(painter, CellRect(layout, i, top, settings.headerHeight - 2, settings),
                     columns[i].alignment,
                     rows.headerData(columns[i].column, Qt::Horizontal).toString());
    }
    DrawRule(painter, layout, settings, top + settings.headerHeight - 2, 2);
}

void PrintRow(QPainter& painter, const QAbstractItemModel& rows,
              const std::vector<ColumnLayout>& columns, const GridPrintLayout& layout,
              const GridPrintSettings& settings, int row) {
    const int top = layout.rowTop[static_cast<size_t>(row)];
    for (size_t i = 0; i < columns.size(); ++i) {
        DrawCellText(painter, CellRect(layout, i, top, settings.rowHeight - 1, settings),
                     columns[i].alignment,
                     rows.index(row, columns[i].column).data().toString() + columns[i].textAfter);
    }
    DrawRule(painter, layout, settings, top + settings.rowHeight - 1, 1);
}

} // namespace

QStringList MainListCsvLines(const QAbstractItemModel& rows) {
    QStringList lines{CsvLine(HeaderCaptions(rows))};
    for (int row = 0; row < rows.rowCount(); ++row)
        lines << CsvLine(CsvRecordFields(rows, row));
    return lines;
}

QStringList MainListHtmlBodyLines(const MainListReportInputs& inputs,
                                  const QAbstractItemModel& rows) {
    return InformationTableLines(inputs) + DetailTableLines(rows);
}

void ExportMainListToHtml(QWidget* parent, const MainListReportInputs& inputs,
                          const QAbstractItemModel& rows, const SaveDialogTexts& dialog) {
    ExportHtmlReport(parent, dialog, inputs.heading,
                     [&] { return MainListHtmlBodyLines(inputs, rows); });
}

void ExportMainListToCsv(QWidget* parent, const QAbstractItemModel& rows,
                         const SaveDialogTexts& dialog) {
    ExportCsvReport(parent, dialog, [&] { return MainListCsvLines(rows); });
}

GridPrintLayout LayoutGridPrint(const std::vector<int>& screenWidths, int rowCount, QSize page,
                                const GridPrintSettings& settings) {
    GridPrintLayout layout;
    const int printable = page.width() - settings.marginLeft - settings.marginRight;
    long long total = 0;
    for (int width : screenWidths)
        total += std::max(0, width);
    int left = settings.marginLeft;
    for (int width : screenWidths) {
        const int share = total > 0 ? static_cast<int>(std::nearbyint(double(std::max(0, width)) *
                                                                      printable / double(total)))
                                    : 0;
        layout.columnLeft.push_back(left);
        layout.columnShare.push_back(share);
        left += share;
    }

    const int bottom = page.height() - settings.marginBottom;
    int pageIndex = 0;
    int top = settings.marginTop + settings.titleHeight + settings.headerHeight;
    bool pageHasRows = false;
    for (int row = 0; row < rowCount; ++row) {
        // A page always takes at least one row, however small it is.
        if (pageHasRows && top + settings.rowHeight > bottom) {
            ++pageIndex;
            top = settings.marginTop;
        }
        layout.rowPage.push_back(pageIndex);
        layout.rowTop.push_back(top);
        top += settings.rowHeight;
        pageHasRows = true;
    }
    layout.pageCount = pageIndex + 1;
    return layout;
}

QStringList MainListPrintHeading(const MainListPrintInputs& inputs) {
    QStringList lines{inputs.heading};
    for (const QStringList& row : SiteTextRows(inputs.site))
        lines << row.join(QLatin1Char(' '));
    lines << inputs.notes;
    return lines;
}

void PrintTable(const QAbstractItemModel& rows, const std::vector<ColumnLayout>& columns,
                QPrinter& printer, const QFont& font, const GridPrintSettings& given,
                const QStringList& heading) {
    GridPrintSettings settings = given;
    // A blank line between the heading and the list.
    if (!heading.isEmpty())
        settings.titleHeight = int(heading.size() + 1) * settings.rowHeight;
    std::vector<int> widths;
    for (const ColumnLayout& column : columns)
        widths.push_back(column.width);
    const GridPrintLayout layout = LayoutGridPrint(
        widths, rows.rowCount(), QSize(printer.width(), printer.height()), settings);

    QPainter painter;
    if (!painter.begin(&printer))
        throw std::runtime_error("The print job could not be started.");
    painter.setFont(PrintFont(font, printer, settings));
    painter.setPen(Qt::black);
    PrintTitle(painter, heading, layout, settings);
    PrintHeader(painter, rows, columns, layout, settings);
    int page = 0;
    for (int row = 0; row < rows.rowCount(); ++row) {
        if (layout.rowPage[static_cast<size_t>(row)] != page) {
            if (!printer.newPage())
                throw std::runtime_error("The printer could not begin a new page.");
            page = layout.rowPage[static_cast<size_t>(row)];
        }
        PrintRow(painter, rows, columns, layout, settings, row);
    }
    if (!painter.end())
        throw std::runtime_error("The print job could not be completed.");
}

namespace {

void SetUpPrinter(QPrinter& printer) {
    // The printout's fixed sizes are in device units; at this resolution a row is a readable
    // 3.6 mm high.
    printer.setResolution(600);
}

} // namespace

void PrintMainList(QWidget* parent, const MainListPrintInputs& inputs,
                   const QAbstractItemModel& rows, const std::vector<ColumnLayout>& columns,
                   const QFont& font) {
    QPrinter printer(QPrinter::HighResolution);
    SetUpPrinter(printer);
    if (!DialogSeam::askPrint(parent, printer))
        return;
    PrintTable(rows, columns, printer, font, {}, MainListPrintHeading(inputs));
}

void PreviewMainList(QWidget* parent, const MainListPrintInputs& inputs,
                     const QAbstractItemModel& rows, const std::vector<ColumnLayout>& columns,
                     const QFont& font) {
    QPrinter printer(QPrinter::HighResolution);
    SetUpPrinter(printer);
    const QStringList heading = MainListPrintHeading(inputs);
    DialogSeam::showPrintPreview(parent, printer, [&](QPrinter& target) {
        // Painting is asked for from within the dialog, where an exception must not pass.
        try {
            PrintTable(rows, columns, target, font, {}, heading);
        } catch (const std::exception& error) {
            ReportApplicationError(error);
        }
    });
}

} // namespace skyvane
