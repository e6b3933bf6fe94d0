#include "grid/Gridutil.h"

#include "framework/Bitmap.h"
#include "framework/Exceptions.h"
#include "framework/Panel.h"
#include "framework/StringList.h"
#include "tests/support/AnsiStringPrinter.h"
#include "tests/support/DateSettings.h"
#include "tests/support/GeometryPrinter.h"
#include "tests/support/LocaleSeparators.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>

namespace {

TEST(Gridutil, TextTypes) {
    struct Row {
        const char* text;
        bool html;
        TTextType expected;
    } rows[] = {
        {"=", true, ttFormula},     {"", true, ttText},       {"{\\rtf1 x}", true, ttRTF},
        {"a</b>", true, ttHTML},    {"a</b>", false, ttText}, {"<b>bold", true, ttText},
        {"<B>bold", true, ttHTML},  {"<I>x", true, ttHTML},   {"=a</b>", true, ttFormula},
        {"http://x", true, ttText}, {"{x", true, ttText},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(TextType(row.text, row.html), row.expected);
    }
}

TEST(Gridutil, NumberKinds) {
    LocaleSeparators locale('.', ',');
    struct Row {
        const char* text;
        int expected;
    } rows[] = {
        {"12", 0},    {"-12", 0}, {"1,000", 1}, {",100", 2}, {"1.2.3", 2},        {"", 2},
        {"1,0,0", 2}, {"1.5", 1}, {"--1", 2},   {"12a", 2},  {"1,000,000.25", 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(IsType(row.text), row.expected);
    }
}

TEST(Gridutil, SeparatorsRemovedFromNumbers) {
    LocaleSeparators locale('.', ',');
    struct Row {
        const char* text;
        const char* expected;
    } rows[] = {
        {"(1,234.5)", "-1234.5"},
        {"$ 12", "12"},
        {"-12", "-12"},
        {"", ""},
        {"  7  ", "7"},
        {"1.2346E+05", "1.2346E+05"},
        {"2.5e-3 m", "2.5e-3"},
        {"12 m3", "12"},
        {"4E", "4"},
        {"1,000 l/s", "1000"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(RemoveSeps(row.text), row.expected);
    }
    // The exponent is kept: 1.2346E+05 = 123460.
    EXPECT_DOUBLE_EQ(std::stod(RemoveSeps("1.2346E+05").str()), 123460.0);

    LocaleSeparators european(',', '.');
    EXPECT_EQ(RemoveSeps("1.234,5"), "1234.5");
    EXPECT_EQ(FixDecimalSeparator("1,5,6"), "1.5,6");
}

TEST(Gridutil, LineBreakConversions) {
    using Convert = std::function<AnsiString(AnsiString)>;
    auto inPlace = [](void (*f)(AnsiString&)) {
        return Convert([f](AnsiString s) {
            f(s);
            return s;
        });
    };
    struct Row {
        const char* name;
        Convert convert;
        std::string text;
        std::string expected;
    } rows[] = {
        {"to CSV", inPlace(LineFeedsToCSV), "a\r\nb", "\"a\nb\""},
        {"to CSV, quotes kept single", inPlace(LineFeedsToCSV), "say \"hi\"", "\"say \"hi\"\""},
        {"to CSV, lone CR", inPlace(LineFeedsToCSV), "a\rb", "\"a\rb\""},
        {"from CSV", inPlace(CSVToLineFeeds), "a\r\nb", "a\r\r\nb"},
        {"from CSV, no LF", inPlace(CSVToLineFeeds), "a\rb", "a\rb"},
        {"to Java", inPlace(LineFeedsToJava), "a\r\nb\r\n", "a~b~"},
        {"from Java", inPlace(JavaToLineFeeds), "a~b~", "a\r\nb\r\n"},
        {"to XLS", LineFeedsToXLS, "a\r\nb", "a\nb"},
        {"to file", LfToFile, "a\r\nb", "a\t\bb"},
        {"to file, no CR", LfToFile, "a\nb", "a\nb"},
        {"from file", [](AnsiString s) { return FileToLf(s, true); }, "a\t\bb", "a\r\nb"},
        {"from file, first line", [](AnsiString s) { return FileToLf(s, false); }, "a\t\bb", "a"},
        {"from file, no LF mark", [](AnsiString s) { return FileToLf(s, false); }, "a\tb", "a\tb"},
        {"to file, a TAB kept", LfToFile, "a\tb\r\nc", "a\x1B\tb\t\bc"},
        {"to file, a backspace kept", LfToFile, "a\bb", "a\x1B\bb"},
        {"to file, an escape kept", LfToFile, "a\x1B", "a\x1B\x1B"},
        {"to file, lone CRs marked", LfToFile, "a\rb", "a\tb\x1B"},
        {"to file, TAB and LF without CR", LfToFile, "a\tb\nc", "a\tb\nc"},
        {"from file, a TAB kept", [](AnsiString s) { return FileToLf(s, true); }, "a\x1B\tb\t\bc",
         "a\tb\r\nc"},
        {"from file, a backspace kept", [](AnsiString s) { return FileToLf(s, true); }, "a\x1B\bb", "a\bb"},
        {"from file, an escape kept", [](AnsiString s) { return FileToLf(s, true); }, "a\x1B\x1B", "a\x1B"},
        {"from file, lone CRs", [](AnsiString s) { return FileToLf(s, true); }, "a\tb\x1B", "a\rb"},
        {"backslash n to CR", CLFToLF, "a\\nb\\n", "a\rb\r"},
        {"CR to backslash n", LFToCLF, "a\r\nb", "a\\nb"},
        {"HTML breaks", HTMLLineBreaks, "a\r\nb", "a<br>\nb"},
        {"HTML, no CR", HTMLLineBreaks, "a\nb", "a\nb"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(row.convert(row.text).str(), row.expected);
    }
}

TEST(Gridutil, LinesTakenOneByOne) {
    struct Row {
        const char* text;
        bool multi;
        const char* line;
        const char* rest;
        int lines;
    } rows[] = {
        {"a\r\nb\rc", true, "a", "b\rc", 3}, {"a\r\nb", false, "a", "", 1},       {"abc", true, "abc", "", 1},
        {"\r\n", true, "", "", 2},           {"a\r\r\nb", true, "a", "\r\nb", 3},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        AnsiString s = row.text;
        EXPECT_EQ(LinesInText(s, row.multi), row.lines);
        EXPECT_EQ(GetNextLine(s, row.multi), row.line);
        EXPECT_EQ(s, row.rest);
    }
}

TEST(Gridutil, DoubledCharacters) {
    struct Row {
        const char* text;
        const char* single;
        int singlePos;
        int singles;
    } rows[] = {
        {"say \"\"hi\"\"", "say \"hi\"", 10, 1},
        {"plain", "plain", 0, 0},
        {"\"a\"", "\"a\"", 1, 2},
        {"a\"\"b\"", "a\"b\"", 5, 1},
        {"\"\"\"", "\"", 3, 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(DoubleToSingleChar('"', row.text), row.single);
        EXPECT_EQ(SinglePos('"', row.text), row.singlePos);
        EXPECT_EQ(NumSingleChar('"', row.text), row.singles);
    }
}

TEST(Gridutil, SmallTextHelpers) {
    AnsiString link = "http://drenvala.org";
    EXPECT_TRUE(IsURL(link));
    StripURLProtocol(link);
    EXPECT_EQ(link, "drenvala.org");
    AnsiString mail = "mailto:eng@x.org";
    StripURLProtocol(mail);
    EXPECT_EQ(mail, "eng@x.org");
    EXPECT_FALSE(IsURL("www.x.org"));

    EXPECT_TRUE(IsInGridRect({1, 2, 3, 4}, 3, 2));
    EXPECT_FALSE(IsInGridRect({1, 2, 3, 4}, 4, 2));

    EXPECT_EQ(FIPos("BLI", "a <bLink>"), 4);
    EXPECT_EQ(FIPos("bli", "a <bLink>"), 0);
    int p = -1;
    EXPECT_EQ(VarPos("c", "abc", p), 3);
    EXPECT_EQ(p, 3);

    AnsiString tokens = "12;34";
    EXPECT_EQ(GetToken(tokens, ";"), "12");
    EXPECT_EQ(tokens, "34");
    EXPECT_EQ(GetToken(tokens, ";"), "");
    EXPECT_EQ(tokens, "34");

    EXPECT_EQ(FirstChar(",;", "a;b,c"), ';');
    EXPECT_EQ(FirstChar(",;", "abc"), '\0');

    TStringList list;
    list.Add("ab");
    list.Add("c");
    EXPECT_EQ(StringListToText(list), "abc");

    AnsiString secret = "Øre1"; // four characters, five bytes
    StringToPassword(secret, '*');
    EXPECT_EQ(secret, "****");

    TPoint cell = Point(-1, -1);
    EXPECT_TRUE(NameToCell("r12c3", cell));
    EXPECT_EQ(cell, Point(3, 12));
    for (const char* notACell : {"R1C", "RC1", "X1C1", "R1X2", "R1Ca"}) {
        SCOPED_TRACE(notACell);
        EXPECT_FALSE(NameToCell(notACell, cell));
        EXPECT_EQ(cell, Point(3, 12));
    }
    EXPECT_EQ(RectString(Rect(1, -2, 30, 40)), "[1:-2][30:40]");

    EXPECT_EQ(HTMLColor(clRed), "FF0000");
    EXPECT_EQ(HTMLColor(0x00336699), "996633");
}

// Code page 850 from its published table: "ü" 0x81, "½" 0xAB, "ÿ" 0x98, "═" 0xCD; "€" is not in it.
TEST(Gridutil, OemCodePage) {
    const struct {
        const char* text;
        const char* oem;
        const char* back;
    } rows[] = {
        {"Zürich", "Z\x81rich", "Zürich"},
        {"½", "\xAB", "½"},
        {"€", "?", "?"},
        {"ÿ═ plain", "\x98\xCD plain", "ÿ═ plain"},
        {"日本", "??", "??"},
        // A byte that is no UTF-8 is Windows-1252: 0xE9 is "é", 0x82 in code page 850.
        {"caf\xE9", "caf\x82", "café"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        AnsiString text = row.text;
        StringToOem(text);
        EXPECT_EQ(text, row.oem);
        OemToString(text);
        EXPECT_EQ(text, row.back);
    }
}

TEST(Gridutil, NameCapitals) {
    struct Row {
        const char* text;
        const char* expected;
    } rows[] = {
        {"MCDONALD", "McDonald"},
        {"o'neil mcdonald", "O'Neil McDonald"},
        {"henry ii", "Henry II"},
        {"smith-jones", "Smith-Jones"},
        {"ivan the great", "Ivan The Great"},
        {"øre lake", "øre Lake"},
        {"louis xiv", "Louis Xiv"},
        {"", ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(ShiftCase(row.text), row.expected);
    }
}

TEST(Gridutil, ShortDates) {
    EXPECT_EQ(StrToShortdateUS("12/31/05"), EncodeDate(2005, 12, 31));
    EXPECT_EQ(StrToShortDateEU("31.12.99"), EncodeDate(1999, 12, 31));
    EXPECT_EQ(StrToShortDateEU("1-2-25"), EncodeDate(2025, 2, 1));
    EXPECT_EQ(StrToShortDateEU("1-2-26"), EncodeDate(1926, 2, 1));
    // A year of three or more digits stands as typed.
    EXPECT_EQ(StrToShortDateEU("1/2/2005"), EncodeDate(2005, 2, 1));
    EXPECT_EQ(StrToShortDateEU("1/2/205"), EncodeDate(205, 2, 1));
    EXPECT_EQ(StrToShortdateUS("12/31"), 0);
    EXPECT_EQ(StrToShortdateUS("12 31 05"), 0);
    EXPECT_EQ(StrToShortdateUS("a/31/05"), 0);
    EXPECT_THROW(StrToShortdateUS("13/31/05"), EConvertError);

    DateSettings european("dd/mm/yyyy", '/');
    TDateTime d = 0;
    EXPECT_TRUE(ReadShortDate("3/4/2010", d));
    EXPECT_EQ(d, EncodeDate(2010, 4, 3));
    EXPECT_FALSE(ReadShortDate("31/2/2010", d));
    EXPECT_FALSE(ReadShortDate("3/13/2010", d));
    EXPECT_FALSE(ReadShortDate("3-4-2010", d));
    DateSettings american("m.d.yyyy", '.');
    EXPECT_TRUE(ReadShortDate("3.4.2010", d));
    EXPECT_EQ(d, EncodeDate(2010, 3, 4));
}

TEST(Gridutil, NextDates) {
    const TDateTime start = EncodeDate(2010, 11, 15);
    EXPECT_EQ(GetNextDate(start, 0, 0, 20, 1), EncodeDate(2010, 12, 5));
    EXPECT_EQ(GetNextDate(start, 2, 0, 0, 1), EncodeDate(2012, 11, 15));
    EXPECT_EQ(GetNextDate(start, 0, 3, 0, 1), EncodeDate(2011, 2, 15));
    EXPECT_EQ(GetNextDate(start, 0, 14, 0, 1), EncodeDate(2012, 1, 15));
    EXPECT_EQ(GetNextDate(start, 1, 1, 0, 7), start + 7);
}

TEST(Gridutil, FilterMasks) {
    LocaleSeparators locale('.', ',');
    DateSettings dates("dd/mm/yyyy", '/');
    struct Row {
        const char* mask;
        const char* text;
        bool expected;
    } rows[] = {
        {">=10", "10", true},
        {"<5", "7", false},
        {"a*c", "abbc", true},
        {"a?c", "ac", false},
        {"!a*", "abc", false},
        {"!a*", "xbc", true},
        {">10", "9.5", false},
        {"> 9", "9.5", true},
        {">b", "c", true},
        {"<=b", "b", true},
        {">1/2/2010", "3/2/2010", true},
        {"*", "", true},
        {"a**b", "ab", true},
        {"a*b*c", "axbyc", true},
        {"a*b*c", "axbyd", false},
        {"?", "", false},
        {"abc", "abc", true},
        {"abc", "abcd", false},
        {"*cd", "abcd", true},
        {"ab*", "a", false},
        {"*a*a", "aa", true},
        {"*a*a", "a", false},
        {"a*", "ba", false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.mask) + " on " + row.text);
        EXPECT_EQ(Matches(row.mask, row.text), row.expected);
    }
}

TEST(Gridutil, ManyStarMasksAnswerWithoutBacktracking) {
    // A backtracking matcher tries every way of sharing the text among the stars: this
    // mask would not finish.
    const AnsiString text(std::string(5000, 'a'));
    std::string stars;
    for (int i = 0; i < 60; ++i)
        stars += "*a";
    EXPECT_FALSE(Matches(AnsiString(stars + "*b*"), text));
    EXPECT_TRUE(Matches(AnsiString(stars + "*"), text));
    EXPECT_TRUE(Matches(AnsiString(stars), text));
    EXPECT_FALSE(Matches(AnsiString(stars + "?b"), text));
}

TEST(Gridutil, FilterConditions) {
    struct Row {
        const char* condition;
        const char* text;
        bool caseSensitive;
        bool expected;
    } rows[] = {
        {"a* ; b*", "bob", false, true}, {"a*&*z", "abz", true, true},     {"a*&*y", "abz", true, false},
        {"A*", "abc", true, false},      {"A*", "abc", false, true},       {"x ^ a*", "abc", true, true},
        {"  a* ", "abc", true, true},    {">=10 & <20", "15", true, true}, {">=10 & <20", "25", true, false},
        {"ø*", "Øre", false, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.condition) + " on " + row.text);
        EXPECT_EQ(MatchStrEx(row.condition, row.text, row.caseSensitive), row.expected);
    }
}

QRgb PixelOf(const TBitmap& bitmap, int x, int y) {
    return bitmap.Image().pixel(x, y) & 0xFFFFFF;
}

TEST(GridutilDraw, TheTopLeftColourShowsTheBackground) {
    TBitmap glyph;
    glyph.SetSize(3, 1);
    glyph.Canvas->Brush.Color = clRed;
    glyph.Canvas->FillRect(Rect(0, 0, 3, 1));
    glyph.Canvas->Brush.Color = clBlue;
    glyph.Canvas->FillRect(Rect(1, 0, 2, 1));
    TBitmap target;
    target.SetSize(6, 2);
    // Stretched to twice its size: red, blue, red becomes green, blue, green in pairs.
    DrawBitmapTransp(*target.Canvas, glyph, clLime, Rect(0, 0, 6, 2));
    EXPECT_EQ(PixelOf(target, 0, 0), 0x00FF00u);
    EXPECT_EQ(PixelOf(target, 2, 1), 0x0000FFu);
    EXPECT_EQ(PixelOf(target, 5, 1), 0x00FF00u);

    TBitmap untouched;
    untouched.SetSize(4, 4);
    DrawBitmapResourceTransp(*untouched.Canvas, clLime, Rect(0, 0, 4, 4), "NoSuchPicture");
    EXPECT_EQ(PixelOf(untouched, 1, 1), 0xFFFFFFu);
}

// Columns that hold a red pixel in a band of rows.
std::pair<int, int> RedColumns(const TBitmap& bitmap, int top, int bottom) {
    int first = bitmap.Width(), last = -1;
    for (int y = top; y < bottom; ++y)
        for (int x = 0; x < bitmap.Width(); ++x)
            if (PixelOf(bitmap, x, y) == 0xFF0000u) {
                first = std::min(first, x);
                last = std::max(last, x);
            }
    return {first, last};
}

TEST(GridutilDraw, ErrorLinesRunUnderTheMarkedCharacters) {
    TPanel control(nullptr);
    TBitmap bitmap;
    bitmap.SetSize(300, 40);
    TCanvas& canvas = *bitmap.Canvas;
    const AnsiString text = "Sewer S12 is long";
    const TRect r = Rect(10, 5, 290, 35);
    // Characters 6-8 ("S12"): from where "Sewer " ends to where "Sewer S1" ends.
    DrawErrorLines(control, canvas, text, r, 12, 6, 3);
    const int from = r.Left + canvas.TextWidth("Sewer ");
    const int to = r.Left + canvas.TextWidth("Sewer S1");
    const auto [first, last] = RedColumns(bitmap, 15, 22);
    EXPECT_NEAR(first, from, 1);
    EXPECT_GE(last, to);
    EXPECT_LE(last, to + 4);
    EXPECT_EQ(RedColumns(bitmap, 0, 15).second, -1);
    EXPECT_EQ(RedColumns(bitmap, 22, 40).second, -1);

    // Marked past the end: the line reaches 4 pixels beyond the last character.
    TBitmap tail;
    tail.SetSize(300, 40);
    DrawErrorLines(control, *tail.Canvas, "ab", r, 0, 1, 5);
    EXPECT_GE(RedColumns(tail, 0, 40).second, r.Left + tail.Canvas->TextWidth("a") + 4);
}

} // namespace
