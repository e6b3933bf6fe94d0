#include "network/Friction.h"

#include "framework/Dialogs.h"
#include "framework/Exceptions.h"
#include "network/FloatingPointFaults.h"

#include <cmath>

namespace {

constexpr double KinematicViscosity = 1.14e-6; // m²/s
constexpr double Gravity = 9.81;               // m/s²
constexpr double EscrittCoefficient = 0.013;
// The search walks up in steps of 0.1 before it halves the step; a friction factor of 10⁵
// (water barely moving) is reached within this many steps.
constexpr int MaxFrictionSearchSteps = 1'000'000;

double HydraulicRadius(const FlowSection& section) {
    return Quotient(section.Area, section.WettedPerimeter);
}

bool OppositeSigns(double a, double b) {
    return (a < 0 && b > 0) || (a > 0 && b < 0);
}

} // namespace

double SectorAngle(double ratio) {
    const double angle = 2 * std::acos(1 - 2 * ratio);
    if (std::isnan(angle))
        throw EInvalidOp();
    return angle;
}

FlowSection FlowSectionAt(double depth, double diameter) {
    FlowSection section;
    section.Theta = SectorAngle(Quotient(depth, diameter));
    section.WettedPerimeter = 0.5 * diameter * section.Theta;
    section.Area = (section.Theta - std::sin(section.Theta)) * (diameter * diameter) * 0.125;
    return section;
}

double ColebrookWhite(double ks, double depth, double V, double D) {
    if (D < 0.0001) {
        ShowMessage("The diameter is not correct in the call to ColebrookWhite.");
        return 0;
    }
    if (depth < 0.0001)
        return 0;
    const double R = HydraulicRadius(FlowSectionAt(depth, D));
    const double Re = V * R / KinematicViscosity;
    const auto g = [&](double lambda) {
        const double rootLambda = SquareRoot(lambda);
        return Quotient(1, rootLambda) + 2 * Log10(Quotient(0.6275, Re * rootLambda) + ks / (14.8 * R));
    };
    double lambda = 0.0001;
    double step = 0.1;
    double g1 = g(lambda);
    double g2 = g(lambda + step);
    // g at an unchanged λ, or at the λ + step just evaluated, is reused rather than recomputed.
    for (int steps = 0; std::fabs(g1) > 1e-8; ++steps) {
        if (steps == MaxFrictionSearchSteps)
            throw EInvalidOp();
        if (OppositeSigns(g1, g2)) {
            step = step / 2;
        } else if (g2 > g1) {
            lambda = lambda - 2 * step;
            if (lambda < 0) {
                ShowMessage("f is negative");
                return lambda;
            }
            g1 = g(lambda);
        } else {
            lambda = lambda + step;
            g1 = g2;
        }
        g2 = g(lambda + step);
    }
    return lambda;
}

double ManningNFromColebrookWhite(double depth, double D, double Q, double ks, double* frictionFactor) {
    const FlowSection section = FlowSectionAt(depth, D);
    const double V = Quotient(Q, section.Area);
    const double lambda = ColebrookWhite(ks, depth, V, D);
    if (frictionFactor)
        *frictionFactor = lambda;
    return Power(HydraulicRadius(section), 1.0 / 6.0) * SquareRoot(lambda * 0.125 / Gravity);
}

double ManningNFromEscritt(double depth, double D) {
    const FlowSection section = FlowSectionAt(depth, D);
    const double surfaceWidth = std::sin(section.Theta / 2) * D;
    const double R = HydraulicRadius(section);
    const double Rdash = Quotient(section.Area, section.WettedPerimeter + surfaceWidth / 2);
    return Quotient(EscrittCoefficient * Power(R, 2.0 / 3.0), Power(Rdash, 0.62));
}
