#include "network/Sectionpropsform.h"

#include "framework/NumberFormat.h"
#include "tests/support/ScriptedResponder.h"

#include <gtest/gtest.h>

namespace {

struct Expected {
    const char* A;
    const char* P;
    const char* R;
    const char* PA;
    const char* PR;
    const char* Theta;
    const char* B;
    const char* vel;
    const char* Pvel;
    const char* flow;
    const char* Pflow;
};

void ExpectOutputs(const TSectionPropsForm& form, const Expected& expected) {
    EXPECT_EQ(form.AEdit->GetText(), expected.A);
    EXPECT_EQ(form.PEdit->GetText(), expected.P);
    EXPECT_EQ(form.REdit->GetText(), expected.R);
    EXPECT_EQ(form.PAEdit->GetText(), expected.PA);
    EXPECT_EQ(form.PREdit->GetText(), expected.PR);
    EXPECT_EQ(form.ThetaEdit->GetText(), expected.Theta);
    EXPECT_EQ(form.BEdit->GetText(), expected.B);
    EXPECT_EQ(form.velEdit->GetText(), expected.vel);
    EXPECT_EQ(form.PvelEdit->GetText(), expected.Pvel);
    EXPECT_EQ(form.flowEdit->GetText(), expected.flow);
    EXPECT_EQ(form.PflowEdit->GetText(), expected.Pflow);
}

// Half full 0.5 m pipe, n 0.013, S 0.001: A = π 0.25² / 2 = 0.0982 m², P = π 0.5 / 2 = 0.785 m,
// R = 0.125 m; V = 0.125^(2/3) √0.001 / 0.013 = 0.608 m/s; Q = 0.060 m³/s. Against the full
// pipe (R D/4 = 0.125 m, Q 0.119 m³/s) the ratios are 1.000, 1.000 and 0.500.
const Expected HalfFull{"   0.098", "   0.785", "   0.125", "   0.500", "   1.000", " 180.000",
                        "   0.500", "   0.608", "   1.000", "   0.060", "   0.500"};

TEST(SectionPropsForm, LayoutAndDefaults) {
    TSectionPropsForm form(nullptr);
    EXPECT_EQ(form.GetCaption(), "Section Properties");
    EXPECT_EQ(form.Label3->GetCaption(), "Area of flow (m²)");
    EXPECT_EQ(form.Label15->GetCaption(), "Slope");
    EXPECT_EQ(form.CalcButton->GetCaption(), "Calculate flow section properties");
    EXPECT_EQ(form.CloseButton->GetCaption(), "&Close");
    EXPECT_EQ(form.AEdit->GetText(), "");
    EXPECT_TRUE(form.AEdit->GetReadOnly());
    form.CalcButton->Click();
    ExpectOutputs(form, HalfFull);
    EXPECT_EQ(form.DiamEdit->GetText(), "0.5");
    EXPECT_EQ(form.DepthEdit->GetText(), "0.25");
}

TEST(SectionPropsForm, InputsReadLeniently) {
    // Full 0.5 m pipe: A 0.196 m², P 1.571 m, R 0.125 m, V 0.608 m/s, Q 0.119 m³/s.
    const Expected full{"   0.196", "   1.571", "   0.125", "   1.000", "   1.000", " 360.000",
                        "   0.000", "   0.608", "   1.000", "   0.119", "   1.000"};
    const struct {
        const char* label;
        const char* diameter;
        const char* depth;
        const char* n;
        Expected expected;
    } rows[] = {
        {"depth beyond the diameter is full", "0.5", "0.6", "0.013", full},
        {"trailing text is ignored", "0.5m", " 0.25 m", "0.013", HalfFull},
        {"n of 0",
         "0.5",
         "0.25",
         "0",
         {"   0.098", "   0.785", "   0.125", "   0.500", "   1.000", " 180.000", "   0.500", " 999.999",
          "   1.000", " 999.999", "   0.500"}},
        {"no number is 0: no depth",
         "0.5",
         "deep",
         "0.013",
         {"   0.000", "   0.000", "   0.000", "   0.000", "   0.000", "   0.000", "   0.000", "   0.000",
          "   0.000", "   0.000", "   0.000"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        TSectionPropsForm form(nullptr);
        form.DiamEdit->SetText(row.diameter);
        form.DepthEdit->SetText(row.depth);
        form.ManningEdit->SetText(row.n);
        form.CalcButton->Click();
        ExpectOutputs(form, row.expected);
        EXPECT_EQ(form.DepthEdit->GetText(), row.depth);
    }
}

TEST(SectionPropsForm, ADecimalPointWhateverTheLocale) {
    const char savedDecimal = DecimalSeparator;
    const char savedThousand = ThousandSeparator;
    DecimalSeparator = ',';
    ThousandSeparator = '.';
    TSectionPropsForm form(nullptr);
    form.CalcButton->Click();
    DecimalSeparator = savedDecimal;
    ThousandSeparator = savedThousand;
    ExpectOutputs(form, HalfFull);
}

TEST(SectionPropsForm, CloseEndsTheModalWindow) {
    TSectionPropsForm form(nullptr);
    Responder().Clear();
    Responder().ModalActions.push_back([](TForm& modal) {
        auto& shown = static_cast<TSectionPropsForm&>(modal);
        shown.CalcButton->Click();
        shown.CloseButton->Click();
    });
    EXPECT_EQ(form.ShowModal(), mrCancel);
    EXPECT_EQ(form.PflowEdit->GetText(), "   0.500");
    EXPECT_FALSE(form.GetVisible());
}

} // namespace
