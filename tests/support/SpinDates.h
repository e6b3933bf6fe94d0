#pragma once

#include "framework/DateTime.h"
#include "framework/Exceptions.h"
#include "tests/support/AnsiStringPrinter.h"
#include "tests/support/DateSettings.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

// Whatever a short date format leaves out (the century, the day), a date spin reads back the
// date it wrote and steps on from it; a typed date reads as the framework reads it and is
// brought within the limits on leaving. Spin makes WMKillFocus public; dateType is its date type.
template <class Spin, auto dateType> void ExpectDatesReadBackInEveryShortDateFormat() {
    const struct {
        const char* format;
        char separator;
    } formats[] = {{"d.m.yy", '.'},     {"mm/yyyy", '/'},  {"mmmm d, yyyy", '/'},
                   {"yyyy-mm-dd", '-'}, {"dd/mm/yy", '/'}, {"ddd d mmm yy", '/'}};
    // Two days of one month: a date without its day read as today's day misses one of them.
    const TDateTime dates[] = {EncodeDate(1930, 3, 5), EncodeDate(2024, 2, 10),  EncodeDate(2024, 2, 20),
                               EncodeDate(1, 1, 1),    EncodeDate(9999, 12, 31), EncodeDate(2049, 12, 31)};
    for (const auto& format : formats) {
        const DateSettings settings(format.format, format.separator);
        for (const TDateTime date : dates) {
            SCOPED_TRACE(std::string(format.format) + " " + DateToStr(date).str());
            Spin spin(nullptr);
            spin.SetSpinType(dateType);
            spin.SetDateValue(date);
            EXPECT_DOUBLE_EQ(spin.GetDateValue(), date);
            spin.MinDateValue = date;
            spin.MaxDateValue = date + 400;
            spin.WMKillFocus();
            EXPECT_DOUBLE_EQ(spin.GetDateValue(), date);
            // A day, a month or a year on, not a century.
            spin.SetSelStart(0);
            spin.UpClick(&spin);
            EXPECT_LE(std::abs(spin.GetDateValue() - date), 366);
        }
    }

    // Two-digit years fall from 1950 to 2049, a date without its day on the 1st.
    const struct {
        const char* format;
        char separator;
        const char* typed;
        const char* shown;
        TDateTime reads;
    } typed[] = {
        {"d.m.yy", '.', "15.6.35", "15.6.35", EncodeDate(1935, 6, 15)},
        {"d.m.yy", '.', "1.1.45", "31.12.40", EncodeDate(1940, 12, 31)},
        {"d.m.yy", '.', "1.1.1929", "1.1.30", EncodeDate(1930, 1, 1)},
        {"mm/yyyy", '/', "02/1935", "02/1935", EncodeDate(1935, 2, 1)},
        {"mm/yyyy", '/', "02/1945", "12/1940", EncodeDate(1940, 12, 31)},
        {"mmmm d, yyyy", '/', "May 3, 1941", "December 31, 1940", EncodeDate(1940, 12, 31)},
    };
    for (const auto& row : typed) {
        SCOPED_TRACE(std::string(row.format) + " " + row.typed);
        const DateSettings settings(row.format, row.separator);
        Spin spin(nullptr);
        spin.SetSpinType(dateType);
        spin.MinDateValue = EncodeDate(1930, 1, 1);
        spin.MaxDateValue = EncodeDate(1940, 12, 31);
        spin.SetDateValue(EncodeDate(1935, 6, 15));
        spin.SetWindowText(row.typed);
        spin.WMKillFocus();
        EXPECT_EQ(spin.GetWindowText(), row.shown);
        EXPECT_DOUBLE_EQ(spin.GetDateValue(), row.reads);
    }
}

// A date or time outside the calendar raises the conversion error and leaves the text and the
// date read; with limits a date is brought within them first, and within the calendar.
template <class Spin, auto dateType, auto timeType> void ExpectDatesOutsideTheCalendarRaiseOrAreLimited() {
    const DateSettings dates("dd/mm/yyyy", '/');
    Spin spin(nullptr);
    spin.SetSpinType(dateType);
    spin.SetDateValue(EncodeDate(2024, 1, 31));
    const double outside[] = {1e19, -1e19, 1e300, HUGE_VAL, -HUGE_VAL, std::nan("")};
    for (const double value : outside) {
        SCOPED_TRACE(value);
        EXPECT_THROW(spin.SetDateValue(value), EConvertError);
        EXPECT_EQ(spin.GetWindowText(), "31/01/2024");
        EXPECT_DOUBLE_EQ(spin.GetDateValue(), EncodeDate(2024, 1, 31));
    }
    spin.SetSpinType(timeType);
    spin.SetTimeValue(0.5);
    const AnsiString noon = spin.GetWindowText();
    for (const double value : outside) {
        SCOPED_TRACE(value);
        EXPECT_THROW(spin.SetTimeValue(value), EConvertError);
        EXPECT_EQ(spin.GetWindowText(), noon);
    }
    spin.SetSpinType(dateType);
    spin.MinDateValue = EncodeDate(2000, 1, 1);
    spin.MaxDateValue = EncodeDate(2030, 12, 31);
    spin.SetDateValue(1e19);
    EXPECT_EQ(spin.GetWindowText(), "31/12/2030");
    spin.SetDateValue(-HUGE_VAL);
    EXPECT_EQ(spin.GetWindowText(), "01/01/2000");
    EXPECT_THROW(spin.SetDateValue(std::nan("")), EConvertError);
    EXPECT_EQ(spin.GetWindowText(), "01/01/2000");

    // A limit past the calendar's end stops a date there, as a step without limits stops; those
    // past 9999 raised the conversion error.
    const struct {
        TDateTime lower, upper;
        const char* typed;
        TDateTime set;
        const char* shown;
        const char* up;
    } pastTheCalendar[] = {
        {EncodeDate(2000, 1, 1), 3e6, "", 1e19, "31/12/9999", "31/12/9999"},
        {3e6, 3e6 + 10, "", EncodeDate(2024, 1, 31), "31/12/9999", "31/12/9999"},
        {3e6, 3e6 + 10, "x", 0, "x", "31/12/9999"},
        {-1e7, -1e6 - 10, "", EncodeDate(2024, 1, 31), "01/01/0001", "01/01/0001"},
        {-1e7, EncodeDate(2, 1, 1), "x", 0, "x", "01/01/0001"},
    };
    for (const auto& row : pastTheCalendar) {
        SCOPED_TRACE(std::to_string(row.lower) + ".." + std::to_string(row.upper) + " " + row.shown);
        spin.MinDateValue = row.lower;
        spin.MaxDateValue = row.upper;
        if (*row.typed)
            spin.SetWindowText(row.typed);
        else
            spin.SetDateValue(row.set);
        EXPECT_EQ(spin.GetWindowText(), row.shown);
        spin.SetSelStart(0);
        EXPECT_NO_THROW(spin.UpClick(&spin));
        EXPECT_EQ(spin.GetWindowText(), row.up);
    }
}
