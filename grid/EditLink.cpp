#include "grid/EditLink.h"

#include "framework/FlagScope.h"
#include "framework/Form.h"
#include "grid/Datagrid.h"
#include "grid/GridInplaceEdit.h"

#include <QTimer>

TEditLink::TEditLink(TComponent* owner) : TComponent(owner) {}

TEditLink::~TEditLink() {
    if (grid && grid->EditLink == this)
        grid->EditLink = nullptr;
}

void TEditLink::Open(TDataGrid& onGrid, int col, int row, std::unique_ptr<TForm> window) {
    FreePopup();
    grid = &onGrid;
    editCol = col;
    editRow = row;
    popup = std::move(window);
}

void TEditLink::GridGone() {
    grid = nullptr;
    popup.reset();
}

void TEditLink::FreePopup() {
    // The window may be handling its own event: it goes once that is over.
    if (TForm* window = popup.release())
        QTimer::singleShot(0, [window] { delete window; });
}

void TEditLink::CreateEditor(TWinControl*) {}

void TEditLink::SetFocus(bool Value) {
    TWinControl* control = GetEditControl();
    if (Value && control)
        control->SetFocus();
    else if (!Value && grid)
        grid->SetFocus();
}

void TEditLink::SetRect(TRect R) {
    TWinControl* control = GetEditControl();
    if (!control || !grid)
        return;
    const int line = grid->GetGridLineWidth();
    control->SetBounds(R.Left, R.Top, R.Width() - line, R.Height() - line);
}

void TEditLink::SetVisible(bool Value) {
    if (TWinControl* control = GetEditControl())
        control->SetVisible(Value);
}

void TEditLink::SetCellProps(TColor, const TFont&) {}

void TEditLink::SetEditorValue(const AnsiString&) {}

void TEditLink::EditKeyDown(TObject*, WORD& Key, TShiftState Shift) {
    const bool leaves = Key == VK_RETURN || Key == VK_ESCAPE || Key == VK_PRIOR || Key == VK_NEXT ||
                        Key == VK_END || Key == VK_LEFT || Key == VK_UP || Key == VK_RIGHT || Key == VK_DOWN;
    if (!leaves || !grid)
        return;
    const bool kept = (WantKeyUpDown && (Key == VK_UP || Key == VK_DOWN)) ||
                      (WantKeyLeftRight && (Key == VK_LEFT || Key == VK_RIGHT)) ||
                      (WantKeyHomeEnd && Key == VK_END) ||
                      (WantKeyPriorNext && (Key == VK_PRIOR || Key == VK_NEXT)) ||
                      (WantKeyReturn && Key == VK_RETURN) || (WantKeyEscape && Key == VK_ESCAPE);
    if (kept)
        return;
    TDataGrid& onGrid = *grid;
    // Taken first: the focus leaving the editor writes its value and ends the edit.
    const AnsiString original = onGrid.cellTextCache;
    const int col = editCol;
    const int row = editRow;
    {
        const FlagScope leaving(leavingByKey);
        onGrid.SetFocus();
    }
    if (Key == VK_ESCAPE && col >= 0)
        onGrid.SetCellEx(col, row, original);
    onGrid.HideInplaceEdit();
    if (Key == VK_RETURN) {
        onGrid.AdvanceEdit(onGrid.GetCol(), onGrid.GetRow(), true, true, true);
        Key = 0;
    } else if (Key == VK_UP || Key == VK_DOWN) {
        onGrid.DoneInplaceEdit(Key, Shift);
        Key = 0;
    }
}

void TEditLink::HideEditor() {
    WriteBack();
    if (grid)
        grid->HideInplaceEdit();
    if (TWinControl* control = GetEditControl())
        control->Hide();
}

void TEditLink::EditExit(TObject*) {
    // Let go first: the grid closing its editors below then closes no pop-up a second time.
    if (EditStyle == esPopup)
        FreePopup();
    HideEditor();
}

void TEditLink::FormExit(TObject* Sender) {
    if (grid && grid->GetInplaceEditor())
        grid->GetInplaceEditor()->SetWindowText(GetEditorValue());
    if (leavingByKey)
        WriteBack();
    else
        EditExit(Sender);
}

void TEditLink::WriteBack() {
    if (const AnsiString value = GetEditorValue(); value != shownValue)
        SetCellValue(value);
    editCol = -1;
    editRow = -1;
}

bool TEditLink::TakeCell(int col, int row, const AnsiString& text) {
    if (writing || col != editCol || row != editRow)
        return false;
    SetEditorValue(text);
    ValueShown();
    return true;
}

void TEditLink::GridClosed(bool Write) {
    if (!Write) {
        editCol = -1;
        editRow = -1;
    }
    if (EditStyle != esPopup)
        SetVisible(false);
    else if (popup)
        EditExit(nullptr);
}

AnsiString TEditLink::GetCellValue() {
    return grid && editCol >= 0 ? grid->GetCellEx(editCol, editRow) : AnsiString();
}

void TEditLink::SetCellValue(const AnsiString& Value) {
    const FlagScope own(writing);
    if (grid && editCol >= 0 && editCol < grid->RealColCount() && editRow < grid->GetRowCount())
        grid->SetCellEx(editCol, editRow, Value);
}

TWinControl* TEditLink::GetParent() {
    if (EditStyle == esPopup && popup)
        return popup.get();
    return grid;
}
