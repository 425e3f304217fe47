#include "QuietFailure.h"

namespace skyvane {

Q_LOGGING_CATEGORY(lcQuietFailure, "skyvane.quiet", QtWarningMsg)

void LogQuietFailure(const char* where, const QString& reason) {
    qCWarning(lcQuietFailure).noquote() << where << QLatin1String("failed:") << reason;
}

void LogQuietFailure(const char* where, const std::exception& error) {
    LogQuietFailure(where, QString::fromUtf8(error.what()));
}

} // namespace skyvane
