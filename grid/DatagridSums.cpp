// Cells as numbers, sums and extremes over ranges, numbering and the selected text.
#include "grid/Datagrid.h"

#include "framework/NumberFormat.h"
#include "grid/Gridutil.h"

#include <charconv>

double TDataGrid::GetFloats(int ACol, int ARow) const {
    const AnsiString text = GetCellEx(ACol, ARow);
    if (text.Trim().IsEmpty())
        return 0;
    // RemoveSeps leaves the number with '.' as its point.
    const std::string plain = RemoveSeps(text).str();
    double value = 0;
    const char* end = plain.data() + plain.size();
    const auto [stop, error] = std::from_chars(plain.data(), end, value);
    if (plain.empty() || error != std::errc() || stop != end)
        throw EDataGridError("Cell does not contain a float value");
    return value;
}

void TDataGrid::SetInts(int ACol, int ARow, int Value) {
    SetCellEx(ACol, ARow, IntToStr(Value));
}
