#pragma once

#include "framework/Control.h"
#include "framework/StringList.h"

#include <memory>
#include <vector>

class TComboBox;

enum TComboBoxStyle { csDropDown, csDropDownList };

// One list of strings that several combo boxes show at once. The boxes' views read it row by row
// as they need it, so a long list is made once for all of them and never copied into a view.
class TSharedComboItems {
public:
    TSharedComboItems();
    ~TSharedComboItems();
    TSharedComboItems(const TSharedComboItems&) = delete;
    TSharedComboItems& operator=(const TSharedComboItems&) = delete;

    int Count() const { return static_cast<int>(strings.size()); }
    const AnsiString& operator[](int index) const { return strings.at(static_cast<std::size_t>(index)); }
    // Replaces the strings; the boxes showing them lose their choice.
    void Assign(std::vector<AnsiString> values);

private:
    friend class TComboBox;
    class Model;

    std::vector<AnsiString> strings;
    std::unique_ptr<Model> model;
    std::vector<TComboBox*> boxes;
};

// A drop-down list. A pick by the user raises OnChange; setting ItemIndex from code does not.
class TComboBox : public TWinControl {
public:
    explicit TComboBox(TComponent* owner);
    ~TComboBox() override;

    int GetItemIndex() const { return itemIndex; }
    void SetItemIndex(int value);
    // The chosen item's text, or the typed text of a csDropDown box.
    AnsiString GetText() const;
    void SetText(const AnsiString& value);
    // Shows shared's strings in place of Items from now on (null: Items again); ItemIndex and the
    // text then count in them.
    void SetSharedItems(TSharedComboItems* shared);

    TComboBoxStyle Style = csDropDown;
    TStringList Items;
    TNotifyEvent OnChange;

    // A pick by the user, as the view reports it.
    void ViewPicked(int index);

protected:
    void UpdateView() override;

private:
    friend class TSharedComboItems;
    int ItemCount() const;
    AnsiString ItemText(int index) const;
    // The strings shown changed: the choice goes.
    void ItemsChanged();

    int itemIndex = -1;
    AnsiString text;
    TSharedComboItems* shared = nullptr;
};
