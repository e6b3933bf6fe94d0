#include "grid/TextLines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace std::string_literals;

namespace {

std::vector<std::string> Lines(std::string_view text, LineEnds ends) {
    std::vector<std::string> lines;
    LineReader reader(text, ends);
    for (std::string_view line; reader.Next(line);)
        lines.emplace_back(line);
    return lines;
}

TEST(TextLines, FileBytesBecomeTheProgramsText) {
    struct Row {
        const char* label;
        std::string bytes;
        bool ctrlZ;
        std::string expected;
    } rows[] = {
        {"UTF-8 as it is", "\xC3\x98 x", true, "\xC3\x98 x"},
        {"a byte order mark is skipped", "\xEF\xBB\xBFx,y", true, "x,y"},
        {"Windows-1252 when not UTF-8", "\xD8x\x80", true, "\xC3\x98x\xE2\x82\xAC"},
        {"only the bytes that are not UTF-8 as Windows-1252", "Z\xC3\xBCrich \xFC \xC3\xBC\x80\xC3", true,
         "Z\xC3\xBCrich \xC3\xBC \xC3\xBC\xE2\x82\xAC\xC3\x83"},
        {"a Ctrl-Z as the last byte ends an old text file", "a\r\n\x1A", true, "a\r\n"},
        {"a Ctrl-Z inside is a cell's text", "a\x1Az\r\n", true, "a\x1Az\r\n"},
        {"Ctrl-Z is text where files do not end at it", "a\x1A", false, "a\x1A"},
        {"NUL is text", "a\0b"s, true, "a\0b"s},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        EXPECT_EQ(TextOfFileBytes(row.bytes, row.ctrlZ), row.expected);
    }
}

TEST(TextLines, LinesEndWhereTheFormatSays) {
    EXPECT_EQ(Lines("a\r\nb\nc\rd", LineEnds::Any), (std::vector<std::string>{"a", "b", "c", "d"}));
    EXPECT_EQ(Lines("a\r\n\r\n", LineEnds::Any), (std::vector<std::string>{"a", ""}));
    EXPECT_EQ(Lines("a\r\nb\nc\rd\r\n", LineEnds::CarriageReturn),
              (std::vector<std::string>{"a", "b\nc", "d"}));
    EXPECT_TRUE(Lines("", LineEnds::Any).empty());
}

TEST(TextLines, CharactersAreCountedAndCutWhole) {
    const std::string text = "a\xC3\x98z\xE2\x82\xAC";
    EXPECT_EQ(CharCount(text), 4);
    EXPECT_EQ(CharSpan(text, 1, 2), "\xC3\x98z");
    EXPECT_EQ(CharSpan(text, 3, 9), "\xE2\x82\xAC");
    EXPECT_EQ(CharSpan(text, 7, 2), "");
}

} // namespace
