#pragma once

#include "controls/AttachedLabel.h"
#include "framework/MaskEdit.h"

using TMaskCompleteEvent = std::function<void(TObject* Sender, const AnsiString& value, bool& accept)>;

// A mask edit that shows its focus, modified and disabled states in colour, moves on with Enter,
// and once every place is typed raises OnMaskComplete and, with AutoTab, moves on.
class TTypedMaskEdit : public TCustomMaskEdit {
public:
    explicit TTypedMaskEdit(TComponent* owner);

    using TCustomMaskEdit::GetEditMask;
    using TCustomMaskEdit::SetEditMask;

    // Written while the edit has the focus, the text is what Escape brings back.
    void SetText(const AnsiString& value) override;

    bool GetFlat() const { return flat; }
    // The parent's colour without a frame, a gray line under the text.
    void SetFlat(bool value);
    TColor GetDisabledColor() const { return disabledColor; }
    void SetDisabledColor(TColor value) { disabledColor = value; }
    // Enables or disables the edit, showing DisabledColor while it is disabled.
    void SetEnabled(bool value) override;
    // The colour shown, and the one the edit returns to after its focus and disabled colours.
    void SetColor(TColor value) override;
    TAlignment GetAlignement() const { return alignement; }
    void SetAlignement(TAlignment value);
    bool GetModified() const { return GetNativeModified(); }
    void SetModified(bool value);

    // The label beside the edit, in the edit's font; lpTopCenter and lpBottomCenter leave it
    // where it stands.
    AnsiString GetLabelCaption() const { return attached.GetCaption(); }
    void SetLabelCaption(const AnsiString& value) { attached.SetCaption(value); }
    TLabelPosition GetLabelPosition() const { return attached.GetPosition(); }
    void SetLabelPosition(TLabelPosition value) { attached.SetPosition(value); }
    int GetLabelMargin() const { return attached.GetMargin(); }
    void SetLabelMargin(int value) { attached.SetMargin(value); }
    // Kept for the form; the label's transparency is left alone.
    bool GetLabelTransparent() const { return attached.GetTransparent(); }
    void SetLabelTransparent(bool value) { attached.SetTransparent(value); }
    TLabel* GetLabel() const { return attached.Label(); }
    void SetBounds(int left, int top, int width, int height) override;
    void SetParent(TWinControl* newParent) override;
    void SetVisible(bool value) override;

    bool AutoFocus = false;
    bool AutoTab = true;
    // Escape brings back the text the edit had when it gained the focus, or the program last wrote.
    bool CanUndo = false;
    bool ShowModified = false;
    TColor FocusColor = clWindow;
    // Kept for the form; the font keeps its colour with the focus.
    TColor FocusFontColor = clWindowText;
    TColor ModifiedColor = clRed;
    bool ReturnIsTab = true;
    // Entering an edit with a mask selects its first character.
    bool SelectFirstChar = false;
    TMaskCompleteEvent OnMaskComplete;

protected:
    void DoEnter() override;
    void KeyUp(WORD& key, TShiftState shift) override;
    // Enter moves on with ReturnIsTab; Escape brings the text back with CanUndo, and then the
    // window's cancel button acts.
    void WantSpecialKey(WORD& key) override;
    void WMChar(char& key, int keyData, TShiftState shift) override;
    void WMSetFocus() override;
    void WMKillFocus() override;
    void CMMouseEnter() override;
    void WMPaint(QPainter& painter) override;

private:
    TColor normalColor;
    TColor normalFontColor;
    TColor disabledColor = clSilver;
    bool flat = false;
    TAlignment alignement = taLeftJustify;
    // The text when the edit gained the focus or the program last wrote it, which Escape brings back.
    AnsiString undoText;
    TAttachedLabel attached{*this};
};
