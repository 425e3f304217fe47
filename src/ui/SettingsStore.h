#pragma once

#include <QByteArray>
#include <QSettings>
#include <QString>

#include <limits>
#include <memory>
#include <optional>
#include <vector>

namespace skyvane {

// How one key of the store is kept. Doubles are their 8 bytes, little-endian; integers and
// booleans are integers; bytes are kept as they are.
enum class SettingType { Double, Int, Bool, Bytes };

// One entry of the settings table: its key, how it is kept, its value when the store has none
// (or one of the wrong type or size, or outside the sensible range of a double). Reading and
// writing both go through the entry, so what is saved is what is read back.
template <typename T> struct Setting {
    QByteArray key;
    T defaultValue{};
    // The sensible values of a double, inclusive; other stored values read as absent.
    double low = -std::numeric_limits<double>::max();
    double high = std::numeric_limits<double>::max();
};

using DoubleSetting = Setting<double>;
using IntSetting = Setting<int>;
using BoolSetting = Setting<bool>;
using BytesSetting = Setting<QByteArray>;

// Every value the program keeps between runs.
namespace settings {
// The site, degrees South positive and East positive; the default is 47.16 N 16.16 E.
inline const DoubleSetting kSiteLatitude{"siteLat", -47.16, -90.0, 90.0};
inline const DoubleSetting kSiteLongitude{"siteLong", 16.16, -180.0, 180.0};
// The sun outage options: spring or autumn, C band or Ku band, the dish diameter in metres.
inline const BoolSetting kOutageSpring{"outageSpring", true};
inline const BoolSetting kOutageCband{"outageCband", true};
inline const DoubleSetting kOutageDiameter{"outageDiameter", 3.6,
                                           std::numeric_limits<double>::min(), 1000.0};
// The C/N degradation model of the sun outage window and its link: system noise temperature in
// kelvin, clear-sky margin in dB.
inline const BoolSetting kOutageCarrierToNoise{"outageCarrierToNoise", false};
inline const DoubleSetting kOutageNoiseTemperature{"outageNoiseTemperature", 120.0, 1.0, 100000.0};
inline const DoubleSetting kOutageLinkMargin{"outageLinkMargin", 3.0, 0.0, 60.0};
inline const BoolSetting kMagneticDeclination{"magneticDeclination", false};
inline const IntSetting kLanguageId{"languageID", 1033};
// Whether the list shows the motor column.
inline const BoolSetting kMotorColumn{"motorColumn", false};
// Whether look angles are computed on the ellipsoid with refraction.
inline const BoolSetting kGeodeticPrecision{"geodeticPrecision", false};
// The site's height above the ellipsoid for it, metres.
inline const DoubleSetting kSiteHeight{"siteHeight", 0.0, -500.0, 9000.0};
// The offset angle of the user's dish, degrees; 0 for a prime-focus dish.
inline const DoubleSetting kDishOffset{"dishOffset", 0.0, 0.0, 45.0};
// Whether the list leaves out the satellites the site's horizon hides.
inline const BoolSetting kHideBlocked{"hideBlockedByHorizon", false};
// The current site's name in the site book (UTF-8; empty for none) and its horizon as a horizon
// file, so an unnamed site keeps its horizon too.
inline const BytesSetting kSiteName{"siteName", {}};
inline const BytesSetting kSiteHorizon{"siteHorizon", {}};

// The main window's seven values, in the order they are written.
struct KeyType {
    QByteArray key;
    SettingType type;
};
const std::vector<KeyType>& MainValues();

// A window's size and position, kept under "WindowPlacement/<window>".
BytesSetting WindowPlacementOf(const QString& window);
} // namespace settings

// The per-user store of the settings table. A value of the wrong type or size reads as absent,
// so a damaged store never stops the program from starting. A store that is no regular file (a
// FIFO, a device) is neither read nor written.
class SettingsStore {
public:
    // The store in the user's config folder (organisation "quors_skyvane").
    SettingsStore();
    // A store in the given INI file (tests).
    explicit SettingsStore(const QString& iniFile);

    // Whether the store has been written before (the first start has none).
    bool exists() const;

    std::optional<double> read(const DoubleSetting& setting) const;
    std::optional<int> read(const IntSetting& setting) const;
    std::optional<bool> read(const BoolSetting& setting) const;
    std::optional<QByteArray> read(const BytesSetting& setting) const;
    // The stored value, else the entry's default.
    template <typename T> T value(const Setting<T>& setting) const {
        return read(setting).value_or(setting.defaultValue);
    }

    void write(const DoubleSetting& setting, double value);
    void write(const IntSetting& setting, int value);
    void write(const BoolSetting& setting, bool value);
    void write(const BytesSetting& setting, const QByteArray& value);

    // The table's doubles and integers by key (booleans read and write as 0 and 1); a key the
    // table does not hold as that type reads as absent and is not written.
    std::optional<double> readDouble(const QString& name) const;
    std::optional<int> readInt(const QString& name) const;
    void writeDouble(const QString& name, double value);
    void writeInt(const QString& name, int value);

    // Writes to disk; returns false when the store cannot be written.
    bool sync();

    QString fileName() const;

private:
    QVariant stored(const QByteArray& key) const;
    void store(const QByteArray& key, const QVariant& value);

    QString m_path;
    std::unique_ptr<QSettings> m_settings; // null when the store is left alone
};

} // namespace skyvane
