#include "SettingsStore.h"

#include <QFileInfo>
#include <QStandardPaths>
#include <QtEndian>

#include <cmath>
#include <cstring>
#include <limits>

namespace skyvane {

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

struct DoubleRange {
    double low;
    double high;
};

// The stored doubles' sensible values: the site in degrees, the dish diameter in metres.
std::optional<DoubleRange> RangeOf(const QString& name) {
    if (name == QLatin1String("siteLat"))
        return DoubleRange{-90.0, 90.0};
    if (name == QLatin1String("siteLong"))
        return DoubleRange{-180.0, 180.0};
    if (name == QLatin1String("outageDiameter"))
        return DoubleRange{std::numeric_limits<double>::min(), 1000.0};
    return std::nullopt;
}

bool IsSensible(const QString& name, double value) {
    if (!std::isfinite(value))
        return false;
    const std::optional<DoubleRange> range = RangeOf(name);
    return !range || (value >= range->low && value <= range->high);
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

std::optional<double> SettingsStore::readDouble(const QString& name) const {
    if (!m_settings)
        return std::nullopt;
    const QVariant value = m_settings->value(name);
    if (value.typeId() != QMetaType::QByteArray)
        return std::nullopt;
    const QByteArray bytes = value.toByteArray();
    if (bytes.size() != int(sizeof(double)))
        return std::nullopt;
    const quint64 bits = qFromLittleEndian<quint64>(bytes.constData());
    double result;
    std::memcpy(&result, &bits, sizeof result);
    if (!IsSensible(name, result))
        return std::nullopt;
    return result;
}

std::optional<int> SettingsStore::readInt(const QString& name) const {
    if (!m_settings)
        return std::nullopt;
    const QVariant value = m_settings->value(name);
    // The INI format gives integers back as text; anything else is of the wrong type.
    if (value.typeId() == QMetaType::Int)
        return value.toInt();
    if (value.typeId() != QMetaType::QString)
        return std::nullopt;
    bool ok = false;
    const int result = value.toString().trimmed().toInt(&ok);
    return ok ? std::optional<int>(result) : std::nullopt;
}

void SettingsStore::writeDouble(const QString& name, double value) {
    quint64 bits;
    std::memcpy(&bits, &value, sizeof bits);
    QByteArray bytes(int(sizeof bits), Qt::Uninitialized);
    qToLittleEndian(bits, bytes.data());
    if (m_settings)
        m_settings->setValue(name, bytes);
}

void SettingsStore::writeInt(const QString& name, int value) {
    if (m_settings)
        m_settings->setValue(name, value);
}

bool SettingsStore::sync() {
    if (!m_settings)
        return false;
    m_settings->sync();
    return m_settings->status() == QSettings::NoError;
}

} // namespace skyvane
