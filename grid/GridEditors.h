#pragma once

#include "framework/Button.h"
#include "framework/CheckBox.h"
#include "framework/DateTimePicker.h"
#include "grid/DatagridEvents.h"
#include "grid/Dgcombo.h"
#include "grid/Dgedit.h"
#include "grid/Dgspin.h"

#include <functional>

class TDataGrid;
class TGridRichEdit;

// What the special editors share: each is made hidden and disabled over its grid, hands the
// grid back its editing when the focus leaves it, and counts as inside the grid for the grid's
// own entering and leaving.
template <class Base> class TGridEditor : public Base {
public:
    explicit TGridEditor(TDataGrid& grid);

    void ViewFocusIn(TWinControl::FocusChange how) override;
    void ViewFocusOut(TWinControl::FocusChange how) override;
    // Enter and Escape are the editor's, not the window's buttons'.
    bool WantsAllKeys() const override { return true; }

protected:
    void DoExit() override;
    // Tab reaches the editor's key handling while the grid takes tabs.
    void KeepGridTabs();
    // The editing state of the grid the editors read.
    TEditorType EditorType() const;
    const AnsiString& CellTextCache() const;
    void SetSpecialEditorOpen(bool value);
    // True once after a click opened the editor and asks for the caret where the mouse is.
    bool TakeCaretPlacement();

    TDataGrid& Grid;
};

// The spin edit over integer, float, date and time cells. PgUp and PgDn step by the increment
// within the limits, End and Home go to the minimum and the maximum.
class TGridSpin : public TGridEditor<TDgSpinEdit> {
public:
    explicit TGridSpin(TDataGrid& grid);

    void UpClick(TObject* Sender) override;
    void DownClick(TObject* Sender) override;

protected:
    void KeyDown(WORD& key, TShiftState shift) override;
    void WMChar(char& key, int keyData, TShiftState shift) override;

private:
    void PageStep(WORD key);
    // The grid's spin event of the spin type.
    void SpinClicked(bool up);
};

// The combo box over list cells: completes what is typed from its items with the grid's Lookup,
// and moves through them with the wheel.
class TGridCombo : public TGridEditor<TDGComboBox> {
public:
    explicit TGridCombo(TDataGrid& grid);

    // The drop-down width that fits the widest item.
    void SizeDropDownWidth();
    bool ViewMouseWheel(TShiftState shift, int wheelDelta, int x, int y) override;
    void ViewPicked(int index) override;
    void ViewTyped(const AnsiString& typed) override;

protected:
    void KeyDown(WORD& key, TShiftState shift) override;
    void KeyUp(WORD& key, TShiftState shift) override;
    void KeyPress(char& key) override;
    // Opened by a click, the caret goes to the character under the mouse.
    void DoEnter() override;
    void DoExit() override;

private:
    bool IsNavigationKey(WORD key) const;
    // Look-up completion of the text typed up to the caret.
    void DoChange();
    // The grid's combo events for the current item.
    void ComboChanged();

    bool lookupTyped = true;
    bool lookupChosen = false;
};

// The edit with a button over cells whose text comes from the grid's OnEllipsClick; the numeric
// and float types let only their numbers in.
class TGridEditBtn : public TGridEditor<TDgEditBtn> {
public:
    explicit TGridEditBtn(TDataGrid& grid);

    void BtnClick(TObject* Sender) override;

protected:
    void KeyDown(WORD& key, TShiftState shift) override;
    // Only Tab and digits reach the box's own key-press handling and its OnKeyPress.
    void KeyPress(char& key) override;
    void WMChar(char& key, int keyData, TShiftState shift) override;
    // A number cell takes a paste only as it would take its characters typed.
    void WMPaste() override;

private:
    // The text editor type whose rules the characters of this cell keep: edNumeric or edFloat for
    // the number cells, edNormal for the others, none (edCustom) for a cell of no button type.
    TEditorType TypedRule() const;
};

// The edit with a unit and a button over value-with-unit cells.
class TGridUnitEditBtn : public TGridEditor<TDgUnitEditBtn> {
public:
    explicit TGridUnitEditBtn(TDataGrid& grid);

protected:
    void KeyDown(WORD& key, TShiftState shift) override;
    void WMChar(char& key, int keyData, TShiftState shift) override;
};

// The check box over check cells: Space turns it, Enter goes on to the next cell.
class TGridCheckBox : public TGridEditor<TCheckBox> {
public:
    explicit TGridCheckBox(TDataGrid& grid);
    // The box turns as the left button goes down, before anything else hears of the press.
    void ViewMouseDown(TMouseButton button, TShiftState shift, int x, int y, bool& passOn) override;

protected:
    void KeyDown(WORD& key, TShiftState shift) override;
};

// The date or time picker over date and time cells. Enter and Escape end the edit unless the
// calendar is showing.
class TGridDatePicker : public TGridEditor<TDateTimePicker> {
public:
    explicit TGridDatePicker(TDataGrid& grid);

    // A cell's text as its kind reads it: a time, or a short date, maybe with a time after it;
    // false for a text that holds none.
    bool ReadCellText(const AnsiString& text, TDateTime& value) const;

protected:
    void KeyDown(WORD& key, TShiftState shift) override;
};

// The push button over button cells: a click or Space asks the grid's OnEllipsClick for its
// caption; an arrow or Escape gives the grid back its keys.
class TGridButton : public TGridEditor<TButton> {
public:
    explicit TGridButton(TDataGrid& grid);

    // The caption goes through the grid's OnEllipsClick, then OnClick runs.
    void Click() override;

protected:
    void KeyDown(WORD& key, TShiftState shift) override;
};

// The grid's special editors, made with the grid.
struct TGridEditors {
    explicit TGridEditors(TDataGrid& grid);

    TGridSpin* const Spin;
    TGridCombo* const Combo;
    TGridEditBtn* const EditBtn;
    TGridUnitEditBtn* const UnitEditBtn;
    TGridCheckBox* const CheckBox;
    TGridDatePicker* const DatePicker;
    TGridButton* const Button;
    TGridRichEdit* const RichEdit;
};

struct ValueAndUnit {
    AnsiString Value;
    AnsiString Unit;
};
// A value-with-unit cell's text as the unit editor shows it: the leading number (a sign, digits,
// ',' and '.') and the rest, blanks included, as the unit; the two joined are the text again.
ValueAndUnit SplitValueAndUnit(const AnsiString& text);

// The key an editor ends with, as the spin, combo and edit-with-button editors share it: Enter,
// Up and Down store text in the current cell once it is validated (a refusal shows the cell's
// text again and keeps the editor, returning false); Escape shows the cell's text again; then
// the grid closes the editor and moves as the key says.
bool CommitOnNavigationKey(TDataGrid& grid, WORD key, TShiftState shift, const AnsiString& text,
                           const std::function<void(const AnsiString&)>& show);
