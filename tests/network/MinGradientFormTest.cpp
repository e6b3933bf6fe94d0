#include "network/Mingradientform.h"

#include "framework/Dialogs.h"
#include "tests/support/ScriptedResponder.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

namespace {

// Shown offscreen and active, as the user finds it.
std::unique_ptr<TMinimumGradientForm> ShownForm() {
    auto form = std::make_unique<TMinimumGradientForm>(nullptr);
    MinimumGradientForm = form.get();
    form->Show();
    form->View()->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(form->View()));
    form->CloseButton->SetFocus();
    QApplication::processEvents();
    return form;
}

void Focus(TWinControl& control) {
    control.SetFocus();
    QApplication::processEvents();
}

// Replaces the box's text as a user would, then leaves it.
void TypeInto(TMinimumGradientForm& form, TTypedEdit& box, const char* keys) {
    Focus(box);
    box.SelectAll();
    QTest::keyClick(box.View(), Qt::Key_Delete);
    QTest::keyClicks(box.View(), keys);
    Focus(*form.CloseButton);
}

TTypedEdit* Box(TMinimumGradientForm& form, int index) {
    TTypedEdit* const boxes[] = {form.popTypedEdit,  form.lcdTypedEdit,     form.returnTypedEdit,
                                 form.peakTypedEdit, form.dDTypedEdit,      form.tauTypedEdit,
                                 form.nTypedEdit,    form.DiameterTypedEdit};
    return boxes[index];
}

TEST(MinimumGradientForm, LayoutAndDefaults) {
    TMinimumGradientForm form(nullptr);
    EXPECT_EQ(form.GetCaption(), "Number of houses for minimum gradient");
    ASSERT_EQ(form.Memo1->Lines.Count(), 1);
    EXPECT_EQ(form.Memo1->Lines[0], "The number of houses that can be connected to a sewer of given diameter "
                                    "laid at minimum gradient can be calculated");
    EXPECT_EQ(form.Label3->GetCaption(), "Maximum number of houses that can be connected :");
    EXPECT_EQ(form.Label15->GetCaption(), "Peak flow factor");
    EXPECT_EQ(form.CalcButton->GetCaption(), "C&alculate");
    EXPECT_EQ(form.numTypedEdit->GetText(), "100");
    EXPECT_TRUE(form.numTypedEdit->GetReadOnly());
    // House flow 5 × 100 × 1.8 × 0.85 / 86400 = 0.008854 l/s; at d/D 0.6 in 100 mm R = 27.8 mm,
    // S = 1 / (9810 R) = 0.003671, capacity 2.103 l/s: 237 houses.
    form.CalculateHouses();
    EXPECT_EQ(form.numTypedEdit->GetText(), "237");
    form.numTypedEdit->SetText("5");
    form.CalcButton->Click();
    EXPECT_EQ(form.numTypedEdit->GetText(), "237");
}

// Leaving each box after typing recalculates. Counts from the hand formula
// houses = 1000 a D² (r D)^(2/3) √(τ / (9810 r D)) / n ÷ (pop × lcd × peak × ret / 86400).
TEST(MinimumGradientForm, LeavingABoxRecalculates) {
    const struct {
        const char* label;
        int box;
        const char* typed;
        const char* shown;
        const char* houses;
    } rows[] = {
        {"population per house", 0, "10", "10", "118"},
        {"water use", 1, "150", "150", "158"},
        {"return factor", 2, "100", "100", "201"},
        {"peak factor", 3, "2.5", "2.50", "170"},
        {"d/D", 4, "0.5", "0.50", "186"},
        {"tractive tension", 5, "2", "2.00", "335"},
        {"n", 6, "0.011", "0.0110", "280"},
        {"diameter", 7, "150", "150", "571"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        auto form = ShownForm();
        Responder().Clear();
        TTypedEdit& box = *Box(*form, row.box);
        TypeInto(*form, box, row.typed);
        EXPECT_EQ(box.GetText(), row.shown);
        EXPECT_EQ(form->numTypedEdit->GetText(), row.houses);
        EXPECT_TRUE(Responder().Asked.empty());
    }
}

// Each bad input gives the message once, as the focus leaves the box, and the count stays.
TEST(MinimumGradientForm, BadInputGivesTheMessageOnceAndKeepsTheCount) {
    const struct {
        const char* label;
        int box;
        const char* typed;
    } rows[] = {
        {"no persons per house", 0, "0"},
        {"empty water use", 1, ""},
        {"no return", 2, "0"},
        {"d/D of 0", 4, "0"},
        {"n of 0", 6, "0"},
        {"diameter of 0", 7, "0"},
        {"a count beyond the integer range", 7, "99999999"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        auto form = ShownForm();
        form->numTypedEdit->SetText("12");
        Responder().Clear();
        TypeInto(*form, *Box(*form, row.box), row.typed);
        ASSERT_EQ(Responder().Asked.size(), 1u);
        EXPECT_EQ(Responder().Asked[0].Text, "An error occured in the calculation. Check the input data.");
        EXPECT_EQ(Responder().Asked[0].Caption, "Error");
        EXPECT_EQ(Responder().Asked[0].Flags, MB_OK | MB_ICONERROR);
        EXPECT_EQ(form->numTypedEdit->GetText(), "12");
    }
}

TEST(MinimumGradientForm, CloseEndsTheModalWindow) {
    TMinimumGradientForm form(nullptr);
    Responder().Clear();
    Responder().ModalActions.push_back(
        [](TForm& modal) { static_cast<TMinimumGradientForm&>(modal).CloseButton->Click(); });
    EXPECT_EQ(form.ShowModal(), mrCancel);
    EXPECT_FALSE(form.GetVisible());
}

} // namespace
