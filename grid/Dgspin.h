#pragma once

#include "controls/SpinEntry.h"
#include "controls/SpinText.h"
#include "controls/TypedSpinButton.h"
#include "framework/DateTime.h"
#include "framework/MaskEdit.h"

#include <functional>

// Scoped: the typed spin edit of the controls has enumerators of the same names.
enum class TDgSpinType { sptNormal, sptFloat, sptDate, sptTime };

// One arrow button of a spin button: held down, it clicks again after 400 ms and then every
// 100 ms. Themed, the application's style draws it raised or pressed; otherwise left and right
// are the classic scroll arrows, and up and down show their glyphs.
class TTimerSpeedButton : public Typedspin::TTimerSpeedButton {
public:
    using Typedspin::TTimerSpeedButton::TTimerSpeedButton;

    bool GetIsWinXP() const { return isWinXP; }
    void SetIsWinXP(bool value);
    void ViewPaint(QPainter& painter) override;

private:
    bool isWinXP = false;
};

// A pair of arrow buttons, up above down or down left of up; the buttons take no focus from
// FocusControl. A glyph assigned as null brings back the pair's own with one image.
class TDgSpinButton : public TTypedSpinButton {
public:
    explicit TDgSpinButton(TComponent* owner);

    TTimerSpeedButton* UpButton() const;
    TTimerSpeedButton* DownButton() const;
    bool GetIsWinXP() const { return UpButton()->GetIsWinXP(); }
    // Both buttons drawn by the theme, or not.
    void SetIsWinXP(bool value);
};

// An edit with a spin button at its right end that spins a whole number, a number with
// decimals, a date or a time. The date and time step the part of the text under the caret.
// Values written from code stay within their limits unless the two limits are equal; text
// that does not read never raises from the getters.
class TDgSpinEdit : public TCustomMaskEdit {
public:
    explicit TDgSpinEdit(TComponent* owner);

    TDgSpinType GetSpinType() const { return spinType; }
    // The value is written again in the new type's form.
    void SetSpinType(TDgSpinType value);
    // Never lower than the font needs.
    void SetBounds(int left, int top, int width, int height) override;
    // MinValue when the text is no whole number.
    int GetValue() const;
    void SetValue(int value);
    // The whole-number MinValue when the text is no number.
    double GetFloatValue() const;
    // Precision decimals, or the shortest form with Precision 0.
    void SetFloatValue(double value);
    // Now for "0" or no text, MinDateValue for a text that is no date; the date written while its
    // text stands.
    TDateTime GetDateValue() const;
    // The text as the date GetDateValue reads; false for a text that is no date, "0" and no text
    // included.
    bool ReadDateValue(TDateTime& value) const;
    // Kept within the limits (CheckDateValue), written in the short date format, the caret kept
    // where it was; only kept while loading. A date outside the calendar raises EConvertError.
    void SetDateValue(TDateTime value);
    // 0 for a text that is no time.
    TDateTime GetTimeValue() const;
    // Written in the long time format, not limited, the caret kept; only kept while loading.
    void SetTimeValue(TDateTime value);
    int CheckValue(int value) const;
    double CheckFloatValue(double value) const;
    // A limit past the calendar's end stands at that end.
    TDateTime CheckDateValue(TDateTime value) const;
    int GetPrecision() const { return precision; }
    void SetPrecision(int value);
    bool GetSpinFlat() const { return spinFlat; }
    void SetSpinFlat(bool value);
    bool GetSpinTransparent() const { return spinTransparent; }
    void SetSpinTransparent(bool value);
    TSpinDirection GetDirection() const { return Button->GetDirection(); }
    // The buttons above each other, or side by side (a wider button).
    void SetDirection(TSpinDirection value);
    bool GetIsWinXP() const { return Button->GetIsWinXP(); }
    void SetIsWinXP(bool value) { Button->SetIsWinXP(value); }

    // One step of the spin type; a read-only edit only beeps.
    virtual void UpClick(TObject* Sender);
    virtual void DownClick(TObject* Sender);

    TDgSpinButton* const Button;
    int MinValue = 0;
    int MaxValue = 100;
    double MinFloatValue = 0;
    double MaxFloatValue = 100;
    TDateTime MinDateValue = 0;
    TDateTime MaxDateValue = 0;
    int Increment = 1;
    double IncrementFloat = 0;
    // Typing allowed.
    bool EditorEnabled = true;
    // Enter moves the focus on as Tab does.
    bool ReturnIsTab = false;

protected:
    // The typing filter; a refused character beeps.
    virtual bool IsValidChar(char& Key);
    // Reads the value, runs change and writes the value again in the spin type's form.
    void RewriteValue(const std::function<void()>& change);
    // A date or time set while loading is written now.
    void Loaded() override;
    void WMKeyDown(WORD& key, TShiftState shift) override;
    void WMChar(char& key, int keyData, TShiftState shift) override;
    void WMKillFocus() override;
    void WMPaste() override;
    void WMCut() override;
    void UpdateView() override;
    void Resize() override;

private:
    // What the spin takes, typed or pasted.
    TSpinCharRule CharRule() const;
    void Step(int sign);
    void PlaceButton();
    // The caret goes back to where it stood before the text was written again; false when the
    // edit mask cannot hold the text.
    bool WriteKeepingCaret(const AnsiString& text, TSpinReader read);

    TDgSpinType spinType = TDgSpinType::sptNormal;
    int precision = 0;
    bool spinFlat = false;
    bool spinTransparent = false;
    TShownDate shownDate;
    TDateTime timeValue = 0;
};

// The spin edit whose text follows an edit mask: a value's digits go on either side of the mask's
// literals, and a value the mask cannot hold leaves the text as it was. A number is read from the
// mask's places alone, its '.' the decimal point (NumberInMask).
class TTypedMaskSpinEdit : public TDgSpinEdit {
public:
    using TCustomMaskEdit::GetEditMask;
    using TDgSpinEdit::TDgSpinEdit;
    // The value is written again into the new mask.
    void SetEditMask(const AnsiString& value);
};
