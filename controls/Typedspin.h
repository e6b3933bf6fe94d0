#pragma once

#include "framework/CustomEdit.h"

class QToolButton;

enum TTypedSpinType { sptNormal, sptFloat, sptDate, sptTime, sptHex };
enum TSpinDirection { spVertical, spHorizontal };

// An edit with a pair of spin buttons at its right edge that holds a whole number (sptNormal) or
// a number with fixed decimals (sptFloat). The buttons (held down, they repeat after 400 ms and
// then every 100 ms), Up, Down, Page Up and Page Down step the value; a value written from code
// stays within its range; typing is filtered to what the type takes; leaving the edit brings a
// value outside the range back into it.
class TTypedSpinEdit : public TCustomEdit {
public:
    explicit TTypedSpinEdit(TComponent* owner);

    TTypedSpinType GetSpinType() const { return spinType; }
    // The value is read and written again in the new type's form.
    void SetSpinType(TTypedSpinType value);
    // The text as a whole number; MinValue when it is none.
    int GetValue() const;
    // Kept within MinValue..MaxValue unless the two are equal.
    void SetValue(int value);
    // The text as a number; MinFloatValue when it is none. The value is not limited.
    double GetFloatValue() const;
    // Kept within MinFloatValue..MaxFloatValue unless the two are equal; written with Precision
    // decimals, or as the shortest text with Precision 0.
    void SetFloatValue(double value);
    int GetPrecision() const { return precision; }
    // A float is written again with the new decimals.
    void SetPrecision(int value);
    TSpinDirection GetDirection() const { return direction; }
    // Buttons above each other, or side by side.
    void SetDirection(TSpinDirection value);
    bool GetSpinFlat() const { return spinFlat; }
    // Flat buttons show their frame only under the mouse.
    void SetSpinFlat(bool value);

    // One step up or down; a read-only edit only beeps.
    virtual void UpClick(TObject* Sender);
    virtual void DownClick(TObject* Sender);

    int MinValue = 0;
    int MaxValue = 100;
    double MinFloatValue = 0;
    double MaxFloatValue = 100;
    int Increment = 1;
    int IncrementPage = 10;
    double IncrementFloat = 0.1;
    double IncrementFloatPage = 1;
    // Typing allowed.
    bool EditorEnabled = true;
    // Enter moves the focus on as Tab does.
    bool ReturnIsTab = false;

protected:
    // The typing filter: false refuses the character, which then beeps.
    virtual bool IsValidChar(char& Key);
    void WMKeyDown(WORD& key, TShiftState shift) override;
    void WMChar(char& key, int keyData, TShiftState shift) override;
    void WMKillFocus() override;
    void WMPaste() override;
    void WMCut() override;
    void UpdateView() override;
    // The buttons follow the edit's size.
    void Resize() override;

private:
    void Step(int sign, bool page);
    // The value read, kept within its range, written back when that changed it.
    void KeepInRange();

    TTypedSpinType spinType = sptNormal;
    int precision = 0;
    TSpinDirection direction = spVertical;
    bool spinFlat = false;
    QToolButton* upButton;
    QToolButton* downButton;
};
