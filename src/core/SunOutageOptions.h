#pragma once

#include <QObject>

namespace skyvane {

// The sun outage options every sun outage window starts from and the settings keep between
// runs: the season, the band and the dish diameter last chosen. A window writes them back when
// the user changes them; changed() tells the others.
class SunOutageOptions : public QObject {
    Q_OBJECT

public:
    static constexpr double kDefaultDiameter = 3.6;           // metres
    static constexpr double kDefaultNoiseTemperature = 120.0; // kelvin
    static constexpr double kDefaultLinkMargin = 3.0;         // dB

    explicit SunOutageOptions(QObject* parent = nullptr);

    bool spring() const { return m_spring; }       // season: spring (true) or fall
    bool cband() const { return m_cband; }         // band: C (true) or Ku
    double diameter() const { return m_diameter; } // dish diameter, metres
    // The C/N degradation model instead of the 3 dB rule, and its link figures.
    bool carrierToNoise() const { return m_carrierToNoise; }
    double noiseTemperature() const { return m_noiseTemperature; } // kelvin
    double linkMargin() const { return m_linkMargin; }             // dB

    void setSpring(bool spring);
    void setCband(bool cband);
    void setDiameter(double diameter);
    void setCarrierToNoise(bool carrierToNoise);
    void setNoiseTemperature(double kelvin);
    void setLinkMargin(double decibels);
    void restoreDefaults();

signals:
    void changed();

private:
    bool m_spring = true;
    bool m_cband = true;
    double m_diameter = kDefaultDiameter;
    bool m_carrierToNoise = false;
    double m_noiseTemperature = kDefaultNoiseTemperature;
    double m_linkMargin = kDefaultLinkMargin;
};

} // namespace skyvane
