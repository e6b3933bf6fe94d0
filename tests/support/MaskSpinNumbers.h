#pragma once

#include "tests/support/AnsiStringPrinter.h"
#include "tests/support/LocaleSeparators.h"

#include <gtest/gtest.h>

#include <string>

// A mask spin reads a number typed into its mask's places without the mask's literals, steps on
// from it and writes a number set from code around them. Spin is a mask spin edit; wholeType and
// floatType its whole-number and float spin types.
template <class Spin, auto wholeType, auto floatType> void ExpectMaskSpinsHoldNumbersInTheirPlaces() {
    const LocaleSeparators separators('.', ',');
    const struct {
        const char* mask;
        bool isFloat;
        int precision;
        const char* typed;
        const char* shown;
        double reads;
        // After Up, by 1.
        const char* up;
        // After the value read is set from code.
        const char* set;
    } rows[] = {
        // "$42" read as hexadecimal gave 66, and 42 set left "$0__".
        {"$999;1;_", false, 0, "42", "$42_", 42, "$43_", "$42_"},
        {"$999;1;_", true, 0, "42", "$42_", 42, "$43_", "$42_"},
        // "42 m" read as no number gave the minimum.
        {"999 m;1;_", false, 0, "42", "42_ m", 42, "43_ m", "42_ m"},
        // The last decimal was refused as one too many, and "01,234.50" read as no number.
        {"99,999.99;1;_", true, 2, "0123450", "01,234.50", 1234.5, "01,235.50", "01,234.50"},
        // Its literals typed pass over them, ',' among them, not taken as a decimal point.
        {"99,999.99;1;_", true, 2, "12,345.6", "12,345.6_", 12345.6, "12,346.60", "12,345.60"},
        {"000-000;1;_", false, 0, "12345", "123-45_", 12345, "012-346", "012-345"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.mask) + (row.isFloat ? " float " : " whole ") + row.typed);
        Spin spin(nullptr);
        spin.MinValue = spin.MaxValue = 0;
        spin.MinFloatValue = spin.MaxFloatValue = 0;
        spin.IncrementFloat = 1;
        spin.SetEditMask(row.mask);
        spin.SetSpinType(row.isFloat ? floatType : wholeType);
        spin.SetPrecision(row.precision);
        const auto read = [&] { return row.isFloat ? spin.GetFloatValue() : spin.GetValue(); };
        spin.SelectAll();
        bool passOn = true;
        for (const char* typed = row.typed; *typed; ++typed)
            spin.ViewKeyDown(0, {}, 0, *typed, passOn);
        EXPECT_EQ(spin.GetWindowText(), row.shown);
        EXPECT_DOUBLE_EQ(read(), row.reads);
        spin.ViewKeyDown(VK_UP, {}, 0, 0, passOn);
        EXPECT_EQ(spin.GetWindowText(), row.up);
        EXPECT_DOUBLE_EQ(read(), row.reads + 1);
        if (row.isFloat)
            spin.SetFloatValue(row.reads);
        else
            spin.SetValue(static_cast<int>(row.reads));
        EXPECT_EQ(spin.GetWindowText(), row.set);
        EXPECT_DOUBLE_EQ(read(), row.reads);
    }
}
