// The framework grid's in-place editor.
#include "framework/FlagScope.h"
#include "framework/GridScrollArea.h"
#include "framework/Grids.h"
#include "framework/KeyMapping.h"
#include "framework/TabKeys.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollBar>
#include <QTimer>

TInplaceEdit::TInplaceEdit(TCustomGrid& grid) : TCustomEdit(&grid), grid(grid) {
    SetBorderStyle(bsNone);
    TabStop = false;
    SetVisible(false);
    KeepTabs(*View());
}

// Tab in the editor goes to the grid while the grid takes tabs, instead of moving the focus on.
void TInplaceEdit::KeepTabs(QWidget& view) {
    KeepTabKeys(*this, view, [this] { return (grid.GetOptions() & goTabs) != 0; });
}

void TInplaceEdit::UpdateContents() {
    Font = grid.Font;
    // Undo never brings another cell's text here: nothing is left to undo after this.
    SetWindowText(grid.GetEditText(grid.GetCol(), grid.GetRow()));
}

void TInplaceEdit::Move(const TRect& Loc) {
    SetBounds(Loc.Left, Loc.Top, Loc.Width(), Loc.Height());
    SetVisible(true);
    BoundsChanged();
}

void TInplaceEdit::BoundsChanged() {
    SetTextMargins(2, 2, 2, 0);
}

void TInplaceEdit::SetTextMargins(int left, int top, int right, int bottom) {
    margins = Rect(left, top, right, bottom);
    ViewChanged();
}

void TInplaceEdit::UpdateView() {
    if (multiLine) {
        UpdateLinesView();
        return;
    }
    TCustomEdit::UpdateView();
    static_cast<QLineEdit*>(View())->setTextMargins(margins.Left, margins.Top, margins.Right, margins.Bottom);
}

void TInplaceEdit::ViewFocusIn(FocusChange how) {
    TCustomEdit::ViewFocusIn(how);
    grid.FocusMoved(how);
}

void TInplaceEdit::ViewFocusOut(FocusChange how) {
    TCustomEdit::ViewFocusOut(how);
    grid.FocusMoved(how);
}

void TInplaceEdit::Change() {
    TCustomEdit::Change();
    grid.UpdateText();
}

void TInplaceEdit::KeyDown(WORD& Key, TShiftState Shift) {
    const int length = GetWindowText().Length();
    const int start = GetSelStart();
    const int end = start + GetSelLength();
    // With an editor that always shows, the caret walks off the text's ends into the next cells.
    const bool walks = (grid.GetOptions() & goAlwaysShowEditor) != 0;
    const bool leftSide = start == 0 && (end == 0 || end == length);
    const bool rightSide = (start == 0 || end == start) && end == length;
    bool toGrid = false;
    switch (Key) {
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_ESCAPE:
        toGrid = true;
        break;
    case VK_INSERT:
        toGrid = Shift.Bits == 0;
        break;
    case VK_LEFT:
    case VK_HOME:
        toGrid = Shift.Contains(ssCtrl) || (walks && leftSide);
        break;
    case VK_RIGHT:
    case VK_END:
        toGrid = Shift.Contains(ssCtrl) || (walks && rightSide);
        break;
    case VK_TAB:
        toGrid = !Shift.Contains(ssAlt);
        break;
    case VK_DELETE:
        toGrid = Shift.Contains(ssCtrl);
        break;
    default:
        break;
    }
    if (toGrid) {
        grid.KeyDown(Key, Shift);
        Key = 0;
        return;
    }
    // The grid's handler sees the keys its editor keeps, too.
    if (grid.OnKeyDown)
        grid.OnKeyDown(&grid, Key, Shift);
    if (Key != 0)
        TCustomEdit::KeyDown(Key, Shift);
}

void TInplaceEdit::KeyPress(char& Key) {
    grid.KeyPress(Key);
    switch (Key) {
    case '\t':
    case 0x1B:
        Key = 0;
        break;
    case '\r':
        if (GetSelStart() == 0 && GetSelLength() == GetWindowText().Length())
            SetSelStart(GetWindowText().Length());
        else
            SelectAll();
        Key = 0;
        break;
    default:
        break;
    }
    if (Key != 0)
        TCustomEdit::KeyPress(Key);
}

void TInplaceEdit::KeyUp(WORD& Key, TShiftState Shift) {
    grid.KeyUp(Key, Shift);
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
        current.Y >= GetRowCount())
        return;
    if (editorMode && editing == current) {
        PlaceEditor();
        return;
    }
    HideEditor();
    if (!CanEditShow())
        return;
    if (!inplaceEdit) {
        inplaceEdit = CreateEditor();
        inplaceEdit->SetParent(this);
    }
    editing = current;
    {
        const FlagScope loading(loadingEditor);
        inplaceEdit->UpdateContents();
    }
    syncedText = inplaceEdit->GetWindowText();
    editorMode = true;
    inplaceEdit->SelectAll();
    PlaceEditor();
    InvalidateCell(editing.X, editing.Y);
}

void TCustomGrid::ShowEditorChar(char Ch) {
    ShowEditor();
    if (!inplaceEdit || !editorMode)
        return;
    if (!typedText.IsEmpty() && Ch == typedText[1]) {
        inplaceEdit->ViewTextTyped(typedText);
        return;
    }
    bool passOn = false;
    inplaceEdit->ViewKeyDown(0, {}, 0, Ch, passOn);
}

void TCustomGrid::HideEditor() {
    if (!editorMode)
        return;
    UpdateText();
    editorMode = false;
    // The grid takes the focus before the editor goes, so that it never passes to a neighbour.
    if (inplaceEdit->Focused())
        SetFocus();
    inplaceEdit->Hide();
    FocusScrollBarsOn(nullptr);
    InvalidateCell(editing.X, editing.Y);
}

void TCustomGrid::UpdateText() {
    if (!editorMode || loadingEditor || editing.X >= GetColCount() || editing.Y >= GetRowCount())
        return;
    const AnsiString text = inplaceEdit->GetWindowText();
    // Untouched since it last met its cell, the editor has nothing to write: a cell changed from
    // code meanwhile (cleared, loaded, moved) keeps its new text.
    if (text == syncedText)
        return;
    syncedText = text;
    const FlagScope writing(writingEditor);
    if (text != GetEditText(editing.X, editing.Y))
        SetEditText(editing.X, editing.Y, text);
}

bool TCustomGrid::EditorTakesCell(int ACol, int ARow) {
    if (!editorMode || loadingEditor || writingEditor || !(editing == TGridCoord{ACol, ARow}) ||
        !(editing == current) || inplaceEdit->GetWindowText() == GetEditText(ACol, ARow))
        return false;
    {
        const FlagScope loading(loadingEditor);
        inplaceEdit->UpdateContents();
    }
    syncedText = inplaceEdit->GetWindowText();
    inplaceEdit->SelectAll();
    return true;
}

void TCustomGrid::FocusScrollBarsOn(QWidget* editorView) {
    // Qt hands the focus of a click on a bar to the grid, which holds the bars, unless the bar's
    // proxy has it: typing into an editor scrolled out of sight goes on, and Enter still ends it.
    auto* area = static_cast<GridScrollArea*>(View());
    for (QScrollBar* bar : {area->horizontalScrollBar(), area->verticalScrollBar()})
        if (bar->focusProxy() != editorView)
            bar->setFocusProxy(editorView);
}

void TCustomGrid::PlaceEditor() {
    if (!inplaceEdit || !editorMode)
        return;
    const TRect where =
        editing.X < GetColCount() && editing.Y < GetRowCount() ? CellRect(editing.X, editing.Y) : TRect();
    inplaceEdit->Move(where);
    FocusScrollBarsOn(inplaceEdit->View());
    // Focus that comes to the grid while its editor is open goes on into the editor: at once, or
    // once the grid has finished taking it, which would take it back.
    if (!Focused() || where.Width() == 0)
        return;
    if (!takingFocus) {
        inplaceEdit->SetFocus();
        return;
    }
    QTimer::singleShot(0, inplaceEdit->View(), [this] {
        CallFromView(*this, [this] {
            if (editorMode && Focused())
                inplaceEdit->SetFocus();
        });
    });
}
