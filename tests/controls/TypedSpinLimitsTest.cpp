#include "controls/Typedspin.h"
#include "framework/Clipboard.h"
#include "framework/DateStep.h"
#include "framework/MessageBeep.h"
#include "tests/controls/TypedEditSupport.h"
#include "tests/support/DateSettings.h"
#include "tests/support/SpinDates.h"
#include "tests/support/SpinEntries.h"
#include "tests/support/SpinFloats.h"

#include <climits>
#include <string>

namespace {

struct LimitsForm : TForm {
    LimitsForm() : TForm(nullptr) {
        Spin->SetParent(this);
        Spin->SetBounds(10, 10, 120, 21);
        EndLayout();
    }
    TTypedSpinEdit* Spin = new TTypedSpinEdit(this);
};

// Puts the text in the edit with the caret at '|' or the selection in brackets.
void Show(TTypedSpinEdit& spin, const char* marked) {
    const Marked shown = Unmark(marked);
    spin.SetWindowText(shown.text);
    spin.SetSelection(shown.start, shown.end);
}

void Step(TTypedSpinEdit& spin, int sign) {
    if (sign > 0)
        spin.UpClick(&spin);
    else
        spin.DownClick(&spin);
}

} // namespace

// A date without limits stops at the calendar's first and last days.
TEST(TypedSpinLimits, DatesStopAtTheCalendarsEnds) {
    const DateSettings dates("mm/dd/yyyy", '/');
    LimitsForm form;
    TTypedSpinEdit& spin = *form.Spin;
    spin.SetSpinType(sptDate);
    const struct {
        const char* before;
        int sign;
        const char* after;
    } rows[] = {
        {"12/31/99|99", 1, "12/31/9999"},  {"1|2/31/9999", 1, "12/31/9999"}, {"12/3|1/9999", 1, "12/31/9999"},
        {"12/15/99|99", 1, "12/15/9999"},  {"1|2/15/9999", 1, "12/15/9999"}, {"12/3|0/9999", 1, "12/31/9999"},
        {"12/31/99|99", -1, "12/31/9998"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.before);
        Show(spin, row.before);
        EXPECT_NO_THROW(Step(spin, row.sign));
        EXPECT_EQ(spin.GetWindowText(), row.after);
    }
    const TDateTime first = EncodeDate(1, 1, 1);
    for (const TDatePart part : {TDatePart::Day, TDatePart::Month, TDatePart::Year}) {
        SCOPED_TRACE(static_cast<int>(part));
        EXPECT_DOUBLE_EQ(StepDate(first, part, -1), first);
    }
    EXPECT_DOUBLE_EQ(StepDate(EncodeDate(1, 2, 1), TDatePart::Month, -1), first);
}

// The extreme increments a caller may set step without overflowing, and a limit with more
// decimals than the spin shows is written as the nearest text inside it.
TEST(TypedSpinLimits, ExtremeIncrementsAndFinerLimits) {
    const LocaleSeparators separators('.', ',');
    LimitsForm form;
    TTypedSpinEdit& spin = *form.Spin;
    spin.MinValue = spin.MaxValue = 0;
    spin.Increment = INT_MIN;
    spin.IncrementPage = INT_MIN;
    const struct {
        TTypedSpinType type;
        const char* before;
        int sign;
        WORD key;
        const char* after;
    } rows[] = {
        // 5 - (-2^31) passes the largest int and stops there.
        {sptNormal, "5|", -1, 0, "2147483647"},
        {sptNormal, "5|", 1, 0, "-2147483643"},
        {sptNormal, "5|", -1, VK_NEXT, "2147483647"},
        // 0x10 - 0x80000000 in 32 bits.
        {sptHex, "0x10|", -1, 0, "0x80000010"},
        {sptHex, "0x10|", 1, 0, "0x80000010"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.before);
        spin.SetSpinType(row.type);
        Show(spin, row.before);
        if (row.key) {
            bool passOn = true;
            spin.ViewKeyDown(row.key, {}, 0, 0, passOn);
        } else {
            Step(spin, row.sign);
        }
        EXPECT_EQ(spin.GetWindowText(), row.after);
    }

    spin.SetSpinType(sptFloat);
    spin.SetPrecision(2);
    const struct {
        double min, max, value;
        const char* shown;
    } limits[] = {
        // 0.125 would show as 0.13 (halves away from zero), above the limit; 0.121 as 0.12, below it.
        {0, 0.125, 5, "0.12"},
        {0, 0.125, 0.125, "0.12"},
        {-0.125, 0, -5, "-0.12"},
        {0.125, 1, 0, "0.13"},
        {0.121, 1, 0, "0.13"},
        {0, 1.25, 5, "1.25"},
        // No text of 2 decimals lies within 3.14159..3.1416: the least value shows itself.
        {3.14159, 3.1416, 5, "3.14159"},
        {3.14159, 3.1416, 0, "3.14159"},
        {3.1416, 3.14159, 3.1416, "3.14159"},
    };
    for (const auto& row : limits) {
        SCOPED_TRACE(row.value);
        spin.MinFloatValue = row.min;
        spin.MaxFloatValue = row.max;
        spin.SetFloatValue(row.value);
        EXPECT_EQ(spin.GetWindowText(), row.shown);
    }
}

struct LeavingSpin : TTypedSpinEdit {
    using TTypedSpinEdit::TTypedSpinEdit;
    using TTypedSpinEdit::WMKillFocus;
};

// Leaving a float spin whose limits hold no text at its precision shows the least value.
TEST(TypedSpinLimits, LeavingShowsAValueWithinLimitsFinerThanThePrecision) {
    const LocaleSeparators separators('.', ',');
    LeavingSpin spin(nullptr);
    spin.SetSpinType(sptFloat);
    spin.SetPrecision(3);
    spin.MinFloatValue = 3.14159;
    spin.MaxFloatValue = 3.1416;
    for (const char* typed : {"3", "3.142", "3.141", "3.14159"}) {
        SCOPED_TRACE(typed);
        spin.SetWindowText(typed);
        spin.WMKillFocus();
        EXPECT_EQ(spin.GetWindowText(), "3.14159");
        EXPECT_DOUBLE_EQ(spin.GetFloatValue(), 3.14159);
    }
}

TEST(TypedSpinLimits, DatesOutsideTheCalendarRaiseOrAreLimited) {
    ExpectDatesOutsideTheCalendarRaiseOrAreLimited<TTypedSpinEdit, sptDate, sptTime>();
}

TEST(TypedSpinLimits, AFloatThatIsNoNumberIsRefused) {
    ExpectFloatSpinsRefuseNonNumbers<TTypedSpinEdit, sptFloat>();
}

TEST(TypedSpinLimits, DatesReadBackInEveryShortDateFormat) {
    ExpectDatesReadBackInEveryShortDateFormat<LeavingSpin, sptDate>();
}

// The buttons and arrows step by the digit where a selection starts; the page keys step by the
// page over a selection.
TEST(TypedSpinLimits, SmartStepsOverASelection) {
    LimitsForm form;
    TTypedSpinEdit& spin = *form.Spin;
    spin.IncrementSmart = true;
    spin.MinValue = spin.MaxValue = 0;
    const struct {
        const char* before;
        WORD key;
        const char* after;
    } rows[] = {
        {"1[2]3", 0, "223"},        {"1[2]3", VK_UP, "223"},   {"1[2]3", VK_DOWN, "23"},
        {"1[2]3", VK_PRIOR, "133"}, {"1|23", VK_PRIOR, "223"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.before) + " key " + std::to_string(row.key));
        Show(spin, row.before);
        const int start = spin.GetSelStart();
        const int length = spin.GetSelLength();
        if (row.key) {
            bool passOn = true;
            spin.ViewKeyDown(row.key, {}, 0, 0, passOn);
        } else {
            spin.UpClick(&spin);
        }
        EXPECT_EQ(spin.GetWindowText(), row.after);
        EXPECT_EQ(spin.GetSelStart(), start);
        EXPECT_EQ(spin.GetSelLength(), length);
    }
}

// A smart step in a mask spin steps the figure left of the caret, the mask's blanks and literals
// other than its point counting for nothing; they made "$4|2_" step by 100.
TEST(TypedSpinLimits, AMaskedSmartStepStepsTheFigureLeftOfTheCaret) {
    const LocaleSeparators separators('.', ',');
    const struct {
        const char* mask;
        TTypedSpinType type;
        const char* before;
        const char* after;
    } rows[] = {
        {"$999;1;_", sptNormal, "$4|2_", "$52_"},
        {"$999;1;_", sptNormal, "$42|_", "$43_"},
        {"99,999.99;1;_", sptFloat, "01|,234.50", "02,234.50"},
        {"99,999.99;1;_", sptFloat, "01,|234.50", "02,234.50"},
        {"99,999.99;1;_", sptFloat, "01,23|4.50", "01,244.50"},
        {"99,999.99;1;_", sptFloat, "01,234.|50", "01,235.50"},
        {"99,999.99;1;_", sptFloat, "01,234.50|", "01,234.51"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.mask) + " " + row.before);
        Typedspin::TTypedMaskSpinEdit spin(nullptr);
        spin.IncrementSmart = true;
        spin.MinValue = spin.MaxValue = 0;
        spin.MinFloatValue = spin.MaxFloatValue = 0;
        spin.SetEditMask(row.mask);
        spin.SetSpinType(row.type);
        spin.SetPrecision(2);
        Show(spin, row.before);
        spin.UpClick(&spin);
        EXPECT_EQ(spin.GetWindowText(), row.after);
    }
}

// Mended: selecting all and copying were refused, with a beep, while the selection started in
// "0x"; the cut and paste these keys run keep the prefix themselves.
TEST(TypedSpinLimits, AHexSpinTakesItsEditingKeysWhereverItsSelectionStarts) {
    LimitsForm form;
    TTypedSpinEdit& spin = *form.Spin;
    spin.SetSpinType(sptHex);
    const struct {
        const char* before;
        char key;
        const char* after;
        const char* clipboard;
    } rows[] = {
        {"0|x1F", 0x01, "[0x1F]", ""},
        {"[0x1]F", 0x03, "[0x1]F", "0x1"},
        {"[0x1]F", 0x18, "[0x1]F", ""},
        {"0x[1]F", 0x18, "0x|F", "1"},
        // Mended: Backspace over digits just after "0x" was refused as if it took the "x".
        {"0x[1]F", '\b', "0x|F", ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.before) + " + " + std::to_string(row.key));
        Show(spin, row.before);
        Clipboard().SetAsText("");
        const int beeps = MessageBeeps();
        char key = row.key;
        bool passOn = true;
        spin.ViewKeyDown(0, {}, 0, key, passOn);
        const Marked after = Unmark(row.after);
        EXPECT_EQ(spin.GetWindowText(), after.text);
        EXPECT_EQ(spin.GetSelStart(), after.start);
        EXPECT_EQ(spin.GetSelLength(), after.end - after.start);
        EXPECT_EQ(Clipboard().GetAsText(), row.clipboard);
        EXPECT_EQ(MessageBeeps(), beeps);
    }
}

// A paste or cut in a hex spin keeps its "0x" and takes only hex digits.
TEST(TypedSpinLimits, AHexSpinKeepsItsPrefix) {
    LimitsForm form;
    TTypedSpinEdit& spin = *form.Spin;
    spin.SetSpinType(sptHex);
    const struct {
        const char* before;
        const char* clipboard;
        bool cut;
        const char* after;
        int beeps;
    } rows[] = {
        {"[0x1]F", "2", false, "0x1F", 1},   {"0[x1F]", "", true, "0x1F", 0},
        {"[0x]1F", "", true, "0x1F", 0},     {"0x[1]F", "A", false, "0xAF", 0},
        {"0x[1]F", "0x2", false, "0x1F", 1}, {"0x1F|", "ab", false, "0x1Fab", 0},
        {"0x[1]F", "", true, "0xF", 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.before);
        Show(spin, row.before);
        Clipboard().SetAsText(row.clipboard);
        const int beeps = MessageBeeps();
        if (row.cut)
            spin.CutToClipboard();
        else
            spin.PasteFromClipboard();
        EXPECT_EQ(spin.GetWindowText(), row.after);
        EXPECT_EQ(MessageBeeps(), beeps + row.beeps);
    }
}

TEST(TypedSpinLimits, TypedOrPastedASpinTakesOnlyWhatItsValueHolds) {
    ExpectSpinsTakeOnlyWhatTheirValueHolds<Typedspin::TTypedMaskSpinEdit, sptNormal, sptFloat, sptDate,
                                           sptTime>();
}
