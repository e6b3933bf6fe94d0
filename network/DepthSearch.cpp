#include "network/DepthSearch.h"

#include "network/FloatingPointFaults.h"
#include "network/Friction.h"

#include <climits>
#include <cmath>

namespace {
constexpr double DepthStep = 0.001; // m
} // namespace

double DepthForFlow(double n, double D, double S, double Q) {
    if (Q <= 0)
        return 0;
    const double rootS = SquareRoot(S);
    const auto residual = [&](double depth) {
        const FlowSection section = FlowSectionAt(depth, D);
        const double R = Quotient(section.Area, section.WettedPerimeter);
        return Q - Quotient(section.Area * std::pow(R, 2.0 / 3.0) * rootS, n);
    };
    const double r0 = residual(DepthStep);
    if (r0 < 0)
        return 0;
    if (r0 == 0)
        return DepthStep;
    // D is positive and finite here: FlowSectionAt refused anything else.
    const double millimetres = std::trunc(D / DepthStep);
    const int deepest = millimetres >= INT_MAX ? INT_MAX : static_cast<int>(millimetres);
    double depth = DepthStep;
    for (int i = 2; i < deepest; ++i) {
        depth = i * DepthStep;
        if (residual(depth) < 0)
            break;
    }
    return depth;
}
