#include "SunOutageOptions.h"

namespace skyvane {

namespace {

template <typename T> bool Assign(T& field, T value) {
    if (field == value)
        return false;
    field = value;
    return true;
}

} // namespace

SunOutageOptions::SunOutageOptions(QObject* parent)
    : QObject(parent) {}

void SunOutageOptions::setSpring(bool spring) {
    if (Assign(m_spring, spring))
        emit changed();
}

void SunOutageOptions::setCband(bool cband) {
    if (Assign(m_cband, cband))
        emit changed();
}

void SunOutageOptions::setDiameter(double diameter) {
    if (Assign(m_diameter, diameter))
        emit changed();
}

void SunOutageOptions::setCarrierToNoise(bool carrierToNoise) {
    if (Assign(m_carrierToNoise, carrierToNoise))
        emit changed();
}

void SunOutageOptions::setNoiseTemperature(double kelvin) {
    if (Assign(m_noiseTemperature, kelvin))
        emit changed();
}

void SunOutageOptions::setLinkMargin(double decibels) {
    if (Assign(m_linkMargin, decibels))
        emit changed();
}

void SunOutageOptions::restoreDefaults() {
    const bool any = Assign(m_spring, true) | Assign(m_cband, true) |
                     Assign(m_diameter, kDefaultDiameter) | Assign(m_carrierToNoise, false) |
                     Assign(m_noiseTemperature, kDefaultNoiseTemperature) |
                     Assign(m_linkMargin, kDefaultLinkMargin);
    if (any)
        emit changed();
}

} // namespace skyvane
