#include "grid/SmartFill.h"

#include "framework/Exceptions.h"
#include "tests/support/AnsiStringPrinter.h"
#include "tests/support/DateSettings.h"
#include "tests/support/LocaleSeparators.h"

#include <gtest/gtest.h>

namespace {

TEST(SmartFill, ContinuesTheSeriesOfTwoValues) {
    DateSettings dates("dd/mm/yyyy", '/');
    LocaleSeparators numbers('.', ',');
    const AnsiString savedTime = LongTimeFormat;
    LongTimeFormat = "hh:nn:ss";
    struct Row {
        const char* a;
        const char* b;
        std::vector<AnsiString> expected;
    } rows[] = {
        {"1", "2", {"1", "2", "3", "4", "5"}},
        {"10", "7", {"10", "7", "4", "1", "-2"}},
        {"1.5", "2", {"1.50", "2.00", "2.50", "3.00", "3.50"}},
        {"3", "2.25", {"3.00", "2.25", "1.50", "0.75", "0.00"}},
        {"30/01/2024", "31/01/2024", {"30/01/2024", "31/01/2024", "01/02/2024", "02/02/2024", "03/02/2024"}},
        {"15/01/2024", "15/02/2024", {"15/01/2024", "15/02/2024", "15/03/2024", "15/04/2024", "15/05/2024"}},
        {"29/02/2020", "28/02/2021", {"29/02/2020", "28/02/2021", "28/02/2022", "28/02/2023", "28/02/2024"}},
        {"05/01/2024", "03/01/2024", {"05/01/2024", "03/01/2024", "01/01/2024", "30/12/2023", "28/12/2023"}},
        {"08:00:00", "08:30:00", {"08:00:00", "08:30:00", "09:00:00", "09:30:00", "10:00:00"}},
        {"a", "b", {}},
        {"1", "x", {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.a) + " " + row.b);
        EXPECT_EQ(FillSeries(row.a, row.b, 5, "%.2f"), row.expected);
    }
    LongTimeFormat = savedTime;
}

TEST(SmartFill, ADateThatDoesNotExistRaisesBeforeAnythingIsFilled) {
    DateSettings dates("dd/mm/yyyy", '/');
    // Two months on from 31 July is 31 September.
    EXPECT_EQ(FillSeries("31/05/2024", "31/07/2024", 2, "%.2f").size(), 2u);
    EXPECT_THROW(FillSeries("31/05/2024", "31/07/2024", 3, "%.2f"), EConvertError);
    EXPECT_THROW(FillSeries("1/1/2024", "12:xx", 3, "%.2f"), EConvertError);
    LocaleSeparators numbers('.', ',');
    EXPECT_THROW(FillSeries("1.5", "abc", 3, "%.2f"), EConvertError);
}

} // namespace
