#include "Coordinates.h"

#include "NumberText.h"

#include <QRegularExpression>

#include <cmath>
#include <vector>

namespace skyvane {

namespace {

enum class Unit { None, Degrees, Minutes, Seconds };

struct Component {
    double value = 0.0;
    bool fractional = false;
    Unit unit = Unit::None;
};

Unit UnitOfMark(const QString& mark) {
    if (mark.isEmpty())
        return Unit::None;
    if (mark == QStringLiteral("°") || mark == QStringLiteral("º"))
        return Unit::Degrees;
    if (mark == QStringLiteral("'") || mark == QStringLiteral("′"))
        return Unit::Minutes;
    return Unit::Seconds; // ", ″ or ''
}

// The numbers with their marks, or none when anything else stands between them. A number
// without a mark must be followed by a blank or the end, so "4741" is never read as 47 41.
std::optional<std::vector<Component>> Components(const QString& text) {
    static const QRegularExpression part(
        QStringLiteral("\\G\\s*(\\d+(?:[.,]\\d+)?)\\s*(''|[°º'′\"″])?(?=\\s|$|(?<=[°º'′\"″]))"));
    std::vector<Component> components;
    qsizetype at = 0;
    while (at < text.size()) {
        if (text.mid(at).trimmed().isEmpty())
            break;
        const QRegularExpressionMatch match = part.match(text, at);
        if (!match.hasMatch() || match.capturedLength() == 0)
            return std::nullopt;
        QString number = match.captured(1);
        number.replace(QLatin1Char(','), QLatin1Char('.'));
        bool ok = false;
        const double value = number.toDouble(&ok);
        if (!ok)
            return std::nullopt;
        components.push_back(
            {value, number.contains(QLatin1Char('.')), UnitOfMark(match.captured(2))});
        at = match.capturedEnd();
    }
    return components;
}

// Degrees, minutes, seconds from the components: by their marks where given, else in order.
std::optional<double> Combine(const std::vector<Component>& components) {
    if (components.empty() || components.size() > 3)
        return std::nullopt;
    double parts[3] = {0.0, 0.0, 0.0};
    int next = 0; // the unit the next component without a mark takes
    for (size_t i = 0; i < components.size(); ++i) {
        const Component& c = components[i];
        const int unit = c.unit == Unit::None ? next : static_cast<int>(c.unit) - 1;
        if (unit < next || unit > 2)
            return std::nullopt; // out of order or twice
        if (unit != next && i > 0)
            return std::nullopt; // a gap: degrees followed by seconds
        if (c.fractional && i + 1 != components.size())
            return std::nullopt; // only the last number has decimals
        if (unit > 0 && c.value >= 60.0)
            return std::nullopt;
        parts[unit] = c.value;
        next = unit + 1;
    }
    if (components.front().unit != Unit::None && components.front().unit != Unit::Degrees)
        return std::nullopt; // minutes alone are no coordinate
    return parts[0] + parts[1] / 60.0 + parts[2] / 3600.0;
}

} // namespace

std::optional<AngleReading> ParseDegreesMinutesSeconds(const QString& input, CoordinateAxis axis) {
    const bool latitude = axis == CoordinateAxis::Latitude;
    const QChar positive = QLatin1Char(latitude ? 'N' : 'E');
    const QChar negative = QLatin1Char(latitude ? 'S' : 'W');
    QString text = input.trimmed().toUpper();
    AngleReading reading;
    bool letterGiven = false;
    const auto takeLetter = [&](QChar letter) {
        if ((letter != positive && letter != negative) || letterGiven)
            return false;
        reading.northOrEast = letter == positive;
        letterGiven = true;
        return true;
    };
    if (!text.isEmpty() && text.front().isLetter()) {
        if (!takeLetter(text.front()))
            return std::nullopt;
        text = text.mid(1).trimmed();
    }
    if (!text.isEmpty() && text.back().isLetter()) {
        if (!takeLetter(text.back()))
            return std::nullopt;
        text.chop(1);
        text = text.trimmed();
    }
    if (text.startsWith(QLatin1Char('-')) || text.startsWith(QLatin1Char('+'))) {
        if (reading.northOrEast)
            return std::nullopt; // a sign and a letter say it twice
        if (text.front() == QLatin1Char('-'))
            reading.northOrEast = false;
        text = text.mid(1);
    }
    const auto components = Components(text);
    if (!components)
        return std::nullopt;
    // A bare number is a number, not an angle in this form: "1,000" is no 1 degree.
    if (!letterGiven && components->size() == 1 && components->front().unit == Unit::None)
        return std::nullopt;
    const auto degrees = Combine(*components);
    if (!degrees || *degrees > (latitude ? 90.0 : 180.0))
        return std::nullopt;
    reading.degrees = *degrees;
    return reading;
}

std::optional<GeoPoint> MaidenheadCentre(const QString& input) {
    const QString text = input.trimmed().toUpper();
    const qsizetype length = text.size();
    if (length < 2 || length > 8 || length % 2 != 0)
        return std::nullopt;
    // Each pair: the characters' range and the size of its cell, longitude then latitude.
    struct Level {
        char first;
        int count;
        double longitudeSize; // degrees
        double latitudeSize;  // degrees
    };
    static constexpr Level kLevels[] = {{'A', 18, 20.0, 10.0},
                                        {'0', 10, 2.0, 1.0},
                                        {'A', 24, 5.0 / 60.0, 2.5 / 60.0},
                                        {'0', 10, 0.5 / 60.0, 0.25 / 60.0}};
    double longitude = -180.0;
    double latitude = -90.0;
    const Level* last = nullptr;
    for (qsizetype pair = 0; pair < length / 2; ++pair) {
        const Level& level = kLevels[pair];
        const int lon = text[2 * pair].unicode() - level.first;
        const int lat = text[2 * pair + 1].unicode() - level.first;
        if (lon < 0 || lon >= level.count || lat < 0 || lat >= level.count)
            return std::nullopt;
        longitude += lon * level.longitudeSize;
        latitude += lat * level.latitudeSize;
        last = &level;
    }
    return GeoPoint{latitude + last->latitudeSize / 2.0, longitude + last->longitudeSize / 2.0};
}

QString CoordinateFieldText(double degrees) {
    return FormatGeneral(std::nearbyint(std::fabs(degrees) * 1e6) / 1e6);
}

} // namespace skyvane
