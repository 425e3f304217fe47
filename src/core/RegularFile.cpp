#include "RegularFile.h"

#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

namespace skyvane {

namespace {

bool IsResourcePath(const QString& path) {
    return path.startsWith(QLatin1Char(':'));
}

} // namespace

bool OpenRegularFile(QFile& file, const QString& path) {
    if (IsResourcePath(path)) {
        file.setFileName(path);
        return file.open(QIODevice::ReadOnly);
    }
    // Without O_NONBLOCK, opening a FIFO would wait for a writer before the type can be checked.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat status {};
    const bool regular = ::fstat(fd, &status) == 0 && S_ISREG(status.st_mode);
    if (!regular || ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0) {
        ::close(fd);
        return false;
    }
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return false;
    }
    return true;
}

QByteArray ReadAtMost(QFile& file, qint64 maxBytes) {
    const qint64 size = file.size();
    QByteArray bytes = file.read(std::min(std::max<qint64>(size, 0) + 1, maxBytes));
    if (bytes.size() > size && bytes.size() < maxBytes)
        bytes += file.read(maxBytes - bytes.size());
    return bytes;
}

std::optional<QByteArray> ReadRegularFile(const QString& path, qint64 maxBytes) {
    QFile file;
    if (!OpenRegularFile(file, path))
        return std::nullopt;
    return ReadAtMost(file, maxBytes);
}

} // namespace skyvane
