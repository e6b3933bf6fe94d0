#include "controls/Typededit.h"
#include "controls/Typedmaskedit.h"
#include "controls/Typedspin.h"
#include "framework/Clipboard.h"
#include "tests/controls/TypedEditSupport.h"

#include <functional>

namespace {

struct SpinForm : TForm {
    SpinForm() : TForm(nullptr) {
        Spin->SetParent(this);
        EndLayout();
    }
    TTypedSpinEdit* Spin = new TTypedSpinEdit(this);
};

void Undo(TCustomEdit& edit) {
    QTest::keyClick(edit.View(), Qt::Key_Z, Qt::ControlModifier);
    QApplication::processEvents();
}

// Mended: text the program wrote kept the undo text from before it, and a change the box made for
// a key or a paste brought back, with Ctrl+Z, the text from before the last key typed; another
// record's value could come back into a box that had since been filled from code.
TEST(TypedEditUndo, CtrlZGivesBackOnlyTheTextJustBeforeTheLastKeyOrPaste) {
    const BoxSetup signedNumber{etNumeric, 0, "", "", true};
    const struct {
        const char* label;
        BoxSetup setup;
        std::function<void(TypedEditForm&)> act;
        const char* undone;
        const char* redone; // nullptr where a second Ctrl+Z is not checked
    } rows[] = {
        {"typed, left, then another record shown",
         {etFloat, 2},
         [](TypedEditForm& form) {
             Type(*form.Box, "12.5");
             FocusOn(*form.Other);
             form.Box->SetText("3.00");
             FocusOn(*form.Box);
         },
         "3.00",
         nullptr},
        {"reformatted on leaving",
         {etFloat, 2},
         [](TypedEditForm& form) {
             Type(*form.Box, "3");
             FocusOn(*form.Other);
             FocusOn(*form.Box);
         },
         "3.00",
         nullptr},
        {"a paste after typing",
         {},
         [](TypedEditForm& form) {
             Type(*form.Box, "ab");
             Clipboard().SetAsText("XY");
             Press(*form.Box, Qt::Key_V, Qt::ControlModifier);
         },
         "ab",
         "abXY"},
        {"the sign toggled", signedNumber,
         [](TypedEditForm& form) {
             Type(*form.Box, "12");
             Type(*form.Box, "-");
         },
         "12", "-12"},
        {"decimals changed from code",
         {etFloat, 2},
         [](TypedEditForm& form) {
             Type(*form.Box, "1.25");
             form.Box->SetPrecision(0);
         },
         "1",
         nullptr},
        {"a money box regrouping a digit",
         {etMoney},
         [](TypedEditForm& form) { Type(*form.Box, "1234"); },
         "123",
         "1,234"},
        {"a money box regrouping after Delete",
         {etMoney},
         [](TypedEditForm& form) {
             Type(*form.Box, "1234");
             form.Box->SetSelStart(3);
             Press(*form.Box, Qt::Key_Delete);
         },
         "1,234",
         "124"},
        {"the 0 before a first separator",
         {etFloat, 2},
         [](TypedEditForm& form) { Type(*form.Box, "."); },
         "",
         "0."},
        {"capitals rewritten",
         {etMixedCase},
         [](TypedEditForm& form) { Type(*form.Box, "jo s"); },
         "Jo ",
         "Jo S"},
        {"Escape",
         {etFloat, 2},
         [](TypedEditForm& form) {
             FocusOn(*form.Other);
             form.Box->SetText("1.50");
             FocusOn(*form.Box);
             Type(*form.Box, "7");
             Press(*form.Box, Qt::Key_Escape);
         },
         "7",
         "1.50"},
        {"the same text written from code",
         {},
         [](TypedEditForm& form) {
             Type(*form.Box, "ab");
             form.Box->SetText("ab");
         },
         "ab",
         nullptr},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        auto form = ShownTypedEditForm();
        Apply(*form->Box, row.setup);
        form->Box->SetText("");
        FocusOn(*form->Box);
        row.act(*form);
        Undo(*form->Box);
        EXPECT_EQ(form->Box->GetWindowText().str(), row.undone);
        if (row.redone) {
            Undo(*form->Box);
            EXPECT_EQ(form->Box->GetWindowText().str(), row.redone);
        }
    }
}

// Mended: Escape after the program wrote the focused box brought back the text from before that
// write, as if the user had changed it.
TEST(TypedEditUndo, EscapeGivesBackTheTextAsTheUsersEditBegan) {
    const struct {
        const char* label;
        std::function<void(TTypedEdit&)> act;
        const char* escaped;
    } rows[] = {
        {"written from code", [](TTypedEdit& box) { box.SetText("2.00"); }, "2.00"},
        {"written from code, then typed",
         [](TTypedEdit& box) {
             box.SetText("2.00");
             Type(box, "7");
         },
         "2.00"},
        {"set as a number from code", [](TTypedEdit& box) { box.SetFloat(3); }, "3.00"},
        {"typed only", [](TTypedEdit& box) { Type(box, "7"); }, "1.50"},
        {"pasted only",
         [](TTypedEdit& box) {
             Clipboard().SetAsText("4");
             Press(box, Qt::Key_V, Qt::ControlModifier);
         },
         "1.50"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        auto form = ShownTypedEditForm();
        TTypedEdit& box = *form->Box;
        Apply(box, {etFloat, 2});
        box.SetText("1.50");
        FocusOn(box);
        row.act(box);
        Press(box, Qt::Key_Escape);
        EXPECT_EQ(box.GetText(), row.escaped);
        EXPECT_FALSE(box.GetModified());
    }
}

// Mended: the spins' setters left the text from before them to undo: "" after SetValue (which
// then read 0), "0" after SetHexValue.
TEST(TypedEditUndo, ASpinLeavesNothingToUndoAfterItsSetters) {
    const struct {
        const char* label;
        std::function<void(TTypedSpinEdit&)> set;
        const char* shown;
    } rows[] = {
        {"value", [](TTypedSpinEdit& spin) { spin.SetValue(42); }, "42"},
        {"float value",
         [](TTypedSpinEdit& spin) {
             spin.SetPrecision(2);
             spin.SetSpinType(sptFloat);
             spin.SetFloatValue(2.5);
         },
         "2.50"},
        {"hex value",
         [](TTypedSpinEdit& spin) {
             spin.SetSpinType(sptHex);
             spin.SetHexValue(0x1F);
         },
         "0x1F"},
        {"hex value, typing off",
         [](TTypedSpinEdit& spin) {
             spin.EditorEnabled = false;
             spin.SetSpinType(sptHex);
             spin.SetHexValue(5);
         },
         "0x5"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        SpinForm form;
        TTypedSpinEdit* spin = form.Spin;
        form.Show();
        form.View()->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.View()));
        spin->SetFocus();
        QApplication::processEvents();
        row.set(*spin);
        Undo(*spin);
        EXPECT_EQ(spin->GetWindowText().str(), row.shown);
    }
}

} // namespace

// A key the box refuses changes nothing, also when the box writes its text again for it: Ctrl+Z
// still gives back the text from before the last change.
TEST(TypedEditUndo, ARefusedKeyKeepsTheLastChangeToUndo) {
    const LocaleSeparators separators('.', ',');
    auto form = ShownTypedEditForm();
    TTypedEdit& money = *form->Box;
    Apply(money, {etMoney});
    money.MaxLength = 5;
    money.SetText("");
    FocusOn(money);
    Type(money, "1234");
    ASSERT_EQ(money.GetWindowText(), "1,234");
    // A digit past MaxLength, the value regrouped as it stands.
    Type(money, "5");
    Undo(money);
    EXPECT_EQ(money.GetWindowText(), "123");

    TTypedMaskEdit masked(nullptr);
    masked.SetEditMask("999;1;_");
    masked.SetText("");
    masked.ViewTextTyped("1");
    masked.ViewTextTyped("2");
    // Delete on the blank place after the digits.
    bool passOn = true;
    masked.ViewKeyDown(VK_DELETE, {}, 0, 0, passOn);
    ASSERT_EQ(masked.GetWindowText(), "12_");
    masked.Undo();
    EXPECT_EQ(masked.GetWindowText(), "1__");
}
