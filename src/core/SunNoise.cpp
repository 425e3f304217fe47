#include "SunNoise.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace skyvane {

namespace {

constexpr double kSpeedOfLight = 0.299792458; // metres per nanosecond: wavelength = c / f[GHz]
constexpr double kApertureEfficiency = 0.65;
constexpr double kSunDiscRadius = 0.25; // degrees, as the 3 dB rule takes it
constexpr double kRadiansPerDegree = std::numbers::pi / 180.0;
constexpr int kSteps = 256; // Simpson intervals over the rings the disc cuts

double Wavelength(double frequency) {
    return kSpeedOfLight / frequency;
}

double PeakGain(double diameter, double frequency) {
    const double aperture = std::numbers::pi * diameter / Wavelength(frequency);
    return kApertureEfficiency * aperture * aperture;
}

// Share of the circle of radius `ring` around the beam's axis that lies on the sun's disc,
// whose centre is `separation` off the axis (all in degrees).
double ShareOnDisc(double ring, double separation) {
    if (ring + separation <= kSunDiscRadius)
        return 1.0;
    if (ring >= separation + kSunDiscRadius || ring <= separation - kSunDiscRadius)
        return 0.0;
    const double cosine =
        (ring * ring + separation * separation - kSunDiscRadius * kSunDiscRadius) /
        (2.0 * ring * separation);
    return std::acos(std::clamp(cosine, -1.0, 1.0)) / std::numbers::pi;
}

// Integral of the normalised Gaussian beam over the sun's disc, steradians. Summed in rings
// around the beam's axis (over the ring radius squared), so a beam far narrower than the sun
// is as well resolved as one far wider: the rings wholly on the disc have a closed form, the
// rings the disc's edge cuts are summed by Simpson's rule.
double BeamOverSunDisc(double separation, double beamwidth) {
    const double spread = 4.0 * std::numbers::ln2 / (beamwidth * beamwidth);
    const double inner = separation < kSunDiscRadius
                             ? (kSunDiscRadius - separation) * (kSunDiscRadius - separation)
                             : 0.0;
    double sum = std::numbers::pi / spread * -std::expm1(-spread * inner);
    const double from =
        separation < kSunDiscRadius ? inner : std::pow(separation - kSunDiscRadius, 2);
    // Beyond 40 / spread the beam is down by e^-40.
    const double to = std::min(std::pow(separation + kSunDiscRadius, 2), from + 40.0 / spread);
    if (to > from) {
        const double step = (to - from) / kSteps;
        double simpson = 0.0;
        for (int i = 0; i <= kSteps; ++i) {
            const double u = from + i * step;
            const double weight = i == 0 || i == kSteps ? 1.0 : i % 2 == 1 ? 4.0 : 2.0;
            simpson += weight * std::exp(-spread * u) * ShareOnDisc(std::sqrt(u), separation);
        }
        sum += std::numbers::pi * simpson * step / 3.0;
    }
    return sum * kRadiansPerDegree * kRadiansPerDegree;
}

} // namespace

double BandFrequency(OutageBand band) {
    return band == OutageBand::C ? 3.95 : 11.95;
}

double QuietSunTemperature(double frequency) {
    return 120000.0 * std::pow(frequency, -0.75);
}

double HalfPowerBeamwidth(double diameter, double frequency) {
    return 70.0 * Wavelength(frequency) / diameter;
}

double SunNoiseIncrease(double separation, double diameter, double frequency) {
    const double coupling = PeakGain(diameter, frequency) / (4.0 * std::numbers::pi) *
                            BeamOverSunDisc(separation, HalfPowerBeamwidth(diameter, frequency));
    return QuietSunTemperature(frequency) * coupling;
}

double CarrierToNoiseLoss(double separation, double diameter, const LinkNoise& link) {
    const double rise = SunNoiseIncrease(separation, diameter, link.Frequency);
    return 10.0 * std::log10(1.0 + rise / link.SystemNoiseTemperature);
}

// The loss falls monotonically with the separation, so halving an interval that holds the
// crossing finds it; three beamwidths beyond the disc the beam no longer sees the sun.
double MarginSeparation(double diameter, const LinkNoise& link) {
    if (!(CarrierToNoiseLoss(0.0, diameter, link) > link.LinkMargin))
        return 0.0;
    double inside = 0.0;
    double outside = kSunDiscRadius + 3.0 * HalfPowerBeamwidth(diameter, link.Frequency);
    while (outside - inside > 1e-9) {
        const double middle = (inside + outside) / 2.0;
        (CarrierToNoiseLoss(middle, diameter, link) > link.LinkMargin ? inside : outside) = middle;
    }
    return inside;
}

bool IsUsableLink(const LinkNoise& link) {
    return std::isfinite(link.SystemNoiseTemperature) && link.SystemNoiseTemperature > 0.0 &&
           std::isfinite(link.LinkMargin) && link.LinkMargin >= 0.0 &&
           std::isfinite(link.Frequency) && link.Frequency > 0.0;
}

PredictionStatus PredictCarrierToNoiseOutages(SunOutagePredictor& predictor,
                                              const LinkNoise& link) {
    if (!SunOutagePredictor::IsUsableDiameter(predictor.Diameter))
        return PredictionStatus::UnusableDiameter;
    if (!IsUsableLink(link))
        return PredictionStatus::UnusableLink;
    predictor.ThresholdOverride = MarginSeparation(predictor.Diameter, link);
    return predictor.PredictOutages();
}

} // namespace skyvane
