#pragma once

#include "Catalogue.h"
#include "Constants.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <functional>
#include <optional>
#include <stop_token>
#include <vector>

namespace skyvane {

// Files larger than this are refused before they are read: the biggest public element lists of
// geostationary objects are a few megabytes.
inline constexpr qint64 kMaxImportFileBytes = 64 * 1024 * 1024;

// Mean orbital elements of one object, as the public element lists give them.
struct MeanElements {
    QString name;
    QDateTime epoch;            // UTC
    double inclination = 0.0;   // degrees
    double ascendingNode = 0.0; // right ascension of the ascending node, degrees
    double eccentricity = 0.0;
    double argumentOfPerigee = 0.0; // degrees
    double meanAnomaly = 0.0;       // degrees
    double meanMotion = 0.0;        // revolutions per day
};

// Greenwich mean sidereal time at `utc`, degrees in [0, 360).
double GreenwichSiderealDegrees(const QDateTime& utc);

// Satellites whose sub-satellite point moves faster than this (degrees per day) are being moved
// or are not kept on a slot.
inline constexpr double kDriftingAbove = 0.05;

// How fast the sub-satellite point moves, degrees per day, West positive: the difference
// between the mean motion and the Earth's rotation.
double DriftDegreesPerDay(const MeanElements& elements);
bool IsDrifting(const MeanElements& elements);

// The orbital position (degrees, West positive, in (-180, 180]) of a geostationary object: the
// sub-satellite longitude at the epoch. Station-kept satellites stay on their slots, while the
// mean motion of their elements would move them away over weeks; only a drifting satellite
// (IsDrifting) is carried on to `now` at its drift rate. Nothing for an object that is not
// geostationary (mean motion outside 0.98 to 1.02 revolutions per day, or eccentricity of 0.01
// or more).
std::optional<double> GeostationaryPosition(const MeanElements& elements, const QDateTime& now);

// A catalogue made from a file the user chose: the bytes to store as the user's catalogue and
// what they hold.
struct ImportedCatalogue {
    QByteArray bytes;
    QString format; // "catalogue", "satellites.xml", "OMM JSON", "OMM CSV", "OMM XML", "TLE"
    int satellites = 0;
    // The newest epoch of the element sets the positions come from; invalid for formats that
    // state positions.
    QDateTime elementsEpoch;
    // The element sets behind the positions, as the user's element file keeps them
    // (ElementLine); empty for formats that state positions.
    QByteArray elements;
};

// An element set kept with the user's catalogue: the catalogue position (tenths of a degree,
// West positive) and name it gave, and the elements.
struct StoredElements {
    int positionTenths = 0;
    MeanElements elements;
};

// One line of the element file: "position|name|epoch|inclination|node|eccentricity|perigee|
// anomaly|mean motion", the epoch in ISO form (UTC), numbers with a point.
QString ElementLine(double position, const MeanElements& elements);
// The sets of an element file; lines that are not such lines are skipped.
std::vector<StoredElements> ParseElementLines(const QByteArray& bytes);
// The set kept for a catalogue line: at its position, under one of its names ("A, B").
const MeanElements* FindElements(const std::vector<StoredElements>& sets, double position,
                                 const QString& lineName);

// satpos-elements.dat beside the user's catalogue; it goes with it (written, replaced, merged
// and removed with it) and is read only while the user's catalogue is the one in use.
QString UserElementsFile();
// Writes the element file, or removes it for empty bytes. Throws CatalogueError.
void WriteUserElements(const QByteArray& bytes);
// The user's element file; empty when there is none.
QByteArray ReadUserElements();

// The readers of the formats a user may have. Xml reads satellites.xml and OMM XML by their root.
enum class ImportReader { Catalogue, Xml, OmmJson, OmmCsv, Tle };

// What a caller converting on a worker thread may hand in. `progress` is called from the
// converting thread now and then with the share of the content read (0 to 1); a stop requested on
// `stop` ends the conversion with ImportCancelled. The conversion itself touches no shared state.
struct ConversionControl {
    std::function<void(double share)> progress;
    std::stop_token stop;
};

// Where in a file a reader found a fault: Constant::ImportLine or ImportRecord with its number.
struct ImportPlace {
    Constant kind;
    qsizetype number;
};

// A file a reader refused: the reason (a constant whose "%s" take the place, if any, then the
// arguments). what() is the English text, so that the error can be made on any thread;
// ImportErrorText gives the text in the current language.
class ImportError : public CatalogueError {
public:
    ImportError(Constant reason, QStringList arguments, std::optional<ImportPlace> place = {});
    // The message in the current language (when `translated`) or in English.
    QString text(bool translated) const;

private:
    Constant m_reason;
    QStringList m_arguments;
    std::optional<ImportPlace> m_place;
};

// Thrown when a conversion was stopped through its ConversionControl.
class ImportCancelled : public ImportError {
public:
    ImportCancelled();
};

// The message of a failed import for the user, in the current language for a reader's refusal
// (call it where the language is switched, on the interface thread); what() for any other error.
QString ImportErrorText(const CatalogueError& error);

// The reader for `content` as its first bytes show it (text in UTF-8, UTF-16 or UTF-32, with or
// without a byte-order mark); nothing for text that is only a catalogue or a damaged element list.
std::optional<ImportReader> DetectImportReader(const QByteArray& content);

// Converts the content of a file in one of the formats a user may have (the catalogue's own line
// format, an Enigma2/Neutrino satellites.xml, OMM as JSON, CSV or XML, three-line TLE) into the
// catalogue's line format. Element positions are computed for `now`. Throws CatalogueError with
// a message for the user when the content is broken or holds no geostationary satellite, and
// refuses XML, JSON and CSV over 32 MB before parsing them.
ImportedCatalogue ConvertCatalogue(const QByteArray& content, const QString& sourceName,
                                   const QDateTime& now, const ConversionControl& control = {});

// ConvertCatalogue with the reader chosen by the caller.
ImportedCatalogue ConvertCatalogueAs(ImportReader reader, const QByteArray& content,
                                     const QString& sourceName, const QDateTime& now,
                                     const ConversionControl& control = {});

// Reads and converts the file at `path`; refuses anything but a regular file of at most
// kMaxImportFileBytes. Throws CatalogueError.
ImportedCatalogue ReadCatalogueForImport(const QString& path, const QDateTime& now,
                                         const ConversionControl& control = {});

// Reads, converts and stores the file at `path` as the user's catalogue. Throws CatalogueError,
// leaving the previous user's catalogue as it was.
ImportedCatalogue ImportCatalogueFile(const QString& path, const QDateTime& now);

// The user's catalogue, satpos.dat in the user's data folder (empty when there is no such
// folder).
QString UserCatalogueFile();

// Replaces the user's catalogue atomically: on failure the previous file stays as it was.
// Refuses a catalogue longer than the reader takes (kMaxCatalogueFileBytes) before anything is
// replaced. Throws CatalogueError naming the file and the reason.
void WriteUserCatalogue(const QByteArray& bytes);

// The catalogue `existing` (the bytes of the user's catalogue) with `imported` added: a position
// both hold takes the imported line, every other line of either stays, East to West. The imported
// catalogue's comments lead, stating the newer of the two element epochs. Throws CatalogueError.
ImportedCatalogue AddToCatalogue(const QByteArray& existing, const ImportedCatalogue& imported);
// The element lines of `existing` whose positions `imported` does not state, then the imported
// element lines: the element file that goes with AddToCatalogue's catalogue.
QByteArray AddToElements(const QByteArray& existing, const ImportedCatalogue& imported);
// AddToCatalogue over the user's catalogue as it is stored, its elements added likewise. Throws
// CatalogueError.
ImportedCatalogue AddToUserCatalogue(const ImportedCatalogue& imported);

// Removes the user's catalogue, so that the shipped one is used again. False when it stays;
// `reason`, when given, then says why.
bool RemoveUserCatalogue(QString* reason = nullptr);

} // namespace skyvane
