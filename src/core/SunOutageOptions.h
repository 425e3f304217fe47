#pragma once

#include <QObject>

namespace skyvane {

// The sun outage options every sun outage window starts from and the settings keep between
// runs: the season, the band and the dish diameter last chosen. A window writes them back when
// the user changes them; changed() tells the others.
class SunOutageOptions : public QObject {
    Q_OBJECT

public:
    static constexpr double kDefaultDiameter = 3.6; // metres

    explicit SunOutageOptions(QObject* parent = nullptr);

    bool spring() const { return m_spring; }       // season: spring (true) or fall
    bool cband() const { return m_cband; }         // band: C (true) or Ku
    double diameter() const { return m_diameter; } // dish diameter, metres

    void setSpring(bool spring);
    void setCband(bool cband);
    void setDiameter(double diameter);
    void restoreDefaults();

signals:
    void changed();

private:
    bool m_spring = true;
    bool m_cband = true;
    double m_diameter = kDefaultDiameter;
};

} // namespace skyvane
