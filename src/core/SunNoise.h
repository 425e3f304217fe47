#pragma once

#include "SunOutage.h"

namespace skyvane {

// A receiving link as the sun's noise sees it. Beside the 3 dB beamwidth rule, an outage can be
// taken as the time in which the sun's noise lowers the link's carrier-to-noise ratio by more
// than the link's clear-sky margin.
struct LinkNoise {
    double SystemNoiseTemperature = 120.0; // kelvin, the receiving system in clear sky
    double LinkMargin = 3.0;               // dB, clear-sky C/N above the demodulator's threshold
    double Frequency = 11.95;              // GHz, the downlink frequency
};

// The band's usual downlink frequency, GHz: the one the 3 dB rule's beamwidths are taken at.
double BandFrequency(OutageBand band);

// Brightness temperature of the quiet sun, kelvin: 120000 * f^-0.75, frequency in GHz.
double QuietSunTemperature(double frequency);

// Full half-power beamwidth of a dish, degrees: 70 * wavelength / diameter (metres, GHz).
double HalfPowerBeamwidth(double diameter, double frequency);

// Rise of the antenna noise temperature, kelvin, while the sun's centre is `separation` degrees
// off the beam's axis: the quiet sun's disc (radius 0.25 degrees, evenly bright) seen through a
// Gaussian main beam of the dish's gain (aperture efficiency 0.65).
double SunNoiseIncrease(double separation, double diameter, double frequency);

// Loss of C/N, dB, at that separation: 10 log10(1 + rise / system noise temperature).
double CarrierToNoiseLoss(double separation, double diameter, const LinkNoise& link);

// Separation, degrees, inside which the loss exceeds the link margin; 0 when it never does, not
// even with the sun on the axis.
double MarginSeparation(double diameter, const LinkNoise& link);

// Inputs a C/N prediction accepts: finite, a temperature and frequency above zero, a margin not
// negative.
bool IsUsableLink(const LinkNoise& link);

// Sets `predictor` to find the outages of `link` rather than of the 3 dB rule (its
// ThresholdOverride, kept for later predictions with the same inputs) and predicts them. A link
// whose margin the sun cannot exceed gives no rows and BelowMargin.
PredictionStatus PredictCarrierToNoiseOutages(SunOutagePredictor& predictor, const LinkNoise& link);

} // namespace skyvane
