#include "controls/Typedspin.h"
#include "tests/controls/TypedEditSupport.h"
#include "tests/support/DateSettings.h"

#include <QToolButton>

#include <functional>
#include <string>

namespace {

// A spin edit for lengths as the grid's print settings window has them (2 decimals, steps of
// 0.1, 0 to 100), and a box to take the focus.
struct SpinForm : TForm {
    SpinForm() : TForm(nullptr) {
        Spin->SetParent(this);
        Spin->SetBounds(10, 10, 90, 21);
        Spin->SetSpinType(sptFloat);
        Spin->SetPrecision(2);
        Other->SetParent(this);
        Other->SetBounds(10, 40, 90, 21);
        Spin->OnChange = [this](TObject*) { ++Changes; };
        EndLayout();
    }
    TTypedSpinEdit* Spin = new TTypedSpinEdit(this);
    TTypedSpinEdit* Other = new TTypedSpinEdit(this);
    int Changes = 0;
};

struct ShownSpin : testing::Test {
    ShownSpin() {
        form->Show();
        form->View()->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(form->View()));
        spin.SetFocus();
        QApplication::processEvents();
    }
    // Puts the text in the box with the caret at '|'.
    void Show(const char* marked) {
        const Marked shown = Unmark(marked);
        spin.SetWindowText(shown.text);
        spin.SetSelStart(shown.start);
        spin.SetSelLength(0);
    }
    // The up button, then the down one.
    void Click(int button) { spin.View()->findChildren<QToolButton*>()[button]->click(); }

    LocaleSeparators separators{'.', ','};
    std::unique_ptr<SpinForm> form = std::make_unique<SpinForm>();
    TTypedSpinEdit& spin = *form->Spin;
};

// Mended: the mask spin wrote its values as they came, past its EditMask.
TEST(TypedSpinEdit, TheMaskSpinFitsItsValuesIntoItsEditMask) {
    const DateSettings dates("dd/mm/yyyy", '/');
    LocaleSeparators separators{'.', ','};
    Typedspin::TTypedMaskSpinEdit spin(nullptr);
    spin.MaxValue = 9999;
    spin.SetEditMask("9999;1;_");
    spin.SetValue(12);
    EXPECT_EQ(spin.GetWindowText(), "12__");
    EXPECT_EQ(spin.GetValue(), 12);
    spin.UpClick(&spin);
    EXPECT_EQ(spin.GetWindowText(), "13__");
    EXPECT_EQ(spin.GetValue(), 13);

    spin.SetEditMask("9.999;1;_");
    spin.SetSpinType(sptFloat);
    spin.SetPrecision(2);
    spin.SetFloatValue(3.5);
    EXPECT_EQ(spin.GetWindowText(), "3.50_");
    EXPECT_DOUBLE_EQ(spin.GetFloatValue(), 3.5);

    spin.SetEditMask("99/99/0000;1;_");
    spin.SetSpinType(sptDate);
    spin.SetDateValue(EncodeDate(2024, 1, 31));
    EXPECT_EQ(spin.GetWindowText(), "31/01/2024");
    EXPECT_DOUBLE_EQ(spin.GetDateValue(), EncodeDate(2024, 1, 31));
}

} // namespace

TEST(TypedSpinEdit, FloatValuesAreKeptInRangeAndShownWithTheirDecimals) {
    const LocaleSeparators separators('.', ',');
    SpinForm form;
    TTypedSpinEdit& spin = *form.Spin;
    const struct {
        double value;
        const char* shown;
    } rows[] = {
        {12.5, "12.50"}, {0.492, "0.49"}, {123.456, "100.00"}, {-3, "0.00"}, {0.125, "0.13"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.value);
        form.Changes = 0;
        spin.SetFloatValue(row.value);
        EXPECT_EQ(spin.GetWindowText(), row.shown);
        EXPECT_EQ(form.Changes, 1);
    }
    // Read as it stands, unlimited; a text that is no number reads as the least value.
    spin.SetWindowText("250.5");
    EXPECT_DOUBLE_EQ(spin.GetFloatValue(), 250.5);
    spin.SetWindowText("");
    EXPECT_DOUBLE_EQ(spin.GetFloatValue(), 0);
    spin.MinFloatValue = 1;
    spin.SetWindowText("abc");
    EXPECT_DOUBLE_EQ(spin.GetFloatValue(), 1);
    // A new precision writes the value again.
    spin.SetWindowText("2.5");
    spin.SetPrecision(3);
    EXPECT_EQ(spin.GetWindowText(), "2.500");
}

// A step stops at the range, or where no range is set, at the ends of the int range.
TEST(TypedSpinEdit, WholeNumbersStepWithinTheirRangeOrTheIntRange) {
    SpinForm form;
    TTypedSpinEdit& spin = *form.Other;
    const struct {
        const char* label;
        int min, max;
        const char* typed;
        int sign;
        const char* shown;
    } rows[] = {
        {"up at the most", 0, 100, "100", 1, "100"},
        {"up, no range", 0, 0, "100", 1, "101"},
        {"up from the largest, in range", 0, 100, "2147483647", 1, "100"},
        {"up from the largest, no range", 0, 0, "2147483647", 1, "2147483647"},
        {"down, no range", 0, 0, "-2147483648", -1, "-2147483648"},
        {"down, in range", -5, 5, "-2147483648", -1, "-5"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        spin.MinValue = row.min;
        spin.MaxValue = row.max;
        spin.SetWindowText(row.typed);
        if (row.sign > 0)
            spin.UpClick(&spin);
        else
            spin.DownClick(&spin);
        EXPECT_EQ(spin.GetWindowText(), row.shown);
    }
    // A text that is no number reads as the least value.
    spin.SetWindowText("x");
    EXPECT_EQ(spin.GetValue(), -5);
}

TEST_F(ShownSpin, ButtonsAndKeysStepTheValue) {
    spin.SetFloatValue(0.95);
    const struct {
        const char* label;
        std::function<void()> act;
        const char* shown;
    } rows[] = {
        {"up button", [&] { Click(0); }, "1.05"},
        {"down button", [&] { Click(1); }, "0.95"},
        {"up key", [&] { QTest::keyClick(spin.View(), Qt::Key_Up); }, "1.05"},
        {"page up", [&] { QTest::keyClick(spin.View(), Qt::Key_PageUp); }, "2.05"},
        {"down key", [&] { QTest::keyClick(spin.View(), Qt::Key_Down); }, "1.95"},
        {"page down below the least",
         [&] {
             QTest::keyClick(spin.View(), Qt::Key_PageDown);
             QTest::keyClick(spin.View(), Qt::Key_PageDown);
             QTest::keyClick(spin.View(), Qt::Key_PageDown);
         },
         "0.00"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        row.act();
        QApplication::processEvents();
        EXPECT_EQ(spin.GetWindowText(), row.shown);
    }
    spin.SetReadOnly(true);
    spin.UpClick(&spin);
    EXPECT_EQ(spin.GetWindowText(), "0.00");
}

TEST_F(ShownSpin, TypingTakesOnlyWhatAFloatOfItsDecimalsHolds) {
    const struct {
        const char* before;
        const char* typed;
        const char* after;
    } rows[] = {
        {"1.25|", "7", "1.25"},  // two decimals already stand after the caret's separator
        {"1|.25", "7", "17.25"}, // before the separator there is room
        {"12|", ".", "12."},     // a first separator
        {"1.2|", ".", "1.2"},    // a second one is refused
        {"12|", ",", "12."},     // the thousand separator stands for the decimal one
        {"12|", "a", "12"},      // letters never
        {"|12", "-", "-12"},     // signs may be typed
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.before) + " + " + row.typed);
        Show(row.before);
        QTest::keyClicks(spin.View(), row.typed);
        EXPECT_EQ(spin.GetWindowText(), row.after);
    }
}

TEST_F(ShownSpin, LeavingBringsTheValueIntoRange) {
    Show("150|");
    form->Other->SetFocus();
    QApplication::processEvents();
    EXPECT_EQ(spin.GetWindowText(), "100.00");
    // A value within the range is left as typed.
    spin.SetFocus();
    Show("7.5|");
    form->Other->SetFocus();
    QApplication::processEvents();
    EXPECT_EQ(spin.GetWindowText(), "7.5");
}

TEST_F(ShownSpin, EnterMovesOnWhenReturnIsTab) {
    spin.ReturnIsTab = true;
    QTest::keyClick(spin.View(), Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_TRUE(form->Other->Focused());
}
