#pragma once

#include "controls/AttachedLabel.h"
#include "controls/SpinEntry.h"
#include "controls/SpinText.h"
#include "controls/TypedSpinButton.h"
#include "controls/UnreadTextBox.h"
#include "framework/DateTime.h"
#include "framework/MaskEdit.h"

#include <functional>

enum TTypedSpinType { sptNormal, sptFloat, sptDate, sptTime, sptHex };

// An edit with a pair of spin buttons at its right edge that holds a whole number (sptNormal), a
// number with fixed decimals (sptFloat), a date, a time or a hexadecimal number written "0x..".
// The buttons (held down, they repeat after 400 ms and then every 100 ms), Up, Down, Page Up and
// Page Down step the value, a date or time by the part under the caret, and a number by the digit
// left of the caret with IncrementSmart; a value written from code stays within its range; typing
// is filtered to what the type takes; leaving the edit brings a value outside the range back in.
// A text that is not yet a value of the type (a sign, a separator without figures, a date or time
// half typed, "0x" without digits) holds the focus until it reads, where it can be typed over; an
// empty one is left, a number or a time reading as the least value.
class TTypedSpinEdit : public TCustomMaskEdit, public TUnreadTextBox {
public:
    explicit TTypedSpinEdit(TComponent* owner);

    TTypedSpinType GetSpinType() const { return spinType; }
    // The value is read and written again in the new type's form.
    void SetSpinType(TTypedSpinType value);
    // The text reads as a value of the spin type: a date's empty text or "0" as now. Where it does
    // not, the value reads as the least one (a time as 0).
    bool ReadsValue() const;
    // The text as a whole number; MinValue when it is none.
    int GetValue() const;
    // Kept within MinValue..MaxValue unless the two are equal.
    void SetValue(int value);
    // The text as a number; MinFloatValue when it is none. The value is not limited.
    double GetFloatValue() const;
    // Kept within MinFloatValue..MaxFloatValue unless the two are equal; written with Precision
    // decimals, or as the shortest text with Precision 0.
    void SetFloatValue(double value);
    // The text as a date: now for an empty text or "0", MinDateValue for one that is no date; the
    // date written while its text stands.
    TDateTime GetDateValue() const;
    // Kept within MinDateValue..MaxDateValue unless the two are equal, a limit past the
    // calendar's end at that end, written as a short date; the caret stays. A date outside the
    // calendar raises EConvertError.
    void SetDateValue(TDateTime value);
    // The text as a time; 0 for one that is no time.
    TDateTime GetTimeValue() const;
    void SetTimeValue(TDateTime value);
    // The hexadecimal digits after "0x", in any case, in 32 bits.
    int GetHexValue() const;
    // Written "0x" and capital digits; not limited.
    void SetHexValue(int value);
    int GetPrecision() const { return precision; }
    // A float is written again with the new decimals.
    void SetPrecision(int value);
    TSpinDirection GetDirection() const { return button->GetDirection(); }
    // Buttons above each other, or side by side.
    void SetDirection(TSpinDirection value);
    bool GetSpinFlat() const { return spinFlat; }
    // Flat buttons show their frame only under the mouse.
    void SetSpinFlat(bool value);
    bool GetSpinTransparent() const { return spinTransparent; }
    void SetSpinTransparent(bool value);
    // No frame, the text inset and a line in FlatLineColor under it.
    bool GetFlat() const { return flat; }
    void SetFlat(bool value);
    TColor GetFlatLineColor() const { return flatLineColor; }
    void SetFlatLineColor(TColor value);
    // The parent shows through the edit's background.
    bool GetTransparent() const { return transparent; }
    void SetTransparent(bool value);
    TTypedSpinButton* Button() const { return button; }

    // The attached label, as the typed edit box has it.
    AnsiString GetLabelCaption() const { return attached.GetCaption(); }
    void SetLabelCaption(const AnsiString& value) { attached.SetCaption(value); }
    TLabelPosition GetLabelPosition() const { return attached.GetPosition(); }
    void SetLabelPosition(TLabelPosition value) { attached.SetPosition(value); }
    int GetLabelMargin() const { return attached.GetMargin(); }
    void SetLabelMargin(int value) { attached.SetMargin(value); }
    bool GetLabelTransparent() const { return attached.GetTransparent(); }
    void SetLabelTransparent(bool value) { attached.SetTransparent(value); }
    const TFont& GetLabelFont() const { return attached.GetFont(); }
    void SetLabelFont(const TFont& value) { attached.SetFont(value); }
    TLabel* GetLabel() const { return attached.Label(); }

    // Never lower than the font needs.
    void SetBounds(int left, int top, int width, int height) override;
    void SetParent(TWinControl* newParent) override;
    void SetVisible(bool value) override;
    void SetEnabled(bool value) override;

    // One step up or down; a read-only edit only beeps.
    virtual void UpClick(TObject* Sender);
    virtual void DownClick(TObject* Sender);

    int MinValue = 0;
    int MaxValue = 100;
    double MinFloatValue = 0;
    double MaxFloatValue = 100;
    TDateTime MinDateValue = 0;
    TDateTime MaxDateValue = 0;
    int Increment = 1;
    int IncrementPage = 10;
    double IncrementFloat = 0.1;
    double IncrementFloatPage = 1;
    // Up, Down, Page Up and Page Down step the digit left of the caret.
    bool IncrementSmart = false;
    // Typing allowed.
    bool EditorEnabled = true;
    // Enter moves the focus on as Tab does.
    bool ReturnIsTab = false;

protected:
    // The typing filter: false refuses the character, which then beeps.
    virtual bool IsValidChar(char& Key);
    // Reads the value, runs change and writes the value again in the spin type's form.
    void RewriteValue(const std::function<void()>& change);
    void Loaded() override;
    void WantSpecialKey(WORD& key) override;
    void WMKeyDown(WORD& key, TShiftState shift) override;
    void WMChar(char& key, int keyData, TShiftState shift) override;
    void WMKillFocus() override;
    void ViewFocusOut(FocusChange how) override;
    bool TextUnread() const override;
    bool Typable() const override;
    void ReadText() const override;
    void WMPaste() override;
    void WMCut() override;
    void WMPaint(QPainter& painter) override;
    void Change() override;
    // The buttons follow the edit's size.
    void Resize() override;

private:
    // A step of the ordinary or the page size, or a smart step where it applies, as one edit to
    // undo.
    void Step(int sign, bool page);
    // The step of the ordinary or the page size; a date or time by the part at the caret.
    void OrdinaryStep(int sign, bool page);
    // The smart step; false where it does not apply (not a number, or a page step over a
    // selection).
    bool SmartStep(int sign, bool page);
    // The value read, kept within its range, written back when that changed it.
    void KeepInRange();
    // Writes text keeping the caret where it was; false when the edit mask cannot hold it.
    bool ShowKeepingCaret(const AnsiString& text, TSpinReader read);
    // The text the value of the spin type is read from.
    AnsiString ValueText() const;
    // The text as a date: now for an empty text or "0"; false for a text that is no date.
    bool ReadDate(TDateTime& value) const;
    // A hex spin's selection leaves its "0x" alone.
    bool KeepsHexPrefix() const;
    // What the spin takes, typed or pasted.
    TSpinCharRule CharRule() const;
    void PlaceButton();
    void ApplyFlat();

    TTypedSpinType spinType = sptNormal;
    int precision = 0;
    bool spinFlat = false;
    bool spinTransparent = false;
    bool flat = false;
    TColor flatLineColor = clBlack;
    bool transparent = true;
    TShownDate shownDate;
    TDateTime timeValue = 0;
    int hexValue = 0;
    TTypedSpinButton* button;
    TAttachedLabel attached{*this};
};

// A spin edit whose text follows an edit mask: a value's digits go on either side of the mask's
// literals, and a value the mask cannot hold leaves the text as it was. A number is read from the
// mask's places alone, its '.' the decimal point (NumberInMask). The grid has a namesake of its
// own: this one is known by its library's name.
namespace Typedspin {
class TTypedMaskSpinEdit : public TTypedSpinEdit {
public:
    using TCustomMaskEdit::GetEditMask;
    using TTypedSpinEdit::TTypedSpinEdit;
    // The value is written again into the new mask.
    void SetEditMask(const AnsiString& value);
};
} // namespace Typedspin
