#include "grid/Dgspin.h"
#include "framework/Clipboard.h"
#include "framework/MessageBeep.h"
#include "framework/NumberFormat.h"
#include "tests/support/AnsiStringPrinter.h"
#include "tests/support/DateSettings.h"
#include "tests/support/LocaleSeparators.h"
#include "tests/support/MaskSpinNumbers.h"
#include "tests/support/SpinDates.h"
#include "tests/support/SpinEntries.h"
#include "tests/support/SpinFloats.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

struct SpinStep {
    const char* label;
    TDgSpinType type;
    const char* format;
    const char* text;
    int caret;
    bool up;
    const char* expected;
};

TEST(Dgspin, DatesAndTimesStepThePartUnderTheCaret) {
    const SpinStep steps[] = {
        {"month of 31 January up: the day kept within February", TDgSpinType::sptDate, "dd/mm/yyyy",
         "31/01/2024", 4, true, "29/02/2024"},
        {"day of 31 January up", TDgSpinType::sptDate, "dd/mm/yyyy", "31/01/2024", 0, true, "01/02/2024"},
        {"first part of a month-first date is the month", TDgSpinType::sptDate, "mm/dd/yyyy", "01/31/2024", 0,
         true, "02/29/2024"},
        {"year of 29 February up: a common year has the 28th", TDgSpinType::sptDate, "dd/mm/yyyy",
         "29/02/2024", 8, true, "28/02/2025"},
        {"day of 1 March down, a leap year", TDgSpinType::sptDate, "dd/mm/yyyy", "01/03/2024", 1, false,
         "29/02/2024"},
        {"month of January down goes to December of the year before", TDgSpinType::sptDate, "dd/mm/yyyy",
         "15/01/2024", 3, false, "15/12/2023"},
        {"hour down from just after midnight wraps to the evening", TDgSpinType::sptTime, "", "00:00:30", 0,
         false, "23:00:30"},
        {"minute down", TDgSpinType::sptTime, "", "10:15:00", 4, false, "10:14:00"},
        {"second up", TDgSpinType::sptTime, "", "10:15:59", 7, true, "10:16:00"},
    };
    for (const SpinStep& step : steps) {
        SCOPED_TRACE(step.label);
        const DateSettings settings(*step.format ? step.format : "dd/mm/yyyy", '/');
        TDgSpinEdit spin(nullptr);
        spin.SetSpinType(step.type);
        spin.SetWindowText(step.text);
        spin.SetSelStart(step.caret);
        if (step.up)
            spin.UpClick(&spin);
        else
            spin.DownClick(&spin);
        EXPECT_EQ(spin.GetWindowText(), step.expected);
        // The caret stays in the part it stepped.
        EXPECT_EQ(spin.GetSelStart(), step.caret);
    }
}

TEST(Dgspin, NumbersStayWithinTheirLimitsAndBadTextNeverRaises) {
    TDgSpinEdit spin(nullptr);
    spin.SetValue(100);
    spin.UpClick(&spin);
    EXPECT_EQ(spin.GetWindowText(), "100");
    spin.SetValue(150);
    EXPECT_EQ(spin.GetWindowText(), "100");
    spin.SetValue(-5);
    EXPECT_EQ(spin.GetWindowText(), "0");

    // Equal limits take anything, up to the ends of the whole numbers and no further.
    spin.MinValue = spin.MaxValue = 0;
    spin.SetValue(123456);
    EXPECT_EQ(spin.GetWindowText(), "123456");
    spin.SetValue(INT_MAX);
    spin.UpClick(&spin);
    EXPECT_EQ(spin.GetValue(), INT_MAX);

    spin.MinValue = 7;
    spin.MaxValue = 20;
    spin.SetWindowText("abc");
    EXPECT_EQ(spin.GetValue(), 7);
    // A float that does not read gives the whole-number least value.
    spin.MinFloatValue = 2.5;
    EXPECT_DOUBLE_EQ(spin.GetFloatValue(), 7.0);
    EXPECT_DOUBLE_EQ(spin.GetTimeValue(), 0.0);
    spin.MinDateValue = 100;
    EXPECT_DOUBLE_EQ(spin.GetDateValue(), 100.0);

    // A float step of 0 changes nothing.
    spin.SetSpinType(TDgSpinType::sptFloat);
    spin.SetFloatValue(3.5);
    spin.UpClick(&spin);
    EXPECT_EQ(spin.GetWindowText(), FloatToStr(3.5));

    // A limit with more decimals than the spin shows: 0.125 would show as 0.13, past it.
    const LocaleSeparators separators('.', ',');
    spin.SetPrecision(2);
    spin.MinFloatValue = -0.125;
    spin.MaxFloatValue = 0.125;
    spin.SetFloatValue(5);
    EXPECT_EQ(spin.GetWindowText(), "0.12");
    spin.SetFloatValue(-5);
    EXPECT_EQ(spin.GetWindowText(), "-0.12");
    // No text of 2 decimals lies within 3.14159..3.1416: the least value shows itself.
    spin.MinFloatValue = 3.14159;
    spin.MaxFloatValue = 3.1416;
    for (const double value : {0.0, 3.1416, 5.0}) {
        SCOPED_TRACE(value);
        spin.SetFloatValue(value);
        EXPECT_EQ(spin.GetWindowText(), "3.14159");
    }
}

TEST(Dgspin, FloatTypingKeepsToOneSeparatorAndThePrecision) {
    TDgSpinEdit spin(nullptr);
    spin.SetSpinType(TDgSpinType::sptFloat);
    spin.SetPrecision(2);
    spin.SetFloatValue(1.25);
    const AnsiString shown = spin.GetWindowText();
    spin.SetSelStart(shown.Length());
    const int beeps = MessageBeeps();
    bool passOn = false;
    spin.ViewKeyDown(0, {}, 0, '7', passOn);
    EXPECT_EQ(spin.GetWindowText(), shown);
    EXPECT_EQ(MessageBeeps(), beeps + 1);
    // The thousand separator types a decimal separator, but only into a text without one.
    spin.ViewKeyDown(0, {}, 0, ThousandSeparator, passOn);
    EXPECT_EQ(spin.GetWindowText(), shown);
    spin.SetWindowText("12");
    spin.SetSelStart(2);
    spin.ViewKeyDown(0, {}, 0, ThousandSeparator, passOn);
    EXPECT_EQ(spin.GetWindowText(), AnsiString("12") + AnsiString(std::string(1, DecimalSeparator)));
    // Letters never go in.
    spin.ViewKeyDown(0, {}, 0, 'x', passOn);
    EXPECT_EQ(spin.GetWindowText().Length(), 3);
}

// Mended: a paste went in as it stood, so "2,5" or "4.2" read as the minimum; it is taken as the
// same keys typed, or refused whole.
TEST(Dgspin, APasteIsTakenAsTheSameKeysTyped) {
    const LocaleSeparators separators('.', ',');
    const struct {
        const char* label;
        TDgSpinType type;
        const char* pasted;
        const char* shown;
    } rows[] = {
        {"a comma into a float", TDgSpinType::sptFloat, "2,5", "2.5"},
        {"a letter into a float", TDgSpinType::sptFloat, "2x", "12.50"},
        {"more decimals than kept", TDgSpinType::sptFloat, "2.555", "12.50"},
        {"a point into a whole number", TDgSpinType::sptNormal, "4.2", "12"},
        {"a whole number", TDgSpinType::sptNormal, "42", "42"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        TDgSpinEdit spin(nullptr);
        spin.MaxValue = 100;
        spin.SetSpinType(row.type);
        spin.SetPrecision(row.type == TDgSpinType::sptFloat ? 2 : 0);
        spin.SetFloatValue(12.5);
        if (row.type == TDgSpinType::sptNormal)
            spin.SetValue(12);
        spin.SelectAll();
        Clipboard().SetAsText(row.pasted);
        spin.PasteFromClipboard();
        EXPECT_EQ(spin.GetWindowText(), row.shown);
    }
}

// The mask spin's text follows its EditMask: values are fitted into it, typing overwrites its
// places and skips its literals, Delete blanks a place, and a value is read from what the mask keeps.
TEST(Dgspin, TheMaskSpinsTextFollowsItsEditMask) {
    const DateSettings dates("dd/mm/yyyy", '/');
    TTypedMaskSpinEdit spin(nullptr);
    spin.MaxValue = 9999;
    spin.SetEditMask("9999;1;_");
    EXPECT_EQ(spin.GetEditMask(), "9999;1;_");
    spin.SetValue(12);
    EXPECT_EQ(spin.GetWindowText(), "12__");
    EXPECT_EQ(spin.GetValue(), 12);
    spin.UpClick(&spin);
    EXPECT_EQ(spin.GetWindowText(), "13__");
    bool passOn = false;
    spin.SetSelStart(2);
    spin.ViewKeyDown(0, {}, 0, '7', passOn);
    EXPECT_EQ(spin.GetWindowText(), "137_");
    EXPECT_EQ(spin.GetValue(), 137);
    spin.SetSelStart(0);
    spin.ViewKeyDown(VK_DELETE, {}, 0, 0, passOn);
    EXPECT_EQ(spin.GetWindowText(), "_37_");
    EXPECT_EQ(spin.GetValue(), 37);

    spin.SetSpinType(TDgSpinType::sptDate);
    spin.SetEditMask("99/99/0000;1;_");
    spin.SetDateValue(EncodeDate(2024, 1, 31));
    EXPECT_EQ(spin.GetWindowText(), "31/01/2024");
    spin.SetSelStart(0);
    spin.ViewKeyDown(0, {}, 0, '2', passOn);
    spin.ViewKeyDown(0, {}, 0, '9', passOn);
    spin.ViewKeyDown(0, {}, 0, '/', passOn);
    spin.ViewKeyDown(0, {}, 0, '0', passOn);
    spin.ViewKeyDown(0, {}, 0, '2', passOn);
    EXPECT_EQ(spin.GetWindowText(), "29/02/2024");
    EXPECT_DOUBLE_EQ(spin.GetDateValue(), EncodeDate(2024, 2, 29));
}

struct LeavingMaskSpin : TTypedMaskSpinEdit {
    using TTypedMaskSpinEdit::TTypedMaskSpinEdit;
    using TTypedMaskSpinEdit::WMKillFocus;
};

// Leaving a masked spin reads its value through the mask's blanks: 125 typed past a limit of 100
// comes back to 100.
TEST(Dgspin, AMaskedValueOutOfItsLimitsComesBackOnLeaving) {
    LeavingMaskSpin spin(nullptr);
    spin.MaxValue = 100;
    spin.SetEditMask("9999;1;_");
    spin.SetValue(12);
    bool passOn = false;
    spin.SetSelStart(2);
    spin.ViewKeyDown(0, {}, 0, '5', passOn);
    EXPECT_EQ(spin.GetWindowText(), "125_");
    spin.WMKillFocus();
    EXPECT_EQ(spin.GetWindowText(), "100_");
}

// The grid's mask spin holds a value with its digits on either side of the mask's literals; a
// value the mask cannot hold leaves the text as it was.
TEST(Dgspin, TheMaskSpinHoldsItsValueAroundTheMasksLiterals) {
    const LocaleSeparators separators('.', ',');
    TTypedMaskSpinEdit spin(nullptr);
    spin.SetEditMask("99.99;1;_");
    spin.SetSpinType(TDgSpinType::sptFloat);
    spin.SetPrecision(2);
    spin.IncrementFloat = 1;
    spin.SetFloatValue(3.25);
    EXPECT_EQ(spin.GetWindowText(), "03.25");
    EXPECT_DOUBLE_EQ(spin.GetFloatValue(), 3.25);
    spin.UpClick(&spin);
    EXPECT_EQ(spin.GetWindowText(), "04.25");
    // 123.5 is held to 100.00, which has no place.
    spin.SetFloatValue(123.5);
    EXPECT_EQ(spin.GetWindowText(), "04.25");

    // 999 up has no place for 1000.
    spin.SetEditMask("999;1;_");
    spin.SetSpinType(TDgSpinType::sptNormal);
    spin.MaxValue = 9999;
    spin.SetValue(999);
    spin.UpClick(&spin);
    EXPECT_EQ(spin.GetWindowText(), "999");

    // A new mask takes the value shown, as a value written.
    TTypedMaskSpinEdit plain(nullptr);
    plain.SetSpinType(TDgSpinType::sptFloat);
    plain.SetPrecision(2);
    plain.SetFloatValue(3.25);
    plain.SetEditMask("99.99;1;_");
    EXPECT_EQ(plain.GetWindowText(), "03.25");
    // One that cannot hold it shows none of it: 3.25 is never 3.2.
    plain.SetEditMask("99.9;1;_");
    EXPECT_EQ(plain.GetWindowText(), "__._");
    EXPECT_DOUBLE_EQ(plain.GetFloatValue(), 0);

    // A blank that is a figure reads as that figure: "100.00" read as 1, and 100 was kept out.
    TTypedMaskSpinEdit zeros(nullptr);
    zeros.SetEditMask("999.99;1;0");
    zeros.SetSpinType(TDgSpinType::sptFloat);
    zeros.SetPrecision(2);
    zeros.SetFloatValue(100);
    EXPECT_EQ(zeros.GetWindowText(), "100.00");
    EXPECT_DOUBLE_EQ(zeros.GetFloatValue(), 100);
    zeros.SetEditMask("99:99:99;1;0");
    zeros.SetSpinType(TDgSpinType::sptTime);
    zeros.SetTimeValue(EncodeTime(10, 0, 0, 0));
    EXPECT_DOUBLE_EQ(zeros.GetTimeValue(), EncodeTime(10, 0, 0, 0));
}

TEST(Dgspin, DatesOutsideTheCalendarRaiseOrAreLimited) {
    ExpectDatesOutsideTheCalendarRaiseOrAreLimited<TDgSpinEdit, TDgSpinType::sptDate, TDgSpinType::sptTime>();
}

TEST(Dgspin, AFloatThatIsNoNumberIsRefused) {
    ExpectFloatSpinsRefuseNonNumbers<TDgSpinEdit, TDgSpinType::sptFloat>();
}

TEST(Dgspin, DatesReadBackInEveryShortDateFormat) {
    ExpectDatesReadBackInEveryShortDateFormat<LeavingMaskSpin, TDgSpinType::sptDate>();
}

// A date or time set while the spin is loading is kept, and written once loading ends.
TEST(Dgspin, ADateOrTimeSetWhileLoadingIsWrittenWhenLoaded) {
    const DateSettings dates("dd/mm/yyyy", '/');
    const AnsiString longTime = LongTimeFormat;
    LongTimeFormat = "hh:nn:ss";
    const struct {
        TDgSpinType type;
        TDateTime value;
        const char* shown;
    } rows[] = {
        {TDgSpinType::sptDate, EncodeDate(2024, 1, 31), "31/01/2024"},
        {TDgSpinType::sptTime, EncodeTime(9, 5, 3, 0), "09:05:03"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.shown);
        TComponent owner(nullptr);
        owner.ComponentState |= csLoading;
        auto* spin = new TDgSpinEdit(&owner);
        spin->SetSpinType(row.type);
        if (row.type == TDgSpinType::sptDate)
            spin->SetDateValue(row.value);
        else
            spin->SetTimeValue(row.value);
        EXPECT_EQ(spin->GetWindowText(), "0");
        owner.EndLoading();
        EXPECT_EQ(spin->GetWindowText(), row.shown);
    }
    LongTimeFormat = longTime;
}

TEST(Dgspin, TypedOrPastedASpinTakesOnlyWhatItsValueHolds) {
    ExpectSpinsTakeOnlyWhatTheirValueHolds<TTypedMaskSpinEdit, TDgSpinType::sptNormal, TDgSpinType::sptFloat,
                                           TDgSpinType::sptDate, TDgSpinType::sptTime>();
}

TEST(Dgspin, AMaskSpinHoldsNumbersInItsPlacesWithoutItsLiterals) {
    ExpectMaskSpinsHoldNumbersInTheirPlaces<TTypedMaskSpinEdit, TDgSpinType::sptNormal,
                                            TDgSpinType::sptFloat>();
}

} // namespace
