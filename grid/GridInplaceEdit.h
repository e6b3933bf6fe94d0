#pragma once

#include "framework/Grids.h"

class TDataGrid;

// The editor of a grid cell's text. It lets through what the cell's editor type allows, keeps
// to the grid's length limit, asks the grid's clipboard events, validates on Enter and on losing
// the focus, completes from the grid's look-up items and places its caret where the mouse
// pressed.
class TGridInplaceEdit : public TInplaceEdit {
public:
    explicit TGridInplaceEdit(TDataGrid& grid);

    // Right-aligned text; word wrap of a multi-line text.
    void SetVAlign(bool Value);
    void SetWordWrap(bool Value);
    bool GetWordWrap() const { return wordWrap; }
    void UpdateContents() override;

protected:
    // Over the grid's current cell, one pixel short of its lines.
    void BoundsChanged() override;
    void WMChar(char& Key, int KeyData, TShiftState Shift) override;
    void WMKeyDown(WORD& Key, TShiftState Shift) override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyPress(char& Key) override;
    void KeyUp(WORD& Key, TShiftState Shift) override;
    void WMCopy() override;
    void WMCut() override;
    void WMPaste() override;
    void WMSetFocus() override;
    void WMKillFocus() override;
    void DblClick() override;
    // Look-up completion of the text typed so far.
    void DoChange();

private:
    // The editor type of the cell being edited.
    int EditorType() const;
    // The keypad's decimal key types the locale's decimal separator with ExcelStyleDecimalSeparator.
    void ConvertKeypadDecimal(char& Key, int KeyData) const;
    // Whether the editor type lets Key through; refused keys beep where the type says so.
    bool Accepts(char Key);
    // The clipboard event of the grid; true when it allows the action.
    bool Allowed(const std::function<void(TObject*, bool&)>& event);
    // What ending the edit validates: the typed text, or the cell's own text while the editor
    // still shows what it opened with, so that an untouched editor stores nothing.
    AnsiString EditedText() const;

    TDataGrid& grid;
    bool vAlign = false;
    bool wordWrap = false;
    // The last key added text (Backspace and Delete do not), so completion may run.
    bool lastKeyTyped = true;
    // Ctrl+Enter ended the edit; the character it types follows and is dropped.
    bool dropReturn = false;
    // The text the editor showed when it opened on its cell.
    AnsiString openedText;
};
