#pragma once

#include "framework/AnsiString.h"

#include <cstddef>
#include <vector>

// Rows of fields read aside from a file or the clipboard, before any of them reaches a grid.
// The fields of all rows lie in one vector, so a large file costs no allocation per row.
class FieldTable {
public:
    // Room for this many fields and rows, so that a large file is not moved as it grows.
    void Reserve(std::size_t fieldCount, std::size_t rowCount) {
        fields.reserve(fieldCount);
        rowEnds.reserve(rowCount);
    }
    void AddField(AnsiString field) { fields.push_back(std::move(field)); }
    // Closes the row of the fields added since the last one; a row may have none.
    void EndRow();

    int RowCount() const { return static_cast<int>(rowEnds.size()); }
    int FieldCount(int row) const;
    const AnsiString& Field(int row, int index) const;
    // The most fields of any row.
    int MaxFieldCount() const { return maxFields; }

private:
    std::size_t RowStart(int row) const { return row == 0 ? 0 : rowEnds[static_cast<std::size_t>(row - 1)]; }

    std::vector<AnsiString> fields;
    std::vector<std::size_t> rowEnds;
    int maxFields = 0;
};
