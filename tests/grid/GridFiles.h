#pragma once

#include "grid/Datagrid.h"

#include <QDir>
#include <QTemporaryDir>

#include <fstream>
#include <initializer_list>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

using GridCellTexts = std::vector<std::vector<std::string>>;

// 3 x 3 like the results table: a header row, a name column, an empty cell, a comma, a quote and
// a line break.
inline const GridCellTexts SampleTable = {
    {"Sewer", "Length (m)", "Note"},
    {"S1", "12.50", "a, b"},
    {"S2", "", "line1\r\nline2 \"x\""},
};

// Cell texts written compactly: rows split at "|", cells at each blank ("a  b" holds an empty cell).
inline GridCellTexts Cells(std::string_view text) {
    GridCellTexts texts(1, std::vector<std::string>(1));
    for (const char c : text) {
        if (c == '|')
            texts.emplace_back(1);
        else if (c == ' ')
            texts.back().emplace_back();
        else
            texts.back().back() += c;
    }
    return texts;
}

// A folder of its own for the files one test writes.
struct TestFolder {
    AnsiString Path(const char* name) const { return dir.filePath(name).toStdString(); }
    QTemporaryDir dir;
};

inline std::string FileBytes(const AnsiString& name) {
    std::ifstream file(name.str(), std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// A golden file of the grid's tests.
inline std::string Golden(const char* name) {
    return FileBytes(AnsiString(DRENVALA_TEST_DATA "/grid/") + name);
}

// Column positions or widths for the fixed-width files.
inline TIntList Positions(std::initializer_list<int> values) {
    TIntList list(0, 0);
    for (int value : values)
        list.Add(value);
    return list;
}

inline void WriteFile(const AnsiString& name, const std::string& bytes) {
    std::ofstream(name.str(), std::ios::binary) << bytes;
}

// Every cell of the grid's columns and rows, row by row, by real column.
inline GridCellTexts CellTexts(const TDataGrid& grid, int columns = -1) {
    GridCellTexts texts;
    for (int r = 0; r < grid.GetRowCount(); ++r) {
        texts.emplace_back();
        for (int c = 0; c < (columns < 0 ? grid.GetColCount() : columns); ++c)
            texts.back().push_back(grid.GetCellEx(c, r).str());
    }
    return texts;
}

// Fills the grid row by row from the top-left cell, setting its counts to the texts'.
inline void SetCellTexts(TDataGrid& grid, const GridCellTexts& texts) {
    grid.SetRowCount(static_cast<int>(texts.size()));
    grid.SetColCount(static_cast<int>(texts.front().size()));
    for (std::size_t r = 0; r < texts.size(); ++r)
        for (std::size_t c = 0; c < texts[r].size(); ++c)
            grid.SetCellEx(static_cast<int>(c), static_cast<int>(r), texts[r][c]);
}
