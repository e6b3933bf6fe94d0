#include "grid/CsvFormat.h"

#include "tests/grid/FieldRows.h"

#include <gtest/gtest.h>

#include <string>

using namespace std::string_literals;

namespace {

bool HasLoneLineBreak(std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        else if (text[i] == '\r' || text[i] == '\n')
            return true;
    }
    return false;
}

TEST(CsvFormat, ReadsRecordsFieldsAndQuotes) {
    struct Row {
        const char* label;
        std::string bytes;
        char separator;
        FieldRows expected;
    } rows[] = {
        {"CR LF lines", "a,b\r\nc,d\r\n", ',', {{"a", "b"}, {"c", "d"}}},
        {"LF lines, as Linux programs write them", "a,b\nc,d\n", ',', {{"a", "b"}, {"c", "d"}}},
        {"CR lines", "a,b\rc,d", ',', {{"a", "b"}, {"c", "d"}}},
        {"two quotes are an empty field, mid-line and at the end", "\"\",x,\"\"\r\n", ',', {{"", "x", ""}}},
        {"separator and doubled quotes inside quotes",
         "a,\"b,c\",\"say \"\"hi\"\"\"\r\n",
         ',',
         {{"a", "b,c", "say \"hi\""}}},
        {"a line break inside quotes stays as the file has it",
         "\"l1\nl2\",x\n\"m1\r\nm2\"\r\n\"n1\rn2\"",
         ',',
         {{"l1\nl2", "x"}, {"m1\r\nm2"}, {"n1\rn2"}}},
        {"a lone quote", "\"\"\"\"\r\n", ',', {{"\""}}},
        {"a quoted text ending in a quote", "\"ab\"\"\",x\r\n", ',', {{"ab\"", "x"}}},
        {"a quote not before a separator or line end is text",
         "\"ab\"cd\",x\r\n\"ab\"cd,x\r\n",
         ',',
         {{"ab\"cd", "x"}, {"\"ab\"cd", "x"}}},
        {"a quote open to the end is text; no later row is lost",
         "x,\"abc\r\ny,\"p\r\nq\r\n",
         ',',
         {{"x", "\"abc"}, {"y", "\"p"}, {"q"}}},
        {"unquoted fields keep every character", "ab\"\"c,d\"e, f \r\n", ',', {{"ab\"\"c", "d\"e", " f "}}},
        {"an empty field after the last separator is none", "a,\r\n,,\r\n", ',', {{"a"}, {"", ""}}},
        {"an empty line is a row without fields", "a\r\n\r\nb", ',', {{"a"}, {}, {"b"}}},
        {"an empty file", "", ',', {}},
        {"no separator: a record is one field",
         "a,b;c\r\n\"x\r\ny\"\r\nz",
         0,
         {{"a,b;c"}, {"x\r\ny"}, {"z"}}},
        {"semicolons", "1;2,5;\"a;b\"\r\n", ';', {{"1", "2,5", "a;b"}}},
        {"NUL and high bytes are text", "a\0b,\xC3\x98\r\n"s, ',', {{"a\0b"s, "\xC3\x98"}}},
        {"TAB", "a\tb c\r\n", '\t', {{"a", "b c"}}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        EXPECT_EQ(RowsOf(ReadCsvRecords(row.bytes, row.separator, false)), row.expected);
    }
}

TEST(CsvFormat, TildesAreLineBreaksWhenAsked) {
    EXPECT_EQ(RowsOf(ReadCsvRecords("a~b,^,\"c,d~\"\r\n", ',', true)),
              (FieldRows{{"a\r\nb", "^", "c,d\r\n"}}));
    EXPECT_EQ(RowsOf(ReadCsvRecords("a~b\r\n", ',', false)), (FieldRows{{"a~b"}}));
}

TEST(CsvFormat, DetectsTheSeparatorTheFirstTwoRecordsAgreeOn) {
    struct Row {
        const char* label;
        const char* bytes;
        char expected;
    } rows[] = {
        {"semicolons in both records", "a;b;c\r\nd;e;f\r\ng,h", ';'},
        {"an earlier candidate keeps an equal count", "a,b;c\r\nd,e;f", ','},
        {"LF lines", "a;b\nc;d\n", ';'},
        {"TAB", "a\tb\r\nc\td", '\t'},
        {"bar", "a|b\r\nc|d", '|'},
        {"counts that differ", "a#b#c\r\nd#e", 0},
        {"the most separators win", "a;b,c;d\r\ne;f,g;h", ';'},
        {"empty fields count", "a,,b\r\nc,,d", ','},
        {"one record with several fields", "a,b,c", ','},
        {"one record with one separator", "p;q\r\n", ';'},
        {"one record without any", "pq\r\n", 0},
        {"a quoted separator does not count", "Sewer,\"Length, m\",Note\r\nS1,12.5,x\r\n", ','},
        {"a quoted line break stays in its record", "\"l1\r\nl2\",b\r\nc,d\r\n", ','},
        {"a TAB beside a quoted comma", "x\ty,\"p,q\"\r\nz\tw,r\r\n", ','},
        {"a quote that closes before no comma is text", "\"a\"b,c\r\nd,e", ','},
        {"nothing", "", 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        EXPECT_EQ(DetectCsvDelimiter(row.bytes), row.expected);
    }
}

TEST(CsvFormat, WritesFieldsQuotedWhereTheyWouldNotReadBack) {
    const CsvWriteOptions defaults;
    CsvWriteOptions bare;
    bare.QuoteEmptyFields = false;
    CsvWriteOptions tilde;
    tilde.TildeLineBreaks = true;
    CsvWriteOptions all;
    all.QuoteAllFields = true;
    CsvWriteOptions semicolon;
    semicolon.Separator = ';';
    struct Row {
        const char* text;
        const CsvWriteOptions& options;
        const char* expected;
    } rows[] = {
        {"", defaults, "\"\""},
        {"", bare, ""},
        {"", tilde, "^"},
        {"", all, "\"\""},
        {"plain", defaults, "plain"},
        {"a,b", defaults, "\"a,b\""},
        {"say \"hi\"", defaults, "say \"hi\""},
        {"\"", defaults, "\"\"\"\""},
        {"\"quoted\"", defaults, "\"\"\"quoted\"\"\""},
        {"a,\"b\"", defaults, "\"a,\"\"b\"\"\""},
        {"l1\r\nl2", defaults, "\"l1\r\nl2\""},
        {"l1\nl2", defaults, "\"l1\nl2\""},
        {"l1\rl2", defaults, "\"l1\rl2\""},
        {"l1\r\nl2\r\n", tilde, "l1~l2~"},
        {"a,b\r\nc", tilde, "\"a,b~c\""},
        {"x", all, "\"x\""},
        {"a,b", semicolon, "a,b"},
        {"a;b", semicolon, "\"a;b\""},
        {"\xC3\x98,\xC3\xA9", defaults, "\"\xC3\x98,\xC3\xA9\""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        std::string out;
        AppendCsvField(out, row.text, row.options);
        EXPECT_EQ(out, row.expected);
    }
}

TEST(CsvFormat, WrittenRowsReadBackAsTheyWere) {
    const std::vector<std::string> cells = {
        "",     "a", ",", "\"",       "\"\"", "ab\"",    "\"q\"", "l1\r\nl2", "x\"\r\n\"", " lead", "tail ",
        "a\tb", "~", "^", "\xC3\x98", "a;b",  "\"a,\"b", "\r\n",  "a\rb",     "a\nb",      "\r",    "\n"};
    CsvWriteOptions tilde;
    tilde.TildeLineBreaks = true;
    for (const CsvWriteOptions& options : {CsvWriteOptions{}, tilde}) {
        SCOPED_TRACE(options.TildeLineBreaks ? "tilde line breaks" : "quoted line breaks");
        std::vector<std::string> written;
        std::string text;
        for (const std::string& cell : cells) {
            // "~" and "^" are what tilde files use for line breaks and empty cells, and "~" reads
            // back as CR LF.
            if (options.TildeLineBreaks &&
                (cell.find_first_of("~^") != std::string::npos || cell.empty() || HasLoneLineBreak(cell)))
                continue;
            if (!written.empty())
                text += ',';
            AppendCsvField(text, cell, options);
            written.push_back(cell);
        }
        text += "\r\n";
        EXPECT_EQ(RowsOf(ReadCsvRecords(text + text, ',', options.TildeLineBreaks)),
                  (FieldRows{written, written}));
    }
}

} // namespace
