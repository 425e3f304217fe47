#include "ReportParts.h"

#include "Constants.h"
#include "NumberText.h"
#include "ProductInfo.h"
#include "QuietFailure.h"
#include "ReportFrame.h"
#include "ReportWriter.h"
#include "Site.h"

#include <QAbstractItemModel>
#include <QRegularExpression>

#include <cmath>
#include <exception>

namespace skyvane {

namespace {

QString SiteRow(const QString& caption, const QString& typed, Constant letterConstant) {
    const QString value =
        HtmlEscape(typed) + QStringLiteral("&deg; ") + HtmlEscape(ConstantText(letterConstant));
    return HtmlInfoRow(HtmlEscape(caption) + QLatin1Char(':'), value);
}

QString JoinEscaped(const QStringList& texts, const QString& separator) {
    QStringList escaped;
    for (const QString& text : texts)
        escaped << HtmlEscape(text);
    return escaped.join(separator);
}

QString SuffixFromDefaultExt(QString defaultExt) {
    defaultExt.remove(QRegularExpression(QStringLiteral("^\\*?\\.")));
    return defaultExt;
}

QString FilterPatterns(const QString& patterns) {
    QStringList result;
    for (QString pattern : patterns.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        pattern = pattern.trimmed();
        // "*.*" would match only names holding a dot here.
        result << (pattern == QStringLiteral("*.*") ? QStringLiteral("*") : pattern);
    }
    return result.isEmpty() ? QStringLiteral("*") : result.join(QLatin1Char(' '));
}

QString FilterDescription(QString description) {
    description.remove(QRegularExpression(QStringLiteral("\\s*\\([^()]*\\)\\s*$")));
    return description.trimmed();
}

// Exports end quietly on any failure: the dialog has been answered and the earlier file, if
// any, is still there because nothing replaces it before the new one is complete.
void RunGuarded(const std::function<void()>& work) {
    RunQuietly("export", work);
}

} // namespace

QString HtmlInfoRow(const QString& label, const QString& value) {
    return QStringLiteral("<tr><td class=\"info0\">") + label +
           QStringLiteral("</td><td class=\"value0\">") + value + QStringLiteral("</td></tr>");
}

QStringList SiteInformationRows(const SiteReportInputs& site) {
    QStringList lines;
    lines << SiteRow(site.latitudeCaption, site.latitudeText,
                     site.latitudeNorth ? Constant::NorthShort : Constant::SouthShort);
    lines << SiteRow(site.longitudeCaption, site.longitudeText,
                     site.longitudeWest ? Constant::WestShort : Constant::EastShort);
    if (!site.townName.isEmpty())
        lines << HtmlInfoRow(HtmlEscape(site.cityCaption), HtmlEscape(site.townName));
    if (site.declinationTicked)
        lines << HtmlInfoRow(HtmlEscape(site.declinationCaption), HtmlEscape(site.declinationText));
    return lines;
}

QList<QStringList> SiteTextRows(const SiteReportInputs& site) {
    const auto coordinate = [](const QString& caption, const QString& typed, Constant letter) {
        return QStringList{caption + QLatin1Char(':'),
                           typed + QStringLiteral("\u00b0 ") + ConstantText(letter)};
    };
    QList<QStringList> rows{
        coordinate(site.latitudeCaption, site.latitudeText,
                   site.latitudeNorth ? Constant::NorthShort : Constant::SouthShort),
        coordinate(site.longitudeCaption, site.longitudeText,
                   site.longitudeWest ? Constant::WestShort : Constant::EastShort)};
    if (!site.townName.isEmpty())
        rows << QStringList{site.cityCaption, site.townName};
    if (site.declinationTicked)
        rows << QStringList{site.declinationCaption, site.declinationText};
    return rows;
}

SiteReportInputs RecordSiteReport(const SiteReportInputs& taken, const SiteReportInputs& now,
                                  double latitude, double longitude) {
    const Site recorded = Site::FromNorthWest(latitude, longitude);
    SiteReportInputs site = now;
    site.latitudeText = recorded.latitudeText();
    site.latitudeNorth = recorded.north();
    site.longitudeText = recorded.longitudeText();
    site.longitudeWest = recorded.west();
    site.townName = taken.townName;
    site.declinationTicked = taken.declinationTicked;
    site.declinationText = taken.declinationText;
    return site;
}

QStringList DetailTableLines(const QAbstractItemModel& rows) {
    QStringList lines{QStringLiteral("<br><br>"), QStringLiteral("<div id=\"dettable\"><table>")};
    lines << QStringLiteral("<tr class=\"hd\"><th>") +
                 JoinEscaped(HeaderCaptions(rows), QStringLiteral("</th><th>")) +
                 QStringLiteral("</th></tr>");
    for (int row = 0; row < rows.rowCount(); ++row) {
        const QString rowClass = row % 2 == 0 ? QStringLiteral("i0") : QStringLiteral("i1");
        lines << QStringLiteral("<tr class=\"") + rowClass + QStringLiteral("\"><td>") +
                     JoinEscaped(RowTexts(rows, row), QStringLiteral("</td><td>")) +
                     QStringLiteral("</td></tr>");
    }
    lines << QStringLiteral("</table></div>");
    return lines;
}

QStringList HeaderCaptions(const QAbstractItemModel& rows) {
    QStringList captions;
    for (int c = 0; c < rows.columnCount(); ++c)
        captions << rows.headerData(c, Qt::Horizontal).toString();
    return captions;
}

QStringList RowTexts(const QAbstractItemModel& rows, int row) {
    QStringList texts;
    for (int c = 0; c < rows.columnCount(); ++c)
        texts << rows.index(row, c).data().toString();
    return texts;
}

QString WithoutAccelerator(const QString& text) {
    QString title;
    title.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('&') && ++i >= text.size())
            break;
        title += text[i];
    }
    return title;
}

SaveDialogTexts MenuSaveDialogTexts(const QString& menuText, const QString& filter,
                                    const QString& defaultExt) {
    return {WithoutAccelerator(menuText), filter, defaultExt};
}

SaveDialogTexts DefaultHtmlSaveDialogTexts() {
    return {QStringLiteral("Export to HTML"),
            QStringLiteral("HTML (*.html, *.htm)|*.html;*.htm|All extensions (*.*)|*.*"),
            QStringLiteral("*.html")};
}

SaveDialogTexts DefaultCsvSaveDialogTexts() {
    return {QStringLiteral("Export to CSV"),
            QStringLiteral("CSV (*.csv)|*.csv|All extensions (*.*)|*.*"), QStringLiteral("*.csv")};
}

QString QtFilterFromPipeFilter(const QString& pipeFilter) {
    const QStringList parts = pipeFilter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i < parts.size(); i += 2) {
        const QString patterns = FilterPatterns(parts.value(i + 1));
        filters << FilterDescription(parts[i]) + QStringLiteral(" (") + patterns + QLatin1Char(')');
    }
    return filters.join(QStringLiteral(";;"));
}

SaveDialogRequest SaveRequestFromDialogTexts(const SaveDialogTexts& texts) {
    SaveDialogRequest request;
    request.title = texts.title;
    request.filter = QtFilterFromPipeFilter(texts.filter);
    request.defaultSuffix = SuffixFromDefaultExt(texts.defaultExt);
    return request;
}

void ExportHtmlReport(QWidget* parent, const SaveDialogTexts& dialog, const QString& title,
                      const std::function<QStringList()>& body) {
    const QString path = DialogSeam::getSaveFileName(parent, SaveRequestFromDialogTexts(dialog));
    if (path.isEmpty())
        return;
    RunGuarded([&] {
        ReportWriter file(path, ReportEncoding::Html1252);
        WriteHtmlHeader(file, title);
        file.writeLines(body());
        WriteHtmlFooter(file, QString::fromUtf8(kProductVersion));
        file.commit();
    });
}

void ExportCsvReport(QWidget* parent, const SaveDialogTexts& dialog,
                     const std::function<QStringList()>& lines) {
    const QString path = DialogSeam::getSaveFileName(parent, SaveRequestFromDialogTexts(dialog));
    if (path.isEmpty())
        return;
    RunGuarded([&] { WriteReportFile(path, ReportEncoding::System, lines()); });
}

} // namespace skyvane
