#include "controls/SpinStep.h"

#include "tests/support/DateSettings.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>

namespace {

TDateTime Day(int year, int month, int day) {
    return EncodeDate(year, month, day);
}

TEST(SpinStep, DatesStepByThePartUnderTheCaret) {
    const struct {
        const char* format;
        const char* text;
        int caret;
        int sign;
        TDateTime from;
        TDateTime expected;
    } rows[] = {
        {"dd/mm/yyyy", "31/01/2011", 0, 1, Day(2011, 1, 31), Day(2011, 2, 1)},
        {"dd/mm/yyyy", "31/01/2011", 2, -1, Day(2011, 1, 31), Day(2011, 1, 30)},
        // The middle part is the month: the last day of February.
        {"dd/mm/yyyy", "31/01/2011", 4, 1, Day(2011, 1, 31), Day(2011, 2, 28)},
        {"dd/mm/yyyy", "31/01/2011", 3, 1, Day(2011, 1, 31), Day(2011, 2, 28)},
        {"dd/mm/yyyy", "29/02/2012", 8, 1, Day(2012, 2, 29), Day(2013, 2, 28)},
        {"dd/mm/yyyy", "29/02/2012", 10, -1, Day(2012, 2, 29), Day(2011, 2, 28)},
        {"m/d/yyyy", "1/31/2011", 1, 1, Day(2011, 1, 31), Day(2011, 2, 28)},
        {"m/d/yyyy", "1/31/2011", 3, 1, Day(2011, 1, 31), Day(2011, 2, 1)},
        // The about box's format: month name, day, year.
        {"mmmm d, yyyy", "January 31, 2011", 3, 1, Day(2011, 1, 31), Day(2011, 2, 28)},
        {"mmmm d, yyyy", "January 31, 2011", 9, 1, Day(2011, 1, 31), Day(2011, 2, 1)},
        {"mmmm d, yyyy", "January 31, 2011", 13, 1, Day(2011, 1, 31), Day(2012, 1, 31)},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.text) + " caret " + std::to_string(row.caret));
        DateSettings settings(row.format, '/');
        EXPECT_DOUBLE_EQ(StepDate(row.from, row.text, row.caret, row.sign), row.expected);
    }
}

TEST(SpinStep, TimesStepByThePartUnderTheCaretAndWrapInTheDay) {
    const struct {
        const char* text;
        int caret;
        int sign;
        TDateTime from;
        TDateTime expected;
    } rows[] = {
        {"23:30:00", 1, 1, EncodeTime(23, 30, 0, 0), EncodeTime(0, 30, 0, 0)},
        {"23:30:00", 4, 1, EncodeTime(23, 30, 0, 0), EncodeTime(23, 31, 0, 0)},
        {"23:30:00", 8, -1, EncodeTime(23, 30, 0, 0), EncodeTime(23, 29, 59, 0)},
        {"00:00:00", 0, -1, 0, EncodeTime(23, 0, 0, 0)},
        {"10:00:00 PM", 11, 1, EncodeTime(22, 0, 0, 0), EncodeTime(22, 0, 1, 0)},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.text) + " caret " + std::to_string(row.caret));
        EXPECT_NEAR(StepTime(row.from, row.text, row.caret, row.sign), row.expected, 1e-9);
    }
    // The day stays.
    EXPECT_NEAR(StepTime(Day(2011, 1, 31) + EncodeTime(23, 0, 0, 0), "23:00:00", 0, 1), Day(2011, 1, 31),
                1e-9);
}

TEST(SpinStep, SmartStepsTheDigitLeftOfTheCaret) {
    const struct {
        const char* text;
        int caret;
        bool isFloat;
        double expected;
    } rows[] = {
        {"123", 1, false, 100}, {"123", 3, false, 1},     {"123", 0, false, 7},    {"-5", 1, false, 7},
        {"-52", 2, false, 10},  {"12.34", 5, true, 0.01}, {"12.34", 4, true, 0.1}, {"12.34", 3, true, 1},
        {"12.34", 2, true, 1},  {"12.34", 1, true, 10},   {"12.34", 4, false, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.text) + " caret " + std::to_string(row.caret));
        EXPECT_DOUBLE_EQ(SmartStep(row.text, row.caret, '.', row.isFloat, 7), row.expected);
    }
}

TEST(SpinStep, WholeNumbersStopAtTheirEndsAndValuesStayWithinLimitsGivenEitherWay) {
    const struct {
        int value;
        double step;
        int expected;
    } steps[] = {
        {5, 1, 6},
        {5, -10, -5},
        {INT_MAX, 1, INT_MAX},
        {INT_MAX - 1, 5, INT_MAX},
        {INT_MIN, -1, INT_MIN},
        {INT_MIN + 2, -1e12, INT_MIN},
        // A smart step of a tenth rounds back to the value.
        {7, 0.4, 7},
        {7, 0.5, 8},
    };
    for (const auto& row : steps) {
        SCOPED_TRACE(std::to_string(row.value) + " + " + std::to_string(row.step));
        EXPECT_EQ(StepWithinInt(row.value, row.step), row.expected);
    }
    const struct {
        double value;
        double lower;
        double upper;
        double expected;
    } limits[] = {
        {150, 0, 100, 100},
        {-5, 0, 100, 0},
        {50, 0, 100, 50},
        // Limits the wrong way round still hold the value between them.
        {150, 100, 0, 100},
        {-5, 100, 0, 0},
        {50, 100, 0, 50},
        // Equal limits take anything.
        {1e9, 0, 0, 1e9},
        {-3, 2.5, 2.5, -3},
    };
    for (const auto& row : limits) {
        SCOPED_TRACE(std::to_string(row.value) + " in " + std::to_string(row.lower) + ".." +
                     std::to_string(row.upper));
        EXPECT_EQ(WithinLimits(row.value, row.lower, row.upper), row.expected);
    }
}

} // namespace
