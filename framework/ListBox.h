#pragma once

#include "framework/Control.h"
#include "framework/StringList.h"

#include <memory>

// A list of strings of which the user highlights one. The strings live in Items; the view reads
// the rows it shows through a list model of rows of one height, so a long list costs no widget
// per item and no measuring of every row. A user's click on an item or key that moves the
// highlight raises OnClick; setting ItemIndex from code raises nothing. A right click leaves the
// highlight where it is and opens the PopupMenu.
class TListBox : public TWinControl {
public:
    explicit TListBox(TComponent* owner);
    ~TListBox() override;

    // The highlighted item, -1 for none; setting an index out of range highlights none. Changing
    // Items so that the index is out of range leaves none highlighted.
    int GetItemIndex() const { return itemIndex; }
    void SetItemIndex(int value);

    TStringList Items;

    // The user moved the highlight to row, as the view reports it.
    void ViewSelected(int row);
    void ViewMouseDown(TMouseButton button, TShiftState shift, int x, int y, bool& passOn) override;

protected:
    void UpdateView() override;

private:
    class Model;

    std::unique_ptr<Model> model;
    int itemIndex = -1;
    // The view still shows rows Items no longer has.
    bool itemsStale = true;
    // The highlight was set from code: the view scrolls it into sight.
    bool indexStale = true;
    // The view is being brought up to date: the highlight it moves is not the user's.
    bool updating = false;
};
