// Keyboard and wheel navigation of the framework grid.
#include "framework/Grids.h"

#include <QWidget>

#include <algorithm>
#include <cstdlib>

void TCustomGrid::KeyDown(WORD& Key, TShiftState Shift) {
    TCustomControl::KeyDown(Key, Shift);
    if (Key == 0 || (Key == VK_TAB && !(options & goTabs)))
        return;
    if (Key == VK_F2) {
        SetEditorMode(true);
        return;
    }
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

void TCustomGrid::KeyPress(char& Key) {
    TCustomControl::KeyPress(Key);
    if (Key == '\r' && !(options & goAlwaysShowEditor)) {
        SetEditorMode(!editorMode);
        Key = 0;
    }
}

void TCustomGrid::WMKeyDown(WORD& Key, TShiftState Shift, int) {
    KeyDown(Key, Shift);
}

void TCustomGrid::WMChar(char& Key, int) {
    if ((options & goEditing) && (Key == '\b' || static_cast<unsigned char>(Key) >= ' '))
        ShowEditorChar(Key);
    else
        KeyPress(Key);
}

void TCustomGrid::WMLButtonDown(TShiftState Shift, int X, int Y) {
    MouseDown(mbLeft, Shift, X, Y);
}

void TCustomGrid::WMLButtonUp(TShiftState Shift, int X, int Y) {
    MouseUp(mbLeft, Shift, X, Y);
}

void TCustomGrid::WMLButtonDblClk(TShiftState Shift, int X, int Y) {
    DblClick();
    MouseDown(mbLeft, Shift << ssDouble, X, Y);
}

void TCustomGrid::WMRButtonDown(TShiftState Shift, int X, int Y) {
    MouseDown(mbRight, Shift, X, Y);
}

void TCustomGrid::CMDialogChar(char&, TShiftState) {}

void TCustomGrid::CMHintShow(bool&, THintInfo&) {}

bool TCustomGrid::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) {
    if (TCustomControl::DoMouseWheel(Shift, WheelDelta, MousePos))
        return true;
    // One step a notch; a fine wheel's small deltas add up to notches.
    constexpr int Notch = 120;
    wheelAccumulator += WheelDelta;
    while (std::abs(wheelAccumulator) >= Notch) {
        const bool down = wheelAccumulator < 0;
        wheelAccumulator += down ? Notch : -Notch;
        if (down)
            DoMouseWheelDown(Shift, MousePos);
        else
            DoMouseWheelUp(Shift, MousePos);
    }
    return true;
}

void TCustomGrid::CalcSizingState(int X, int Y, TGridState& State, int& Index, int& SizingPos) {
    State = gsNormal;
    Index = -1;
    const GridAxisView horz = Horz();
    const GridAxisView vert = Vert();
    // A zone of 7 pixels around the edge after a cell, or the line when wider.
    const int range = std::max(GetGridLineWidth(), 7);
    const int back = (range - GetGridLineWidth()) / 2;
    auto scan = [&](const GridAxisView& view, int at, TGridState sizing) {
        for (int i = view.First; i <= view.LastVisible(); ++i) {
            const int edge = static_cast<int>(view.Position(i)) + view.Axis.Size(i);
            if (edge > view.ClientExtent)
                return;
            if (at >= edge - back && at <= edge - back + range) {
                State = sizing;
                Index = i;
                SizingPos = edge;
                return;
            }
        }
    };
    if ((options & goColSizing) && X > horz.FixedBoundary()) {
        if (Y < vert.FixedBoundary())
            scan(horz, X, gsColSizing);
    } else if ((options & goRowSizing) && Y > vert.FixedBoundary()) {
        if (X < horz.FixedBoundary())
            scan(vert, Y, gsRowSizing);
    }
}

void TCustomGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (CanFocus() && !Focused())
        SetFocus();
    if (Button == mbLeft && Shift.Contains(ssDouble)) {
        if (options & goEditing)
            SetEditorMode(true);
    } else if (Button == mbLeft) {
        TGridState state = gsNormal;
        int index = -1;
        int edge = 0;
        CalcSizingState(X, Y, state, index, edge);
        const TGridCoord cell = MouseCoord(X, Y);
        if (state != gsNormal) {
            HideEditor();
            gridState = state;
            sizingIndex = index;
            sizingPos = edge;
            sizingOffset = edge - (state == gsColSizing ? X : Y);
            sizingStart = edge - (state == gsColSizing ? cols.Size(index) : rows.Size(index));
            Invalidate();
        } else if (cell.X >= fixedCols && cell.Y < fixedRows && (options & goColMoving)) {
            gridState = gsColMoving;
            movingIndex = cell.X;
        } else if (cell.X < fixedCols && cell.X >= 0 && cell.Y >= fixedRows && (options & goRowMoving)) {
            gridState = gsRowMoving;
            movingIndex = cell.Y;
        } else if (cell.X >= fixedCols && cell.Y >= fixedRows) {
            if ((options & goEditing) && cell == current && !Shift.Contains(ssShift)) {
                SetEditorMode(true);
            } else {
                FocusCell(cell.X, cell.Y, !(Shift.Contains(ssShift) && (options & goRangeSelect)));
                gridState = gsSelecting;
            }
        }
    }
    TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TCustomGrid::MouseMove(TShiftState Shift, int X, int Y) {
    switch (gridState) {
    case gsSelecting: {
        const TGridCoord cell = MouseCoord(X, Y);
        if (cell.X >= fixedCols && cell.Y >= fixedRows && !(cell == current))
            FocusCell(cell.X, cell.Y, false);
        break;
    }
    case gsColSizing:
    case gsRowSizing:
        // The line never passes the cell's start.
        sizingPos = std::max((gridState == gsColSizing ? X : Y) + sizingOffset, sizingStart + 1);
        Invalidate();
        break;
    default: {
        TGridState state = gsNormal;
        int index = -1;
        int edge = 0;
        CalcSizingState(X, Y, state, index, edge);
        if (QWidget* surface = ClientView())
            surface->setCursor(state == gsColSizing   ? Qt::SplitHCursor
                               : state == gsRowSizing ? Qt::SplitVCursor
                                                      : View()->cursor());
        break;
    }
    }
    TCustomControl::MouseMove(Shift, X, Y);
}

void TCustomGrid::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    const TGridState state = gridState;
    gridState = gsNormal;
    switch (state) {
    case gsColSizing:
        SetColWidths(sizingIndex, sizingPos - sizingStart);
        Invalidate();
        break;
    case gsRowSizing:
        SetRowHeights(sizingIndex, sizingPos - sizingStart);
        Invalidate();
        break;
    case gsColMoving:
        if (const int target = Horz().CellAt(X); target >= fixedCols && target != movingIndex)
            MoveColumn(movingIndex, target);
        break;
    case gsRowMoving:
        if (const int target = Vert().CellAt(Y); target >= fixedRows && target != movingIndex)
            MoveRow(movingIndex, target);
        break;
    default:
        break;
    }
    TCustomControl::MouseUp(Button, Shift, X, Y);
}
