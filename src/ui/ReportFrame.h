#pragma once

#include "ReportWriter.h"

#include <QString>

namespace skyvane {

// Opens an HTML report: the document head with the style sheet every report uses, then the
// title (escaped) as page title and first heading. The report's own content follows.
void WriteHtmlHeader(ReportWriter& file, const QString& title);

// Closes an HTML report with the line naming the product, `version` and the product's web site.
void WriteHtmlFooter(ReportWriter& file, const QString& version);

} // namespace skyvane
