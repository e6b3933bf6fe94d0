#pragma once

#include "framework/Control.h"
#include "framework/StringList.h"

#include <QString>

#include <memory>
#include <vector>

class TComboBox;

// csSimple: typed text with no button and no list to drop down.
enum TComboBoxStyle { csDropDown, csDropDownList, csSimple };

// A combo box's items: a string list that remembers from which index on the box's view no longer
// matches it, so the view takes only what changed.
class TComboBoxStrings : public TStringList {
public:
    void Put(int index, const AnsiString& value) override;
    void InsertObject(int index, const AnsiString& value, TObject* object) override;
    void Delete(int index) override;
    void Clear() override;
    int AddObject(const AnsiString& value, TObject* object) override;

    // The view holds the items before this index as they are.
    int InStep = 0;

private:
    void Stale(int index) { InStep = std::min(InStep, index); }
};

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
// csDropDown and csSimple boxes take typed text too (which also raises OnChange); csDropDownList
// ones only pick.
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
    // Set by the layout, before the box is shown.
    TComboBoxStyle Style = csDropDown;
    TComboBoxStrings Items;
    TNotifyEvent OnChange;
    // Items the dropped list shows before it scrolls.
    int DropDownCount = 8;
    // The height of one item of the list.
    int ItemHeight = 16;
    // The closed box's height; the rest of Height is the dropped list's (0: all of Height).
    int EditHeight = 0;
    // The dropped list's width; below 1 the box's own.
    void SetDroppedWidth(int value);
    bool GetDroppedDown() const;
    void SetDroppedDown(bool value);
    // The selection in the edit field of a csDropDown box, in bytes of the text.
    int GetSelStart() const;
    int GetSelLength() const;
    void SetEditSel(int start, int length);

    // A pick by the user, as the view reports it.
    virtual void ViewPicked(int index);
    // Text typed into a csDropDown box.
    virtual void ViewTyped(const AnsiString& typed);

protected:
    void UpdateView() override;
    void PlaceView() override;

private:
    friend class TSharedComboItems;
    void UpdateItems();
    int ItemCount() const;
    AnsiString ItemText(int index) const;
    int IndexOfItem(const AnsiString& value) const;
    // The strings shown changed: the choice goes.
    void ItemsChanged();

    int itemIndex = -1;
    AnsiString text;
    TSharedComboItems* shared = nullptr;
    int droppedWidth = 0;
    // A selection set from code, shown once the view has the text; start -1 for none.
    int pendingSelStart = -1;
    int pendingSelLength = 0;
};
