#include "ReportParts.h"

#include "Constants.h"
#include "NumberText.h"
#include "ProductInfo.h"
#include "QuietFailure.h"
#include "ReportFrame.h"
#include "ReportWriter.h"
#include "Site.h"

#include <QAbstractItemModel>
#include <QDir>
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

// The earlier file, if any, is still there on failure, because nothing replaces it before the
// new one is complete; the user is told, and the program goes on.
void RunGuarded(QWidget* parent, const QString& path, const std::function<void()>& work) {
    try {
        work();
    } catch (const std::exception& error) {
        ReportSaveFailure(parent, path, error);
    }
}

} // namespace

QString HtmlInfoRow(const QString& label, const QString& value) {
    return QStringLiteral("<tr><td class=\"info0\">") + label +
           QStringLiteral("</td><td class=\"value0\">") + value + QStringLiteral("</td></tr>");
}

QStringList SiteInformationRows(const SiteReportInputs& site) {
    const SiteCaptions& captions = site.captions;
    const SiteFacts& facts = site.facts;
    QStringList lines;
    lines << SiteRow(captions.latitude, facts.latitudeText,
                     facts.latitudeNorth ? Constant::NorthShort : Constant::SouthShort);
    lines << SiteRow(captions.longitude, facts.longitudeText,
                     facts.longitudeWest ? Constant::WestShort : Constant::EastShort);
    if (!facts.townName.isEmpty())
        lines << HtmlInfoRow(HtmlEscape(captions.city), HtmlEscape(facts.townName));
    if (facts.declinationTicked)
        lines << HtmlInfoRow(HtmlEscape(captions.declination), HtmlEscape(facts.declinationText));
    return lines;
}

QList<QStringList> SiteTextRows(const SiteReportInputs& site) {
    const SiteCaptions& captions = site.captions;
    const SiteFacts& facts = site.facts;
    const auto coordinate = [](const QString& caption, const QString& typed, Constant letter) {
        return QStringList{caption + QLatin1Char(':'),
                           typed + QStringLiteral("\u00b0 ") + ConstantText(letter)};
    };
    QList<QStringList> rows{
        coordinate(captions.latitude, facts.latitudeText,
                   facts.latitudeNorth ? Constant::NorthShort : Constant::SouthShort),
        coordinate(captions.longitude, facts.longitudeText,
                   facts.longitudeWest ? Constant::WestShort : Constant::EastShort)};
    if (!facts.townName.isEmpty())
        rows << QStringList{captions.city, facts.townName};
    if (facts.declinationTicked)
        rows << QStringList{captions.declination, facts.declinationText};
    return rows;
}

SiteFacts RecordSiteFacts(const SiteFacts& taken, double latitude, double longitude) {
    const Site recorded = Site::FromNorthWest(latitude, longitude);
    SiteFacts facts = taken;
    facts.latitudeText = recorded.latitudeText();
    facts.latitudeNorth = recorded.north();
    facts.longitudeText = recorded.longitudeText();
    facts.longitudeWest = recorded.west();
    return facts;
}

QStringList DetailTableLines(const QAbstractItemModel& rows) {
    QList<QStringList> texts;
    for (int row = 0; row < rows.rowCount(); ++row)
        texts << RowTexts(rows, row);
    return DetailTableLines(HeaderCaptions(rows), texts);
}

QStringList DetailTableLines(const QStringList& captions, const QList<QStringList>& rows) {
    QStringList lines{QStringLiteral("<br><br>"), QStringLiteral("<div id=\"dettable\"><table>")};
    lines << QStringLiteral("<tr class=\"hd\"><th>") +
                 JoinEscaped(captions, QStringLiteral("</th><th>")) + QStringLiteral("</th></tr>");
    for (qsizetype row = 0; row < rows.size(); ++row) {
        const QString rowClass = row % 2 == 0 ? QStringLiteral("i0") : QStringLiteral("i1");
        lines << QStringLiteral("<tr class=\"") + rowClass + QStringLiteral("\"><td>") +
                     JoinEscaped(rows[row], QStringLiteral("</td><td>")) +
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

QString SaveFailureText(const QString& path, const QString& reason) {
    return FormatConstant(Constant::SaveFailed, {QDir::toNativeSeparators(path), reason});
}

void ReportSaveFailure(QWidget* parent, const QString& path, const std::exception& error) {
    LogQuietFailure("saving a file", error);
    const auto* failed = dynamic_cast<const FileSaveError*>(&error);
    const QString text = failed ? SaveFailureText(failed->path(), failed->reason())
                                : SaveFailureText(path, QString::fromLocal8Bit(error.what()));
    DialogSeam::showMessage(parent, QMessageBox::Warning, QString::fromLatin1(kProductTitle), text);
}

void ExportHtmlReport(QWidget* parent, const SaveDialogTexts& dialog, const QString& title,
                      const std::function<QStringList()>& body) {
    const QString path = DialogSeam::getSaveFileName(parent, SaveRequestFromDialogTexts(dialog));
    if (path.isEmpty())
        return;
    RunGuarded(parent, path, [&] {
        ReportWriter file(path, ReportEncoding::Html1252);
        WriteHtmlHeader(file, title);
        file.writeLines(body());
        WriteHtmlFooter(file, QString::fromUtf8(kProductVersion));
        file.commit();
    });
}

namespace {

void ExportTextReport(QWidget* parent, const SaveDialogTexts& dialog, ReportEncoding encoding,
                      const std::function<QStringList()>& lines) {
    const QString path = DialogSeam::getSaveFileName(parent, SaveRequestFromDialogTexts(dialog));
    if (path.isEmpty())
        return;
    RunGuarded(parent, path, [&] { WriteReportFile(path, encoding, lines()); });
}

} // namespace

void ExportCsvReport(QWidget* parent, const SaveDialogTexts& dialog,
                     const std::function<QStringList()>& lines) {
    ExportTextReport(parent, dialog, ReportEncoding::System, lines);
}

void ExportCalendarReport(QWidget* parent, const SaveDialogTexts& dialog,
                          const std::function<QStringList()>& lines) {
    ExportTextReport(parent, dialog, ReportEncoding::Utf8, lines);
}

} // namespace skyvane
