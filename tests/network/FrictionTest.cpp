#include "network/Friction.h"
#include "framework/Exceptions.h"
#include "tests/support/ScriptedResponder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

constexpr double pi = std::numbers::pi;

// Published Colebrook-White tables for water (HR Wallingford): a 300 mm pipe running full at
// 1 in 200 with ks 0.6 mm flows at 1.11 m/s, 78.3 l/s.
TEST(Friction, ColebrookWhiteMatchesPublishedValues) {
    const double D = 0.3, S = 1.0 / 200, ks = 0.0006, R = D / 4;
    // Darcy: V = √(8 g R S / λ) with λ found at the table's velocity.
    EXPECT_NEAR(std::sqrt(8 * 9.81 * R * S / ColebrookWhite(ks, D, 1.11, D)), 1.11, 0.01);
    // The equivalent Manning's n gives the table's velocity and flow by Manning's equation.
    const double V = std::pow(R, 2.0 / 3.0) * std::sqrt(S) / ManningNFromColebrookWhite(D, D, 0.0783, ks);
    EXPECT_NEAR(V, 1.11, 0.01);
    EXPECT_NEAR(V * pi * D * D / 4 * 1000, 78.3, 0.8);
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
    EXPECT_EQ(ColebrookWhite(0.0015, 0.00005, 1, 0.3), 0);
    EXPECT_EQ(Responder().Asked.size(), 1u);
    // No flow has no Reynolds number: the search cannot start.
    EXPECT_THROW(ColebrookWhite(0.0015, 0.1, 0, 0.3), EZeroDivide);
    EXPECT_THROW(ManningNFromColebrookWhite(0.2, 1.0, 0, 0.0015), EZeroDivide);
    // At 1e-12 m/s the root lies near λ = (0.6275 / Re)², some 10¹⁶: the bounded search gives up.
    EXPECT_THROW(ColebrookWhite(0.0015, 0.3, 1e-12, 0.3), EInvalidOp);
    EXPECT_THROW(ManningNFromEscritt(0, 1.0), EZeroDivide);
}

TEST(Friction, Escritt) {
    const struct {
        double depth, diameter, n;
    } rows[] = {
        // Full: R = R' = D/4, n = 0.013 × 0.25^(2/3 − 0.62) = 0.013 × 0.937354 = 0.012186.
        {1.0, 1.0, 0.0121856},
        // d/D 0.2: A 0.111824, P 0.927295, T 0.8; R = 0.120591, R' = A / (P + 0.4) = 0.084249;
        // n = 0.013 × 0.244087 / 0.215701 = 0.014711.
        {0.2, 1.0, 0.0147108},
        // d/D 0.8: A 0.673574, P 2.214297, T 0.8; R = 0.304193, R' = 0.257650; n = 0.013631.
        {0.8, 1.0, 0.0136313},
        // Weakly on the diameter, as D^(2/3 − 0.62): 0.3 m full gives 0.0121856 × 0.3^0.046667.
        {0.3, 0.3, 0.0121856 * 0.945363},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.depth);
        EXPECT_NEAR(ManningNFromEscritt(row.depth, row.diameter), row.n, 2e-7);
    }
}

} // namespace
