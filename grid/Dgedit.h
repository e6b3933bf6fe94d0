#pragma once

#include "framework/CustomEdit.h"
#include "framework/SpeedButton.h"
#include "framework/StringList.h"

#include <memory>

// The small control that holds an edit's button, a speed button filling it. Pressing the button
// raises OnClick at once (on the press, not the release) and hands the focus to FocusControl.
class TDgEditButton : public TWinControl {
public:
    explicit TDgEditButton(TComponent* owner);

    const AnsiString& GetButtonCaption() const { return Button->GetCaption(); }
    void SetButtonCaption(const AnsiString& value) { Button->SetCaption(value); }
    const TBitmap& GetGlyph() const { return Button->GetGlyph(); }
    void SetGlyph(const TBitmap& value) { Button->SetGlyph(value); }
    int GetNumGlyphs() const { return Button->NumGlyphs; }
    // The glyph holds that many images side by side; the first is shown.
    void SetNumGlyphs(int value);
    bool GetFlat() const { return Button->GetFlat(); }
    void SetFlat(bool value) { Button->SetFlat(value); }
    // Never narrower than 15 pixels.
    void SetBounds(int left, int top, int width, int height) override;
    // The press, as the user's would be.
    void Press();

    TSpeedButton* const Button;
    TWinControl* FocusControl = nullptr;
};

// An edit with a button at its right end; the button and F4 call BtnClick. With EditorEnabled
// off nothing can be typed, pasted or cut, but the button still works.
class TDgEditBtn : public TCustomEdit {
public:
    explicit TDgEditBtn(TComponent* owner);

    virtual void BtnClick(TObject* Sender);
    int GetButtonWidth() const { return Button->Width(); }
    void SetButtonWidth(int value);
    const AnsiString& GetButtonCaption() const { return Button->GetButtonCaption(); }
    void SetButtonCaption(const AnsiString& value) { Button->SetButtonCaption(value); }
    const TBitmap& GetGlyph() const { return Button->GetGlyph(); }
    void SetGlyph(const TBitmap& value) { Button->SetGlyph(value); }
    bool GetRightAlign() const { return rightAlign; }
    void SetRightAlign(bool value);

    TDgEditButton* const Button;
    bool EditorEnabled = true;
    TNotifyEvent OnClickBtn;

protected:
    void WMKeyDown(WORD& key, TShiftState shift) override;
    void WMChar(char& key, int keyData, TShiftState shift) override;
    void WMPaste() override;
    void WMCut() override;
    void UpdateView() override;
    void Resize() override;
    // Pixels kept free between the text and the button.
    int unitWidth = 0;

private:
    void PlaceButton();

    bool rightAlign = false;
};

// An edit with a unit shown between its text and its button; the button (or F4) offers Units in
// a menu, and the one picked becomes UnitID.
class TDgUnitEditBtn : public TDgEditBtn {
public:
    explicit TDgUnitEditBtn(TComponent* owner);

    void BtnClick(TObject* Sender) override;
    const AnsiString& GetUnitID() const { return unitID; }
    void SetUnitID(const AnsiString& value);
    const TStringList& GetUnits() const { return *units; }
    // A copy of value's strings; null changes nothing.
    void SetUnits(const TStrings* value);
    int GetUnitSpace() const { return unitWidth; }
    void SetUnitSpace(int value);

protected:
    void WMPaint(QPainter& painter) override;

private:
    AnsiString unitID;
    std::unique_ptr<TStringList> units;
};
