#include "Obstacles.h"

#include "Constants.h"
#include "LookAngles.h"
#include "NumberText.h"

#include <cmath>
#include <numbers>

namespace skyvane {

namespace {

constexpr double kSmallestInput = 0.1;      // metres or degrees
constexpr double kHighestElevation = 89.9;  // degrees
constexpr double kElevationLimit = 90.0;    // degrees
constexpr double kLargestShownValue = 1e15; // metres or degrees

ObstacleInput PositiveInput(const QString& text) {
    double value = 0.0;
    try {
        value = StrToFloatDot(text, false);
    } catch (const ConversionError&) {
        // An emptied field is a step in typing a new value, not a mistake.
        if (!text.trimmed().isEmpty())
            return {kSmallestInput, false, true};
    }
    if (value > 0.0)
        return {value, false};
    return {kSmallestInput, true};
}

} // namespace

ObstacleInput ReadObstacleHeight(const QString& text) {
    return PositiveInput(text);
}

ObstacleInput ReadObstacleDistance(const QString& text) {
    return PositiveInput(text);
}

ObstacleInput ReadObstacleElevation(const QString& text) {
    ObstacleInput elevation = PositiveInput(text);
    if (!elevation.rejected && elevation.value >= kElevationLimit)
        elevation = {kHighestElevation, true};
    return elevation;
}

double ObstacleDistance(double heightMetres, double elevationDegrees) {
    return heightMetres / std::tan(DegToRad(elevationDegrees));
}

double ObstacleHeight(double distanceMetres, double elevationDegrees) {
    return std::tan(DegToRad(elevationDegrees)) * distanceMetres;
}

double ObstacleElevation(double heightMetres, double distanceMetres) {
    return std::atan(heightMetres / distanceMetres) * 180.0 / std::numbers::pi;
}

bool IsShowableObstacleValue(double value) {
    return std::fabs(value) <= kLargestShownValue; // false for NaN too
}

QString ObstacleValueText(double value) {
    return FormatFixed(value, 2);
}

QString ObstacleResultSentence(ObstacleMode mode, const QString& resultText) {
    Constant constant = Constant::ObstacleRsltDistance;
    switch (mode) {
    case ObstacleMode::Distance:
        constant = Constant::ObstacleRsltDistance;
        break;
    case ObstacleMode::Height:
        constant = Constant::ObstacleRsltHeight;
        break;
    case ObstacleMode::Elevation:
        constant = Constant::ObstacleRsltElevation;
        break;
    }
    return FormatConstant(constant, {resultText});
}

} // namespace skyvane
