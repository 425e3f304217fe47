#pragma once

#include <QLoggingCategory>
#include <QString>

#include <exception>
#include <utility>

namespace skyvane {

// Failures the program swallows on purpose so that a click, an export or a database action ends
// without a message box. They are not lost: each one is written to this category
// ("skyvane.quiet", warnings on by default; QT_LOGGING_RULES="skyvane.quiet=false" silences it).
Q_DECLARE_LOGGING_CATEGORY(lcQuietFailure)

// Records a failure that ends `where` (what the program was doing) without telling the user.
void LogQuietFailure(const char* where, const std::exception& error);
void LogQuietFailure(const char* where, const QString& reason);

// Runs `action`; an exception it throws ends it quietly and is logged under `where`. Returns
// whether the action completed.
template <typename Action> bool RunQuietly(const char* where, Action&& action) {
    try {
        std::forward<Action>(action)();
        return true;
    } catch (const std::exception& error) {
        LogQuietFailure(where, error);
        return false;
    }
}

} // namespace skyvane
