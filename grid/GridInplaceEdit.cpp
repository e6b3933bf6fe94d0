#include "grid/GridInplaceEdit.h"

#include "framework/Clipboard.h"
#include "framework/LocaleCase.h"
#include "framework/NumberFormat.h"
#include "grid/Datagrid.h"
#include "grid/EditorFilters.h"
#include "grid/Gridutil.h"

#include <QCursor>
#include <QWidget>

#include <string_view>
#include <utility>

namespace {

// Where the first line of a text ends (1-based), 0 for a text of one line.
int FirstLineEnd(const AnsiString& text) {
    const auto end = text.view().find_first_of("\r\n");
    return end == std::string_view::npos ? 0 : static_cast<int>(end) + 1;
}

bool IsTextType(int type) {
    return type == edNormal || type == edCapital || type == edMixedCase || type == edLowerCase ||
           type == edUpperCase;
}

} // namespace

TGridInplaceEdit::TGridInplaceEdit(TDataGrid& grid) : TInplaceEdit(grid), grid(grid) {}

int TGridInplaceEdit::EditorType() const {
    return grid.editorType;
}

void TGridInplaceEdit::SetVAlign(bool Value) {
    vAlign = Value;
    SetAlignment(Value ? taRightJustify : taLeftJustify);
}

void TGridInplaceEdit::SetWordWrap(bool Value) {
    wordWrap = Value;
    SetMultiLine(GetMultiLine(), wordWrap);
}

void TGridInplaceEdit::UpdateContents() {
    wordWrap = grid.WordWrap;
    lastKeyTyped = true;
    SetPasswordChar(EditorType() == edPassword ? grid.passwordChar : 0);
    if (MaxLength == 0)
        MaxLength = grid.MaxEditLength;
    TInplaceEdit::UpdateContents();
    openedText = GetWindowText();
    // Cells that may hold line breaks get the view of several lines; a password never does.
    const AnsiString& text = GetWindowText();
    SetMultiLine(EditorType() != edPassword && (grid.Multilinecells || grid.Navigation->LineFeedOnEnter ||
                                                text.Pos("\r") > 0 || text.Pos("\n") > 0),
                 wordWrap);
    TBrush brush{grid.GetColor(), bsSolid};
    TFont font = grid.Font;
    TGridDrawState state = 0;
    TAlignment hAlign = taLeftJustify;
    TVAlignment vAlign = vtaTop;
    bool wrap = false;
    grid.GetVisualProperties(grid.GetRealCol(), grid.GetRow(), state, false, false, &brush, &font, hAlign,
                             vAlign, wrap);
    SetColor(brush.Color);
    Font = font;
}

void TGridInplaceEdit::BoundsChanged() {
    TInplaceEdit::BoundsChanged();
    // A cell out of view keeps the editor out of sight; one in view gets it over its whole block.
    if (Width() > 0 && Height() > 0) {
        const TRect cell = grid.CellRect(grid.GetCol(), grid.GetRow());
        SetBounds(cell.Left, cell.Top, cell.Width() - 1, cell.Height() - 1);
    }
    SetTextMargins(1, 0, 2, 0);
}

void TGridInplaceEdit::ConvertKeypadDecimal(char& Key, int KeyData) const {
    if (Key == '.' && grid.ExcelStyleDecimalSeparator && (KeyData & (1 << 22)))
        Key = DecimalSeparator;
}

bool TGridInplaceEdit::Accepts(char Key) {
    return AcceptsTypedChar(static_cast<TEditorType>(EditorType()), Key, GetWindowText(), GetSelStart(),
                            GetSelText());
}

void TGridInplaceEdit::WMChar(char& Key, int KeyData, TShiftState Shift) {
    if (std::exchange(dropReturn, false) && Key == '\r')
        return;
    ConvertKeypadDecimal(Key, KeyData);
    const int type = EditorType();
    // Enter as a line feed puts a whole line break in.
    const bool lineBreak = Key == '\r' && grid.Navigation->LineFeedOnEnter && IsTextType(type);
    // At the length limit no character goes in, nor an Enter that does not advance; the control
    // keys add nothing (Ctrl+Z, Ctrl+A) and keep working.
    const bool adds = lineBreak || static_cast<unsigned char>(Key) >= ' ' ||
                      (Key == '\r' && !grid.Navigation->AdvanceOnEnter);
    const AnsiString& text = GetWindowText();
    const AnsiString typed = lineBreak ? AnsiString("\r\n") : CharacterTyped(Key);
    if (adds && !WithinMaxLength(text.SubString(1, GetSelStart()) + typed +
                                 text.SubString(GetSelStart() + GetSelLength() + 1, text.Length())))
        return;
    if (lineBreak) {
        ReplaceSelection(typed);
        return;
    }
    if (!Accepts(Key))
        return;
    const bool printable = static_cast<unsigned char>(Key) >= ' ';
    if (printable && (type == edCapital || type == edUpperCase || type == edLowerCase)) {
        // Converted before it goes in, as a paste is, so that the length limit holds for it.
        TypeCharacter(InEditorCase(static_cast<TEditorType>(type), CharacterTyped(Key)), Key, KeyData, Shift);
        return;
    }
    if (type != edMixedCase || !printable) {
        TInplaceEdit::WMChar(Key, KeyData, Shift);
        return;
    }
    const int caret = GetSelStart();
    // The character and the capitals it brings are one step to undo.
    Undoable([&] {
        TInplaceEdit::WMChar(Key, KeyData, Shift);
        if (Key >= ' ') {
            SetWindowText(ShiftCase(GetWindowText()));
            SetSelStart(caret + 1);
        }
    });
}

void TGridInplaceEdit::WMKeyDown(WORD& Key, TShiftState Shift) {
    // The text from before the edit, selected as when the editor opened, so typing replaces it.
    if (Key == VK_ESCAPE) {
        SetWindowText(grid.cellTextCache);
        SelectAll();
    }
    if (Key == VK_RETURN && Shift.Contains(ssCtrl) && grid.Navigation->LineFeedOnEnter) {
        // Ends the edit as Enter does elsewhere; its character is no line break.
        char enter = '\r';
        TInplaceEdit::KeyPress(enter);
        dropReturn = true;
        Key = 0;
        return;
    }
    TInplaceEdit::WMKeyDown(Key, Shift);
}

void TGridInplaceEdit::KeyDown(WORD& Key, TShiftState Shift) {
    const bool plain = !Shift.Contains(ssShift) && !Shift.Contains(ssCtrl) && !Shift.Contains(ssAlt);
    const bool walks = plain && GetSelLength() == 0 && grid.Navigation->CursorWalkEditor;
    const bool atEnd = GetSelStart() == GetWindowText().Length();
    if (Key == VK_RIGHT || Key == VK_LEFT) {
        if (walks && (Key == VK_RIGHT ? atEnd : GetSelStart() == 0)) {
            const TAdvanceDirection direction = grid.Navigation->AdvanceDirection;
            grid.Navigation->AdvanceDirection = adLeftRight;
            struct Restore {
                TDataGrid& grid;
                TAdvanceDirection direction;
                ~Restore() { grid.Navigation->AdvanceDirection = direction; }
            } restore{grid, direction};
            grid.AdvanceEdit(grid.GetCol(), grid.GetRow(), true, true, Key == VK_RIGHT);
            Key = VK_RETURN;
        }
    }
    // Between the lines of a text of several, Up and Down stay in the editor.
    if ((Key == VK_UP || Key == VK_DOWN) && plain && MoveCaretLine(Key == VK_UP ? -1 : 1)) {
        Key = 0;
        return;
    }
    lastKeyTyped = Key != VK_BACK && Key != VK_DELETE;
    if (Key == VK_RETURN && Shift.Contains(ssCtrl) && grid.SizeWhileTyping->Height && grid.Multilinecells) {
        // The row grows to the lines the text will have with the new one.
        const int lines = LinesInText(GetWindowText() + "\r\n", true);
        if (lines >= grid.MaxLinesInRow(grid.GetRow()))
            grid.SizeToLines(grid.GetRow(), lines, 0);
        else
            grid.AutoSizeRow(grid.GetRow());
    }
    TInplaceEdit::KeyDown(Key, Shift);
}

void TGridInplaceEdit::KeyPress(char& Key) {
    if (Key == '\r' && !grid.Navigation->LineFeedOnEnter) {
        const bool valid = grid.ValidateCell(EditedText());
        // The editor shows what was stored, so that closing it keeps a handler's replacement.
        SetWindowText(grid.GetEditText(grid.GetCol(), grid.GetRow()));
        if (!valid) {
            Key = 0;
            return;
        }
    }
    TInplaceEdit::KeyPress(Key);
}

void TGridInplaceEdit::KeyUp(WORD& Key, TShiftState Shift) {
    TInplaceEdit::KeyUp(Key, Shift);
    if (Key != VK_LEFT && Key != VK_RIGHT)
        DoChange();
    if (grid.SizeWhileTyping->Width)
        grid.SizeToWidth(grid.GetCol(), true);
    if (grid.SizeWhileTyping->Height && grid.WordWrap)
        grid.AutoSizeRow(grid.GetRow());
}

void TGridInplaceEdit::DoChange() {
    if (!grid.Lookup || grid.LookupItems.Count() == 0 || !lastKeyTyped || GetSelLength() > 0)
        return;
    const AnsiString typed = GetWindowText().SubString(1, GetSelStart());
    if (typed.IsEmpty())
        return;
    auto key = [this](const AnsiString& text) {
        return grid.LookupCaseSensitive ? text : AnsiUpperCase(text);
    };
    const AnsiString start = key(typed);
    for (int i = 0; i < grid.LookupItems.Count(); ++i) {
        const AnsiString& item = grid.LookupItems[i];
        if (key(item).SubString(1, start.Length()) != start)
            continue;
        const AnsiString completed =
            (typed + item.SubString(typed.Length() + 1, item.Length())).SubString(1, 255);
        if (completed == GetWindowText())
            return;
        SetSelection(0, GetWindowText().Length());
        ReplaceSelection(completed);
        SetSelection(completed.Length(), typed.Length());
        return;
    }
}

bool TGridInplaceEdit::Allowed(const std::function<void(TObject*, bool&)>& event) {
    bool allow = true;
    if (event)
        event(this, allow);
    return allow;
}

void TGridInplaceEdit::WMCopy() {
    if (Allowed(grid.OnClipboardCopy))
        TInplaceEdit::WMCopy();
}

void TGridInplaceEdit::WMCut() {
    if (Allowed(grid.OnClipboardCut))
        TInplaceEdit::WMCut();
}

void TGridInplaceEdit::WMPaste() {
    if (GetReadOnly() || !Clipboard().HasText())
        return;
    AnsiString pasted = Clipboard().GetAsText();
    // A cell copied elsewhere comes with its line end; a single-line cell takes its first line.
    if (const int lineEnd = FirstLineEnd(pasted); lineEnd > 0 && !grid.Multilinecells)
        pasted = pasted.SubString(1, lineEnd - 1);
    const AnsiString& text = GetWindowText();
    const int start = GetSelStart();
    const bool hadSelection = GetSelLength() > 0;
    const AnsiString after = text.SubString(start + GetSelLength() + 1, text.Length());
    const int type = EditorType();
    // The text as the cell's case shows it: a letter may grow in its case ("ß" is "SS").
    const auto inCase = [type](const AnsiString& value) {
        return type == edMixedCase ? ShiftCase(value) : InEditorCase(static_cast<TEditorType>(type), value);
    };
    const AnsiString result = inCase(text.SubString(1, start) + pasted + after);
    // Whole, or not at all: the limit holds for the text as it will stand.
    if (!WithinMaxLength(inCase(pasted)) || !WithinMaxLength(result))
        return;
    if (!Allowed(grid.OnClipboardPaste))
        return;
    // Each character as typed there, so that a sign stands only where a typed one may.
    if (!AcceptsPastedText(static_cast<TEditorType>(type), text, start, GetSelLength(), pasted))
        return;
    if ((type == edNumeric || type == edPositiveNumeric) && IsType(result) != 0)
        return;
    if (type == edFloat && IsType(result) > 1)
        return;
    SetSelection(0, text.Length());
    ReplaceSelection(result);
    const int end = result.Length() - inCase(after).Length();
    if (hadSelection)
        SetSelection(start, end);
    else
        SetSelStart(end);
}

void TGridInplaceEdit::WMSetFocus() {
    TInplaceEdit::WMSetFocus();
    // Back in an editor still open (its window active again, a click on it), the edit goes on: its
    // end is validated as the focus loss validated what stood before.
    if (grid.GetEditorMode())
        grid.editPending = true;
    if (!std::exchange(grid.press.CaretPositioning, false))
        return;
    const QPoint mouse = View()->mapFromGlobal(QCursor::pos());
    if (View()->rect().contains(mouse))
        SetSelStart(CharAt(mouse.x(), mouse.y()));
}

void TGridInplaceEdit::WMKillFocus() {
    const AnsiString text = GetWindowText();
    if (grid.LookupHistory && grid.LookupItems.IndexOf(text) < 0)
        grid.LookupItems.Add(text);
    const AnsiString edited = EditedText();
    TInplaceEdit::WMKillFocus();
    grid.ValidateOnFocusLoss(edited);
    SetWindowText(grid.GetEditText(grid.GetCol(), grid.GetRow()));
    grid.specialEditorOpen = false;
}

AnsiString TGridInplaceEdit::EditedText() const {
    const AnsiString& text = GetWindowText();
    return text == openedText ? grid.GetCellEx(grid.GetRealCol(), grid.GetRow()) : text;
}

void TGridInplaceEdit::DblClick() {
    TInplaceEdit::DblClick();
    if (grid.OnDblClickCell)
        grid.OnDblClickCell(&grid, grid.GetRow(), grid.GetCol());
}
