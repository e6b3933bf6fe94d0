// Typed cell values, the cell graphic slot and fills.
#include "framework/NumberFormat.h"
#include "grid/Datagrid.h"
#include "grid/GridUpdateLock.h"

#include <algorithm>
#include <cctype>
#include <random>
#include <string>
#include <string_view>

TCellGraphic* TDataGrid::CreateCellGraphic(int ACol, int ARow) {
    TCellGraphic* made = AttachCellGraphic(ACol, ARow);
    nodeCountStale = nodeCountStale || ACol == 0;
    return made;
}

TCellGraphic* TDataGrid::AttachCellGraphic(int ACol, int ARow) {
    FreeCellGraphic(ACol, ARow);
    auto graphic = std::make_unique<TCellGraphic>();
    TCellGraphic* made = graphic.get();
    SetGraphicObjectEx(ACol, ARow, std::move(graphic));
    return made;
}

TCellGraphic* TDataGrid::GetCellGraphic(int ACol, int ARow) const {
    return dynamic_cast<TCellGraphic*>(GetGraphicObjectEx(ACol, ARow));
}

bool TDataGrid::FreeCellGraphic(int ACol, int ARow) {
    const TCellGraphic* graphic = GetCellGraphic(ACol, ARow);
    if (!graphic)
        return false;
    if (ACol == 0 && graphic->CellType == ctNode) {
        ExpandNodesGoingIn(ARow, ARow);
        nodeCount = std::max(0, nodeCount - 1);
    }
    SetGraphicObjectEx(ACol, ARow, nullptr);
    return true;
}

bool TDataGrid::RemoveCellGraphic(int ACol, int ARow, TCellType CellType) {
    return GetCellType(ACol, ARow) == CellType && FreeCellGraphic(ACol, ARow);
}

TCellType TDataGrid::GetCellType(int ACol, int ARow) const {
    const TCellGraphic* graphic = GetCellGraphic(ACol, ARow);
    return graphic ? graphic->CellType : ctEmpty;
}

TIntList* TDataGrid::GetCellImages(int ACol, int ARow) const {
    const TCellGraphic* graphic = GetCellGraphic(ACol, ARow);
    return graphic && graphic->CellType == ctImages ? dynamic_cast<TIntList*>(graphic->Object) : nullptr;
}

int TDataGrid::GetCellImageIdx(int ACol, int ARow) const {
    const TCellGraphic* graphic = GetCellGraphic(ACol, ARow);
    if (!graphic)
        return -1;
    if (graphic->CellType == ctImageList || graphic->CellType == ctDataImage)
        return graphic->Number;
    const TIntList* images = GetCellImages(ACol, ARow);
    return images && images->Count() > 0 ? images->GetInteger(0) : -1;
}

namespace {

// Whether format holds exactly one conversion, of a floating-point kind ("%%" is no conversion).
bool IsOneFloatConversion(const std::string& format) {
    int conversions = 0;
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%')
            continue;
        if (i + 1 < format.size() && format[i + 1] == '%') {
            ++i;
            continue;
        }
        std::size_t k = i + 1;
        while (k < format.size() && std::string_view("-+ 0#").find(format[k]) != std::string_view::npos)
            ++k;
        while (k < format.size() && std::isdigit(static_cast<unsigned char>(format[k])))
            ++k;
        if (k < format.size() && format[k] == '.')
            for (++k; k < format.size() && std::isdigit(static_cast<unsigned char>(format[k]));)
                ++k;
        if (k >= format.size() || std::string_view("eEfFgGnm").find(format[k]) == std::string_view::npos)
            return false;
        ++conversions;
        i = k;
    }
    return conversions == 1;
}

} // namespace

int TDataGrid::GetInts(int ACol, int ARow) const {
    const AnsiString text = GetCellEx(ACol, ARow);
    if (text.IsEmpty())
        return 0;
    int value = 0;
    if (!TryStrToInt(text, value))
        throw EDataGridError("Cell does not contain integer value");
    return value;
}

void TDataGrid::SetFloats(int ACol, int ARow, double Value) {
    if (!IsOneFloatConversion(FloatFormat.str()))
        throw EDataGridError("Invalid float format " + FloatFormat);
    SetCellEx(ACol, ARow, Format(FloatFormat, Value));
}

void TDataGrid::SetDates(int ACol, int ARow, TDateTime Value) {
    SetCellEx(ACol, ARow, DateToStr(Value));
}

void TDataGrid::SetTimes(int ACol, int ARow, TDateTime Value) {
    SetCellEx(ACol, ARow, TimeToStr(Value));
}

TDateTime TDataGrid::GetDates(int ACol, int ARow) const {
    return StrToDateTime(GetCellEx(ACol, ARow));
}

TDateTime TDataGrid::GetTimes(int ACol, int ARow) const {
    return StrToDateTime(GetCellEx(ACol, ARow));
}

void TDataGrid::CellsFrom(bool DoFixed, const std::function<void(int ACol, int ARow)>& fill) {
    GridUpdateLock lock(*this);
    for (int r = DoFixed ? 0 : GetFixedRows(); r < GetRowCount(); ++r)
        for (int c = DoFixed ? 0 : GetFixedCols(); c < GetColCount(); ++c)
            fill(RemapCol(c), r);
}

void TDataGrid::TextFill(bool DoFixed, const AnsiString& Text) {
    CellsFrom(DoFixed, [&](int ACol, int ARow) { SetCellEx(ACol, ARow, Text); });
}

void TDataGrid::RandomFill(bool DoFixed, int Max) {
    std::mt19937 random(std::random_device{}());
    CellsFrom(DoFixed, [&](int ACol, int ARow) {
        SetInts(ACol, ARow, Max > 0 ? std::uniform_int_distribution<int>(0, Max - 1)(random) : 0);
    });
}

void TDataGrid::ApplyColumnMerge() {
    for (int i = 0; i < mergedColumns.Count(); ++i)
        MergeColumnCells(mergedColumns.GetInteger(i), i == 0);
}

void TDataGrid::UndoColumnMerge() {
    for (int c = 0; c < RealColCount(); ++c)
        SplitColumnCells(c);
}

void TDataGrid::RichSelChange() {
    if (OnRichEditSelectionChange)
        OnRichEditSelectionChange(this);
}
