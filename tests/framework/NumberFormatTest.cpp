#include "framework/NumberFormat.h"
#include "framework/Exceptions.h"
#include "tests/support/AnsiStringPrinter.h"
#include "tests/support/LocaleSeparators.h"

#include <gtest/gtest.h>

#include <limits>
#include <tuple>
#include <utility>

namespace {

// The floating conversions are the differential test's; these are the rest.
TEST(NumberFormat, FormatConversions) {
    const LocaleSeparators point('.', ',');
    EXPECT_EQ(Sprintf("1 in %-4d|", 57), "1 in 57  |");
    EXPECT_EQ(Format("%n", -1234.5), "-1,234.50");
    EXPECT_EQ(Format("%s=%d", AnsiString("n"), 5), "n=5");
    EXPECT_EQ(Sprintf("%05d|%+d|%x|%X", 42, 7, 255, 255), "00042|+7|ff|FF");
    EXPECT_EQ(Format("%x", 255), "FF");
    EXPECT_EQ(Sprintf("%.3s|%-5s|", AnsiString("abcdef"), AnsiString("ab")), "abc|ab   |");
    EXPECT_EQ(Format("100%%"), "100%");
    EXPECT_THROW(Format("%d", 1.5), EConvertError);
    EXPECT_THROW(Format("%d"), EConvertError);
}

// Every finite value is tried against exact rounding in the differential test.
TEST(NumberFormat, FloatToStrGivesFifteenSignificantDigits) {
    const std::pair<double, const char*> rows[] = {{1.0 / 3, "0.333333333333333"},
                                                   {0.00001, "1E-5"},
                                                   {1e15, "1E15"},
                                                   {std::numeric_limits<double>::infinity(), "INF"}};
    for (const auto& [value, expected] : rows)
        EXPECT_EQ(FloatToStr(value), expected);
    EXPECT_EQ(FloatToStrF(1.875, ffFixed, 15, 2), "1.88");
    EXPECT_EQ(FloatToStrF(1234.5, ffNumber, 15, 1), "1,234.5");
    EXPECT_EQ(FloatToStrF(1.0 / 3, ffGeneral, 4, 0), "0.3333");
}

// The results table's texts: F2 and F3 round once, at the 7th significant digit or the last
// decimal, whichever keeps fewer digits; E4 keeps four significant digits. Every value is
// tried against exact rounding in the differential test; these are the places that decide.
TEST(NumberFormat, FloatToStrFRoundsOnceAtTheCoarserPlace) {
    const auto f2 = [](double v) { return FloatToStrF(v, ffFixed, 7, 2); };
    const auto f3 = [](double v) { return FloatToStrF(v, ffFixed, 7, 3); };
    const LocaleSeparators point('.', ',');
    const std::pair<AnsiString, const char*> rows[] = {
        {f2(0.125 + 0.6), "0.72"}, // the double just below 0.725
        {f2(123456.789), "123456.80"},
        {f2(-1234567.891), "-1234568.00"},
        {f2(12345678.9), "1.234568E+07"},
        {f2(9999999.5), "1.000000E+07"},
        {f3(999.9996), "1000.000"},
        {f3(-0.0003), "0.000"},
        {FloatToStrF(-12345.0, ffExponent, 4, 2), "-1.235E+04"},
        {FloatToStrF(1.5e-120, ffExponent, 4, 2), "1.500E-120"},
        {FloatToStrF(123456.0, ffFixed, 3, 2), "1.23E+05"},
        {FloatToStrF(1234567.891, ffNumber, 7, 2), "1,234,568.00"},
    };
    for (const auto& [written, expected] : rows)
        EXPECT_EQ(written, expected);
}

// Pictures as the visual editor's status bar writes scales and coordinates, and a few beyond.
TEST(NumberFormat, FormatFloatFollowsThePicture) {
    const LocaleSeparators point('.', ',');
    // 1.1^3 = 1.331, 1 / 1.1 = 0.90909...
    // clang-format off
    const std::tuple<const char*, double, const char*> rows[] = {
        {"#0.0#", 1.0, "1.0"}, {"#0.0#", 1.331, "1.33"}, {"#0.0#", 1.0 / 1.1, "0.91"}, {"#0.0#", 1.1, "1.1"},
        {"#0.0#", 1.21, "1.21"}, {"#0.0#", 0.125, "0.13"}, {"#0.0#", 100000, "100000.0"},
        {"#0.#", 12.34, "12.3"}, {"#0.#", 12.0, "12"}, {"#0.#", -0.04, "0"}, {"#0.#", -7.25, "-7.3"},
        {"#0.#", 0.96, "1"}, {"0.00", 2.5, "2.50"}, {"#.##", 0.5, ".5"}, {"000", 7, "007"},
        {"#,##0", 1234567, "1,234,567"}, {"X: #0.#", 3.21, "X: 3.2"}, {"#0 m", 4.6, "5 m"}};
    // clang-format on
    for (const auto& [picture, value, expected] : rows) {
        SCOPED_TRACE(picture);
        EXPECT_EQ(FormatFloat(picture, value), expected);
    }
    const LocaleSeparators comma(',', '.');
    EXPECT_EQ(FormatFloat("#0.0#", 1.331), "1,33");
    EXPECT_EQ(FormatFloat("#,##0.0", 1234.5), "1.234,5");
}

TEST(NumberFormat, TextToNumbers) {
    const LocaleSeparators point('.', ',');
    const std::tuple<const char*, bool, double> reals[] = {
        {"1.5", true, 1.5},  {" -2 ", true, -2},      {"+3", true, 3},  {".5", true, 0.5}, {"5.", true, 5},
        {"1e3", true, 1000}, {"1.5E-2", true, 0.015}, {"", false, 0},   {"abc", false, 0}, {"1,5", false, 0},
        {"1.2.3", false, 0}, {"-", false, 0},         {"1e", false, 0}, {"e5", false, 0},  {"1 2", false, 0},
    };
    for (const auto& [text, ok, expected] : reals) {
        double value = -99;
        EXPECT_EQ(TryStrToFloat(text, value), ok) << text;
        if (ok) {
            EXPECT_DOUBLE_EQ(value, expected) << text;
        }
    }
    // Read to the nearest double, as the compiler reads the same literals, short texts and long.
    const std::pair<const char*, double> nearest[] = {
        {"0.1", 0.1},
        {"2.675", 2.675},
        {"-0.3", -0.3},
        {"999999999999999", 999999999999999.0},
        {"0.000000000000001", 1e-15},
        {"9007199254740993", 9007199254740993.0},
        {"1.23456789012345678", 1.23456789012345678},
        {"00000000000000000.7", 0.7},
        // Up to 19 digits naming a whole number of at most 2^53, and just beyond.
        {"0.0123456789012345", 0.0123456789012345},
        {"900719925474.0992", 900719925474.0992},
        {"900719925474.0993", 900719925474.0993},
        {"0.000000000000000001", 1e-18},
        {"-0.000045678901234567", -0.000045678901234567},
        {"1234567890.123456789", 1234567890.123456789},
        {"99999999999999999.99", 99999999999999999.99},
    };
    for (const auto& [text, expected] : nearest)
        EXPECT_EQ(StrToFloat(text), expected) << text;
    const std::tuple<const char*, bool, int> integers[] = {
        {"42", true, 42},         {"-7", true, -7},  {"$FF", true, 255},
        {"0x10", true, 16},       {" 3", true, 3},   {"3 ", false, 0},
        {"", false, 0},           {"1.5", false, 0}, {"2147483647", true, 2147483647},
        {"2147483648", false, 0},
    };
    for (const auto& [text, ok, expected] : integers) {
        int value = -99;
        EXPECT_EQ(TryStrToInt(text, value), ok) << text;
        if (ok) {
            EXPECT_EQ(value, expected) << text;
        }
    }
    EXPECT_EQ(IntToStr(-12), "-12");
    EXPECT_EQ(IntToHex(255, 4), "00FF");
    try {
        StrToFloat("x1");
        ADD_FAILURE() << "no conversion error";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message, "'x1' is not a valid floating point value");
    }
    const LocaleSeparators comma(',', '.');
    EXPECT_DOUBLE_EQ(StrToFloat("1,5"), 1.5);
    EXPECT_THROW(StrToFloat("1.5"), EConvertError);
}

} // namespace
