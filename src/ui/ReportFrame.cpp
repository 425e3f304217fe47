#include "ReportFrame.h"

namespace skyvane {

void WriteHtmlHeader(ReportWriter& file, const QString& title) {
    file.writeLines(HtmlFrameHeaderLines(title));
}

void WriteHtmlFooter(ReportWriter& file, const QString& version) {
    file.writeLines(HtmlFrameFooterLines(version));
}

} // namespace skyvane
