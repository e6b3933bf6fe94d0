// Whether the current cell may be edited, with which editor, and what happens as it moves.
#include "grid/Datagrid.h"
#include "grid/EditLink.h"
#include "grid/GridInplaceEdit.h"

#include <utility>

namespace {

// The editor types the text editor serves; every other type has a special editor of its own.
bool IsTextEditorType(TEditorType type) {
    switch (type) {
    case edNormal:
    case edNumeric:
    case edPositiveNumeric:
    case edFloat:
    case edCapital:
    case edMixedCase:
    case edPassword:
    case edLowerCase:
    case edUpperCase:
        return true;
    default:
        return false;
    }
}

} // namespace

void TDataGrid::Invalidate() {
    if (std::exchange(skipNextRepaint, false))
        return;
    TBaseGrid::Invalidate();
}

bool TDataGrid::IsEditable(int ACol, int ARow) {
    if (!EditingOn())
        return false;
    bool canEdit = true;
    GetCellReadOnly(ACol, ARow, canEdit);
    bool fixed = false;
    GetCellFixed(ACol, ARow, fixed);
    return canEdit && !fixed;
}

TInplaceEdit* TDataGrid::CreateEditor() {
    return new TGridInplaceEdit(*this);
}

TGridInplaceEdit* TDataGrid::GetInplaceEditor() const {
    return static_cast<TGridInplaceEdit*>(InplaceEditor());
}

bool TDataGrid::CanEditShow() {
    if (validating)
        return false;
    bool answer = TBaseGrid::CanEditShow();
    const TPoint cell = RealBaseCell(GetCol(), GetRow());
    // The first current cell never passed SelectCell, which turns editing off on a cell that
    // may not be edited, nor refused a footer row or a right fixed column.
    if (answer && (!IsEditable(cell.x, cell.y) || IsFixed(GetCol(), GetRow())))
        answer = false;
    // Check boxes and radio groups change by clicking and the space bar.
    if (answer && !specialEditorOpen && HasStaticEdit(cell.x, cell.y))
        answer = false;
    if (answer && !specialEditorOpen) {
        CacheCellText(GetCol(), GetRow());
        editorType = edNormal;
        GetCellEditor(cell.x, cell.y, editorType);
        if (!IsTextEditorType(editorType)) {
            ShowEditControl(GetCol(), GetRow());
            editingStarted = true;
            answer = false;
        }
    }
    if (answer) {
        editingStarted = true;
        editPending = true;
        // The edit starts from the text the cell holds now, whatever it held when it became
        // current.
        InitValidate(GetCol(), GetRow());
    }
    return answer;
}

bool TDataGrid::EditorTakesCell(int ACol, int ARow) {
    if (specialEditorOpen && !editorStoring && editorType != edCustom &&
        TrackedCell{RemapCol(ACol), ARow} == specialCell) {
        // The text written replaces the user's edit, which goes before the cell is read: a read
        // would write it first.
        SpecialEditorSynced();
        FillSpecialEditor(GetEditText(ACol, ARow), specialCell.Col, ARow);
        SpecialEditorSynced();
    } else if (specialEditorOpen && editorType == edCustom && EditLink) {
        if (!EditLink->TakeCell(RemapCol(ACol), ARow, GetEditText(ACol, ARow)))
            return false;
    } else if (!TBaseGrid::EditorTakesCell(ACol, ARow)) {
        return false;
    }
    // The validation's own write is the outcome of the edit, not a text from elsewhere.
    if (!validating) {
        InitValidate(ACol, ARow);
        CacheCellText(ACol, ARow);
    }
    return true;
}

void TDataGrid::CacheCellText(int ACol, int ARow) {
    cachedCell = {RemapCol(ACol), ARow};
    cellTextCache = GetCellEx(cachedCell.Col, ARow);
}

void TDataGrid::TextsWritten(const TRect& Cells) {
    // A text written from code is no edit for Escape to take back; the editors' own texts are.
    if (!editorStoring && !validating && cachedCell.Col >= Cells.Left && cachedCell.Col <= Cells.Right &&
        cachedCell.Row >= Cells.Top && cachedCell.Row <= Cells.Bottom)
        cachedCell.Drop();
}

void TDataGrid::RestoreCache() {
    // A cache of another cell (the current one moved from code, or the cell moved away with its
    // row or column) is no text of this one.
    if (!(cachedCell == TrackedCell{GetRealCol(), GetRow()}))
        return;
    SetCellEx(GetRealCol(), GetRow(), cellTextCache);
    // Read and written once more, so that what shows follows.
    SetCells(GetCol(), GetRow(), GetCells(GetCol(), GetRow()));
}

bool TDataGrid::SelectCell(int ACol, int ARow) {
    bool allow = true;
    if (FloatingFooter->GetVisible()) {
        const bool lastRowFooter = FloatingFooter->GetFooterStyle() == fsFixedLastRow;
        if (!lastRowFooter)
            UpdateFooter();
        const TRect cell = TBaseGrid::CellRect(ACol, ARow);
        const int limit = lastRowFooter ? GetRowCount() - 1 : GetRowCount();
        if (cell.Bottom > ClientHeight() - FloatingFooter->GetFooterHeight() + 2 && ARow < limit &&
            GetTopRow() + 1 < GetRowCount())
            SetTopRow(GetTopRow() + 1);
        if (lastRowFooter && ARow == GetRowCount() - 1)
            return false;
    }
    if (ARow != GetRow() && OnRowChanging)
        OnRowChanging(this, GetRow(), ARow, allow);
    if (ACol != GetCol() && OnColChanging)
        OnColChanging(this, GetCol(), ACol, allow);
    if ((ACol != GetCol() || ARow != GetRow()) && OnCellChanging && !advancing)
        OnCellChanging(this, GetRow(), GetCol(), ARow, ACol, allow);
    if ((ACol == 0 && HasNodes() && !(GetOptions() & goRowSelect)) || !allow)
        return false;
    const int oldCol = GetCol();
    const int oldRow = GetRow();
    const int c = RemapCol(ACol);
    // A check box or radio group changes by clicking: it leaves editing as it was.
    const bool staticEdit = HasStaticEdit(c, ARow);
    const bool editingOn = EditingOn();
    bool canEdit = editingOn;
    if (!staticEdit) {
        editingSwitchedOff = false;
        GetCellReadOnly(c, ARow, canEdit);
    }
    if (!staticEdit && canEdit) {
        if (!(GetOptions() & goEditing)) {
            skipNextRepaint = true;
            InitValidate(ACol, ARow);
            SetOptions(GetOptions() | goEditing);
        }
    } else if (!staticEdit && editingOn) {
        // Still only switched off when the cell before refused editing too.
        editingSwitchedOff = true;
        if (GetOptions() & goEditing) {
            skipNextRepaint = true;
            SetOptions(GetOptions() & ~static_cast<unsigned>(goEditing));
        }
    }
    // The special editor closes onto its own cell, whatever the next cell may take.
    if (specialEditorOpen) {
        HideInplaceEdit();
        SetFocus();
    }
    bool answer = false;
    const TInplaceEdit* editor = InplaceEditor();
    if (editPending && !(editor && editor->Focused())) {
        answer = ValidateCell(ValidatedText());
        if (answer)
            answer = TBaseGrid::SelectCell(ACol, ARow);
    } else {
        answer = !IsFixed(ACol, ARow) && TBaseGrid::SelectCell(ACol, ARow);
    }
    // A refused cell never becomes current: Escape keeps to the text of the one that stays.
    if (answer)
        CacheCellText(ACol, ARow);
    if (!rowIndicator.Empty() && GetFixedCols() > 0) {
        RepaintCell(0, oldRow);
        RepaintCell(0, ARow);
    }
    if (ActiveCellShow) {
        RepaintCell(oldCol, 0);
        RepaintCell(0, oldRow);
        RepaintCell(ACol, 0);
        RepaintCell(0, ARow);
    }
    return answer;
}
