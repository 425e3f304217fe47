#pragma once

#include <QDate>
#include <QLibrary>
#include <QString>

#include <optional>

namespace skyvane {

// One reading of a site's magnetic declination.
struct DeclinationReading {
    double degrees = 0.0; // West positive: true azimuth + degrees = magnetic azimuth
    QString text;         // as the declination label shows it, e.g. "2.75° E"
};

// The optional magnetic-model library and its one function, magdec. The main window owns one,
// loads it at start-up and unloads it when it is destroyed. The declination counts as
// available when the library loaded and a file wmm.cof lies in the current directory or among
// the data files (LocateDataFile); the library itself finds and reads that file.
class MagneticDeclination {
public:
    // libraryName: the bare name ("geomag", found by the platform's library search) or a path.
    explicit MagneticDeclination(QString libraryName = QStringLiteral("geomag"));
    ~MagneticDeclination();
    MagneticDeclination(const MagneticDeclination&) = delete;
    MagneticDeclination& operator=(const MagneticDeclination&) = delete;

    // Loads the library and settles availability; failures leave it unavailable, silently.
    void load();
    void unload();

    bool isLoaded() const { return m_library.isLoaded(); }
    // The file the library was loaded from; empty when it is not loaded or has no magdec.
    QString libraryPath() const;
    // Whether magdec was found in the loaded library.
    bool hasMagdec() const { return m_magdec != nullptr; }
    // Library loaded and wmm.cof found: the declination controls are shown. Without
    // magdec they stay shown but no declination is ever obtained.
    bool MagDecAvailable() const { return m_available; }

    // The declination at a site (latitude in degrees North positive, longitude in degrees
    // West positive) on a local date; nullopt when it cannot be obtained.
    std::optional<DeclinationReading> Read(double latitude, double longitude,
                                           const QDate& date) const;

    // Sets labelText to the declination text and returns the declination (degrees, West
    // positive); on any failure leaves labelText as it is and returns 0.0.
    double UpdateMagneticDeclination(double latitude, double longitude, const QDate& date,
                                     QString& labelText) const;
    // The same for today's local date.
    double UpdateMagneticDeclination(double latitude, double longitude, QString& labelText) const;

    // year + (day of year - 1) / days in that year, as the library takes it.
    static float DecimalYear(const QDate& date);
    // |degrees| with two decimals, "° " and the West letter for degrees > 0, else East.
    static QString DeclinationText(double degrees);

private:
    using MagdecFunction = float (*)(float lat, float lon, float alt, float year);

    QString m_libraryName;
    QLibrary m_library;
    MagdecFunction m_magdec = nullptr;
    bool m_available = false;
};

} // namespace skyvane
