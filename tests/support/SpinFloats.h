#pragma once

#include "framework/Exceptions.h"
#include "tests/support/AnsiStringPrinter.h"
#include "tests/support/LocaleSeparators.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

// A float spin refuses a value that is no number, or an infinity it has no limit for, with the
// conversion error, and keeps its text; within limits an infinity is brought to the nearest one.
// Spin is a spin edit; floatType its float spin type.
template <class Spin, auto floatType> void ExpectFloatSpinsRefuseNonNumbers() {
    const LocaleSeparators separators('.', ',');
    constexpr double infinity = std::numeric_limits<double>::infinity();
    const struct {
        double value;
        bool limited;
        // "" when refused.
        const char* shown;
    } rows[] = {
        // "NAN" and "INF" were written, and read back as the minimum.
        {std::nan(""), false, ""}, {infinity, false, ""},      {-infinity, false, ""},
        {std::nan(""), true, ""},  {infinity, true, "100.00"}, {-infinity, true, "-100.00"},
        {1e300, true, "100.00"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::to_string(row.value) + (row.limited ? " limited" : " unlimited"));
        Spin spin(nullptr);
        spin.SetSpinType(floatType);
        spin.SetPrecision(2);
        spin.MinFloatValue = row.limited ? -100 : 0;
        spin.MaxFloatValue = row.limited ? 100 : 0;
        spin.SetFloatValue(12.5);
        if (*row.shown) {
            spin.SetFloatValue(row.value);
            EXPECT_EQ(spin.GetWindowText(), row.shown);
        } else {
            EXPECT_THROW(spin.SetFloatValue(row.value), EConvertError);
            EXPECT_EQ(spin.GetWindowText(), "12.50");
            EXPECT_DOUBLE_EQ(spin.GetFloatValue(), 12.5);
        }
    }
}
