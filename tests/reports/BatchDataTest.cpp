#include "reports/BatchData.h"
#include "framework/Exceptions.h"
#include "tests/support/LocaleSeparators.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A sewer's line: name, length, houses, an empty field, supplementary flow, five empty fields,
// the two junctions and the two ground levels.
std::string Line(const std::string& name, const std::string& length, const std::string& houses,
                 const std::string& flow, const std::string& zu, const std::string& zd) {
    return name + "," + length + "," + houses + ",," + flow + ",,,,,,Ja,Jb," + zu + "," + zd;
}

std::string Describe(const BatchData& data) {
    std::string text;
    for (const BatchRow& row : data.Rows)
        text += row.Name.str() + " " + std::to_string(row.Length) + " " + std::to_string(row.Houses) + " " +
                std::to_string(row.SupplementaryFlow) + " " + row.USJunction.str() + ">" +
                row.DSJunction.str() + " " + std::to_string(row.Zu) + " " + std::to_string(row.Zd) + " @" +
                std::to_string(row.Line) + "\n";
    return text;
}

TEST(BatchData, LinesGiveSewersWhateverTheirLineEnds) {
    const std::string header = "Sewer,Length (m),Houses";
    const std::string s1 = Line("S1", "50", "40", "2000", "20.00", "19.50");
    const std::string s2 = Line("\"S,2\"", " 80.5 ", "0", "0", "-1.5", "1e1");
    const std::string expected = "S1 50.000000 40 2000.000000 Ja>Jb 20.000000 19.500000 @2\n"
                                 "S,2 80.500000 0 0.000000 Ja>Jb -1.500000 10.000000 @4\n";
    const struct {
        const char* label;
        std::string text;
    } rows[] = {
        {"CR LF", header + "\r\n" + s1 + "\r\n\r\n" + s2 + "\r\n"},
        {"LF", header + "\n" + s1 + "\n\n" + s2 + "\n"},
        {"CR", header + "\r" + s1 + "\r\r" + s2},
        {"an empty line of separators", header + "\r\n" + s1 + "\r\n,,,,\r\n" + s2},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        const BatchData data = ReadBatchData(row.text, "d.csv");
        EXPECT_EQ(Describe(data), expected);
        ASSERT_EQ(data.Records.size(), 3u);
        EXPECT_EQ(data.Records[0], (std::vector<AnsiString>{"Sewer", "Length (m)", "Houses"}));
        EXPECT_EQ(data.Records[2][0], "S,2");
    }
}

TEST(BatchData, NumbersWithAPointReadInACommaLocale) {
    const LocaleSeparators comma(',', '.');
    const BatchData data = ReadBatchData("h\n" + Line("S1", "12.5", "3", "\"7,5\"", "2.25", "2"), "d.csv");
    EXPECT_EQ(Describe(data), "S1 12.500000 3 7.500000 Ja>Jb 2.250000 2.000000 @2\n");
}

TEST(BatchData, ALineThatGivesNoSewerRefusesTheFile) {
    const std::string start = "The data file d.csv was not loaded: ";
    const struct {
        const char* label;
        std::string text;
        std::string message;
    } rows[] = {
        {"empty lines only", "\r\n,,\r\n", "it holds no lines."},
        {"13 fields", "h\n" + Line("S1", "50", "40", "0", "1", ""),
         "line 2, field 14 is missing: a sewer's line has at least 14 fields."},
        {"no name", "h\n" + Line(" ", "50", "40", "0", "1", "0"),
         "line 2, field 1 holds \" \", which is not a sewer name."},
        {"length overflowing", "h\n" + Line("S1", "1e999", "40", "0", "1", "0"),
         "line 2, field 2 holds \"1e999\", which is not a length above 0 m."},
        {"flow -1", "h\n" + Line("S1", "50", "4", "-1", "1", "0"),
         "line 2, field 5 holds \"-1\", which is not a flow of 0 litres per day or more."},
        {"flow empty", "h\n" + Line("S1", "50", "4", "", "1", "0"),
         "line 2, field 5 holds \"\", which is not a flow of 0 litres per day or more."},
        {"Zd on the third line",
         "h\n" + Line("S1", "50", "4", "0", "1", "0") + "\n" + Line("S2", "5", "4", "0", "1", "-"),
         "line 3, field 14 holds \"-\", which is not a downstream ground level in m."},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        try {
            ReadBatchData(row.text, "d.csv");
            ADD_FAILURE() << "loaded";
        } catch (const EConvertError& refusal) {
            EXPECT_EQ(refusal.Message, start + row.message);
        }
    }
}

TEST(BatchData, AFileThatCannotBeOpenedIsNamed) {
    EXPECT_THROW(
        {
            try {
                ReadBatchFile("/no/such/folder/data.csv");
            } catch (const EFOpenError& refusal) {
                EXPECT_EQ(refusal.Message, "Cannot open file /no/such/folder/data.csv");
                throw;
            }
        },
        EFOpenError);
}

} // namespace
