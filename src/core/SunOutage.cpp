#include "SunOutage.h"

#include <QDate>
#include <QTime>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace skyvane {

namespace {

constexpr double kPi = std::numbers::pi;

constexpr double kSpringStartOffset = 45.0; // days after the start of the year count
constexpr double kFallStartOffset = 229.0;
constexpr double kCBandBeamFactor = 2.7848101265822785;  // 11 / 3.95 GHz
constexpr double kKuBandBeamFactor = 0.9205020920502092; // 11 / 11.95 GHz
constexpr double kSunRadius = 0.25;                      // degrees, apparent

constexpr double kEarthRadius = 6380.0;          // km
constexpr double kSatelliteRadiusX = 42165.0;    // km
constexpr double kSatelliteRadiusY = 42164.0;    // km
constexpr double kSunMeanDistance = 149504200.0; // km
constexpr double kDegreesPerRadian = 57.29577951308232;

constexpr double kDaysToDateTime = 1462.0; // day number 0 is date-time value 1462
constexpr double kNextDayGap = 0.9;        // days after an outage's end before searching again
constexpr std::int64_t kMsPerDay = 86400000;
constexpr std::int64_t kSecondsPerDay = 86400;
// Degrees a day by which the declination gap between sun and satellite can close at most: the
// sun's declination moves up to 0.41 degrees a day near the equinoxes, its parallax adds a
// little, the satellite's stays put. Kept generous so no skip can pass an outage.
constexpr double kMaxGapClosingPerDay = 0.5;

// In double: the extended precision of long double changed no row of the outage tables, and
// the prediction converts angles thousands of times.
double RadToDeg(double radians) {
    return radians * 180.0 / kPi;
}

// Degrees to radians, visible to the optimiser so that it can pair each sine with the cosine of
// the same angle in one call: the separation is evaluated thousands of times.
inline double Radians(double degrees) {
    return degrees * kPi / 180.0;
}

struct SinCos {
    double sin;
    double cos;
};

inline SinCos SinCosOf(double degrees) {
    const double radians = Radians(degrees);
    return {std::sin(radians), std::cos(radians)};
}

inline double Cos(double degrees) {
    return std::cos(Radians(degrees));
}

bool IsTimeZoneToken(QChar c) {
    return c == QLatin1Char('t');
}

void TrimTrailingSpaces(QString& text) {
    while (!text.isEmpty() && text.back().isSpace())
        text.chop(1);
}

} // namespace

std::int64_t SunOutagePredictor::SearchStartDay(int year, OutageSeason season) {
    const double k = season == OutageSeason::Spring ? kSpringStartOffset : kFallStartOffset;
    const double years = 365.25 * (double(year) - 1904.0);
    return std::int64_t(std::floor(years + k));
}

double SunOutagePredictor::HalfBeamwidth(double diameter, OutageBand band) {
    const double k = band == OutageBand::C ? kCBandBeamFactor : kKuBandBeamFactor;
    return k / diameter;
}

double SunOutagePredictor::OutageThreshold(double diameter, OutageBand band) {
    return HalfBeamwidth(diameter, band) + kSunRadius;
}

double SunOutagePredictor::Threshold() const {
    return ThresholdOverride ? *ThresholdOverride : OutageThreshold(Diameter);
}

double SunOutagePredictor::Normalize360(double x) {
    return x - 360.0 * std::floor(x / 360.0);
}

bool SunOutagePredictor::IsUsableDiameter(double diameter) {
    return std::isfinite(diameter) && diameter > 0.0;
}

double SunOutagePredictor::SunSatelliteSeparation(double dayNumber) {
    return Separation(dayNumber, false);
}

double SunOutagePredictor::StartSearchSeparation(double dayNumber) {
    return Separation(dayNumber, true);
}

namespace {

// The sun at a day number in the frame of the equator and the equinox, km: the low-precision
// solar ephemeris (mean elements of epoch 1900), with the linear sidereal time of epoch 1980
// for the Earth's turn.
struct SunAt {
    double greenwich = 0.0; // sidereal angle of Greenwich, degrees
    double x = 0.0, y = 0.0, z = 0.0;
};

SunAt SunAtDay(double t) {
    const double T = (t + 1460.5) / 36525.0; // Julian centuries since 1900 January 0.5
    const double d = t - 27759.0;            // days since 1980-01-01 00:00
    SunAt sun;
    sun.greenwich =
        SunOutagePredictor::Normalize360(360.0 * (d - std::floor(d)) + (0.9856474 * d + 99.81355));

    const double e = 0.016751 - 0.000042 * T;
    const double M = 35999.0498 * T + 358.4759;
    const double L = 36000.769 * T + 279.6964;
    const SinCos obliquity = SinCosOf(23.4523 - 0.013 * T);
    const SinCos anomaly = SinCosOf(M);
    const double sinDoubleAnomaly = 2.0 * anomaly.sin * anomaly.cos;
    const double centre =
        (sinDoubleAnomaly * 1.25 * e * e + anomaly.sin * 2.0 * e) * kDegreesPerRadian;
    // (1 - cos 2M) e² / 2 written as sin² M e².
    const double r =
        ((1.0 - anomaly.cos * e) + anomaly.sin * anomaly.sin * (e * e)) * kSunMeanDistance;

    // The ecliptic longitude's direction, tilted by the obliquity into the equator's frame: the
    // same point as its right ascension and declination give, without converting to them.
    const SinCos longitude = SinCosOf(L + centre);
    sun.x = r * longitude.cos;
    sun.y = r * longitude.sin * obliquity.cos;
    sun.z = r * longitude.sin * obliquity.sin;
    return sun;
}

// The site's sidereal angle at Greenwich's; siteLongitude in degrees, West positive.
SinCos SiteSidereal(double greenwich, double siteLongitude) {
    return SinCosOf(SunOutagePredictor::Normalize360(greenwich - siteLongitude + 360.0));
}

// Topocentric declination of a direction, degrees.
double Declination(double x, double y, double z) {
    return RadToDeg(std::atan(z / std::sqrt(x * x + y * y)));
}

// Angle between two directions, degrees in [0, 180], also where rounding carries the cosine
// past 1.
double AngleBetweenDirections(double x1, double y1, double z1, double x2, double y2, double z2) {
    const double dot = x1 * x2 + y1 * y2 + z1 * z2;
    const double lengths = std::sqrt((x1 * x1 + y1 * y1 + z1 * z1) * (x2 * x2 + y2 * y2 + z2 * z2));
    return RadToDeg(std::acos(std::clamp(dot / lengths, -1.0, 1.0)));
}

} // namespace

const SunOutagePredictor::FixedGeometry&
SunOutagePredictor::GeometryFor(const TSatelliteData& satellite) {
    FixedGeometry& fixed = Geometry;
    if (fixed.position == satellite.Position && fixed.siteLatitude == satellite.SiteLatitude &&
        fixed.siteLongitude == satellite.SiteLongitude)
        return fixed;
    fixed.position = satellite.Position;
    fixed.siteLatitude = satellite.SiteLatitude;
    fixed.siteLongitude = satellite.SiteLongitude;
    const SinCos latitude = SinCosOf(satellite.SiteLatitude);
    fixed.siteEquatorial = kEarthRadius * latitude.cos;
    fixed.siteZ = kEarthRadius * latitude.sin;
    const SinCos offset = SinCosOf(satellite.SiteLongitude - satellite.Position);
    fixed.sinOffset = offset.sin;
    fixed.cosOffset = offset.cos;
    return fixed;
}

// Spherical Earth, the satellite above the equator on a ring 1 km wider along x than along y,
// as the reference tables were computed: its direction from the site is therefore not fixed
// in the Earth's frame, and taking it as fixed would move outage starts and ends by a step.
double SunOutagePredictor::Separation(double t, bool storeDeclinations) {
    ++SeparationEvaluations;
    const FixedGeometry& fixed = GeometryFor(*Satellite);
    const SunAt sun = SunAtDay(t);
    const SinCos site = SiteSidereal(sun.greenwich, fixed.siteLongitude);
    const double siteX = fixed.siteEquatorial * site.cos;
    const double siteY = fixed.siteEquatorial * site.sin;
    // The satellite's sidereal angle is the site's turned by the fixed offset in longitude.
    const double satelliteCos = site.cos * fixed.cosOffset - site.sin * fixed.sinOffset;
    const double satelliteSin = site.sin * fixed.cosOffset + site.cos * fixed.sinOffset;

    const double xs = sun.x - siteX;
    const double ys = sun.y - siteY;
    const double zs = sun.z - fixed.siteZ;
    const double xk = kSatelliteRadiusX * satelliteCos - siteX;
    const double yk = kSatelliteRadiusY * satelliteSin - siteY;
    const double zk = -fixed.siteZ;
    if (storeDeclinations) {
        SatDeclination = Declination(xk, yk, zk);
        SunDeclination = Declination(xs, ys, zs);
    }
    return AngleBetweenDirections(xs, ys, zs, xk, yk, zk);
}

SkyDirection SunDirectionAt(double t, double siteLatitude, double siteLongitude) {
    const SunAt sun = SunAtDay(t);
    const SinCos sidereal = SiteSidereal(sun.greenwich, siteLongitude);
    const SinCos latitude = SinCosOf(siteLatitude);
    const double x = sun.x - kEarthRadius * latitude.cos * sidereal.cos;
    const double y = sun.y - kEarthRadius * latitude.cos * sidereal.sin;
    const double z = sun.z - kEarthRadius * latitude.sin;
    // The site's up, east and north in the same frame.
    const double up = (x * sidereal.cos + y * sidereal.sin) * latitude.cos + z * latitude.sin;
    const double east = -x * sidereal.sin + y * sidereal.cos;
    const double north = -(x * sidereal.cos + y * sidereal.sin) * latitude.sin + z * latitude.cos;
    const double azimuth =
        SunOutagePredictor::Normalize360(RadToDeg(std::atan2(east, north)) + 360.0);
    const double elevation = RadToDeg(std::atan2(up, std::hypot(east, north)));
    return {azimuth, elevation};
}

double DateTimeToDayNumber(const QDateTime& utc) {
    const QDateTime origin(QDate(1899, 12, 30), QTime(0, 0), Qt::UTC);
    return double(origin.msecsTo(utc)) / double(kMsPerDay) - kDaysToDateTime;
}

bool SunBehindHorizon(const OutageRow& row, const HorizonMask& mask, double siteLatitude,
                      double siteLongitude) {
    if (mask.isEmpty() || !row.Start.isValid() || !row.End.isValid())
        return false;
    const QDateTime middle = row.Start.addMSecs(row.Start.msecsTo(row.End) / 2);
    const SkyDirection sun =
        SunDirectionAt(DateTimeToDayNumber(middle), siteLatitude, siteLongitude);
    return mask.blocks(sun.azimuth, sun.elevation);
}

double SunOutagePredictor::AngleBetween(double declination1, double rightAscension1,
                                        double declination2, double rightAscension2) {
    const SinCos first = SinCosOf(declination1);
    const SinCos second = SinCosOf(declination2);
    const double cosine =
        first.sin * second.sin + first.cos * second.cos * Cos(rightAscension2 - rightAscension1);
    // Rounding can carry the cosine a hair past 1 when the two directions coincide.
    return RadToDeg(std::acos(std::clamp(cosine, -1.0, 1.0)));
}

// Skips half a day per degree of declination difference while the sun is far north or south of
// the satellite, and 1/540 day per degree of separation while it is far away on the same day,
// so the five-second step only runs in the minutes around an outage.
bool SunOutagePredictor::FindOutageStart() {
    const double threshold = Threshold();
    StartTime = SearchFrom;
    SearchOrigin = SearchFrom;
    StartSeparation = StartSearchSeparation(StartTime);
    // A separation equal to the threshold is not yet inside an outage, so the search steps on
    // from it rather than stopping where it stands and being restarted at the same instant.
    // Far enough from the epoch a step no longer changes the day number; the evaluation bound
    // then ends the search.
    while (!(threshold > StartSeparation) && StartTime - SearchOrigin < 1.0 &&
           StartTime < SearchLimit && SeparationEvaluations < MaxEvaluations) {
        const double gap = std::fabs(SatDeclination - SunDeclination);
        if (gap > threshold / 2.0 + 1.0) {
            StartTime += DeclinationSkip(gap, threshold);
            StartSeparation = StartSearchSeparation(StartTime);
        }
        if (StartSeparation > 4.0 * threshold) {
            StartTime += StartSeparation / 540.0;
            StartSeparation = StartSearchSeparation(StartTime);
        }
        StartTime += Delta;
        StartSeparation = StartSearchSeparation(StartTime);
    }
    SearchFrom = StartTime;
    return threshold > StartSeparation && StartTime < SearchLimit;
}

// The separation is never smaller than the declination gap, so no outage can begin before the
// gap has closed to the threshold. Half a day per degree passes whole outage days for wide beams.
double SunOutagePredictor::DeclinationSkip(double gap, double threshold) {
    const double halfDayPerDegree = gap * 0.5;
    if (!SafeSkips)
        return halfDayPerDegree;
    const double safe = std::max(0.0, (gap - threshold) / kMaxGapClosingPerDay);
    if (safe >= halfDayPerDegree)
        return halfDayPerDegree;
    SkipShortened = true;
    return safe;
}

void SunOutagePredictor::FindOutageEnd() {
    const double threshold = Threshold();
    EndTime = StartTime;
    EndSeparation = SunSatelliteSeparation(EndTime);
    LeastSeparation = std::min(StartSeparation, EndSeparation);
    // A dish so small that the sun never leaves its beam would otherwise step on forever.
    while (threshold > EndSeparation && EndTime + Delta - StartTime < MaxOutageDays &&
           SeparationEvaluations < MaxEvaluations) {
        LeastSeparation = std::min(LeastSeparation, EndSeparation);
        EndTime += Delta;
        EndSeparation = SunSatelliteSeparation(EndTime);
    }
    EndTime -= Delta;
    EndSeparation = SunSatelliteSeparation(EndTime);
}

void SunOutagePredictor::AddOutageRow() {
    OutageRow row;
    row.Start = DayNumberToDateTime(StartTime);
    row.End = DayNumberToDateTime(EndTime);
    row.DurationSeconds = std::max<std::int64_t>(0, row.Start.secsTo(row.End));
    row.LeastSeparation = LeastSeparation;
    Rows.push_back(row);
}

bool SunOutagePredictor::NextOutageDay() {
    if (!FindOutageStart())
        return false;
    ++OutageCount;
    FindOutageEnd();
    AddOutageRow();
    SearchFrom = EndTime + kNextDayGap;
    return true;
}

PredictionStatus SunOutagePredictor::PredictOutages() {
    Rows.clear();
    OutageCount = 0;
    SeparationEvaluations = 0;
    if (!Satellite)
        return PredictionStatus::NoSatellite;
    if (!IsUsableDiameter(Diameter))
        return PredictionStatus::UnusableDiameter;
    if (!std::isfinite(Satellite->Position) || !std::isfinite(Satellite->SiteLongitude) ||
        !std::isfinite(Satellite->SiteLatitude))
        return PredictionStatus::UnusableSatellite;
    if (!(Threshold() > 0.0))
        return PredictionStatus::BelowMargin;

    SafeSkips = true;
    SkipShortened = false;
    const PredictionStatus status = SearchSeason();
    if (!SkipShortened || SeparationEvaluations >= MaxEvaluations)
        return status;

    // A shortened skip puts the five-second lattice elsewhere, so the days the long skips also
    // reach would move by a few seconds against the tables users already have. Those days keep
    // the long skips' times; the safe search contributes the days the long skips pass over.
    std::vector<OutageRow> everyDay = std::move(Rows);
    SafeSkips = false;
    SearchSeason();
    SafeSkips = true;
    for (const OutageRow& row : everyDay) {
        const auto sameOutage = [&](const OutageRow& kept) {
            return std::abs(kept.Start.secsTo(row.Start)) < kSecondsPerDay / 2;
        };
        if (std::none_of(Rows.begin(), Rows.end(), sameOutage))
            Rows.push_back(row);
    }
    std::sort(Rows.begin(), Rows.end(),
              [](const OutageRow& a, const OutageRow& b) { return a.Start < b.Start; });
    OutageCount = int(Rows.size());
    return status;
}

// Before the first outage the search moves on day by day; after it, the first day without an
// outage ends the season.
PredictionStatus SunOutagePredictor::SearchSeason() {
    Rows.clear();
    OutageCount = 0;
    SearchFrom = double(SearchStartDay(Year));
    SearchLimit = SearchFrom + MaxSearchDays;
    bool found = false;
    do {
        found = NextOutageDay();
    } while ((found || OutageCount == 0) && SearchFrom < SearchLimit &&
             SeparationEvaluations < MaxEvaluations);
    return !found && OutageCount > 0 ? PredictionStatus::Complete
                                     : PredictionStatus::SearchBoundReached;
}

QDateTime DayNumberToDateTime(double dayNumber) {
    if (!std::isfinite(dayNumber))
        return {};
    const double value = dayNumber + kDaysToDateTime; // days since 1899-12-30 00:00
    const double day = std::floor(value);
    std::int64_t ms = std::int64_t(std::nearbyint((value - day) * double(kMsPerDay)));
    const std::int64_t part = ms % 1000;
    ms += part < 500 ? -part : 1000 - part;
    const QDateTime midnight(QDate(1899, 12, 30).addDays(std::int64_t(day)), QTime(0, 0), Qt::UTC);
    return midnight.addMSecs(ms);
}

QString LongTimeFormatWithoutZone(const QLocale& locale) {
    const QString format = locale.timeFormat(QLocale::LongFormat);
    QString result;
    bool quoted = false;
    bool dropLeadingSpaces = false;
    for (const QChar c : format) {
        if (c == QLatin1Char('\'')) {
            quoted = !quoted;
            result.append(c);
            dropLeadingSpaces = false;
            continue;
        }
        if (!quoted && IsTimeZoneToken(c)) {
            TrimTrailingSpaces(result);
            dropLeadingSpaces = result.isEmpty();
            continue;
        }
        if (dropLeadingSpaces && c.isSpace())
            continue;
        dropLeadingSpaces = false;
        result.append(c);
    }
    TrimTrailingSpaces(result);
    return result;
}

QString DurationText(std::int64_t seconds) {
    // A length of time, not a time of day: no day period in 12-hour locales.
    const std::int64_t whole = std::max<std::int64_t>(0, seconds);
    return QStringLiteral("%1:%2:%3")
        .arg(whole / 3600, 2, 10, QLatin1Char('0'))
        .arg(whole / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(whole % 60, 2, 10, QLatin1Char('0'));
}

OutageRowTexts FormatOutageRow(const OutageRow& row, const QLocale& locale) {
    const QString timeFormat = LongTimeFormatWithoutZone(locale);
    return {locale.toString(row.Start.date(), QLocale::ShortFormat),
            locale.toString(row.Start.time(), timeFormat),
            locale.toString(row.End.time(), timeFormat), DurationText(row.DurationSeconds)};
}

} // namespace skyvane
