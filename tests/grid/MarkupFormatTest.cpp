#include "grid/MarkupFormat.h"

#include "tests/support/AnsiStringPrinter.h"

#include <gtest/gtest.h>

namespace {

TEST(MarkupFormat, EscapesWhatMarkupWouldRead) {
    EXPECT_EQ(EscapeMarkup("a<b> & \"c\" 'd'"), "a&lt;b&gt; &amp; &quot;c&quot; 'd'");
    EXPECT_EQ(EscapeMarkup("\xC3\x98"), "\xC3\x98");
}

TEST(MarkupFormat, AddressesBecomeLinks) {
    const std::string longAddress = "http://" + std::string(300, 'a');
    struct Row {
        std::string text;
        bool full;
        std::string expected;
    } rows[] = {
        {"http://x.org/a", false, "<A HREF=\"http://x.org/a\">x.org/a</A>"},
        {"http://x.org/a", true, "<A HREF=\"http://x.org/a\">http://x.org/a</A>"},
        {"mailto:me@x.org", false, "<A HREF=\"mailto:me@x.org\">me@x.org</A>"},
        {"plain", false, "plain"},
        {"<b>http://x</b>", false, "<b>http://x</b>"},
        {longAddress, false, "<A HREF=\"" + longAddress + "\">" + std::string(255, 'a') + "</A>"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(WithLinks(row.text, row.full), row.expected);
    }
}

} // namespace
