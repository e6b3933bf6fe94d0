#include "tests/network/SampleNetworks.h"

#include "framework/DateTime.h"

#include <QLocale>
#include <gtest/gtest.h>

namespace {

TEST(SaveStampTest, FormatsDatesAndTimesByTheFrameworkTokens) {
    // 18 January 2011 was a Tuesday, 40561 days after 30 December 1899.
    const TDateTime afternoon = EncodeDate(2011, 1, 18) + EncodeTime(14, 5, 9, 0);
    const TDateTime morning = EncodeDate(2009, 12, 3) + EncodeTime(0, 7, 0, 0);
    struct Row {
        const char* format;
        TDateTime value;
        const char* text;
    };
    const Row rows[] = {
        {"mmmm d, yyyy", afternoon, "January 18, 2011"},
        {"hh:nn:ss", afternoon, "14:05:09"},
        {"h:nn:ss ampm", afternoon, "2:05:09 PM"},
        {"h:nn AMPM", morning, "12:07 AM"},
        {"m/d/yy", morning, "12/3/09"},
        {"dd/mm/yyyy", morning, "03/12/2009"},
        {"ddd d mmm", afternoon, "Tue 18 Jan"},
        {"dddd", morning, "Thursday"},
        {"\"day\" d 'of' mmmm", morning, "day 3 of December"},
        {"MMMM D, YYYY", morning, "December 3, 2009"},
    };
    EXPECT_DOUBLE_EQ(EncodeDate(2011, 1, 18), 40561);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.format);
        EXPECT_EQ(FormatDateTime(row.format, row.value), row.text);
    }
}

TEST(SaveStampTest, DateAndTimeTextsFollowTheProcessFormats) {
    const AnsiString shortDate = ShortDateFormat;
    const AnsiString longTime = LongTimeFormat;
    ShortDateFormat = "mmmm d, yyyy";
    LongTimeFormat = "hh:nn:ss";
    const TDateTime value = EncodeDate(2011, 1, 18) + EncodeTime(14, 5, 9, 0);
    EXPECT_EQ(DateTimeToStr(value), "January 18, 2011 14:05:09");
    EXPECT_EQ(DateToStr(value), "January 18, 2011");
    ShortDateFormat = shortDate;
    LongTimeFormat = longTime;
}

TEST(SaveStampTest, TakesTheLocaleFormats) {
    const AnsiString shortDate = ShortDateFormat;
    const AnsiString longTime = LongTimeFormat;
    struct Row {
        const char* locale;
        const char* shortDate;
        const char* longTime;
    };
    // Qt's "M/d/yy" and "h:mm:ss AP t" in the framework's letters, the time zone left out.
    const Row rows[] = {
        {"en_US", "m/d/yy", "h:nn:ss ampm"},
        {"de_DE", "dd.mm.yy", "hh:nn:ss"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.locale);
        QLocale::setDefault(QLocale(row.locale));
        ReadDateTimeSettings();
        EXPECT_EQ(ShortDateFormat, row.shortDate);
        EXPECT_EQ(LongTimeFormat, row.longTime);
    }
    QLocale::setDefault(QLocale::system());
    ShortDateFormat = shortDate;
    LongTimeFormat = longTime;
}

} // namespace
