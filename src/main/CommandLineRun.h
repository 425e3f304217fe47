#pragma once

#include <QString>
#include <QTextStream>

#include <optional>

class QCommandLineParser;

namespace skyvane {

// The exit statuses of a run without a window, as command-line programs give them.
enum ExitStatus { kExitOk = 0, kExitFailed = 1, kExitUsage = 2 };

// Adds the options of the runs without a window: the list of a site (--site, --list, --out,
// --declination, --catalogue, --site-book) and its sun outages (--sun-outage, --year, --season,
// --band, --diameter, --ics).
void AddBatchOptions(QCommandLineParser& parser);

// Whether the command line asks for a list or a sun outage table rather than the window.
bool WantsBatch(const QCommandLineParser& parser);

// Runs what the command line asks for; results go to standard output or the files named,
// messages to `errors`. Needs a QCoreApplication but no display. Numbers are written with a
// decimal point whatever the locale, dates and times as ISO 8601 in UTC.
int RunBatch(const QCommandLineParser& parser, QTextStream& errors);

// "47.68N,17.63E", "47.68 N, 17.63 W", signed degrees "-33.87,151.21" (North and East
// positive), degrees-minutes-seconds "47°41'24\"N,17°37'48\"E" or a Maidenhead locator "JN87"
// (its square's centre): latitude North positive and longitude East positive, or nothing when
// the text is no site on the globe.
struct SiteArgument {
    double latitudeNorth = 0.0; // degrees
    double longitudeEast = 0.0; // degrees
};
std::optional<SiteArgument> ParseSiteArgument(const QString& text);

// An orbital position "19.2E", "30 W" or signed degrees East positive "-30": degrees East
// positive, or nothing.
std::optional<double> ParsePositionArgument(const QString& text);

} // namespace skyvane
