// The wheel: the current row moves by the system's lines a notch, and Ctrl with the wheel zooms.
#include "grid/Datagrid.h"

#include <algorithm>

bool TDataGrid::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
    return WheelNotch(Shift, true) || TBaseGrid::DoMouseWheelDown(Shift, MousePos);
}

bool TDataGrid::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
    return WheelNotch(Shift, false) || TBaseGrid::DoMouseWheelUp(Shift, MousePos);
}

bool TDataGrid::WheelNotch(TShiftState Shift, bool down) {
    if (panning)
        return false;
    const int step = wheelScrollLines;
    if (Shift.Contains(ssCtrl) && IntelliZoom) {
        Zoom(down ? step : -step);
        return true;
    }
    if (!EnableWheel)
        return false;
    // Never onto the fixed rows, the footer rows or a footer's last row.
    const int lastRow = std::max(GetFixedRows(), LastNormalRow() - (LastRowIsFooter ? 1 : 0));
    const int target = std::clamp(GetRow() + (down ? step : -step), GetFixedRows(), lastRow);
    const int col = std::clamp(GetCol(), GetFixedCols(), std::max(GetFixedCols(), GetColCount() - 1));
    if (col != GetCol())
        SetCol(col);
    if (target != GetRow())
        SetRow(target);
    return true;
}

void TDataGrid::Zoom(int x) {
    const int level = zoomOffset + x;
    if (level < -10 || level > 10)
        return;
    // Sizes come from those at level 0, so that zooming back restores every one of them.
    auto bases = [](std::vector<int>& base, const GridAxis& axis, bool capture) {
        if (capture)
            base.clear();
        for (int i = static_cast<int>(base.size()); i < axis.Count(); ++i)
            base.push_back(axis.Size(i));
    };
    bases(zoomBaseCols, cols, zoomOffset == 0);
    bases(zoomBaseRows, rows, zoomOffset == 0);
    zoomOffset = level;
    auto resize = [level](const std::vector<int>& base, GridAxis& axis) {
        for (int i = 0; i < axis.Count(); ++i) {
            const int size = base[static_cast<std::size_t>(i)];
            axis.SetSize(i, size + level > 0 ? size + level : size);
        }
    };
    resize(zoomBaseCols, cols);
    resize(zoomBaseRows, rows);
    // Once for all the sizes changed.
    ColWidthsChanged();
    RowHeightsChanged();
}
