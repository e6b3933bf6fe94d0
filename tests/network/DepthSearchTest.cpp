#include "network/DepthSearch.h"
#include "framework/Exceptions.h"

#include <gtest/gtest.h>

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
