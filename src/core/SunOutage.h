#pragma once

#include "HorizonMask.h"
#include "SatelliteData.h"

#include <QDateTime>
#include <QLocale>
#include <QString>

#include <cstdint>
#include <limits>
#include <optional>
#include <vector>

namespace skyvane {

enum class OutageSeason { Spring, Fall };
enum class OutageBand { C, Ku };

// One predicted outage day. Start and End are UTC and lie on whole seconds.
struct OutageRow {
    QDateTime Start;
    QDateTime End;
    std::int64_t DurationSeconds = 0; // End - Start, whole seconds, never negative
    // Degrees: the smallest sun-satellite angle of the search steps inside the outage.
    double LeastSeparation = 0.0;
};

// The four cells of a table row, in the locale's own date and time forms.
struct OutageRowTexts {
    QString Date;     // date of the start, short date format
    QString Start;    // long time format without time-zone marks
    QString End;      // same format
    QString Duration; // the duration as HH:mm:ss in every locale
};

enum class PredictionStatus {
    Complete,           // the outage days of the season were found
    NoSatellite,        // no record set: nothing was searched
    UnusableDiameter,   // diameter zero, negative or not finite: nothing was searched
    UnusableSatellite,  // position or site not finite: nothing was searched
    SearchBoundReached, // stopped at MaxSearchDays or MaxEvaluations; the rows found before it
    UnusableLink,       // a C/N prediction's link figures are unusable: nothing was searched
    BelowMargin,        // the sun cannot lower C/N by the link margin: no outage, no rows
};

// A prediction that searched nothing leaves the caller free to keep its previous table.
inline bool SearchedAnything(PredictionStatus status) {
    return status == PredictionStatus::Complete || status == PredictionStatus::SearchBoundReached ||
           status == PredictionStatus::BelowMargin;
}

// Time is a day number: days since 1904-01-01 00:00 GMT, as a double.
//
// The sun outage window owns one predictor, sets its inputs and calls PredictOutages whenever
// an input changes. The working fields are public because the window and the tests read them
// between the steps of a prediction.
class SunOutagePredictor {
public:
    // About five seconds: the step of the start and end searches near an outage.
    static constexpr double Delta = 5.787e-5; // days
    // No prediction searches further than this beyond SearchStartDay, whatever the inputs.
    static constexpr double MaxSearchDays = 400.0; // days
    // The end search never follows one outage for longer than this.
    static constexpr double MaxOutageDays = 1.0; // days
    // No new day is searched once this many separations have been evaluated: a hundred times
    // a typical prediction. Only dishes whose beam takes in the sun every day come near it.
    static constexpr std::int64_t MaxEvaluations = 250000;

    // Inputs.
    SatelliteRecord Satellite; // the satellite and the site it was computed for; may be unset
    double Diameter = 3.6;     // dish diameter, metres
    int Year = 2000;
    OutageSeason Season = OutageSeason::Spring;
    OutageBand Band = OutageBand::C;
    // Degrees; when set it replaces OutageThreshold as the separation inside which the sun
    // disturbs reception (the C/N degradation model sets it). Zero or less: no outage at all.
    std::optional<double> ThresholdOverride;

    // Working state of the searches.
    double SearchFrom = 0.0;      // day number where the next start search begins
    double SearchOrigin = 0.0;    // day number where the current start search began
    double StartTime = 0.0;       // day number; after a successful start search the outage start
    double StartSeparation = 0.0; // degrees, sun-satellite separation at StartTime
    double SatDeclination = 0.0;  // degrees, satellite's topocentric declination, North positive
    double SunDeclination = 0.0;  // degrees, sun's topocentric declination, North positive
    double EndTime = 0.0;         // day number of the last search step still inside the outage
    double EndSeparation = 0.0;   // degrees, separation at EndTime
    double LeastSeparation = 0.0; // degrees, the smallest separation of the current outage
    int OutageCount = 0;
    // Day number SearchStartDay + MaxSearchDays, set by PredictOutages: no outage starting at or
    // after it is reported. Set it before calling FindOutageStart on its own.
    double SearchLimit = 0.0;

    // Evaluations of the separation since the last PredictOutages began.
    std::int64_t SeparationEvaluations = 0;

    // Result of the last prediction, one row per outage day in chronological order.
    std::vector<OutageRow> Rows;

    // First day searched: floor(365.25 * (year - 1904) + k), k = 45 in spring, 229 in fall.
    static std::int64_t SearchStartDay(int year, OutageSeason season);
    std::int64_t SearchStartDay(int year) const { return SearchStartDay(year, Season); }

    // Separation below which the sun disturbs reception, degrees: K / diameter + 0.25, with
    // K = 11 / 3.95 (C band) or 11 / 11.95 (Ku band). diameter in metres.
    static double OutageThreshold(double diameter, OutageBand band);
    // The dish's half beamwidth, degrees: the threshold without the sun's radius.
    static double HalfBeamwidth(double diameter, OutageBand band);
    double OutageThreshold(double diameter) const { return OutageThreshold(diameter, Band); }
    // The separation the searches compare with: ThresholdOverride when set, else the 3 dB rule.
    double Threshold() const;

    // x - 360 * floor(x / 360), in [0, 360) for finite x.
    static double Normalize360(double x);

    // Sun-satellite angle seen from the site at the given day number, degrees in [0, 180].
    double SunSatelliteSeparation(double dayNumber);
    // The same, also storing the two topocentric declinations for the start search.
    double StartSearchSeparation(double dayNumber);

    bool FindOutageStart();
    void FindOutageEnd();
    void AddOutageRow();
    bool NextOutageDay();
    PredictionStatus PredictOutages();

    // Angle between two directions given by declination (North positive) and right ascension,
    // all in degrees; the result in [0, 180], also where rounding carries the cosine past 1.
    static double AngleBetween(double declination1, double rightAscension1, double declination2,
                               double rightAscension2);

    // A diameter a prediction accepts: finite and above zero.
    static bool IsUsableDiameter(double diameter);

private:
    // What the separation takes from the satellite record: the site's place on the Earth and
    // the satellite's longitude seen from it. Worked out again whenever the record's figures
    // differ from those it was worked out for.
    struct FixedGeometry {
        double position = std::numeric_limits<double>::quiet_NaN();
        double siteLatitude = std::numeric_limits<double>::quiet_NaN();
        double siteLongitude = std::numeric_limits<double>::quiet_NaN();
        double siteEquatorial = 0.0;             // km from the Earth's axis
        double siteZ = 0.0;                      // km North of the equator's plane
        double sinOffset = 0.0, cosOffset = 1.0; // of the site's longitude minus the satellite's
    };
    const FixedGeometry& GeometryFor(const TSatelliteData& satellite);

    double Separation(double dayNumber, bool storeDeclinations);
    double DeclinationSkip(double gap, double threshold);
    PredictionStatus SearchSeason();

    // While set, the declination skip never goes further than the gap can close in that time.
    bool SafeSkips = true;
    // Set when a safe skip was shorter than the half day per degree the search has always taken.
    bool SkipShortened = false;
    FixedGeometry Geometry;
};

// A day number rounded to the nearest whole second, as a UTC date-time: first to the nearest
// millisecond, then up from 500 ms, down below.
QDateTime DayNumberToDateTime(double dayNumber);

// The locale's long time format with time-zone marks and the blanks around them removed.
QString LongTimeFormatWithoutZone(const QLocale& locale = QLocale());

// Seconds as hours, minutes and seconds, "00:05:50", whatever the locale's time format.
QString DurationText(std::int64_t seconds);

OutageRowTexts FormatOutageRow(const OutageRow& row, const QLocale& locale = QLocale());

// A direction in the sky seen from a site.
struct SkyDirection {
    double azimuth = 0.0;   // degrees from true North, clockwise, [0, 360)
    double elevation = 0.0; // degrees above the horizon
};

// The sun seen from a site at a day number, by the ephemeris of the prediction. siteLatitude:
// degrees, North positive; siteLongitude: degrees, West positive.
SkyDirection SunDirectionAt(double dayNumber, double siteLatitude, double siteLongitude);
// The day number of a UTC date-time; DayNumberToDateTime's inverse to the millisecond.
double DateTimeToDayNumber(const QDateTime& utc);
// Whether the sun stands behind the site's skyline halfway through an outage, so that the
// outage does not happen. Site as for SunDirectionAt; false for an empty mask.
bool SunBehindHorizon(const OutageRow& row, const HorizonMask& mask, double siteLatitude,
                      double siteLongitude);

} // namespace skyvane
