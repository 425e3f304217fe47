#pragma once

#include "SunOutage.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>
#include <stop_token>
#include <vector>

namespace skyvane {

// A site of a list of sites. latitude: North positive; longitude: West positive.
struct NamedSite {
    QString name;
    double latitude = 0.0;
    double longitude = 0.0;
};

// Reads a list of sites, one "name;latitude;longitude" a line: degrees, North and East positive,
// or unsigned with the hemisphere's letter after them ("47.16 N;16.16 E"), a point or a comma
// as decimal separator. A name in double quotes is read without them, inner quotes doubled
// ("Bob's ""top"" roof"). Blank lines and lines starting with "#" are skipped; a line that names
// no place on the globe is refused with its line number in `error` and nothing returned.
std::vector<NamedSite> ReadSiteList(const QByteArray& bytes, QString* error);

// The outage days of one satellite for each site, in the order given.
struct SiteOutages {
    NamedSite site;
    std::vector<OutageRow> rows;
    PredictionStatus status = PredictionStatus::NoSatellite;
};

// The prediction of `satellite` (its position; its site is replaced) for every site, as the sun
// outage window would make it with `options`'s diameter, year, season and band. Calls
// `progress(done)` after each site; stops at the next site once `stop` is requested, and then
// returns what it had.
std::vector<SiteOutages> PredictForSites(const TSatelliteData& satellite,
                                         const std::vector<NamedSite>& sites,
                                         const SunOutagePredictor& options, std::stop_token stop,
                                         const std::function<void(int done)>& progress = {});

// The table of such a prediction, one row an outage day: site, latitude, longitude (North and
// East positive, as read), date, start, end (GMT) and duration, the texts in the current locale
// like the window's table.
QList<QStringList> SiteOutageRows(const std::vector<SiteOutages>& outages);

} // namespace skyvane
