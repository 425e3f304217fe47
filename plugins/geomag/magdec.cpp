#include "CoefficientFile.h"
#include "WorldMagneticModel.h"
#include "geomag.h"

#include <cmath>
#include <limits>
#include <mutex>

namespace {

constexpr const char* kCoefficientFile = "wmm.cof";
// A model is valid for five years from its epoch.
constexpr double kValidityYears = 5.0;
// Heights the model is meant for, in km above the ellipsoid (with some margin).
constexpr double kMinHeightKm = -10.0;
constexpr double kMaxHeightKm = 1000.0;

// The coefficients, read once per process on first use; null when they could not be read.
const geomag::MagneticModel* CachedModel() {
    static std::once_flag once;
    static std::optional<geomag::MagneticModel> model;
    std::call_once(once, [] {
        try {
            const std::string path =
                geomag::FirstReadableFile(kCoefficientFile, geomag::CoefficientFolders());
            if (!path.empty())
                model = geomag::LoadCoefficientFile(path);
        } catch (...) {
            model.reset();
        }
    });
    return model ? &*model : nullptr;
}

bool InputsUsable(float lat, float lon, float alt, float year) {
    return std::isfinite(lat) && std::isfinite(lon) && std::isfinite(alt) && std::isfinite(year) &&
           lat >= -90.0f && lat <= 90.0f && alt >= kMinHeightKm && alt <= kMaxHeightKm;
}

} // namespace

extern "C" float magdec(float lat, float lon, float alt, float year) {
    constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
    if (!InputsUsable(lat, lon, alt, year))
        return kNaN;
    const geomag::MagneticModel* model = CachedModel();
    if (model == nullptr || year < model->epoch || year > model->epoch + kValidityYears)
        return kNaN;
    // The caller counts longitude West positive and declination West positive; the model
    // counts both East positive.
    const double east = geomag::DeclinationEast(*model, lat, -double(lon), alt, year);
    return std::isfinite(east) ? float(-east) : kNaN;
}
