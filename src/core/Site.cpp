#include "Site.h"

#include "NumberText.h"

#include <cmath>

namespace skyvane {

namespace {

double Magnitude(const QString& text) {
    return std::fabs(StrToFloatDot(text, true));
}

QString TwoDecimals(double degrees) {
    return FormatFixed(std::fabs(degrees), 2);
}

} // namespace

Site::Site()
    : m_latitudeText(QStringLiteral("47.16"))
    , m_longitudeText(QStringLiteral("16.16"))
    , m_latitudeNorth(47.16)
    , m_longitudeWest(-16.16) {}

Site Site::FromInputs(const QString& latitudeText, bool north, const QString& longitudeText,
                      bool west) {
    Site site;
    site.m_latitudeText = latitudeText;
    site.m_longitudeText = longitudeText;
    site.m_north = north;
    site.m_west = west;
    const double latitude = Magnitude(latitudeText);
    const double longitude = Magnitude(longitudeText);
    site.m_latitudeNorth = north ? latitude : -latitude;
    site.m_longitudeWest = west ? longitude : -longitude;
    return site;
}

Site Site::FromNorthWest(double latitudeNorth, double longitudeWest) {
    return FromInputs(TwoDecimals(latitudeNorth), latitudeNorth >= 0.0, TwoDecimals(longitudeWest),
                      longitudeWest > 0.0);
}

Site Site::FromSouthEast(double latitudeSouth, double longitudeEast) {
    return FromInputs(TwoDecimals(latitudeSouth), !(latitudeSouth >= 0.0),
                      TwoDecimals(longitudeEast), !(longitudeEast >= 0.0));
}

bool Site::operator==(const Site& other) const {
    return m_latitudeText == other.m_latitudeText && m_longitudeText == other.m_longitudeText &&
           m_north == other.m_north && m_west == other.m_west;
}

bool IsAcceptedCoordinateText(const QString& text, double limit) {
    try {
        return std::fabs(StrToFloatDot(text, false)) <= limit;
    } catch (const ConversionError&) {
        return false;
    }
}

} // namespace skyvane
