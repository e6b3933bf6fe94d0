// Keyboard and wheel navigation of the framework grid.
#include "framework/Grids.h"

#include <algorithm>

void TCustomGrid::KeyDown(WORD& Key, TShiftState Shift) {
    if (Key == VK_TAB && !(options & goTabs))
        return;
    const bool rowSelect = (options & goRowSelect) != 0;
    const int pageWidth = std::max(1, VisibleColCount());
    const int pageHeight = std::max(1, VisibleRowCount());
    TGridCoord cell = current;
    TGridCoord corner = topLeft;
    if (Shift.Contains(ssCtrl)) {
        switch (Key) {
        case VK_UP:
            --corner.Y;
            break;
        case VK_DOWN:
            ++corner.Y;
            break;
        case VK_LEFT:
            if (!rowSelect) {
                cell.X -= pageWidth;
                corner.X -= pageWidth;
            }
            break;
        case VK_RIGHT:
            if (!rowSelect) {
                cell.X += pageWidth;
                corner.X += pageWidth;
            }
            break;
        case VK_PRIOR:
            cell.Y = topLeft.Y;
            break;
        case VK_NEXT:
            cell.Y = Vert().LastFullyVisible();
            break;
        case VK_HOME:
            cell = {fixedCols, fixedRows};
            break;
        case VK_END:
            cell = {GetColCount() - 1, GetRowCount() - 1};
            break;
        }
    } else {
        switch (Key) {
        case VK_UP:
            --cell.Y;
            break;
        case VK_DOWN:
            ++cell.Y;
            break;
        case VK_LEFT:
            (rowSelect ? cell.Y : cell.X) -= 1;
            break;
        case VK_RIGHT:
            (rowSelect ? cell.Y : cell.X) += 1;
            break;
        case VK_NEXT:
            cell.Y += pageHeight;
            corner.Y += pageHeight;
            break;
        case VK_PRIOR:
            cell.Y -= pageHeight;
            corner.Y -= pageHeight;
            break;
        case VK_HOME:
            (rowSelect ? cell.Y : cell.X) = rowSelect ? fixedRows : fixedCols;
            break;
        case VK_END:
            (rowSelect ? cell.Y : cell.X) = rowSelect ? GetRowCount() - 1 : GetColCount() - 1;
            break;
        case VK_TAB:
            if (Shift.Contains(ssAlt))
                break;
            // Tab runs along the row and on to the next row, wrapping at the grid's end.
            if (Shift.Contains(ssShift)) {
                if (--cell.X < fixedCols) {
                    cell.X = GetColCount() - 1;
                    if (--cell.Y < fixedRows)
                        cell.Y = GetRowCount() - 1;
                }
                Shift = {};
            } else if (++cell.X >= GetColCount()) {
                cell.X = fixedCols;
                if (++cell.Y >= GetRowCount())
                    cell.Y = fixedRows;
            }
            break;
        }
    }
    corner.X = std::clamp(corner.X, fixedCols, std::max(fixedCols, Horz().MaxFirst()));
    corner.Y = std::clamp(corner.Y, fixedRows, std::max(fixedRows, Vert().MaxFirst()));
    if (!(corner == topLeft))
        MoveTopLeft(corner.X, corner.Y);
    cell.X = std::clamp(cell.X, fixedCols, GetColCount() - 1);
    cell.Y = std::clamp(cell.Y, fixedRows, GetRowCount() - 1);
    if (!(cell == current))
        FocusCell(cell.X, cell.Y, !Shift.Contains(ssShift));
}

bool TCustomGrid::DoMouseWheelDown(TShiftState, TPoint) {
    if (current.Y < GetRowCount() - 1)
        SetRow(current.Y + 1);
    return true;
}

bool TCustomGrid::DoMouseWheelUp(TShiftState, TPoint) {
    if (current.Y > fixedRows)
        SetRow(current.Y - 1);
    return true;
}
