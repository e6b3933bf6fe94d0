#include "network/SewerDesign.h"
#include "framework/Exceptions.h"
#include "network/PipeSizes.h"

#include <gtest/gtest.h>

namespace {

// The design window's layout defaults: 6000 and 11000 persons at 100 l/cap/day, 85 %, peak 1.80,
// 0.50 m/s, 1.00 Pa, n 0.0130, no infiltration or upstream flow, all three limits ticked
// (1.50 l/s, 100 mm, ground slope 0.0000), no friction formula or sizing criterion chosen.
SewerDesignInput WindowDefaults() {
    SewerDesignInput input;
    input.InitialPopulation = 6000;
    input.FinalPopulation = 11000;
    input.InitialLCD = 100;
    input.FinalLCD = 100;
    input.ReturnFactor = 85;
    input.PeakFactor = 1.80;
    input.MinimumVelocity = 0.50;
    input.MinimumTau = 1.00;
    input.ManningN = 0.0130;
    input.FlowLimit = true;
    input.MinQ = 1.50;
    input.DiameterLimit = true;
    input.MinD = 100;
    input.GroundSlopeLimit = true;
    return input;
}

const AnsiString& PipeText(const SewerDesignResult& design, const PipeSizeList& sizes) {
    return sizes.at(static_cast<std::size_t>(design.ChosenPipeIndex)).Text;
}

// Hand figures for the defaults (flows in m³/s):
//   Qi = 6000 × 0.1 × 0.85 × 1.8 / 86400 = 0.010625; Qf = 11000 × ... = 0.0194792.
//   Vsc gradient = (0.5/15.8)^(8/3) × Qi^−0.66666 = 1.00258e-4 × 20.6765 = 0.0020730 (1 in 482).
//   At d/D 0.2: A/D² 0.111824, R/D 0.120591; Ktau = (0.111824 / (0.013 × 0.120591²))^(6/13)
//   × 9810^(−16/13); tau gradient = Ktau × Qi^(−6/13) = 0.0018944 (1 in 527).
//   At d/D 0.8: A/D² 0.673574, R/D 0.304193; K = (0.013 Qf)^0.375 × 0.673574^−0.375 × 0.304193^−0.25;
//   D = (1/√S)^0.375 × K: 222.86 mm by self-cleansing, 226.65 mm by tractive tension.
//   "Both" takes 226.65 mm; the first pipe at least 226.15 mm is 250.
TEST(SewerDesign, WindowDefaultsDesignedEndToEnd) {
    const PipeSizeList sizes = BuiltInPipeSizes();
    const SewerDesignResult design = CalcSewer(WindowDefaults(), sizes);
    const SewerDesignTexts texts = DesignTexts(design);
    EXPECT_EQ(texts.QinitialEdit, "    10.625");
    EXPECT_EQ(texts.QfinalEdit, "    19.479");
    EXPECT_EQ(texts.IminVscEdit, "  0.0021");
    EXPECT_EQ(texts.GradVscEdit, "1 in 482 ");
    EXPECT_EQ(texts.DVscEdit, "     223");
    EXPECT_EQ(texts.MinGradLabel, "Minimum gradient =   0.0021");
    EXPECT_EQ(texts.IminTauEdit, "  0.0019");
    EXPECT_EQ(texts.GradTauEdit, "1 in 527 ");
    EXPECT_EQ(texts.DTauEdit, "     227");
    EXPECT_EQ(texts.ManningLabel, "");
    EXPECT_FALSE(design.ManningLabelsVisible);
    EXPECT_TRUE(design.MinGradLabelVisible);
    EXPECT_NEAR(design.InitialDesignFlow, 0.010625, 1e-12);
    EXPECT_NEAR(design.FinalDesignFlow, 0.01947917, 1e-8);
    EXPECT_NEAR(design.VscGradient, 0.00207301, 1e-8);
    EXPECT_NEAR(design.TauGradient, 0.00189438, 1e-8);
    EXPECT_NEAR(design.DesignDiameter, 0.2266525, 1e-6);
    EXPECT_EQ(design.ChosenPipeIndex, 8);
    EXPECT_EQ(PipeText(design, sizes), "250");
    EXPECT_DOUBLE_EQ(design.ChosenPipeDiameter, 0.25);

    // In the 250 mm pipe at the tractive-tension gradient the final flow first fits at 162 mm
    // and the initial at 112 mm; V = Q / A(d). At the self-cleansing gradient 157 and 109 mm.
    const DepthCheckTexts check = CheckTexts(design);
    EXPECT_EQ(check.InitialdDTauEdit, "   0.448");
    EXPECT_EQ(check.FinaldDTauEdit, "   0.648");
    EXPECT_EQ(check.InitialVelTauEdit, "   0.499");
    EXPECT_EQ(check.FinalVelTauEdit, "   0.579");
    EXPECT_EQ(check.InitialdDVscEdit, "   0.436");
    EXPECT_EQ(check.FinaldDVscEdit, "   0.628");
    EXPECT_EQ(check.InitialVelVscEdit, "   0.517");
    EXPECT_EQ(check.FinalVelVscEdit, "   0.600");
    // "Both" hands on the tractive-tension set.
    EXPECT_DOUBLE_EQ(design.DesignGradient, design.TauGradient);
    EXPECT_EQ(design.DesignGradientN, 527);
    EXPECT_DOUBLE_EQ(design.InitialdD, design.TauInitialdD);
    EXPECT_DOUBLE_EQ(design.FinalVelocity, design.TauFinalVelocity);
}

TEST(SewerDesign, SizingCriteria) {
    struct Row {
        const char* label;
        int criterion;
        double designDiameterMm;
        const char* pipe;
        double designGradient;
        int designGradientN;
        double initialdD, finaldD;
    } rows[] = {
        // Self-cleansing: 222.86 mm, the 225 mm pipe; the flows fit at 116 and 176 mm of it.
        {"Min Vel", MinVelCriterion, 222.855, "225", 0.00207301, 482, 116.0 / 225, 176.0 / 225},
        // Tractive tension: 226.65 mm is more than 0.5 mm above 225, so 250.
        {"Min Tau", MinTauCriterion, 226.653, "250", 0.00189438, 527, 0.448, 0.648},
        {"Both", BothCriteria, 226.653, "250", 0.00189438, 527, 0.448, 0.648},
        {"no selection", -1, 226.653, "250", 0.00189438, 527, 0.448, 0.648},
        {"index out of the list", 7, 226.653, "250", 0.00189438, 527, 0.448, 0.648},
    };
    const PipeSizeList sizes = BuiltInPipeSizes();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        SewerDesignInput input = WindowDefaults();
        input.SizingCriterion = row.criterion;
        const SewerDesignResult design = CalcSewer(input, sizes);
        EXPECT_NEAR(design.DesignDiameter * 1000, row.designDiameterMm, 1e-3);
        EXPECT_EQ(PipeText(design, sizes), row.pipe);
        EXPECT_NEAR(design.DesignGradient, row.designGradient, 1e-8);
        EXPECT_EQ(design.DesignGradientN, row.designGradientN);
        EXPECT_NEAR(design.InitialdD, row.initialdD, 1e-9);
        EXPECT_NEAR(design.FinaldD, row.finaldD, 1e-9);
    }
}

TEST(SewerDesign, LimitsOnAndOff) {
    struct Row {
        const char* label;
        void (*adjust)(SewerDesignInput&);
        const char *qInitial, *qFinal, *iminVsc, *gradVsc, *dVsc, *iminTau, *gradTau, *dTau, *pipe;
    } rows[] = {
        // Both flows raised to 1.5 l/s: (0.5/15.8)^(8/3) × 0.0015^−0.66666 = 0.0076458 (1 in 130),
        // Ktau × 0.0015^(−6/13) = 0.0046761 (1 in 213); raw diameters 66.7 and 73.2 mm become 100.
        {"flow limit on, no flow",
         [](SewerDesignInput& in) { in.InitialPopulation = in.FinalPopulation = 0; }, "     1.500",
         "     1.500", "  0.0076", "1 in 130 ", "     100", "  0.0047", "1 in 213 ", "     100", "100"},
        // No flow and no limit: both gradients 0 (1 in 99999), both diameters the 99999.9 m
        // sentinel, and the last pipe.
        {"flow limit off, no flow",
         [](SewerDesignInput& in) {
             in.InitialPopulation = in.FinalPopulation = 0;
             in.FlowLimit = false;
         },
         "     0.000", "     0.000", "  0.0000", "1 in 99999", "99999900", "  0.0000", "1 in 99999",
         "99999900", "520"},
        // No flow, ground slope 0.01: both gradients are the slope and both diameters 0 (the
        // final flow is 0), which the first pipe takes.
        {"ground slope on, no flow, no diameter limit",
         [](SewerDesignInput& in) {
             in.InitialPopulation = in.FinalPopulation = 0;
             in.FlowLimit = in.DiameterLimit = false;
             in.GroundSlope = 0.01;
         },
         "     0.000", "     0.000", "  0.0100", "1 in 100 ", "       0", "  0.0100", "1 in 100 ", "       0",
         "50"},
        {"ground slope on, no flow, diameter limit",
         [](SewerDesignInput& in) {
             in.InitialPopulation = in.FinalPopulation = 0;
             in.FlowLimit = false;
             in.GroundSlope = 0.01;
         },
         "     0.000", "     0.000", "  0.0100", "1 in 100 ", "     100", "  0.0100", "1 in 100 ", "     100",
         "100"},
        // A ground slope of 0.01 is steeper than both gradients; D = (1/√0.01)^0.375 × K = 165.9 mm.
        {"ground slope steeper", [](SewerDesignInput& in) { in.GroundSlope = 0.01; }, "    10.625",
         "    19.479", "  0.0100", "1 in 100 ", "     166", "  0.0100", "1 in 100 ", "     166", "175"},
        {"ground slope off",
         [](SewerDesignInput& in) {
             in.GroundSlope = 0.01;
             in.GroundSlopeLimit = false;
         },
         "    10.625", "    19.479", "  0.0021", "1 in 482 ", "     223", "  0.0019", "1 in 527 ", "     227",
         "250"},
        {"diameter limit raises both", [](SewerDesignInput& in) { in.MinD = 300; }, "    10.625",
         "    19.479", "  0.0021", "1 in 482 ", "     300", "  0.0019", "1 in 527 ", "     300", "300"},
        {"diameter limit off",
         [](SewerDesignInput& in) {
             in.MinD = 300;
             in.DiameterLimit = false;
         },
         "    10.625", "    19.479", "  0.0021", "1 in 482 ", "     223", "  0.0019", "1 in 527 ", "     227",
         "250"},
        // 15 l/s raises only the initial flow; the gradients follow 0.015 m³/s: 0.00164726 (1 in 607)
        // and 0.00161565 (1 in 618), and the flatter gradients need 232.7 and 233.5 mm.
        {"flow limit raises the initial flow", [](SewerDesignInput& in) { in.MinQ = 15; }, "    15.000",
         "    19.479", "  0.0016", "1 in 607 ", "     233", "  0.0016", "1 in 618 ", "     234", "250"},
        {"flow limit off",
         [](SewerDesignInput& in) {
             in.MinQ = 15;
             in.FlowLimit = false;
         },
         "    10.625", "    19.479", "  0.0021", "1 in 482 ", "     223", "  0.0019", "1 in 527 ", "     227",
         "250"},
    };
    const PipeSizeList sizes = BuiltInPipeSizes();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        SewerDesignInput input = WindowDefaults();
        row.adjust(input);
        const SewerDesignResult design = CalcSewer(input, sizes);
        const SewerDesignTexts texts = DesignTexts(design);
        EXPECT_EQ(texts.QinitialEdit, row.qInitial);
        EXPECT_EQ(texts.QfinalEdit, row.qFinal);
        EXPECT_EQ(texts.IminVscEdit, row.iminVsc);
        EXPECT_EQ(texts.GradVscEdit, row.gradVsc);
        EXPECT_EQ(texts.DVscEdit, row.dVsc);
        EXPECT_EQ(texts.IminTauEdit, row.iminTau);
        EXPECT_EQ(texts.GradTauEdit, row.gradTau);
        EXPECT_EQ(texts.DTauEdit, row.dTau);
        EXPECT_EQ(PipeText(design, sizes), row.pipe);
        EXPECT_EQ(design.MinGradLabelVisible, input.FlowLimit);
    }
}

TEST(SewerDesign, LimitsKeepTheValuesBeforeThem) {
    SewerDesignInput input = WindowDefaults();
    input.GroundSlope = 0.01;
    input.MinQ = 15;
    input.MinD = 300;
    const SewerDesignResult design = CalcSewer(input, BuiltInPipeSizes());
    EXPECT_NEAR(design.InitialRawFlow, 0.010625, 1e-12);
    EXPECT_NEAR(design.InitialDesignFlow, 0.015, 1e-12);
    EXPECT_NEAR(design.FinalRawFlow, 0.01947917, 1e-8);
    EXPECT_NEAR(design.FinalDesignFlow, 0.01947917, 1e-8);
    // Gradients before the ground-slope rule come from the 15 l/s design flow.
    EXPECT_NEAR(design.VscFlowGradient, 0.00164726, 1e-8);
    EXPECT_NEAR(design.TauFlowGradient, 0.00161565, 1e-8);
    EXPECT_DOUBLE_EQ(design.VscGradient, 0.01);
    EXPECT_DOUBLE_EQ(design.TauGradient, 0.01);
    EXPECT_NEAR(design.VscRawDiameter, 0.165915, 1e-6);
    EXPECT_DOUBLE_EQ(design.VscDiameter, 0.3);
}

TEST(SewerDesign, PipeChoiceAcceptsHalfAMillimetreLess) {
    struct Row {
        double designMm;
        const char* pipe;
    } rows[] = {
        {0, "50"}, {100.4, "100"}, {100.6, "125"}, {519.6, "520"}, {600, "520"},
    };
    const PipeSizeList sizes = BuiltInPipeSizes();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.designMm);
        // With no flow and a ground slope both diameters are 0, so the minimum diameter decides.
        SewerDesignInput input = WindowDefaults();
        input.InitialPopulation = input.FinalPopulation = 0;
        input.FlowLimit = false;
        input.GroundSlope = 0.01;
        input.MinD = row.designMm;
        const SewerDesignResult design = CalcSewer(input, sizes);
        EXPECT_NEAR(design.DesignDiameter * 1000, row.designMm, 1e-9);
        EXPECT_EQ(PipeText(design, sizes), row.pipe);
    }
}

TEST(SewerDesign, FrictionFormulaGivesTheManningN) {
    struct Row {
        const char* label;
        int formula;
        double initialN, finalN;
        const char *label1, *label2;
    } rows[] = {
        // Colebrook-White in a 1 m pipe, ks 1.5 mm: at d/D 0.2, V = 0.010625 / 0.111824 = 0.0950 m/s,
        // Re = V R / 1.14e-6 = 10051, λ = 0.029340, n = R^(1/6) √(λ / 78.48) = 0.013591; at d/D 0.8
        // with the final flow λ = 0.026373, n = 0.015033.
        {"Colebrook-White", ColebrookWhiteFormula, 0.0135906, 0.0150334, "G-Manning's n (initial) =   0.0136",
         "G-Manning's n (final) =   0.0150"},
        // Escritt: 0.013 R^(2/3) / (A / (P + T/2))^0.62 at d/D 0.2 and 0.8 of 1 m.
        {"Escritt", EscrittFormula, 0.0147108, 0.0136313, "G-Manning's n (initial) =   0.0147",
         "G-Manning's n (final) =   0.0136"},
        {"G-Manning", GManningFormula, 0.013, 0.013, "", ""},
        {"no selection", -1, 0.013, 0.013, "", ""},
    };
    const PipeSizeList sizes = BuiltInPipeSizes();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        SewerDesignInput input = WindowDefaults();
        input.FrictionFormula = row.formula;
        const SewerDesignResult design = CalcSewer(input, sizes);
        EXPECT_NEAR(design.InitialManningN, row.initialN, 1e-6);
        EXPECT_NEAR(design.FinalManningN, row.finalN, 1e-6);
        const SewerDesignTexts texts = DesignTexts(design);
        EXPECT_EQ(design.ManningLabelsVisible, *row.label1 != '\0');
        EXPECT_EQ(texts.ManningLabel, row.label1);
        EXPECT_EQ(texts.ManningLabel2, row.label2);
    }
}

TEST(SewerDesign, ColebrookWhiteWithoutFlowKeepsTheTypedN) {
    SewerDesignInput input = WindowDefaults();
    input.InitialPopulation = input.FinalPopulation = 0;
    input.FlowLimit = false;
    input.GroundSlope = 0.01;
    input.FrictionFormula = ColebrookWhiteFormula;
    const SewerDesignResult design = CalcSewer(input, BuiltInPipeSizes());
    EXPECT_DOUBLE_EQ(design.InitialManningN, 0.013);
    EXPECT_DOUBLE_EQ(design.FinalManningN, 0.013);
    EXPECT_EQ(DesignTexts(design).ManningLabel, "G-Manning's n (initial) =   0.0130");
    // No flow runs at no depth and no speed.
    const DepthCheckTexts check = CheckTexts(design);
    EXPECT_EQ(check.InitialdDTauEdit, "   0.000");
    EXPECT_EQ(check.FinaldDVscEdit, "   0.000");
    EXPECT_EQ(check.FinalVelTauEdit, "   0.000");
}

TEST(SewerDesign, ArithmeticFaultsRaise) {
    const PipeSizeList sizes = BuiltInPipeSizes();
    SewerDesignInput input = WindowDefaults();
    input.ManningN = 0;
    EXPECT_THROW(CalcSewer(input, sizes), EZeroDivide);
    input.ManningN = -0.013;
    EXPECT_THROW(CalcSewer(input, sizes), EInvalidOp);
    input = WindowDefaults();
    input.MinimumVelocity = -0.5;
    EXPECT_THROW(CalcSewer(input, sizes), EInvalidOp);
    // No pipe to choose leaves a diameter of 0 to divide by.
    EXPECT_THROW(CalcSewer(WindowDefaults(), {}), EZeroDivide);
}

TEST(SewerDesign, CheckdDWithAnotherPipe) {
    struct Row {
        const char* label;
        double pipe;
        int sizing;
        const char *initialdDTau, *finaldDTau, *initialdDVsc, *finaldDVsc;
        double designGradient;
    } rows[] = {
        // 300 mm at the same gradients: the flows fit at 103 and 144 mm (tau), 0.343 and 0.480.
        {"300 mm, Both", 0.3, BothCriteria, "   0.343", "   0.480", "   0.337", "   0.467", 0.00189438},
        {"300 mm, Min Vel", 0.3, MinVelCriterion, "   0.343", "   0.480", "   0.337", "   0.467", 0.00207301},
        // 50 mm cannot carry either flow: the deepest millimetre tried, 49 of 50.
        {"50 mm, Min Vel", 0.05, MinVelCriterion, "   0.980", "   0.980", "   0.980", "   0.980", 0.00207301},
    };
    const SewerDesignResult designed = CalcSewer(WindowDefaults(), BuiltInPipeSizes());
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        SewerDesignResult picked = designed;
        picked.ChosenPipeDiameter = row.pipe;
        const SewerDesignResult checked = CheckdD(picked, -1, row.sizing);
        const DepthCheckTexts texts = CheckTexts(checked);
        EXPECT_EQ(texts.InitialdDTauEdit, row.initialdDTau);
        EXPECT_EQ(texts.FinaldDTauEdit, row.finaldDTau);
        EXPECT_EQ(texts.InitialdDVscEdit, row.initialdDVsc);
        EXPECT_EQ(texts.FinaldDVscEdit, row.finaldDVsc);
        EXPECT_NEAR(checked.DesignGradient, row.designGradient, 1e-8);
        EXPECT_DOUBLE_EQ(checked.TauGradient, designed.TauGradient);
        EXPECT_DOUBLE_EQ(checked.DesignDiameter, designed.DesignDiameter);
    }
}

TEST(SewerDesign, CheckdDOverCapacityVelocity) {
    SewerDesignResult design = CalcSewer(WindowDefaults(), BuiltInPipeSizes());
    design.ChosenPipeDiameter = 0.05;
    const SewerDesignResult checked = CheckdD(design, -1, MinVelCriterion);
    // 49 mm in 50 mm: θ = 2 acos(−0.96) = 5.7156, A = (θ − sin θ) × 0.05² / 8 = 0.0019541 m²;
    // V = 0.0194792 / 0.0019541 = 9.968 m/s and 0.010625 / 0.0019541 = 5.437 m/s.
    EXPECT_NEAR(checked.FinalVelocity, 9.968, 1e-3);
    EXPECT_NEAR(checked.InitialVelocity, 5.437, 1e-3);
}

TEST(SewerDesign, CheckdDBeforeAnyDesign) {
    SewerDesignResult blank;
    blank.ChosenPipeDiameter = 0.1;
    const SewerDesignResult checked = CheckdD(blank, -1, -1);
    EXPECT_EQ(checked.InitialdD, 0);
    EXPECT_EQ(checked.FinalVelocity, 0);
    EXPECT_EQ(CheckTexts(checked).FinaldDTauEdit, "   0.000");
    blank.ChosenPipeDiameter = 0;
    EXPECT_THROW(CheckdD(blank, -1, -1), EZeroDivide);
}

} // namespace
