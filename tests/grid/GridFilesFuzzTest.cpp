#include "grid/Datagrid.h"

#include "framework/Exceptions.h"
#include "framework/Stream.h"
#include "grid/CsvFormat.h"
#include "grid/TextLines.h"
#include "tests/grid/GridFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace {

const char* const GoldenFiles[] = {"results.csv",       "results.grd", "results.txt",
                                   "results-fixed.txt", "results.xml", "results.html"};

// Every reader of the grid takes the bytes; the grids stay whole and their counts agree with the
// file's records.
struct Readers {
    void Load(const std::string& bytes) {
        const AnsiString file = folder.Path("fuzz");
        WriteFile(file, bytes);
        const int cols = csv.GetColCount();
        csv.Delimiter = ',';
        csv.LoadFromCSV(file);
        const CsvShape shape = MeasureCsv(TextOfFileBytes(bytes, true), ',');
        ASSERT_EQ(csv.GetRowCount(), std::max(1, shape.Records));
        ASSERT_EQ(csv.GetColCount(), std::max(cols, shape.MaxFields));
        csv.Delimiter = 0;
        csv.InsertFromCSV(file);
        ASSERT_EQ(csv.Delimiter, 0);

        try {
            cellFile.LoadFromFile(file);
        } catch (const EDataGridError&) {
        }
        TMemoryStream stream;
        stream.WriteBuffer(bytes.data(), static_cast<long long>(bytes.size()));
        stream.SetPosition(0);
        try {
            cellFile.LoadFromStream(&stream);
        } catch (const Exception&) {
        }
        TIntList positions = Positions({1, 4, 9, 12});
        fixed.LoadFromFixed(file, &positions);
        ASSERT_EQ(fixed.GetColCount(), 3);
    }

    TestFolder folder;
    TDataGrid csv{nullptr};
    TDataGrid cellFile{nullptr};
    TDataGrid fixed{nullptr};
};

TEST(GridFilesFuzz, EveryTruncationOfTheGoldenFilesLoads) {
    Readers readers;
    for (const char* name : GoldenFiles) {
        const std::string golden = Golden(name);
        ASSERT_FALSE(golden.empty()) << name;
        for (std::size_t length = 0; length <= golden.size(); ++length) {
            SCOPED_TRACE(std::string(name) + " cut at " + std::to_string(length));
            readers.Load(golden.substr(0, length));
        }
    }
}

TEST(GridFilesFuzz, RandomFilesLoad) {
    constexpr std::string_view alphabet = "\"\",,;\r\n\r\n\t~^\0\x1A$-x0a7\xC3\x98\xFF cw";
    std::mt19937 random(1234);
    std::uniform_int_distribution<std::size_t> length(0, 160);
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
    Readers readers;
    for (int round = 0; round < 300; ++round) {
        SCOPED_TRACE(round);
        std::string bytes(length(random), ' ');
        for (char& c : bytes)
            c = alphabet[pick(random)];
        readers.Load(bytes);
    }
}

TEST(GridFilesFuzz, SavedGridsLoadBackTheSame) {
    // Cells hold their line breaks as CR LF.
    const std::string alphabet[] = {"\"", ",", ";", "~", "^", " ", "\t", "x", "0", "\xC3\x98", "\r\n"};
    std::mt19937 random(99);
    std::uniform_int_distribution<int> size(1, 6);
    std::uniform_int_distribution<std::size_t> length(0, 8);
    std::uniform_int_distribution<std::size_t> pick(0, std::size(alphabet) - 1);
    TestFolder folder;
    const AnsiString file = folder.Path("saved.csv");
    TDataGrid grid(nullptr);
    grid.Delimiter = ',';
    TDataGrid back(nullptr);
    back.Delimiter = ',';
    for (int round = 0; round < 100; ++round) {
        SCOPED_TRACE(round);
        GridCellTexts texts(static_cast<std::size_t>(size(random)),
                            std::vector<std::string>(static_cast<std::size_t>(size(random))));
        for (auto& row : texts)
            for (std::string& cell : row)
                for (std::size_t n = length(random); n > 0; --n)
                    cell += alphabet[pick(random)];
        SetCellTexts(grid, texts);
        grid.SaveToCSV(file);
        back.LoadFromCSV(file);
        ASSERT_EQ(CellTexts(back, static_cast<int>(texts.front().size())), texts) << FileBytes(file);
    }
}

} // namespace
