// The wheel: the current row moves by the system's lines a notch, and Ctrl with the wheel zooms.
#include "grid/Datagrid.h"

#include <algorithm>

// The grid's own step stands for the framework's one-row step; the base grid's upkeep follows
// either.
bool TDataGrid::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
    if (!WheelNotch(Shift, true))
        return TBaseGrid::DoMouseWheelDown(Shift, MousePos);
    WheelStepped(true);
    return true;
}

bool TDataGrid::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
    if (!WheelNotch(Shift, false))
        return TBaseGrid::DoMouseWheelUp(Shift, MousePos);
    WheelStepped(false);
    return true;
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
    // A special editor keeps to the place and size it opened with: it closes onto its cell, as
    // it does when the grid scrolls.
    if (specialEditorOpen)
        HideInplaceEdit();
    zoomOffset = level;
    cols.SetSizeOffset(level);
    rows.SetSizeOffset(level);
    // Once for all the sizes changed.
    ColWidthsChanged();
    RowHeightsChanged();
}
