#pragma once

#include <QSaveFile>
#include <QString>

#include <stdexcept>

namespace skyvane {

// A file that could not be saved: which file, and why in the words of the system ("No space
// left on device"), so a message can name both.
class FileSaveError : public std::runtime_error {
public:
    // what() is "<action> <path>: <reason>", for the log.
    FileSaveError(const QString& action, const QString& path, const QString& reason);

    const QString& path() const { return m_path; }
    const QString& reason() const { return m_reason; }

private:
    QString m_path;
    QString m_reason;
};

// Completes a QSaveFile: flushes and checks the written data before the file replaces an
// earlier one. On failure the earlier file stays, nothing new appears, errorText says why and
// false is returned.
bool CommitChecked(QSaveFile& file, QString& errorText);

// Writes `bytes` as the whole file at `path` through CommitChecked: on failure the earlier file
// stays, errorText says why and false is returned.
bool WriteFileChecked(const QString& path, const QByteArray& bytes, QString& errorText);

} // namespace skyvane
