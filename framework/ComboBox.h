#pragma once

#include "framework/Control.h"
#include "framework/StringList.h"

enum TComboBoxStyle { csDropDown, csDropDownList };

// A drop-down list. A pick by the user raises OnChange; setting ItemIndex from code does not.
class TComboBox : public TWinControl {
public:
    explicit TComboBox(TComponent* owner);

    int GetItemIndex() const { return itemIndex; }
    void SetItemIndex(int value);
    // The chosen item's text, or the typed text of a csDropDown box.
    AnsiString GetText() const;
    void SetText(const AnsiString& value);

    TComboBoxStyle Style = csDropDown;
    TStringList Items;
    TNotifyEvent OnChange;

    // A pick by the user, as the view reports it.
    void ViewPicked(int index);

protected:
    void UpdateView() override;

private:
    int itemIndex = -1;
    AnsiString text;
};
