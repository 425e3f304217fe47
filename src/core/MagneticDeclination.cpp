#include "MagneticDeclination.h"

#include "Constants.h"
#include "DataFiles.h"
#include "LookAngles.h"
#include "QuietFailure.h"

#include <QFileInfo>

#include <dlfcn.h>

#include <cmath>
#include <exception>

namespace skyvane {

namespace {

const QString kCoefficientFile = QStringLiteral("wmm.cof");
constexpr float kGroundHeightKm = 0.0f;

} // namespace

MagneticDeclination::MagneticDeclination(QString libraryName)
    : m_libraryName(std::move(libraryName)) {}

MagneticDeclination::~MagneticDeclination() {
    unload();
}

void MagneticDeclination::load() {
    unload();
    m_library.setFileName(m_libraryName);
    if (!m_library.load())
        return;
    m_magdec = reinterpret_cast<MagdecFunction>(m_library.resolve("magdec"));
    m_available =
        QFileInfo(kCoefficientFile).isFile() || !LocateDataFile(kCoefficientFile).isEmpty();
}

void MagneticDeclination::unload() {
    m_magdec = nullptr;
    m_available = false;
    if (m_library.isLoaded())
        m_library.unload();
}

QString MagneticDeclination::libraryPath() const {
    Dl_info info{};
    if (m_magdec == nullptr || dladdr(reinterpret_cast<const void*>(m_magdec), &info) == 0 ||
        info.dli_fname == nullptr)
        return {};
    return QFileInfo(QString::fromLocal8Bit(info.dli_fname)).absoluteFilePath();
}

float MagneticDeclination::DecimalYear(const QDate& date) {
    return float(date.year() + double(date.dayOfYear() - 1) / date.daysInYear());
}

QString MagneticDeclination::DeclinationText(double degrees) {
    const QString letter = ConstantText(degrees > 0.0 ? Constant::WestShort : Constant::EastShort);
    return DegreesWithLetter(degrees, 2, letter);
}

std::optional<DeclinationReading> MagneticDeclination::Read(double latitude, double longitude,
                                                            const QDate& date) const {
    if (!m_available || m_magdec == nullptr || !date.isValid())
        return std::nullopt;
    try {
        const float d =
            m_magdec(float(latitude), float(longitude), kGroundHeightKm, DecimalYear(date));
        if (!std::isfinite(d))
            return std::nullopt;
        return DeclinationReading{d, DeclinationText(d)};
    } catch (const std::exception& error) {
        LogQuietFailure("magnetic declination", error);
        return std::nullopt;
    }
}

double MagneticDeclination::UpdateMagneticDeclination(double latitude, double longitude,
                                                      const QDate& date, QString& labelText) const {
    const std::optional<DeclinationReading> reading = Read(latitude, longitude, date);
    if (!reading)
        return 0.0;
    labelText = reading->text;
    return reading->degrees;
}

double MagneticDeclination::UpdateMagneticDeclination(double latitude, double longitude,
                                                      QString& labelText) const {
    return UpdateMagneticDeclination(latitude, longitude, QDate::currentDate(), labelText);
}

} // namespace skyvane
