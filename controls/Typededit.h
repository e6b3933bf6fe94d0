#pragma once

#include "controls/AttachedLabel.h"
#include "controls/Persistence.h"
#include "controls/UnreadTextBox.h"
#include "framework/CustomEdit.h"
#include "framework/DragDrop.h"

#include <memory>

#include <cstdint>

class TEditDropTarget;
class TLabel;
class TRangeList;

enum TTypedEditType {
    etString,
    etNumeric,
    etFloat,
    etUppercase,
    etMixedCase,
    etLowerCase,
    etPassword,
    etMoney,
    etRange,
    etHex
};

enum TEditAlign { eaLeft, eaRight, eaDefault, eaCenter };

using TValueValidateEvent = std::function<void(TObject* Sender, const AnsiString& value, bool& IsValid)>;
using TClipboardEvent = std::function<void(TObject* Sender, const AnsiString& value, bool& allow)>;

// The edit box every window takes numbers and names through. It holds a value of a declared kind,
// shown between a fixed Prefix and Suffix, with a fixed number of decimals for float and money
// values; typing is filtered to what the kind allows, and the box shows its modified, focused,
// error and disabled states in colour. Left over thousand separators no reading gives back as
// typed, it keeps the focus in its error colours until the text reads.
class TTypedEdit : public TCustomEdit, public TDropSite, public TUnreadTextBox {
public:
    explicit TTypedEdit(TComponent* owner);
    // Saves the value when Persistence is enabled.
    ~TTypedEdit() override;

    // The value: the window text without Prefix and Suffix.
    AnsiString GetText() const;
    // Checks value against EditType (in number boxes, text that typing could not leave and the
    // box could not read back becomes "0"), formats it to Precision and shows it between Prefix
    // and Suffix; clears the modified state.
    void SetText(const AnsiString& value);
    double GetFloat() const;
    void SetFloat(double value);
    std::int32_t GetInt() const;
    void SetInt(std::int32_t value);
    bool GetModified() const { return modified; }
    void SetModified(bool value);
    bool GetError() const { return error; }
    void SetError(bool value);

    TTypedEditType GetEditType() const { return editType; }
    void SetEditType(TTypedEditType value);
    std::int16_t GetPrecision() const { return precision; }
    void SetPrecision(std::int16_t value);
    const AnsiString& GetPrefix() const { return prefix; }
    void SetPrefix(const AnsiString& value);
    const AnsiString& GetSuffix() const { return suffix; }
    void SetSuffix(const AnsiString& value);
    bool GetAutoThousandSeparator() const { return autoThousandSeparator; }
    void SetAutoThousandSeparator(bool value);
    TEditAlign GetEditAlign() const { return editAlign; }
    void SetEditAlign(TEditAlign value);
    bool GetCanUndo() const { return canUndo; }
    void SetCanUndo(bool value);
    TColor GetDisabledColor() const { return disabledColor; }
    void SetDisabledColor(TColor value);
    const AnsiString& GetEmptyText() const { return emptyText; }
    void SetEmptyText(const AnsiString& value);

    // The attached label, made by the first caption written, beside the box in its parent; it
    // follows the box's place, visibility and enabled state.
    AnsiString GetLabelCaption() const { return attached.GetCaption(); }
    void SetLabelCaption(const AnsiString& value) { attached.SetCaption(value); }
    TLabelPosition GetLabelPosition() const { return attached.GetPosition(); }
    void SetLabelPosition(TLabelPosition value) { attached.SetPosition(value); }
    int GetLabelMargin() const { return attached.GetMargin(); }
    void SetLabelMargin(int value) { attached.SetMargin(value); }
    bool GetLabelTransparent() const { return attached.GetTransparent(); }
    void SetLabelTransparent(bool value) { attached.SetTransparent(value); }
    // The label's font, a copy of this one; a change places the label again.
    const TFont& GetLabelFont() const { return attached.GetFont(); }
    void SetLabelFont(const TFont& value) { attached.SetFont(value); }
    // Null until a caption is written.
    TLabel* GetLabel() const { return attached.Label(); }
    void SetBounds(int left, int top, int width, int height) override;
    void SetParent(TWinControl* newParent) override;
    void SetVisible(bool value) override;

    bool GetEnabledEx() const { return GetEnabled(); }
    // Enables or disables the box, showing DisabledColor while it is disabled.
    void SetEnabledEx(bool value);
    void SetEnabled(bool value) override { SetEnabledEx(value); }
    TColor GetColorEx() const { return GetColor(); }
    // The colour shown, and the one the box returns to after its focus, error and disabled colours.
    void SetColorEx(TColor value);
    void SetColor(TColor value) override { SetColorEx(value); }

    // Reads a number as this box writes it: with Precision 0 thousand separators are dropped;
    // otherwise a thousand separator standing Precision places from the end is the decimal point.
    double EStrToFloat(const AnsiString& text) const;
    // Regroups the integer digits of the value with thousand separators.
    void AutoSeparators();
    // Length(Prefix) + position of the decimal separator in the value; caret positions below
    // it lie in the integer part.
    int DecimalPos() const;
    // 1 + the number of characters before the decimal separator, thousand separators not counted.
    static int FixedLength(const AnsiString& text);

    // Web and mail addresses: with ShowURL a value that looks like one (TestURL) is shown
    // underlined in URLColor under a hand cursor, and a click on the focused box opens it.
    bool GetShowURL() const { return showURL; }
    void SetShowURL(bool value);
    // The value holds "://", or an "@" after its first character.
    bool TestURL() const;
    void ApplyURL(bool value);

    // The flat look: no frame, the parent's colour with FlatParentColor, the text inset and a
    // line in FlatLineColor under it (a frame round the box with SoftBorder), or the focus border.
    bool GetFlat() const { return flat; }
    void SetFlat(bool value);
    TColor GetFlatLineColor() const { return flatLineColor; }
    void SetFlatLineColor(TColor value);
    bool GetFlatParentColor() const { return flatParentColor; }
    void SetFlatParentColor(bool value);
    bool GetSoftBorder() const { return softBorder; }
    void SetSoftBorder(bool value);
    // A flat box shows a sunken frame while the mouse is over it or it has the focus.
    bool GetFocusBorder() const { return focusBorder; }
    void SetFocusBorder(bool value);
    // The parent shows through the box's background.
    bool GetTransparent() const { return transparent; }
    void SetTransparent(bool value);

    // The shown text, prefix and suffix included, kept where Persistence says.
    void LoadPersist();
    void SavePersist();
    TPersistence Persistence;

    // Drops of text from other programs and boxes: the first line goes in where the caret shows.
    bool GetOleDropTarget() const { return oleDropTarget; }
    void SetOleDropTarget(bool value);
    // The selected text may be dragged away: moved, or copied with Ctrl.
    bool GetOleDropSource() const { return oleDropSource; }
    void SetOleDropSource(bool value) { oleDropSource = value; }
    TAEDropTarget* DropTarget() override;

    // The value of a range box read into list; false when an item is malformed.
    bool RangeStrToList(TRangeList& list) const;
    // Shows the list as range text (prefix and suffix not added).
    void ListToRangeStr(TRangeList& list);

    // Selects the value, leaving Prefix and Suffix out; with ShowURL, the part after "://" or
    // "mailto:".
    void SelectAll() override;
    void SelectBeforeDecimal();
    void SelectAfterDecimal();

    TValueValidateEvent OnValueValidate;
    TClipboardEvent OnClipboardCopy;
    TClipboardEvent OnClipboardCut;
    TClipboardEvent OnClipboardPaste;
    bool AutoFocus = false;
    TColor ErrorColor = clRed;
    TColor ErrorFontColor = clWhite;
    bool ExcelStyleDecimalSeparator = false;
    TEditAlign FocusAlign = eaDefault;
    TColor FocusColor = clWindow;
    TColor FocusFontColor = clWindowText;
    // The label's caption is bold while the box has the focus.
    bool FocusLabel = false;
    TColor URLColor = clBlue;
    int FocusWidthInc = 0;
    TColor ModifiedColor = clHighlight;
    bool ShowError = false;
    bool ShowModified = false;
    bool ReturnIsTab = false;
    // Most characters the integer part may hold; 0 for no limit.
    std::int16_t LengthLimit = 0;
    bool TabOnFullLength = false;
    bool HintShowLargeText = false;
    bool Signed = false;

    // The box is a multi-line native edit: Enter and Escape are its own, and reach the window's
    // default and cancel buttons through the keys it posts to its parent.
    bool WantsAllKeys() const override { return true; }

protected:
    void Loaded() override;
    void Change() override;
    void WantSpecialKey(WORD& key) override;
    void WMKeyDown(WORD& key, TShiftState shift) override;
    void WMChar(char& key, int keyData, TShiftState shift) override;
    void WMSetFocus() override;
    void WMKillFocus() override;
    void ViewFocusOut(FocusChange how) override;
    void WMCopy() override;
    void WMCut() override;
    void WMPaste() override;
    void WMLButtonDown(TShiftState shift, int x, int y, bool& passOn) override;
    void WMLButtonUp(TShiftState shift, int x, int y) override;
    void CMMouseEnter() override;
    void CMMouseLeave() override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void WMPaint(QPainter& painter) override;
    void CMHintShow(AnsiString& hint, int& x, int& y) override;
    bool TextUnread() const override { return ThousandsMisplaced(); }
    void ReadText() const override { GetFloat(); }
    void ShowHeld() override { ApplyStateColors(); }

private:
    int PrefixLength() const { return prefix.Length(); }
    // Numeric, float and money boxes: their values are read as numbers.
    bool NumberBox() const { return editType == etNumeric || editType == etFloat || editType == etMoney; }
    // Whether the box reads value back as its EditType's number (any text for the other types).
    bool TakesValue(const AnsiString& value) const;
    // A money value read past its thousand separators and a trailing decimal separator.
    double MoneyValue(const AnsiString& value) const;
    // GetFloat of the value without prefix and suffix.
    double FloatOf(const AnsiString& value) const;
    // EStrToFloat as a box with the given decimals reads text.
    static double NumberOf(const AnsiString& text, int decimals);
    // The value to show once Precision has changed from old; never raises.
    double ValueForPrecision(int old) const;
    // What GetFloat read last from a box without prefix and suffix, and all the reading depends
    // on: a window reads its boxes again and again while only a few of them change.
    struct FloatRead {
        std::uint64_t TextChanges = 0;
        char Decimal = 0;
        char Thousand = 0;
        std::int16_t Precision = 0;
        TTypedEditType EditType = etString;
        friend bool operator==(const FloatRead&, const FloatRead&) = default;
    };
    mutable FloatRead lastRead;
    mutable double lastReadValue = 0;
    mutable bool lastReadKept = false;
    // Position in the window text just after the value.
    int ValueEnd() const { return PrefixLength() + GetText().Length(); }
    // Where the selection lies in the value: Prefix and Suffix, which a selection made from code
    // may reach into, are no part of it.
    struct TValueRange {
        int Start = 0;
        int Length = 0;
    };
    TValueRange SelectedRange() const;
    // The part of the value the selection covers.
    AnsiString SelectedValue() const;
    // The value without the selection, or else without as many characters as before says before
    // the caret and after says after it.
    AnsiString ValueWithout(int before, int after) const;
    // The value with the character key begins typed in place of the selection.
    AnsiString ValueTyped(char key) const;
    // Writes Prefix + value + Suffix as it is; the native edit keeps its modified flag, since the
    // box rewrites text on the user's behalf while they type.
    void Show(const AnsiString& value);
    // The font colour of a box not focused and not in error.
    TColor RestingFontColor() const;
    bool ShowsError() const { return (error && ShowError) || HoldsUnreadText(); }
    // A float box whose thousand separators no reading gives back as typed: out of their groups
    // of three ("2,5" would read as 25), or, with decimals, other than one standing Precision
    // places from the end for the decimal separator ("2,50" reads 2.50).
    bool ThousandsMisplaced() const;
    // The box's and its font's colours for the error it shows, else its focus, else its rest.
    void ApplyStateColors();
    // The label's caption turns bold with the focus when FocusLabel is on.
    void SetLabelBold(bool value);
    bool ShowsURL() const { return showURL && TestURL(); }
    // The frame a flat box with FocusBorder draws: sunken while the mouse is over it or it has
    // the focus, else in the parent's colour.
    void DrawBorder(QPainter& painter) const;
    // The line under a flat box's text, or the frame round it.
    void PaintFlat(QPainter& painter) const;
    TColor ParentColor() const;

    // Drag and drop.
    friend class TEditDropTarget;
    // The top-left corner of the character at position in the box.
    TPoint PosFromChar(int position) const;
    void MoveDropCaret(TPoint point);
    void EraseCaret();
    void PaintDropCaret(QPainter& painter) const;
    // Puts the first line of text under point; copy keeps a selection dragged from this box.
    // False when the box took nothing: the text fell on its own dragged selection, or the box
    // refused it as it refuses a paste. part is set when only the first line went in.
    bool DropTextAt(TPoint point, const AnsiString& text, bool copy, bool& part);

    // Text put in other than by a key (a paste, a drop): what the value becomes.
    struct TEntered {
        bool Taken = false;
        AnsiString Value;
        // Where the text put in ends in the value; with thousand separators that the box draws
        // again, the characters other than them before that end.
        int End = 0;
        // Only the text's first line went in.
        bool Cut = false;
        // A float box's own thousand separators are drawn again round the new digits.
        bool Regroup = false;
    };
    // The value with text put in place of length characters at start (positions in the value),
    // by the rules every way in keeps: one line only, the case of a case box, the float box's own
    // thousand separators giving way, a minus only in a Signed box, what the EditType reads back,
    // LengthLimit, MaxLength. Range and hex boxes take only keys, a read-only box nothing.
    TEntered Entered(const AnsiString& value, int start, int length, const AnsiString& text) const;
    // Shows an entered value as the box writes its EditType, marked modified; the position in
    // the window text where the text put in ends.
    int TakeEntered(const TEntered& entered);
    // The value converted as a case box converts what comes into it.
    AnsiString InBoxCase(const AnsiString& value) const;

    // Keyboard: the filter steps of each EditType.
    enum class TKeyOutcome { Passed, Ignored, Refused };
    TKeyOutcome FilterChar(char& key, int keyData, TShiftState shift);
    // Whether a typed character the filter dropped, leaving the text as it was, beeps.
    bool RefusalHeard(char typed, TShiftState shift) const;
    TKeyOutcome FilterFloat(char& key, int keyData, TShiftState shift);
    TKeyOutcome FilterMoney(char& key, int keyData, TShiftState shift);
    // Shared rules of float and money boxes after their first checks; Passed means none applied.
    TKeyOutcome FilterSeparatorsAndSign(char key);
    TKeyOutcome FilterRange(char key) const;
    // Refuses a typed decimal separator where there is one already or no decimals are kept.
    bool RefuseDecimalSeparator();
    void ToggleSign();
    bool SeparatorMisplaced() const;
    bool FractionFull() const;
    // Hands a character to the native edit, raising OnKeyPress.
    void PassChar(char& key, int keyData, TShiftState shift);
    // Rewrites the value by MixedCase, the caret staying where it was.
    void ShowMixedCase();
    void KeepCaretAfterPrefix();
    // Brings a caret or selection that reaches into Prefix or Suffix, as a write from code leaves
    // it, back within the value, where every key, cut and drag edits. A read-only box's stays: it
    // is only copied from.
    void KeepSelectionInValue();
    // Whether a deletion may leave rest as the value: the integer part within LengthLimit, and a
    // number box's digits a number it can read.
    bool KeepsAfterDeleting(const AnsiString& rest) const;
    // Raises a clipboard event with the selected part of the value; true when it allows.
    bool ClipboardAllowed(const TClipboardEvent& event);

    TTypedEditType editType = etString;
    std::int16_t precision = 0;
    AnsiString prefix;
    AnsiString suffix;
    AnsiString emptyText;
    bool autoThousandSeparator = true;
    TEditAlign editAlign = eaLeft;
    bool canUndo = true;
    TColor disabledColor = clSilver;

    TColor normalColor;
    TColor normalFontColor;
    TEditAlign savedEditAlign = eaLeft;
    bool modified = false;
    bool error = false;
    // The value when the box gained focus or the program last wrote it, which Escape brings back.
    AnsiString undoValue;
    // A paste or drop is being shown: the value it writes is the user's, not one Escape returns to.
    bool entering = false;
    bool mouseDownInSelection = false;

    TAttachedLabel attached{*this};

    bool showURL = false;
    bool urlShown = false;
    bool flat = false;
    TColor flatLineColor = clBlack;
    bool flatParentColor = true;
    bool softBorder = false;
    bool focusBorder = false;
    bool transparent = false;
    bool mouseInside = false;
    TBorderStyle savedBorderStyle = bsSingle;
    TColor colorBeforeFlat = clWindow;
    bool oleDropTarget = false;
    bool oleDropSource = false;
    bool draggingFrom = false;
    TPoint dropCaret{-1, -1};
    std::unique_ptr<TEditDropTarget> dropTarget;
};
