#include "framework/Exceptions.h"
#include "network/Drenvala.h"

#include <gtest/gtest.h>

#include <numbers>

namespace {

constexpr double pi = std::numbers::pi;

TEST(PartFullSection, GeometryOfDepthAndDiameter) {
    const struct {
        double depth, diameter;
        double theta, area, surfaceWidth, wettedPerimeter, hydraulicRadius;
        double proportionalArea, proportionalRadius;
    } rows[] = {
        // clang-format off
        // Below the invert is taken as empty: every quantity 0, R by its guard.
        {-0.1, 0.3, 0, 0, 0, 0, 0, 0, 0},
        // d/D 0.2: θ = 2 acos(0.6) = 1.854590; A/D² = (θ − sin θ)/8 = (1.854590 − 0.96)/8 = 0.111824;
        // textbook A/Af = 0.142378; R/D = (1 − 0.96/1.854590)/4 = 0.120591.
        {0.2, 1.0, 1.854590, 0.111824, 0.8, 0.927295, 0.120591, 0.142378, 0.482366},
        // d/D 0.8: θ = 2 acos(−0.6) = 4.428595; A/D² = (4.428595 + 0.96)/8 = 0.673574;
        // textbook A/Af = 0.857622; R/D = (1 + 0.96/4.428595)/4 = 0.304193.
        {0.8, 1.0, 4.428595, 0.673574, 0.8, 2.214297, 0.304193, 0.857622, 1.216773},
        // A 5 mm pipe is taken as 10 mm, half full: θ = π, A = πD²/8, T = D, P = πD/2, R = D/4 = Rfull.
        {0.005, 0.005, pi, pi * 0.0001 / 8, 0.01, pi * 0.005, 0.0025, 0.5, 1.0},
        // −0.3 m is taken as 0.3 m, and 0.4 m of water in it as full: θ = 2π, A = πD²/4, P = πD, R = D/4.
        {0.4, -0.3, 2 * pi, pi * 0.09 / 4, 0, 0.3 * pi, 0.075, 1.0, 1.0},
        // clang-format on
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.depth);
        const Drenvala section(row.depth, row.diameter);
        EXPECT_NEAR(section.Theta, row.theta, 1e-6);
        EXPECT_NEAR(section.Area, row.area, 1e-6);
        EXPECT_NEAR(section.SurfaceWidth, row.surfaceWidth, 1e-6);
        EXPECT_NEAR(section.WettedPerimeter, row.wettedPerimeter, 1e-6);
        EXPECT_NEAR(section.HydraulicRadius, row.hydraulicRadius, 1e-6);
        EXPECT_NEAR(section.ProportionalArea, row.proportionalArea, 1e-6);
        EXPECT_NEAR(section.ProportionalRadius, row.proportionalRadius, 1e-6);
    }
}

// The half-full and full pipes' velocities and flows are checked through SectionPropsFormTest.
TEST(PartFullSection, ManningFlowRatiosAndGuards) {
    // Textbook part-full curves: the velocity ratio peaks at 1.140 near d/D 0.81 and the flow
    // ratio at 1.076 near d/D 0.94.
    Drenvala section(0.81, 1.0);
    section.ManningN = 0.013;
    section.Slope = 0.001;
    section.CalcFlow();
    EXPECT_NEAR(section.ProportionalVelocity, 1.140, 5e-4);
    section.SetDepthDiameter(0.94, 1.0);
    section.CalcFlow();
    EXPECT_NEAR(section.ProportionalFlow, 1.076, 5e-4);
    // An n below 1e-6 gives the sentinel 999.999 for velocity and flow.
    section.ManningN = 0;
    section.CalcFlow();
    EXPECT_EQ(section.Velocity, 999.999);
    EXPECT_EQ(section.Discharge, 999.999);
    // An uphill pipe has no Manning flow.
    section.ManningN = 0.013;
    section.Slope = -0.001;
    EXPECT_THROW(section.CalcFlow(), EInvalidOp);
}

} // namespace
