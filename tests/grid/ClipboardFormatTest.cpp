#include "grid/ClipboardFormat.h"

#include "tests/grid/FieldRows.h"

#include <gtest/gtest.h>

namespace {

TEST(ClipboardFormat, SplitsLinesAndTabs) {
    struct Row {
        const char* text;
        bool quoting;
        FieldRows expected;
        int count;
    } rows[] = {
        {"a\tb\r\nc\td\r\n", false, {{"a", "b"}, {"c", "d"}}, 5},
        {"a\tb", false, {{"a", "b"}}, 2},
        {"1\r\n2\r\n", false, {{"1"}, {"2"}}, 3},
        {"v\r\n", false, {{"v"}}, 2},
        {"a\nb\rc", false, {{"a"}, {"b"}, {"c"}}, 3},
        {"a\t", false, {{"a"}}, 2},
        {"a\t\r\n\r\nb", false, {{"a", ""}, {""}, {"b"}}, 4},
        {"", false, {}, 0},
        {"\"l1\nl2\"\tx\r\n", true, {{"l1\r\nl2", "x"}}, 3},
        {"\"l1\nl2\"\tx\r\n", false, {{"\"l1"}, {"l2\"", "x"}}, 4},
        {"\"one line\"\t\"open\r\nx", true, {{"\"one line\"", "\"open"}, {"x"}}, 3},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        const ClipboardFields fields = ReadClipboardText(row.text, row.quoting);
        EXPECT_EQ(RowsOf(fields.Rows), row.expected);
        EXPECT_EQ(fields.Count, row.count);
    }
}

} // namespace
