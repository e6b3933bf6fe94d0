#include "network/PipeSizes.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <fstream>
#include <string>

namespace {

const char* const BuiltIn[] = {"50",  "75",  "100", "125", "150", "175", "200", "225", "250", "275",
                               "300", "325", "350", "375", "400", "425", "450", "475", "500", "520"};

std::vector<std::string> Texts(const PipeSizeList& sizes) {
    std::vector<std::string> texts;
    for (const PipeSize& size : sizes)
        texts.push_back(size.Text.str());
    return texts;
}

std::vector<std::string> BuiltInTexts() {
    return {std::begin(BuiltIn), std::end(BuiltIn)};
}

TEST(PipeSizes, BuiltInList) {
    const PipeSizeList sizes = BuiltInPipeSizes();
    EXPECT_EQ(Texts(sizes), BuiltInTexts());
    EXPECT_DOUBLE_EQ(sizes[2].Millimetres, 100);
    EXPECT_DOUBLE_EQ(sizes[19].Millimetres, 520);
}

TEST(PipeSizes, NoFileGivesTheBuiltInList) {
    QTemporaryDir dir;
    EXPECT_EQ(Texts(ReadPipeSizes((dir.path() + "/drenvala.dat").toStdString())), BuiltInTexts());
}

TEST(PipeSizes, ReadsTheFile) {
    const std::string twentyFive = "25\n" + [] {
        std::string line;
        for (int size = 100; size <= 700; size += 25)
            line += std::to_string(size) + ",";
        return line;
    }() + "\n";
    const std::vector<std::string> first20 = {"100", "125", "150", "175", "200", "225", "250",
                                              "275", "300", "325", "350", "375", "400", "425",
                                              "450", "475", "500", "525", "550", "575"};
    const std::vector<std::string> builtIn = BuiltInTexts();
    const std::vector<std::string> three = {"150", "225", "300"};
    struct Row {
        const char* label;
        std::string content;
        std::vector<std::string> sizes;
    } rows[] = {
        {"section in lower case with blanks, blanks around the commas",
         "#DRENVALA_DAT\nremark\n  pipe_sizes \n3\n150, 225 ,300\n", three},
        {"marker in lower case", "#drenvala_dat\nPIPE_SIZES\n3\n150,225,300\n", builtIn},
        {"count 2", "#DRENVALA_DAT\nPIPE_SIZES\n2\n150,225\n", builtIn},
        {"count 25 takes the first 20", "#DRENVALA_DAT\nPIPE_SIZES\n" + twentyFive, first20},
        {"count followed by text", "#DRENVALA_DAT\nPIPE_SIZES\n 3 sizes\n150,225,300\n", three},
        {"fewer entries than the count taken", "#DRENVALA_DAT\nPIPE_SIZES\n3\n150,225,300,375\n", three},
        {"sizes line ending in a comma", "#DRENVALA_DAT\nPIPE_SIZES\n3\n150,225,300,\n", three},
        {"Windows line ends", "#DRENVALA_DAT\r\nPIPE_SIZES\r\n3\r\n150,225,300\r\n", three},
        // Mended: the sizes line may be the file's last, without a line end; its last digit stays.
        {"no line end after the sizes", "#DRENVALA_DAT\nPIPE_SIZES\n3\n150,225,300", three},
        {"marker with a trailing blank", "#DRENVALA_DAT \nPIPE_SIZES\n3\n150,225,300\n", builtIn},
        {"no section", "#DRENVALA_DAT\n3\n150,225,300\n", builtIn},
        {"no count", "#DRENVALA_DAT\nPIPE_SIZES\n", builtIn},
        {"empty file", "", builtIn},
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
    };
    QTemporaryDir dir;
    const std::string path = (dir.path() + "/drenvala.dat").toStdString();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        std::ofstream(path, std::ios::binary | std::ios::trunc) << row.content;
        EXPECT_EQ(Texts(ReadPipeSizes(path)), row.sizes);
    }
}

TEST(PipeSizes, FileSizesAreReadWithADecimalPoint) {
    QTemporaryDir dir;
    const std::string path = (dir.path() + "/drenvala.dat").toStdString();
    std::ofstream(path, std::ios::binary) << "#DRENVALA_DAT\nPIPE_SIZES\n3\n150.5,225,1e3\n";
    const PipeSizeList sizes = ReadPipeSizes(path);
    ASSERT_EQ(sizes.size(), 3u);
    EXPECT_DOUBLE_EQ(sizes[0].Millimetres, 150.5);
    EXPECT_DOUBLE_EQ(sizes[2].Millimetres, 1000);
    EXPECT_EQ(sizes[2].Text, "1e3");
}

TEST(PipeSizes, SplitLine) {
    struct Row {
        const char* line;
        const char* separator;
        std::vector<std::string> parts;
    } rows[] = {
        {"150, 225 ,300", ",", {"150", "225", "300"}},
        {"a,,b", ",", {"a", "", "b"}},
        {"a,b,", ",", {"a", "b"}},
        {"a,b, ", ",", {"a", "b", ""}},
        {"", ",", {}},
        {" x ", ",", {"x"}},
        {"a--b", "--", {"a", "b"}},
        {"a,b", "", {"a,b"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.line);
        std::vector<std::string> parts;
        for (const AnsiString& part : SplitLine(row.line, row.separator))
            parts.push_back(part.str());
        EXPECT_EQ(parts, row.parts);
    }
}

} // namespace
