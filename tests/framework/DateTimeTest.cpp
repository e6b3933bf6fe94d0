#include "framework/DateTime.h"

#include "framework/Exceptions.h"
#include "tests/support/AnsiStringPrinter.h"
#include "tests/support/DateSettings.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(DateTime, ReadsDatesAndTimesInTheLocalesOrder) {
    DateSettings settings("dd/mm/yyyy", '/');
    struct Row {
        const char* text;
        TDateTime expected;
    } rows[] = {
        {"31/01/2024", EncodeDate(2024, 1, 31)},
        {" 1/2/05 ", EncodeDate(2005, 2, 1)},
        {"1/2/75", EncodeDate(1975, 2, 1)},
        {"31/01/2024 13:30", EncodeDate(2024, 1, 31) + EncodeTime(13, 30, 0, 0)},
        {"10:15:20", EncodeTime(10, 15, 20, 0)},
        {"9:05 PM", EncodeTime(21, 5, 0, 0)},
        {"12:00 am", EncodeTime(0, 0, 0, 0)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_DOUBLE_EQ(StrToDateTime(row.text), row.expected);
    }
    for (const char* bad :
         {"", "31/02/2024", "1/2/3/4", "25:00", "10", "a/b/c", "10:61", "13:00 PM", "1.5"}) {
        SCOPED_TRACE(bad);
        EXPECT_THROW(StrToDateTime(bad), EConvertError);
    }
}

TEST(DateTime, MonthFirstFormatsAndAYearLeftOut) {
    DateSettings settings("m/d/yyyy", '/');
    int year = 0, month = 0, day = 0;
    DecodeDate(Now(), year, month, day);
    EXPECT_DOUBLE_EQ(StrToDateTime("12/31/2005"), EncodeDate(2005, 12, 31));
    EXPECT_DOUBLE_EQ(StrToDateTime("3/4"), EncodeDate(year, 3, 4));
}

// 1 January 0001 is day -693593 and 31 December 9999 day 2958465; no date lies outside them.
TEST(DateTime, ValuesOutsideTheCalendarRaiseTheConversionError) {
    DateSettings settings("d/m/yyyy", '/');
    const struct {
        TDateTime value;
        const char* shown;
    } rows[] = {
        {-693593, "1/1/0001"},
        {2958465.5, "31/12/9999"},
        {-693594, nullptr},
        {2958466, nullptr},
        // 23:59:59.9996 on the last day rounds to the day after it.
        {2958465.9999999995, nullptr},
        {1e19, nullptr},
        {-1e300, nullptr},
        {HUGE_VAL, nullptr},
        {std::nan(""), nullptr},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.value);
        if (row.shown) {
            EXPECT_EQ(DateToStr(row.value), row.shown);
            continue;
        }
        EXPECT_THROW(DateToStr(row.value), EConvertError);
        EXPECT_THROW(TimeToStr(row.value), EConvertError);
        int year = 0, month = 0, day = 0;
        EXPECT_THROW(DecodeDate(row.value, year, month, day), EConvertError);
        EXPECT_THROW(IncMonth(row.value, 1), EConvertError);
    }
}

// A short date format without the day reads a date on the 1st of its month, whatever today is.
TEST(DateTime, AFormatWithoutTheDayReadsTheFirst) {
    const struct {
        const char* format;
        char separator;
        const char* text;
        TDateTime expected;
    } rows[] = {
        {"mm/yyyy", '/', "02/1935", EncodeDate(1935, 2, 1)},
        {"yyyy-mm", '-', "2024-02", EncodeDate(2024, 2, 1)},
        {"mmmm yyyy", '/', "February 2024", EncodeDate(2024, 2, 1)},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        DateSettings settings(row.format, row.separator);
        EXPECT_DOUBLE_EQ(StrToDate(row.text), row.expected);
        EXPECT_EQ(DateToStr(row.expected), row.text);
    }
    DateSettings settings("mm/yyyy", '/');
    EXPECT_DOUBLE_EQ(StrToDateTime("02/1935"), EncodeDate(1935, 2, 1));
    EXPECT_THROW(StrToDate("02/01/1935"), EConvertError);
}

TEST(DateTime, TimesAreWrittenInTheLongTimeFormat) {
    const AnsiString saved = LongTimeFormat;
    LongTimeFormat = "hh:nn:ss";
    EXPECT_EQ(TimeToStr(EncodeDate(2024, 1, 1) + EncodeTime(7, 8, 9, 0)), "07:08:09");
    LongTimeFormat = saved;
}

} // namespace

namespace {

TEST(DateTime, MonthsAddedKeepTheDayWhereTheMonthHasIt) {
    const struct {
        TDateTime from;
        int months;
        TDateTime expected;
    } rows[] = {
        {EncodeDate(2011, 1, 31), 1, EncodeDate(2011, 2, 28)},
        {EncodeDate(2012, 1, 31), 1, EncodeDate(2012, 2, 29)},
        {EncodeDate(2012, 2, 29), 12, EncodeDate(2013, 2, 28)},
        {EncodeDate(2011, 3, 15), -3, EncodeDate(2010, 12, 15)},
        {EncodeDate(2011, 12, 1) + 0.25, 1, EncodeDate(2012, 1, 1) + 0.25},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.months);
        EXPECT_DOUBLE_EQ(IncMonth(row.from, row.months), row.expected);
    }
}

TEST(DateTime, DatesAreReadAsTheyAreWritten) {
    const struct {
        const char* format;
        const char* text;
        TDateTime expected;
    } rows[] = {
        {"dd/mm/yyyy", "31/01/2011", EncodeDate(2011, 1, 31)},
        {"mmmm d, yyyy", "February 3, 2012", EncodeDate(2012, 2, 3)},
        {"d mmm yy", "3 feb 12", EncodeDate(2012, 2, 3)},
        {"dddd d mmmm yyyy", "Friday 3 February 2012", EncodeDate(2012, 2, 3)},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        DateSettings settings(row.format, '/');
        EXPECT_DOUBLE_EQ(StrToDate(row.text), row.expected);
        EXPECT_DOUBLE_EQ(StrToDate(DateToStr(row.expected)), row.expected);
    }
    DateSettings settings("mmmm d, yyyy", '/');
    for (const char* bad : {"", "Febr 3, 2012", "February 30, 2012", "3, 2012, 4, 5"}) {
        SCOPED_TRACE(bad);
        EXPECT_THROW(StrToDate(bad), EConvertError);
    }
    EXPECT_DOUBLE_EQ(StrToTime("23:30:00"), EncodeTime(23, 30, 0, 0));
    EXPECT_THROW(StrToTime("31/01/2011"), EConvertError);
    EXPECT_DOUBLE_EQ(Date(), std::floor(Now()));
}

} // namespace
