#pragma once

#include "framework/Clipboard.h"
#include "framework/MessageBeep.h"
#include "tests/support/AnsiStringPrinter.h"
#include "tests/support/DateSettings.h"
#include "tests/support/LocaleSeparators.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

// A spin takes what its value may hold, typed or pasted alike: a sign only first in a number and
// nowhere in a date or time, a float's comma and point as its one decimal separator, in a mask as
// without one. What no value holds is refused (a paste whole) with a beep, never read as the
// least value. Spin is a spin edit; the types are its spin types.
template <class Spin, auto wholeType, auto floatType, auto dateType, auto timeType>
void ExpectSpinsTakeOnlyWhatTheirValueHolds() {
    enum Kind { Whole, Float, Date, Time };
    enum Way { Typed, Pasted };
    const struct {
        const char* label;
        Kind kind;
        const char* mask;
        // The locale's decimal separator; its thousand separator is the other of ',' and '.'.
        char decimal;
        const char* before;
        // Where the caret stands; -1 for all of the text selected.
        int caret;
        Way way;
        const char* input;
        const char* after;
        int beeps;
        // The value read after; NAN when not read.
        double reads;
    } rows[] = {
        // "1-2" over 12.5 read as the least value, 0.
        {"a sign inside a number", Float, "", '.', "12.50", -1, Typed, "1-2", "12", 1, 12},
        {"a sign inside a number", Float, "", '.', "12.50", -1, Pasted, "1-2", "12.50", 1, 12.5},
        {"a sign after a number", Whole, "", '.', "7", -1, Pasted, "5+", "7", 1, 7},
        {"a sign after a number", Whole, "", ',', "7", -1, Pasted, "12-", "7", 1, 7},
        {"a sign after a number", Float, "", ',', "12", 2, Typed, "-", "12", 1, 12},
        {"a second sign", Float, "", '.', "-12", 1, Typed, "+", "-12", 1, -12},
        {"a figure before the sign", Whole, "", '.', "-12", 0, Typed, "1", "-12", 1, -12},
        {"a sign first", Whole, "", '.', "12", 0, Typed, "-", "-12", 0, -12},
        {"a sign first", Float, "", ',', "7", -1, Pasted, "-2,5", "-2,5", 0, -2.5},
        // Mended: typed over a selection holding the point, a point was refused as a second one.
        {"a point over the point", Float, "", '.', "12.50", -1, Typed, ".5", ".5", 0, 0.5},
        {"a point over the point", Float, "", '.', "12.50", -1, Pasted, ".5", ".5", 0, 0.5},
        // Mended: typed over a selection holding both, a time's separator was refused as a third.
        {"a time separator over the separators", Time, "", '.', "10:30:00", -1, Typed, ":", ":", 0, NAN},
        {"a time separator over the separators", Time, "", '.', "10:30:00", -1, Pasted, ":", ":", 0, NAN},
        {"a sign in a date", Date, "", '.', "1", 1, Typed, "-", "1", 1, NAN},
        {"a sign in a time", Time, "", '.', "1", 1, Pasted, "+", "1", 1, NAN},
        // A masked float took a comma for a grouping literal it has not got: "25.__" read 25, and
        // a paste stopped at it, "2_.__" read 2.
        {"a comma in a masked float", Float, "99.99;1;_", '.', "12.50", -1, Typed, "2,5", "2_.5_", 0, 2.5},
        {"a comma in a masked float", Float, "99.99;1;_", '.', "12.50", -1, Pasted, "2,5", "2_.5_", 0, 2.5},
        {"a comma in a masked float", Float, "99.99;1;_", ',', "12.50", -1, Typed, "2,5", "2_.5_", 0, 2.5},
        {"a point in a masked float", Float, "99.99;1;_", ',', "12.50", -1, Pasted, "2.5", "2_.5_", 0, 2.5},
        {"a masked sign inside a number", Whole, "###;1;_", '.', "7__", -1, Typed, "1-2", "12_", 1, 12},
        {"a masked sign inside a number", Whole, "###;1;_", '.', "7__", -1, Pasted, "1-2", "7__", 1, 7},
        {"a masked sign first", Float, "#99.99;1;_", '.', "012.50", -1, Pasted, "-5.5", "-5_.5_", 0, -5.5},
        // A paste skipped the spin's rule: "ab" went into the places as no typing would.
        {"letters in a mask of any characters", Whole, "ccc;1;_", '.', "7__", -1, Typed, "ab", "7__", 2, 7},
        {"letters in a mask of any characters", Whole, "ccc;1;_", '.', "7__", -1, Pasted, "ab", "7__", 1, 7},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.label) + (row.way == Typed ? " typed " : " pasted ") + row.input +
                     " in " + row.decimal);
        const LocaleSeparators separators(row.decimal, row.decimal == '.' ? ',' : '.');
        const DateSettings dates("dd/mm/yyyy", '/');
        Spin spin(nullptr);
        spin.MinValue = spin.MaxValue = 0;
        spin.MinFloatValue = spin.MaxFloatValue = 0;
        if (*row.mask)
            spin.SetEditMask(row.mask);
        spin.SetSpinType(row.kind == Whole   ? wholeType
                         : row.kind == Float ? floatType
                         : row.kind == Date  ? dateType
                                             : timeType);
        spin.SetPrecision(row.kind == Float ? 2 : 0);
        spin.SetWindowText(row.before);
        if (row.caret < 0)
            spin.SelectAll();
        else
            spin.SetSelStart(row.caret);
        const int beeps = MessageBeeps();
        if (row.way == Typed) {
            bool passOn = true;
            for (const char* typed = row.input; *typed; ++typed)
                spin.ViewKeyDown(0, {}, 0, *typed, passOn);
        } else {
            Clipboard().SetAsText(row.input);
            spin.PasteFromClipboard();
        }
        EXPECT_EQ(spin.GetWindowText(), row.after);
        EXPECT_EQ(MessageBeeps(), beeps + row.beeps);
        if (!std::isnan(row.reads)) {
            EXPECT_DOUBLE_EQ(row.kind == Whole ? spin.GetValue() : spin.GetFloatValue(), row.reads);
        }
    }

    // A date separator that is a minus is a date's, and still a number's sign.
    const DateSettings dashed("dd-mm-yyyy", '-');
    Spin spin(nullptr);
    spin.MinValue = spin.MaxValue = 0;
    spin.SetWindowText("5");
    spin.SetSelStart(0);
    bool passOn = true;
    spin.ViewKeyDown(0, {}, 0, '-', passOn);
    EXPECT_EQ(spin.GetWindowText(), "-5");
    spin.SetSpinType(dateType);
    spin.SetWindowText("1");
    spin.SetSelStart(1);
    spin.ViewKeyDown(0, {}, 0, '-', passOn);
    EXPECT_EQ(spin.GetWindowText(), "1-");
}
