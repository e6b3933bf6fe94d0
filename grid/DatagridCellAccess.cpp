// Cells across hidden rows, hidden columns and the sort; the text the editor edits; showing,
// hiding and finishing in-place editing; the grid's hint.
#include "framework/FlagScope.h"
#include "grid/Datagrid.h"
#include "grid/GridInplaceEdit.h"
#include "grid/Gridutil.h"

#include <QWidget>

#include <utility>

TStringList* TDataGrid::HiddenRow(int ARow) const {
    TGridItem* item = HiddenRowItem(ARow);
    return item ? &item->Items : nullptr;
}

AnsiString TDataGrid::GetCellsEx(int ACol, int ARow) {
    if (const TStringList* row = HiddenRow(ARow))
        return ACol >= 0 && ACol < row->Count() ? (*row)[ACol] : AnsiString();
    return GetCellEx(ACol, RemapRow(ARow));
}

void TDataGrid::SetCellsEx(int ACol, int ARow, const AnsiString& Value) {
    if (TStringList* row = HiddenRow(ARow)) {
        CheckGridIndex(ACol, RealColCount());
        while (row->Count() <= ACol)
            row->Add("");
        row->Put(ACol, Value);
        return;
    }
    SetCellEx(ACol, RemapRow(ARow), Value);
}

TObject* TDataGrid::GetObjectsEx(int ACol, int ARow) {
    if (const TStringList* row = HiddenRow(ARow)) {
        const auto* props =
            ACol >= 0 && ACol < row->Count() ? dynamic_cast<TCellProperties*>(row->GetObject(ACol)) : nullptr;
        return props ? props->CellObject : nullptr;
    }
    return GetObjectEx(ACol, RemapRow(ARow));
}

void TDataGrid::SetObjectsEx(int ACol, int ARow, TObject* Value) {
    if (HiddenRow(ARow)) {
        CheckGridIndex(ACol, RealColCount());
        MakeBlockRowProperties(ACol, ARow)->CellObject = Value;
        return;
    }
    SetObjectEx(ACol, RemapRow(ARow), Value);
}

TColor TDataGrid::GetColors(int ACol, int ARow) {
    return HasCellProperties(ACol, ARow) ? GetCellProperties(ACol, ARow)->GetBrushColor() : UnsetCellColor;
}

void TDataGrid::SetColors(int ACol, int ARow, TColor Value) {
    GetCellProperties(ACol, ARow)->SetBrushColor(Value);
}

int TDataGrid::GetAllColWidths(int ACol) const {
    CheckGridIndex(ACol, RealColCount());
    if (IsHiddenColumn(ACol) && ACol < static_cast<int>(savedColWidths.size()))
        return cols.AtOffset(savedColWidths[static_cast<std::size_t>(ACol)]);
    return GetColWidths(RemapColInv(ACol));
}

void TDataGrid::SetAllColWidths(int ACol, int Value) {
    CheckGridIndex(ACol, RealColCount());
    if (IsHiddenColumn(ACol) && ACol < static_cast<int>(savedColWidths.size()))
        savedColWidths[static_cast<std::size_t>(ACol)] = cols.AtOffsetZero(Value);
    else if (!IsHiddenColumn(ACol))
        SetColWidths(RemapColInv(ACol), Value);
}

int TDataGrid::GetAllColBaseWidths(int ACol) const {
    if (IsHiddenColumn(ACol) && ACol < static_cast<int>(savedColWidths.size()))
        return savedColWidths[static_cast<std::size_t>(ACol)];
    return cols.BaseSize(RemapColInv(ACol));
}

void TDataGrid::SetAllColBaseWidths(int ACol, int Value) {
    if (IsHiddenColumn(ACol) && ACol < static_cast<int>(savedColWidths.size())) {
        savedColWidths[static_cast<std::size_t>(ACol)] = Value;
    } else if (!IsHiddenColumn(ACol)) {
        cols.SetBaseSize(RemapColInv(ACol), Value);
        ColWidthsChanged();
    }
}

void TDataGrid::SetCursorEx(TCursor Value) {
    SetCursor(Value);
    layoutCursor = Value;
}

int TDataGrid::SortedRowIndex(int ARow) const {
    return ARow >= 0 && ARow < sortCrossReference.Count() ? sortCrossReference.GetInteger(ARow) : ARow;
}

int TDataGrid::UnSortedRowIndex(int ARow) const {
    const int count = sortCrossReference.Count();
    if (count == 0)
        return ARow;
    if (sortCrossInverse.empty()) {
        // The first position of each reference, positions of references out of range left out.
        sortCrossInverse.assign(static_cast<std::size_t>(count), count);
        for (int i = count - 1; i >= 0; --i)
            if (const int reference = sortCrossReference.GetInteger(i); reference >= 0 && reference < count)
                sortCrossInverse[static_cast<std::size_t>(reference)] = i;
    }
    return ARow >= 0 && ARow < count ? sortCrossInverse[static_cast<std::size_t>(ARow)] : count;
}

AnsiString TDataGrid::GetUnSortedCell(int ACol, int ARow) {
    return GetCellEx(ACol, sortCrossReference.Count() >= ARow ? UnSortedRowIndex(ARow) : ARow);
}

void TDataGrid::SetUnSortedCell(int ACol, int ARow, const AnsiString& Value) {
    SetCellEx(ACol, sortCrossReference.Count() >= ARow ? UnSortedRowIndex(ARow) : ARow, Value);
}

AnsiString TDataGrid::GetEditText(int ACol, int ARow) {
    const int column = RemapCol(ACol);
    if (TGridInplaceEdit* editor = GetInplaceEditor())
        editor->SetVAlign(GetCellAlignment(column, ARow).first == taRightJustify);
    const AnsiString text = TBaseGrid::GetEditText(column, ARow);
    // Only a text the grid paints as HTML loses its tags; "<150>" in plain text is no tag.
    return EditWithTags || TextType(text, EnableHTML) != ttHTML ? text : HTMLToPlainText(text);
}

void TDataGrid::SetEditText(int ACol, int ARow, const AnsiString& Value) {
    const FlagScope storing(editorStoring);
    TBaseGrid::SetEditText(RemapCol(ACol), ARow, Value);
}

void TDataGrid::ShowInplaceEdit() {
    SetEditorMode(true);
}

void TDataGrid::HideInplaceEdit() {
    // Closes the special editor too, onto its own cell.
    SetEditorMode(false);
}

void TDataGrid::DoneInplaceEdit(WORD Key, TShiftState Shift) {
    const FlagScope done(editingDone);
    HideInplaceEdit();
    if (Key == VK_TAB || Key == VK_LEFT || Key == VK_RIGHT || Key == VK_UP || Key == VK_DOWN)
        TBaseGrid::KeyDown(Key, Shift);
    struct Restore {
        TNavigation& navigation;
        bool alwaysEdit;
        ~Restore() { navigation.AlwaysEdit = alwaysEdit; }
    } restore{*Navigation, std::exchange(Navigation->AlwaysEdit, false)};
    SetFocus();
    // Enter goes on to the next editable cell, forwards.
    if (Key == VK_RETURN)
        AdvanceEdit(GetCol(), GetRow(), true, true, true);
}

void TDataGrid::TopLeftChanged() {
    TBaseGrid::TopLeftChanged();
    if (specialEditorOpen)
        HideInplaceEdit();
    UpdateFooter();
}

AnsiString TDataGrid::EllipsClick(const AnsiString& S) {
    AnsiString result = S;
    if (OnEllipsClick)
        OnEllipsClick(this, GetRealCol(), GetRow(), result);
    return result;
}

void TDataGrid::ShowHintProc(AnsiString& HintStr, bool&, THintInfo& HintInfo) {
    HintInfo.HintColor = HintColor;
    int col = -1;
    int row = -1;
    MouseToCell(HintInfo.CursorPos.x, HintInfo.CursorPos.y, col, row);
    if (col < 0 || row < 0)
        return;
    hintCell = {col, row};
    const AnsiString text = GetCellEx(RemapCol(col), row);
    AnsiString anchor;
    if (AnchorHint && CellAnchor(col, row, HintInfo.CursorPos.x, HintInfo.CursorPos.y, anchor)) {
        if (OnAnchorHint)
            OnAnchorHint(this, row, col, anchor);
        HintStr = anchor;
    }
    const TRect cell = TBaseGrid::CellRect(col, row);
    AnsiString comment;
    const bool commented = IsComment(RemapCol(col), row, comment);
    if (commented)
        HintStr = comment;
    TPoint at = commented ? Point(cell.Right, cell.Top) : Point(cell.Left, cell.Bottom + 6);
    const bool normal =
        col >= GetFixedCols() && row >= GetFixedRows() && col <= LastNormalCol() && row <= LastNormalRow();
    if (normal &&
        (HintShowCells || (HintShowLargeText && GetCellTextSize(RemapCol(col), row).x > cell.Width()))) {
        HintStr = text;
        at = Point(cell.Left, cell.Top);
    }
    if (OnGridHint)
        OnGridHint(this, row, col, HintStr);
    const QPoint screen = ClientView()->mapToGlobal(QPoint(at.x, at.y));
    HintInfo.HintPos = Point(screen.x(), screen.y());
}
