#pragma once

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

namespace skyvane {

// What a site's surroundings hide of the sky: the elevation of the skyline over azimuth, a
// piecewise-linear curve through measured points that wraps at 360°, so the last point joins
// the first across North. It says nothing of the lowest elevation a dish may point at; that
// floor is a setting of its own.
//
// Azimuths are degrees clockwise from true North (a compass reading needs the declination
// taken off), any finite value, kept in [0, 360). Elevations are degrees above the horizon,
// within [-90, 90]. A mask without points hides nothing; a single point is a skyline of one
// elevation all round. Two points at one azimuth make a vertical step: coming from lower
// azimuths the curve runs to the first, leaving it goes on from the second.
class HorizonMask {
public:
    struct Point {
        double azimuth = 0.0;   // degrees from true North, clockwise, [0, 360)
        double elevation = 0.0; // degrees above the horizon
        bool operator==(const Point&) const = default;
    };

    HorizonMask() = default;
    // The points in any order; azimuths are brought into [0, 360) and sorted, points at one
    // azimuth keep the order given. Points that are not finite or whose elevation is outside
    // [-90, 90] are left out (IsUsablePoint tells them).
    explicit HorizonMask(std::vector<Point> points);

    static bool IsUsablePoint(double azimuth, double elevation);

    bool isEmpty() const { return m_points.empty(); }
    // Sorted by azimuth.
    const std::vector<Point>& points() const { return m_points; }

    // The skyline's elevation at `azimuth` (degrees, any finite value), degrees; 0, the
    // horizon, for a mask without points.
    double elevationAt(double azimuth) const;
    // Whether a direction lies below the skyline: its elevation under elevationAt(azimuth).
    // A direction just grazing the skyline is free.
    bool blocks(double azimuth, double elevation) const;

    // The mask raised by one obstacle seen at `azimuth` up to `elevation`: a peak at the
    // azimuth falling to the old skyline `halfWidth` degrees to either side; nothing changes
    // outside that, and nowhere is the skyline lowered.
    HorizonMask withObstacle(double azimuth, double elevation,
                             double halfWidth = kObstacleHalfWidth) const;
    // The width of the dish's line of sight an obstacle from the calculator is given: the
    // calculator knows its height and distance, not its width.
    static constexpr double kObstacleHalfWidth = 1.0; // degrees

    bool operator==(const HorizonMask&) const = default;

private:
    std::vector<Point> m_points;
};

// Reads a horizon file: one "AZ EL" pair a line (degrees, separated by blanks or a tab; a
// point as decimal separator, a comma too), "#" starting a comment to the line's end, blank
// lines skipped. A line that is no such pair is refused with its number in `error`, and
// nothing is returned.
std::optional<HorizonMask> ReadHorizonFile(const QByteArray& bytes, QString* error);

// The mask as a horizon file: a comment line, then "AZ EL" a line with a point as decimal
// separator, lines ending in LF. ReadHorizonFile reads it back to the same mask.
QByteArray HorizonFileText(const HorizonMask& mask);

} // namespace skyvane
