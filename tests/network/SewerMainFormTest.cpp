#include "network/Sewermainform.h"

#include "framework/Application.h"
#include "framework/Exceptions.h"
#include "network/Sectionpropsform.h"
#include "tests/support/ScriptedResponder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <tuple>
#include <utility>

namespace {

std::string Items(const TStringList& list) {
    std::string items;
    for (int i = 0; i < list.Count(); ++i)
        items += list[i].str() + "|";
    return items;
}

// Texts or captions, each followed by '|'.
template <class Control> std::string Joined(std::initializer_list<Control*> controls) {
    std::string joined;
    for (const Control* control : controls) {
        if constexpr (requires { control->GetText(); })
            joined += control->GetText().str() + "|";
        else
            joined += control->GetCaption().str() + "|";
    }
    return joined;
}

// The flows, then gradient, 1 in N and diameter by self-cleansing and by tractive tension.
std::string DesignShown(const TSewerMainForm& f) {
    return Joined({f.QinitialEdit, f.QfinalEdit, f.IminVscEdit, f.GradVscEdit, f.DVscEdit, f.IminTauEdit,
                   f.GradTauEdit, f.DTauEdit});
}

// Initial and final d/D, then initial and final velocity, by tractive tension and by self-cleansing.
std::string CheckShown(const TSewerMainForm& f) {
    return Joined({f.InitialdDTauEdit, f.FinaldDTauEdit, f.InitialVelTauEdit, f.FinalVelTauEdit,
                   f.InitialdDVscEdit, f.FinaldDVscEdit, f.InitialVelVscEdit, f.FinalVelVscEdit});
}

const char* const DefaultsDesign =
    "    10.625|    19.479|  0.0021|1 in 482 |     223|  0.0019|1 in 527 |     227|";

TEST(SewerMainForm, BuiltInPipesAndTheSectionPropertiesButton) {
    TSewerMainForm form(nullptr);
    // Without a pipe-size file, the built-in list: 50 to 500 mm in steps of 25, then 520.
    EXPECT_EQ(Items(form.PipeComboBox->Items),
              "50|75|100|125|150|175|200|225|250|275|300|325|350|375|400|425|450|475|500|520|");
    EXPECT_EQ(form.PipeComboBox->GetText(), "100");

    // "Section Properties" shows that calculator modally.
    TSectionPropsForm sectionProps(nullptr);
    SectionPropsForm = &sectionProps;
    Responder().Clear();
    TForm* shown = nullptr;
    Responder().ModalActions.push_back([&](TForm& modal) { shown = &modal; });
    form.SectionPropertiesButton->Click();
    EXPECT_EQ(shown, &sectionProps);
    SectionPropsForm = nullptr;
}

// The window's defaults by hand: Qi = 6000 × 0.1 × 0.85 × 1.8 / 86400 = 10.625 l/s, Qf 19.479 l/s;
// gradients (0.5/15.8)^(8/3) Qi^−0.66666 = 0.0020730 (1 in 482) and Ktau Qi^(−6/13) = 0.0018944 (1 in
// 527), Ktau = (A/D² / (n (R/D)²))^(6/13) × 9810^(−16/13) at d/D 0.2 (A/D² 0.111824, R/D 0.120591); at d/D
// 0.8 (0.673574, 0.304193) Qf needs D = (1/√S)^0.375 (n Qf)^0.375 0.673574^−0.375 0.304193^−0.25: 222.86
// and 226.65 mm. With no criterion the larger, 250 mm, where the flows first fit at 112 and 162 mm.
TEST(SewerMainForm, DefaultsDesignedEndToEnd) {
    Responder().Clear();
    TSewerMainForm form(nullptr);
    form.PipeComboBox->ViewPicked(5); // before any design: no flow, no message
    EXPECT_EQ(CheckShown(form), "   0.000|   0.000|   0.000|   0.000|   0.000|   0.000|   0.000|   0.000|");
    EXPECT_TRUE(Responder().Asked.empty());
    form.CalcSewerButton->Click();
    EXPECT_EQ(DesignShown(form), DefaultsDesign);
    EXPECT_EQ(CheckShown(form), "   0.448|   0.648|   0.499|   0.579|   0.436|   0.628|   0.517|   0.600|");
    EXPECT_EQ(form.PipeComboBox->GetText(), "250");
    EXPECT_EQ(form.MinGradLabel->GetCaption(), "Minimum gradient =   0.0021");
    // Handed to the network: with no criterion chosen, "Both", the tractive-tension set.
    EXPECT_NEAR(form.Design.DesignGradient, 0.00189438, 1e-8);
    EXPECT_NEAR(form.Design.InitialdD, 0.448, 1e-12);
    EXPECT_NEAR(form.Design.FinalVelocity, 0.579, 5e-4);
}

// The sizing criterion picks the pipe from the diameters above and hands on its gradient and
// depths: by self-cleansing 225 mm, where the initial flow fits at 116 mm. A picked pipe is
// checked at the last gradients: in 300 mm the flows first fit at 103 and 144 mm (tau).
// 50 mm carries neither flow: the deepest millimetre tried, 49; θ = 2 acos(−0.96) = 5.7156,
// A = (θ − sin θ) × 0.05² / 8 = 0.0019541 m², V = 0.010625 / A = 5.437 and 0.0194792 / A = 9.968 m/s.
TEST(SewerMainForm, SizingCriterionAndAPickedPipe) {
    TSewerMainForm form(nullptr);
    const std::tuple<int, const char*, double, double> rows[] = {
        {0, "225", 0.00207301, 116.0 / 225}, {1, "250", 0.00189438, 0.448}, {2, "250", 0.00189438, 0.448}};
    for (const auto& [criterion, pipe, gradient, initialdD] : rows) {
        form.SizingRadioGroup->SetItemIndex(criterion);
        form.CalcSewerButtonClick(nullptr);
        EXPECT_EQ(form.PipeComboBox->GetText(), pipe) << criterion;
        EXPECT_NEAR(form.Design.DesignGradient, gradient, 1e-8) << criterion;
        EXPECT_NEAR(form.Design.InitialdD, initialdD, 1e-12) << criterion;
    }
    form.PipeComboBox->ViewPicked(form.PipeComboBox->Items.IndexOf("300"));
    EXPECT_EQ(CheckShown(form), "   0.343|   0.480|   0.495|   0.581|   0.337|   0.467|   0.508|   0.602|");
    EXPECT_EQ(DesignShown(form), DefaultsDesign);
    EXPECT_NEAR(form.Design.InitialdD, 0.103 / 0.3, 1e-12);
    form.SizingRadioGroup->SetItemIndex(0);
    form.PipeComboBox->ViewPicked(form.PipeComboBox->Items.IndexOf("50"));
    EXPECT_EQ(CheckShown(form), "   0.980|   0.980|   5.437|   9.968|   0.980|   0.980|   5.437|   9.968|");
    EXPECT_NEAR(form.Design.DesignGradient, 0.00207301, 1e-8);
    // A box that holds no number, or a value the arithmetic refuses (the network sets any it holds),
    // stops the run, and the results stay.
    form.peakTypedEdit->SetWindowText("1.8x");
    EXPECT_THROW(form.CalcSewerButtonClick(nullptr), EConvertError);
    form.peakTypedEdit->SetText("1.80");
    form.nTypedEdit->SetText("0");
    EXPECT_THROW(form.CalcSewerButtonClick(nullptr), EZeroDivide);
    form.nTypedEdit->SetText("-0.013");
    EXPECT_THROW(form.CalcSewerButtonClick(nullptr), EInvalidOp);
    form.nTypedEdit->SetText("0.013");
    form.vscTypedEdit->SetText("-0.5");
    EXPECT_THROW(form.CalcSewerButtonClick(nullptr), EInvalidOp);
    EXPECT_EQ(DesignShown(form), DefaultsDesign);
    EXPECT_EQ(form.PipeComboBox->GetText(), "50");
}

// Colebrook-White in a 1 m pipe, ks 1.5 mm: at d/D 0.2, V = 0.010625 / 0.111824 = 0.0950 m/s,
// Re = V R / 1.14e-6 = 10051, λ = 0.029340, n = R^(1/6) √(λ / 78.48) = 0.013591; at d/D 0.8 with
// the final flow λ = 0.026373, n = 0.015033. Without flow there is no Reynolds number to search
// from, and the typed n stands. Escritt, 0.013 R^(2/3) / R'^0.62 with R' = A / (P + T/2): at d/D 0.2
// A 0.111824, P 0.927295, T 0.8, R 0.120591, R' 0.084249, n = 0.013 × 0.244087 / 0.215701 = 0.014711;
// at d/D 0.8 A 0.673574, P 2.214297, R 0.304193, R' 0.257650, n 0.013631. G-Manning shows no labels.
TEST(SewerMainForm, FrictionFormula) {
    const struct {
        int index;
        bool flow;
        double initialN, finalN;
        const char *initialShown, *finalShown; // none: hidden
    } rows[] = {{1, true, 0.0135906, 0.0150334, "0.0136", "0.0150"},
                {2, true, 0.0147108, 0.0136313, "0.0147", "0.0136"},
                {0, true, 0.013, 0.013, nullptr, nullptr},
                {1, false, 0.013, 0.013, "0.0130", "0.0130"}};
    TSewerMainForm form(nullptr);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.initialN);
        form.IPopTypedEdit->SetText(row.flow ? "6000" : "0");
        form.FPopTypedEdit->SetText(row.flow ? "11000" : "0");
        form.FlowLimitCheckBox->SetChecked(row.flow);
        form.FrictionFormulaRadioGroup->SetItemIndex(row.index);
        form.CalcSewerButtonClick(nullptr);
        EXPECT_NEAR(form.Design.InitialManningN, row.initialN, 1e-6);
        EXPECT_NEAR(form.Design.FinalManningN, row.finalN, 1e-6);
        EXPECT_EQ(form.ManningLabel->GetVisible(), row.initialShown != nullptr);
        EXPECT_EQ(form.ManningLabel2->GetVisible(), row.initialShown != nullptr);
        if (row.initialShown) {
            EXPECT_EQ(Joined({form.ManningLabel, form.ManningLabel2}),
                      "G-Manning's n (initial) =   " + std::string(row.initialShown) +
                          "|G-Manning's n (final) =   " + row.finalShown + "|");
        }
    }
}

// 60 and 110 persons (0.106, 0.195 l/s) are raised to the 1.50 l/s minimum: (0.5/15.8)^(8/3) ×
// 0.0015^−0.66666 = 0.007646 (1 in 130, D 66.7 mm), tau gradient 0.004676 (1 in 213, D 73.2 mm); the
// 100 mm minimum lifts both. No flow and no flow limit: gradients 0 (1 in 99999), the 99999.9 m
// sentinel diameters, the last pipe. A 0.01 ground slope is steeper than the defaults' gradients: D =
// (1/√0.01)^0.375 × K = 165.9 mm. 15 l/s raises only the defaults' Qi; its gradients 0.00164726 (1 in
// 607) and 0.00161565 (1 in 618) need 232.7 and 233.5 mm.
TEST(SewerMainForm, LimitCheckBoxesEnableTheirBoxesAndTheDesignFollows) {
    const struct {
        const char *initialPop, *finalPop, *minQ, *slope;
        bool flowLimit, diameterLimit, slopeLimit;
        const char *shown, *pipe;
    } rows[] = {
        // clang-format off
        {"60", "110", "1.50", "0", true, true, true,
         "     1.500|     1.500|  0.0076|1 in 130 |     100|  0.0047|1 in 213 |     100|", "100"},
        {"60", "110", "1.50", "0", true, false, true,
         "     1.500|     1.500|  0.0076|1 in 130 |      67|  0.0047|1 in 213 |      73|", "75"},
        {"0", "0", "1.50", "0", false, true, true,
         "     0.000|     0.000|  0.0000|1 in 99999|99999900|  0.0000|1 in 99999|99999900|", "520"},
        {"6000", "11000", "1.50", "0.01", true, true, true,
         "    10.625|    19.479|  0.0100|1 in 100 |     166|  0.0100|1 in 100 |     166|", "175"},
        {"6000", "11000", "1.50", "0.01", true, true, false, DefaultsDesign, "250"},
        {"6000", "11000", "15", "0", true, true, true,
         "    15.000|    19.479|  0.0016|1 in 607 |     233|  0.0016|1 in 618 |     234|", "250"},
        // clang-format on
    };
    // One window throughout: each box is switched off and on again.
    TSewerMainForm form(nullptr);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.shown);
        form.IPopTypedEdit->SetText(row.initialPop);
        form.FPopTypedEdit->SetText(row.finalPop);
        form.MinQTypedEdit->SetText(row.minQ);
        form.GroundSlopeTypedEdit->SetText(row.slope);
        form.FlowLimitCheckBox->SetChecked(row.flowLimit);
        form.DiameterLimitCheckBox->SetChecked(row.diameterLimit);
        form.GroundSlopeCheckBox->SetChecked(row.slopeLimit);
        EXPECT_EQ(form.MinQTypedEdit->GetEnabledEx(), row.flowLimit);
        EXPECT_EQ(form.MinDTypedEdit->GetEnabledEx(), row.diameterLimit);
        EXPECT_EQ(form.GroundSlopeTypedEdit->GetEnabledEx(), row.slopeLimit);
        form.CalcSewerButtonClick(nullptr);
        EXPECT_EQ(DesignShown(form), row.shown);
        EXPECT_EQ(form.PipeComboBox->GetText(), row.pipe);
        EXPECT_EQ(form.MinGradLabel->GetVisible(), row.flowLimit);
    }
}

// A pipe-size file beside the program replaces the built-in list; the third size is chosen. A pipe
// may fall 0.5 mm short of the design diameter: 222.4 serves 222.86 mm (self-cleansing), 226.1 does
// not serve 226.65 mm (tractive tension, and "Both").
TEST(SewerMainForm, PipeSizesFromTheFileBesideTheProgram) {
    const std::string path = Application->ExeDir().str() + "drenvala.dat";
    std::ofstream(path, std::ios::binary) << "#DRENVALA_DAT\n  pipe_sizes \n3\n222.4, 226.1 ,300\n";
    TSewerMainForm form(nullptr);
    std::remove(path.c_str());
    EXPECT_EQ(Items(form.PipeComboBox->Items), "222.4|226.1|300|");
    EXPECT_EQ(form.PipeComboBox->GetText(), "300");
    for (const auto& [criterion, pipe] : {std::pair{0, "222.4"}, {1, "300"}, {-1, "300"}}) {
        form.SizingRadioGroup->SetItemIndex(criterion);
        form.CalcSewerButtonClick(nullptr);
        EXPECT_EQ(form.PipeComboBox->GetText(), pipe) << criterion;
    }
    EXPECT_DOUBLE_EQ(form.Design.ChosenPipeDiameter, 0.3);
}

} // namespace
