#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <vector>

namespace skyvane {

// Windows-1252, the code page of the built-in catalogue and of Western language files.
QString DecodeWindows1252(const QByteArray& bytes);

// Encodes to Windows-1252; a character outside the code page becomes a numeric character
// reference, so "ő" is written as "&#337;".
QByteArray EncodeWindows1252WithReferences(const QString& text);

// A text file of unknown origin: UTF-8 when the bytes are valid UTF-8, else Windows-1252.
QString DecodeUtf8OrWindows1252(const QByteArray& bytes);

// Splits text into lines at CR LF, a lone CR or a lone LF; an empty last line is no line.
QStringList SplitTextLines(const QString& text);
// The same lines as views into `text`.
std::vector<QStringView> SplitTextLineViews(QStringView text);

} // namespace skyvane
