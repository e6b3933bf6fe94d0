#include "network/Friction.h"
#include "framework/Exceptions.h"
#include "network/DepthSearch.h"
#include "tests/support/ScriptedResponder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

// Published Colebrook-White tables for water (HR Wallingford): a 300 mm pipe running full at
// 1 in 200 with ks 0.6 mm flows at 1.11 m/s, 78.3 l/s.
TEST(Friction, ColebrookWhiteMatchesPublishedValues) {
    const double D = 0.3, S = 1.0 / 200, ks = 0.0006, R = D / 4;
    // Darcy: V = √(8 g R S / λ) with λ found at the table's velocity.
    EXPECT_NEAR(std::sqrt(8 * 9.81 * R * S / ColebrookWhite(ks, D, 1.11, D)), 1.11, 0.01);
    // The equivalent Manning's n gives the table's velocity and flow by Manning's equation.
    const double V = std::pow(R, 2.0 / 3.0) * std::sqrt(S) / ManningNFromColebrookWhite(D, D, 0.0783, ks);
    EXPECT_NEAR(V, 1.11, 0.01);
    EXPECT_NEAR(V * std::numbers::pi * D * D / 4 * 1000, 78.3, 0.8);
    // At a very large Reynolds number λ tends to 1 / (2 log10(3.7 D / ks))²; for D 1 m, ks 1.5 mm
    // that is 1 / (2 × 3.392110)² = 0.021727.
    EXPECT_NEAR(ColebrookWhite(0.0015, 1.0, 1000, 1.0), 0.021727, 1e-5);
    // From barely moving water (λ in the hundreds) to fast, the bounded search ends at a root of
    // 1/√λ = −2 log10(0.6275 / (Re √λ) + ks / (14.8 R)), here for D 0.3 m, ks 1.5 mm.
    for (double V : {1e-6, 1e-4, 0.01, 0.1, 1.0, 10.0, 100.0}) {
        const double lambda = ColebrookWhite(0.0015, D, V, D), Re = V * R / 1.14e-6;
        EXPECT_NEAR(1 / std::sqrt(lambda),
                    -2 * std::log10(0.6275 / (Re * std::sqrt(lambda)) + 0.0015 / (14.8 * R)), 1e-7)
            << V;
    }
}

TEST(Friction, Guards) {
    // Water deeper than the pipe or below its invert has no sector angle.
    EXPECT_THROW(SectorAngle(1.5), EInvalidOp);
    EXPECT_THROW(SectorAngle(-0.1), EInvalidOp);
    Responder().Clear();
    EXPECT_EQ(ColebrookWhite(0.0015, 0.1, 1, 0.00005), 0);
    ASSERT_EQ(Responder().Asked.size(), 1u);
    EXPECT_EQ(Responder().Asked[0].Text, "The diameter is not correct in the call to ColebrookWhite.");
    // No flow has no Reynolds number: the search cannot start.
    EXPECT_THROW(ColebrookWhite(0.0015, 0.1, 0, 0.3), EZeroDivide);
    // At 1e-12 m/s the root lies near λ = (0.6275 / Re)², some 10¹⁶: the bounded search gives up.
    EXPECT_THROW(ColebrookWhite(0.0015, 0.3, 1e-12, 0.3), EInvalidOp);
    EXPECT_THROW(ManningNFromEscritt(0, 1.0), EZeroDivide);
}

// The part-full values, at d/D 0.2 and 0.8, are checked through the design window.
TEST(Friction, Escritt) {
    // Full: R = R' = D/4, n = 0.013 × 0.25^(2/3 − 0.62) = 0.013 × 0.937354 = 0.012186; weakly on the
    // diameter, as D^(2/3 − 0.62): 0.3 m full gives 0.0121856 × 0.3^0.046667.
    EXPECT_NEAR(ManningNFromEscritt(1.0, 1.0), 0.0121856, 2e-7);
    EXPECT_NEAR(ManningNFromEscritt(0.3, 0.3), 0.0121856 * 0.945363, 2e-7);
}

// The depth search finds depths on the sections of the friction routines, here with n 0.013.
constexpr double n = 0.013;

// A 250 mm pipe at 1 in 200 half full carries A R^(2/3) √S / n = (π 0.25² / 8) × 0.0625^(2/3) × √0.005
// / 0.013 = 0.021025 m³/s; at 1 mm, θ = 2 acos(0.992) = 0.253151, A = (θ − sin θ) D² / 8 = 2.10565e-5 m²,
// R = A / (0.125 θ) = 6.65422e-4 m: 8.72958e-7 m³/s. 1 mm of depth changes the flow by about 1 %.
TEST(DepthSearch, FirstMillimetreThatCarriesTheFlow) {
    constexpr double D = 0.25, S = 0.005, half = 0.021025, oneMm = 8.72958e-7;
    const struct {
        const char* label;
        double diameter, flow, depth;
    } rows[] = {
        // clang-format off
        {"just under half full", D, half * 0.998, 0.125}, {"just over half full", D, half * 1.002, 0.126},
        {"just over 1 mm", D, oneMm * 1.001, 0.002},
        // Beyond the capacity (at most 1.076 × the full-bore 0.04205 m³/s): the deepest millimetre
        // tried, 249 of 250.
        {"beyond capacity", D, 1.0, 0.249},
        // Mended: no flow, or less than 1 mm carries, runs at no depth rather than d/D ≈ 1.
        {"no flow", D, 0, 0}, {"negative flow", D, -0.01, 0}, {"less than 1 mm carries", D, oneMm * 0.999, 0},
        // Below 3 mm there is no depth to try after the first millimetre.
        {"pipe too small to search", 0.002, 1.0, 0.001},
        // A pipe of 2000 km (a pipe-size file may hold one) carries about 1e14 m³/s; beyond that
        // the answer is still its deepest millimetre, found without trying the 2e8 above 0.9 D.
        {"beyond the capacity of a huge pipe", 2e6, 1e20, 1999999999 * 0.001},
        // clang-format on
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        EXPECT_DOUBLE_EQ(DepthForFlow(n, row.diameter, S, row.flow), row.depth);
    }
    EXPECT_THROW(DepthForFlow(0, D, S, 0.01), EZeroDivide);
    EXPECT_THROW(DepthForFlow(n, D, -S, 0.01), EInvalidOp);
    EXPECT_THROW(DepthForFlow(n, 0, S, 0.01), EZeroDivide);
}

// The search halves where capacity rises steadily; it must find what trying every millimetre
// from 2 up finds: the first that carries more than the flow, else the last one tried.
TEST(DepthSearch, SameDepthAsTryingEveryMillimetre) {
    for (double D : {0.05, 0.1, 0.15, 0.225, 0.3, 0.52, 1.2, 3.0})
        for (double S : {0.0005, 0.005, 0.05}) {
            // The search's own order of operations, so that ties round alike.
            const auto carried = [&](double d) {
                const double theta = 2 * std::acos(1 - 2 * (d / D));
                const double A = (theta - std::sin(theta)) * (D * D) * 0.125;
                return A * std::pow(A / (0.5 * D * theta), 2.0 / 3.0) * std::sqrt(S) / n;
            };
            const int last = static_cast<int>(std::trunc(D / 0.001)) - 1;
            for (int k = 1; k <= 45; ++k) {
                const double Q = carried(D) * k / 40;
                int mm = 2;
                while (mm < last && !(carried(mm * 0.001) > Q))
                    ++mm;
                EXPECT_EQ(DepthForFlow(n, D, S, Q), mm * 0.001) << D << " m, S " << S << ", Q " << Q;
            }
        }
}

} // namespace
