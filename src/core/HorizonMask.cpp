#include "HorizonMask.h"

#include "NumberText.h"
#include "TextCodec.h"

#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace skyvane {

namespace {

double Wrap360(double azimuth) {
    const double wrapped = std::fmod(azimuth, 360.0);
    // fmod keeps the sign; -0.0 and a tiny negative rounding up to 360 both belong at 0.
    const double positive = wrapped < 0.0 ? wrapped + 360.0 : wrapped;
    return positive >= 360.0 ? 0.0 : positive + 0.0;
}

double Interpolate(const HorizonMask::Point& from, const HorizonMask::Point& to, double azimuth) {
    const double span = to.azimuth - from.azimuth;
    if (span <= 0.0)
        return to.elevation;
    return from.elevation + (to.elevation - from.elevation) * (azimuth - from.azimuth) / span;
}

std::optional<double> Number(QString text) {
    text.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

} // namespace

HorizonMask::HorizonMask(std::vector<Point> points) {
    for (const Point& point : points)
        if (IsUsablePoint(point.azimuth, point.elevation))
            m_points.push_back({Wrap360(point.azimuth), point.elevation});
    std::stable_sort(m_points.begin(), m_points.end(),
                     [](const Point& a, const Point& b) { return a.azimuth < b.azimuth; });
}

bool HorizonMask::IsUsablePoint(double azimuth, double elevation) {
    return std::isfinite(azimuth) && std::isfinite(elevation) && std::fabs(elevation) <= 90.0;
}

double HorizonMask::elevationAt(double azimuthDegrees) const {
    if (m_points.empty())
        return 0.0;
    const double azimuth = Wrap360(azimuthDegrees);
    const auto after =
        std::upper_bound(m_points.begin(), m_points.end(), azimuth,
                         [](double a, const Point& point) { return a < point.azimuth; });
    // The neighbours across North are the last and first points, a turn away.
    Point previous = after == m_points.begin() ? m_points.back() : *(after - 1);
    Point next = after == m_points.end() ? m_points.front() : *after;
    if (after == m_points.begin())
        previous.azimuth -= 360.0;
    if (after == m_points.end())
        next.azimuth += 360.0;
    return Interpolate(previous, next, azimuth);
}

bool HorizonMask::blocks(double azimuth, double elevation) const {
    return !m_points.empty() && elevation < elevationAt(azimuth);
}

HorizonMask HorizonMask::withObstacle(double azimuth, double elevation, double halfWidth) const {
    if (!IsUsablePoint(azimuth, elevation) || !(halfWidth > 0.0) || halfWidth >= 180.0)
        return *this;
    const double left = azimuth - halfWidth;
    const double right = azimuth + halfWidth;
    // The peak's sides run from the old skyline at either end up to the obstacle's top.
    const Point leftFoot{left, elevationAt(left)};
    const Point top{azimuth, std::max(elevation, elevationAt(azimuth))};
    const Point rightFoot{right, elevationAt(right)};
    std::vector<Point> points;
    for (const Point& point : m_points) {
        // The point's azimuth relative to the obstacle, in (-180, 180].
        double offset = Wrap360(point.azimuth - azimuth);
        if (offset > 180.0)
            offset -= 360.0;
        const double at = azimuth + offset;
        double raised = point.elevation;
        if (offset > -halfWidth && offset < 0.0)
            raised = std::max(raised, Interpolate(leftFoot, top, at));
        else if (offset >= 0.0 && offset < halfWidth)
            raised = std::max(raised, Interpolate(top, rightFoot, at));
        points.push_back({point.azimuth, raised});
    }
    points.push_back(leftFoot);
    points.push_back(top);
    points.push_back(rightFoot);
    return HorizonMask(std::move(points));
}

std::optional<HorizonMask> ReadHorizonFile(const QByteArray& bytes, QString* error) {
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    std::vector<HorizonMask::Point> points;
    const QStringList lines = SplitTextLines(DecodeUtf8OrWindows1252(bytes));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].section(QLatin1Char('#'), 0, 0).trimmed();
        if (line.isEmpty())
            continue;
        const QStringList fields = line.split(blanks);
        const auto azimuth = fields.size() == 2 ? Number(fields[0]) : std::nullopt;
        const auto elevation = fields.size() == 2 ? Number(fields[1]) : std::nullopt;
        if (!azimuth || !elevation || !HorizonMask::IsUsablePoint(*azimuth, *elevation)) {
            if (error)
                *error = QStringLiteral("Line %1 is not \"azimuth elevation\" in degrees: \"%2\"")
                             .arg(i + 1)
                             .arg(lines[i].trimmed().left(80));
            return std::nullopt;
        }
        points.push_back({*azimuth, *elevation});
    }
    return HorizonMask(std::move(points));
}

QByteArray HorizonFileText(const HorizonMask& mask) {
    QByteArray text = "# azimuth elevation, degrees from true north and above the horizon\n";
    for (const HorizonMask::Point& point : mask.points())
        text += ShortestPointText(point.azimuth) + ' ' + ShortestPointText(point.elevation) + '\n';
    return text;
}

} // namespace skyvane
