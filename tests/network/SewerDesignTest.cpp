#include "network/SewerDesign.h"
#include "framework/Exceptions.h"
#include "network/PipeSizes.h"

#include <gtest/gtest.h>

// The design as the window shows it is checked through the window in SewerMainFormTest; here
// what the window's boxes cannot reach.
namespace {

// The minimum-diameter box holds whole millimetres only. With no flow and a ground slope both
// diameters are 0, so the minimum diameter decides.
TEST(SewerDesign, PipeChoiceAcceptsHalfAMillimetreLess) {
    const struct {
        double designMm;
        const char* pipe;
    } rows[] = {{0, "50"}, {100.4, "100"}, {100.6, "125"}, {519.6, "520"}, {600, "520"}};
    const PipeSizeList sizes = BuiltInPipeSizes();
    for (const auto& row : rows) {
        SCOPED_TRACE(row.designMm);
        const SewerDesignResult design = CalcSewer({.GroundSlope = 0.01,
                                                    .ManningN = 0.013,
                                                    .DiameterLimit = true,
                                                    .MinD = row.designMm,
                                                    .GroundSlopeLimit = true},
                                                   sizes);
        EXPECT_NEAR(design.DesignDiameter * 1000, row.designMm, 1e-9);
        EXPECT_EQ(sizes.at(static_cast<std::size_t>(design.ChosenPipeIndex)).Text, row.pipe);
    }
}

// A fault raises before anything is returned, so the window keeps its last design.
TEST(SewerDesign, ArithmeticFaultsRaise) {
    // 10 and 20 l/s from upstream.
    SewerDesignInput input{.MinimumVelocity = 0.5,
                           .MinimumTau = 1,
                           .InitialUpstreamFlow = 10,
                           .FinalUpstreamFlow = 20,
                           .ManningN = 0.013};
    const PipeSizeList sizes = BuiltInPipeSizes();
    EXPECT_NO_THROW(CalcSewer(input, sizes));
    // No pipe to choose leaves a diameter of 0 to divide by.
    EXPECT_THROW(CalcSewer(input, {}), EZeroDivide);
    input.MinimumVelocity = -0.5;
    EXPECT_THROW(CalcSewer(input, sizes), EInvalidOp);
    input.MinimumVelocity = 0.5;
    input.ManningN = 0;
    EXPECT_THROW(CalcSewer(input, sizes), EZeroDivide);
    input.ManningN = -0.013;
    EXPECT_THROW(CalcSewer(input, sizes), EInvalidOp);
}

} // namespace
