#pragma once

#include "framework/CustomEdit.h"

#include <cstdint>

class TLabel;

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

// Where the attached label stands: left of the box (its right edge LabelMargin from the box, or
// its left edge LabelMargin left of the box's for the ...Left kinds), or above or below it.
enum TLabelPosition {
    lpLeftTop,
    lpLeftCenter,
    lpLeftBottom,
    lpTopLeft,
    lpBottomLeft,
    lpLeftTopLeft,
    lpLeftCenterLeft,
    lpLeftBottomLeft,
    lpTopCenter,
    lpBottomCenter
};

using TValueValidateEvent = std::function<void(TObject* Sender, const AnsiString& value, bool& IsValid)>;
using TClipboardEvent = std::function<void(TObject* Sender, const AnsiString& value, bool& allow)>;

// The edit box every window takes numbers and names through. It holds a value of a declared kind,
// shown between a fixed Prefix and Suffix, with a fixed number of decimals for float and money
// values; typing is filtered to what the kind allows, and the box shows its modified, focused,
// error and disabled states in colour.
class TTypedEdit : public TCustomEdit {
public:
    explicit TTypedEdit(TComponent* owner);

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
    AnsiString GetLabelCaption() const;
    void SetLabelCaption(const AnsiString& value);
    TLabelPosition GetLabelPosition() const { return labelPosition; }
    void SetLabelPosition(TLabelPosition value);
    int GetLabelMargin() const { return labelMargin; }
    void SetLabelMargin(int value);
    // Null until a caption is written.
    TLabel* GetLabel() const { return label; }
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

    // Selects the value, leaving Prefix and Suffix out.
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
    void WMCopy() override;
    void WMCut() override;
    void WMPaste() override;
    void WMLButtonDown(TShiftState shift, int x, int y, bool& passOn) override;
    void WMLButtonUp(TShiftState shift, int x, int y) override;
    void CMMouseEnter() override;
    void WMPaint(QPainter& painter) override;
    void CMHintShow(AnsiString& hint, int& x, int& y) override;

private:
    int PrefixLength() const { return prefix.Length(); }
    // Whether the box reads value back as its EditType's number (any text for the other types).
    bool TakesValue(const AnsiString& value) const;
    // A money value read past its thousand separators and a trailing decimal separator.
    double MoneyValue(const AnsiString& value) const;
    // GetFloat of the value without prefix and suffix.
    double FloatOf(const AnsiString& value) const;
    // Position in the window text just after the value.
    int ValueEnd() const { return PrefixLength() + GetText().Length(); }
    // The part of the value the selection covers.
    AnsiString SelectedValue() const;
    // The value without the selection, or else without count characters starting caretOffset
    // from the caret.
    AnsiString ValueWithout(int caretOffset, int count) const;
    // Writes Prefix + value + Suffix as it is; the native edit keeps its modified flag, since the
    // box rewrites text on the user's behalf while they type.
    void Show(const AnsiString& value);
    // The font colour of a box not focused and not in error.
    TColor RestingFontColor() const;
    bool ShowsError() const { return error && ShowError; }
    // Puts the attached label at LabelPosition.
    void UpdateLabel();

    // Keyboard: the filter steps of each EditType.
    enum class TKeyOutcome { Passed, Ignored, Refused };
    TKeyOutcome FilterChar(char& key, int keyData, TShiftState shift);
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
    void KeepCaretAfterPrefix();
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
    // The value when the box gained focus, which Escape brings back.
    AnsiString undoValue;
    bool mouseDownInSelection = false;

    TLabel* label = nullptr;
    TLabelPosition labelPosition = lpLeftTop;
    int labelMargin = 0;
};
