#include "framework/NumberFormat.h"
#include "framework/Exceptions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

// Restores the locale characters a test changed.
struct SeparatorGuard {
    char decimal = DecimalSeparator;
    char thousand = ThousandSeparator;
    ~SeparatorGuard() {
        DecimalSeparator = decimal;
        ThousandSeparator = thousand;
    }
};

TEST(NumberFormat, FixedPointRoundsTiesAwayFromZero) {
    struct Row {
        double value;
        int decimals;
        const char* expected;
    } rows[] = {
        {0.125, 2, "0.13"},
        {2.5, 0, "3"},
        {1.875, 2, "1.88"},
        {-0.125, 2, "-0.13"},
        {-0.001, 2, "0.00"},
        {-0.0, 1, "0.0"},
        {0.124999, 2, "0.12"},
        {9.995, 2, "9.99"}, // 9.995 is below the tie in binary
        {99.5, 0, "100"},
        {3, 2, "3.00"},
        {1e15, 1, "1000000000000000.0"},
        {0.1 + 0.2, 3, "0.300"},
        {10.625, 2, "10.63"},
        {19.4795, 3, "19.480"}, // 19.4795 lies just above the tie in binary
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.expected);
        EXPECT_EQ(FixedDigits(row.value, row.decimals), row.expected);
    }
}

TEST(NumberFormat, FormatConversions) {
    SeparatorGuard guard;
    DecimalSeparator = '.';
    ThousandSeparator = ',';
    EXPECT_EQ(Format("%.2f", 0.125), "0.13");
    EXPECT_EQ(Format("%f", 1.0), "1.00");
    EXPECT_EQ(Sprintf("%f", 1.0), "1.000000");
    EXPECT_EQ(Sprintf("%10.3f", 10.625), "    10.625");
    EXPECT_EQ(Sprintf("%8.4f", 0.00625), "  0.0063");
    EXPECT_EQ(Sprintf("1 in %-4d|", 57), "1 in 57  |");
    EXPECT_EQ(Sprintf("%8.0f", 225.0), "     225");
    EXPECT_EQ(Format("%.2n", 1234567.125), "1,234,567.13");
    EXPECT_EQ(Format("%n", -1234.5), "-1,234.50");
    EXPECT_EQ(Format("%g", 3.5), "3.5");
    EXPECT_EQ(Sprintf("%g", 0.0001), "0.0001");
    EXPECT_EQ(Sprintf("%g", 1234567.0), "1.23457e+06");
    EXPECT_EQ(Sprintf("%e", 1500.0), "1.500000e+03");
    EXPECT_EQ(Format("%s=%d", AnsiString("n"), 5), "n=5");
    EXPECT_EQ(Sprintf("%05d|%+d|%x|%X", 42, 7, 255, 255), "00042|+7|ff|FF");
    EXPECT_EQ(Format("%x", 255), "FF");
    EXPECT_EQ(Sprintf("%.3s|%-5s|", AnsiString("abcdef"), AnsiString("ab")), "abc|ab   |");
    EXPECT_EQ(Format("100%%"), "100%");
    EXPECT_THROW(Format("%d", 1.5), EConvertError);
    EXPECT_THROW(Format("%d"), EConvertError);

    DecimalSeparator = ',';
    ThousandSeparator = '.';
    EXPECT_EQ(Format("%.2f", 3.14159), "3,14");
    EXPECT_EQ(Format("%.1n", 12345.67), "12.345,7");
    EXPECT_EQ(Sprintf("%.2f", 3.14159), "3.14");
}

TEST(NumberFormat, FloatToStrGivesFifteenSignificantDigits) {
    struct Row {
        double value;
        const char* expected;
    } rows[] = {
        {0, "0"},
        {1, "1"},
        {-2.5, "-2.5"},
        {0.1, "0.1"},
        {0.1 + 0.2, "0.3"},
        {1.0 / 3, "0.333333333333333"},
        {2.0 / 3, "0.666666666666667"},
        {100, "100"},
        {0.00001, "1E-5"},
        {0.000015, "1.5E-5"},
        {0.0001, "0.0001"},
        {1e15, "1E15"},
        {123456789012345.0, "123456789012345"},
        {0.00625, "0.00625"},
        {212.5, "212.5"},
        {1e-7, "1E-7"},
        {std::numeric_limits<double>::infinity(), "INF"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.expected);
        EXPECT_EQ(FloatToStr(row.value), row.expected);
    }
}

TEST(NumberFormat, FloatToStrFFormats) {
    EXPECT_EQ(FloatToStrF(1.875, ffFixed, 15, 2), "1.88");
    EXPECT_EQ(FloatToStrF(1234.5, ffNumber, 15, 1), "1,234.5");
    EXPECT_EQ(FloatToStrF(1234.5, ffExponent, 4, 2), "1.235E+03");
    EXPECT_EQ(FloatToStrF(1.0 / 3, ffGeneral, 4, 0), "0.3333");
    EXPECT_EQ(FloatToStrF(123456.0, ffFixed, 3, 2), "1.23E5");
}

TEST(NumberFormat, StrToFloatReadsTheLocaleSeparatorOnly) {
    SeparatorGuard guard;
    DecimalSeparator = '.';
    struct Row {
        const char* text;
        bool ok;
        double value;
    } rows[] = {
        {"1.5", true, 1.5},  {" -2 ", true, -2},      {"+3", true, 3},  {".5", true, 0.5}, {"5.", true, 5},
        {"1e3", true, 1000}, {"1.5E-2", true, 0.015}, {"", false, 0},   {"abc", false, 0}, {"1,5", false, 0},
        {"1.2.3", false, 0}, {"-", false, 0},         {"1e", false, 0}, {"e5", false, 0},  {"1 2", false, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        double value = -99;
        EXPECT_EQ(TryStrToFloat(row.text, value), row.ok);
        if (row.ok) {
            EXPECT_DOUBLE_EQ(value, row.value);
        }
    }
    EXPECT_THROW(StrToFloat("x1"), EConvertError);
    try {
        StrToFloat("x1");
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message, "'x1' is not a valid floating point value");
    }
    DecimalSeparator = ',';
    EXPECT_DOUBLE_EQ(StrToFloat("1,5"), 1.5);
    EXPECT_THROW(StrToFloat("1.5"), EConvertError);
}

TEST(NumberFormat, StrToIntReadsDecimalAndHex) {
    struct Row {
        const char* text;
        bool ok;
        int value;
    } rows[] = {
        {"42", true, 42},         {"-7", true, -7},  {"$FF", true, 255},
        {"0x10", true, 16},       {" 3", true, 3},   {"3 ", false, 0},
        {"", false, 0},           {"1.5", false, 0}, {"2147483647", true, 2147483647},
        {"2147483648", false, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        int value = -99;
        EXPECT_EQ(TryStrToInt(row.text, value), row.ok);
        if (row.ok) {
            EXPECT_EQ(value, row.value);
        }
    }
    EXPECT_EQ(IntToStr(-12), "-12");
    EXPECT_EQ(IntToHex(255, 4), "00FF");
}

} // namespace
