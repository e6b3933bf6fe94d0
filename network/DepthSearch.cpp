#include "network/DepthSearch.h"

#include "network/FloatingPointFaults.h"
#include "network/Friction.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <utility>
#include <vector>

namespace {

constexpr double DepthStep = 0.001; // m
// Below this share of the diameter a part-full pipe's capacity rises steadily with depth (it
// peaks near 0.94), so the first millimetre carrying a flow can be found by halving.
constexpr double SteadyRiseRatio = 0.9;

// A·R^(2/3), the section factor of Manning's equation, at a whole number of millimetres of
// depth in a pipe of diameter D.
double SectionFactor(double D, int millimetres) {
    const FlowSection section = FlowSectionAt(millimetres * DepthStep, D);
    const double R = Quotient(section.Area, section.WettedPerimeter);
    return section.Area * std::pow(R, 2.0 / 3.0);
}

// The section factors of the pipes searched lately, each worked out once: a network's design
// searches the same few pipe sizes thousands of times. Pipes of more than MostMillimetres, and
// more sizes than MostPipes at once, are not kept.
class SectionFactors {
public:
    double At(double D, int millimetres) {
        std::vector<double>* factors = FactorsOf(D);
        if (!factors)
            return SectionFactor(D, millimetres);
        double& factor = (*factors)[static_cast<std::size_t>(millimetres)];
        if (std::isnan(factor))
            factor = SectionFactor(D, millimetres);
        return factor;
    }

private:
    static constexpr double MostMillimetres = 20000;
    static constexpr std::size_t MostPipes = 64;

    std::vector<double>* FactorsOf(double D) {
        for (auto& [diameter, factors] : pipes)
            if (diameter == D)
                return &factors;
        const double millimetres = std::trunc(D / DepthStep);
        if (!(D > 0 && millimetres <= MostMillimetres))
            return nullptr;
        if (pipes.size() == MostPipes)
            pipes.clear();
        // Not yet worked out is NaN, which no factor is.
        pipes.emplace_back(D, std::vector<double>(static_cast<std::size_t>(millimetres) + 2, std::nan("")));
        return &pipes.back().second;
    }

    std::vector<std::pair<double, std::vector<double>>> pipes;
};

} // namespace

double DepthForFlow(double n, double D, double S, double Q) {
    if (Q <= 0)
        return 0;
    const double rootS = SquareRoot(S);
    // The design runs in one thread; a thread of its own would keep factors of its own.
    thread_local SectionFactors factors;
    const auto residual = [&](int millimetres) {
        return Q - Quotient(factors.At(D, millimetres) * rootS, n);
    };
    const double r0 = residual(1);
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
    const auto carries = [&](int i) { return residual(i) < 0; };
    // The first millimetre in [low, high] for which holds(i) is true, where holds is false below
    // some millimetre and true from it on; high when none is.
    const auto firstFrom = [](int low, int high, const auto& holds) {
        while (low < high) {
            const int middle = low + (high - low) / 2;
            if (holds(middle))
                high = middle;
            else
                low = middle + 1;
        }
        return low;
    };
    const int steady = static_cast<int>(std::min<double>(deepest, std::trunc(SteadyRiseRatio * millimetres)));
    if (steady >= 2 && carries(steady))
        return firstFrom(2, steady, carries) * DepthStep;
    // Above it capacity climbs to its peak and then falls, so the millimetres that carry, if any,
    // surround the peak: halving finds the peak, then the first that carries below it. Trying
    // every millimetre would take minutes in a pipe of a few kilometres.
    const int low = std::max(steady + 1, 2);
    if (low >= deepest)
        return deepest * DepthStep;
    const auto falling = [&](int i) { return residual(i + 1) >= residual(i); };
    const int peak = firstFrom(low, deepest - 1, falling);
    if (!carries(peak))
        return deepest * DepthStep;
    return firstFrom(low, peak, carries) * DepthStep;
}
