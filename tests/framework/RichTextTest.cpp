#include "framework/RichText.h"

#include "tests/support/AnsiStringPrinter.h"

#include <gtest/gtest.h>

namespace {

TEST(RichText, ShowsTheTextOfRichText) {
    struct Row {
        const char* rtf;
        const char* expected;
    } rows[] = {
        {"{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red255\\green0\\blue0;}"
         "\\f0\\fs20 Hello \\b bold \\b0 world\\par}",
         "Hello bold world"},
        {"{\\rtf1 one\\par two\\line three\\tab four}", "one\r\ntwo\r\nthree\tfour"},
        {"{\\rtf1 a\\{b\\}c\\\\d}", "a{b}c\\d"},
        {"{\\rtf1 caf\\'e9 \\'80}", "caf\xC3\xA9 \xE2\x82\xAC"},
        {"{\\rtf1\\uc1 \\u216?x \\u-3999?}", "\xC3\x98x \xEF\x81\xA1"},
        {"{\\rtf1 {\\*\\generator Riched20;}{\\info{\\title T}}text}", "text"},
        {"{\\rtf1 \\u-10179?\\u-8704?}", "\xF0\x9F\x98\x80"},
        {"{\\rtf1 unclosed {group", "unclosed group"},
        {"{\\rtf1 \\", ""},
        {"plain {\\b text}", "plain {\\b text}"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.rtf);
        EXPECT_EQ(RtfToPlainText(row.rtf), row.expected);
    }
}

} // namespace
