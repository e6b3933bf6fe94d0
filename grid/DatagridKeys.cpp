// What the grid adds to keys, typed characters, focus, dialog characters, hints, painting and
// resizing.
#include "framework/NumberFormat.h"
#include "grid/Datagrid.h"

#include <QPainter>

#include <cmath>

namespace {

bool IsArrow(WORD key) {
    return key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN;
}

} // namespace

void TDataGrid::WMKeyDown(WORD& Key, TShiftState Shift, int KeyData) {
    keySelection = GetSelection();
    const int col = GetCol();
    const int row = GetRow();
    const bool ctrl = Shift.Contains(ssCtrl);
    const bool shift = Shift.Contains(ssShift);
    const bool alt = Shift.Contains(ssAlt);
    if ((Key == VK_HOME || Key == VK_END) && Navigation->HomeEndKey == heFirstLastRow) {
        if (Key == VK_HOME)
            SetRow(GetFixedRows());
        else
            SetRow(FloatingFooter->GetVisible() && GetRowCount() > 2 ? GetRowCount() - 2 : GetRowCount() - 1);
        SelectBaseCell();
        return;
    }
    if (Key == VK_SPACE)
        SpaceOnStaticEdit();
    TBaseGrid::WMKeyDown(Key, Shift, KeyData);
    if (const TGridRect selection = GetSelection(); !(selection == keySelection) && SelectionRectangle) {
        InvalidateGridRect(selection);
        keySelection = selection;
    }
    if (Navigation->AllowClipboardShortCuts) {
        // Each short-cut ends the key's handling, allowed or not.
        auto clipboard = [this](const TAllowEvent& event, void (TDataGrid::*action)()) {
            bool allow = true;
            if (event)
                event(this, allow);
            if (allow)
                (this->*action)();
        };
        if (ctrl && Key == 'X')
            return clipboard(OnClipboardCut, &TDataGrid::CutSelectionToClipboard);
        if (ctrl && Key == 'V')
            return clipboard(OnClipboardPaste, &TDataGrid::PasteSelectionFromClipboard);
        if (ctrl && (Key == 'C' || Key == VK_INSERT))
            return clipboard(OnClipboardCopy, &TDataGrid::CopySelectionToClipboard);
        if (shift && Key == VK_INSERT)
            return clipboard(OnClipboardPaste, &TDataGrid::PasteSelectionFromClipboard);
        if (shift && Key == VK_DELETE)
            return clipboard(OnClipboardCut, &TDataGrid::CutSelectionToClipboard);
    }
    if (Key == VK_INSERT && Navigation->AllowInsertRow && !ctrl && !shift && !alt) {
        bool canInsert = true;
        if (OnCanInsertRow)
            OnCanInsertRow(this, row, canInsert);
        if (!canInsert)
            return;
        const int at = Navigation->InsertPosition == pInsertBefore ? row : row + 1;
        InsertRows(at, 1);
        if (OnAutoInsertRow)
            OnAutoInsertRow(this, at);
        // The current row is the new one, whichever side it went.
        if (GetRow() != at)
            SetRow(at);
    }
    if ((Key == VK_UP || Key == VK_DOWN) && MouseActions->DisjunctRowSelect) {
        if (!shift && !ctrl)
            ClearRowSelect();
        if (shift)
            SelectToRowSelect(true);
        else
            SetRowSelect(GetRow(), true);
    }
    if (Key == VK_SPACE && MouseActions->DisjunctRowSelect)
        SetRowSelect(GetRow(), !GetRowSelect(GetRow()));
    const int normalRows = GetRowCount() - FixedFooters - GetFixedRows();
    if (Key == VK_DELETE && Navigation->AllowDeleteRow && !alt && normalRows >= 1) {
        bool canDelete = true;
        if (OnCanDeleteRow)
            OnCanDeleteRow(this, row, canDelete);
        if (!canDelete)
            return;
        // The last normal row stays, emptied.
        if (normalRows == 1)
            ClearRows(row, 1);
        else
            RemoveRows(row, 1);
        if (OnAutoDeleteRow)
            OnAutoDeleteRow(this, row);
    }
    // Tab from the last normal column wraps past the right fixed columns; Shift+Tab goes back
    // as the framework takes it.
    if (Key == VK_TAB && (GetOptions() & goTabs) && FixedRightCols >= 1 && !shift &&
        col == GetColCount() - FixedRightCols - 1)
        FocusCell(GetFixedCols(), row == GetRowCount() - FixedFooters - 1 ? GetFixedRows() : row + 1, true);
}

void TDataGrid::WMChar(char& Key, int KeyData) {
    if (Key == '.' && (KeyData & (1 << 22)) && ExcelStyleDecimalSeparator)
        Key = DecimalSeparator;
    if (!(GetOptions() & goEditing) || (static_cast<unsigned char>(Key) < ' ' && Key != '\b')) {
        TBaseGrid::WMChar(Key, KeyData);
        return;
    }
    // A check box or radio group took the space on key down and opens no editor.
    const bool staticEdit = CurrentIsStaticEdit();
    if (staticEdit && Key == ' ')
        return;
    pendingKey = Key;
    if (!staticEdit)
        ShowEditorChar(Key);
}

void TDataGrid::KeyUp(WORD& Key, TShiftState Shift) {
    switch (Key) {
    case VK_PRIOR:
    case VK_NEXT:
    case VK_END:
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
    case VK_INSERT:
    case VK_DELETE:
        lookupText = "";
        break;
    default:
        break;
    }
    TBaseGrid::KeyUp(Key, Shift);
    if (Navigation->AlwaysEdit && (IsArrow(Key) || (Key == VK_TAB && (GetOptions() & goTabs))))
        ShowInplaceEdit();
}

void TDataGrid::WMSetFocus() {
    TBaseGrid::WMSetFocus();
    if (InplaceEditor()) {
        if (!FocusFromEditor() && Navigation->AlwaysEdit && !specialEditorOpen) {
            ShowInplaceEdit();
            return;
        }
    } else if (Navigation->AlwaysEdit) {
        ShowInplaceEdit();
    }
    if ((GetRowCount() == 1 && FixedRowAlways) || (GetColCount() == 1 && FixedColAlways))
        HideSelection();
}

void TDataGrid::DoEnter() {
    if (editingDone)
        return;
    TBaseGrid::DoEnter();
    SelectCell(GetCol(), GetRow());
    InitValidate(GetCol(), GetRow());
}

void TDataGrid::DoExit() {
    if (editingDone)
        return;
    if (editingStarted)
        ValidateOnFocusLoss(ValidatedText());
    TBaseGrid::DoExit();
}

void TDataGrid::CMDialogChar(char& CharCode, TShiftState Shift) {
    // A plain letter never triggers a dialog's accelerator from the grid.
    if (!Shift.Contains(ssAlt))
        CharCode = 0;
}

void TDataGrid::CMHintShow(bool& CanShow, THintInfo& HintInfo) {
    ShowHintProc(HintInfo.HintStr, CanShow, HintInfo);
}

void TDataGrid::WMPaint(QPainter& painter) {
    // What is invalid waits for the repaint at the last EndUpdate.
    if (updateCount > 0)
        return;
    TBaseGrid::WMPaint(painter);
    // The fixed column's sizing line, drawn inverted over the cells.
    if (fixedSizing) {
        painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        painter.setPen(Qt::white);
        painter.drawLine(fixedSizingX, 0, fixedSizingX, ClientHeight());
    }
}

void TDataGrid::WMSize() {
    TBaseGrid::Resize();
    StretchRightColumn();
    // A width of 0 (a window minimised or laid out) would leave every column at 0 for good.
    const int width = Width();
    if (ColumnSize->SynchWithGrid && previousWidth >= 1 && width >= 1 && width != previousWidth) {
        const double factor = static_cast<double>(width) / previousWidth;
        for (int c = 0; c < GetColCount(); ++c)
            SetColWidths(c, static_cast<int>(std::nearbyint(GetColWidths(c) * factor)));
    }
    if (width >= 1)
        previousWidth = width;
}
