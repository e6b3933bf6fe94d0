#include "network/PipeSizes.h"
#include "tests/support/AnsiStringPrinter.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

namespace {

std::string Texts(const PipeSizeList& sizes) {
    std::string texts;
    for (const PipeSize& size : sizes)
        texts += size.Text.str() + "|";
    return texts;
}

// A fault in the file gives the built-in list, which SewerMainFormTest shows in full.
TEST(PipeSizes, ReadsTheFile) {
    const std::string builtIn = Texts(BuiltInPipeSizes()), three = "150|225|300|";
    struct Row {
        const char* label;
        std::string content;
        std::string sizes;
    } rows[] = {
        {"section in lower case with blanks, blanks around the commas",
         "#DRENVALA_DAT\nremark\n  pipe_sizes \n3\n150, 225 ,300\n", three},
        {"marker in lower case", "#drenvala_dat\nPIPE_SIZES\n3\n150,225,300\n", builtIn},
        {"count 2", "#DRENVALA_DAT\nPIPE_SIZES\n2\n150,225\n", builtIn},
        {"count 25 takes the first 20",
         "#DRENVALA_DAT\nPIPE_SIZES\n25\n1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21,22,23,24,25\n",
         "1|2|3|4|5|6|7|8|9|10|11|12|13|14|15|16|17|18|19|20|"},
        {"count followed by text", "#DRENVALA_DAT\nPIPE_SIZES\n 3 sizes\n150,225,300\n", three},
        {"fewer entries than the count taken", "#DRENVALA_DAT\nPIPE_SIZES\n3\n150,225,300,375\n", three},
        {"Windows line ends", "#DRENVALA_DAT\r\nPIPE_SIZES\r\n3\r\n150,225,300\r\n", three},
        // Mended: the sizes line may be the file's last, without a line end; its last digit stays.
        {"no line end after the sizes", "#DRENVALA_DAT\nPIPE_SIZES\n3\n150,225,300", three},
        {"marker with a trailing blank", "#DRENVALA_DAT \nPIPE_SIZES\n3\n150,225,300\n", builtIn},
        {"no section", "#DRENVALA_DAT\n3\n150,225,300\n", builtIn},
        {"no count", "#DRENVALA_DAT\nPIPE_SIZES\n", builtIn},
        // Mended: each of these falls back to the built-in list instead of reading out of range
        // or failing at every design.
        {"count not a number", "#DRENVALA_DAT\nPIPE_SIZES\nthree\n150,225,300\n", builtIn},
        {"fewer sizes than the count", "#DRENVALA_DAT\nPIPE_SIZES\n4\n150,225,300\n", builtIn},
        {"trailing comma is no size", "#DRENVALA_DAT\nPIPE_SIZES\n4\n150,225,300,\n", builtIn},
        {"no sizes line", "#DRENVALA_DAT\nPIPE_SIZES\n3\n", builtIn},
        {"size not a number", "#DRENVALA_DAT\nPIPE_SIZES\n3\n150,2x5,300\n", builtIn},
        {"empty size", "#DRENVALA_DAT\nPIPE_SIZES\n3\n150,,300\n", builtIn},
        {"zero size", "#DRENVALA_DAT\nPIPE_SIZES\n3\n0,225,300\n", builtIn},
        {"infinite size", "#DRENVALA_DAT\nPIPE_SIZES\n3\n150,inf,300\n", builtIn},
        {"size with its unit", "#DRENVALA_DAT\nPIPE_SIZES\n3\n150mm,225,300\n", builtIn},
        // Read in a moment: only the counted sizes are split off.
        {"two million commas after the sizes",
         "#DRENVALA_DAT\nPIPE_SIZES\n3\n150,225,300" + std::string(2'000'000, ',') + "\n", three},
    };
    QTemporaryDir dir;
    const std::string path = (dir.path() + "/drenvala.dat").toStdString();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        std::ofstream(path, std::ios::binary | std::ios::trunc) << row.content;
        EXPECT_EQ(Texts(ReadPipeSizes(path)), row.sizes);
    }
}

// Only the counted sizes are split off, so that a line of millions of commas reads in a moment.
TEST(PipeSizes, SplitLineStopsAtTheMostAskedFor) {
    const std::vector<AnsiString> parts = SplitLine(" 150 ,225,300,375", ",", 2);
    EXPECT_EQ(parts, (std::vector<AnsiString>{"150", "225"}));
}

} // namespace
