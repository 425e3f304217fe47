#include "SettingsStore.h"

#include <QFileInfo>
#include <QtEndian>

#include <cstring>

namespace skyvane {

SettingsStore::SettingsStore()
    : m_settings(std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                             QStringLiteral("quors_skyvane"),
                                             QStringLiteral("skyvane"))) {}

SettingsStore::SettingsStore(const QString& iniFile)
    : m_settings(std::make_unique<QSettings>(iniFile, QSettings::IniFormat)) {}

bool SettingsStore::exists() const {
    return QFileInfo::exists(m_settings->fileName());
}

QString SettingsStore::fileName() const {
    return m_settings->fileName();
}

std::optional<double> SettingsStore::readDouble(const QString& name) const {
    const QVariant value = m_settings->value(name);
    if (value.typeId() != QMetaType::QByteArray)
        return std::nullopt;
    const QByteArray bytes = value.toByteArray();
    if (bytes.size() != int(sizeof(double)))
        return std::nullopt;
    const quint64 bits = qFromLittleEndian<quint64>(bytes.constData());
    double result;
    std::memcpy(&result, &bits, sizeof result);
    return result;
}

std::optional<int> SettingsStore::readInt(const QString& name) const {
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
    m_settings->setValue(name, bytes);
}

void SettingsStore::writeInt(const QString& name, int value) {
    m_settings->setValue(name, value);
}

bool SettingsStore::sync() {
    m_settings->sync();
    return m_settings->status() == QSettings::NoError;
}

} // namespace skyvane
