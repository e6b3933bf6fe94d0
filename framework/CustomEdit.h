#pragma once

#include "framework/Control.h"

#include <QElapsedTimer>
#include <QPoint>

#include <cstdint>

class QPainter;

enum TAlignment { taLeftJustify, taRightJustify, taCenter };

// The framework's single-line edit. Text, selection and the modified flag live here, and the
// editing a native edit does (typing, deleting, caret keys, clipboard, one level of undo) is
// done here too, so a box behaves the same whether or not it is on screen. Key strokes reach
// it as the framework's messages, each of which a derived box may take over.
class TCustomEdit : public TWinControl {
public:
    explicit TCustomEdit(TComponent* owner);

    // The whole window text. Setting it from code raises Change like typing does, and leaves
    // nothing to undo.
    const AnsiString& GetWindowText() const { return text; }
    void SetWindowText(const AnsiString& value);
    // Counts the changes of the window text, so that what was read from it can be kept.
    std::uint64_t TextChanges() const { return textChanges; }

    int GetSelStart() const;
    void SetSelStart(int position);
    int GetSelLength() const;
    void SetSelLength(int length);
    // Positions count the bytes of the UTF-8 text; one inside a character's bytes means its start.
    // Selects from anchor to caret, as the native edit's selection call does.
    void SetSelection(int anchor, int caret);
    AnsiString GetSelText() const;
    virtual void SelectAll();

    bool GetNativeModified() const { return nativeModified; }
    void SetNativeModified(bool value) { nativeModified = value; }

    void CopyToClipboard();
    void CutToClipboard();
    void PasteFromClipboard();
    // Brings back the text before the last edit; a second Undo redoes it.
    virtual void Undo();

    void SetBorderStyle(TBorderStyle value);
    TBorderStyle GetBorderStyle() const { return borderStyle; }
    void SetAlignment(TAlignment value);
    void SetPasswordChar(char value);
    char GetPasswordChar() const { return passwordChar; }
    void SetReadOnly(bool value);
    bool GetReadOnly() const { return readOnly; }
    // Character index under a point of the box, for mouse handling.
    int CharFromPos(int x) const;
    // The room left between the box's edges and its text rectangle.
    void SetTextMargins(int left, int top, int right, int bottom);

    // The most characters the text may hold, however many bytes each takes; 0 for no limit.
    // Typing, pasting and dropping keep to it; text set from code does not.
    int MaxLength = 0;
    bool AutoSelect = true;
    bool HideSelection = true;
    TNotifyEvent OnChange;

    void ViewKeyDown(WORD key, TShiftState shift, int keyData, char character, bool& passOn) override;
    void ViewKeyUp(WORD key, TShiftState shift, bool& passOn) override;
    // Goes through the character filters as its first byte and is typed whole.
    void ViewTextTyped(const AnsiString& typed) override;
    void ViewFocusIn(FocusChange how) override;
    void ViewFocusOut(FocusChange how) override;
    void ViewMouseDown(TMouseButton button, TShiftState shift, int x, int y, bool& passOn) override;
    void ViewMouseUp(TMouseButton button, TShiftState shift, int x, int y, bool& passOn) override;
    void ViewDblClick(TMouseButton button, TShiftState shift, int x, int y) override;
    void ViewMouseEnter() override;
    void ViewMouseLeave() override;
    void ViewPaint(QPainter& painter) override;
    // The selection the native edit shows after the mouse moved it.
    void ViewSelectionChanged(int anchor, int caret);
    void ViewHintShow(AnsiString& hint, int& x, int& y);

protected:
    // The least height a line of text needs: the font's height and a quarter of the smaller of
    // its and the system font's heights.
    int TextLineMinHeight() const;
    // The least height of a spin edit: a line of text, with room for a single border's edges.
    int SpinEditMinHeight() const;
    virtual void Change();
    // The framework asks before dialog handling whether the box wants Enter or Escape;
    // setting key to 0 consumes it.
    virtual void WantSpecialKey(WORD& key);
    virtual void WMKeyDown(WORD& key, TShiftState shift);
    virtual void WMChar(char& key, int keyData, TShiftState shift);
    virtual void WMSetFocus();
    virtual void WMKillFocus();
    virtual void WMCopy();
    virtual void WMCut();
    virtual void WMPaste();
    virtual void WMLButtonDown(TShiftState shift, int x, int y, bool& passOn);
    virtual void WMLButtonUp(TShiftState shift, int x, int y);
    virtual void CMMouseEnter();
    virtual void CMMouseLeave();
    // Called once the native edit has painted itself, to draw on top of it.
    virtual void WMPaint(QPainter& painter);
    // The hint about to show at (x, y) in the box; a box may change the text and the place.
    // An empty text shows none.
    virtual void CMHintShow(AnsiString& hint, int& x, int& y);

    // What the native edit does with a key or character it is handed.
    void DefaultKeyDown(WORD key, TShiftState shift);
    void DefaultChar(char key);
    // The whole character that key, its first byte, stands for while it is being typed.
    AnsiString CharacterTyped(char key) const;
    // Hands character to the framework's character handling in place of the one being typed;
    // key becomes its first byte.
    void TypeCharacter(const AnsiString& character, char& key, int keyData, TShiftState shift);
    // Types the character key stands for in the locale's upper or lower case, converted before it
    // goes in so that MaxLength holds for what is shown.
    void TypeInCase(bool upper, char& key, int keyData, TShiftState shift);
    // Whether newText, as the whole window text, keeps to MaxLength.
    bool WithinMaxLength(const AnsiString& newText) const;
    // Puts newText in place of the whole text as a paste does: one step to undo, the caret at
    // caret. False, changing nothing, when it would pass MaxLength.
    bool EnterText(const AnsiString& newText, int caret);
    void ReplaceSelection(const AnsiString& inserted);
    // Keeps a text and its caret as what the next Undo brings back.
    void RememberUndo(const AnsiString& before, int caret);
    // Runs a change the edit makes for a key, a paste or a drop as one step to undo: whatever
    // the change wrote, Undo gives back the text just before it. One that leaves the text as it
    // was, though it wrote it again, leaves the last change to undo.
    template <class Edit> void Undoable(Edit edit) {
        const AnsiString before = text;
        const int beforeCaret = caret;
        const AnsiString lastUndo = undoText;
        const int lastUndoCaret = undoCaret;
        edit();
        if (text != before)
            RememberUndo(before, beforeCaret);
        else
            RememberUndo(lastUndo, lastUndoCaret);
    }
    // The parent shows through the background.
    void SetClearBackground(bool value);

    void UpdateView() override;

private:
    void EditText(const AnsiString& newText, int caret);
    // A press at (x, y) is the third of a triple click, the native edit's own.
    bool CompletesTripleClick(int x, int y) const;

    AnsiString text;
    std::uint64_t textChanges = 0;
    int anchor = 0;
    int caret = 0;
    bool nativeModified = false;
    // The focus came with a button press still to arrive: at that press the box was not yet
    // focused, so it is the native edit's.
    bool focusedByClick = false;
    // The last left double click, where and when: a press soon after at the same place completes
    // a triple click, which the native edit answers by selecting the whole line.
    QElapsedTimer doubleClicked;
    QPoint doubleClickedAt;
    // Focus given back with the window's activation, while WMSetFocus runs.
    bool windowReturned = false;
    // Told of the focus and not yet of its loss.
    bool holdsFocus = false;
    // Qt's focus widget whose focus another window's activation took before it was told of it.
    bool focusOnItsWay = false;
    // That focus given back by the activation, before its own arrival is told.
    bool enteredByActivation = false;
    // The whole character beyond ASCII being typed, while its first byte goes through WMChar.
    AnsiString typing;
    AnsiString undoText;
    int undoCaret = 0;
    TBorderStyle borderStyle = bsSingle;
    TAlignment alignment = taLeftJustify;
    char passwordChar = 0;
    bool readOnly = false;
    TRect textMargins{0, 0, 0, 0};
    bool clearBackground = false;
};
