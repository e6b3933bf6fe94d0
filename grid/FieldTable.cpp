#include "grid/FieldTable.h"

#include <algorithm>

void FieldTable::EndRow() {
    const std::size_t start = rowEnds.empty() ? 0 : rowEnds.back();
    maxFields = std::max(maxFields, static_cast<int>(fields.size() - start));
    rowEnds.push_back(fields.size());
}

int FieldTable::FieldCount(int row) const {
    return static_cast<int>(rowEnds[static_cast<std::size_t>(row)] - RowStart(row));
}

std::string_view FieldTable::Field(int row, int index) const {
    return fields[RowStart(row) + static_cast<std::size_t>(index)];
}
