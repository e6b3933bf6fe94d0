#pragma once

#include "framework/Control.h"
#include "framework/StringList.h"

#include <QString>

enum TComboBoxStyle { csDropDown, csDropDownList };

// A combo box's items: a string list that remembers from which index on the box's view no longer
// matches it, so the view takes only what changed.
class TComboBoxStrings : public TStringList {
public:
    void Put(int index, const AnsiString& value) override;
    void InsertObject(int index, const AnsiString& value, TObject* object) override;
    void Delete(int index) override;
    void Clear() override;
    int AddObject(const AnsiString& value, TObject* object) override;
    void Sort() override;

    // The view holds the items before this index as they are.
    int InStep = 0;

private:
    void Stale(int index) { InStep = std::min(InStep, index); }
};

// A drop-down list. A pick by the user raises OnChange; setting ItemIndex from code does not.
// csDropDown boxes take typed text too (which also raises OnChange); csDropDownList ones only
// pick.
class TComboBox : public TWinControl {
public:
    explicit TComboBox(TComponent* owner);

    int GetItemIndex() const { return itemIndex; }
    void SetItemIndex(int value);
    // The chosen item's text, or the typed text of a csDropDown box.
    AnsiString GetText() const;
    void SetText(const AnsiString& value);
    // Set by the layout, before the box is shown.
    TComboBoxStyle Style = csDropDown;
    TComboBoxStrings Items;
    TNotifyEvent OnChange;

    // A pick by the user, as the view reports it.
    void ViewPicked(int index);
    // Text typed into a csDropDown box.
    void ViewTyped(const AnsiString& typed);

protected:
    void UpdateView() override;

private:
    void UpdateItems();

    int itemIndex = -1;
    AnsiString text;
};
