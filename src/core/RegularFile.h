#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

class QFile;

namespace skyvane {

// Opens `path` for reading when it is a regular file or a link to one. A FIFO, a device or a
// socket dropped where the program expects a data file would block the open or never end, so it
// is refused without waiting. Qt resource paths (":/...") open as usual.
bool OpenRegularFile(QFile& file, const QString& path);

// At most `maxBytes` of an open file, read into a buffer the size of the file (one byte more, to
// see whether it grew since; one that grew is read on up to the limit), not one of the limit.
QByteArray ReadAtMost(QFile& file, qint64 maxBytes);

// At most `maxBytes` of the regular file at `path`; nothing when it cannot be opened as one.
std::optional<QByteArray> ReadRegularFile(const QString& path, qint64 maxBytes);

} // namespace skyvane
