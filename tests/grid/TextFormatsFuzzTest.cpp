#include "framework/Exceptions.h"
#include "framework/RichText.h"
#include "grid/CellFileFormat.h"
#include "grid/ClipboardFormat.h"
#include "grid/CsvFormat.h"
#include "grid/TextLines.h"
#include "tests/grid/FieldRows.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

namespace {

// Bytes that mean something to one reader or another, and a few that mean nothing.
constexpr std::string_view Alphabet = "\"\",,;\r\n\r\n\t~^\0\x1A\\{}'$-x0a\xC3\x98\xFF";

std::string RandomBytes(std::mt19937& random, std::size_t maxLength) {
    std::uniform_int_distribution<std::size_t> length(0, maxLength);
    std::uniform_int_distribution<std::size_t> pick(0, Alphabet.size() - 1);
    std::string bytes(length(random), ' ');
    for (char& c : bytes)
        c = Alphabet[pick(random)];
    return bytes;
}

std::size_t LineBreaks(std::string_view text) {
    std::size_t breaks = 0;
    for (std::size_t i = 0; i < text.size(); i += std::max<std::size_t>(1, LineBreakAt(text, i)))
        breaks += LineBreakAt(text, i) > 0;
    return breaks;
}

TEST(TextFormatsFuzz, RandomBytesReadWithoutFaultAndWithConsistentCounts) {
    std::mt19937 random(20240611);
    for (int round = 0; round < 3000; ++round) {
        const std::string bytes = RandomBytes(random, 120);
        SCOPED_TRACE(round);
        const std::string text = TextOfFileBytes(bytes, round % 2 == 0);
        for (const char separator : {',', ';', '\t', '\0', DetectCsvDelimiter(text)}) {
            const FieldTable table = ReadCsvRecords(text, separator, round % 3 == 0);
            ASSERT_LE(static_cast<std::size_t>(table.RowCount()), LineBreaks(text) + 1);
            for (int r = 0; r < table.RowCount(); ++r)
                ASSERT_LE(table.FieldCount(r), table.MaxFieldCount());
        }
        const ClipboardFields clip = ReadClipboardText(text, round % 2 == 1);
        int stored = 0;
        for (int r = 0; r < clip.Rows.RowCount(); ++r)
            stored += clip.Rows.FieldCount(r);
        ASSERT_TRUE(clip.Count == stored || clip.Count == stored + 1);
        CellFileReader lax(text, round % 2 == 0, false);
        for (CellFileLine line; lax.Next(line);) {
        }
        try {
            CellFileReader strict(text, false, true);
            for (CellFileLine line; strict.Next(line);) {
            }
        } catch (const EConvertError&) {
        }
        RtfToPlainText("{\\rtf1 " + bytes);
    }
}

TEST(TextFormatsFuzz, AHugeLineReadsInOnePass) {
    const std::string line(50 * 1000 * 1000, 'x');
    EXPECT_EQ(DetectCsvDelimiter(line + "\r\n" + line), 0);
    const FieldTable plain = ReadCsvRecords(line, ',', false);
    ASSERT_EQ(plain.RowCount(), 1);
    EXPECT_EQ(plain.Field(0, 0).size(), 50u * 1000 * 1000);
    const std::string unclosed = "\"" + line + "\r\nnext,row";
    const FieldTable open = ReadCsvRecords(unclosed, ',', false);
    EXPECT_EQ(RowsOf(open).back(), (std::vector<std::string>{"next", "row"}));
}

} // namespace
