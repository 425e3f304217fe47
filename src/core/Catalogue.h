#pragma once

#include "SatelliteData.h"

#include <QDateTime>
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
// The current catalogue shipped with the program, found with the other data files. Its own name,
// so that a copy beside the program is never taken for the user's satpos.dat.
inline constexpr char kShippedCatalogueFileName[] = "satellites-current.dat";
// A catalogue is a few hundred short lines; anything much larger is not one, and is refused
// before it is read. Names are cut nowhere else, so an absurd one is refused too.
inline constexpr qint64 kMaxCatalogueFileBytes = 4 * 1024 * 1024;
inline constexpr int kMaxSatelliteNameLength = 200;
// The built-in copy, a raw resource holding the Windows-1252 bytes as they were shipped.
inline constexpr char kBuiltInCatalogueResource[] = ":/data/RC_DATA_SATPOS";

// Returns the text before the first `separator` and leaves the text after it in `rest`; when
// the separator does not occur, returns all of `rest` and leaves it empty.
QString SplitAtChar(QString& rest, QChar separator);

// A satellite line "position|name[|ignored]": Name and Position filled, angles 0.0.
// A position that is not a number gives 0.0; one that reads as NaN, an infinity or a number beyond
// a double's range throws CatalogueError, so that the line is skipped.
std::unique_ptr<TSatelliteData> ParseSatelliteLine(const QString& line);

// For a comment line (first character ";"): the version it states, if it is a version comment.
std::optional<QString> VersionFromComment(const QString& line);

// For a comment line: the epoch it states for the element sets a catalogue was computed from
// (";Epoch=2026-03-01T06:00:00Z", UTC), if it is such a comment.
std::optional<QDateTime> ElementsEpochFromComment(const QString& line);
// The comment line that states `epoch` for ElementsEpochFromComment.
QString ElementsEpochComment(const QDateTime& epoch);
// The elements epoch that the comments before the first satellite line state; invalid if none.
QDateTime ElementsEpochOf(const QStringList& lines);

// Element sets older than this many days give the positions of their epoch, which may no
// longer hold: the user is told.
inline constexpr int kOldElementsDays = 30;
// Element sets older than this are used only when the user says so at the import.
inline constexpr int kVeryOldElementsDays = 180;
// Whole days from `epoch` to `now` when the elements are older than kOldElementsDays.
std::optional<int> OldElementsAge(const QDateTime& epoch, const QDateTime& now);

// Where the lines of a catalogue came from, best first.
enum class CatalogueSource { WorkingDirectory, User, Shipped, BuiltIn };

// Which catalogue the next calculation reads, found without reading it.
struct CatalogueLocation {
    CatalogueSource source = CatalogueSource::BuiltIn;
    QString path; // empty for the built-in copy
};
// Whether the catalogue shipped with the program takes part in the lookup. The program uses it;
// tests run on the built-in copy unless they ask for the shipped one.
enum class ShippedCatalogue { Ignored, Used };

CatalogueLocation LocateCatalogue(ShippedCatalogue shipped);

struct CatalogueText {
    QStringList lines;
    CatalogueSource source = CatalogueSource::BuiltIn;
    QString path; // empty for the built-in copy
};

// Throws CatalogueError when a satellite line's name is longer than kMaxSatelliteNameLength.
void CheckCatalogueLines(const QStringList& lines, const QString& path = QString());

// Reads the catalogue for the calculations of one session: the first of satpos.dat as
// LocateCatalogueFile finds it (the working directory, then the user's data folder), the shipped
// current catalogue when it takes part, the built-in copy. Files are decoded as UTF-8 when
// valid, else Windows-1252, and read again only when they changed since this reader's last read.
class CatalogueReader {
public:
    explicit CatalogueReader(ShippedCatalogue shipped = ShippedCatalogue::Ignored);

    // Throws CatalogueError when a file that is there cannot be read, is larger than
    // kMaxCatalogueFileBytes or holds an over-long name. Returns nullopt when the built-in
    // resource is missing, in which case the caller keeps its previous lines.
    std::optional<CatalogueText> load();
    // Reads the catalogue file at `path` as load() reads satpos.dat (same checks and errors).
    QStringList read(const QString& path) { return readFile(path); }

private:
    QStringList readFile(const QString& path);

    // The last file read: its identity, and the lines it gave.
    struct FileStamp {
        QString path;
        qint64 size = -1;
        QDateTime modified;
        QDateTime changed;
        bool operator==(const FileStamp&) const = default;
    };

    ShippedCatalogue m_shipped;
    FileStamp m_lastStamp;
    QStringList m_lastLines;
    std::optional<QStringList> m_builtInLines;
};

// The lines a reader of its own, without the shipped catalogue, loads now.
std::optional<QStringList> LoadCatalogueLines();

// The built-in catalogue's lines (empty if the resource is missing).
QStringList BuiltInCatalogueLines();

} // namespace skyvane
