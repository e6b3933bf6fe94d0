// The framework grid's in-place editor.
#include "framework/GridScrollArea.h"
#include "framework/Grids.h"

TInplaceEdit::TInplaceEdit(TCustomGrid& grid) : TCustomEdit(&grid), grid(grid) {
    SetBorderStyle(bsNone);
    TabStop = false;
    SetVisible(false);
}

void TInplaceEdit::Change() {
    TCustomEdit::Change();
    grid.UpdateText();
}

void TInplaceEdit::WMKeyDown(WORD& key, TShiftState shift) {
    const bool atStart = GetSelLength() == 0 && GetSelStart() == 0;
    const bool atEnd = GetSelLength() == 0 && GetSelStart() == GetWindowText().Length();
    switch (key) {
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT:
        grid.KeyDown(key, shift);
        return;
    case VK_LEFT:
    case VK_RIGHT:
        // The caret leaves the text at its end: the grid moves on.
        if ((key == VK_LEFT && atStart) || (key == VK_RIGHT && atEnd)) {
            grid.KeyDown(key, shift);
            return;
        }
        break;
    case VK_RETURN:
    case VK_ESCAPE:
        grid.SetEditorMode(false);
        key = 0;
        return;
    }
    TCustomEdit::WMKeyDown(key, shift);
}

QWidget* TCustomGrid::ClientView() const {
    return View() ? static_cast<GridScrollArea*>(View())->viewport() : nullptr;
}

bool TCustomGrid::CanEditShow() {
    return (options & (goRowSelect | goEditing)) == goEditing;
}

TInplaceEdit* TCustomGrid::CreateEditor() {
    return new TInplaceEdit(*this);
}

AnsiString TCustomGrid::GetEditText(int ACol, int ARow) {
    AnsiString text;
    if (OnGetEditText)
        OnGetEditText(this, ACol, ARow, text);
    return text;
}

void TCustomGrid::SetEditText(int ACol, int ARow, const AnsiString& Value) {
    if (OnSetEditText)
        OnSetEditText(this, ACol, ARow, Value);
}

void TCustomGrid::SetEditorMode(bool value) {
    if (value)
        ShowEditor();
    else
        HideEditor();
}

void TCustomGrid::ShowEditor() {
    if (current.X < fixedCols || current.Y < fixedRows || current.X >= GetColCount() ||
        current.Y >= GetRowCount() || !CanEditShow())
        return;
    if (!inplaceEdit) {
        inplaceEdit = CreateEditor();
        inplaceEdit->SetParent(this);
    }
    editing = current;
    editorMode = true;
    loadingEditor = true;
    inplaceEdit->Font = Font;
    inplaceEdit->SetWindowText(GetEditText(editing.X, editing.Y));
    loadingEditor = false;
    PlaceEditor();
    inplaceEdit->SelectAll();
    if (Focused() && inplaceEdit->CanFocus())
        inplaceEdit->SetFocus();
    InvalidateCell(editing.X, editing.Y);
}

void TCustomGrid::ShowEditorChar(char Ch) {
    ShowEditor();
    if (!inplaceEdit || !editorMode)
        return;
    inplaceEdit->SelectAll();
    bool passOn = false;
    inplaceEdit->ViewKeyDown(0, {}, 0, Ch, passOn);
}

void TCustomGrid::HideEditor() {
    if (!editorMode)
        return;
    UpdateText();
    editorMode = false;
    const bool hadFocus = inplaceEdit->Focused();
    inplaceEdit->Hide();
    if (hadFocus)
        SetFocus();
    InvalidateCell(editing.X, editing.Y);
}

void TCustomGrid::UpdateText() {
    if (editorMode && !loadingEditor && editing.X < GetColCount() && editing.Y < GetRowCount())
        SetEditText(editing.X, editing.Y, inplaceEdit->GetWindowText());
}

void TCustomGrid::PlaceEditor() {
    if (!inplaceEdit || !editorMode)
        return;
    const TRect where =
        editing.X < GetColCount() && editing.Y < GetRowCount() ? CellRect(editing.X, editing.Y) : TRect();
    inplaceEdit->SetBounds(where.Left, where.Top, where.Width(), where.Height());
    inplaceEdit->SetVisible(where.Width() > 0 && where.Height() > 0);
}
