#include "network/DepthSearch.h"
#include "framework/Exceptions.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr double n = 0.013;

// A 250 mm pipe at 1 in 200. Running half full it carries, by Manning, A R^(2/3) √S / n
// = (π 0.25² / 8) × 0.0625^(2/3) × √0.005 / 0.013 = 0.024544 × 0.157490 × 0.070711 / 0.013
// = 0.021025 m³/s; at 1 mm (θ = 2 acos(0.992) = 0.253151, A = (θ − sin θ) D² / 8 = 2.10565e-5 m²,
// R = A / (0.125 θ) = 6.65422e-4 m) it carries 8.72958e-7 m³/s. 1 mm of depth changes the flow
// by about 1 %.
TEST(DepthSearch, FirstMillimetreThatCarriesTheFlow) {
    constexpr double D = 0.25, S = 0.005, half = 0.021025, oneMm = 8.72958e-7;
    const struct {
        const char* label;
        double diameter, flow, depth;
    } rows[] = {
        {"just under half full", D, half * 0.998, 0.125},
        {"just over half full", D, half * 1.002, 0.126},
        {"just over 1 mm", D, oneMm * 1.001, 0.002},
        // Beyond the capacity (at most 1.076 × the full-bore 0.04205 m³/s): the deepest millimetre
        // tried, 249 of 250.
        {"beyond capacity", D, 1.0, 0.249},
        // Mended: no flow, or less than 1 mm carries, runs at no depth rather than d/D ≈ 1.
        {"no flow", D, 0, 0},
        {"negative flow", D, -0.01, 0},
        {"less than 1 mm carries", D, oneMm * 0.999, 0},
        // Below 3 mm there is no depth to try after the first millimetre.
        {"pipe too small to search", 0.002, 1.0, 0.001},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        EXPECT_NEAR(DepthForFlow(n, row.diameter, S, row.flow), row.depth, 1e-12);
    }
    EXPECT_THROW(DepthForFlow(0, D, S, 0.01), EZeroDivide);
    EXPECT_THROW(DepthForFlow(n, D, -S, 0.01), EInvalidOp);
    EXPECT_THROW(DepthForFlow(n, 0, S, 0.01), EZeroDivide);
}

// The search halves where capacity rises steadily; it must find what the search as first written
// found: every millimetre from 2 up, the first whose residual against 1 mm changes sign, else the
// last one tried.
double ScanEveryMillimetre(double D, double S, double Q) {
    const auto residual = [&](double d) {
        const double theta = 2 * std::acos(1 - 2 * (d / D));
        const double A = (theta - std::sin(theta)) * (D * D) * 0.125;
        return Q - A * std::pow(A / (0.5 * D * theta), 2.0 / 3.0) * std::sqrt(S) / n;
    };
    const double r0 = residual(0.001);
    double d = 0.001;
    for (int i = 2; i < static_cast<int>(std::trunc(D / 0.001)); ++i) {
        d = i * 0.001;
        if ((r0 < 0 && residual(d) > 0) || (r0 > 0 && residual(d) < 0))
            break;
    }
    return d;
}

TEST(DepthSearch, SameDepthAsScanningEveryMillimetre) {
    for (double D : {0.05, 0.1, 0.15, 0.225, 0.3, 0.52, 1.2, 3.0})
        for (double S : {0.0005, 0.005, 0.05}) {
            const double fullBore =
                std::acos(-1.0) * D * D / 4 * std::pow(D / 4, 2.0 / 3.0) * std::sqrt(S) / n;
            for (int k = 1; k <= 45; ++k) {
                const double Q = fullBore * k / 40;
                SCOPED_TRACE(testing::Message() << D << " m, S " << S << ", Q " << Q);
                EXPECT_EQ(DepthForFlow(n, D, S, Q), ScanEveryMillimetre(D, S, Q));
            }
        }
}

} // namespace
