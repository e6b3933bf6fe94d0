#include "network/DepthSearch.h"

#include "network/FloatingPointFaults.h"
#include "network/Friction.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace {
constexpr double DepthStep = 0.001; // m
// Below this share of the diameter a part-full pipe's capacity rises steadily with depth (it
// peaks near 0.94), so the first millimetre carrying a flow can be found by halving.
constexpr double SteadyRiseRatio = 0.9;
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
    // The search tries whole millimetres from 2 up to, not including, trunc(D / 1 mm) and
    // returns the first that carries Q, else the last one tried. D is positive and finite here:
    // FlowSectionAt refused anything else.
    const double millimetres = std::trunc(D / DepthStep);
    const int deepest = millimetres >= INT_MAX ? INT_MAX - 1 : static_cast<int>(millimetres) - 1;
    if (deepest < 2)
        return DepthStep;
    const auto carries = [&](int i) { return residual(i * DepthStep) < 0; };
    const int steady = static_cast<int>(std::min<double>(deepest, std::trunc(SteadyRiseRatio * millimetres)));
    if (steady >= 2 && carries(steady)) {
        int low = 2;
        int high = steady; // carries; the first that does lies in [low, high]
        while (low < high) {
            const int middle = low + (high - low) / 2;
            if (carries(middle))
                high = middle;
            else
                low = middle + 1;
        }
        return low * DepthStep;
    }
    for (int i = std::max(steady + 1, 2); i < deepest; ++i)
        if (carries(i))
            return i * DepthStep;
    return deepest * DepthStep;
}
