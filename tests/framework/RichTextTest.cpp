#include "framework/RichText.h"

#include "tests/support/AnsiStringPrinter.h"

#include <gtest/gtest.h>

#include <string>

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
        // The text's own bytes in the code page the document names; in one that names none, UTF-8
        // as it stands and any other byte Windows-1252.
        {"{\\rtf1 caf\xE9 bar}", "caf\xC3\xA9 bar"},
        {"{\\rtf1 {caf\xE9}\x80}", "caf\xC3\xA9\xE2\x82\xAC"},
        {"{\\rtf1 caf\xC3\xA9}", "caf\xC3\xA9"},
        {"{\\rtf1\\ansi\\ansicpg1251 \xE9\\'e9}", "\xD0\xB9\xD0\xB9"},
        {"{\\rtf1\\ansi\\ansicpg1252 \xC3\xA9}", "\xC3\x83\xC2\xA9"},
        {"{\\rtf1\\ansi\\ansicpg1251 \xC3\xA9}", "\xD0\x93\xC2\xA9"},
        {"{\\rtf1\\uc1 \\u216\xE9x}", "\xC3\x98x"},
        // A character of a double-byte page whose second byte is ASCII stays whole: Shift-JIS
        // "\x82\xA0\x81\x41" is U+3042 U+3001, Big5 "\xA1\x40" U+3000, GBK "\x81\x40" U+4E02, UHC "\x81\x41"
        // U+AC02.
        {"{\\rtf1\\ansi\\ansicpg932 \x82\xA0\x81\x41}", "\xE3\x81\x82\xE3\x80\x81"},
        {"{\\rtf1\\ansi\\ansicpg950 \xA1\x40}", "\xE3\x80\x80"},
        {"{\\rtf1\\ansi\\ansicpg936 \x81\x40}", "\xE4\xB8\x82"},
        {"{\\rtf1\\ansi\\ansicpg949 \x81\x41}", "\xEA\xB0\x82"},
        {"{\\rtf1\\ansi\\ansicpg932 \\'81A}", "\xE3\x80\x81"},
        {"{\\rtf1\\ansi\\ansicpg932 \\'82\xA0\x81\\'41}", "\xE3\x81\x82\xE3\x80\x81"},
        {"{\\rtf1\\ansi\\ansicpg932 \\'82\\'a0\\'81\\'41}", "\xE3\x81\x82\xE3\x80\x81"},
        {"{\\rtf1\\ansi\\ansicpg932 \x82\r\n\xA0}", "\xE3\x81\x82"},
        {"{\\rtf1\\ansi{\\fonttbl{\\f1\\fcharset128 MS Mincho;}}\\f1 \x81\x41}", "\xE3\x80\x81"},
        // Mended: a second byte written as "\\", "\{" or "\}" ended the character, which was lost:
        // Shift-JIS "\x95\\" is U+8868, GBK "\x81{" U+4E84, Big5 "\xA1}" U+FE59.
        {"{\\rtf1\\ansi\\ansicpg932 \\'95\\\\}", "\xE8\xA1\xA8"},
        {"{\\rtf1\\ansi\\ansicpg936 \x81\\{}", "\xE4\xBA\x84"},
        {"{\\rtf1\\ansi\\ansicpg950 \xA1\r\n\\}}", "\xEF\xB9\x99"},
        // As they stand, they are the document's own.
        {"{\\rtf1\\ansi\\ansicpg932 {\\b \x95}\\'82\\'a0}", "\xE3\x81\x82"},
        // Single bytes of the page, and ASCII after a whole character, stay as they are.
        {"{\\rtf1\\ansi\\ansicpg932 \xB1\x41\x82\xA0\x41}", "\xEF\xBD\xB1\x41\xE3\x81\x82\x41"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.rtf);
        EXPECT_EQ(RtfToPlainText(row.rtf), row.expected);
    }
}

// The stand-ins after a "\uN" are skipped within its group only: a group's edge ends them, and
// the enclosing group's count is back after it. An escaped byte is one stand-in.
TEST(RichText, UnicodeStandInsEndAtTheGroupsEdge) {
    struct Row {
        const char* label;
        const char* rtf;
        const char* expected;
    } rows[] = {
        {"count left at a closing brace", "{\\rtf1{\\uc2\\u945}ab}",
         "\xCE\xB1"
         "ab"},
        {"count left at an opening brace", "{\\rtf1\\uc2\\u945{\\b x}y}", "\xCE\xB1xy"},
        {"the enclosing count back", "{\\rtf1\\uc1{\\uc3 x}\\u945?y}", "x\xCE\xB1y"},
        {"escaped bytes, one stand-in each", "{\\rtf1\\uc2\\u945\\'e1\\'e2z}", "\xCE\xB1z"},
        {"a stand-in a symbol", "{\\rtf1\\u945\\{z}", "\xCE\xB1z"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        EXPECT_EQ(RtfToPlainText(row.rtf), row.expected);
    }
}

// A NUL, escaped or not, is no character of the text: the writer leaves it out, and so does the
// reader.
TEST(RichText, ANulIsLeftOut) {
    for (const std::string& rtf : {std::string("{\\rtf1 a\\'00b}"), std::string("{\\rtf1 a\\u0?b}"),
                                   std::string("{\\rtf1 a") + '\0' + "b}"}) {
        SCOPED_TRACE(rtf);
        EXPECT_EQ(RtfToPlainText(rtf), "ab");
    }
}

// A font whose character set names a code page holds its bytes, escaped or not, in that page: the
// text in the font and the font's name. Other fonts keep the document's page.
TEST(RichText, TextInAFontOfAnotherCharacterSetReadsInItsCodePage) {
    const std::string fonts = "{\\rtf1\\ansi\\ansicpg1252{\\fonttbl{\\f0\\fcharset0 Arial;}"
                              "{\\f1\\fnil\\fcharset204 Times Cyr;}{\\f2\\fcharset161 Greek;}"
                              "{\\f3\\fcharset1 Any;}}";
    struct Row {
        const char* label;
        const char* body;
        const char* expected;
    } rows[] = {
        {"Cyrillic, escaped", "\\f1 \\'cf\\'f0\\'e8", "\xD0\x9F\xD1\x80\xD0\xB8"},
        {"Cyrillic, raw bytes", "\\f1 \xCF\xF0\xE8", "\xD0\x9F\xD1\x80\xD0\xB8"},
        {"Greek", "\\f2 \\'e1", "\xCE\xB1"},
        {"back in the Western font", "\\f1 \\'e9\\f0 \\'e9", "\xD0\xB9\xC3\xA9"},
        {"a group's font ends with it", "{\\f1 \\'e9}\\'e9", "\xD0\xB9\xC3\xA9"},
        {"the default character set keeps the document's page", "\\f3 \\'e9", "\xC3\xA9"},
        {"a font not in the table", "\\f9 \\'e9", "\xC3\xA9"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        EXPECT_EQ(RtfToPlainText(fonts + row.body + "}"), row.expected);
    }
}

} // namespace
