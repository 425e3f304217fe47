#pragma once

#include <QSaveFile>
#include <QString>

namespace skyvane {

// Completes a QSaveFile: flushes and checks the written data before the file replaces an
// earlier one. On failure the earlier file stays, nothing new appears, errorText says why and
// false is returned.
bool CommitChecked(QSaveFile& file, QString& errorText);

} // namespace skyvane
