#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <stdexcept>

namespace skyvane {

// The translatable texts that code puts together at run time. Callers fetch a text at the
// moment they build their text and never keep it, so that a language switch shows up in the
// next text they build.
enum class Constant {
    Azimuth,
    BlockedByHorizon,
    DetailsForSatAtLoc,
    EastShort,
    Elevation,
    HorizonBlockedCount,
    HorizonHiddenCount,
    ImportBadEpoch,
    ImportBadUnicode,
    ImportBrokenJson,
    ImportBrokenXml,
    ImportCancelled,
    ImportFieldCount,
    ImportLine,
    ImportMissingColumns,
    ImportNoGeostationary,
    ImportNoSatellite,
    ImportNotANumber,
    ImportNotCatalogueLine,
    ImportNotOmmObject,
    ImportOutOfRange,
    ImportRecord,
    ImportSatPosition,
    ImportTleChecksum,
    ImportTleDay,
    ImportTleLine2Missing,
    ImportTleNoNumber,
    ImportTleShort,
    ImportTleYear,
    ImportTooLarge,
    ImportUnknownXml,
    ImportXmlEntities,
    InclinedSwing,
    NorthShort,
    ObstacleRsltDistance,
    ObstacleRsltElevation,
    ObstacleRsltHeight,
    SatTheoreticallyVisible,
    SaveFailed,
    Skew,
    SouthShort,
    SunBehindHorizon,
    SunOutageForSatAtLoc,
    TrackingNeeded,
    TranslatedBy,
    WestShort,
};

// Raised for a name that no constant has: "Constant "<name>" not found".
class ConstantNotFound : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

QString ConstantText(Constant constant);

// Sets the current text of a constant (used when a translation is applied).
void SetConstantText(Constant constant, const QString& text);

// Every current text becomes its built-in English text again.
void ResetConstants();

// Every constant, in table order.
QList<Constant> AllConstants();

// The built-in English text of a constant.
QString BuiltInConstantText(Constant constant);

// The name under which language files store a constant ("constEastShort").
QString ConstantName(Constant constant);

// The constant a language file names, compared without regard to case. Throws ConstantNotFound
// for a name that is not in the table.
Constant ConstantByName(const QString& name);

// ConstantText with each "%s" replaced in turn by the given arguments.
QString FormatConstant(Constant constant, const QStringList& arguments);

// Replaces each "%s" of a printf-style pattern in turn by the next argument; "%%" is "%".
QString FormatPercentS(const QString& pattern, const QStringList& arguments);

} // namespace skyvane
