#pragma once

#include <QSaveFile>
#include <QString>

namespace skyvane {

// Completes a QSaveFile: flushes and checks the written data before the file replaces an
// earlier one. On failure the earlier file stays, nothing new appears, errorText says why and
// false is returned.
bool CommitChecked(QSaveFile& file, QString& errorText);

// Writes `bytes` as the whole file at `path` through CommitChecked: on failure the earlier file
// stays, errorText says why and false is returned.
bool WriteFileChecked(const QString& path, const QByteArray& bytes, QString& errorText);

} // namespace skyvane
