#pragma once

#include "framework/CustomEdit.h"
#include "framework/EditMask.h"

// An edit whose text follows an EditMask: typing overwrites the place at the caret and skips
// the literals, a character the place refuses beeps, Backspace and Delete blank places, and a
// paste is typed through the mask up to its first character refused. Without a mask it is a
// plain edit.
class TCustomMaskEdit : public TCustomEdit {
public:
    explicit TCustomMaskEdit(TComponent* owner);

    bool IsMasked() const { return !mask.Empty(); }
    // What the edit shows, blanks and literals included.
    const AnsiString& GetEditText() const { return GetWindowText(); }
    // The text as the mask keeps it (literals left out with save 0); the shown text unmasked.
    AnsiString GetText() const;
    // Fits value into the mask.
    virtual void SetText(const AnsiString& value);
    const TEditMask& Mask() const { return mask; }

protected:
    const AnsiString& GetEditMask() const { return editMask; }
    // The text is fitted into the new mask.
    void SetEditMask(const AnsiString& value);
    void WMKeyDown(WORD& key, TShiftState shift) override;
    void WMChar(char& key, int keyData, TShiftState shift) override;
    void WMPaste() override;
    void WMCut() override;

private:
    // Types key at the caret through the mask (TypedIntoMask), over the selection blanked. False
    // when refused.
    bool InputMasked(char key);
    // Blanks the places from start to end (not included).
    void BlankPlaces(int start, int end);
    void ShowMasked(const AnsiString& text, int caret);

    AnsiString editMask;
    TEditMask mask;
};
