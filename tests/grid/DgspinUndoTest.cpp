#include "grid/Dgspin.h"
#include "tests/grid/SpecialCell.h"
#include "tests/support/AnsiStringPrinter.h"
#include "tests/support/DateSettings.h"
#include "tests/support/SpinStepUndo.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

// Mended: the grid spin's setters left the text from before them to undo, so that Ctrl+Z showed
// "" (reading the minimum) or the value of the cell edited before.
TEST(DgspinUndo, ASetterLeavesNothingToUndoAndTypingStillUndoes) {
    const DateSettings settings("dd/mm/yyyy", '/');
    const struct {
        const char* label;
        std::function<void(TDgSpinEdit&)> set;
        const char* shown;
    } rows[] = {
        {"value", [](TDgSpinEdit& spin) { spin.SetValue(42); }, "42"},
        {"value, typing off",
         [](TDgSpinEdit& spin) {
             spin.EditorEnabled = false;
             spin.SetValue(7);
         },
         "7"},
        {"float value",
         [](TDgSpinEdit& spin) {
             spin.SetPrecision(2);
             spin.SetSpinType(TDgSpinType::sptFloat);
             spin.SetFloatValue(2.5);
         },
         "2.50"},
        {"date value",
         [](TDgSpinEdit& spin) {
             spin.SetSpinType(TDgSpinType::sptDate);
             spin.SetDateValue(EncodeDate(2024, 2, 29));
         },
         "29/02/2024"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        TDgSpinEdit spin(nullptr);
        row.set(spin);
        spin.Undo();
        EXPECT_EQ(spin.GetWindowText(), row.shown);
    }
    // A digit typed after a setter undoes to the value set.
    TDgSpinEdit spin(nullptr);
    spin.SetValue(42);
    spin.SetSelStart(2);
    spin.ViewTextTyped("1");
    EXPECT_EQ(spin.GetWindowText(), "421");
    spin.Undo();
    EXPECT_EQ(spin.GetWindowText(), "42");
}

TEST(DgspinUndo, AStepByKeyOrButtonIsOneEditToUndo) {
    ExpectUserStepsUndoOneByOne<TDgSpinEdit>(
        [](TDgSpinEdit& spin) -> TTypedSpinButton& { return *spin.Button; }, false);
}

// The grid's spin steps by its buttons and by its page keys, each one edit to undo.
TEST(DgspinUndo, TheGridSpinsStepsByButtonOrPageKeyAreEditsToUndo) {
    const struct {
        const char* label;
        WORD key;
        const char* stepped;
    } rows[] = {
        {"up button", 0, "51"}, {"Page Up", VK_PRIOR, "51"}, {"Page Down", VK_NEXT, "49"},
        {"End", VK_END, "0"},   {"Home", VK_HOME, "100"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        SpecialCell window(edSpinEdit, "50");
        window.Open();
        TGridSpin& spin = *window.Editors().Spin;
        bool passOn = true;
        if (row.key)
            spin.ViewKeyDown(row.key, {}, 0, 0, passOn);
        else
            spin.Button->UpButton()->ViewClicked();
        EXPECT_EQ(spin.GetWindowText(), row.stepped);
        spin.ViewKeyDown('Z', TShiftState{ssCtrl}, 0, 0x1A, passOn);
        EXPECT_EQ(spin.GetWindowText(), "50");
    }
}

} // namespace
