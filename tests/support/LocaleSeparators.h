#pragma once

#include "framework/NumberFormat.h"

// Sets the locale's separators for one test and puts the previous ones back.
struct LocaleSeparators {
    LocaleSeparators(char decimal, char thousand) {
        DecimalSeparator = decimal;
        ThousandSeparator = thousand;
    }
    ~LocaleSeparators() {
        DecimalSeparator = savedDecimal;
        ThousandSeparator = savedThousand;
    }
    LocaleSeparators(const LocaleSeparators&) = delete;
    LocaleSeparators& operator=(const LocaleSeparators&) = delete;

    char savedDecimal = DecimalSeparator;
    char savedThousand = ThousandSeparator;
};
