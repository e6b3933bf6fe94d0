#pragma once

#include "grid/FieldTable.h"

#include <string>
#include <vector>

using FieldRows = std::vector<std::vector<std::string>>;

inline FieldRows RowsOf(const FieldTable& table) {
    FieldRows rows(static_cast<std::size_t>(table.RowCount()));
    for (int r = 0; r < table.RowCount(); ++r)
        for (int i = 0; i < table.FieldCount(r); ++i)
            rows[static_cast<std::size_t>(r)].push_back(std::string(table.Field(r, i)));
    return rows;
}
