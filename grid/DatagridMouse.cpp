// What the grid adds to the framework's mouse handling: header-driven selection, links, direct
// editing, the fixed column's sizing, moving with markers, sizing hints and permissions.
#include "framework/Links.h"
#include "framework/LocaleCase.h"
#include "framework/Screen.h"
#include "grid/Datagrid.h"
#include "grid/Gridutil.h"
#include "grid/HTMLHintWindow.h"
#include "resources/Cursors.h"

#include <QWidget>

#include <algorithm>
#include <cstdlib>

namespace {

// A press or release this close to a cell's side counts as meant for the column border.
constexpr int BorderZone = 4;

} // namespace

void TDataGrid::AnchorClick(int ACol, int ARow, const AnsiString& Anchor) {
    bool autoHandle = true;
    if (OnAnchorClick)
        OnAnchorClick(this, ARow, ACol, Anchor, autoHandle);
    if (!autoHandle)
        return;
    TPoint target;
    if (AnsiUpperCase(Anchor).Pos("CELL://") > 0) {
        if (NameToCell(Anchor.SubString(8, Anchor.Length()), target)) {
            SetRow(target.y);
            SetCol(target.x);
        }
    } else {
        FollowLink(Anchor);
    }
}

void TDataGrid::WMLButtonDown(TShiftState Shift, int X, int Y) {
    lookupText = "";
    press = {};
    oleDragArmed = false;
    if (OnClick)
        OnClick(this);
    int col = -1;
    int row = -1;
    MouseToCell(X, Y, col, row);
    if (col < 0 || row < 0) {
        HideInplaceEdit();
        TBaseGrid::WMLButtonDown(Shift, X, Y);
        return;
    }
    const TRect block = ShownBlock(col, row);
    col = block.Left;
    row = block.Top;
    const TRect cell = TBaseGrid::CellRect(col, row);
    press.CaretPositioning = MouseActions->CaretPositioning;
    if (fixedSizingZone) {
        fixedSizing = true;
        fixedSizingX = X;
        Invalidate();
    }
    // The cell whose border the press may be sizing, and where the press lies in it.
    int sizingCol = -1;
    int sizingRow = -1;
    MouseToCell(row == 0 ? X - BorderZone : X, col == 0 ? Y - BorderZone : Y, sizingCol, sizingRow);
    if (row != 0 && col != 0)
        MouseToCell(X - BorderZone, Y - BorderZone, sizingCol, sizingRow);
    press.SizingCell = {sizingCol, sizingRow};
    if (sizingCol >= 0 && sizingRow >= 0) {
        const TRect sized = TBaseGrid::CellRect(sizingCol, sizingRow);
        press.SizingCellSize = Point(sized.Width(), sized.Height());
        press.SizingOffset = Point(X - sized.Right, Y - sized.Bottom);
    }
    press.DownPoint = Point(X, Y);
    if (PressCellObject(col, row, X, Y, cell))
        return;
    // A press on the selection, or on a header, arms a drag that moving the mouse starts; one at
    // a column's side is left to sizing.
    const bool nearSide = X - cell.Left < BorderZone || cell.Right - X < BorderZone;
    if ((IsSelected(col, row) || (row < GetFixedRows() && !EnhRowColMove)) && !(GetOptions() & goEditing) &&
        DragDropSettings->OleDropSource && !((GetOptions() & goColSizing) && nearSide)) {
        oleDragArmed = true;
        if (OnClickCell)
            OnClickCell(this, row, col);
        return;
    }
    const bool normalRow = row >= GetFixedRows();
    const bool normalCol = col >= GetFixedCols();
    if (MouseActions->DisjunctRowSelect && normalRow) {
        if (!Shift.Contains(ssCtrl)) {
            ClearRowSelect();
            press.DisjunctCleared = true;
        } else if (GetRowSelect(row)) {
            press.DisjunctWasSelected = true;
        }
    }
    const AnsiString text = GetCellEx(RemapCol(col), row);
    AnsiString anchor;
    if (URLShow && TextType(text, EnableHTML) != ttHTML && IsURL(text)) {
        AnchorClick(col, row, text);
        return;
    }
    if (CellAnchor(col, row, X, Y, anchor)) {
        AnchorClick(col, row, anchor);
        return;
    }
    if ((GetOptions() & goRangeSelect) && selectCursorKind != 0 && (!normalRow || !normalCol))
        SelectFromFixedCell(col, row);
    if (!normalRow && normalCol)
        press.MoveFrom = col;
    else if (!normalCol && normalRow)
        press.MoveFrom = row;
    press.GrabOffset = Point(X - cell.Left, Y - cell.Top);
    const bool editable = normalRow && normalCol && IsEditable(RemapCol(col), row);
    if (MouseActions->DirectEdit && editable) {
        if (!Focused())
            SetFocus();
        HideInplaceEdit();
    }
    {
        struct Restore {
            TNavigation& navigation;
            bool alwaysEdit;
            ~Restore() { navigation.AlwaysEdit = alwaysEdit; }
        } restore{*Navigation, std::exchange(Navigation->AlwaysEdit, false)};
        TBaseGrid::WMLButtonDown(Shift, X, Y);
    }
    if (!normalRow || !normalCol || IsFixed(col, row))
        return;
    if (OnCellValidate) {
        editingStarted = false;
        InitValidate(GetCol(), GetRow());
    }
    if (OnClickCell)
        OnClickCell(this, row, col);
    if (block.Right > col || block.Bottom > row) {
        const bool wasSelected = GetSelection() == TGridRect{col, row, block.Right, block.Bottom};
        SetSelection({col, row, block.Right, block.Bottom});
        if (wasSelected && editable)
            TBaseGrid::ShowEditor();
    }
    // A press near the column's sides is left to sizing and selecting.
    if (MouseActions->DirectEdit && editable && X - cell.Left >= BorderZone && cell.Right - X >= BorderZone)
        TBaseGrid::ShowEditor();
}

void TDataGrid::SelectFromFixedCell(int ACol, int ARow) {
    const bool corner = ACol < GetFixedCols() && ARow < GetFixedRows();
    const int lastCol = GetColCount() - 1;
    const int lastRow = GetRowCount() - 1;
    auto select = [this](const TGridRect& range) {
        SetFocus();
        HideSelection();
        SetSelection(range);
        DoExit();
    };
    if (corner && MouseActions->AllSelect && selectCursorKind == 3) {
        select({GetFixedCols(), GetFixedRows(), lastCol, lastRow});
    } else if (ACol < GetFixedCols() && ARow >= GetFixedRows() && MouseActions->RowSelect &&
               selectCursorKind == 2) {
        select({GetFixedCols(), ARow, lastCol, ARow});
        selectAnchor = ARow;
    } else if (ARow < GetFixedRows() && ACol >= GetFixedCols() && MouseActions->ColSelect &&
               selectCursorKind == 1) {
        select({ACol, GetFixedRows(), ACol, lastRow});
        selectAnchor = ACol;
    }
}

void TDataGrid::WMLButtonUp(TShiftState Shift, int X, int Y) {
    press.Moved = false;
    press.WidthChanged = false;
    const bool wasSelected = std::exchange(press.DisjunctWasSelected, false);
    selectAnchor = -1;
    for (TArrowWindow* arrow : arrows)
        arrow->Hide();
    if (fixedSizing) {
        fixedSizing = false;
        SetColWidths(0, std::max(0, X));
        Invalidate();
    }
    ReleaseCellButton();
    if (sizingHintShown) {
        HintWindow().ReleaseHandle();
        sizingHintShown = false;
    }
    int col = -1;
    int row = -1;
    MouseToCell(X, Y, col, row);
    // A drag armed but never started: the press selects after all.
    if (std::exchange(oleDragArmed, false) && col >= GetFixedCols() && row >= GetFixedRows())
        SetSelection((GetOptions() & goRowSelect) ? TGridRect{GetFixedCols(), row, GetColCount() - 1, row}
                                                  : TGridRect{col, row, col, row});
    if (MouseActions->DisjunctRowSelect && row >= GetFixedRows()) {
        if (wasSelected)
            SetRowSelect(row, false);
        else
            SelectToRowSelect(false);
    }
    const TGridState state = GetGridState();
    if (Screen->GetCursor() == crDrag && (state == gsColMoving || state == gsRowMoving) && EnhRowColMove) {
        Screen->SetCursor(crDefault);
        dragLabel->Hide();
    }
    TBaseGrid::WMLButtonUp(Shift, X, Y);
    if (press.Moved || press.WidthChanged || col < 0 || row < 0 ||
        (col < GetFixedCols() && !SortSettings->FixedCols))
        return;
    ReleaseOnCellObject(RemapCol(col), row);
    if (std::exchange(press.AutoSized, false))
        return;
    const TRect cell = TCustomGrid::CellRect(col, row);
    if (row == 0 && (GetOptions() & goColSizing) &&
        (X - cell.Left < BorderZone || cell.Right - X < BorderZone))
        return;
    int pressCol = -1;
    int pressRow = -1;
    MouseToCell(press.DownPoint.x, press.DownPoint.y, pressCol, pressRow);
    if (row != pressRow || row != SortSettings->GetRow() || GetFixedRows() <= 0 || !SortSettings->Show ||
        GetRowCount() <= 2)
        return;
    bool doSort = true;
    if (OnCanSort)
        OnCanSort(this, RemapCol(col), doSort);
    if (doSort)
        ClickSort(RemapCol(col), Shift);
}

void TDataGrid::WMLButtonDblClk(TShiftState Shift, int X, int Y) {
    int col = -1;
    int row = -1;
    MouseToCell(X, Y, col, row);
    // On a header's border: the column left of it takes the width of its widest text.
    if (row == 0 && col >= 0 && (GetOptions() & goColSizing)) {
        const TRect cell = TCustomGrid::CellRect(col, row);
        const int sized = X - cell.Left < BorderZone ? col - 1 : cell.Right - X < BorderZone ? col : -2;
        if (sized != -2) {
            if (sized >= GetFixedCols())
                AutoSizeCol(sized);
            press.AutoSized = true;
            return;
        }
    }
    TBaseGrid::WMLButtonDblClk(Shift, X, Y);
    if (OnDblClickCell)
        OnDblClickCell(this, row, col);
}

void TDataGrid::WMRButtonDown(TShiftState Shift, int X, int Y) {
    TBaseGrid::WMRButtonDown(Shift, X, Y);
    int col = -1;
    int row = -1;
    MouseToCell(X, Y, col, row);
    if (OnRightClickCell)
        OnRightClickCell(this, row, col);
    if (URLShow && URLEdit && col >= GetFixedCols() && row >= GetFixedRows() &&
        IsURL(GetCellEx(RemapCol(col), row))) {
        FocusCell(col, row, true);
        ShowInplaceEdit();
    }
}

void TDataGrid::MouseMove(TShiftState Shift, int X, int Y) {
    int col = -1;
    int row = -1;
    MouseToCell(X, Y, col, row);
    if (selectAnchor >= 0 && col >= 0 && row >= 0) {
        if (MouseActions->RowSelect && selectCursorKind == 2 && row >= GetFixedRows())
            SetSelection({GetFixedCols(), std::min(selectAnchor, row), GetColCount() - 1,
                          std::max(selectAnchor, row)});
        else if (MouseActions->ColSelect && selectCursorKind == 1 && col >= GetFixedCols())
            SetSelection({std::min(selectAnchor, col), GetFixedRows(), std::max(selectAnchor, col),
                          GetRowCount() - 1});
    }
    fixedSizingZone =
        GetFixedCols() > 0 && col >= 0 && MouseActions->SizeFixedCol && std::abs(X - GetColWidths(0)) < 3;
    if (fixedSizing && X != fixedSizingX) {
        fixedSizingX = std::max(0, X);
        Invalidate();
    }
    if (oleDragArmed && col >= 0 && row >= 0 && DragDropSettings->OleDropSource &&
        GetGridState() != gsColSizing &&
        (std::abs(X - press.DownPoint.x) > 3 || std::abs(Y - press.DownPoint.y) > 3))
        StartOleDrag(col, row);
    const TGridState state = GetGridState();
    press.ColSizing = state == gsColSizing;
    press.RowSizing = state == gsRowSizing;
    if ((state == gsColMoving || state == gsRowMoving) && press.MoveFrom >= 0) {
        bool allow = true;
        const TIndexAllowEvent& asked = state == gsColMoving ? OnColumnMove : OnRowMove;
        if (asked)
            asked(this, press.MoveFrom, allow);
        if (!allow)
            SetGridState(gsNormal);
    }
    selectCursorKind = 0;
    TGridState sizing = gsNormal;
    int index = -1;
    int edge = 0;
    CalcSizingState(X, Y, sizing, index, edge);
    const bool inSizeZone = sizing != gsNormal;
    if (col >= 0 && row >= 0) {
        if (col < GetFixedCols() && row < GetFixedRows() && MouseActions->AllSelect)
            selectCursorKind = 3;
        else if (row < GetFixedRows() && col >= GetFixedCols() && MouseActions->ColSelect && !inSizeZone)
            selectCursorKind = 1;
        else if (col < GetFixedCols() && row >= GetFixedRows() && MouseActions->RowSelect && !inSizeZone)
            selectCursorKind = 2;
    }
    const bool onLink = (URLShow && col >= 0 && row >= 0 && IsURL(GetCellEx(RemapCol(col), row))) ||
                        HoverAnchor(col, row, X, Y);
    if (hintCell.X >= 0 && !(hintCell == TGridCoord{col, row})) {
        HintWindow().ReleaseHandle();
        hintCell = {-1, -1};
    }
    if (GetGridState() == gsSelecting && (GetRowCount() == 1 || GetColCount() == GetFixedCols()))
        SetGridState(gsNormal);
    TBaseGrid::MouseMove(Shift, X, Y);
    if (SelectionRectangle && GetGridState() == gsSelecting)
        InvalidateGridRect(GetSelection());
    // The grid's own cursors, over what the framework chose.
    QWidget* surface = ClientView();
    const bool sizingNow = state == gsColSizing || state == gsRowSizing;
    if (selectCursorKind != 0 && !sizingNow)
        surface->setCursor(LoadCursor(selectCursorKind == 3 ? 8012 : selectCursorKind == 1 ? 8011 : 8010));
    else if (fixedSizingZone || fixedSizing)
        surface->setCursor(Screen->Cursors(crHSplit));
    else if (onLink)
        surface->setCursor(Screen->Cursors(crHandPoint));
    gridSetCursor = selectCursorKind != 0 || onLink;
    if ((HintShowSizing && (sizingNow || fixedSizing)))
        ShowSizingHint(X, Y);
}

void TDataGrid::ShowSizingHint(int X, int Y) {
    AnsiString text;
    TPoint at;
    if (fixedSizing) {
        text = "cw=<b>" + AnsiString(std::to_string(fixedSizingX)) + "</b>";
    } else if (GetGridState() == gsColSizing && press.SizingCell.X >= 0) {
        const TRect cell = TBaseGrid::CellRect(press.SizingCell.X, press.SizingCell.Y);
        text = "cw=<b>" + AnsiString(std::to_string(X - cell.Left - press.SizingOffset.x)) + "</b>";
        at = Point(cell.Left, cell.Top);
    } else if (press.SizingCell.Y >= 0) {
        const TRect cell = TBaseGrid::CellRect(press.SizingCell.X, press.SizingCell.Y);
        text = "rh=<b>" + AnsiString(std::to_string(Y - cell.Top - press.SizingOffset.y)) + "</b>";
        at = Point(cell.Left, cell.Top);
    }
    const QPoint screen = ClientView()->mapToGlobal(QPoint(at.x, at.y));
    THintWindow& window = HintWindow();
    window.SetColor(HintColor);
    window.ActivateHint(Bounds(screen.x(), screen.y(), 200, 0), text);
    sizingHintShown = true;
}

void TDataGrid::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    // A right-button release while a column is moved is no release of the move.
    if (Button == mbRight && GetGridState() == gsColMoving)
        return;
    TBaseGrid::MouseUp(Button, Shift, X, Y);
}

void TDataGrid::CalcSizingState(int X, int Y, TGridState& State, int& Index, int& SizingPos) {
    TBaseGrid::CalcSizingState(X, Y, State, Index, SizingPos);
    if (State == gsNormal)
        return;
    bool allow = true;
    int col = -1;
    int row = -1;
    if (State == gsColSizing) {
        MouseToCell(X - BorderZone, Y, col, row);
        if (row == 0 && OnColumnSize)
            OnColumnSize(this, col, allow);
    } else {
        MouseToCell(X, Y - BorderZone, col, row);
        if (col == 0 && OnRowSize)
            OnRowSize(this, row, allow);
    }
    if (!allow)
        State = gsNormal;
}

void TDataGrid::ColumnMoved(int FromIndex, int ToIndex) {
    MoveRealColumn(FromIndex, ToIndex);
    press.Moved = true;
    // The sort column keeps its column: only one between the two places shifts, towards FromIndex.
    int& sorted = SortSettings->Column;
    if (sorted == FromIndex)
        sorted = ToIndex;
    else if (FromIndex < sorted && sorted <= ToIndex)
        --sorted;
    else if (ToIndex <= sorted && sorted < FromIndex)
        ++sorted;
}
