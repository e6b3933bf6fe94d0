#include "framework/Exceptions.h"
#include "network/Drenvala.h"

#include <gtest/gtest.h>

#include <numbers>

namespace {

constexpr double pi = std::numbers::pi;

// Rows give 0 for a value they leave unchecked.
void ExpectNearIfGiven(double actual, double expected, double tolerance) {
    if (expected != 0) {
        EXPECT_NEAR(actual, expected, tolerance);
    }
}

TEST(PartFullSection, GeometryOfDepthAndDiameter) {
    struct Row {
        const char* label;
        double depth, diameter;
        double theta, area, surfaceWidth, wettedPerimeter, hydraulicRadius;
        double proportionalArea, proportionalRadius, areaRatio, radiusRatio;
    } rows[] = {
        // Empty: every quantity 0, the hydraulic radius and R/D by their guards.
        {"empty", 0, 1.0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
        // Half full: θ = π, A = π/8, T = D, P = π/2, R = (π/8)/(π/2) = 0.25, which is also the
        // full-bore R = D/4, so R/Rfull = 1.
        {"half", 0.5, 1.0, pi, pi / 8, 1.0, pi / 2, 0.25, 0.5, 1.0, pi / 8, 0.25},
        // Full: θ = 2π, A = πD²/4, P = πD, R = D/4.
        {"full", 0.3, 0.3, 2 * pi, pi * 0.09 / 4, 0, 0.3 * pi, 0.075, 1.0, 1.0, pi / 4, 0.25},
        // d/D 0.2: θ = 2 acos(0.6) = 1.854590; A/D² = (θ − sin θ)/8 = (1.854590 − 0.96)/8 = 0.111824;
        // textbook A/Af = 0.142378; R/D = (1 − 0.96/1.854590)/4 = 0.120591.
        {"d/D 0.2", 0.2, 1.0, 1.854590, 0.111824, 0.8, 0.927295, 0.120591, 0.142378, 0.482366, 0.111824,
         0.120591},
        // d/D 0.8: θ = 2 acos(−0.6) = 4.428595; A/D² = (4.428595 + 0.96)/8 = 0.673574;
        // textbook A/Af = 0.857622; R/D = (1 + 0.96/4.428595)/4 = 0.304193.
        {"d/D 0.8", 0.8, 1.0, 4.428595, 0.673574, 0.8, 2.214297, 0.304193, 0.857622, 1.216773, 0.673574,
         0.304193},
        // A 5 mm pipe is taken as 10 mm: half full there.
        {"diameter raised", 0.005, 0.005, pi, pi * 0.0001 / 8, 0.01, pi * 0.005, 0.0025, 0.5, 1.0, pi / 8,
         0.25},
        // −0.3 m is taken as 0.3 m, and 0.4 m of water in it as full.
        {"negative diameter, deep water", 0.4, -0.3, 2 * pi, pi * 0.09 / 4, 0, 0.3 * pi, 0.075, 1.0, 1.0,
         pi / 4, 0.25},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        const Drenvala section(row.depth, row.diameter);
        EXPECT_NEAR(section.Theta, row.theta, 1e-6);
        EXPECT_NEAR(section.Area, row.area, 1e-6);
        EXPECT_NEAR(section.SurfaceWidth, row.surfaceWidth, 1e-6);
        EXPECT_NEAR(section.WettedPerimeter, row.wettedPerimeter, 1e-6);
        EXPECT_NEAR(section.HydraulicRadius, row.hydraulicRadius, 1e-6);
        EXPECT_NEAR(section.ProportionalArea, row.proportionalArea, 1e-6);
        EXPECT_NEAR(section.ProportionalRadius, row.proportionalRadius, 1e-6);
        EXPECT_NEAR(section.AreaRatio(), row.areaRatio, 1e-6);
        EXPECT_NEAR(section.RadiusRatio(), row.radiusRatio, 1e-6);
        EXPECT_NEAR(section.DepthRatio, section.Depth / section.Diameter, 1e-12);
    }
}

TEST(PartFullSection, ClampsDepthAndDiameter) {
    struct Row {
        const char* label;
        double depth, diameter, keptDepth, keptDiameter;
    } rows[] = {
        {"diameter below 10 mm", 0.001, 0.005, 0.001, 0.01},
        {"negative diameter", 0.1, -0.3, 0.1, 0.3},
        {"depth above diameter", 0.4, 0.3, 0.3, 0.3},
        {"negative depth", -0.1, 0.3, 0, 0.3},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        const Drenvala section(row.depth, row.diameter);
        EXPECT_DOUBLE_EQ(section.Depth, row.keptDepth);
        EXPECT_DOUBLE_EQ(section.Diameter, row.keptDiameter);
        EXPECT_DOUBLE_EQ(section.Radius, row.keptDiameter / 2);
    }
}

TEST(PartFullSection, ManningFlowAndItsRatiosToTheFullPipe) {
    struct Row {
        const char* label;
        double depth, diameter, n, slope;
        double velocity, discharge, proportionalVelocity, proportionalFlow;
    } rows[] = {
        // Half of 0.5 m: R = 0.125, R^(2/3) = 0.25; V = 0.25 × √0.001 / 0.013 = 0.608130;
        // Q = V × π 0.25²/2 = 0.608130 × 0.098175 = 0.059703. Against the full pipe R = D/4 the ratios are 1
        // and 0.5.
        {"half full", 0.25, 0.5, 0.013, 0.001, 0.608130, 0.059703, 1.0, 0.5},
        // Full: the same velocity, twice the flow.
        {"full", 0.5, 0.5, 0.013, 0.001, 0.608130, 0.119406, 1.0, 1.0},
        // Textbook part-full curves: the velocity ratio peaks at 1.140 near d/D 0.81 and the flow
        // ratio at 1.076 near d/D 0.94.
        {"velocity peak", 0.81, 1.0, 0.013, 0.001, 0, 0, 1.140, 0},
        {"flow peak", 0.94, 1.0, 0.013, 0.001, 0, 0, 0, 1.076},
        // An n below 1e-6 gives the sentinel 999.999 for velocity and
        // flow.
        {"zero n", 0.25, 0.5, 0, 0.001, 999.999, 999.999, 1.0, 0.5},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        Drenvala section(row.depth, row.diameter);
        section.ManningN = row.n;
        section.Slope = row.slope;
        section.CalcFlow();
        ExpectNearIfGiven(section.Velocity, row.velocity, 1e-6);
        ExpectNearIfGiven(section.Discharge, row.discharge, 1e-6);
        ExpectNearIfGiven(section.ProportionalVelocity, row.proportionalVelocity, 5e-4);
        ExpectNearIfGiven(section.ProportionalFlow, row.proportionalFlow, 5e-4);
    }
}

TEST(PartFullSection, UphillSlopeRaises) {
    Drenvala section(0.25, 0.5);
    section.ManningN = 0.013;
    section.Slope = -0.001;
    EXPECT_THROW(section.CalcFlow(), EInvalidOp);
}

TEST(PartFullSection, NewDepthKeepsManningInputsAndFlows) {
    Drenvala section(0.25, 0.5);
    section.ManningN = 0.013;
    section.Slope = 0.001;
    section.CalcFlow();
    const double velocity = section.Velocity;
    section.SetDepthDiameter(0.4, 0.5);
    EXPECT_DOUBLE_EQ(section.ManningN, 0.013);
    EXPECT_DOUBLE_EQ(section.Slope, 0.001);
    EXPECT_DOUBLE_EQ(section.Velocity, velocity);
    // d/D 0.8 of 0.5 m: A = 0.673574 × 0.25.
    EXPECT_NEAR(section.Area, 0.168394, 1e-6);
}

} // namespace
