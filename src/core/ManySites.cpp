#include "ManySites.h"

#include "NumberText.h"
#include "TextCodec.h"

#include <cmath>

namespace skyvane {

namespace {

// "47.16", "-33,87", "47.16 N" or "151.21E": degrees, the letter giving the sign.
std::optional<double> Coordinate(QString text, QChar positive, QChar negative, double limit) {
    text = text.trimmed().toUpper();
    double sign = 1.0;
    if (text.endsWith(positive) || text.endsWith(negative)) {
        sign = text.endsWith(negative) ? -1.0 : 1.0;
        text.chop(1);
        text = text.trimmed();
        if (text.startsWith(QLatin1Char('-')))
            return std::nullopt; // a letter and a sign say it twice
    }
    text.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double value = text.toDouble(&ok) * sign;
    if (!ok || !std::isfinite(value) || std::fabs(value) > limit)
        return std::nullopt;
    return value;
}

// A name written quoted because it holds a quote: "Bob's ""top"" roof".
QString Unquoted(QString name) {
    name = name.trimmed();
    if (name.size() >= 2 && name.startsWith(QLatin1Char('"')) && name.endsWith(QLatin1Char('"')))
        name = name.mid(1, name.size() - 2).replace(QLatin1String("\"\""), QLatin1String("\""));
    return name;
}

} // namespace

std::vector<NamedSite> ReadSiteList(const QByteArray& bytes, QString* error) {
    std::vector<NamedSite> sites;
    const QStringList lines = SplitTextLines(DecodeUtf8OrWindows1252(bytes));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QStringList fields = line.split(QLatin1Char(';'));
        const auto latitude = fields.size() == 3
                                  ? Coordinate(fields[1], QLatin1Char('N'), QLatin1Char('S'), 90.0)
                                  : std::nullopt;
        const auto east = fields.size() == 3
                              ? Coordinate(fields[2], QLatin1Char('E'), QLatin1Char('W'), 180.0)
                              : std::nullopt;
        const QString name = fields.isEmpty() ? QString() : Unquoted(fields[0]);
        if (!latitude || !east || name.trimmed().isEmpty()) {
            if (error)
                *error = QStringLiteral("Line %1 is not \"name;latitude;longitude\": \"%2\"")
                             .arg(i + 1)
                             .arg(line.left(80));
            return {};
        }
        sites.push_back({name.trimmed(), *latitude, -*east});
    }
    return sites;
}

std::vector<SiteOutages> PredictForSites(const TSatelliteData& satellite,
                                         const std::vector<NamedSite>& sites,
                                         const SunOutagePredictor& options, std::stop_token stop,
                                         const std::function<void(int done)>& progress) {
    std::vector<SiteOutages> outages;
    outages.reserve(sites.size());
    for (const NamedSite& site : sites) {
        if (stop.stop_requested())
            break;
        auto record = std::make_shared<TSatelliteData>(satellite);
        record->SiteLatitude = site.latitude;
        record->SiteLongitude = site.longitude;
        SunOutagePredictor predictor;
        predictor.Satellite = record;
        predictor.Diameter = options.Diameter;
        predictor.Year = options.Year;
        predictor.Season = options.Season;
        predictor.Band = options.Band;
        const PredictionStatus status = predictor.PredictOutages();
        outages.push_back({site, std::move(predictor.Rows), status});
        if (progress)
            progress(int(outages.size()));
    }
    return outages;
}

QList<QStringList> SiteOutageRows(const std::vector<SiteOutages>& outages) {
    QList<QStringList> rows;
    for (const SiteOutages& site : outages) {
        for (const OutageRow& row : site.rows) {
            const OutageRowTexts texts = FormatOutageRow(row);
            rows << QStringList{site.site.name,
                                FormatGeneral(site.site.latitude),
                                FormatGeneral(-site.site.longitude),
                                texts.Date,
                                texts.Start,
                                texts.End,
                                texts.Duration};
        }
    }
    return rows;
}

} // namespace skyvane
