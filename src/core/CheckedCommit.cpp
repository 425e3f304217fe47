#include "CheckedCommit.h"

namespace skyvane {

FileSaveError::FileSaveError(const QString& action, const QString& path, const QString& reason)
    : std::runtime_error(QStringLiteral("%1 %2: %3").arg(action, path, reason).toStdString())
    , m_path(path)
    , m_reason(reason) {}

bool CommitChecked(QSaveFile& file, QString& errorText) {
    // commit() does not report a failed final flush (a full disk), and would then replace the
    // earlier file with a truncated one; flushing first lets the earlier file survive.
    if (!file.flush() || file.error() != QFileDevice::NoError) {
        errorText = file.errorString();
        file.cancelWriting();
        file.commit(); // removes the temporary file
        return false;
    }
    if (file.commit())
        return true;
    errorText = file.errorString();
    return false;
}

bool WriteFileChecked(const QString& path, const QByteArray& bytes, QString& errorText) {
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size())
        return CommitChecked(file, errorText);
    errorText = file.errorString();
    return false;
}

} // namespace skyvane
