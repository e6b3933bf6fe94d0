#include "network/Sectionpropsform.h"
#include "tests/support/LocaleSeparators.h"

#include "framework/Application.h"
#include "framework/NumberFormat.h"
#include "network/Calculators.h"
#include "network/Mingradientform.h"
#include "tests/support/ScriptedResponder.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include <string>
#include <tuple>
#include <utility>

namespace {

// The eleven outputs, each "%8.3f", joined by '|': A, P, R, A/Af, R/Rfull, θ (°), T, V, V/Vfull, Q, Q/Qfull.
std::string Outputs(const TSectionPropsForm& form) {
    std::string joined;
    for (const TEdit* edit : {form.AEdit, form.PEdit, form.REdit, form.PAEdit, form.PREdit, form.ThetaEdit,
                              form.BEdit, form.velEdit, form.PvelEdit, form.flowEdit, form.PflowEdit})
        joined += edit->GetText().str() + "|";
    return joined;
}

// Half full 0.5 m pipe, n 0.013, S 0.001: A = π 0.25² / 2 = 0.0982 m², P = π 0.5 / 2 = 0.785 m,
// R = 0.125 m; V = 0.125^(2/3) √0.001 / 0.013 = 0.608 m/s; Q = 0.060 m³/s. Against the full
// pipe (R D/4 = 0.125 m, Q 0.119 m³/s) the ratios are 1.000, 1.000 and 0.500.
const char* const HalfFull = "   0.098|   0.785|   0.125|   0.500|   1.000| 180.000|"
                             "   0.500|   0.608|   1.000|   0.060|   0.500|";

// Under a comma-decimal locale too the window reads and shows a decimal point.
TEST(SectionPropsForm, CalculationAndClose) {
    TSectionPropsForm form(nullptr);
    {
        const LocaleSeparators comma(',', '.');
        form.CalcButton->Click();
    }
    EXPECT_EQ(Outputs(form), HalfFull);
    EXPECT_EQ(form.DiamEdit->GetText(), "0.5");
    EXPECT_EQ(form.DepthEdit->GetText(), "0.25");

    // A depth beyond the diameter is computed full (A 0.196 m², P 1.571 m, Q 0.119 m³/s), while the
    // box keeps what was typed.
    form.DepthEdit->SetText("0.6 m");
    form.CalcButton->Click();
    EXPECT_EQ(Outputs(form), "   0.196|   1.571|   0.125|   1.000|   1.000| 360.000|"
                             "   0.000|   0.608|   1.000|   0.119|   1.000|");
    EXPECT_EQ(form.DepthEdit->GetText(), "0.6 m");

    Responder().Clear();
    Responder().ModalActions.push_back(
        [](TForm& modal) { static_cast<TSectionPropsForm&>(modal).CloseButton->Click(); });
    EXPECT_EQ(form.ShowModal(), mrCancel);
    EXPECT_FALSE(form.GetVisible());
}

// A result too large for a number (an area beyond 1e308 m² from a diameter of 1.4e154 m and more)
// is no result: the window says so through the framework, and the outputs stay. A shallow depth in
// such a pipe gives 0 × infinity, no number at all.
TEST(SectionPropsForm, ResultsBeyondTheRangeOfNumbersKeepThePreviousOnes) {
    const std::tuple<const char*, const char*, const char*> rows[] = {
        {"2e154", "1e154", "Floating point overflow"},
        {"1e300", "1e300", "Floating point overflow"},
        {"1e308", "0.25", "Invalid floating point operation"}};
    TSectionPropsForm form(nullptr);
    form.CalcButton->Click();
    for (const auto& [diameter, depth, told] : rows) {
        SCOPED_TRACE(diameter);
        form.DiamEdit->SetText(diameter);
        form.DepthEdit->SetText(depth);
        Responder().Clear();
        CallGuarded([&] { form.CalcButton->Click(); });
        ASSERT_EQ(Responder().Asked.size(), 1u);
        EXPECT_EQ(Responder().Asked[0].Text.str(), told);
        EXPECT_EQ(Outputs(form), HalfFull);
    }
}

// The boxes are read leniently: the longest decimal number at the start, else 0.
TEST(SectionPropsForm, LenientNumber) {
    const std::pair<const char*, double> rows[] = {
        {"0.5", 0.5}, {"  12.5abc", 12.5}, {"abc", 0},   {"", 0},     {"-3", -3},
        {"+.5", 0.5}, {"1e3", 1000},       {"1e", 1},    {"3,14", 3}, {",5", 0},
        {"inf", 0},   {"nan", 0},          {"1e999", 0}, {"-", 0},    {"\t7\n", 7},
        {".", 0},     {"0x10", 0},
    };
    for (const auto& [text, value] : rows)
        EXPECT_DOUBLE_EQ(LenientNumber(text), value) << text;
}

// Both calculators open over the window they are run from, not at the screen's corner.
TEST(CalculatorWindows, OpenCentredOnTheirOwner) {
    TForm owner(nullptr);
    owner.SetBounds(100, 80, 600, 500);
    owner.Show();
    const QPoint ownerCentre = owner.View()->geometry().center();
    TSectionPropsForm sectionProps(&owner);
    TMinimumGradientForm minimumGradient(&owner);
    for (TForm* calculator : {static_cast<TForm*>(&sectionProps), static_cast<TForm*>(&minimumGradient)}) {
        SCOPED_TRACE(calculator->GetCaption().str());
        calculator->Show();
        const QPoint centre = calculator->View()->geometry().center();
        EXPECT_LE(std::abs(centre.x() - ownerCentre.x()), 1);
        EXPECT_LE(std::abs(centre.y() - ownerCentre.y()), 1);
    }
}

} // namespace
