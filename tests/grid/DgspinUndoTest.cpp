#include "grid/Dgspin.h"
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

} // namespace
