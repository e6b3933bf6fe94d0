#include "network/Drenvala.h"

#include "network/FloatingPointFaults.h"

#include <cmath>
#include <numbers>

namespace {
// A ManningN below this gives the sentinel velocity and discharge.
constexpr double SmallestManningN = 1e-6;
constexpr double SentinelFlow = 999.999;
} // namespace

Drenvala::Drenvala(double depth, double diameter) {
    SetDepthDiameter(depth, diameter);
}

void Drenvala::SetDepthDiameter(double depth, double diameter) {
    diameter = std::fabs(diameter);
    if (diameter < 0.01)
        diameter = 0.01;
    if (depth > diameter)
        depth = diameter;
    if (depth < 0)
        depth = 0;
    Depth = depth;
    Diameter = diameter;
    CalcTheta();
    CalcArea();
    CalcRadius();
    CalcSurfaceWidth();
    CalcWettedPerimeter();
    CalcHydraulicRadius();
    CalcDepthRatio();
    CalcProportionalArea();
    CalcProportionalRadius();
}

double Drenvala::CalcTheta() {
    return Theta = 2 * std::acos(1 - 2 * Depth / Diameter);
}

double Drenvala::CalcArea() {
    return Area = (Theta - std::sin(Theta)) / 8 * (Diameter * Diameter);
}

double Drenvala::CalcRadius() {
    return Radius = Diameter * 0.5;
}

double Drenvala::CalcSurfaceWidth() {
    return SurfaceWidth = 2 * Radius * std::sin(Theta / 2);
}

double Drenvala::CalcWettedPerimeter() {
    return WettedPerimeter = Theta * Diameter * 0.5;
}

double Drenvala::CalcHydraulicRadius() {
    return HydraulicRadius = WettedPerimeter < 1e-6 ? 0 : Area / WettedPerimeter;
}

double Drenvala::CalcDepthRatio() {
    return DepthRatio = Depth / Diameter;
}

double Drenvala::CalcProportionalArea() {
    return ProportionalArea = Area / (std::numbers::pi * (Radius * Radius));
}

double Drenvala::CalcProportionalRadius() {
    return ProportionalRadius = HydraulicRadius / FullBoreHydraulicRadius();
}

double Drenvala::AreaRatio() const {
    return (Theta - std::sin(Theta)) / 8;
}

double Drenvala::RadiusRatio() const {
    return Theta < 0.001 ? 0 : (1 - std::sin(Theta) / Theta) / 4;
}

double Drenvala::ManningFactor() const {
    return std::pow(HydraulicRadius, 2.0 / 3.0) * SquareRoot(Slope);
}

double Drenvala::CalcVelocity() {
    return Velocity = ManningN < SmallestManningN ? SentinelFlow : ManningFactor() / ManningN;
}

double Drenvala::CalcDischarge() {
    return Discharge = ManningN < SmallestManningN ? SentinelFlow : ManningFactor() * Area / ManningN;
}

double Drenvala::CalcProportionalVelocity() {
    return ProportionalVelocity = std::pow(HydraulicRadius / FullBoreHydraulicRadius(), 2.0 / 3.0);
}

double Drenvala::CalcProportionalFlow() {
    return ProportionalFlow =
               std::pow(HydraulicRadius / FullBoreHydraulicRadius(), 2.0 / 3.0) * ProportionalArea;
}

void Drenvala::CalcFlow() {
    CalcVelocity();
    CalcProportionalVelocity();
    CalcDischarge();
    CalcProportionalFlow();
}
