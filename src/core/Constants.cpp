#include "Constants.h"

#include <array>

namespace skyvane {

namespace {

struct ConstantEntry {
    Constant constant;
    const char* name;
    const char* builtIn; // UTF-8
};

// In the order of the enumeration, so a constant is its own index.
constexpr std::array<ConstantEntry, 46> kConstants{{
    {Constant::Azimuth, "constAzimuth", "Azimuth"},
    {Constant::BlockedByHorizon, "constBlockedByHorizon", "blocked by horizon"},
    {Constant::DetailsForSatAtLoc, "constDetailsForSatAtLoc", "Details for %s at %s"},
    {Constant::EastShort, "constEastShort", "E"},
    {Constant::Elevation, "constElevation", "Elevation"},
    {Constant::HorizonBlockedCount, "constHorizonBlockedCount", "%s of them blocked by horizon"},
    {Constant::HorizonHiddenCount, "constHorizonHiddenCount",
     "%s more blocked by horizon (hidden)"},
    {Constant::ImportBadEpoch, "constImportBadEpoch", "%s: the EPOCH is not a date and time."},
    {Constant::ImportBadUnicode, "constImportBadUnicode",
     "The file is written in %s but is not valid text in it."},
    {Constant::ImportBrokenJson, "constImportBrokenJson",
     "The JSON is broken at character %s: %s."},
    {Constant::ImportBrokenXml, "constImportBrokenXml", "The XML is broken at line %s: %s."},
    {Constant::ImportCancelled, "constImportCancelled", "The import was cancelled."},
    {Constant::ImportFieldCount, "constImportFieldCount",
     "%s has %s fields where the header has %s."},
    {Constant::ImportLine, "constImportLine", "Line %s"},
    {Constant::ImportMissingColumns, "constImportMissingColumns",
     "The CSV header lacks the column(s) %s."},
    {Constant::ImportNoGeostationary, "constImportNoGeostationary",
     "The file holds no geostationary satellite."},
    {Constant::ImportNoSatellite, "constImportNoSatellite", "The file holds no satellite."},
    {Constant::ImportNotANumber, "constImportNotANumber", "%s: %s is not a number."},
    {Constant::ImportNotCatalogueLine, "constImportNotCatalogueLine",
     "%s is not a catalogue line (position|name): \"%s\"."},
    {Constant::ImportNotOmmObject, "constImportNotOmmObject", "%s is not an OMM object."},
    {Constant::ImportOutOfRange, "constImportOutOfRange", "%s: %s = %s is out of range."},
    {Constant::ImportRecord, "constImportRecord", "Record %s"},
    {Constant::ImportSatPosition, "constImportSatPosition",
     "%s: the position \"%s\" is not in tenths of a degree."},
    {Constant::ImportTleChecksum, "constImportTleChecksum",
     "%s: the checksum does not match; the element set is damaged."},
    {Constant::ImportTleDay, "constImportTleDay",
     "%s: the epoch's day of the year is out of range."},
    {Constant::ImportTleLine2Missing, "constImportTleLine2Missing",
     "%s: element line 2 is missing."},
    {Constant::ImportTleNoNumber, "constImportTleNoNumber", "%s: columns %s to %s hold no number."},
    {Constant::ImportTleShort, "constImportTleShort", "%s: an element line is cut short."},
    {Constant::ImportTleYear, "constImportTleYear", "%s: the epoch's year is not two digits."},
    {Constant::ImportTooLarge, "constImportTooLarge",
     "The file is %s MB; XML, JSON or CSV is read up to %s MB."},
    {Constant::ImportUnknownXml, "constImportUnknownXml",
     "The XML is neither a satellites.xml nor OMM (its root is <%s>)."},
    {Constant::ImportXmlEntities, "constImportXmlEntities",
     "The XML declares entities, which a satellite table or element list never needs; it is not "
     "read."},
    {Constant::InclinedSwing, "constInclinedSwing",
     "Inclined %s\u00b0: over a day it swings %s\u00b0 in azimuth and %s\u00b0 in elevation."},
    {Constant::NorthShort, "constNorthShort", "N"},
    {Constant::ObstacleRsltDistance, "constObstacleRsltDistance",
     "The mimimum possible distance to the obstacle is %s m."},
    {Constant::ObstacleRsltElevation, "constObstacleRsltElevation",
     "The minimum possible elevation is %s \u00b0."},
    {Constant::ObstacleRsltHeight, "constObstacleRsltHeight",
     "The maximum possible difference between the total height of the obstacle and the lowest "
     "point of the antenna is %s m."},
    {Constant::SatTheoreticallyVisible, "constSatTheoreticallyVisible",
     "%s satellites theoretically visible"},
    {Constant::SaveFailed, "constSaveFailed", "The file %s could not be saved: %s"},
    {Constant::Skew, "constSkew", "Skew"},
    {Constant::SouthShort, "constSouthShort", "S"},
    {Constant::SunBehindHorizon, "constSunBehindHorizon",
     "The sun is behind the site's horizon then: no outage happens."},
    {Constant::SunOutageForSatAtLoc, "constSunOutageForSatAtLoc", "Sun Outage for %s at %s"},
    {Constant::TrackingNeeded, "constTrackingNeeded",
     "That is more than the dish's half beamwidth of %s\u00b0: a fixed dish loses the satellite "
     "for "
     "part of the day, so a tracking mount is needed."},
    {Constant::TranslatedBy, "constTranslatedBy", ""},
    {Constant::WestShort, "constWestShort", "W"},
}};

constexpr bool TableFollowsEnumeration() {
    for (std::size_t i = 0; i < kConstants.size(); ++i)
        if (static_cast<std::size_t>(kConstants[i].constant) != i)
            return false;
    return true;
}
static_assert(TableFollowsEnumeration());

const ConstantEntry& Entry(Constant constant) {
    return kConstants.at(static_cast<std::size_t>(constant));
}

std::array<QString, kConstants.size()>& CurrentTexts() {
    static std::array<QString, kConstants.size()> texts = [] {
        std::array<QString, kConstants.size()> builtIn;
        for (std::size_t i = 0; i < kConstants.size(); ++i)
            builtIn[i] = QString::fromUtf8(kConstants[i].builtIn);
        return builtIn;
    }();
    return texts;
}

} // namespace

QString ConstantText(Constant constant) {
    return CurrentTexts().at(static_cast<std::size_t>(constant));
}

void SetConstantText(Constant constant, const QString& text) {
    CurrentTexts().at(static_cast<std::size_t>(constant)) = text;
}

void ResetConstants() {
    for (const ConstantEntry& entry : kConstants)
        SetConstantText(entry.constant, BuiltInConstantText(entry.constant));
}

QList<Constant> AllConstants() {
    QList<Constant> constants;
    for (const ConstantEntry& entry : kConstants)
        constants.append(entry.constant);
    return constants;
}

QString BuiltInConstantText(Constant constant) {
    return QString::fromUtf8(Entry(constant).builtIn);
}

QString ConstantName(Constant constant) {
    return QLatin1String(Entry(constant).name);
}

Constant ConstantByName(const QString& name) {
    for (const ConstantEntry& entry : kConstants)
        if (name.compare(QLatin1String(entry.name), Qt::CaseInsensitive) == 0)
            return entry.constant;
    throw ConstantNotFound(QStringLiteral("Constant \"%1\" not found").arg(name).toStdString());
}

QString FormatPercentS(const QString& pattern, const QStringList& arguments) {
    QString result;
    qsizetype next = 0;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern.at(i);
        if (c == QLatin1Char('%') && i + 1 < pattern.size()) {
            const QChar kind = pattern.at(i + 1);
            if (kind == QLatin1Char('%')) {
                result.append(QLatin1Char('%'));
                ++i;
                continue;
            }
            if (kind == QLatin1Char('s')) {
                if (next < arguments.size())
                    result.append(arguments.at(next));
                ++next;
                ++i;
                continue;
            }
        }
        result.append(c);
    }
    return result;
}

QString FormatConstant(Constant constant, const QStringList& arguments) {
    return FormatPercentS(ConstantText(constant), arguments);
}

} // namespace skyvane
