#include "grid/GridEditors.h"

#include "framework/Clipboard.h"
#include "framework/LocaleCase.h"
#include "framework/MessageBeep.h"
#include "framework/TabKeys.h"
#include "grid/Datagrid.h"
#include "grid/EditorFilters.h"
#include "grid/GridRichEdit.h"
#include "grid/Gridxpvs.h"

#include <QComboBox>
#include <QCursor>
#include <QLineEdit>

#include <algorithm>
#include <limits>
#include <utility>

template <class Base> TGridEditor<Base>::TGridEditor(TDataGrid& grid) : Base(&grid), Grid(grid) {
    this->SetParent(&grid);
    this->TabStop = false;
    this->SetVisible(false);
    this->SetEnabled(false);
}

template <class Base> void TGridEditor<Base>::ViewFocusIn(TWinControl::FocusChange how) {
    Base::ViewFocusIn(how);
    Grid.ChildFocusMoved(how);
}

template <class Base> void TGridEditor<Base>::ViewFocusOut(TWinControl::FocusChange how) {
    Base::ViewFocusOut(how);
    Grid.ChildFocusMoved(how);
}

template <class Base> void TGridEditor<Base>::DoExit() {
    Grid.HideInplaceEdit();
    Base::DoExit();
}

template <class Base> void TGridEditor<Base>::KeepGridTabs() {
    KeepTabKeys(*this, *this->View(), [this] { return (Grid.GetOptions() & goTabs) != 0; });
}

template <class Base> TEditorType TGridEditor<Base>::EditorType() const {
    return Grid.editorType;
}

template <class Base> const AnsiString& TGridEditor<Base>::CellTextCache() const {
    return Grid.cellTextCache;
}

template <class Base> void TGridEditor<Base>::SetSpecialEditorOpen(bool value) {
    Grid.specialEditorOpen = value;
}

template <class Base> bool TGridEditor<Base>::TakeCaretPlacement() {
    return std::exchange(Grid.press.CaretPositioning, false);
}

template class TGridEditor<TDgSpinEdit>;
template class TGridEditor<TDGComboBox>;
template class TGridEditor<TDgEditBtn>;
template class TGridEditor<TDgUnitEditBtn>;
template class TGridEditor<TCheckBox>;
template class TGridEditor<TDateTimePicker>;
template class TGridEditor<TButton>;
template class TGridEditor<TRichEdit>;

ValueAndUnit SplitValueAndUnit(const AnsiString& text) {
    const std::string_view all = text.view();
    std::size_t end = !all.empty() && (all[0] == '-' || all[0] == '+') ? 1 : 0;
    while (end < all.size() && ((all[end] >= '0' && all[end] <= '9') || all[end] == ',' || all[end] == '.'))
        ++end;
    return {AnsiString(all.substr(0, end)), AnsiString(all.substr(end))};
}

bool CommitOnNavigationKey(TDataGrid& grid, WORD key, TShiftState shift, const AnsiString& text,
                           const std::function<void(const AnsiString&)>& show) {
    const auto showCell = [&] {
        show(grid.GetCurrentCell());
        grid.SpecialEditorSynced();
    };
    if (key == VK_RETURN || key == VK_UP || key == VK_DOWN) {
        const AnsiString value = grid.StoreSpecialEditorText(text);
        if (!grid.ValidateCell(value)) {
            showCell();
            return false;
        }
        showCell();
    } else if (key == VK_ESCAPE) {
        showCell();
    }
    grid.DoneInplaceEdit(key, shift);
    return true;
}

namespace {

bool IsEditNavigationKey(WORD key) {
    switch (key) {
    case VK_TAB:
    case VK_RETURN:
    case VK_ESCAPE:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_UP:
    case VK_DOWN:
        return true;
    default:
        return false;
    }
}

// Shows a text in an edit with the caret at its end.
void ShowAtEnd(TCustomEdit& edit, const AnsiString& text) {
    edit.SetWindowText(text);
    edit.SetSelStart(text.Length());
}

} // namespace

TGridSpin::TGridSpin(TDataGrid& grid) : TGridEditor(grid) {
    MinValue = 0;
    MaxValue = 100;
    Increment = 1;
    SetIsWinXP(IsThemeActive());
    KeepGridTabs();
}

void TGridSpin::UpClick(TObject* Sender) {
    TDgSpinEdit::UpClick(Sender);
    SpinClicked(true);
}

void TGridSpin::DownClick(TObject* Sender) {
    TDgSpinEdit::DownClick(Sender);
    SpinClicked(false);
}

void TGridSpin::SpinClicked(bool up) {
    const auto fire = [&](const auto& event, auto value) {
        if (event)
            event(&Grid, Grid.GetRealCol(), Grid.GetRow(), value, up);
    };
    switch (GetSpinType()) {
    case TDgSpinType::sptNormal:
        fire(Grid.OnSpinClick, GetValue());
        break;
    case TDgSpinType::sptFloat:
        fire(Grid.OnFloatSpinClick, GetFloatValue());
        break;
    case TDgSpinType::sptDate:
        fire(Grid.OnDateSpinClick, GetDateValue());
        break;
    case TDgSpinType::sptTime:
        fire(Grid.OnTimeSpinClick, GetTimeValue());
        break;
    }
}

namespace {

// The value a page key leaves: one step on while it stays within the limits (any step with
// equal limits), or the limit End and Home go to. Worked in the wider type, so that a step past
// the ends of the integers is no step within them.
template <class Wide, class Value> Value PageStepped(WORD key, Wide value, Wide step, Value min, Value max) {
    const bool unlimited = min == max;
    const Wide low = unlimited ? Wide(std::numeric_limits<Value>::lowest()) : Wide(min);
    const Wide high = unlimited ? Wide(std::numeric_limits<Value>::max()) : Wide(max);
    if (key == VK_PRIOR && value + step <= high)
        return static_cast<Value>(value + step);
    if (key == VK_NEXT && value - step >= low)
        return static_cast<Value>(value - step);
    if (key == VK_END)
        return min;
    if (key == VK_HOME)
        return max;
    return static_cast<Value>(value);
}

} // namespace

void TGridSpin::PageStep(WORD key) {
    // One edit to undo, as a step by the buttons is.
    Undoable([&] {
        if (GetSpinType() == TDgSpinType::sptNormal)
            SetValue(PageStepped<long long>(key, GetValue(), Increment, MinValue, MaxValue));
        else if (GetSpinType() == TDgSpinType::sptFloat)
            SetFloatValue(
                PageStepped<double>(key, GetFloatValue(), IncrementFloat, MinFloatValue, MaxFloatValue));
    });
    if (Grid.OnSpinClick)
        Grid.OnSpinClick(&Grid, Grid.GetRealCol(), Grid.GetRow(), GetValue(),
                         key == VK_PRIOR || key == VK_HOME);
}

void TGridSpin::KeyDown(WORD& key, TShiftState shift) {
    if (key == VK_PRIOR || key == VK_NEXT || key == VK_END || key == VK_HOME) {
        PageStep(key);
        key = 0;
        return;
    }
    if (key == VK_TAB || key == VK_RETURN || key == VK_ESCAPE || key == VK_UP || key == VK_DOWN) {
        const WORD ending = key;
        key = 0;
        CommitOnNavigationKey(Grid, ending, shift, GetWindowText(),
                              [this](const AnsiString& text) { ShowAtEnd(*this, text); });
        return;
    }
    TDgSpinEdit::KeyDown(key, shift);
}

void TGridSpin::WMChar(char& key, int keyData, TShiftState shift) {
    if (key != '\r')
        TDgSpinEdit::WMChar(key, keyData, shift);
}

TGridCombo::TGridCombo(TDataGrid& grid) : TGridEditor(grid) {
    SetButtonWidth(16);
    Themed = IsThemeActive();
    KeepGridTabs();
}

bool TGridCombo::IsNavigationKey(WORD key) const {
    if (GetDroppedDown() || Style == csDropDownList)
        return key == VK_TAB || key == VK_RETURN || key == VK_ESCAPE || key == VK_LEFT || key == VK_RIGHT;
    return IsEditNavigationKey(key) || key == VK_END;
}

void TGridCombo::KeyDown(WORD& key, TShiftState shift) {
    lookupTyped = key != VK_BACK && key != VK_DELETE;
    if (!IsNavigationKey(key)) {
        TDGComboBox::KeyDown(key, shift);
        return;
    }
    const WORD ending = key;
    key = 0;
    CommitOnNavigationKey(Grid, ending, shift, GetText(), [this](const AnsiString& text) {
        SetText(text);
        SetEditSel(text.Length(), 0);
    });
}

void TGridCombo::KeyUp(WORD& key, TShiftState shift) {
    TDGComboBox::KeyUp(key, shift);
    if (key != VK_RETURN)
        DoChange();
}

void TGridCombo::KeyPress(char& key) {
    if (key == '\r')
        key = 0;
    else
        TDGComboBox::KeyPress(key);
}

void TGridCombo::DoChange() {
    if (!lookupTyped || !Grid.Lookup || Style != csDropDown)
        return;
    const int caret = GetSelStart();
    const AnsiString typed = GetText().SubString(1, caret);
    if (typed.IsEmpty())
        return;
    const auto folded = [this](const AnsiString& text) {
        return Grid.LookupCaseSensitive ? text : AnsiUpperCase(text);
    };
    const AnsiString wanted = folded(typed);
    for (int i = 0; i < Items.Count(); ++i) {
        if (folded(Items[i]).SubString(1, wanted.Length()) != wanted)
            continue;
        const AnsiString completed =
            (typed + Items[i].SubString(caret + 1, Items[i].Length())).SubString(1, 255);
        SetItemIndex(i);
        SetText(completed);
        SetEditSel(caret, completed.Length() - caret);
        lookupChosen = true;
        return;
    }
}

void TGridCombo::DoEnter() {
    TGridEditor::DoEnter();
    if (!TakeCaretPlacement())
        return;
    QLineEdit* edit = static_cast<QComboBox*>(View())->lineEdit();
    if (!edit)
        return;
    const QPoint mouse = edit->mapFromGlobal(QCursor::pos());
    if (!edit->rect().contains(mouse))
        return;
    // The edit selection counts bytes of the text.
    const int caret = static_cast<int>(edit->text().left(edit->cursorPositionAt(mouse)).toUtf8().size());
    SetEditSel(caret, 0);
}

void TGridCombo::DoExit() {
    const AnsiString text = GetText();
    if (Grid.LookupHistory && !text.IsEmpty() && Items.IndexOf(text) < 0)
        Items.Add(text);
    TGridEditor::DoExit();
}

void TGridCombo::ComboChanged() {
    const int index = GetItemIndex();
    const AnsiString text = GetText();
    if (Grid.OnComboChange)
        Grid.OnComboChange(&Grid, Grid.GetRealCol(), Grid.GetRow(), index, text);
    if (Grid.OnComboObjectChange)
        Grid.OnComboObjectChange(&Grid, Grid.GetRealCol(), Grid.GetRow(), index, text,
                                 index >= 0 ? Items.Objects(index) : nullptr);
}

void TGridCombo::ViewPicked(int index) {
    TDGComboBox::ViewPicked(index);
    ComboChanged();
}

void TGridCombo::ViewTyped(const AnsiString& typed) {
    TDGComboBox::ViewTyped(typed);
    if (Grid.OnComboChange)
        Grid.OnComboChange(&Grid, Grid.GetRealCol(), Grid.GetRow(), -1, GetText());
}

bool TGridCombo::ViewMouseWheel(TShiftState, int wheelDelta, int, int) {
    // The index stays within the items at either end.
    const int index = GetItemIndex();
    if (wheelDelta < 0 && index < Items.Count() - 1)
        SetItemIndex(index + 1);
    else if (wheelDelta > 0 && index > 0)
        SetItemIndex(index - 1);
    ComboChanged();
    return true;
}

void TGridCombo::SizeDropDownWidth() {
    int width = Width();
    const bool scrolls = Items.Count() > DropDownCount;
    TCanvas& canvas = *Grid.Canvas;
    for (int i = 0; i < Items.Count(); ++i) {
        const int item = canvas.TextWidth(Items[i]);
        if (scrolls && width - 25 < item)
            width = item + 25;
        else if (!scrolls && width - 5 < item)
            width = item + 8;
    }
    SetDropWidth(width);
}

TGridEditBtn::TGridEditBtn(TDataGrid& grid) : TGridEditor(grid) {
    KeepGridTabs();
}

void TGridEditBtn::BtnClick(TObject*) {
    SetWindowText(Grid.EllipsClick(GetWindowText()));
    SelectAll();
    if (CanFocus())
        SetFocus();
}

void TGridEditBtn::KeyDown(WORD& key, TShiftState shift) {
    if (shift.Contains(ssCtrl) || !IsEditNavigationKey(key)) {
        TDgEditBtn::KeyDown(key, shift);
        return;
    }
    const WORD ending = key;
    key = 0;
    CommitOnNavigationKey(Grid, ending, shift, GetWindowText(),
                          [this](const AnsiString& text) { ShowAtEnd(*this, text); });
}

void TGridEditBtn::KeyPress(char& key) {
    if (key == '\t' || (key >= '0' && key <= '9'))
        TDgEditBtn::KeyPress(key);
}

TEditorType TGridEditBtn::TypedRule() const {
    switch (EditorType()) {
    case edEditBtn:
        return edNormal;
    case edNumericEditBtn:
        return edNumeric;
    case edFloatEditBtn:
        return edFloat;
    default:
        return edCustom;
    }
}

void TGridEditBtn::WMChar(char& key, int keyData, TShiftState shift) {
    if (key != '\r' && AcceptsTypedChar(TypedRule(), key, GetWindowText(), GetSelStart(), GetSelText()))
        TDgEditBtn::WMChar(key, keyData, shift);
}

void TGridEditBtn::WMPaste() {
    if (AcceptsPastedText(TypedRule(), GetWindowText(), GetSelStart(), GetSelLength(),
                          PastedLine(Clipboard().GetAsText())))
        TDgEditBtn::WMPaste();
}

TGridUnitEditBtn::TGridUnitEditBtn(TDataGrid& grid) : TGridEditor(grid) {
    KeepGridTabs();
}

void TGridUnitEditBtn::KeyDown(WORD& key, TShiftState shift) {
    if (!IsEditNavigationKey(key)) {
        TDgUnitEditBtn::KeyDown(key, shift);
        return;
    }
    const WORD ending = key;
    key = 0;
    CommitOnNavigationKey(Grid, ending, shift, GetWindowText() + GetUnitID(), [this](const AnsiString& text) {
        const auto [value, unit] = SplitValueAndUnit(text);
        ShowAtEnd(*this, value);
        SetUnitID(unit);
    });
}

void TGridUnitEditBtn::WMChar(char& key, int keyData, TShiftState shift) {
    if (key != '\r')
        TDgUnitEditBtn::WMChar(key, keyData, shift);
}

TGridCheckBox::TGridCheckBox(TDataGrid& grid) : TGridEditor(grid) {}

void TGridCheckBox::ViewMouseDown(TMouseButton button, TShiftState shift, int x, int y, bool& passOn) {
    // The view never sees the press, so its release turns nothing back.
    if (button == mbLeft) {
        SetChecked(!GetChecked());
        passOn = false;
    }
    TGridEditor::ViewMouseDown(button, shift, x, y, passOn);
}

void TGridCheckBox::KeyDown(WORD& key, TShiftState shift) {
    switch (key) {
    case VK_RETURN:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_END:
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN: {
        const WORD ending = key;
        key = 0;
        Grid.HideInplaceEdit();
        Grid.SetFocus();
        if (ending == VK_RETURN)
            Grid.AdvanceEdit(Grid.GetCol(), Grid.GetRow(), true, true, true);
        else if (ending == VK_UP || ending == VK_DOWN)
            Grid.DoneInplaceEdit(ending, shift);
        return;
    }
    default:
        TCheckBox::KeyDown(key, shift);
    }
}

TGridDatePicker::TGridDatePicker(TDataGrid& grid) : TGridEditor(grid) {}

bool TGridDatePicker::ReadCellText(const AnsiString& text, TDateTime& value) const {
    return GetKind() == dtkTime ? TryStrToDateTime(text, value) : ReadSpinDate(text, value);
}

void TGridDatePicker::KeyDown(WORD& key, TShiftState shift) {
    if (key != VK_RETURN && key != VK_ESCAPE && key != VK_PRIOR && key != VK_NEXT && key != VK_END) {
        TDateTimePicker::KeyDown(key, shift);
        return;
    }
    if (key == VK_ESCAPE) {
        // A cell that holds no date or time leaves the picker where it is.
        TDateTime value = 0;
        if (ReadCellText(Grid.GetCurrentCell(), value)) {
            if (GetKind() == dtkTime)
                SetTime(value);
            else
                SetDate(value);
        }
    }
    if (GetDroppedDown())
        return;
    const WORD ending = key;
    key = 0;
    Grid.DoneInplaceEdit(ending, shift);
}

TGridButton::TGridButton(TDataGrid& grid) : TGridEditor(grid) {}

void TGridButton::Click() {
    SetCaption(Grid.EllipsClick(GetCaption()));
    TButton::Click();
}

void TGridButton::KeyDown(WORD& key, TShiftState shift) {
    if (key != VK_LEFT && key != VK_RIGHT && key != VK_UP && key != VK_DOWN && key != VK_ESCAPE) {
        TButton::KeyDown(key, shift);
        return;
    }
    const WORD ending = key;
    key = 0;
    Hide();
    SetEnabled(false);
    SetSpecialEditorOpen(false);
    Grid.SetFocus();
    if (ending == VK_ESCAPE)
        Grid.RestoreCache();
    Grid.PostKeyDown(ending);
    if (ending != VK_ESCAPE)
        Grid.PostKeyUp(ending);
}

TGridEditors::TGridEditors(TDataGrid& grid)
    : Spin(new TGridSpin(grid)), Combo(new TGridCombo(grid)), EditBtn(new TGridEditBtn(grid)),
      UnitEditBtn(new TGridUnitEditBtn(grid)), CheckBox(new TGridCheckBox(grid)),
      DatePicker(new TGridDatePicker(grid)), Button(new TGridButton(grid)),
      RichEdit(new TGridRichEdit(grid)) {
    Spin->SetBorderStyle(bsNone);
    EditBtn->SetButtonCaption("...");
    EditBtn->SetBorderStyle(bsNone);
    UnitEditBtn->SetButtonCaption("...");
    UnitEditBtn->SetBorderStyle(bsNone);
}
