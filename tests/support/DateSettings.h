#pragma once

#include "framework/DateTime.h"

// Sets the short date format and separator for one test.
struct DateSettings {
    DateSettings(const char* format, char separator) {
        ShortDateFormat = format;
        DateSeparator = separator;
    }
    ~DateSettings() {
        ShortDateFormat = savedFormat;
        DateSeparator = savedSeparator;
    }
    DateSettings(const DateSettings&) = delete;
    DateSettings& operator=(const DateSettings&) = delete;
    AnsiString savedFormat = ShortDateFormat;
    char savedSeparator = DateSeparator;
};
