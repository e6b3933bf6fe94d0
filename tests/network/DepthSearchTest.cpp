#include "network/DepthSearch.h"
#include "framework/Exceptions.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// A 250 mm pipe at 1 in 200 with n 0.013. Running half full it carries, by Manning,
// A R^(2/3) √S / n = (π 0.25² / 8) × 0.0625^(2/3) × √0.005 / 0.013 = 0.024544 × 0.157490
// × 0.070711 / 0.013 = 0.021025 m³/s; at 1 mm (θ = 2 acos(0.992) = 0.253151, A = (θ − sin θ) D² / 8
// = 2.10565e-5 m², R = A / (0.125 θ) = 6.65422e-4 m) it carries 8.72958e-7 m³/s.
constexpr double D = 0.25, S = 0.005, n = 0.013;
constexpr double HalfFullFlow = 0.021025;
constexpr double OneMillimetreFlow = 8.72958e-7;

TEST(DepthSearch, FirstMillimetreThatCarriesTheFlow) {
    struct Row {
        const char* label;
        double flow, depth;
    } rows[] = {
        // 1 mm more or less of depth changes the flow by about 1 %.
        {"just under half full", HalfFullFlow * 0.998, 0.125},
        {"just over half full", HalfFullFlow * 1.002, 0.126},
        {"just over 1 mm", OneMillimetreFlow * 1.001, 0.002},
        // Beyond the capacity (at most 1.076 × the full-bore 0.04205 m³/s): the deepest millimetre tried, 249
        // of 250.
        {"beyond capacity", 1.0, 0.249},
        // Mended: no flow, or less than 1 mm carries, runs at no depth rather than d/D ≈ 1.
        {"no flow", 0, 0},
        {"negative flow", -0.01, 0},
        {"less than 1 mm carries", OneMillimetreFlow * 0.999, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        EXPECT_NEAR(DepthForFlow(n, D, S, row.flow), row.depth, 1e-12);
    }
}

// The search as first written: every millimetre from 2 up, the first whose residual against
// 1 mm changes sign, else the last one tried.
double ScanEveryMillimetre(double n, double D, double S, double Q) {
    const auto residual = [&](double d) {
        const double theta = 2 * std::acos(1 - 2 * (d / D));
        const double A = (theta - std::sin(theta)) * (D * D) * 0.125;
        const double R = A / (0.5 * D * theta);
        return Q - A * std::pow(R, 2.0 / 3.0) * std::sqrt(S) / n;
    };
    const double r0 = residual(0.001);
    double d = 0.001;
    for (int i = 2; i < static_cast<int>(std::trunc(D / 0.001)); ++i) {
        d = i * 0.001;
        const double r = residual(d);
        if ((r0 < 0 && r > 0) || (r0 > 0 && r < 0))
            break;
    }
    return d;
}

TEST(DepthSearch, SameDepthAsScanningEveryMillimetre) {
    const double diameters[] = {0.05, 0.1, 0.15, 0.225, 0.3, 0.52, 1.2, 3.0};
    const double slopes[] = {0.0005, 0.005, 0.05};
    for (double diameter : diameters)
        for (double slope : slopes) {
            const double fullBore = std::acos(-1.0) * diameter * diameter / 4 *
                                    std::pow(diameter / 4, 2.0 / 3.0) * std::sqrt(slope) / n;
            for (int k = 1; k <= 45; ++k) {
                const double flow = fullBore * k / 40;
                SCOPED_TRACE(testing::Message() << diameter << " m, S " << slope << ", Q " << flow);
                EXPECT_EQ(DepthForFlow(n, diameter, slope, flow),
                          ScanEveryMillimetre(n, diameter, slope, flow));
            }
        }
}

TEST(DepthSearch, PipeTooSmallToSearch) {
    // Below 3 mm there is no depth to try after the first millimetre.
    EXPECT_DOUBLE_EQ(DepthForFlow(n, 0.002, S, 1.0), 0.001);
}

TEST(DepthSearch, ArithmeticFaultsRaise) {
    EXPECT_THROW(DepthForFlow(0, D, S, 0.01), EZeroDivide);
    EXPECT_THROW(DepthForFlow(n, D, -S, 0.01), EInvalidOp);
    EXPECT_THROW(DepthForFlow(n, 0, S, 0.01), EZeroDivide);
}

} // namespace
