#include "network/Sewermainform.h"

#include "framework/Application.h"
#include "framework/Exceptions.h"
#include "network/Sectionpropsform.h"
#include "tests/support/ScriptedResponder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace {

std::vector<std::string> Items(const TStringList& list) {
    std::vector<std::string> items;
    for (int i = 0; i < list.Count(); ++i)
        items.push_back(list[i].str());
    return items;
}

struct BoxText {
    const char* name;
    TEdit* edit;
    const char* expected;
};

void ExpectTexts(std::initializer_list<BoxText> rows) {
    for (const BoxText& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(row.edit->GetText(), row.expected);
    }
}

TEST(SewerMainForm, ConstructionShowsTheLayoutWithNoMethodChosen) {
    TSewerMainForm form(nullptr);
    EXPECT_EQ(form.GetCaption(), "Drenvala Design");
    EXPECT_EQ(form.FrictionFormulaRadioGroup->GetItemIndex(), -1);
    EXPECT_EQ(form.SizingRadioGroup->GetItemIndex(), -1);
    EXPECT_EQ(Items(form.FrictionFormulaRadioGroup->Items),
              (std::vector<std::string>{"G-Manning", "CW", "Escritt"}));
    EXPECT_EQ(Items(form.SizingRadioGroup->Items), (std::vector<std::string>{"Min Vel", "Min Tau", "Both"}));
    EXPECT_EQ(form.SizingRadioGroup->GetCaption(), "Size Choice Criteria");
    EXPECT_EQ(form.PipeComboBox->Items.Count(), 20);
    EXPECT_EQ(form.PipeComboBox->GetText(), "100");
    EXPECT_EQ(form.PipeComboBox->Items[19], "520");

    const struct {
        const char* name;
        TTypedEdit* edit;
        const char* text;
        TLabel* label;
        const char* caption;
    } boxes[] = {
        {"initial population", form.IPopTypedEdit, "6000", form.Label33, "Initial population"},
        {"initial water use", form.InitialLCDTypedEdit, "100", form.Label30,
         "Initial water use per person (lcd)"},
        {"final population", form.FPopTypedEdit, "11000", form.Label, "Final population"},
        {"final water use", form.FinalLCDTypedEdit, "100", form.Label13, "Final water use per person (lcd)"},
        {"initial infiltration", form.InitialSuplementaryFlowTypedEdit, "0", form.Label36,
         "Initial infiltration flow (l/d)"},
        {"final infiltration", form.FinalSuplementaryFlowTypedEdit, "0", form.Label35,
         "Final infiltration flow  (l/d)"},
        {"initial upstream flow", form.InitialUSFlowTypedEdit, "0.0", form.Label37,
         "Initial flow from u/s (l/s)"},
        {"final upstream flow", form.FinalUSFlowTypedEdit, "0.0", form.Label38, "Final flow from u/s (l/s)"},
        {"return factor", form.returnTypedEdit, "85", form.Label14, "Return factor (%)"},
        {"peak factor", form.peakTypedEdit, "1.80", form.Label15, "Peak flow factor"},
        {"self-cleansing velocity", form.vscTypedEdit, "0.50", form.Label12, "Min. self-clean vel.  (m/s)"},
        {"tractive tension", form.tauTypedEdit, "1.00", form.Label16, "Min tract. tension  (N/m², Pa)"},
        {"n", form.nTypedEdit, "0.0130", form.Label17, "G-Manning's n"},
        {"minimum flow", form.MinQTypedEdit, "1.50", nullptr, nullptr},
        {"minimum diameter", form.MinDTypedEdit, "100", nullptr, nullptr},
        {"ground slope", form.GroundSlopeTypedEdit, "0.0000", nullptr, nullptr},
    };
    for (const auto& box : boxes) {
        SCOPED_TRACE(box.name);
        EXPECT_EQ(box.edit->GetText(), box.text);
        EXPECT_TRUE(box.edit->GetEnabledEx());
        if (box.label) {
            EXPECT_EQ(box.label->GetCaption(), box.caption);
        }
    }
    EXPECT_TRUE(form.FlowLimitCheckBox->GetChecked());
    EXPECT_EQ(form.DiameterLimitCheckBox->GetCaption(), "Minimum diameter (mm)");
    EXPECT_EQ(form.CalcSewerButton->GetCaption(), "Calculate Required Sewer");
    for (TControl* hidden :
         std::initializer_list<TControl*>{form.ManningLabel, form.ManningLabel2, form.MinGradLabel,
                                          form.ColebrookWhiteCheckBox, form.GroupBox1})
        EXPECT_FALSE(hidden->GetVisible());
}

// The window's defaults designed as a click on "Calculate Required Sewer" does it, by hand:
//   Qi = 6000 × 0.1 × 0.85 × 1.8 / 86400 = 10.625 l/s; Qf = 11000 × ... = 19.479 l/s;
//   Vsc gradient (0.5/15.8)^(8/3) Qi^−0.66666 = 0.002073 (1 in 482), D 222.86 mm;
//   tau gradient 0.0018944 (1 in 527), D 226.65 mm. No criterion chosen: the larger, 250 mm pipe.
TEST(SewerMainForm, DefaultsDesignedEndToEnd) {
    TSewerMainForm form(nullptr);
    form.CalcSewerButton->Click();
    ExpectTexts({
        {"initial flow", form.QinitialEdit, "    10.625"},
        {"final flow", form.QfinalEdit, "    19.479"},
        {"self-cleansing gradient", form.IminVscEdit, "  0.0021"},
        {"self-cleansing 1 in N", form.GradVscEdit, "1 in 482 "},
        {"self-cleansing diameter", form.DVscEdit, "     223"},
        {"tractive-tension gradient", form.IminTauEdit, "  0.0019"},
        {"tractive-tension 1 in N", form.GradTauEdit, "1 in 527 "},
        {"tractive-tension diameter", form.DTauEdit, "     227"},
        {"initial d/D by tau", form.InitialdDTauEdit, "   0.448"},
        {"final d/D by tau", form.FinaldDTauEdit, "   0.648"},
        {"initial velocity by tau", form.InitialVelTauEdit, "   0.499"},
        {"final velocity by tau", form.FinalVelTauEdit, "   0.579"},
        {"initial d/D by vsc", form.InitialdDVscEdit, "   0.436"},
        {"final d/D by vsc", form.FinaldDVscEdit, "   0.628"},
        {"initial velocity by vsc", form.InitialVelVscEdit, "   0.517"},
        {"final velocity by vsc", form.FinalVelVscEdit, "   0.600"},
    });
    EXPECT_EQ(form.PipeComboBox->GetText(), "250");
    EXPECT_TRUE(form.MinGradLabel->GetVisible());
    EXPECT_EQ(form.MinGradLabel->GetCaption(), "Minimum gradient =   0.0021");
    EXPECT_FALSE(form.ManningLabel->GetVisible());

    // What the network takes back: the tractive-tension set, since no criterion is "Both".
    EXPECT_NEAR(form.Design.InitialRawFlow, 0.010625, 1e-12);
    EXPECT_NEAR(form.Design.FinalRawFlow, 0.0194792, 1e-7);
    EXPECT_NEAR(form.Design.DesignGradient, 0.00189438, 1e-8);
    EXPECT_NEAR(form.Design.DesignDiameter, 0.2266525, 1e-6);
    EXPECT_DOUBLE_EQ(form.Design.ChosenPipeDiameter, 0.25);
    EXPECT_NEAR(form.Design.InitialdD, 0.448, 1e-12);
    EXPECT_NEAR(form.Design.FinaldD, 0.648, 1e-12);
}

// The sizing criterion picks the pipe from the diameters above (222.86 and 226.65 mm) and hands
// on its gradient; "Both" hands on the tractive-tension gradient.
TEST(SewerMainForm, SizingCriterion) {
    const struct {
        int index;
        const char* pipe;
        double gradient;
    } rows[] = {{0, "225", 0.00207301}, {1, "250", 0.00189438}, {2, "250", 0.00189438}};
    TSewerMainForm form(nullptr);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.index);
        form.SizingRadioGroup->SetItemIndex(row.index);
        form.CalcSewerButtonClick(nullptr);
        EXPECT_EQ(form.PipeComboBox->GetText(), row.pipe);
        EXPECT_NEAR(form.Design.DesignGradient, row.gradient, 1e-8);
    }
}

// Escritt's n in a 1 m pipe, 0.013 R^(2/3) / (A / (P + T/2))^0.62: 0.014711 at d/D 0.2 and
// 0.013631 at d/D 0.8. Back to G-Manning the labels go.
TEST(SewerMainForm, FrictionFormulaLabels) {
    TSewerMainForm form(nullptr);
    form.FrictionFormulaRadioGroup->SetItemIndex(2);
    form.CalcSewerButtonClick(nullptr);
    EXPECT_TRUE(form.ManningLabel->GetVisible());
    EXPECT_TRUE(form.ManningLabel2->GetVisible());
    EXPECT_EQ(form.ManningLabel->GetCaption(), "G-Manning's n (initial) =   0.0147");
    EXPECT_EQ(form.ManningLabel2->GetCaption(), "G-Manning's n (final) =   0.0136");
    form.FrictionFormulaRadioGroup->SetItemIndex(0);
    form.CalcSewerButtonClick(nullptr);
    EXPECT_FALSE(form.ManningLabel->GetVisible());
    EXPECT_FALSE(form.ManningLabel2->GetVisible());
}

// 60 and 110 persons give 0.106 and 0.195 l/s, both raised to the 1.50 l/s minimum:
// Vsc gradient (0.5/15.8)^(8/3) × 0.0015^−0.66666 = 0.007646 (1 in 130), D 66.7 mm;
// tau gradient 0.004676 (1 in 213), D 73.2 mm; the 100 mm minimum lifts both.
TEST(SewerMainForm, LimitCheckBoxesEnableTheirBoxesAndTheDesignFollows) {
    TSewerMainForm form(nullptr);
    form.IPopTypedEdit->SetText("60");
    form.FPopTypedEdit->SetText("110");
    form.CalcSewerButtonClick(nullptr);
    ExpectTexts({{"initial flow", form.QinitialEdit, "     1.500"},
                 {"final flow", form.QfinalEdit, "     1.500"},
                 {"self-cleansing 1 in N", form.GradVscEdit, "1 in 130 "},
                 {"tractive-tension 1 in N", form.GradTauEdit, "1 in 213 "},
                 {"self-cleansing diameter", form.DVscEdit, "     100"},
                 {"tractive-tension diameter", form.DTauEdit, "     100"}});
    EXPECT_EQ(form.PipeComboBox->GetText(), "100");

    form.DiameterLimitCheckBox->SetChecked(false);
    EXPECT_FALSE(form.MinDTypedEdit->GetEnabledEx());
    form.CalcSewerButtonClick(nullptr);
    ExpectTexts({{"self-cleansing diameter", form.DVscEdit, "      67"},
                 {"tractive-tension diameter", form.DTauEdit, "      73"}});
    EXPECT_EQ(form.PipeComboBox->GetText(), "75");

    form.FlowLimitCheckBox->SetChecked(false);
    EXPECT_FALSE(form.MinQTypedEdit->GetEnabledEx());
    form.CalcSewerButtonClick(nullptr);
    EXPECT_EQ(form.QinitialEdit->GetText(), "     0.106");
    EXPECT_FALSE(form.MinGradLabel->GetVisible());

    form.GroundSlopeCheckBox->SetChecked(false);
    EXPECT_FALSE(form.GroundSlopeTypedEdit->GetEnabledEx());
    for (TCheckBox* box : {form.FlowLimitCheckBox, form.DiameterLimitCheckBox, form.GroundSlopeCheckBox})
        box->SetChecked(true);
    for (TTypedEdit* edit : {form.MinQTypedEdit, form.MinDTypedEdit, form.GroundSlopeTypedEdit})
        EXPECT_TRUE(edit->GetEnabledEx());
}

// The user's 300 mm pipe checked against the defaults' gradients: the first millimetre of
// depth whose Manning capacity reaches the flow, V = Q / A(d).
TEST(SewerMainForm, APickedPipeIsCheckedAgainstTheLastGradients) {
    TSewerMainForm form(nullptr);
    form.CalcSewerButtonClick(nullptr);
    form.PipeComboBox->ViewPicked(form.PipeComboBox->Items.IndexOf("300"));
    ExpectTexts({
        {"initial d/D by tau", form.InitialdDTauEdit, "   0.343"},
        {"final d/D by tau", form.FinaldDTauEdit, "   0.480"},
        {"initial velocity by tau", form.InitialVelTauEdit, "   0.495"},
        {"final velocity by tau", form.FinalVelTauEdit, "   0.581"},
        {"initial d/D by vsc", form.InitialdDVscEdit, "   0.337"},
        {"final d/D by vsc", form.FinaldDVscEdit, "   0.467"},
        {"initial velocity by vsc", form.InitialVelVscEdit, "   0.508"},
        {"final velocity by vsc", form.FinalVelVscEdit, "   0.602"},
        {"gradients stay", form.IminTauEdit, "  0.0019"},
        {"diameters stay", form.DTauEdit, "     227"},
    });
    EXPECT_DOUBLE_EQ(form.Design.ChosenPipeDiameter, 0.3);
    EXPECT_NEAR(form.Design.InitialdD, 0.343, 1e-12);
}

TEST(SewerMainForm, APipePickedBeforeAnyDesignShowsNoFlow) {
    Responder().Clear();
    TSewerMainForm form(nullptr);
    form.PipeComboBox->ViewPicked(5);
    EXPECT_EQ(form.InitialdDTauEdit->GetText(), "   0.000");
    EXPECT_EQ(form.FinalVelVscEdit->GetText(), "   0.000");
    EXPECT_TRUE(Responder().Asked.empty());
}

TEST(SewerMainForm, ABoxThatHoldsNoNumberStopsTheRunAndKeepsTheResults) {
    TSewerMainForm form(nullptr);
    form.CalcSewerButtonClick(nullptr);
    form.peakTypedEdit->SetWindowText("");
    EXPECT_THROW(form.CalcSewerButtonClick(nullptr), EConvertError);
    EXPECT_EQ(form.QinitialEdit->GetText(), "    10.625");
    EXPECT_EQ(form.PipeComboBox->GetText(), "250");
}

// A pipe-size file beside the program replaces the built-in list; the third size is chosen.
TEST(SewerMainForm, PipeSizesFromTheFileBesideTheProgram) {
    const std::string path = Application->ExeDir().str() + "drenvala.dat";
    {
        std::ofstream file(path, std::ios::binary);
        file << "#DRENVALA_DAT\n  pipe_sizes \n3\n150, 225 ,300\n";
    }
    struct Remove {
        const std::string& path;
        ~Remove() { std::remove(path.c_str()); }
    } remove{path};
    TSewerMainForm form(nullptr);
    EXPECT_EQ(Items(form.PipeComboBox->Items), (std::vector<std::string>{"150", "225", "300"}));
    EXPECT_EQ(form.PipeComboBox->GetText(), "300");
    form.CalcSewerButtonClick(nullptr);
    EXPECT_EQ(form.PipeComboBox->GetText(), "300");
    EXPECT_DOUBLE_EQ(form.Design.ChosenPipeDiameter, 0.3);
}

TEST(SewerMainForm, SectionPropertiesButtonShowsTheCalculatorModally) {
    TSewerMainForm form(nullptr);
    TSectionPropsForm sectionProps(nullptr);
    SectionPropsForm = &sectionProps;
    Responder().Clear();
    TForm* shown = nullptr;
    Responder().ModalActions.push_back([&](TForm& modal) { shown = &modal; });
    form.SectionPropertiesButton->Click();
    EXPECT_EQ(shown, &sectionProps);
    SectionPropsForm = nullptr;
}

} // namespace
