#pragma once

// File helpers for tests without widgets.

#include <QByteArray>
#include <QFile>
#include <QString>

namespace skyvane::testing {

// The file's bytes; empty when it cannot be read.
inline QByteArray FileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Writes the whole content; false when any of it could not be written.
inline bool WriteFile(const QString& path, const QByteArray& content) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

} // namespace skyvane::testing
