#pragma once

#include <cstddef>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

// Rows of fields read aside from a file or the clipboard, before any of them reaches a grid.
// A field is a view into the text it was read from, which must outlive the table, or into the
// table's own store when reading had to rewrite it (quotes taken out, line breaks made CR LF).
// The fields of all rows lie in one vector, so a large file costs no allocation per field.
class FieldTable {
public:
    FieldTable() = default;
    FieldTable(FieldTable&&) = default;
    FieldTable& operator=(FieldTable&&) = default;
    FieldTable(const FieldTable&) = delete;
    FieldTable& operator=(const FieldTable&) = delete;

    // Room for this many fields and rows, so that a large file is not moved as it grows.
    void Reserve(std::size_t fieldCount, std::size_t rowCount) {
        fields.reserve(fieldCount);
        rowEnds.reserve(rowCount);
    }
    void AddField(std::string_view field) { fields.push_back(field); }
    void AddOwnedField(std::string field) {
        owned.push_back(std::move(field));
        fields.push_back(owned.back());
    }
    // Closes the row of the fields added since the last one; a row may have none.
    void EndRow();

    int RowCount() const { return static_cast<int>(rowEnds.size()); }
    int FieldCount(int row) const;
    std::string_view Field(int row, int index) const;
    // The most fields of any row.
    int MaxFieldCount() const { return maxFields; }

private:
    std::size_t RowStart(int row) const { return row == 0 ? 0 : rowEnds[static_cast<std::size_t>(row - 1)]; }

    std::vector<std::string_view> fields;
    // A deque keeps its strings in place as it grows, so the views into them stay good.
    std::deque<std::string> owned;
    std::vector<std::size_t> rowEnds;
    int maxFields = 0;
};
