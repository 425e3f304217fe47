#pragma once

#include "SatelliteData.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <optional>
#include <stdexcept>

namespace skyvane {

// Raised when satpos.dat exists but cannot be read; what() carries the platform's message.
class CatalogueError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The external catalogue, looked up by bare name in the current directory.
inline constexpr char kCatalogueFileName[] = "satpos.dat";
// The built-in copy, a raw resource holding the Windows-1252 bytes as they were shipped.
inline constexpr char kBuiltInCatalogueResource[] = ":/data/RC_DATA_SATPOS";

// Returns the text before the first `separator` and leaves the text after it in `rest`; when
// the separator does not occur, returns all of `rest` and leaves it empty.
QString SplitAtChar(QString& rest, QChar separator);

// A satellite line "position|name[|ignored]": Name and Position filled, angles 0.0.
// A position that is not a number gives 0.0.
std::unique_ptr<TSatelliteData> ParseSatelliteLine(const QString& line);

// For a comment line (first character ";"): the version it states, if it is a version comment.
std::optional<QString> VersionFromComment(const QString& line);

// The catalogue lines for the next calculation: satpos.dat as LocateCatalogueFile finds it (decoded
// as UTF-8 when valid, else Windows-1252), otherwise the built-in copy. Throws CatalogueError when
// the file exists but cannot be read. Returns nullopt when the built-in resource is missing, in
// which case the caller keeps its previous lines.
std::optional<QStringList> LoadCatalogueLines();

// The built-in catalogue's lines (empty if the resource is missing).
QStringList BuiltInCatalogueLines();

} // namespace skyvane
