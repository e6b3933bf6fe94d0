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
        // Bytes that are no UTF-8 in the document's code page, Windows-1252 unless it names another;
        // UTF-8 as it stands.
        {"{\\rtf1 caf\xE9 bar}", "caf\xC3\xA9 bar"},
        {"{\\rtf1 {caf\xE9}\x80}", "caf\xC3\xA9\xE2\x82\xAC"},
        {"{\\rtf1 caf\xC3\xA9}", "caf\xC3\xA9"},
        {"{\\rtf1\\ansi\\ansicpg1251 \xE9\\'e9}", "\xD0\xB9\xD0\xB9"},
        {"{\\rtf1\\uc1 \\u216\xE9x}", "\xC3\x98x"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.rtf);
        EXPECT_EQ(RtfToPlainText(row.rtf), row.expected);
    }
}

} // namespace
