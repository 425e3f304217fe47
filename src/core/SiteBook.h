#pragma once

#include "HorizonMask.h"
#include "ManySites.h"
#include "Site.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

namespace skyvane {

// One site of the site book.
struct SiteRecord {
    QString name;           // unique in the book, compared without regard to case
    double latitude = 0.0;  // degrees, North positive
    double longitude = 0.0; // degrees, East positive
    double height = 0.0;    // metres above the WGS84 ellipsoid
    QString town;           // as the town database names it; may be empty
    QString timeZone;       // IANA zone id ("Europe/Budapest"); empty when not chosen
    HorizonMask horizon;    // what the surroundings hide; empty when nothing
    QString notes;          // free text
    bool operator==(const SiteRecord&) const = default;
};

// The site the main window shows for a record: the texts are the coordinates' sizes (up to a
// millionth of a degree), the hemispheres their signs (the equator North, Greenwich East).
Site SiteOfRecord(const SiteRecord& record);
// A record (without name, town and the rest) at the place a site computes for.
SiteRecord RecordAtSite(const Site& site);

// The user's named sites, kept as a JSON file. Changes are made in memory; save() writes the
// whole book atomically, so a failed save leaves the earlier file as it was.
//
// A file that cannot be read as a site book (not JSON, wrong structure, a site without name or
// outside the globe, a name twice) is never overwritten: load() moves it aside as
// "<file>.damaged-<yyyyMMdd-HHmmss>", starts an empty book and says so. Should the move fail,
// the book refuses to save until loaded again, so the damaged file stays.
class SiteBook {
public:
    // The book's file in the user's data folder: sites.json.
    static QString DefaultPath();
    static constexpr int kRecentCount = 8;

    explicit SiteBook(QString path = DefaultPath());

    struct LoadResult {
        bool ok = true;
        // Why the file was not read and where it went, in words to show; empty when ok.
        QString message;
        // The damaged file's new path; empty when none was moved.
        QString movedTo;
    };
    // Reads the file; a missing file is an empty book.
    LoadResult load();
    // Writes the book; false with the reason in `error` (file and the system's words).
    bool save(QString* error) const;
    const QString& path() const { return m_path; }

    // Every site, in the order added.
    const std::vector<SiteRecord>& sites() const { return m_sites; }
    // The site of that name, ignoring case and surrounding blanks; null when none.
    const SiteRecord* find(const QString& name) const;
    // Whether a name can be given to a site: not blank, no ";", no line break.
    static bool IsUsableName(const QString& name);
    // Adds the record, or replaces the site of that name; it becomes the most recent. False
    // (and nothing changed) for a name that cannot be used.
    bool put(SiteRecord record);
    // Gives the site `from` the name `to` (also only a change of case); false when `from` is
    // unknown, `to` unusable or another site's.
    bool rename(const QString& from, const QString& to);
    // False when there is no such site.
    bool remove(const QString& name);
    // Makes a site the most recent (it was opened).
    void touch(const QString& name);
    // Names of the sites used last, most recent first, at most kRecentCount.
    const QStringList& recent() const { return m_recent; }

    // Reads "name;latitude;longitude" lines as the list of sites for the sun outage does
    // (ReadSiteList) and puts each site; a site of a known name gets the new coordinates and
    // keeps the rest. The number of sites read, or -1 with the reason in `error` and the book
    // unchanged.
    int importCsv(const QByteArray& bytes, QString* error);
    // Every site as "name;latitude;longitude" (North and East positive, a point as decimal
    // separator), lines ending in CR LF; a name with a quote is quoted, its quotes doubled.
    QByteArray exportCsv() const;

private:
    std::vector<SiteRecord>::iterator findSite(const QString& name);
    void makeRecent(const QString& name);

    QString m_path;
    std::vector<SiteRecord> m_sites;
    QStringList m_recent;
    bool m_damagedFileInPlace = false;
};

} // namespace skyvane
