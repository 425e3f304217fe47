#include "SettingsStore.h"

#include <QFileInfo>
#include <QStandardPaths>
#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace skyvane {

namespace settings {

const std::vector<KeyType>& MainValues() {
    static const std::vector<KeyType> values{
        {kSiteLongitude.key, SettingType::Double},  {kSiteLatitude.key, SettingType::Double},
        {kOutageSpring.key, SettingType::Bool},     {kOutageCband.key, SettingType::Bool},
        {kOutageDiameter.key, SettingType::Double}, {kMagneticDeclination.key, SettingType::Bool},
        {kLanguageId.key, SettingType::Int},
    };
    return values;
}

BytesSetting WindowPlacementOf(const QString& window) {
    return BytesSetting{QByteArrayLiteral("WindowPlacement/") + window.toUtf8(), {}};
}

} // namespace settings

namespace {

const QString kOrganisation = QStringLiteral("quors_skyvane");
const QString kApplication = QStringLiteral("skyvane");

// Where QSettings keeps the per-user INI store.
QString UserStorePath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QLatin1Char('/') + kOrganisation + QLatin1Char('/') + kApplication +
           QStringLiteral(".ini");
}

// Reading a FIFO or a device blocks or never ends; such a store is left alone.
bool IsReadableStore(const QString& path) {
    const QFileInfo info(path);
    return !info.exists() || info.isFile();
}

std::optional<SettingType> TypeOf(const QString& name) {
    const auto& values = settings::MainValues();
    const auto found =
        std::find_if(values.begin(), values.end(), [&name](const settings::KeyType& entry) {
            return QLatin1StringView(entry.key) == name;
        });
    return found == values.end() ? std::nullopt : std::optional<SettingType>(found->type);
}

const DoubleSetting* DoubleNamed(const QString& name) {
    for (const DoubleSetting* setting :
         {&settings::kSiteLatitude, &settings::kSiteLongitude, &settings::kOutageDiameter}) {
        if (QLatin1StringView(setting->key) == name)
            return setting;
    }
    return nullptr;
}

} // namespace

SettingsStore::SettingsStore()
    : m_path(UserStorePath()) {
    if (IsReadableStore(m_path))
        m_settings = std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                                 kOrganisation, kApplication);
}

SettingsStore::SettingsStore(const QString& iniFile)
    : m_path(iniFile) {
    if (IsReadableStore(m_path))
        m_settings = std::make_unique<QSettings>(iniFile, QSettings::IniFormat);
}

bool SettingsStore::exists() const {
    return m_settings && QFileInfo::exists(m_settings->fileName());
}

QString SettingsStore::fileName() const {
    return m_settings ? m_settings->fileName() : m_path;
}

QVariant SettingsStore::stored(const QByteArray& key) const {
    return m_settings ? m_settings->value(QLatin1StringView(key)) : QVariant();
}

void SettingsStore::store(const QByteArray& key, const QVariant& value) {
    if (m_settings)
        m_settings->setValue(QLatin1StringView(key), value);
}

std::optional<double> SettingsStore::read(const DoubleSetting& setting) const {
    const QVariant value = stored(setting.key);
    if (value.typeId() != QMetaType::QByteArray)
        return std::nullopt;
    const QByteArray bytes = value.toByteArray();
    if (bytes.size() != int(sizeof(double)))
        return std::nullopt;
    const quint64 bits = qFromLittleEndian<quint64>(bytes.constData());
    double result;
    std::memcpy(&result, &bits, sizeof result);
    if (!std::isfinite(result) || result < setting.low || result > setting.high)
        return std::nullopt;
    return result;
}

std::optional<int> SettingsStore::read(const IntSetting& setting) const {
    const QVariant value = stored(setting.key);
    // The INI format gives integers back as text; anything else is of the wrong type.
    if (value.typeId() == QMetaType::Int)
        return value.toInt();
    if (value.typeId() != QMetaType::QString)
        return std::nullopt;
    bool ok = false;
    const int result = value.toString().trimmed().toInt(&ok);
    return ok ? std::optional<int>(result) : std::nullopt;
}

std::optional<bool> SettingsStore::read(const BoolSetting& setting) const {
    const std::optional<int> value = read(IntSetting{setting.key, {}});
    return value ? std::optional<bool>(*value != 0) : std::nullopt;
}

std::optional<QByteArray> SettingsStore::read(const BytesSetting& setting) const {
    const QVariant value = stored(setting.key);
    if (value.typeId() != QMetaType::QByteArray)
        return std::nullopt;
    return value.toByteArray();
}

void SettingsStore::write(const DoubleSetting& setting, double value) {
    quint64 bits;
    std::memcpy(&bits, &value, sizeof bits);
    QByteArray bytes(int(sizeof bits), Qt::Uninitialized);
    qToLittleEndian(bits, bytes.data());
    store(setting.key, bytes);
}

void SettingsStore::write(const IntSetting& setting, int value) {
    store(setting.key, value);
}

void SettingsStore::write(const BoolSetting& setting, bool value) {
    store(setting.key, value ? 1 : 0);
}

void SettingsStore::write(const BytesSetting& setting, const QByteArray& value) {
    store(setting.key, value);
}

std::optional<double> SettingsStore::readDouble(const QString& name) const {
    const DoubleSetting* setting = DoubleNamed(name);
    return setting ? read(*setting) : std::nullopt;
}

std::optional<int> SettingsStore::readInt(const QString& name) const {
    const std::optional<SettingType> type = TypeOf(name);
    if (type != SettingType::Int && type != SettingType::Bool)
        return std::nullopt;
    return read(IntSetting{name.toLatin1(), {}});
}

void SettingsStore::writeDouble(const QString& name, double value) {
    if (const DoubleSetting* setting = DoubleNamed(name))
        write(*setting, value);
}

void SettingsStore::writeInt(const QString& name, int value) {
    const std::optional<SettingType> type = TypeOf(name);
    if (type != SettingType::Int && type != SettingType::Bool)
        return;
    write(IntSetting{name.toLatin1(), {}}, value);
}

bool SettingsStore::sync() {
    if (!m_settings)
        return false;
    m_settings->sync();
    return m_settings->status() == QSettings::NoError;
}

} // namespace skyvane
