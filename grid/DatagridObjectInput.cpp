// Cell objects under the mouse and the space bar: node boxes, radio items, buttons and check
// boxes.
#include "grid/Datagrid.h"

bool TDataGrid::PressCellObject(int ACol, int ARow, int X, int Y, const TRect& cell) {
    const int real = RemapCol(ACol);
    const bool normal = ACol >= GetFixedCols() && ARow >= GetFixedRows();
    if (real == 0 && ARow >= GetFixedRows() && IsNode(ARow)) {
        const int realRow = RemapRowInv(ARow);
        if (GetNodeState(ARow)) {
            ExpandNode(realRow);
            if (OnExpandNode)
                OnExpandNode(this, ARow, realRow);
        } else {
            ContractNode(realRow);
            if (OnContractNode)
                OnContractNode(this, ARow, realRow);
        }
        SetRow(ARow);
        return true;
    }
    if (normal && IsRadio(real, ARow) && IsEditable(real, ARow)) {
        SetFocus();
        HandleRadioClick(real, ARow, X - cell.Left, Y - cell.Top);
        return true;
    }
    // A grouped grid's first column holds only the node boxes.
    if (real == 0 && groupColumn > 0)
        return true;
    if (HasButton(real, ARow)) {
        const TRect button = ButtonRect(ACol, ARow);
        if (X >= button.Left && X < button.Right && Y >= button.Top && Y < button.Bottom) {
            PushButton(ACol, ARow, true);
            press.PressedButton = {ACol, ARow};
            return true;
        }
    }
    if (normal && HasCheckBox(real, ARow) && (GetOptions() & goEditing) && MayEdit(real, ARow)) {
        SetFocus();
        ToggleCheck(real, ARow, true);
        bool state = false;
        GetCheckBoxState(real, ARow, state);
        if (OnCheckBoxClick)
            OnCheckBoxClick(this, ACol, ARow, state);
        FocusCell(ACol, ARow, true);
        if (HideFocusRect)
            RepaintCell(ACol, ARow);
        Click();
        return true;
    }
    return false;
}

void TDataGrid::HandleRadioClick(int ACol, int ARow, int X, int Y) {
    const TStrings* items = GetRadioStrings(ACol, ARow);
    const TCellGraphic* graphic = GetCellGraphic(ACol, ARow);
    if (!items || !graphic)
        return;
    const int displayCol = RemapColInv(ACol);
    FocusCell(displayCol, ARow, true);
    // Laid out as drawn, in the cell's font.
    TCanvas measure;
    CellFont(ACol, displayCol, ARow, measure.Font, true);
    const TPoint size = CellSize(displayCol, ARow);
    const std::vector<TRect> spans =
        RadioItemRects(measure, *items, graphic->State, Rect(0, 0, size.x, size.y));
    for (int i = 0; i < items->Count(); ++i) {
        const TRect& span = spans[static_cast<std::size_t>(i)];
        const bool hit = graphic->State ? X > span.Left && X < span.Right : Y > span.Top && Y < span.Bottom;
        if (!hit)
            continue;
        if (graphic->Number < 0) {
            SetCellEx(ACol, ARow, (*items)[i]);
        } else {
            SetRadioIdx(ACol, ARow, i);
            // Written back so that the cell repaints and its change is heard.
            SetCellEx(ACol, ARow, GetCellEx(ACol, ARow));
        }
        if (OnRadioClick)
            OnRadioClick(this, displayCol, ARow, i);
        return;
    }
}

void TDataGrid::ReleaseCellButton() {
    const TGridCoord pressed = std::exchange(press.PressedButton, TGridCoord{-1, -1});
    if (pressed.X < 0)
        return;
    PushButton(pressed.X, pressed.Y, false);
    if (OnButtonClick)
        OnButtonClick(this, pressed.X, pressed.Y);
}

void TDataGrid::ReleaseOnCellObject(int ACol, int ARow) {
    bool state = false;
    if (OnCheckBoxMouseUp && GetCheckBoxState(ACol, ARow, state))
        OnCheckBoxMouseUp(this, ACol, ARow, state);
    int index = -1;
    if (OnRadioMouseUp && GetRadioIdx(ACol, ARow, index))
        OnRadioMouseUp(this, ACol, ARow, index);
}

void TDataGrid::SpaceOnStaticEdit() {
    const int col = RemapCol(GetCol());
    const int row = GetRow();
    if (!CurrentIsStaticEdit() || !(GetOptions() & goEditing) || !MayEdit(col, row))
        return;
    if (HasCheckBox(col, row)) {
        ToggleCheck(col, row, true);
        bool state = false;
        GetCheckBoxState(col, row, state);
        if (OnCheckBoxClick)
            OnCheckBoxClick(this, col, row, state);
        return;
    }
    ToggleRadio(col, row, true);
    int index = -1;
    GetRadioIdx(col, row, index);
    if (OnRadioClick)
        OnRadioClick(this, col, row, index);
}

bool TDataGrid::CurrentIsStaticEdit() const {
    // A hidden selection leaves the current cell beyond the grid.
    return GetCol() < GetColCount() && GetRow() < GetRowCount() &&
           HasStaticEdit(RemapCol(GetCol()), GetRow());
}
