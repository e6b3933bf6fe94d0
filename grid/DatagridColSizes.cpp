// Column widths kept between runs: "Col"n holds real column n's width (a hidden column's saved
// one), in an INI file named by ColumnSize.Key or under that registry key.
#include "framework/IniFiles.h"
#include "framework/NumberFormat.h"
#include "framework/Registry.h"
#include "grid/Datagrid.h"

namespace {

AnsiString WidthName(int ACol) {
    return "Col" + IntToStr(ACol);
}

} // namespace

void TDataGrid::SaveColSizes() {
    if (ColumnSize->Key.IsEmpty() || ColumnSize->Section.IsEmpty())
        return;
    auto write = [this](auto& store) {
        for (int c = 0; c < RealColCount(); ++c)
            store.WriteString(ColumnSize->Section, WidthName(c), IntToStr(GetAllColWidths(c)));
    };
    if (ColumnSize->Location == clRegistry) {
        TRegistryIniFile registry(ColumnSize->Key);
        write(registry);
    } else {
        TIniFile ini(ColumnSize->Key);
        write(ini);
    }
}

void TDataGrid::LoadColSizes() {
    if (ColumnSize->Key.IsEmpty() || ColumnSize->Section.IsEmpty())
        return;
    auto read = [this](const auto& store) {
        for (int c = 0; c < RealColCount(); ++c) {
            int width = 0;
            if (TryStrToInt(store.ReadString(ColumnSize->Section, WidthName(c), ""), width))
                SetAllColWidths(c, width);
        }
    };
    if (ColumnSize->Location == clRegistry)
        read(TRegistryIniFile(ColumnSize->Key));
    else
        read(TIniFile(ColumnSize->Key));
}
