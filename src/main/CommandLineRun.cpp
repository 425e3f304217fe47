#include "CommandLineRun.h"

#include "Calculation.h"
#include "Catalogue.h"
#include "Coordinates.h"
#include "HorizonMask.h"
#include "LookAngles.h"
#include "MagneticDeclination.h"
#include "MainListReports.h"
#include "NumberText.h"
#include "OutageCalendar.h"
#include "ProductInfo.h"
#include "ReportWriter.h"
#include "SatelliteTableModel.h"
#include "SiteBook.h"
#include "SunOutage.h"
#include "SunOutageOptions.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDate>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>
#include <cstdio>
#include <memory>
#include <stdexcept>

namespace skyvane {

namespace {

const QString kSite = QStringLiteral("site");
const QString kList = QStringLiteral("list");
const QString kOut = QStringLiteral("out");
const QString kDeclination = QStringLiteral("declination");
const QString kCatalogue = QStringLiteral("catalogue");
const QString kSunOutage = QStringLiteral("sun-outage");
const QString kYear = QStringLiteral("year");
const QString kSeason = QStringLiteral("season");
const QString kBand = QStringLiteral("band");
const QString kDiameter = QStringLiteral("diameter");
const QString kIcs = QStringLiteral("ics");
const QString kSiteBook = QStringLiteral("site-book");

// A command line that asks for something impossible: said with the usage status.
class UsageError : public std::runtime_error {
public:
    explicit UsageError(const QString& what)
        : std::runtime_error(what.toStdString()) {}
};

// A coordinate or orbital position as typed: signed decimal degrees ("-33.87"), or as the site
// fields read it, with a hemisphere letter or in degrees, minutes and seconds ("47.68N",
// "47°41'24\"N"). Degrees North or East positive.
std::optional<double> ParseCoordinate(const QString& text, CoordinateAxis axis) {
    const double limit = axis == CoordinateAxis::Latitude ? 90.0 : 180.0;
    bool ok = false;
    const double value = QLocale::c().toDouble(text.trimmed(), &ok);
    if (ok)
        return std::isfinite(value) && std::fabs(value) <= limit ? std::optional(value)
                                                                 : std::nullopt;
    if (const std::optional<AngleReading> written = ParseDegreesMinutesSeconds(text, axis))
        return written->signedDegrees();
    return std::nullopt;
}

QString ListFormat(const QCommandLineParser& parser) {
    const QStringList positional = parser.positionalArguments();
    if (positional.size() > 1)
        throw UsageError(QStringLiteral("Unexpected arguments: ") +
                         positional.mid(1).join(QLatin1Char(' ')));
    const QString format = positional.isEmpty() ? QStringLiteral("csv") : positional.first();
    if (format != QLatin1String("csv") && format != QLatin1String("html") &&
        format != QLatin1String("json"))
        throw UsageError(QStringLiteral("--list takes csv, html or json, not '%1'.").arg(format));
    return format;
}

// The site of --site, or of --site-book with its horizon.
struct BatchSite {
    SiteArgument where;
    HorizonMask horizon;
};

SiteArgument RequiredSite(const QCommandLineParser& parser);

BatchSite SiteOfCommandLine(const QCommandLineParser& parser) {
    if (!parser.isSet(kSiteBook))
        return {RequiredSite(parser), {}};
    if (parser.isSet(kSite))
        throw UsageError(QStringLiteral("Give --site or --site-book, not both."));
    SiteBook book;
    const SiteBook::LoadResult loaded = book.load();
    if (!loaded.ok)
        throw std::runtime_error(loaded.message.toStdString());
    const SiteRecord* record = book.find(parser.value(kSiteBook));
    if (!record)
        throw UsageError(
            QStringLiteral("The site book has no site '%1'.").arg(parser.value(kSiteBook)));
    return {{record->latitude, record->longitude}, record->horizon};
}

SiteArgument RequiredSite(const QCommandLineParser& parser) {
    if (!parser.isSet(kSite))
        throw UsageError(QStringLiteral("Give the site with --site LATITUDE,LONGITUDE."));
    const std::optional<SiteArgument> site = ParseSiteArgument(parser.value(kSite));
    if (!site)
        throw UsageError(
            QStringLiteral("'%1' is no site: give it as 47.68N,17.63E.").arg(parser.value(kSite)));
    return *site;
}

QStringList CatalogueLines(const QString& file) {
    if (!file.isEmpty())
        return CatalogueReader().read(file);
    if (std::optional<CatalogueText> text = CatalogueReader(ShippedCatalogue::Used).load())
        return text->lines;
    throw std::runtime_error("No catalogue could be read.");
}

QString LatitudeText(double north) {
    return FormatFixed(std::fabs(north), 2);
}

SiteFacts FactsOf(const SiteArgument& site) {
    SiteFacts facts;
    facts.latitudeText = LatitudeText(site.latitudeNorth);
    facts.latitudeNorth = site.latitudeNorth >= 0.0;
    facts.longitudeText = FormatFixed(std::fabs(site.longitudeEast), 2);
    facts.longitudeWest = site.longitudeEast < 0.0;
    return facts;
}

QString SiteText(const SiteArgument& site) {
    const SiteFacts facts = FactsOf(site);
    return facts.latitudeText + QStringLiteral("° ") + (facts.latitudeNorth ? u'N' : u'S') + u' ' +
           facts.longitudeText + QStringLiteral("° ") + (facts.longitudeWest ? u'W' : u'E');
}

QJsonDocument ListJson(const SiteArgument& site, const std::vector<SatelliteRecord>& records,
                       const std::optional<double>& declination, const HorizonMask& horizon) {
    QJsonArray satellites;
    for (const SatelliteRecord& record : records) {
        QJsonObject satellite{
            {QStringLiteral("name"), record->Name.trimmed()},
            {QStringLiteral("positionEast"), -record->Position},
            {QStringLiteral("azimuth"), record->Azimuth},
            {QStringLiteral("elevation"), record->Elevation},
            {QStringLiteral("skew"), record->Skew},
        };
        if (!horizon.isEmpty())
            satellite.insert(QStringLiteral("blockedByHorizon"),
                             BlockedByHorizon(*record, horizon, declination.value_or(0.0)));
        satellites.append(satellite);
    }
    QJsonObject root{
        {QStringLiteral("latitudeNorth"), site.latitudeNorth},
        {QStringLiteral("longitudeEast"), site.longitudeEast},
        {QStringLiteral("azimuthReference"),
         declination ? QStringLiteral("magnetic") : QStringLiteral("true")},
        {QStringLiteral("satellites"), satellites},
    };
    if (declination)
        root.insert(QStringLiteral("declination"), *declination);
    return QJsonDocument(root);
}

// Results go to the file named with --out, written as the window's exports write it, or to
// standard output with the same bytes.
void Deliver(const QCommandLineParser& parser, const QString& option, ReportEncoding encoding,
             const QStringList& lines) {
    if (parser.isSet(option) && !parser.value(option).isEmpty()) {
        WriteReportFile(parser.value(option), encoding, lines);
        return;
    }
    const QByteArray bytes = EncodeReportLines(lines, encoding);
    if (std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout) != size_t(bytes.size()) ||
        std::fflush(stdout) != 0)
        throw std::runtime_error("Cannot write to standard output.");
}

int RunList(const QCommandLineParser& parser) {
    const QString format = ListFormat(parser);
    const BatchSite given = SiteOfCommandLine(parser);
    const SiteArgument site = given.where;
    const QStringList lines = CatalogueLines(parser.value(kCatalogue));
    std::optional<double> declination;
    QString declinationText;
    if (parser.isSet(kDeclination)) {
        MagneticDeclination model;
        model.load();
        if (!model.MagDecAvailable())
            throw std::runtime_error("The magnetic model is not available (--check tells why).");
        declination = model.UpdateMagneticDeclination(site.latitudeNorth, -site.longitudeEast,
                                                      declinationText);
    }
    CalculationResult result =
        CalculateVisibleSatellites(lines, site.latitudeNorth, -site.longitudeEast, declination);
    if (format == QLatin1String("json")) {
        Deliver(parser, kOut, ReportEncoding::Utf8,
                {QString::fromUtf8(ListJson(site, result.visible, declination, given.horizon)
                                       .toJson(QJsonDocument::Indented))
                     .trimmed()});
        return kExitOk;
    }
    SatelliteTableModel rows;
    rows.setRecords(std::move(result.visible));
    if (format == QLatin1String("csv")) {
        Deliver(parser, kOut, ReportEncoding::System, MainListCsvLines(rows));
        return kExitOk;
    }
    MainListReportInputs inputs;
    inputs.site.captions = {QStringLiteral("Latitude"), QStringLiteral("Longitude"),
                            QStringLiteral("City:"), QStringLiteral("Magnetic declination:")};
    inputs.site.facts = FactsOf(site);
    inputs.site.facts.declinationTicked = declination.has_value();
    inputs.site.facts.declinationText = declinationText;
    inputs.heading = QStringLiteral("Azimuth & Elevation");
    Deliver(parser, kOut, ReportEncoding::Html1252,
            HtmlFrameHeaderLines(inputs.heading) + MainListHtmlBodyLines(inputs, rows) +
                HtmlFrameFooterLines(QString::fromUtf8(kProductVersion)));
    return kExitOk;
}

template <typename T>
T Choice(const QCommandLineParser& parser, const QString& option, const QString& first, T a,
         const QString& second, T b, T fallback) {
    if (!parser.isSet(option))
        return fallback;
    const QString value = parser.value(option).toLower();
    if (value == first.toLower())
        return a;
    if (value == second.toLower())
        return b;
    throw UsageError(QStringLiteral("--%1 takes %2 or %3, not '%4'.")
                         .arg(option, first, second, parser.value(option)));
}

SunOutagePredictor OutageRequest(const QCommandLineParser& parser, const SiteArgument& site) {
    const std::optional<double> east = ParsePositionArgument(parser.value(kSunOutage));
    if (!east)
        throw UsageError(QStringLiteral("'%1' is no orbital position: give it as 19.2E.")
                             .arg(parser.value(kSunOutage)));
    auto satellite = std::make_shared<TSatelliteData>();
    satellite->Position = -*east;
    satellite->Name = OrbitalPositionText(satellite->Position);
    satellite->SiteLatitude = site.latitudeNorth;
    satellite->SiteLongitude = -site.longitudeEast;
    SunOutagePredictor predictor;
    predictor.Satellite = satellite;
    predictor.Year = QDate::currentDate().year();
    if (parser.isSet(kYear)) {
        bool ok = false;
        predictor.Year = parser.value(kYear).toInt(&ok);
        if (!ok || predictor.Year < 1905 || predictor.Year > 9999)
            throw UsageError(QStringLiteral("--year takes a year from 1905 on, not '%1'.")
                                 .arg(parser.value(kYear)));
    }
    predictor.Season = Choice(parser, kSeason, QStringLiteral("spring"), OutageSeason::Spring,
                              QStringLiteral("fall"), OutageSeason::Fall, OutageSeason::Spring);
    predictor.Band = Choice(parser, kBand, QStringLiteral("C"), OutageBand::C, QStringLiteral("Ku"),
                            OutageBand::Ku, OutageBand::C);
    predictor.Diameter = SunOutageOptions::kDefaultDiameter;
    if (parser.isSet(kDiameter)) {
        bool ok = false;
        predictor.Diameter = QLocale::c().toDouble(parser.value(kDiameter), &ok);
        if (!ok || !SunOutagePredictor::IsUsableDiameter(predictor.Diameter))
            throw UsageError(QStringLiteral("--diameter takes metres above zero, not '%1'.")
                                 .arg(parser.value(kDiameter)));
    }
    return predictor;
}

QStringList OutageCsvLines(const std::vector<OutageRow>& rows) {
    QStringList lines{CsvLine({QStringLiteral("Date"), QStringLiteral("Start (UTC)"),
                               QStringLiteral("End (UTC)"), QStringLiteral("Duration")})};
    for (const OutageRow& row : rows)
        lines << CsvLine({row.Start.date().toString(Qt::ISODate),
                          row.Start.time().toString(Qt::ISODate),
                          row.End.time().toString(Qt::ISODate), DurationText(row.DurationSeconds)});
    return lines;
}

int RunSunOutage(const QCommandLineParser& parser) {
    const SiteArgument site = SiteOfCommandLine(parser).where;
    SunOutagePredictor predictor = OutageRequest(parser, site);
    const PredictionStatus status = predictor.PredictOutages();
    if (!SearchedAnything(status))
        throw std::runtime_error("Nothing could be predicted for these inputs.");
    Deliver(parser, kOut, ReportEncoding::System, OutageCsvLines(predictor.Rows));
    if (parser.isSet(kIcs)) {
        OutageCalendarInputs inputs;
        inputs.satellite = predictor.Satellite->Name;
        inputs.site = SiteText(site);
        inputs.summary = QStringLiteral("Sun outage: %s from %s");
        inputs.alarm = QStringLiteral("Sun outage in %s minutes");
        inputs.stamp = QDateTime::currentDateTimeUtc();
        WriteReportFile(parser.value(kIcs), ReportEncoding::Utf8,
                        OutageCalendarLines(predictor.Rows, inputs));
    }
    if (status == PredictionStatus::SearchBoundReached)
        throw std::runtime_error("The search stopped at its limit: the table may be incomplete.");
    return kExitOk;
}

} // namespace

void AddBatchOptions(QCommandLineParser& parser) {
    parser.addOptions({
        {kSite,
         QStringLiteral("The site, as 47.68N,17.63E or signed degrees (North and East "
                        "positive)."),
         QStringLiteral("latitude,longitude")},
        {kList, QStringLiteral("Prints the satellites above the site's horizon without a window, "
                               "as csv (the default), html or json: --list json.")},
        {kOut, QStringLiteral("Writes the list or the outage table to this file instead."),
         QStringLiteral("file")},
        {kDeclination, QStringLiteral("Gives azimuths from magnetic north.")},
        {kCatalogue, QStringLiteral("Reads the satellites from this catalogue file."),
         QStringLiteral("file")},
        {kSunOutage,
         QStringLiteral("Prints the sun outage days of the satellite at this orbital "
                        "position (19.2E, 30W) for the site."),
         QStringLiteral("position")},
        {kYear, QStringLiteral("The year of the sun outages (this year by default)."),
         QStringLiteral("year")},
        {kSeason, QStringLiteral("spring (the default) or fall."), QStringLiteral("season")},
        {kBand, QStringLiteral("C (the default) or Ku."), QStringLiteral("band")},
        {kDiameter, QStringLiteral("The dish diameter in metres (3.6 by default)."),
         QStringLiteral("metres")},
        {kIcs, QStringLiteral("Also writes the sun outages as a calendar file."),
         QStringLiteral("file")},
        {kSiteBook,
         QStringLiteral("Uses the site of this name from the site book (and its "
                        "horizon) instead of --site."),
         QStringLiteral("name")},
    });
}

bool WantsBatch(const QCommandLineParser& parser) {
    return parser.isSet(kList) || parser.isSet(kSunOutage);
}

int RunBatch(const QCommandLineParser& parser, QTextStream& errors) {
    const QString program = QCoreApplication::applicationName();
    QLocale::setDefault(QLocale::c());
    try {
        if (parser.isSet(kList) && parser.isSet(kSunOutage))
            throw UsageError(QStringLiteral("Give --list or --sun-outage, not both."));
        return parser.isSet(kList) ? RunList(parser) : RunSunOutage(parser);
    } catch (const UsageError& error) {
        errors << program << ": " << error.what() << "\n"
               << "Try '" << program << " --help' for the options.\n";
        return kExitUsage;
    } catch (const std::exception& error) {
        errors << program << ": " << error.what() << '\n';
        return kExitFailed;
    }
}

std::optional<SiteArgument> ParseSiteArgument(const QString& text) {
    if (const std::optional<GeoPoint> square = MaidenheadCentre(text.trimmed()))
        return SiteArgument{square->latitude, square->longitude};
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 2)
        return std::nullopt;
    const std::optional<double> north = ParseCoordinate(parts[0], CoordinateAxis::Latitude);
    const std::optional<double> east = ParseCoordinate(parts[1], CoordinateAxis::Longitude);
    if (!north || !east)
        return std::nullopt;
    return SiteArgument{*north, *east};
}

std::optional<double> ParsePositionArgument(const QString& text) {
    return ParseCoordinate(text, CoordinateAxis::Longitude);
}

} // namespace skyvane
