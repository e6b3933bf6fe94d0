#include "controls/MaskNumber.h"

#include "tests/support/AnsiStringPrinter.h"
#include "tests/support/LocaleSeparators.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// A number goes into a mask's places around its literals and is read back from the places
// alone: the mask's '.' is the decimal point, every other literal is no part of the number.
TEST(MaskNumber, ANumberIsWrittenIntoAndReadFromTheMasksPlacesOnly) {
    const LocaleSeparators separators('.', ',');
    const struct {
        const char* mask;
        const char* number;
        // The edit text showing number; "" when the mask has no places for it.
        const char* shown;
        // What the edit text reads as: its places' figures, zeros and all.
        const char* reads;
    } rows[] = {
        // "$42" was read as hexadecimal 0x42.
        {"$999;1;_", "42", "$42_", "42"},
        {"$999;1;_", "7", "$7__", "7"},
        {"$999;1;_", "1234", "", ""},
        {"$999;1;_", "4.5", "", ""},
        // " m" read with the digits was no number at all.
        {"999 m;1;_", "42", "42_ m", "42"},
        {"999 m;1;_", "-42", "", ""},
        // A grouping literal: the digits fill the places from the point leftwards.
        {"99,999.99;1;_", "1234.5", "01,234.5_", "01234.5"},
        {"99,999.99;1;_", "1234.50", "01,234.50", "01234.50"},
        {"99,999.99;1;_", "0.25", "00,000.25", "00000.25"},
        {"99,999.99;1;_", "42", "00,042.__", "00042"},
        {"99,999.99;1;_", "123456", "", ""},
        {"99,999.99;1;_", "1.125", "", ""},
        {"#9,999.99;1;_", "-12.50", "-0,012.50", "-0012.50"},
        // Places split by a literal and none for decimals: whole numbers only.
        {"000-000;1;_", "42", "000-042", "000042"},
        {"000-000;1;_", "123456", "123-456", "123456"},
        {"000-000;1;_", "1234567", "", ""},
        {"000-000;1;_", "1.5", "", ""},
        // A blank that is a figure reads as that figure, so the places left over take zeros: "100.00"
        // read as 1, and 42 went in as "420".
        {"999.99;1;0", "100", "100.00", "100.00"},
        {"999.99;1;0", "105.5", "105.50", "105.50"},
        {"999.99;1;0", "0", "000.00", "000.00"},
        {"#99.99;1;0", "-5.5", "-05.50", "-05.50"},
        {"999;1;0", "42", "042", "042"},
        {"999;1;0", "100", "100", "100"},
        {"99.99;1;7", "3", "03.00", "03.00"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.mask) + " " + row.number);
        const TEditMask mask = ParseEditMask(row.mask);
        const std::optional<AnsiString> shown = MaskTextOfNumber(mask, row.number);
        EXPECT_EQ(shown.value_or("").str(), row.shown);
        if (shown) {
            EXPECT_EQ(NumberInMask(mask, shown->view()), row.reads);
        }
    }

    // Text typed into the places, blanks and all.
    const struct {
        const char* mask;
        const char* shown;
        const char* reads;
    } typed[] = {
        {"$999;1;_", "$42_", "42"},
        {"999 m;1;_", "42_ m", "42"},
        {"99,999.99;1;_", "01,234.5_", "01234.5"},
        {"99,999.99;1;_", "__,__1.__", "1"},
        {"99,999.99;0;_", "01,234.50", "01234.50"},
        {"000-000;1;_", "12_-3__", "123"},
        {"000-000;1;_", "___-___", ""},
        {"999.99;1;0", "100.00", "100.00"},
        {"999.99;1;0", "000.00", "000.00"},
    };
    for (const auto& row : typed) {
        SCOPED_TRACE(std::string(row.mask) + " " + row.shown);
        EXPECT_EQ(NumberInMask(ParseEditMask(row.mask), row.shown), row.reads);
    }

    // The mask's point stands for the locale's decimal separator, its ',' for no separator.
    const LocaleSeparators comma(',', '.');
    const TEditMask grouped = ParseEditMask("99,999.99;1;_");
    EXPECT_EQ(MaskTextOfNumber(grouped, "1234,50").value_or("").str(), "01,234.50");
    EXPECT_EQ(NumberInMask(grouped, "01,234.50"), "01234,50");
}

} // namespace
